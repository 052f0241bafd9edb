#include "game/combat/arena_rules.h"

#include <algorithm>

#include "game/money/saturating.h"

namespace trv::combat {
namespace {

// A figure of a guard: the challenger's own, scaled and truncated.
std::string Scaled(long long value, double factor) {
  return std::to_string(ScaledDown(value, factor));
}

}  // namespace

bool InLeague(long long challenger_level, long long opponent_level) {
  return static_cast<double>(opponent_level) >= static_cast<double>(challenger_level) * 0.45;
}

long long AttackRating(const Fighter& striker) {
  return SaturatingMul(striker.mental, SaturatingAdd(striker.agility / 2, striker.strength / 3));
}

long long DefenceRating(const Fighter& struck, bool defending) {
  const long long defense =
      defending ? SaturatingMul(4, struck.defense) / 5 : SaturatingMul(3, struck.defense) / 5;
  const long long agility =
      defending ? SaturatingMul(5, struck.agility) / 3 : SaturatingMul(4, struck.agility) / 3;
  return SaturatingMul(struck.mental, SaturatingAdd(defense, agility));
}

int HitMargin(long long attack, long long defence) {
  if (defence <= 0) return 100;
  // Far beyond any real rating; keeps ratio × 1000 inside 64 bits.
  constexpr double kMaxRatio = 1e12;
  const double ratio =
      std::clamp(static_cast<double>(attack) / static_cast<double>(defence), -kMaxRatio, kMaxRatio);
  long long t = static_cast<long long>(ratio * 100);
  if (t >= 100) t = static_cast<long long>(ratio * 1000);
  return static_cast<int>(t % 100);
}

long long BlowBound(long long strength) { return std::max<long long>(strength, 1); }

long long BlowDamage(long long raw, long long weapon_bonus, long long armour_total) {
  const double stopped =
      static_cast<double>(armour_total) / kArmourDivisor * static_cast<double>(weapon_bonus);
  const double damage = static_cast<double>(raw) - stopped;
  if (!(damage > 0)) return 0;
  return ScaledDown(1, damage);  // truncated, within 64 bits
}

PoisonedHit PoisonOnHit(long long poison_level, long long victim_poison) {
  PoisonedHit hit;
  hit.victim_poison = victim_poison;
  if (poison_level > 0 && victim_poison <= 0) {
    hit.newly_poisoned = true;
    hit.victim_poison = poison_level;
  }
  if (hit.victim_poison > 0) hit.poison_added = hit.victim_poison;
  return hit;
}

Verdict VerdictOf(bool executed, bool thumbs_up, long long divine) {
  Verdict verdict;
  if (executed) {
    verdict.divine_loss = ScaledDown(divine, 0.02);
    if (thumbs_up) verdict.leadership = -2;
  } else if (!thumbs_up) {
    verdict.leadership = 1;
  }
  return verdict;
}

long long ArenaExperience(long long experience) { return DeathLoss(experience); }

Mutilation MutilationOf(const Mutilation& stats) {
  auto share = [](long long value, double factor) {
    return std::max<long long>(ScaledDown(value, factor), 0);
  };
  return {share(stats.max_hp, 0.01), share(stats.strength, 0.01),  share(stats.defense, 0.01),
          share(stats.mental, 0.01), share(stats.max_magic, 0.02), share(stats.leadership, 0.02)};
}

std::optional<DoorGuards> DoorGuardsFor(const std::string& inn, const FighterStats& challenger,
                                        long long count) {
  struct Kind {
    const char* room;
    const char* kind;
    double hp, attack, defence, magic;
    const char* poison;
    const char* gold;
    const char* experience;
  };
  static const Kind kKinds[] = {
      {"1", "Human", 0.99, 0.99, 0.3, 0.01, "0", "10000", "5000"},
      {"2", "Gnoll", 2, 2, 3, 0.2, "40", "25000", "10000"},
      {"3", "Devil Hound", 4, 4, 3, 0.5, "60", "30000", "30000"},
      {"4", "Red Dragon", 7, 7, 5, 0.9, "200", "50000", "60000"},
  };
  for (const Kind& k : kKinds) {
    if (inn != k.room) continue;
    Opponents guards;
    guards.name = std::string(k.kind) + " Bodyguard";
    guards.hit_points = Scaled(challenger.max_hp, k.hp);
    guards.attack = Scaled(challenger.strength, k.attack);
    guards.defence = Scaled(challenger.defense, k.defence);
    guards.magic = Scaled(challenger.max_magic, k.magic);
    guards.poison = k.poison;
    guards.count = count;
    guards.gold = k.gold;
    guards.experience = k.experience;
    return DoorGuards{k.kind, guards};
  }
  return std::nullopt;
}

}  // namespace trv::combat
