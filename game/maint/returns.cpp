#include "game/maint/returns.h"

#include <ctype.h>

#include "game/money/money.h"

namespace trv::maint {
namespace {

bool IsDecimal(const char* text) {
  if (text == nullptr) return false;
  if (*text == '-') ++text;
  if (*text == '\0') return false;
  for (; *text; ++text)
    if (!isdigit(static_cast<unsigned char>(*text))) return false;
  return true;
}

}  // namespace

Purenum::Integer Amount(const char* text) {
  return IsDecimal(text) ? Purenum::Integer(text) : Purenum::Integer(0);
}

Purenum::Integer NonNegativeAmount(const char* text) {
  Purenum::Integer value = Amount(text);
  return value < 0 ? Purenum::Integer(0) : value;
}

Purenum::Integer InvestmentReturn(const Investment& kind, const Purenum::Integer& count) {
  return percentage(Purenum::Integer(kind.unit_value) * count, kind.daily_percent, false);
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
