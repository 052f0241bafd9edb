#include "game/ui/game_date.h"

#include <ctype.h>
#include <string.h>
#include <strings.h>
#include <time.h>

namespace trv {
namespace {

const char* const kMonths[12] = {"January",   "February", "March",    "April",
                                 "May",       "June",     "July",     "August",
                                 "September", "October",  "November", "December"};

// Length of the run of `c` that starts at `pos`.
size_t RunLength(const std::string& s, size_t pos, char c) {
  size_t end = pos;
  while (end < s.size() && s[end] == c) ++end;
  return end - pos;
}

}  // namespace

int DaysInMonth(int year, int month) {
  static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && year % 4 == 0) return 29;
  return kLengths[month - 1];
}

long DayNumber(int year, int month, int day) {
  long n = year * 365L + (year > 0 ? (year - 1) / 4 : 0);
  for (int m = 1; m < month && m <= 12; ++m) n += DaysInMonth(year, m);
  return n + day;
}

const char* MonthName(int month) { return month >= 1 && month <= 12 ? kMonths[month - 1] : ""; }

std::optional<GameDate> GameDate::Of(int year, int month, int day) {
  if (year < 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  GameDate date;
  date.year = year;
  date.month = month;
  date.day = day;
  date.daynum = DayNumber(year, month, day);
  return date;
}

GameDate GameDate::Today() {
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  char text[16];
  strftime(text, sizeof text, "%Y%m%d", &local);
  std::optional<GameDate> today = Parse(text, "YYYYMMDD");
  return today ? *today : GameDate();
}

std::optional<GameDate> GameDate::Parse(const std::string& text, const std::string& format) {
  int year = 0, month = 0, day = 0;
  size_t t = 0;
  for (size_t f = 0; f < format.size();) {
    char c = format[f];
    size_t run = RunLength(format, f, 'M');
    if (c == 'M' && run >= 3) {
      int found = 0;
      for (int m = 1; m <= 12 && !found; ++m) {
        size_t len = strlen(kMonths[m - 1]);
        if (text.size() - t >= len && strncasecmp(text.c_str() + t, kMonths[m - 1], len) == 0) {
          found = m;
          t += len;
          for (size_t pad = len; pad < run && t < text.size() && text[t] == ' '; ++pad) ++t;
        }
      }
      if (!found) return std::nullopt;
      month = found;
      f += run;
      continue;
    }
    if (t >= text.size()) return std::nullopt;
    if (c == 'Y' || c == 'M' || c == 'D') {
      if (!isdigit(static_cast<unsigned char>(text[t]))) return std::nullopt;
      int digit = text[t] - '0';
      int& field = c == 'Y' ? year : c == 'M' ? month : day;
      field = field * 10 + digit;
    } else if (text[t] != c) {
      return std::nullopt;
    }
    ++f;
    ++t;
  }
  if (t != text.size()) return std::nullopt;
  return Of(year, month, day);
}

std::string GameDate::Format(const std::string& format) const {
  std::string out;
  for (size_t f = 0; f < format.size();) {
    char c = format[f];
    if (c != 'Y' && c != 'M' && c != 'D') {
      out += c;
      ++f;
      continue;
    }
    size_t run = RunLength(format, f, c);
    if (c == 'M' && run >= 3) {
      std::string name = MonthName(month);
      if (name.size() < run) name.append(run - name.size(), ' ');
      out += name;
    } else {
      // The last `run` digits of the field, zero-filled.
      long value = c == 'Y' ? year : c == 'M' ? month : day;
      std::string digits(run, '0');
      for (size_t i = run; i-- > 0; value /= 10) digits[i] = static_cast<char>('0' + value % 10);
      out += digits;
    }
    f += run;
  }
  return out;
}

}  // namespace trv
