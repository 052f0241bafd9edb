#include "game/combat/hunt_rules.h"

#include <stdlib.h>

#include <algorithm>

#include "game/money/money.h"
#include "game/money/saturating.h"

namespace trv::combat {

int GroupSize(long long bound) {
  if (bound <= 0) return 1;
  const long long size = rand() % bound;
  if (size == 0) return 1;
  return static_cast<int>(std::min<long long>(size, kMaxGroup));
}

int ScriptedGroupSize(long long count) {
  return static_cast<int>(std::clamp<long long>(count, 0, kMaxGroup));
}

double ArmourFactor(long long armour_total) {
  return static_cast<double>(armour_total) * (1 / kArmourDivisor);
}

long long BlowAfterArmour(long long raw, double factor) {
  return static_cast<long long>(static_cast<double>(raw) - static_cast<double>(raw) * factor);
}

long long HealPerPotion(long long max_hp, bool cleric) {
  // Raising a share below 1 to 1 and then truncating is truncating and
  // then raising to 1.
  return std::max<long long>(ScaledDown(max_hp, cleric ? 0.03 : 0.01), 1);
}

long long PotionsNeeded(long long missing, long long per_potion) {
  const long long needed = missing / std::max<long long>(per_potion, 1);
  return std::max<long long>(needed, 1);
}

Draught Drink(long long hp, long long max_hp, long long potions, long long per_potion) {
  const long long needed = PotionsNeeded(SaturatingSub(max_hp, hp), per_potion);
  if (needed > potions)
    return {potions, SaturatingAdd(hp, SaturatingMul(potions, per_potion)), false};
  return {needed, max_hp, true};
}

bool IsHealer(const std::string& guild, const std::string& first_class,
              const std::string& second_class) {
  return guild == "Divine" || first_class == "Cleric" || second_class == "Cleric";
}

long long HealerOffer(long long potions, const Purenum::Integer& gold) {
  if (potions >= kMaxPotions) return 0;
  const long long room = kMaxPotions - std::max<long long>(potions, 0);
  const Purenum::Integer can_pay = gold / kWanderingPotionPrice;
  if (can_pay < 0) return 0;
  if (can_pay > room) return room;
  return std::stoll(can_pay.str());
}

long long DeathLoss(long long experience) { return std::max<long long>(experience / 10, 0); }

Attributes ResurrectionPenalty(const Attributes& now) {
  auto part = [](long long value, long long divisor) {
    return std::max<long long>(value / divisor, 0);
  };
  return {part(now.max_hp, 100),  part(now.strength, 100), part(now.defense, 100),
          part(now.agility, 100), part(now.max_magic, 50), part(now.charm, 50)};
}

Purenum::Integer HuntTax(const Purenum::Integer& gold, long long tax_rate) {
  return percentage(gold, tax_rate, false);
}

namespace {

// Opponents whose hit points, attack, defence and magic are shares of the
// character's maximum health, strength, defence and maximum magic, each
// product truncated.
Opponents MadeFrom(const FighterStats& who, const char* name, const double (&share)[4],
                   long long count, const char* gold, const char* experience) {
  auto scaled = [](long long value, double factor) {
    return std::to_string(ScaledDown(value, factor));
  };
  return {name,
          scaled(who.max_hp, share[0]),
          scaled(who.strength, share[1]),
          scaled(who.defense, share[2]),
          scaled(who.max_magic, share[3]),
          "0",
          count,
          gold,
          experience};
}

}  // namespace

Opponents KidnappersFor(const FighterStats& hero) {
  return MadeFrom(hero, "Orcs", {0.8, 0.9, 0.8, 0.2}, 6, "20000", "500");
}

Opponents DemonFor(const FighterStats& victim) {
  return MadeFrom(victim, "Summoned Demon", {3, 2, 0.95, 0.8}, 1, "0", "0");
}

}  // namespace trv::combat
