// What the progression screens share: lists shown a page at a time, and
// lines formatted in memory.
#ifndef TRV_GAME_PROGRESS_PAGES_H_
#define TRV_GAME_PROGRESS_PAGES_H_

#include <functional>
#include <string>

namespace trv::progress {

// Rows 0 to count - 1, `per_page` to a page: `head(page)` before the first
// row of each page, `row(i)` for each row, and after every per_page-th row
// (the last one too) `question` (colour markup), answered by Enter, y or
// n. Returns false when the caller answered n or the line is gone: the
// list ends at once, without its closing prompt.
bool ListInPages(int count, int per_page, const char* question,
                 const std::function<void(int page)>& head, const std::function<void(int)>& row);

// printf into a string, for lines built in memory before od_disp_emu.
std::string Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A number digit-grouped ("1,234").
std::string GroupedNumber(long long value);

}  // namespace trv::progress

#endif  // TRV_GAME_PROGRESS_PAGES_H_
