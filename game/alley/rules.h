// The alley's rules without a screen: the crimes' table and rolls, the
// losses a crime deals, the vice shops' wares and the militia's recruits.
#ifndef TRV_GAME_ALLEY_RULES_H_
#define TRV_GAME_ALLEY_RULES_H_

#include <stddef.h>

#include "game/money/Integer.h"

namespace trv::alley {

// ---- Crimes ----

// The kinds the crime menus hand to CommitCrime.
enum CrimeKind {
  kRogueAssassination = 1,  // rogue guild A
  kRogueInfection = 2,      // rogue guild I
  kAssassination = 3,       // criminal actions A
  kInfection = 4,           // criminal actions I
  kBlowUpInvestments = 5,   // criminal actions B
  kBurnBankAccount = 6,     // criminal actions D
  kPostBounty = 7,          // bounty board A
  kConjureDemon = 8,        // criminal actions C
};

// Whose kingdom's guards roll against a crime.
enum class Guards { kNone, kVictims, kCallers };

struct Crime {
  Guards guards;
  bool needs_assassin;     // level 30 and assassinations switched on
  bool frame_spends_deed;  // the frame takes one evil deed for it
  bool asks_deed;          // the frame asks "Use 1 evil deed" first
};
// The kind's row; nullptr outside 1 to 8.
const Crime* CrimeOf(int kind);

// The guards stop a crime when the roll (rand(), any value) falls below
// the kingdom's crime prevention in percent: 0 never stops, 100 always.
bool GuardsStop(int roll, long long crime_prevention);

// The caught rolls of the rogue guild's pickpocket (45 in 100) and of the
// border escape (the kingdom's border guard rating in percent).
bool PickpocketCaught(int roll);
bool BorderCaught(int roll, long long border_guard_rating);

inline constexpr int kMinAssassinLevel = 30;
inline constexpr char kDemonPrice[] = "15000000";

// An assassination takes 2 % of an attribute, truncated toward zero; a
// loss below 0 (a negative attribute) is 1 for MaxHP and 0 for the rest.
long long AssassinationLoss(long long value, bool max_hp);

// The seven holdings a blast destroys, in the order it destroys them.
struct Blast {
  const char* column;       // player column
  int percent;              // what it destroys, truncated
  const char* mail_noun;    // "whore houses" in the victim's letter
  const char* screen_noun;  // "Prostitute Houses" on the caller's screen
};
inline constexpr Blast kBlasts[] = {
    {"FleshTrade", 5, "whore houses", "Prostitute Houses"},
    {"Granary", 5, "granary silos", "Granary Silos"},
    {"HouseTrade", 10, "housing", "Housing Developments"},
    {"OreMine", 10, "ore mines", "Ore Mines"},
    {"Smuggling", 5, "smuggling warehouses", "Smuggling Warehouses"},
    {"WaterTower", 20, "watertowers", "Water Towers"},
    {"DrugTrade", 20, "drug houses", "Drug Houses"},
};
inline constexpr size_t kBlastKinds = sizeof kBlasts / sizeof kBlasts[0];

// ---- Vices ----

enum class ViceShopKind { kBordello, kDrugs, kSteroids };

struct Vice {
  const char* name;
  const char* description;
  const char* price;  // decimal text
  int mental;         // added to Mental (negative: drugs and steroids)
  int gain;           // added to the shop's attribute
  // The story told while it takes effect; nullptr: the shop's own.
  const char* const* story;
};

inline constexpr int kVicesPerShop = 8;

struct ViceShop {
  ViceShopKind kind;
  const char* const* description;  // nullptr-ended
  const char* banner;
  bool shows_mental;           // the money lines add "Mental State"
  const char* gain_column;     // the attribute a purchase raises
  const char* price_question;  // %s: the price digit-grouped
  const char* not_enough_gold;
  const char* const* story;  // three steps, when the item has none
  const char* gain_line;     // %d: the gain
  const char* mental_line;   // %d: the change of Mental, unsigned
  const Vice* wares;         // the men's list at the bordello
  const Vice* other_wares;   // the bordello's list for everyone else
  // What an overdose says (nullptr at the bordello, which cannot kill):
  // the caller's three lines, the news title and the news line after the
  // character's name.
  const char* const* overdose;
  const char* overdose_title;
  const char* overdose_news;
};

extern const ViceShop kTemptationWorld;
extern const ViceShop kDrugPalace;
extern const ViceShop kSteroidShop;

// The list a caller of `gender` is shown ("Male" exactly: the first).
const Vice* WaresFor(const ViceShop& shop, const char* gender);

// The bordello's disease strikes on 4 rolls in 10.
bool CaughtDisease(int roll);

// A character whose Mental falls to 0 or below has overdosed.
inline bool Overdosed(long long mental) { return mental <= 0; }

// ---- The militia's speech ----

// Civilians the speech recruits: roll % Leadership; nobody for a
// Leadership of 0 or below.
long long MilitiaRecruits(int roll, long long leadership);

}  // namespace trv::alley

#endif  // TRV_GAME_ALLEY_RULES_H_
