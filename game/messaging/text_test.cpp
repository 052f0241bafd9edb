// The text helpers: which stored markup may reach a screen, and the date.
#include "game/messaging/text.h"

#include <gtest/gtest.h>

#include <regex>

#include "game/messaging/messaging.h"

namespace trv::messaging {
namespace {

TEST(ShowableMarkupTest, KeepsColourNamesAndDropsEverythingElseThatCouldSteerAScreen) {
  EXPECT_EQ("`bright cyan`BANK ROBBERY", ShowableMarkup("`bright cyan`BANK ROBBERY"));
  EXPECT_EQ("`grey`a`Dark Green`b`yellow`", ShowableMarkup("`grey`a`Dark Green`b`yellow`"));
  EXPECT_EQ("Bens gift", ShowableMarkup("Ben`s gift"));
  EXPECT_EQ("not a colour", ShowableMarkup("`not a colour`"));
  EXPECT_EQ("x`bright red`y", ShowableMarkup("x``bright red`y"));
  EXPECT_EQ("[2Jcleared", ShowableMarkup("\x1b[2Jcleared\a\r\n\x7f\xff"));
  EXPECT_EQ("", ShowableMarkup(nullptr));
  EXPECT_EQ("\260\261\262 shades \262\261\260", ShowableMarkup("\260\261\262 shades \262\261\260"));
}

TEST(ClipToColumnsTest, CountsOnlyWhatTakesAColumn) {
  struct Case {
    std::string text;
    int columns;
    std::string expected;
  } cases[] = {
      {"abcdef", 4, "abcd"},
      {"abc", 4, "abc"},
      {"\x1b[1;31;40mab\x1b[0mcd", 3, "\x1b[1;31;40mab\x1b[0mc"},
      {"ab\x1b[1;36;40mcd", 2, "ab\x1b[1;36;40m"},  // a colour past the edge costs nothing
      {std::string(73, 'x'), 71, std::string(71, 'x')},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ClipToColumns(c.text, c.columns)) << c.text;
}

TEST(LongDateTest, MonthInNineColumnsTwoDigitDayAndFourDigitYear) {
  std::string date = LongDate();
  EXPECT_TRUE(std::regex_match(date, std::regex("[A-Z][a-z]{2,8} * [0-3][0-9], [0-9]{4}"))) << date;
  EXPECT_EQ(18u, date.size());
}

}  // namespace
}  // namespace trv::messaging
