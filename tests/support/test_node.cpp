#include "tests/support/test_node.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "doorkit/doorkit.h"
#include "tests/harness/text.h"
#include "tests/support/in_process.h"

namespace trv::test {

TestNode::TestNode(const std::string& user, const std::function<void()>& body) {
  int keys[2];
  int screen[2];
  if (pipe(keys) != 0 || pipe(screen) != 0) abort();
  pid_ = SpawnNode([&] {
    close(keys[1]);
    close(screen[0]);
    od_kit_reset();  // the line SpawnNode gave is replaced by ours
    od_kit_attach(keys[0], screen[1]);
    snprintf(od_control.user_name, sizeof od_control.user_name, "%s", user.c_str());
    od_control.od_inactivity = 10;
    body();
    return 0;
  });
  close(keys[0]);
  close(screen[1]);
  keys_ = keys[1];
  screen_ = screen[0];
  fcntl(screen_, F_SETFL, O_NONBLOCK);
}

TestNode::~TestNode() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    WaitNode(pid_, 1000);
  }
  close(keys_);
  close(screen_);
}

void TestNode::Type(const std::string& keys) {
  if (write(keys_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size()))
    ADD_FAILURE() << "the node's line is closed";
}

void TestNode::Drain(int timeout_ms) {
  pollfd p{screen_, POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0) return;
  char buffer[4096];
  for (;;) {
    ssize_t n = read(screen_, buffer, sizeof buffer);
    if (n <= 0) return;
    raw_.append(buffer, static_cast<size_t>(n));
  }
}

::testing::AssertionResult TestNode::WaitFor(const std::string& text, int timeout_ms) {
  long long deadline = NowMs() + timeout_ms;
  for (;;) {
    std::string plain = harness::StripAnsi(raw_);
    size_t at = plain.find(text, mark_);
    if (at != std::string::npos) {
      mark_ = at + text.size();
      return ::testing::AssertionSuccess();
    }
    long long left = deadline - NowMs();
    if (left <= 0)
      return ::testing::AssertionFailure()
             << "\"" << text << "\" did not show; after the last match the node showed:\n"
             << plain.substr(mark_);
    Drain(static_cast<int>(left < 50 ? left : 50));
  }
}

::testing::AssertionResult TestNode::WaitUntil(const std::function<bool(const std::string&)>& done,
                                               const std::string& what, int timeout_ms) {
  long long deadline = NowMs() + timeout_ms;
  for (;;) {
    std::string plain = harness::StripAnsi(raw_);
    if (done(plain)) return ::testing::AssertionSuccess();
    long long left = deadline - NowMs();
    if (left <= 0)
      return ::testing::AssertionFailure() << what << " did not come; the node showed:\n" << plain;
    Drain(static_cast<int>(left < 50 ? left : 50));
  }
}

::testing::AssertionResult TestNode::WaitForAnywhere(const std::string& text, int timeout_ms) {
  return WaitUntil(
      [&text](const std::string& shown) { return shown.find(text) != std::string::npos; },
      "\"" + text + "\"", timeout_ms);
}

std::string TestNode::Text() {
  Drain(20);
  return harness::StripAnsi(raw_);
}

int TestNode::Finish(int timeout_ms) {
  int status = WaitNode(pid_, timeout_ms);
  pid_ = -1;
  Drain(0);
  return status;
}

}  // namespace trv::test
