#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "doorkit/internal.h"

using doorkit::CleanName;
using doorkit::DropInfo;
using doorkit::ParseDropFile;
using doorkit::ReadDropFile;

namespace {

std::string Door32(const std::string& alias, const std::string& eol = "\r\n") {
  const char* lines[] = {
      "2",  "7", "38400", "Synchronet BBS", "12", "Jane Caller", alias.c_str(), "50",
      "42", "1", "3"};
  std::string text;
  for (const char* line : lines) text += std::string(line) + eol;
  return text;
}

TEST(DropFile, Door32ReadsAliasNodeTimeAndHandle) {
  DropInfo info;
  std::string error;
  ASSERT_TRUE(ParseDropFile("door32.sys", Door32("Dragonslayer"), &info, &error)) << error;
  EXPECT_EQ("Dragonslayer", info.user_name);
  EXPECT_EQ("Jane Caller", info.real_name);
  EXPECT_EQ(3, info.node);
  EXPECT_EQ(42, info.minutes_left);
  EXPECT_EQ(2, info.comm_type);
  EXPECT_EQ(7, info.comm_handle);
}

TEST(DropFile, LineEndingsMayMixAndTrailingLinesMayBeMissing) {
  std::string text = "2\r\n7\n38400\rSynchronet\r\n12\nJane\r\nMixer";  // stops at line 7
  DropInfo info;
  std::string error;
  ASSERT_TRUE(ParseDropFile("DOOR32.SYS", text, &info, &error)) << error;
  EXPECT_EQ("Mixer", info.user_name);
  EXPECT_EQ(-1, info.node);
  EXPECT_EQ(-1, info.minutes_left);
}

TEST(DropFile, NamelessOrEmptyFilesAreRefused) {
  DropInfo info;
  std::string error;
  EXPECT_FALSE(ParseDropFile("DOOR32.SYS", "", &info, &error));
  EXPECT_NE(std::string::npos, error.find("names no user"));
  EXPECT_FALSE(ParseDropFile("DOOR32.SYS", Door32("   \x01\x02  "), &info, &error));
  EXPECT_FALSE(ParseDropFile("notes.txt", Door32("Bob"), &info, &error));
}

TEST(DropFile, NumbersAreClamped) {
  std::string text = Door32("Bob");
  text.replace(text.find("42"), 2, "999999");
  text.replace(text.rfind("3\r\n"), 1, "-5");
  DropInfo info;
  std::string error;
  ASSERT_TRUE(ParseDropFile("DOOR32.SYS", text, &info, &error));
  EXPECT_EQ(1440, info.minutes_left);
  EXPECT_EQ(0, info.node);
}

TEST(DropFile, DoorSysTakesAliasThenFullName) {
  std::vector<std::string> lines(52, "0");
  lines[3] = "5";            // node
  lines[9] = "Jane Caller";  // full name
  lines[18] = "30";          // minutes left
  lines[35] = "Nightshade";  // alias
  std::string text;
  for (auto& line : lines) text += line + "\r\n";
  DropInfo info;
  std::string error;
  ASSERT_TRUE(ParseDropFile("door.sys", text, &info, &error)) << error;
  EXPECT_EQ("Nightshade", info.user_name);
  EXPECT_EQ(5, info.node);
  EXPECT_EQ(30, info.minutes_left);
  lines[35] = "";
  text.clear();
  for (auto& line : lines) text += line + "\n";
  ASSERT_TRUE(ParseDropFile("DOOR.SYS", text, &info, &error));
  EXPECT_EQ("Jane Caller", info.user_name);
}

TEST(DropFile, DorInfoJoinsFirstAndLastName) {
  std::string text = "My BBS\nSys\nOp\nCOM0\n0 BAUD,N,8,1\n0\nJANE\nCALLER\nTown\n1\n100\n25\n";
  DropInfo info;
  std::string error;
  ASSERT_TRUE(ParseDropFile("/x/dorinfo4.def", text, &info, &error)) << error;
  EXPECT_EQ("JANE CALLER", info.user_name);
  EXPECT_EQ(4, info.node);
  EXPECT_EQ(25, info.minutes_left);
}

TEST(DropFile, NamesAreCleanedAndCut) {
  EXPECT_EQ("Bob", CleanName("  B\x1b"
                             "o`b\x07  "));
  std::string longName(80, 'x');
  EXPECT_EQ(35u, CleanName(longName).size());
  EXPECT_EQ("", CleanName("   "));
}

TEST(DropFile, FoundInDirectoryByNameInAnyCase) {
  char dir[] = "/tmp/dropXXXXXX";
  ASSERT_NE(nullptr, mkdtemp(dir));
  std::string path = std::string(dir) + "/Door32.Sys";
  std::ofstream(path) << Door32("Finder");
  DropInfo info;
  std::string error;
  EXPECT_TRUE(ReadDropFile(dir, &info, &error)) << error;
  EXPECT_EQ("Finder", info.user_name);
  EXPECT_FALSE(ReadDropFile(std::string(dir) + "/missing", &info, &error));
  EXPECT_NE(std::string::npos, error.find("not found"));
  unlink(path.c_str());
  EXPECT_FALSE(ReadDropFile(dir, &info, &error));
  rmdir(dir);
}

}  // namespace

// A FIFO would block the door for ever and a device would fill its memory.
TEST(DropFile, OnlyARegularFileIsRead) {
  char dir[] = "/tmp/trv_fifo_XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(dir));
  const std::string fifo = std::string(dir) + "/DOOR32.SYS";
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  DropInfo info;
  for (const std::string& path : {std::string(dir), fifo, std::string("/dev/zero")}) {
    std::string error;
    EXPECT_FALSE(ReadDropFile(path, &info, &error)) << path;
    EXPECT_NE(std::string::npos, error.find("is not a regular file")) << error;
  }
  unlink(fifo.c_str());
  rmdir(dir);
}
