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

TEST(LongDateTest, MonthInNineColumnsTwoDigitDayAndFourDigitYear) {
  std::string date = LongDate();
  EXPECT_TRUE(std::regex_match(date, std::regex("[A-Z][a-z]{2,8} * [0-3][0-9], [0-9]{4}"))) << date;
  EXPECT_EQ(18u, date.size());
}

}  // namespace
}  // namespace trv::messaging
