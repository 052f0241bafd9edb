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

namespace trv::messaging::testing {

// A caller on another node: a process of its own with its own database
// connection, its line a pair of pipes this side holds the other ends of.
class TestNode {
 public:
  // Starts the node as `user`; it runs `body` and ends.
  TestNode(const std::string& user, const std::function<void()>& body);
  ~TestNode();
  TestNode(const TestNode&) = delete;
  TestNode& operator=(const TestNode&) = delete;

  // Keys the caller types.
  void Type(const std::string& keys);
  // Waits until `text` shows after the previous match and moves past it.
  ::testing::AssertionResult WaitFor(const std::string& text, int timeout_ms = 5000);
  // Waits until the whole of what the node has shown satisfies `done`.
  ::testing::AssertionResult WaitUntil(const std::function<bool(const std::string&)>& done,
                                       const std::string& what, int timeout_ms = 5000);
  // Waits until `text` shows anywhere, leaving the mark alone: for screen
  // updates whose order between nodes is not fixed.
  ::testing::AssertionResult WaitForAnywhere(const std::string& text, int timeout_ms = 5000);
  // Everything the node has shown so far, ANSI removed.
  std::string Text();
  // The node's exit status (0 when the body returned); -1 after a kill.
  int Finish(int timeout_ms = 5000);

 private:
  void Drain(int timeout_ms);

  pid_t pid_ = -1;
  int keys_ = -1;    // our end of the node's input
  int screen_ = -1;  // our end of the node's output
  std::string raw_;
  size_t mark_ = 0;
};

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
