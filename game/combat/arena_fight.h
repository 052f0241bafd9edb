// The arena's fight screen and its ends (for arena.cpp): the challenger's
// health is the stored row, the opponent's lives in the bout.
#ifndef TRV_GAME_COMBAT_ARENA_FIGHT_H_
#define TRV_GAME_COMBAT_ARENA_FIGHT_H_

#include <string>

#include "game/combat/arena_rules.h"
#include "game/combat/spells.h"

namespace trv::combat {

// One fight's state; nothing of it outlives the fight.
struct Bout {
  ArenaOpponent opponent;  // IDNum, name, hit and magic points left
  std::string opponent_user;
  long long challenger_potions = kArenaPotions;
  long long opponent_potions = kArenaPotions;
  long long challenger_poison = 0;  // damage per turn; 0: not poisoned
  long long opponent_poison = 0;
  bool high_lord = false;  // a title fight
  bool over = false;       // a side fell, the challenger begged, or a row is gone
};

// The fight screen, repeated while both sides stand.
void ArenaFight(Bout& bout);

// The ends of a fight, played from inside it.
void ArenaVictory(Bout& bout);
void ArenaDefeat(Bout& bout);
void HighLordVictory(Bout& bout);
void HighLordDefeat(Bout& bout);

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_ARENA_FIGHT_H_
