#include "tests/support/in_process.h"

#include <fcntl.h>
#include <ftw.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/schema.h"

namespace trv::test {
namespace {

void ThrowExited(int level) { throw Exited{level}; }

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

}  // namespace

Signal::Signal() {
  if (pipe(fds_) != 0) abort();
}

Signal::~Signal() {
  close(fds_[0]);
  close(fds_[1]);
}

void Signal::Raise(int count) {
  for (int i = 0; i < count; ++i) {
    if (write(fds_[1], "x", 1) != 1) abort();
  }
}

bool Signal::Wait(int timeout_ms) {
  pollfd p{fds_[0], POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0) return false;
  char byte;
  return read(fds_[0], &byte, 1) == 1;
}

pid_t SpawnNode(const std::function<int()>& body) {
  db::Close();  // a connection must not cross fork()
  fflush(nullptr);
  pid_t pid = fork();
  if (pid != 0) return pid;
  int status = 99;
  try {
    od_kit_reset();
    od_kit_set_exit_intercept(ThrowExited);
    int line[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, line) != 0) _exit(98);
    od_kit_attach(line[0], line[0]);
    status = body();
  } catch (const Exited& exited) {
    status = 100 + exited.level;
  } catch (...) {
    status = 99;
  }
  _exit(status);  // no test-framework teardown in the child
}

int WaitNode(pid_t pid, int timeout_ms) {
  long long deadline = trv::NowMs() + timeout_ms;
  for (;;) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (NowMs() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    usleep(2000);
  }
}

void DbTest::SetUp() {
  char cwd[PATH_MAX];
  ASSERT_NE(nullptr, getcwd(cwd, sizeof cwd));
  previous_directory_ = cwd;
  char scratch[] = "/tmp/trv_db_test_XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(scratch));
  directory_ = scratch;
  ASSERT_EQ(0, chdir(scratch));
  ASSERT_EQ(0, mkdir("Data", 0755));

  db::Close();
  db::SetFatalExit(nullptr);
  od_kit_reset();
  od_kit_set_exit_intercept(ThrowExited);
  od_control.od_inactivity = 10;  // a test short of keys ends instead of hanging
  unread_.clear();
  terminal_ = std::make_unique<harness::Screen>();
  ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, line_));
  fcntl(line_[1], F_SETFL, O_NONBLOCK);
  od_kit_attach(line_[0], line_[0]);
}

void DbTest::TearDown() {
  db::Close();
  db::SetFatalExit(nullptr);
  od_kit_reset();
  od_kit_set_exit_intercept(nullptr);
  close(line_[0]);
  close(line_[1]);
  if (chdir(previous_directory_.c_str()) != 0) ADD_FAILURE() << "cannot return";
  nftw(directory_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void DbTest::Type(const std::string& keys) {
  ASSERT_EQ(static_cast<ssize_t>(keys.size()), write(line_[1], keys.data(), keys.size()));
}

void DbTest::BeCaller(const std::string& user) {
  snprintf(od_control.user_name, sizeof od_control.user_name, "%s", user.c_str());
}

void DbTest::Drain() {
  char buffer[4096];
  pollfd p{line_[1], POLLIN, 0};
  while (poll(&p, 1, 20) > 0) {
    ssize_t n = read(line_[1], buffer, sizeof buffer);
    if (n <= 0) break;
    unread_.append(buffer, static_cast<size_t>(n));
    terminal_->Feed(std::string_view(buffer, static_cast<size_t>(n)));
  }
}

std::string DbTest::Screen() {
  Drain();
  std::string out;
  out.swap(unread_);
  return out;
}

const harness::Screen& DbTest::Shown() {
  Drain();
  return *terminal_;
}

void AddCharacter(const Character& character) {
  db::Exec(db::kPlayer, "%s", InsertStatements(character).c_str());
}

void AddKingdom(const Kingdom& kingdom) {
  db::Exec(db::kKingdom, "%s", InsertStatements(kingdom).c_str());
}

}  // namespace trv::test
