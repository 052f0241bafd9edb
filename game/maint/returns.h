// The daily money of one character: bank interest and investment returns,
// and the merchant tax a kingdom takes from the legal returns.
#ifndef TRV_GAME_MAINT_RETURNS_H_
#define TRV_GAME_MAINT_RETURNS_H_

#include <string>

#include "game/money/Integer.h"
#include "game/player/investments.h"

namespace trv::maint {

inline constexpr int kBankInterestPercent = 2;

// The day's return of `count` units of one kind: its daily percentage of
// the build price of every unit, truncated.
Purenum::Integer InvestmentReturn(const player::Investment& kind, const Purenum::Integer& count);

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
