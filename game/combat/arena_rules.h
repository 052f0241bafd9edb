// The rules of an arena fight as functions of plain values: who may be
// challenged, the ratings and the hit test, the damage of a blow, poison,
// the inn's door guards, and what a victory costs and pays. The screens in
// arena.h apply them.
#ifndef TRV_GAME_COMBAT_ARENA_RULES_H_
#define TRV_GAME_COMBAT_ARENA_RULES_H_

#include <optional>
#include <string>

#include "game/combat/hunt_rules.h"

namespace trv::combat {

// Each side gets this many potions for one fight (the stored ones stay).
inline constexpr long long kArenaPotions = 150;
// A fight to the death asks whether to go on after this many strikes.
inline constexpr int kStrikesBetweenQuestions = 25;

// The league rule: an opponent below 45 % of the challenger's level is
// too weak to be challenged (compared in floating point).
bool InLeague(long long challenger_level, long long opponent_level);

// The figures of one side that the ratings read.
struct Fighter {
  long long mental = 0;
  long long agility = 0;
  long long strength = 0;
  long long defense = 0;
};
// Mental × (Agility / 2 + Strength / 3), each division by itself.
long long AttackRating(const Fighter& striker);
// Mental × (3 × Defense / 5 + 4 × Agility / 3), or while defending
// Mental × (4 × Defense / 5 + 5 × Agility / 3).
long long DefenceRating(const Fighter& struck, bool defending);

// The hit test: a blow hits when HitMargin() > rand() % 100. The margin is
// t mod 100 for t = ratio × 100 truncated, or ratio × 1000 truncated once
// t reaches 100 (so a ratio of exactly 1.0 never hits). A defence of 0 or
// less cannot stop a blow: 100. The ratio is clamped before × 1000.
int HitMargin(long long attack, long long defence);
inline bool Hits(int margin, int draw) { return margin > draw; }

// The bound of a striker's raw blow, rand() % bound: Strength, at least 1.
long long BlowBound(long long strength);
// raw − (armour total / 26050) × weapon bonus, truncated toward zero and
// never below 0 (armour never heals). raw is rand() % bound plus the
// weapon bonus.
long long BlowDamage(long long raw, long long weapon_bonus, long long armour_total);

// A hit of a poisoner on its victim. A victim not yet poisoned takes the
// striker's poison level from now on; a poisoned victim takes its poison
// damage on top of the blow, from this very hit.
struct PoisonedHit {
  bool newly_poisoned = false;
  long long poison_added = 0;   // on top of the blow
  long long victim_poison = 0;  // the victim's poison damage per turn now
};
PoisonedHit PoisonOnHit(long long poison_level, long long victim_poison);

// The crowd: thumbs up for a draw of rand() % 13 below 5 after a victory;
// pity for a beaten challenger when it is above 7.
inline bool CrowdThumbsUp(int draw) { return draw < 5; }
inline bool CrowdHasPity(int draw) { return draw > 7; }

// What the victor's own row gains or loses by sparing or executing.
struct Verdict {
  long long divine_loss = 0;  // an execution: 2 % of Divine
  long long leadership = 0;   // −2 against the crowd's thumbs up, +1 for
                              // compassion against its thumbs down
};
Verdict VerdictOf(bool executed, bool thumbs_up, long long divine);

// What a beaten fighter loses in experience: a tenth (never a gain).
long long ArenaExperience(long long experience);

// A mutilated corpse's losses: a hundredth of MaxHP, Strength, Defense and
// Mental, a fiftieth of MaxMagicPower and Leadership, truncated, never
// negative.
struct Mutilation {
  long long max_hp = 0;
  long long strength = 0;
  long long defense = 0;
  long long mental = 0;
  long long max_magic = 0;
  long long leadership = 0;
};
Mutilation MutilationOf(const Mutilation& stats);

// The door guards of an inn room ("1" to "4"), made from the challenger's
// own figures, `count` of them; nullopt for a room kind the inn does not
// have.
struct DoorGuards {
  const char* kind;  // "Human" ... "Red Dragon"
  Opponents opponents;
};
std::optional<DoorGuards> DoorGuardsFor(const std::string& inn, const FighterStats& challenger,
                                        long long count);

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_ARENA_RULES_H_
