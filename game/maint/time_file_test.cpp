// The 13-byte record of the last maintenance day.
#include "game/maint/time_file.h"

#include <gtest/gtest.h>

namespace trv::maint {
namespace {

TEST(TimeRecordTest, ThirteenBytesRoundTrip) {
  GameDate date = *GameDate::Of(2026, 12, 7);
  const std::string record = TimeRecord(date);
  ASSERT_EQ(13u, record.size());
  EXPECT_EQ(std::string("20261207\0\0\0\0\0", 13), record);
  auto back = ParseTimeRecord(record.data(), record.size());
  ASSERT_TRUE(back);
  EXPECT_EQ(date.daynum, back->daynum);
}

TEST(TimeRecordTest, ShortOrGarbledRecordsAreDue) {
  const std::string good = TimeRecord(*GameDate::Of(2026, 12, 7));
  EXPECT_FALSE(ParseTimeRecord(good.data(), 12));
  EXPECT_FALSE(ParseTimeRecord(good.data(), 0));
  EXPECT_FALSE(ParseTimeRecord("2026120X\0\0\0\0\0", 13));
  EXPECT_FALSE(ParseTimeRecord("20261207XXXXX", 13));  // no terminator
  EXPECT_FALSE(ParseTimeRecord("20261232\0\0\0\0\0", 13));
}

}  // namespace
}  // namespace trv::maint
