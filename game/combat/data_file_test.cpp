#include "game/combat/data_file.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <stdio.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "game/combat/items.h"
#include "game/combat/magic.h"
#include "game/combat/monsters.h"
#include "game/combat/quests.h"
#include "game/combat/spells.h"

namespace trv::combat {
namespace {

std::string WriteTemp(const std::string& bytes) {
  char path[] = "/tmp/trv_data_XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(static_cast<ssize_t>(bytes.size()), write(fd, bytes.data(), bytes.size()));
  close(fd);
  return path;
}

TEST(DataFileTest, EveryLineIsARecordOrSkippedNeverABogusOne) {
  const DataFormat three{16, {4, 3, 3}};  // lines of up to 15 bytes with the break
  const std::string path = WriteTemp(
      "Axe,10,2\r\n"            // CR/LF
      "\n   \n"                 // blank lines pass silently
      "Bow,20\n"                // too few fields
      "Cap,1,2,3\n"             // too many
      ",30,4\n"                 // an empty name never matches an empty slot
      "Dirk,,5\n"               // an empty field
      "Longnam,1234,6\n"        // 15 bytes: fits, each field cut to its width
      "Elm,1,2,tail,tail,x\n"   // over-long: a head of five fields is skipped
      "Fan,5,1234567890,9,9\n"  // over-long: the head is a record, "0,9,9" is not
      "Gem,7,8");               // no final line break
  const std::optional<DataFile> data = ReadDataFile(path.c_str(), three);
  ASSERT_TRUE(data);
  const std::vector<DataRecord> expected = {
      {"Axe", "10", "2"}, {"Long", "123", "6"}, {"Fan", "5", "123"}, {"Gem", "7", "8"}};
  EXPECT_EQ(expected, data->records);
  EXPECT_EQ(5, data->skipped_lines);
  EXPECT_EQ(2, data->cut_lines);

  const DataFormat two_records{16, {4, 3, 3}, 2};
  EXPECT_EQ(2u, ReadDataFile(path.c_str(), two_records)->records.size());
  unlink(path.c_str());
  EXPECT_FALSE(ReadDataFile("/nonexistent/item.dat", three));
}

TEST(DataFileTest, NumbersReadAsAtolReadsThemButSaturate) {
  const struct {
    const char* text;
    long long number;
    int clamped;
  } kCases[] = {
      {"42", 42, 42},
      {"  -7x", -7, -7},
      {"+5", 5, 5},
      {"abc", 0, 0},
      {"", 0, 0},
      {"3000000000", 3000000000LL, INT_MAX},
      {"-3000000000", -3000000000LL, INT_MIN},
      {"9223372036854775807", LLONG_MAX, INT_MAX},
      {"99999999999999999999", LLONG_MAX, INT_MAX},
      {"-99999999999999999999", LLONG_MIN, INT_MIN},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.number, DataNumber(c.text)) << c.text;
    EXPECT_EQ(c.clamped, DataInt(c.text)) << c.text;
  }
}

// The shipped files: each non-blank line is one record, none is skipped.
TEST(DataFileTest, ShippedDataLoadsWithNoSkippedLine) {
  const struct {
    const char* file;
    const DataFormat& format;
  } kFiles[] = {{"item.dat", kItemFormat},
                {"magic.dat", kSpellFormat},
                {"poison.dat", kPoisonFormat},
                {"monster.dat", kMonsterFormat},
                {"quests.dat", kQuestFormat}};
  for (const auto& f : kFiles) {
    const std::string path = std::string(TRV_SOURCE_DIR) + "/data/Data/" + f.file;
    std::ifstream in(path);
    size_t lines = 0;
    for (std::string line; std::getline(in, line);) lines += !line.empty();
    const std::optional<DataFile> data = ReadDataFile(path.c_str(), f.format);
    ASSERT_TRUE(data) << path;
    EXPECT_GT(lines, 0u) << f.file;
    EXPECT_EQ(lines, data->records.size()) << f.file;
    EXPECT_EQ(0, data->skipped_lines) << f.file;
    EXPECT_EQ(0, data->cut_lines) << f.file;
  }
  const std::string items = std::string(TRV_SOURCE_DIR) + "/data/Data/item.dat";
  EXPECT_EQ(121, read_data(items.c_str()));
  const std::string monsters = std::string(TRV_SOURCE_DIR) + "/data/Data/monster.dat";
  for (int area = 0; area < 30; ++area) EXPECT_GE(read_monsterdata(area, monsters.c_str()), 5);
}

}  // namespace
}  // namespace trv::combat
