// The rules of the church, the healer's hut and the tavern that a caller
// can work out without a screen: what each candle, prayer and gift gives,
// how many potions a purse and a sack allow, what the inn's guards cost,
// what the old man's game pays and which sins succeed.
#ifndef TRV_GAME_ECONOMY_TOWN_RULES_H_
#define TRV_GAME_ECONOMY_TOWN_RULES_H_

#include "game/money/Integer.h"

namespace trv::economy {

// A boon of the church: the assignments written beside the spent deed (code,
// never typed text) and the line that tells it.
struct Boon {
  const char* assignments;  // "Charm=Charm+3"
  const char* message;      // colour markup
};

// The four candles of the candle room, by key '1' to '4'.
struct Candle {
  char key;
  const char* name;  // colour markup, as the room lists it
  const char* gift;  // what it strengthens, for the list
  Boon boon;
};
inline constexpr int kCandleKinds = 4;
extern const Candle kCandles[kCandleKinds];
// The candle of `key` (either case); nullptr for none.
const Candle* CandleByKey(char key);

// What a prayer gives, by the draw rand() % 5.
inline constexpr int kBoonDraws = 5;
extern const Boon kWorshipBoons[kBoonDraws];
// What a gift of gold earns, by the draw rand() % 5, whatever its size.
extern const Boon kFamilyBoons[kBoonDraws];  // the poor family (G)
extern const Boon kChurchBoons[kBoonDraws];  // the church (D)

// ---- The healer ----

inline constexpr int kPotionPrice = 2;
inline constexpr int kSackSize = 300;
// Potions `gold` pays for that still fit a sack holding `potions`; 0 for a
// full sack or a debt.
long long PotionsPurchasable(const Purenum::Integer& gold, long long potions);
// Whether a Disease column names a disease: "Your healthy!" (and an empty
// column) is none.
bool Diseased(const char* disease);
inline constexpr char kHealthy[] = "Your healthy!";
// The cure's price is rand() % kCureDraws gold, drawn anew at every visit.
inline constexpr int kCureDraws = 30000;

// ---- The inn ----

struct InnGuard {
  char key;            // '1' to '4': also the Inn value stored
  const char* name;    // "Human Bodyguard"
  const char* price;   // gold per guard
  const char* posted;  // the line told as the caller falls asleep
};
inline constexpr int kGuardKinds = 4;
inline constexpr int kMaxGuards = 6;
extern const InnGuard kInnGuards[kGuardKinds];
const InnGuard* GuardByKey(char key);
// `count` guards of a kind.
Purenum::Integer GuardsPrice(const InnGuard& guard, int count);

// ---- The old man's game ----

// The card the old man draws, rand() % kCards; the caller wins at 0,
// whatever card he names.
inline constexpr int kCards = 4;
// What the caller's gold changes by: twice the stake won at draw 0, the
// stake lost otherwise.
Purenum::Integer WagerChange(const Purenum::Integer& stake, int draw);

// ---- The sins ----

// A murder in the church: one evil deed, three points of divine favour and
// the scene's loot, by the draw rand() % kMurderScenes.
inline constexpr int kMurderScenes = 3;
inline constexpr int kMurderDeeds = 1;
inline constexpr int kMurderFavour = 3;
struct MurderScene {
  const char* loot;       // gold taken from the body
  const char* story[5];   // colour markup lines; nullptr ends a shorter one
  const char* loot_line;  // "You take $50,000 gold from the dead body.."
};
extern const MurderScene kMurders[kMurderScenes];

// The church's tithes: three evil deeds; the box holds $3,000,000 and is
// taken at a draw rand() % 10 below 4, for six points of favour.
inline constexpr int kTithesDeeds = 3;
inline constexpr int kTithesFavour = 6;
inline constexpr char kTithesBox[] = "3000000";
bool TithesStolen(int draw);

}  // namespace trv::economy

#endif  // TRV_GAME_ECONOMY_TOWN_RULES_H_
