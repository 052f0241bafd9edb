#include "config/values.h"

#include <limits.h>

#include "game/ui/game_date.h"

namespace trv::config {
namespace {

bool AllDigits(const std::string& text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::optional<int> EnteredNumber(const std::string& typed) {
  if (typed.empty() || !AllDigits(typed)) return std::nullopt;
  long long value = 0;
  for (char c : typed) {
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return std::nullopt;
  }
  return static_cast<int>(value);
}

bool IsRealDate(const std::string& mmddyyyy) {
  return GameDate::Parse(mmddyyyy, "MMDDYYYY").has_value();
}

}  // namespace trv::config
