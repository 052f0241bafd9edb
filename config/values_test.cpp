#include "config/values.h"

#include <gtest/gtest.h>

namespace trv::config {
namespace {

TEST(EnteredNumber, DigitsReadAsTheirValueLeadingZerosDropped) {
  EXPECT_EQ(5, EnteredNumber("05"));
  EXPECT_EQ(100, EnteredNumber("000100"));
  EXPECT_EQ(0, EnteredNumber("0"));
  EXPECT_EQ(99999, EnteredNumber("99999"));
  EXPECT_EQ(999999, EnteredNumber("999999"));
}

TEST(EnteredNumber, EmptyOrNotPlainDigitsKeepsTheOldValue) {
  EXPECT_FALSE(EnteredNumber(""));
  EXPECT_FALSE(EnteredNumber("-5"));
  EXPECT_FALSE(EnteredNumber("1a"));
  EXPECT_FALSE(EnteredNumber(" 5"));
  // Too large for the column's int: never wraps to a negative number.
  EXPECT_FALSE(EnteredNumber("2147483648"));
  EXPECT_EQ(2147483647, EnteredNumber("2147483647"));
  EXPECT_FALSE(EnteredNumber("99999999999999999999"));
}

TEST(IsRealDate, AcceptsCalendarDaysInMmDdYyyy) {
  EXPECT_TRUE(IsRealDate("01052006"));
  EXPECT_TRUE(IsRealDate("12312099"));
  EXPECT_TRUE(IsRealDate("04302030"));
  EXPECT_TRUE(IsRealDate("02292024"));  // leap year
  EXPECT_TRUE(IsRealDate("02292000"));  // divisible by 400
}

TEST(IsRealDate, RefusesDaysTheCalendarLacks) {
  EXPECT_FALSE(IsRealDate("13012006"));
  EXPECT_FALSE(IsRealDate("00012006"));
  EXPECT_FALSE(IsRealDate("01002006"));
  EXPECT_FALSE(IsRealDate("01322006"));
  EXPECT_FALSE(IsRealDate("04312006"));
  EXPECT_FALSE(IsRealDate("02292023"));
  EXPECT_FALSE(IsRealDate("02302024"));
}

TEST(IsRealDate, RefusesAnythingButEightDigits) {
  EXPECT_FALSE(IsRealDate(""));
  EXPECT_FALSE(IsRealDate("0105200"));
  EXPECT_FALSE(IsRealDate("010520060"));
  EXPECT_FALSE(IsRealDate("0105 006"));
  EXPECT_FALSE(IsRealDate("01/05/06"));
}

}  // namespace
}  // namespace trv::config
