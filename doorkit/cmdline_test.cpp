#include <gtest/gtest.h>

#include "doorkit/internal.h"

namespace {

class CmdLine : public ::testing::Test {
 protected:
  void SetUp() override { od_kit_reset(); }
  void TearDown() override { od_kit_reset(); }
};

TEST_F(CmdLine, QuotesGroupWords) {
  auto words = doorkit::SplitWords("  -D \"/bbs/node 1\"\t-N  2 ");
  ASSERT_EQ(4u, words.size());
  EXPECT_EQ("/bbs/node 1", words[1]);
  EXPECT_EQ("2", words[3]);
}

TEST_F(CmdLine, OptionsInAnyCaseWithEitherPrefix) {
  od_parse_cmd_line("-nomaint /d /bbs/temp1 -n 4 -Socket 9 -timeleft 15 /MAXTIME 10 -cp437utf8");
  EXPECT_STREQ("/bbs/temp1", od_control.info_path);
  EXPECT_EQ(4, od_control.od_node);
  EXPECT_EQ(9, od_control.od_socket);
  EXPECT_EQ(10, od_control.od_maxtime);
  EXPECT_EQ(15, doorkit::Extra().time_left);
  EXPECT_TRUE(od_control.od_cp437_utf8);
}

TEST_F(CmdLine, LocalModeAndUserName) {
  char* argv[] = {(char*)"TRVLaunch", (char*)"-L",          (char*)"-USERNAME",
                  (char*)"Sysop Sam", (char*)"-INACTIVITY", (char*)"30"};
  od_parse_cmd_argv(6, argv);
  EXPECT_TRUE(od_control.od_force_local);
  EXPECT_EQ("Sysop Sam", doorkit::Extra().user_name);
  EXPECT_EQ(30, od_control.od_inactivity);
}

TEST_F(CmdLine, MissingOrBadValuesLeaveDefaults) {
  od_parse_cmd_line("-N x -D");
  EXPECT_EQ(0, od_control.od_node);
  EXPECT_STREQ("", od_control.info_path);
}

}  // namespace
