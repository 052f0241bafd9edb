// The daily money of one character: bank interest and investment returns,
// and the merchant tax a kingdom takes from the legal returns.
#ifndef TRV_GAME_MAINT_RETURNS_H_
#define TRV_GAME_MAINT_RETURNS_H_

#include <string>

#include "game/money/Integer.h"

namespace trv::maint {

// One investment kind: the player column holding the count of units, the
// value of a unit and the percentage it returns each day.
struct Investment {
  const char* column;
  const char* unit_value;
  int daily_percent;
};

inline constexpr Investment kLegalInvestments[] = {
    {"HouseTrade", "40000", 20},
    {"WaterTower", "10000000", 20},
    {"OreMine", "1000000000", 5},
    {"Granary", "45000000", 25},
};
inline constexpr Investment kIllegalInvestments[] = {
    {"DrugTrade", "120000000", 45},
    {"FleshTrade", "5000000", 35},
    {"Smuggling", "1000000", 30},
};

inline constexpr int kBankInterestPercent = 2;

// An amount stored as text: NULL, '' and anything that is not a decimal
// integer count as 0, so one damaged row cannot stop the day.
Purenum::Integer Amount(const char* text);
// The same with a negative value raised to 0.
Purenum::Integer NonNegativeAmount(const char* text);

// The day's return of `count` units of one kind (truncated).
Purenum::Integer InvestmentReturn(const Investment& kind, const Purenum::Integer& count);

// Interest on a bank balance (a negative balance earns none).
Purenum::Integer BankInterest(const Purenum::Integer& bank);

// How a kingdom's merchant tax splits a character's legal returns.
struct MerchantSplit {
  Purenum::Integer tax;
  Purenum::Integer kept;
};
MerchantSplit SplitMerchantTax(const Purenum::Integer& legal, int merchant_tax_percent);

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_RETURNS_H_
