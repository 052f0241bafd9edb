// Monster hunting, Main Street's F: the thirty areas outside the walls,
// the area menu (search, potions, the wandering healer), the random finds
// of a search and the demon another player may have conjured.
//
// A trip outside keeps the character's health in memory (fight.h's
// Health::Cached) and writes it to the row every time the area menu is
// shown and when the trip ends.
#ifndef TRV_GAME_COMBAT_HUNT_H_
#define TRV_GAME_COMBAT_HUNT_H_

#include "game/combat/fight.h"

namespace trv::combat {

inline constexpr int kAreaCount = 30;
// Reached by typing its number; never listed.
inline constexpr int kSecretArea = 13;

struct Area {
  const char* list_name;  // in the area list
  const char* level;      // the recommended level shown beside it
  const char* banner;     // the title shown on entering
  const char* lines[3];   // what the caller sees on arrival
  const char* closing;    // the line after them
};
// Area 1 to kAreaCount.
const Area& AreaOf(int number);

// The menu of one area (1 to kAreaCount), on the trip's health, until the
// caller retreats or is too tired to search.
void HuntArea(int area, Health& trip);
// The wandering healer's potions, 4 gold each.
void WanderingHealer();
// Tells the caller when the experience reached the level's threshold.
void LevelRaiseCheck();

// What a search finds one time in fifteen instead of monsters: deeds,
// gold, extra fights or the kidnapping event. Uses no monster fight.
void RandomFind();
// The demon another player conjured against the caller (table demon):
// fought first thing when going outside, its row gone before the fight.
void SummonedDemon();

}  // namespace trv::combat

extern "C" {
// Main Street's F: the conjured demon, the area list, one area.
void BeginOutside(void);
}

#endif  // TRV_GAME_COMBAT_HUNT_H_
