// The alley's write units: each crime's and each vice's change of shared
// rows as one read-check-write that no other node can interleave.
//
// The victim of a crime may be playing on another node, spending or
// depositing the very gold a thief takes, so nothing is written from a
// figure read for a screen: each unit reads again, checks again, writes
// and reports what really changed. No unit waits for a key; the screens
// ask first and call a unit after the caller's last answer.
#ifndef TRV_GAME_ALLEY_UNITS_H_
#define TRV_GAME_ALLEY_UNITS_H_

#include <array>
#include <optional>
#include <string>

#include "game/alley/rules.h"
#include "game/money/Integer.h"
#include "game/player/gold.h"

namespace trv::alley {

// The character a crime is aimed at, chosen by the ID the caller typed.
// Units find it again by user name, so a number that passed to somebody
// else meanwhile reaches nobody.
struct Victim {
  std::string id;
  std::string user_name;
  std::string player_name;
};

// The finished character with the typed ID (on-line only, for the
// pickpocket); nullopt when there is none.
std::optional<Victim> VictimWithId(const std::string& id, bool online_only = false);

// The attributes an assassination took, as written.
struct Wounds {
  long long leadership = 0;
  long long strength = 0;
  long long defense = 0;
  long long mental = 0;
  long long max_hp = 0;
  long long magic = 0;
};
// Takes 2 % of the victim's six attributes and 15 of the caller's divine
// favour; nullopt (nothing changed) when the victim is gone.
std::optional<Wounds> Assassinate(const std::string& caller, const std::string& victim);

// Gives the victim the plague, over any disease he had; false when gone.
bool Infect(const std::string& victim);

// The holdings a blast destroyed, in the order of kBlasts.
using BlastLosses = std::array<Purenum::Integer, kBlastKinds>;
std::optional<BlastLosses> BlowUpInvestments(const std::string& victim);

// Zeroes the victim's bank account and returns what it held (a debt is
// not fire's to clear: it stays, and 0 burned); nullopt when gone.
std::optional<Purenum::Integer> BurnBankAccount(const std::string& victim);

// Moves the victim's whole gold on hand, as it is now, to the thief; only
// a positive purse is taken. `moved` is what the thief got.
player::GoldMove PickPurse(const std::string& thief, const std::string& victim);

enum class DemonOutcome {
  kConjured,         // gold and deed taken, the demon row inserted
  kAlreadySummoned,  // another demon hunts the victim: nothing spent
  kNotEnoughGold,
  kNoDeed,
  kNoVictim,  // the victim is gone
  kNoCaller,
};
// One unit: the demon row, the victim, the caller's deed and gold again,
// then the price and the deed are taken and the row goes in.
DemonOutcome ConjureDemon(const std::string& caller, const Victim& victim);

enum class BountyOutcome { kPosted, kNotEnoughGold, kNoVictim, kNoCaller };
// Takes the bounty from the caller's gold and posts it on the victim's
// current name (written to *wanted).
BountyOutcome PostBounty(const std::string& caller, const Victim& victim,
                         const Purenum::Integer& amount, std::string* wanted);

struct VicePurchase {
  enum Outcome { kBought, kNoDeed, kNotEnoughGold, kNoCharacter } outcome = kNoCharacter;
  long long mental = 0;  // the buyer's Mental after it
};
// Takes the vice's price and one evil deed and applies its effects.
VicePurchase PayForVice(const std::string& user_name, const ViceShop& shop, const Vice& vice);

// The speech: one evil deed for `recruits` more soldiers; false (nothing
// changed) when the deed is no longer there.
bool Recruit(const std::string& user_name, long long recruits);

}  // namespace trv::alley

#endif  // TRV_GAME_ALLEY_UNITS_H_
