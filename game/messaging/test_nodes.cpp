#include "game/messaging/test_nodes.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"

namespace trv::messaging::testing {

TestNode::TestNode(const std::string& user, const std::function<void()>& body) {
  int keys[2];
  int screen[2];
  if (pipe(keys) != 0 || pipe(screen) != 0) abort();
  pid_ = test::SpawnNode([&] {
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
    test::WaitNode(pid_, 1000);
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
  long long deadline = test::NowMs() + timeout_ms;
  for (;;) {
    std::string plain = harness::StripAnsi(raw_);
    size_t at = plain.find(text, mark_);
    if (at != std::string::npos) {
      mark_ = at + text.size();
      return ::testing::AssertionSuccess();
    }
    long long left = deadline - test::NowMs();
    if (left <= 0)
      return ::testing::AssertionFailure()
             << "\"" << text << "\" did not show; after the last match the node showed:\n"
             << plain.substr(mark_);
    Drain(static_cast<int>(left < 50 ? left : 50));
  }
}

::testing::AssertionResult TestNode::WaitUntil(const std::function<bool(const std::string&)>& done,
                                               const std::string& what, int timeout_ms) {
  long long deadline = test::NowMs() + timeout_ms;
  for (;;) {
    std::string plain = harness::StripAnsi(raw_);
    if (done(plain)) return ::testing::AssertionSuccess();
    long long left = deadline - test::NowMs();
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
  int status = test::WaitNode(pid_, timeout_ms);
  pid_ = -1;
  Drain(0);
  return status;
}

void MessagingTest::SetUp() {
  DbTest::SetUp();
  BeCaller("me");
  for (int table = 0; table < db::kTableCount; ++table)
    db::Exec(db::kNoTable, "%s", db::CreationStatement(table));
  // The screens' art, as the door finds it in its game directory.
  if (mkdir("Skins", 0755) != 0) FAIL() << "no Skins directory";
  for (const char* name : {"NEWS.ANS", "PERS.ANS", "CHAT.ANS"}) {
    std::ifstream in(std::string(TRV_SOURCE_DIR) + "/data/Skins/" + name, std::ios::binary);
    std::ofstream out(std::string("Skins/") + name, std::ios::binary);
    out << in.rdbuf();
  }
}

void MessagingTest::AddPlayer(const std::string& user, const std::string& name, int status,
                              const std::string& place, int level, const std::string& gender,
                              const std::string& race) {
  test::Character c(user, name);
  c.status = status;
  c.where = place;
  c.level = level;
  c.gender = gender;
  c.more = "FirstRace='" + race + "'";
  test::AddCharacter(c);
}

long long MessagingTest::Count(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* sql = sqlite3_vmprintf(format, args);
  va_end(args);
  int rows = 0;
  int columns = 0;
  char** table = DoSQL(db::kNoTable, sql, &rows, &columns);
  long long value = rows > 0 && table[columns] ? atoll(table[columns]) : 0;
  sqlite3_free_table(table);
  return value;
}

}  // namespace trv::messaging::testing
