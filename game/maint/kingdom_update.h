// The kingdoms' daily update: caps, serf growth, decay, the day's taxes
// and the serfs' answer to a low support.
#ifndef TRV_GAME_MAINT_KINGDOM_UPDATE_H_
#define TRV_GAME_MAINT_KINGDOM_UPDATE_H_

#include <string>

#include "game/money/Integer.h"

namespace trv::maint {

inline constexpr int kSoldierCap = 10000000;
inline constexpr int kLandCap = 2000000;
inline constexpr int kSerfGrowthPercent = 2;
inline constexpr int kSerfTaxPerSerf = 3948;
inline constexpr int kExodusSupport = 55;
inline constexpr int kExodusPercent = 20;
inline constexpr int kRevoltSupport = 30;

// True when the stored soldiers (text) run past the cap.
bool SoldiersOverCap(const char* soldiers);
// True when the stored land (text) is longer than eight characters; land
// of up to eight digits is left alone whatever its value.
bool LandOverCap(const char* land);

Purenum::Integer SerfGrowth(const Purenum::Integer& land);
Purenum::Integer SerfTax(const Purenum::Integer& serfs);
Purenum::Integer ExodusLoss(const Purenum::Integer& serfs);

// What one draw of rand() % 10 does to the kingdom's defences.
struct Decay {
  int border_guard_loss = 0;      // malaria
  int crime_prevention_loss = 0;  // rumours of war
};
Decay DecayFor(int roll, long long border_guard_rating, long long crime_prevention);

// Rolls every kingdom forward a day, inside the maintenance transaction.
// Draws from the random generator the run seeded.
void UpdateKingdomsDaily();

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_KINGDOM_UPDATE_H_
