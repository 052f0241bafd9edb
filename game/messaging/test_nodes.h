// Scaffolding of the messaging tests: callers on other nodes that a test
// types into and reads from, and the players they play.
#ifndef TRV_GAME_MESSAGING_TEST_NODES_H_
#define TRV_GAME_MESSAGING_TEST_NODES_H_

#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
#include <string>

#include "tests/harness/text.h"
#include "tests/support/in_process.h"
#include "tests/support/test_node.h"

namespace trv::messaging::testing {

using test::TestNode;

// The in-process caller's tests: a scratch realm and a caller named "me".
class MessagingTest : public test::DbTest {
 protected:
  void SetUp() override;

  // A character; status 1 puts it in the realm at `place`.
  static void AddPlayer(const std::string& user, const std::string& name, int status = 0,
                        const std::string& place = "", int level = 1,
                        const std::string& gender = "Male", const std::string& race = "Human");
  // The first column of the first row of a query.
  static long long Count(const char* format, ...);
  // What the caller saw since the last look, ANSI removed.
  std::string Seen() { return harness::StripAnsi(Screen()); }
};

}  // namespace trv::messaging::testing

#endif  // TRV_GAME_MESSAGING_TEST_NODES_H_
