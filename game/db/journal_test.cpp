// The journal: write-ahead logging unless the rollback journal is asked
// for or the log cannot work, commits fully synchronous either way, and a
// world reset whose deletions no opening node can fall between.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "tests/support/in_process.h"

namespace trv::db {
namespace {

using JournalTest = test::DbTest;

void RemoveDatabase() {
  Close();
  for (const char* suffix : {"", "-journal", "-wal", "-shm"})
    unlink((std::string(kDatabasePath) + suffix).c_str());
}

// A world left by an earlier program: the player table with one row, in
// `mode`, with no connection on it.
void MakeWorld(const char* mode) {
  sqlite3* raw = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_open(kDatabasePath, &raw));
  std::string sql = std::string("PRAGMA journal_mode=") + mode + ";" + CreationStatement(kPlayer) +
                    ";INSERT INTO player (UserName) VALUES ('earlier')";
  EXPECT_EQ(SQLITE_OK, sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr));
  sqlite3_close(raw);
}

long long Players() { return Query(kPlayer, "SELECT COUNT(*) FROM player").Int(0, 0); }

// What another program reads in the file: the write was committed.
long long PlayersSeenByAnotherConnection() {
  sqlite3* raw = nullptr;
  long long count = -1;
  if (sqlite3_open_v2(kDatabasePath, &raw, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(raw, "SELECT COUNT(*) FROM player", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
      count = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
  }
  sqlite3_close(raw);
  return count;
}

// Standard error of this process while it lives.
class StderrCapture {
 public:
  StderrCapture() {
    fflush(stderr);
    saved_ = dup(2);
    int fd = open("stderr.txt", O_RDWR | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 2);
    close(fd);
  }
  ~StderrCapture() { Restore(); }
  std::string Text() {
    Restore();
    std::string text;
    if (FILE* f = fopen("stderr.txt", "r")) {
      char buffer[512];
      size_t n;
      while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
      fclose(f);
    }
    return text;
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
  }
  int saved_ = -1;
};

TEST_F(JournalTest, EveryWorldTakesTheWantedJournalAndCommitsStayFullySynchronous) {
  // No file yet, a world from a door that kept the rollback journal, a
  // logged world (also when the rollback journal is asked for).
  for (const char* before : {"", "DELETE", "WAL"}) {
    SCOPED_TRACE(std::string("world before: ") + (*before ? before : "none"));
    RemoveDatabase();
    if (*before) MakeWorld(before);
    Exec(kPlayer, "INSERT INTO %s (UserName,Gold) VALUES ('new','5')", TableName(kPlayer));
    EXPECT_EQ(WantedJournal(), CurrentJournal());
    EXPECT_EQ(2, Query(kNoTable, "PRAGMA synchronous").Int(0, 0));  // FULL
    const long long expected = *before ? 2 : 1;
    EXPECT_EQ(expected, Players());
    EXPECT_EQ(expected, PlayersSeenByAnotherConnection());
  }
}

TEST_F(JournalTest, WhereTheLogCannotBeMadeTheRollbackJournalStaysAndStderrSaysSoOnce) {
  if (WantedJournal() == Journal::kRollback) GTEST_SKIP() << "the rollback journal was asked for";
  StderrCapture capture;
  // Where the log's index cannot be made SQLite would switch all the same
  // and then refuse every write. A logged world must leave the log too.
  for (const char* before : {"DELETE", "WAL"}) {
    SCOPED_TRACE(before);
    RemoveDatabase();
    MakeWorld(before);
    ASSERT_EQ(0, mkdir((std::string(kDatabasePath) + "-shm").c_str(), 0755));
    Exec(kPlayer, "INSERT INTO %s (UserName,Gold) VALUES ('new','5')", TableName(kPlayer));
    EXPECT_EQ(Journal::kRollback, CurrentJournal());
    EXPECT_EQ(2, Players());
    Close();
    EXPECT_EQ(2, PlayersSeenByAnotherConnection());
    rmdir((std::string(kDatabasePath) + "-shm").c_str());
  }
  const std::string text = capture.Text();
  EXPECT_EQ(1, std::count(text.begin(), text.end(), '\n')) << text;
  EXPECT_NE(std::string::npos, text.find("write-ahead logging cannot be used (Data/game.db-shm: "))
      << text;
  EXPECT_NE(std::string::npos, text.find("local disk")) << text;
}

TEST_F(JournalTest, NetworkFileSystemsAreKnownByTheirMagicNumber) {
  EXPECT_STREQ("NFS", NetworkFileSystemName(0x6969));
  EXPECT_STREQ("CIFS", NetworkFileSystemName(static_cast<long>(0xff534d42L)));
  EXPECT_STREQ("SMB2", NetworkFileSystemName(static_cast<long>(0xfe534d42L)));
  EXPECT_STREQ("", NetworkFileSystemName(0xef53));      // ext4
  EXPECT_STREQ("", NetworkFileSystemName(0x01021994));  // tmpfs, one off 9P
  EXPECT_STREQ("", NetworkFileSystemOf("Data"));        // the test's own disk
}

// The reset deletes the database, then its log and index. A node opening
// the file in between would make a new database and take the old world's
// index (still held by the nodes that have not noticed yet) for its own.
TEST_F(JournalTest, AnOpenDuringTheResetWaitsForTheWholeResetAndFindsAnEmptyWorld) {
  RemoveDatabase();
  MakeWorld(WantedJournal() == Journal::kWal ? "WAL" : "DELETE");
  // A node still on the old world: its rows in the log, its index mapped.
  sqlite3* old_node = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_open(kDatabasePath, &old_node));
  ASSERT_EQ(SQLITE_OK, sqlite3_exec(old_node,
                                    "INSERT INTO player (UserName) VALUES ('a');"
                                    "INSERT INTO player (UserName) VALUES ('b')",
                                    nullptr, nullptr, nullptr));
  // The new node is started first: a child forked while the lock is held
  // would hold it too.
  test::Signal go;
  pid_t node = test::SpawnNode([&go] {
    if (!go.Wait(10000)) return 2;
    return Players() == 0 ? 0 : 1;
  });
  {
    OpenLock reset(true);
    ASSERT_EQ(0, unlink(kDatabasePath));
    go.Raise();
    // The new node must not open before the reset is through.
    usleep(300 * 1000);
    int status = 0;
    EXPECT_EQ(0, waitpid(node, &status, WNOHANG)) << "opened in the middle of the reset";
    for (const char* suffix : {"-journal", "-wal", "-shm"})
      unlink((std::string(kDatabasePath) + suffix).c_str());
  }
  EXPECT_EQ(0, test::WaitNode(node, 10000));
  sqlite3_close(old_node);
}

}  // namespace
}  // namespace trv::db
