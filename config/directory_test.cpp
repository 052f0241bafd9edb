#include "config/directory.h"

#include <gtest/gtest.h>

#include <string>

namespace trv::config {
namespace {

std::string DirOf(const std::string& line, bool* error, std::string* shown = nullptr) {
  std::string ignored;
  return GameDirectoryOf(line, shown ? shown : &ignored, error);
}

TEST(GameDirectoryOf, TheProgramPathsDirectoryWhateverFollows) {
  bool error = true;
  EXPECT_EQ("/opt/bbs/tarvessia", DirOf("/opt/bbs/tarvessia/TRVConfig -L", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("/opt/bbs/tarvessia", DirOf("/opt/bbs/tarvessia/TRVConfig", &error));
  EXPECT_EQ("./", DirOf("./TRVConfig -L", &error));
  EXPECT_FALSE(error);
  EXPECT_EQ("C:\\Doors\\Game", DirOf("\"C:\\Doors\\Game\\TRVConfig.exe\" -D file", &error));
  EXPECT_FALSE(error);
}

TEST(GameDirectoryOf, BareNameStaysInTheCurrentDirectory) {
  bool error = true;
  EXPECT_EQ("", DirOf("TRVConfig -L -D /some/where", &error));
  EXPECT_FALSE(error);
}

TEST(GameDirectoryOf, ALineOf150CharactersOrMoreFails) {
  bool error = false;
  std::string shown;
  std::string line = "/opt/bbs/TRVConfig -L ";
  line += std::string(150 - line.size() - 1, 'x');
  EXPECT_EQ("/opt/bbs", DirOf(line, &error));  // 149 still works
  EXPECT_FALSE(error);
  line += "x";
  EXPECT_EQ("", DirOf(line, &error, &shown));
  EXPECT_TRUE(error);
  EXPECT_EQ("<too long>", shown);
}

}  // namespace
}  // namespace trv::config
