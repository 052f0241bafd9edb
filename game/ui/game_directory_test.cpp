#include "game/ui/game_directory.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(GameDirectory, TheProgramPathsDirectoryWhateverFollows) {
  bool error = true;
  EXPECT_EQ("/opt/bbs/tarvessia", DirOf("/opt/bbs/tarvessia/TRVConfig -L", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("/opt/bbs/tarvessia", DirOf("/opt/bbs/tarvessia/TRVConfig", &error));
  EXPECT_EQ("./", DirOf("./TRVConfig -L", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("C:\\Doors\\Game", DirOf("\"C:\\Doors\\Game\\TRVConfig.exe\" -D file", &error));
  EXPECT_FALSE(error);
}

TEST(GameDirectory, AQuotedPathKeepsItsBlanks) {
  bool error = true;
  EXPECT_EQ("/bbs/my doors/trv", DirOf("\"/bbs/my doors/trv/TRVLaunch\" -D /bbs/node 1", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("C:\\My Doors", DirOf("\"C:\\My Doors\\TRVLaunch.exe\"", &error));
  EXPECT_EQ("/bbs", DirOf("/bbs/my doors/trv/TRVLaunch", &error));  // unquoted: cut at the blank
}

TEST(GameDirectory, TheRealProgramPathTakesThePlaceOfTheTypedOne) {
  struct Case {
    const char* command_line;
    const char* program;
    const char* expected;
  } cases[] = {
      {"doors/trv/TRVLaunch -L", "/bbs/doors/trv/TRVLaunch", "/bbs/doors/trv/TRVLaunch -L"},
      {"TRVLaunch", "/bbs/trv/TRVLaunch", "/bbs/trv/TRVLaunch"},
      {"\"my doors/TRVLaunch\" -D x", "/bbs/my doors/TRVLaunch",
       "\"/bbs/my doors/TRVLaunch\" -D x"},
      {" -D /bbs/node 1", "/a b/TRVLaunch", "\"/a b/TRVLaunch\" -D /bbs/node 1"},
      {"", "/trv/TRVConfig", "/trv/TRVConfig"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, WithProgramPath(c.command_line, c.program)) << c.command_line;
  // What the door derives from such a line, blanks and all.
  bool error = true;
  EXPECT_EQ("/a b", DirOf(WithProgramPath(" -L", "/a b/TRVLaunch"), &error));
  EXPECT_FALSE(error);
}

}  // namespace
}  // namespace trv
