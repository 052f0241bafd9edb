#include "game/ui/game_date.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

// The day after `date`, counted by hand.
GameDate Next(const GameDate& date) {
  if (auto d = GameDate::Of(date.year, date.month, date.day + 1)) return *d;
  if (auto d = GameDate::Of(date.year, date.month + 1, 1)) return *d;
  return *GameDate::Of(date.year + 1, 1, 1);
}

TEST(GameDateTest, ConsecutiveDaysDifferByOneAcrossMonthsLeapYearsAndYears) {
  GameDate day = *GameDate::Of(1999, 1, 1);
  int days = 0;
  while (day.year < 2031) {
    GameDate next = Next(day);
    ASSERT_EQ(day.daynum + 1, next.daynum) << day.Format("YYYY-MM-DD");
    day = next;
    ++days;
  }
  EXPECT_EQ(32 * 365 + 8, days);  // 1999-2030, with the leap days of 2000 to 2028
}

TEST(GameDateTest, DayNumberFollowsTheRule) {
  EXPECT_EQ(2024L * 365 + 2023 / 4 + 31 + 29, DayNumber(2024, 2, 29));
  EXPECT_EQ(31 + 5, DayNumber(0, 2, 5));  // no leap days before year 0
  EXPECT_EQ(29, DaysInMonth(2024, 2));
  EXPECT_EQ(28, DaysInMonth(2023, 2));
  EXPECT_EQ(30, DaysInMonth(2023, 11));
}

TEST(GameDateTest, ParsesByTemplate) {
  auto stored = GameDate::Parse("20240229", "YYYYMMDD");
  ASSERT_TRUE(stored);
  EXPECT_EQ(2024, stored->year);
  EXPECT_EQ(2, stored->month);
  EXPECT_EQ(29, stored->day);
  auto end = GameDate::Parse("12252030", "MMDDYYYY");
  ASSERT_TRUE(end);
  EXPECT_EQ(DayNumber(2030, 12, 25), end->daynum);
  auto named = GameDate::Parse("march 05, 2024", "MMM DD, YYYY");
  ASSERT_TRUE(named);
  EXPECT_EQ(3, named->month);
  auto padded = GameDate::Parse("May       07, 2026", "MMMMMMMMM DD, YYYY");
  ASSERT_TRUE(padded);
  EXPECT_EQ(5, padded->month);
  EXPECT_EQ(7, padded->day);
}

TEST(GameDateTest, RefusesTextThatIsNoRealDate) {
  for (const char* text :
       {"20230229", "20241301", "20240100", "2024ab01", "2024011", "202401011", "", "2024-1-01"})
    EXPECT_FALSE(GameDate::Parse(text, "YYYYMMDD")) << text;
  EXPECT_FALSE(GameDate::Parse("13452024", "MMDDYYYY"));
  EXPECT_FALSE(GameDate::Parse("Smarch 05, 2024", "MMM DD, YYYY"));
}

TEST(GameDateTest, FormatsByTemplate) {
  GameDate date = *GameDate::Of(2005, 6, 4);
  EXPECT_EQ("20050604", date.Format("YYYYMMDD"));
  EXPECT_EQ("06042005", date.Format("MMDDYYYY"));
  EXPECT_EQ("June      04, 2005", date.Format("MMMMMMMMM DD, YYYY"));
  EXPECT_EQ(20050604, date.Number());
  EXPECT_EQ(date.daynum, GameDate::Parse(date.Format("MMDDYYYY"), "MMDDYYYY")->daynum);
}

}  // namespace
}  // namespace trv
