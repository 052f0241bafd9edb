// In-process tests of the game's libraries: a scratch game directory, the
// door kit on a socketpair with a rendered terminal, the world builder, and
// helper processes that play other nodes.
#ifndef TRV_TESTS_SUPPORT_IN_PROCESS_H_
#define TRV_TESTS_SUPPORT_IN_PROCESS_H_

#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>

#include "game/db/portability.h"
#include "tests/harness/screen.h"
#include "tests/support/world.h"

namespace trv::test {

using trv::NowMs;  // the game's monotonic clock, for timing other nodes

// What the kit's exit intercept throws in place of ending the process.
struct Exited {
  int level;
};

// A one-way signal between processes (a pipe).
class Signal {
 public:
  Signal();
  ~Signal();
  Signal(const Signal&) = delete;
  Signal& operator=(const Signal&) = delete;
  void Raise(int count = 1);
  // True when a raise arrived within the time.
  bool Wait(int timeout_ms);

 private:
  int fds_[2];
};

// Runs `body` in a child process that is another node: its own kit line and
// its own database connection (the parent's is closed first). The body's
// return value is the exit status; an exit through the kit ends with 100 +
// the error level, any other exception with 99.
pid_t SpawnNode(const std::function<int()>& body);
// The child's exit status; -1 when it had to be killed after the time ran out.
int WaitNode(pid_t pid, int timeout_ms);

// The world builder's rows through the statement runner (world.h).
void AddCharacter(const Character& character);
void AddKingdom(const Kingdom& kingdom);

// Each test runs in a fresh game directory with Data/ and the kit attached.
class DbTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes the in-process caller `user`.
  static void BeCaller(const std::string& user);
  // Keys the caller types.
  void Type(const std::string& keys);
  // The bytes written to the caller since the last call: for what was sent
  // how often (a cleared screen, a redraw). What the caller sees is Shown().
  std::string Screen();
  // The caller's terminal, 80x24, with everything written so far rendered.
  const harness::Screen& Shown();
  const std::string& directory() const { return directory_; }

 private:
  void Drain();

  std::string directory_;
  std::string previous_directory_;
  int line_[2] = {-1, -1};
  std::string unread_;
  std::unique_ptr<harness::Screen> terminal_;
};

}  // namespace trv::test

#endif  // TRV_TESTS_SUPPORT_IN_PROCESS_H_
