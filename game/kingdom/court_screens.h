// Pieces the court's screens share, and the screens one menu opens in
// another file. Only game/kingdom includes this.
#ifndef TRV_GAME_KINGDOM_COURT_SCREENS_H_
#define TRV_GAME_KINGDOM_COURT_SCREENS_H_

#include <string>

#include "game/kingdom/court.h"
#include "game/money/Integer.h"

namespace trv::kingdom {

// The banner "Press Any Key" between shade brackets in `colour` (markup),
// then a key.
void PressAnyKeyIn(const char* colour);
// "\n\n\r`bright red`" + text, then a key: a refusal.
void Refuse(const char* text);
// Said when the caller's seat at court (or the kingdom a screen is about)
// went while the screen was open; Tell also waits for a key.
void SaySeatLost();
void TellSeatLost();

// A line of digits of at most `digits` characters; "" for none.
std::string ReadDigits(int digits);

// A kingdom's Treasury, read leniently (NULL, '' or garbage is 0).
Purenum::Integer TreasuryOf(const std::string& kingdom);
// Adds `delta` (negative to take) to the treasury of `kingdom` as decimal
// text. Runs inside the caller's write unit.
void AddToTreasury(const std::string& kingdom, const Purenum::Integer& delta);

// The screens behind the court menus. `seat` is the caller's seat when
// the menu opened; each change checks it again.
void RoyalArmyMenu(const Seat& seat);
void ImprovementsMenu(const Seat& seat);
void TowersScreen(const Seat& seat);
void LandScreen(const Seat& seat);
void TreasuryScreen(const Seat& seat);  // a citizen's is the guards' donation
void TaxScreen(const Seat& seat);
void NoblesScreen(const Seat& seat);
void CovertMenu(const Seat& seat);

// The request handlers of kinds 3 to 8 (diplomacy) and 9 to 13 (trade).
void RegisterDiplomacyRequests();
void RegisterTradeRequests();

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_COURT_SCREENS_H_
