#include "game/ui/names.h"

#include <gtest/gtest.h>

namespace trv {
namespace {

TEST(Names, TrimmedOfBlanksAtBothEndsOnly) {
  EXPECT_EQ("Sir Galahad", TrimName("  Sir Galahad   "));
  EXPECT_EQ("", TrimName("     "));
  EXPECT_EQ("", TrimName(""));
  EXPECT_EQ("", TrimName(nullptr));
  EXPECT_EQ("a  b", TrimName("a  b"));
}

TEST(Names, BlankMarkupAndControlBytesAreRefused) {
  EXPECT_TRUE(UsableName("Sir Galahad"));
  EXPECT_TRUE(UsableName("x"));
  EXPECT_TRUE(UsableName("Ann's ~Keep~ {z}"));
  EXPECT_FALSE(UsableName(""));
  EXPECT_FALSE(UsableName("Evil`bright red`"));
  EXPECT_FALSE(UsableName("`"));
  EXPECT_FALSE(UsableName("Bell\a"));
  EXPECT_FALSE(UsableName(std::string("Nul\0x", 5)));
}

}  // namespace
}  // namespace trv
