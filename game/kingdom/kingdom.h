// Kingdom membership: the kingdom list, joining and founding, taxes and
// the starting advantage, renaming, taking a vacant throne, emigration and
// the kingdom page of the status screens.
#ifndef TRV_GAME_KINGDOM_KINGDOM_H_
#define TRV_GAME_KINGDOM_KINGDOM_H_

#include <functional>
#include <string>

extern "C" {

// A new character's choice: 1 once player.Kingdom is stored (joined or
// founded), 0 when the caller backed out; called again until 1.
int KingdomSelect(const char* playerName);

// The naming dialog and the new kingdom's row: 1 when founded, 0 when
// nothing was made (blank or taken name, declined, or no free slot).
int CreateKingdom(const char* playerName);

// The tax screen and starting advantage of the caller's kingdom: 1 when
// set, 0 after an invalid entry (the caller shows it again).
int SetTaxes(void);
}

namespace trv::kingdom {

inline constexpr int kMaxKingdoms = 5;
inline constexpr int kMaxTaxRate = 60;
inline constexpr int kMaxMerchantTax = 40;

// The list of the realm's kingdoms, leaving out `excluded` when not empty
// (the emigration screen's own kingdom). Returns the rows shown.
int ShowKingdomList(const std::string& excluded = "", bool heading = true);

enum class Founding {
  kFounded,   // the caller rules a new kingdom
  kAgain,     // blank, unusable or taken name, or declined: ask again
  kLandFull,  // every slot was taken (perhaps by another node meanwhile)
};
// CreateKingdom with the reason when nothing was made.
Founding Found(const std::string& player_name);

// Founding until it succeeds or the land is full; then shows
// `land_full_message` and waits for a key. True when founded.
bool FoundUntilDone(const std::string& player_name, const char* land_full_message);

enum class Renaming {
  kRenamed,
  kAgain,  // blank, unusable or taken name, or declined: ask again
  kGone,   // the kingdom is no longer there to rename (the throne was
           // taken, or the ruler changed)
};
// The naming dialog on an existing row: selected by its old name while its
// throne is vacant (taking over a dying kingdom), or by its old name and
// its ruler's user name together (the coup; a ruler '' renames nothing).
// Either makes the caller its ruler. `also` runs in the same write unit
// after the rename, with the old and the new name.
using RenameAlso = std::function<void(const std::string& old_name, const std::string& new_name)>;
Renaming RenameKingdomByName(const std::string& old_name);
Renaming RenameKingdomByRuler(const std::string& old_name, const std::string& ruler_user_name,
                              const RenameAlso& also = nullptr);

// The caller takes the vacant throne of his own kingdom. False when
// another citizen took it first; the caller stays a member then.
bool TakeOverDyingKingdom();

// The alley's border escape: takes the evil deed and reports whether the
// caller slipped past the guards of `from`.
using BorderEscape = bool (*)(const std::string& from, const std::string& to);
// The emigration screen of the alley.
void Immigrate(BorderEscape escape);

// The kingdom page of the status screens. Handles '.' and '=' itself and
// returns the key that leaves it: 'E' (equipment), 'I' (investments) or
// '\r' (back to the status page).
char ShowKingdomPage();

// The tax screens' explanation of the two rates and their limits.
void ShowTaxLimits();

// Whether a typed tax rate is digits within 0 to `limit`; the value goes
// to *rate.
bool RateAccepted(const char* typed, int limit, int* rate = nullptr);

// Whether a kingdom already has the name, in any case.
bool KingdomNameTaken(const std::string& name);

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_KINGDOM_H_
