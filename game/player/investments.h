// The seven investments a character can hold: one catalogue for the
// merchant wharves, the daily returns of maintenance, the alley's
// destruction and TRVConfig's editor.
//
// Each kind is a player column holding the number of units owned as
// decimal text ('0' for a new character); read it with Amount().
#ifndef TRV_GAME_PLAYER_INVESTMENTS_H_
#define TRV_GAME_PLAYER_INVESTMENTS_H_

#include <stddef.h>

namespace trv::player {

struct Investment {
  const char* column;       // the player column
  const char* name;         // as the merchant wharves list it
  char merchant_key;        // its key on the wharves' menu
  bool legal;               // legal returns pay the kingdom's merchant tax
  const char* build_price;  // gold per unit built; the daily return is on it
  const char* sale_price;   // gold per unit sold back; nullptr: cannot be sold
  int daily_percent;        // the day's return, in percent of the build price
};

// In the order of the holdings columns (TRVConfig's editor lists A to G in
// this order).
inline constexpr Investment kInvestments[] = {
    {"Smuggling", "Smuggling Warehouses", 'S', false, "1000000", nullptr, 30},
    {"DrugTrade", "Drug Labs", 'D', false, "120000000", nullptr, 45},
    {"FleshTrade", "Whore Houses", 'F', false, "5000000", nullptr, 35},
    {"HouseTrade", "Housing Developments", 'H', true, "40000", "20000", 20},
    {"WaterTower", "Water Silos", 'W', true, "10000000", "5000000", 20},
    {"OreMine", "Ore Mines", 'O', true, "1000000000", "500000000", 5},
    {"Granary", "Granary Silos", 'G', true, "45000000", "20000000", 25},
};
inline constexpr size_t kInvestmentKinds = sizeof kInvestments / sizeof kInvestments[0];

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_INVESTMENTS_H_
