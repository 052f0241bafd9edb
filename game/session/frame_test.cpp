#include "game/session/frame.h"

#include <gtest/gtest.h>

#include "game/session/ui.h"

namespace trv {
namespace {

std::string DirOf(const std::string& command_line, bool* error, std::string* shown = nullptr) {
  std::string ignored;
  return GameDirectoryOf(command_line, shown ? shown : &ignored, error);
}

TEST(GameDirectory, ProgramPathGivesItsDirectory) {
  bool error = true;
  EXPECT_EQ("/opt/bbs/doors/trv", DirOf("/opt/bbs/doors/trv/TRVLaunch -D /bbs/node1", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("C:\\Doors\\Game", DirOf("\"C:\\Doors\\Game\\TRVLaunch.exe\" -D file", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("C:", DirOf("C:\\TRVLaunch.exe", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("doors/trv", DirOf("doors/trv/TRVLaunch", &error));
}

TEST(GameDirectory, BareNameLeavesTheDirectoryAlone) {
  bool error = true;
  EXPECT_EQ("", DirOf("TRVLaunch -D /bbs/node1", &error));
  EXPECT_FALSE(error);
}

TEST(GameDirectory, ShortDirectoriesOfAPathStillCount) {
  bool error = true;
  EXPECT_EQ("./", DirOf("./TRVLaunch", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("a/", DirOf("a/TRVLaunch", &error));
  EXPECT_FALSE(error);
}

TEST(GameDirectory, UnusablePathsFail) {
  bool error = false;
  std::string shown;
  DirOf("/" + std::string(160, 'x'), &error, &shown);
  EXPECT_TRUE(error);
  EXPECT_EQ("<too long>", shown);
  std::string longest = "/" + std::string(138, 'x') + "/TRVLaunch";  // 149 characters
  EXPECT_EQ("/" + std::string(138, 'x'), DirOf(longest, &error, &shown));
  EXPECT_FALSE(error);
  DirOf(longest + "x", &error, &shown);
  EXPECT_TRUE(error);
  DirOf("C:TRVLaunch.exe", &error, &shown);
  EXPECT_TRUE(error);
  EXPECT_EQ("C:", shown);
}

TEST(CleanText, DropsMarkupAndControlBytes) {
  EXPECT_EQ("Evbright redil[2J", CleanText("Ev`bright red`il\x1b[2J\x07"));
  EXPECT_EQ("", CleanText(nullptr));
  EXPECT_EQ("Sir \xb0Knight", CleanText("Sir \xb0Knight\x7f"));
}

}  // namespace
}  // namespace trv
