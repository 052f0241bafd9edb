#include "config/values.h"

#include <limits.h>

namespace trv::config {
namespace {

bool AllDigits(const std::string& text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

int DaysIn(int month, int year) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
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
  if (mmddyyyy.size() != 8 || !AllDigits(mmddyyyy)) return false;
  int month = std::stoi(mmddyyyy.substr(0, 2));
  int day = std::stoi(mmddyyyy.substr(2, 2));
  int year = std::stoi(mmddyyyy.substr(4, 4));
  if (month < 1 || month > 12) return false;
  return day >= 1 && day <= DaysIn(month, year);
}

}  // namespace trv::config
