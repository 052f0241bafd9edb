// What a character owns at the bank and the wharves, and the write units
// that move it: the account and the safe (gold.h's purses), the holdings of
// the seven investments, deposits and withdrawals, transfers between
// characters, purchases and sales.
//
// Every amount is decimal text of any length, read leniently (NULL, '' or
// garbage is 0). Each unit re-reads what it changes under the write lock,
// re-checks and writes, so a theft, an arena result or an arson landing on
// another node meanwhile is neither lost nor duplicated. No unit waits for
// the caller; screens ask first and call a unit after the last key.
#ifndef TRV_GAME_ECONOMY_ACCOUNTS_H_
#define TRV_GAME_ECONOMY_ACCOUNTS_H_

#include <optional>
#include <string>

#include "game/money/Integer.h"
#include "game/player/gold.h"
#include "game/player/investments.h"

namespace trv::economy {

using player::Purse;

// ---- Rules ----

// What a deposit or withdrawal moves when the caller typed `typed` and the
// source holds `held`: 1 means all of it (nothing of a debt); any other
// amount is itself.
Purenum::Integer AmountToMove(const Purenum::Integer& typed, const Purenum::Integer& held);

// Whole units that `gold` pays for at `price` each (none for a debt).
Purenum::Integer AffordableUnits(const Purenum::Integer& gold, const char* price);

// The kind of the catalogue with this merchant key (either case); nullptr
// for none.
const player::Investment* InvestmentByKey(char key);

// ---- Holdings ----

// The units of `kind` that `user_name` owns, read leniently; nullopt when
// the character has no row. Inside or outside a write unit.
std::optional<Purenum::Integer> ReadHolding(const std::string& user_name,
                                            const player::Investment& kind);
void WriteHolding(const std::string& user_name, const player::Investment& kind,
                  const Purenum::Integer& count);

// All seven, in the catalogue's order (kInvestments).
struct Holdings {
  Purenum::Integer count[player::kInvestmentKinds];
  const Purenum::Integer& of(const player::Investment& kind) const;
};
std::optional<Holdings> ReadHoldings(const std::string& user_name);

// ---- Units ----

// A deposit or withdrawal between two purses of one character: `typed` as
// AmountToMove reads it. kNotEnough when the source holds less.
player::GoldMove MoveBetweenPurses(const std::string& user_name, Purse from, Purse to,
                                   const Purenum::Integer& typed);

enum class TransferOutcome {
  kTransferred,  // `amount` went (0 too)
  kNotEnough,    // the sender's account holds less: nothing moved
  kNoReceiver,   // the ID is gone, belongs to another user now, or is unfinished
  kNoSender,     // the sender's character is gone
};
// From the account of `sender` to the account of the character with IDNum
// `receiver_id`, which must still be `receiver_user`'s finished character.
TransferOutcome TransferGold(const std::string& sender, const std::string& receiver_id,
                             const std::string& receiver_user, const Purenum::Integer& amount);

enum class TradeOutcome {
  kDone,
  kRefused,      // the gold does not pay for it, more units than owned, or unsellable
  kNoCharacter,  // the character is gone
};
// Builds `units` of `kind` with gold on hand at its build price.
TradeOutcome BuyUnits(const std::string& user_name, const player::Investment& kind,
                      const Purenum::Integer& units);
// Sells `units` of a legal `kind` back into gold on hand at its sale price.
TradeOutcome SellUnits(const std::string& user_name, const player::Investment& kind,
                       const Purenum::Integer& units);

// Takes `deeds` evil deeds when the character has that many; false (and
// nothing taken) otherwise.
bool SpendEvilDeeds(const std::string& user_name, int deeds);

}  // namespace trv::economy

#endif  // TRV_GAME_ECONOMY_ACCOUNTS_H_
