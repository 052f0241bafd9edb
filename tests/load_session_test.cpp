// Twelve callers for a few seconds, the load of a busy evening squeezed:
// random walks through the bank, transfers to each other, telegrams, the
// chat room and the news, with lines dropped mid-screen, doors killed
// outright and a new day that every caller starts into at once. Nothing
// may be lost or left behind.
#include <sstream>

#include "tests/harness/harness.h"
#include "tests/load/load.h"

namespace trv::load {
namespace {

TEST(LoadTest, CallersDroppedAndKilledAcrossANewDayLoseNoGoldAndLeaveNothingBehind) {
  ASSERT_FALSE(harness::ProgramPath("TRVLaunch").empty()) << "TRVLaunch was not built";
  LoadOptions options;
  options.callers = 12;
  options.seconds = 8;
  options.kills = 12;
  options.hangup_chance = 0.1;
  options.seed = 22;
  std::ostringstream log;
  const LoadReport report = RunLoad(options, log);
  EXPECT_TRUE(report.Clean()) << Summary(report) << "\n" << log.str();
  EXPECT_GT(report.kills, 0) << Summary(report);
  EXPECT_GT(report.hangups, 0) << Summary(report);
  EXPECT_EQ(2, report.days_run);
  EXPECT_GT(report.actions, 100) << Summary(report);
  // The driver lost its way now and then at most (the caller starts again).
  EXPECT_LT(report.lost_prompts * 50, report.actions) << Summary(report) << "\n" << log.str();
  EXPECT_EQ(0, report.sql_errors);
  EXPECT_EQ(0, report.stuck);
}

}  // namespace
}  // namespace trv::load
