// Shared scaffolding of the database tests: a scratch game directory, the
// door kit on a socketpair, and helper processes that play other nodes.
#ifndef TRV_GAME_DB_TEST_SUPPORT_H_
#define TRV_GAME_DB_TEST_SUPPORT_H_

#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
#include <string>

namespace trv::db::testing {

// What the kit's exit intercept throws in place of ending the process.
struct Exited {
  int level;
};

long long NowMs();

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

// Each test runs in a fresh game directory with Data/ and the kit attached.
class DbTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Keys the caller types.
  void Type(const std::string& keys);
  // Everything written to the caller's screen since the last call.
  std::string Screen();
  const std::string& directory() const { return directory_; }

 private:
  std::string directory_;
  std::string previous_directory_;
  int line_[2] = {-1, -1};
};

}  // namespace trv::db::testing

#endif  // TRV_GAME_DB_TEST_SUPPORT_H_
