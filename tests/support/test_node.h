// A caller on another node for in-process tests: a process of its own,
// its own database connection and kit line, typed into and read from.
#ifndef TRV_TESTS_SUPPORT_TEST_NODE_H_
#define TRV_TESTS_SUPPORT_TEST_NODE_H_

#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
#include <string>

namespace trv::test {

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

}  // namespace trv::test

#endif  // TRV_TESTS_SUPPORT_TEST_NODE_H_
