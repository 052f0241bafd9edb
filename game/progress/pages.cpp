#include "game/progress/pages.h"

#include <stdarg.h>
#include <stdio.h>

#include <vector>

#include "doorkit/doorkit.h"
#include "game/money/money.h"

namespace trv::progress {

bool ListInPages(int count, int per_page, const char* question,
                 const std::function<void(int page)>& head, const std::function<void(int)>& row) {
  for (int i = 0; i < count; ++i) {
    if (i % per_page == 0) head(i / per_page);
    row(i);
    if ((i + 1) % per_page == 0) {
      od_printf("%s", question);
      const char answer = od_get_answer("\rYN");
      if (answer == 'N' || answer == 0) return false;
    }
  }
  return true;
}

std::string Formatted(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::vector<char> text(length > 0 ? length + 1 : 1);
  vsnprintf(text.data(), text.size(), format, again);
  va_end(again);
  return std::string(text.data());
}

std::string GroupedNumber(long long value) { return AddCommas(std::to_string(value)); }

}  // namespace trv::progress
