// The one fight engine of the game: a group of up to fifteen identical
// opponents, fought turn by turn from the fight screen until the group or
// the character is dead or the character leaves.
//
// Two kinds of fight run on it. A hunt's fight (MonsterFight) meets a
// group drawn from the monster file, keeps the character's health in the
// trip's memory, costs a monster fight and wins land. A scripted fight
// (ScriptedFight, LoadNPCS) meets named opponents that a caller made up (the
// kidnapping, a conjured demon, a quest's monsters, an inn patron's door
// guards), writes the health to the row at once and costs nothing but a
// death's experience. Everything else (blows, spells, potions, victory,
// death and resurrection) is the same code, and every rand() draw comes in
// the same order, so a session seeded with TRV_SEED repeats.
#ifndef TRV_GAME_COMBAT_FIGHT_H_
#define TRV_GAME_COMBAT_FIGHT_H_

#include "game/combat/hunt_rules.h"
#include "game/combat/monsters.h"

namespace trv::combat {

// The character's hit points during a fight.
class Health {
 public:
  // A trip outside: HP and MaxHP read once; the trip writes HP back itself
  // (WriteBack) every time its menu is shown and when it ends.
  static Health Cached();
  // A scripted fight: the row is the health, read and written at once.
  static Health Stored();

  bool cached() const { return cached_; }
  long long hp() const { return hp_; }
  long long max_hp() const { return max_hp_; }

  // Reads HP and MaxHP from the row again (after anything that may have
  // changed them behind the cache: a scripted fight, the status pages).
  void Reload();
  // Takes `points` (Stored: "HP=HP-points" on the row too).
  void Lose(long long points);
  // After drinking (the potion statements are the drinker's).
  void SetHp(long long hp) { hp_ = hp; }
  // After a resurrection, which wrote HP=1 and lowered MaxHP on the row.
  void Resurrected(long long max_hp_loss);
  // Cached: writes the trip's health to HP.
  void WriteBack() const;

 private:
  explicit Health(bool cached) : cached_(cached) {}
  bool cached_;
  long long hp_ = 0;
  long long max_hp_ = 0;
};

// Drinks healing potions toward the maximum health (the U key of the area
// menu and of the fight screen; also before every turn of a fight to the
// death). The sack is re-read and lowered in one write unit.
void DrinkPotions(Health& health);

enum class FightOutcome {
  kWon,   // every opponent is dead
  kLeft,  // the character ran, grew tired of it or lost the line
  kDied,  // the character died (and was resurrected; the other way out
          // ends the door)
};

// A hunt's fight against `size` members (1 to kMaxGroup) of `monster`, on
// the trip's cached health.
FightOutcome MonsterFight(const Monster& monster, int size, Health& health);

struct ScriptedResult {
  FightOutcome outcome = FightOutcome::kLeft;
  int alive = 0;  // opponents still alive when it ended
};
// A scripted fight against the opponents (their count cut to kMaxGroup;
// below 1 there is nobody to fight). Magic points are made full before
// and after. Opponents named "Summoned Demon" cannot be run from.
ScriptedResult ScriptedFight(const Opponents& opponents);

}  // namespace trv::combat

extern "C" {
// The scripted fight of the quests, the arena's door guards and the
// random events: the caller fights `count` identical opponents.
//
//   owner       the IDNum of the player whose bodyguards they are, as text;
//               when it reads as a number above 0, the opponents still
//               alive at the end are stored in that player's BodyGuards.
//               "0" for anything else.
//   name        shown in every message ("Orcs", "Red Dragon Bodyguard").
//   hit_points  of each opponent at the start.
//   attack      the bound of an opponent's raw blow (0 counts as 1).
//   defence     taken from every blow of the caller.
//   magic       the bound of an opponent's spell bonus on a hit; "0": none.
//   poison      the bound of its poison bonus on a hit; "0": none.
//   count       how many (cut to 15; below 1 there is no fight).
//   gold        carried by each; the victory pays gold × count, less the
//               kingdom's tax unless the caller holds a royal post.
//   experience  given by each; the victory pays experience × count.
// Numbers are decimal text read as atol reads them (garbage is 0), hit
// points and experience up to 64 bits. The caller's magic points are made
// full before and after. Running away costs nothing; a death costs a tenth
// of the experience and offers the resurrection (refused, the door ends).
// Returns 1 when the caller survived (won, ran or grew tired of it), 0
// when it died.
int LoadNPCS(const char* owner, const char* name, const char* hit_points, const char* attack,
             const char* defence, const char* magic, const char* poison, int count,
             const char* gold, const char* experience);
}

#endif  // TRV_GAME_COMBAT_FIGHT_H_
