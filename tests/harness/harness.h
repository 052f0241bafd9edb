// The session test harness: drive the real door programs as a caller would.
//
//   GameDir dir;
//   Session s(dir.CallerSession(dir.LinkProgram(ProgramPath("TRVLaunch")),
//                               Caller{"Alice", "", 2}));
//   ASSERT_TRUE(s.WaitFor("Choice"));
//   s.Send("q");
//   EXPECT_TRUE(s.ExitsWith(10));
#ifndef TRV_TESTS_HARNESS_HARNESS_H_
#define TRV_TESTS_HARNESS_HARNESS_H_

#include "tests/harness/game_dir.h"
#include "tests/harness/screen.h"
#include "tests/harness/session.h"
#include "tests/harness/text.h"

#endif  // TRV_TESTS_HARNESS_HARNESS_H_
