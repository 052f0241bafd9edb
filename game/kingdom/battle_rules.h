// The battles of the realm without a screen: the four battle plans, the
// loss limits of a round, and what a coup or a war leaves behind. The coup
// (a militia against its own kingdom's army) and the war (one kingdom's
// army against another's) are fought by the same rules.
#ifndef TRV_GAME_KINGDOM_BATTLE_RULES_H_
#define TRV_GAME_KINGDOM_BATTLE_RULES_H_

#include <functional>
#include <string>

#include "game/money/Integer.h"

namespace trv::kingdom {

enum class Plan { kNormal = 0, kBombardment = 1, kCharge = 2, kDefensive = 3 };
inline constexpr int kPlans = 4;

// A plan's factors in hundredths, after the exceptions that look at the
// other side's plan (a bombardment is not exposed to a normal battle, a
// charge not to a bombardment).
struct Factors {
  int attack = 0;
  int exposure = 0;
  int artillery = 0;
};
Factors FactorsOf(Plan plan, Plan other);

// The name the attacker's plan goes by ("Normal", "Bombardment", "Charge
// Battle", "Defensive") and the defending army's, as the caller sees it
// ("Normal Battle" ...).
const char* PlanName(Plan plan);
const char* DefenderPlanName(Plan plan);

// The four units of an army, in the order a round takes them.
enum Unit { kSoldiers = 0, kDragonRiders, kCannons, kKatapults, kUnitKinds };
struct Units {
  long long count[kUnitKinds] = {};
};

// What shields a kingdom's army: its towers of sorcery scale every loss by
// towers / 100 (none without towers), then its training and equipment cut
// the soldiers' losses. A militia is not shielded.
struct Shield {
  bool kingdom = false;
  long long towers = 0;
  long long training = 0;
  long long equipment = 0;
};

// rand() % n, for n > 1; tests pass their own.
using Draw = std::function<long long(long long n)>;

// The most a unit can lose: count x the enemy's attack (or artillery) x
// own exposure / 10,000, exactly, in 64 bits; 0 for no count.
long long LossLimit(long long count, int enemy_factor, int own_exposure);
// A drawn loss after the shield, truncating at each step: towers, then for
// soldiers training and equipment below 100.
long long ShieldedLoss(long long drawn, Unit unit, const Shield& shield);
// One side's losses in a round. A draw is made for each unit whose limit
// is above 1, in the unit order; a loss never exceeds what there is.
Units RoundLosses(const Units& army, const Shield& shield, const Factors& enemy, const Factors& own,
                  const Draw& draw);

// Equipment wears in battle only above 10 percent.
bool EquipmentWears(long long rating);

// What a failed coup costs the leader's body: a fiftieth of max hit
// points, strength, defence and agility, a twentieth of max magic and
// leadership (negative values lose nothing).
struct Mutilation {
  long long max_hp = 0, strength = 0, defense = 0, agility = 0, max_magic = 0, leadership = 0;
};
Mutilation MutilationOf(const Mutilation& values);

// A won war takes a tenth of the defender's land; a defender with no more
// than 99 acres or 49 soldiers before that is destroyed instead of kept.
long long CapturedAcres(long long land);
bool DefenderSurvives(long long land, long long soldiers);

// The holdings a plunder burns, in the order it burns them.
struct PlunderRate {
  const char* column;  // the player column
  int percent;         // destroyed, truncated
  const char* total;   // the total on the attacker's screen
  const char* word;    // the defender's letter
};
inline constexpr PlunderRate kPlunderRates[] = {
    {"FleshTrade", 12, "Prostitute Houses", " whore houses,"},
    {"Granary", 10, "Granary Silos", " granary silos,"},
    {"HouseTrade", 25, "Housing Developments", " houses,"},
    {"OreMine", 10, "Ore Mines", " ore mines,"},
    {"DrugTrade", 20, "Drug Houses", " drug houses"},
    {"Smuggling", 5, "Smuggling Warehouses", " smuggling warehouses,"},
    {"WaterTower", 30, "Water Towers", " water towers.."},
};
inline constexpr int kPlunderKinds = sizeof kPlunderRates / sizeof kPlunderRates[0];

// The militia's purchases: key, price of one, cap, digits typed, column.
struct MilitiaUnit {
  char key;
  const char* unit;   // "cannons", as the prompt names them
  const char* title;  // "Cannons", as the banner names them
  const char* price;
  long long cap;
  int digits;
  const char* column;
};
extern const MilitiaUnit kMilitiaUnits[5];
const MilitiaUnit* MilitiaUnitFor(char key);

// The coup's soldiers: at least 200 to lead one (and an army invasion).
inline constexpr long long kLeastArmy = 200;
// A coup succeeds when the kingdom is left with no more soldiers than the
// militia; a war is won when the attacker lost no more soldiers than it
// killed.
bool CoupSucceeds(long long militia_soldiers, long long kingdom_soldiers);
bool WarWon(long long attacker_lost, long long defender_killed);

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_BATTLE_RULES_H_
