#include "launcher/switches.h"

#include <gtest/gtest.h>

namespace trv::launcher {
namespace {

TEST(Switches, ModeFollowsTheLastSwitchInAnyCaseAndPrefix) {
  EXPECT_EQ(1, MaintenanceMode(""));
  EXPECT_EQ(0, MaintenanceMode("-NoMaint"));
  EXPECT_EQ(0, MaintenanceMode("/nomaint -D /bbs/node1"));
  EXPECT_EQ(0, MaintenanceMode("-NOMAINT"));
  EXPECT_EQ(3, MaintenanceMode("-nomaint -runmaint"));
  EXPECT_EQ(2, MaintenanceMode("/FORCEMAINT"));
  EXPECT_EQ(1, MaintenanceMode("nomaint"));
  EXPECT_EQ(1, MaintenanceMode("-nomainta --nomaint"));
}

TEST(Switches, OnlyTheFirst32WordsCount) {
  std::string line;
  for (int i = 0; i < 32; ++i) line += "x ";
  EXPECT_EQ(1, MaintenanceMode(line + "-nomaint"));
  EXPECT_EQ(0, MaintenanceMode("-nomaint " + line));
}

TEST(Switches, ArgumentLineQuotesWordsWithBlanks) {
  char* argv[] = {(char*)"TRVLaunch", (char*)"-D", (char*)"/bbs/node 1", (char*)"-N", (char*)"1"};
  EXPECT_EQ("-D \"/bbs/node 1\" -N 1", ArgumentLine(5, argv));
}

}  // namespace
}  // namespace trv::launcher
