// The rules of a fight outside, as functions of plain values: group size,
// armour, potions, the wandering healer, death and resurrection, the tax
// on a victory, and the opponents that scripted fights derive from the
// character. The screens in hunt.h and fight.h apply them.
#ifndef TRV_GAME_COMBAT_HUNT_RULES_H_
#define TRV_GAME_COMBAT_HUNT_RULES_H_

#include <string>

#include "game/money/Integer.h"

namespace trv::combat {

// A group has at most this many members (a larger bound or script count
// is cut to it).
inline constexpr int kMaxGroup = 15;
// A potion sack holds this many.
inline constexpr long long kMaxPotions = 300;
// The wandering healer's price of one potion.
inline constexpr long long kWanderingPotionPrice = 4;
// An armour total of this much would stop every blow.
inline constexpr double kArmourDivisor = 26050;

// The size of a search's group. Draws rand() % bound; a draw of 0 counts
// as 1 (so one member is twice as likely as any other size), and a group
// never outgrows kMaxGroup. A bound of 0 or below gives one member without
// a draw.
int GroupSize(long long bound);
// A scripted group's count cut to 0..kMaxGroup.
int ScriptedGroupSize(long long count);

// The share of each monster blow that worn armour takes away.
double ArmourFactor(long long armour_total);
// raw - raw × factor, truncated toward zero: what lands of a raw blow.
long long BlowAfterArmour(long long raw, double factor);

// The health one potion gives: 3 % of the maximum for a Cleric or the
// Divine guild, 1 % for the others, never below 1, truncated.
long long HealPerPotion(long long max_hp, bool cleric);
// The potions that heal `missing` points: rounded down, at least 1.
long long PotionsNeeded(long long missing, long long per_potion);

// What drinking does for a character below its maximum with potions left:
// with enough potions it drinks what is needed and is fully healed;
// otherwise it drinks all of them for a partial gain.
struct Draught {
  long long potions_used = 0;
  long long hp_after = 0;
  bool full = false;
};
Draught Drink(long long hp, long long max_hp, long long potions, long long per_potion);
bool IsHealer(const std::string& guild, const std::string& first_class,
              const std::string& second_class);

// How many potions the wandering healer can sell: what the gold buys at
// 4 each, cut to the room left in the sack (0 when it is full).
long long HealerOffer(long long potions, const Purenum::Integer& gold);

// The experience a death costs: a tenth, never a gain.
long long DeathLoss(long long experience);

// The attributes the resurrection penalty takes from.
struct Attributes {
  long long max_hp = 0;
  long long strength = 0;
  long long defense = 0;
  long long agility = 0;
  long long max_magic = 0;
  long long charm = 0;
};
// What a resurrection costs: a hundredth of the maximum health, strength,
// defence and agility, a fiftieth of the maximum magic and the charm
// (integer division, never negative).
Attributes ResurrectionPenalty(const Attributes& now);

// The kingdom's share of a victory's gold: TaxRate percent, truncated.
Purenum::Integer HuntTax(const Purenum::Integer& gold, long long tax_rate);

// The arguments of a scripted fight (see LoadNPCS in fight.h), as text.
struct Opponents {
  std::string name;
  std::string hit_points;
  std::string attack;
  std::string defence;
  std::string magic;
  std::string poison;
  long long count = 0;
  std::string gold;
  std::string experience;
};

// What scripted opponents are made from: the challenger's own row.
struct FighterStats {
  long long max_hp = 0;
  long long strength = 0;
  long long defense = 0;
  long long max_magic = 0;
};
// The six orcs of the kidnapping event.
Opponents KidnappersFor(const FighterStats& hero);
// The demon another player conjured against the character.
Opponents DemonFor(const FighterStats& victim);

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_HUNT_RULES_H_
