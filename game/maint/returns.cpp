#include "game/maint/returns.h"

#include "game/money/money.h"

namespace trv::maint {

Purenum::Integer InvestmentReturn(const player::Investment& kind, const Purenum::Integer& count) {
  return percentage(Purenum::Integer(kind.build_price) * count, kind.daily_percent, false);
}

Purenum::Integer BankInterest(const Purenum::Integer& bank) {
  if (bank < 0) return 0;
  return percentage(bank, kBankInterestPercent, false);
}

MerchantSplit SplitMerchantTax(const Purenum::Integer& legal, int merchant_tax_percent) {
  MerchantSplit split;
  split.tax = percentage(legal, merchant_tax_percent, false);
  split.kept = legal - split.tax;
  return split;
}

}  // namespace trv::maint
