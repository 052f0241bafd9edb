// The game's calendar: a date as maintenance, the tournament and TRVConfig
// compare it (by a day number that only has to order days correctly), and
// the month names every screen that writes a date uses.
#ifndef TRV_GAME_UI_GAME_DATE_H_
#define TRV_GAME_UI_GAME_DATE_H_

#include <optional>
#include <string>

namespace trv {

struct GameDate {
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  int year = 0;   // four digits
  long daynum = 0;

  // Today by the local clock.
  static GameDate Today();
  // A checked date; nullopt when the month or day does not exist.
  static std::optional<GameDate> Of(int year, int month, int day);
  // Reads `text` by a template of Y, M and D: each letter takes the digit
  // at the same position ("YYYYMMDD", "MMDDYYYY"). A run of three or more
  // M takes a month name ("January", any case), blank-padded to the run's
  // length. Any other template character must match the text. nullopt for
  // a text that does not fit or names no real date.
  static std::optional<GameDate> Parse(const std::string& text, const std::string& format);

  // Fills the template the other way; a run of three or more M gives the
  // month name, blank-padded to the run's length.
  std::string Format(const std::string& format) const;
  // YYYYMMDD as a number (what the database remembers as the paid day).
  int Number() const { return year * 10000 + month * 100 + day; }
};

// year x 365 + (year - 1) / 4 + the days of the months before + day.
long DayNumber(int year, int month, int day);
int DaysInMonth(int year, int month);
// "January" to "December"; "" outside 1-12.
const char* MonthName(int month);

}  // namespace trv

#endif  // TRV_GAME_UI_GAME_DATE_H_
