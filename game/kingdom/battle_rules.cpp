#include "game/kingdom/battle_rules.h"

#include <limits.h>

#include <algorithm>

namespace trv::kingdom {
namespace {

// The plan table in hundredths: attack, exposure, artillery.
constexpr Factors kPlanTable[kPlans] = {
    {70, 70, 20},  // Normal
    {30, 30, 85},  // Bombardment
    {85, 30, 0},   // Charge Battle
    {30, 85, 30},  // Defensive
};

// a x b / c for non-negative a and small b, c, without overflow.
long long Scaled(long long a, long long b, long long c) {
  if (a <= 0 || b <= 0 || c <= 0) return 0;
  const __int128 product = static_cast<__int128>(a) * b / c;
  return product > LLONG_MAX ? LLONG_MAX : static_cast<long long>(product);
}

}  // namespace

Factors FactorsOf(Plan plan, Plan other) {
  Factors f = kPlanTable[static_cast<int>(plan)];
  if (plan == Plan::kBombardment && other == Plan::kNormal) f.exposure = 0;
  if (plan == Plan::kCharge && other == Plan::kBombardment) f.exposure = 0;
  return f;
}

const char* PlanName(Plan plan) {
  static const char* const kNames[kPlans] = {"Normal", "Bombardment", "Charge Battle", "Defensive"};
  return kNames[static_cast<int>(plan)];
}

const char* DefenderPlanName(Plan plan) {
  static const char* const kNames[kPlans] = {"Normal Battle", "Bombardment", "Charge Battle",
                                             "Defensive"};
  return kNames[static_cast<int>(plan)];
}

long long LossLimit(long long count, int enemy_factor, int own_exposure) {
  return Scaled(count, static_cast<long long>(enemy_factor) * own_exposure, 10000);
}

long long ShieldedLoss(long long drawn, Unit unit, const Shield& shield) {
  if (!shield.kingdom) return drawn;
  long long loss = Scaled(drawn, shield.towers, 100);
  if (unit == kSoldiers) {
    if (shield.training < 100) loss = Scaled(loss, 100 - shield.training, 100);
    if (shield.equipment < 100) loss = Scaled(loss, 100 - shield.equipment, 100);
  }
  return loss;
}

Units RoundLosses(const Units& army, const Shield& shield, const Factors& enemy, const Factors& own,
                  const Draw& draw) {
  Units lost;
  for (int u = 0; u < kUnitKinds; ++u) {
    const int factor = u == kSoldiers || u == kDragonRiders ? enemy.attack : enemy.artillery;
    const long long limit = LossLimit(army.count[u], factor, own.exposure);
    if (limit <= 1) continue;
    const long long loss = ShieldedLoss(draw(limit), static_cast<Unit>(u), shield);
    lost.count[u] = std::max(0LL, std::min(loss, army.count[u]));
  }
  return lost;
}

bool EquipmentWears(long long rating) { return rating > 10; }

Mutilation MutilationOf(const Mutilation& v) {
  auto part = [](long long value, long long divisor) { return value > 0 ? value / divisor : 0; };
  Mutilation lost;
  lost.max_hp = part(v.max_hp, 50);
  lost.strength = part(v.strength, 50);
  lost.defense = part(v.defense, 50);
  lost.agility = part(v.agility, 50);
  lost.max_magic = part(v.max_magic, 20);
  lost.leadership = part(v.leadership, 20);
  return lost;
}

long long CapturedAcres(long long land) { return land > 0 ? land / 10 : 0; }

bool DefenderSurvives(long long land, long long soldiers) { return land > 99 && soldiers > 49; }

const MilitiaUnit kMilitiaUnits[5] = {
    {'H', "soldiers", "Soldiers", "200000", 10000000, 8, "Soldiers"},
    {'P', "cannons", "Cannons", "12000000", 25, 2, "Kannons"},
    {'D', "dragon riders", "Dragon Riders", "1000000", 100, 3, "DragonRiders"},
    {'B', "katapults", "Katapults", "100000000", 30, 2, "Katapults"},
    {'E', "equipment rating", "Equipment Rating", "500000", 100, 3, "EquipmentRating"},
};

const MilitiaUnit* MilitiaUnitFor(char key) {
  for (const MilitiaUnit& unit : kMilitiaUnits)
    if (unit.key == key) return &unit;
  return nullptr;
}

bool CoupSucceeds(long long militia_soldiers, long long kingdom_soldiers) {
  return kingdom_soldiers <= militia_soldiers;
}

bool WarWon(long long attacker_lost, long long defender_killed) {
  return attacker_lost <= defender_killed;
}

}  // namespace trv::kingdom
