// The statement runner: tables on first use, the fault path, and other
// nodes holding locks or racing for the same table.
#include "game/db/db.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <stdio.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "tests/support/in_process.h"

namespace trv::db {
namespace {

using test::DbTest;
using test::Exited;
using test::NowMs;
using test::Signal;
using test::SpawnNode;
using test::WaitNode;

bool FileExists(const char* path) { return access(path, F_OK) == 0; }

long long CountRows(int table) {
  return Query(table, "SELECT COUNT(*) FROM %s", TableName(table)).Int(0, 0);
}

using CreationTest = DbTest;

TEST_F(CreationTest, ADatabaseDeletedUnderTheConnectionIsFollowedToTheNewFile) {
  Exec(kPlayer, "INSERT INTO %s (UserName) VALUES ('old world')", TableName(kPlayer));
  ASSERT_EQ(0, unlink(kDatabasePath));  // the sysop's reset
  EXPECT_EQ(0, CountRows(kPlayer));     // a fresh realm, not the deleted one
  Exec(kPlayer, "INSERT INTO %s (UserName) VALUES ('new world')", TableName(kPlayer));
  Close();
  EXPECT_STREQ("new world",
               Query(kPlayer, "SELECT UserName FROM %s", TableName(kPlayer)).Text(0, 0));
}

TEST_F(CreationTest, FirstStatementCreatesFileTableAndStateRow) {
  ASSERT_FALSE(FileExists(kDatabasePath));
  int rows = -1;
  int columns = -1;
  char** result =
      DoSQL(kState, sqlite3_mprintf("SELECT NumPlayers FROM %s", "state"), &rows, &columns);
  ASSERT_NE(nullptr, result);
  EXPECT_TRUE(FileExists(kDatabasePath));
  ASSERT_EQ(1, rows);
  ASSERT_EQ(1, columns);
  EXPECT_STREQ("NumPlayers", result[0]);
  EXPECT_STREQ("0", result[1]);
  sqlite3_free_table(result);
  // Only the table the statement needed exists.
  EXPECT_EQ(1, Query(kNoTable, "SELECT COUNT(*) FROM sqlite_master WHERE type='table'").Int(0, 0));
}

TEST_F(CreationTest, EveryNumberCreatesItsOwnTable) {
  for (int table = 0; table < kTableCount; ++table) {
    ResultTable rows = Query(table, "SELECT * FROM %s", TableName(table));
    EXPECT_EQ(table == kState ? 1 : 0, rows.rows()) << TableName(table);
  }
  ResultTable names =
      Query(kNoTable, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid");
  ASSERT_EQ(kTableCount, names.rows());
  for (int table = 0; table < kTableCount; ++table) {
    EXPECT_STREQ(TableName(table), names.Text(table, 0));
  }
  // The tables take the rows the game writes into them.
  Exec(kPlayer, "INSERT INTO %s (UserName,Equip30,WhereInGame) VALUES (%Q,%Q,%Q)", "player", "Bob",
       "Dagger", "Main Street");
  Exec(kKingdom, "INSERT INTO %s (IDNum,Name,Dip5Trade,HoldTaxes) VALUES (5,%Q,1,%Q)", "kingdom",
       "Aria", "0");
  EXPECT_STREQ(
      "Main Street",
      Query(kPlayer, "SELECT WhereInGame FROM %s WHERE UserName=%Q", "player", "Bob").Text(0, 0));
}

TEST_F(CreationTest, DroppedTableComesBackEmpty) {
  Exec(kNode, "INSERT INTO %s (TypeOf,SentTo) VALUES (1,%Q)", "node", "Bob");
  Exec(kState, "UPDATE %s SET NumPlayers=4", "state");
  Exec(kNoTable, "DROP TABLE NODE");
  Exec(kNoTable, "DROP TABLE STATE");
  EXPECT_EQ(0, CountRows(kNode));
  // state comes back with its one row, counted from zero again.
  ResultTable state = Query(kState, "SELECT NumPlayers FROM %s", "state");
  ASSERT_EQ(1, state.rows());
  EXPECT_EQ(0, state.Int(0, 0));
}

TEST_F(CreationTest, ConfigDefaultsAreInsertedOnce) {
  EXPECT_TRUE(InsertConfigDefaults());
  EXPECT_FALSE(InsertConfigDefaults());
  ResultTable config = Query(kConfig, "SELECT * FROM %s", "config");
  ASSERT_EQ(1, config.rows());
  EXPECT_EQ(17, config.Int(0, "MonsterFights"));
  EXPECT_EQ(3, config.Int(0, "PlayerFights"));
  EXPECT_STREQ("10000", config.Text(0, "StartGold"));
  EXPECT_STREQ("10000", config.Text(0, "LevelMultiplier"));
  EXPECT_EQ(3, config.Int(0, "GoodDeeds"));
  EXPECT_EQ(3, config.Int(0, "EvilDeeds"));
  // Read back as text the game compares with "1" and "0".
  EXPECT_STREQ("1", config.Text(0, "Assassinations"));
  EXPECT_STREQ("1", config.Text(0, "Mutilations"));
  EXPECT_STREQ("0", config.Text(0, "TournamentMode"));
  EXPECT_STREQ("0", config.Text(0, "MaxLevel"));
  EXPECT_STREQ("", config.Text(0, "EndDate"));
  EXPECT_FALSE(config.IsNull(0, config.ColumnIndex("EndDate")));
}

using StatementTest = DbTest;

TEST_F(StatementTest, SeveralStatementsRunInTurnAndKeepTheQueryRows) {
  ResultTable rows = Query(kNews,
                           "INSERT INTO %s (day,Title) VALUES ('today',%Q); "
                           "INSERT INTO %s (day,Title) VALUES ('today',%Q); "
                           "SELECT Title FROM %s ORDER BY Title",
                           "news", "a;b", "news", "c'; DROP TABLE news; --", "news");
  ASSERT_EQ(2, rows.rows());
  EXPECT_STREQ("a;b", rows.Text(0, 0));
  EXPECT_STREQ("c'; DROP TABLE news; --", rows.Text(1, 0));

  // The transaction pattern of the mail reader: the rows come back with the
  // transaction still open.
  ResultTable batch = Query(kNews, "BEGIN TRANSACTION; SELECT Title FROM %s LIMIT 1", "news");
  EXPECT_EQ(1, batch.rows());
  EXPECT_FALSE(sqlite3_get_autocommit(Handle()));
  Exec(kNoTable, "COMMIT TRANSACTION");
  EXPECT_TRUE(sqlite3_get_autocommit(Handle()));
}

TEST_F(StatementTest, SyntaxErrorShowsMessageWaitsForKeyAndEndsWithLevel10) {
  Type("xy");
  try {
    DoSQL(kPlayer, sqlite3_mprintf("SELEC * FROM %s", "player"), nullptr, nullptr);
    FAIL() << "the door went on";
  } catch (const Exited& exited) {
    EXPECT_EQ(10, exited.level);
  }
  EXPECT_NE(std::string::npos, Screen().find("SQL Error (1): near \"SELEC\": syntax error"));
  // One key was taken before the exit.
  EXPECT_EQ('y', od_get_key(FALSE));
}

TEST_F(StatementTest, FaultInsideTransactionRollsItBackBeforeTheExit) {
  Exec(kPlayer, "BEGIN IMMEDIATE; INSERT INTO %s (UserName) VALUES (%Q)", "player", "Bob");
  Type("x");
  EXPECT_THROW(Exec(kPlayer, "UPDATE %s SET Nope=1", "player"), Exited);
  // The exit hook's own statements must not land in a doomed transaction.
  EXPECT_TRUE(sqlite3_get_autocommit(Handle()));
  EXPECT_EQ(0, CountRows(kPlayer));
}

TEST_F(StatementTest, UnknownTableNumberEndsTheDoor) {
  Type("x");
  EXPECT_THROW(Exec(14, "SELECT * FROM %s", "elsewhere"), Exited);
  EXPECT_NE(std::string::npos, Screen().find("SQL Error: Creating unknown table (14)"));
}

int g_fatal_calls = 0;

TEST_F(StatementTest, CreationFaultsEndThroughTheProgramsFatalExit) {
  g_fatal_calls = 0;
  SetFatalExit([] {
    ++g_fatal_calls;
    throw Exited{42};
  });
  Type("x");
  try {
    Exec(14, "SELECT * FROM %s", "elsewhere");
    FAIL() << "the door went on";
  } catch (const Exited& exited) {
    EXPECT_EQ(42, exited.level);
  }
  EXPECT_EQ(1, g_fatal_calls);
}

TEST_F(StatementTest, WrongTableNumberFailsInsteadOfReturningNothing) {
  Type("x");
  EXPECT_THROW(Exec(kPlayer, "SELECT * FROM %s", "node"), Exited);
  EXPECT_NE(std::string::npos, Screen().find("SQL Error (1): no such table: node"));
}

// The BBS logs the door's stderr; the caller sees the same on the screen.
TEST_F(StatementTest, OpenFailureGoesToStderrWithThePathAndToTheScreen) {
  ASSERT_EQ(0, rmdir("Data"));  // nowhere to create the file
  fflush(stderr);
  int saved = dup(STDERR_FILENO);
  FILE* capture = tmpfile();
  ASSERT_NE(nullptr, capture);
  dup2(fileno(capture), STDERR_FILENO);
  bool exited = false;
  try {
    Open();
  } catch (const Exited& e) {
    exited = e.level == 10;
  }
  fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  char text[400] = {};
  rewind(capture);
  size_t n = fread(text, 1, sizeof text - 1, capture);
  fclose(capture);
  EXPECT_TRUE(exited);
  const std::string logged(text, n);
  char here[PATH_MAX];
  ASSERT_NE(nullptr, getcwd(here, sizeof here));
  EXPECT_NE(std::string::npos, logged.find(std::string("DB create error: ") + here +
                                           "/Data/game.db: unable to open database file"))
      << logged;
  EXPECT_FALSE(IsOpen());
  EXPECT_NE(std::string::npos, Screen().find("DB create error: ")) << Screen();
}

using NodesTest = DbTest;

TEST_F(NodesTest, StatementWaitsOutAnotherNodesLockSilently) {
  Exec(kPlayer, "INSERT INTO %s (UserName,Gold) VALUES (%Q,%Q)", "player", "Bob", "10");
  Signal locked;
  pid_t other = SpawnNode([&] {
    Exec(kNoTable, "BEGIN EXCLUSIVE");
    Exec(kPlayer, "UPDATE %s SET Gold=%Q WHERE UserName=%Q", "player", "20", "Bob");
    locked.Raise();
    usleep(2500 * 1000);
    Exec(kNoTable, "COMMIT");
    return 0;
  });
  ASSERT_TRUE(locked.Wait(10000));
  long long start = NowMs();
  const std::string seen =
      Query(kPlayer, "SELECT Gold FROM %s WHERE UserName=%Q", "player", "Bob").Text(0, 0);
  if (CurrentJournal() == Journal::kRollback) {
    // A read waits for the other node's commit and sees it.
    EXPECT_EQ("20", seen);
    EXPECT_GE(NowMs() - start, 2000);
  } else {
    // With the log a read never waits: it sees the last commit.
    EXPECT_EQ("10", seen);
    EXPECT_LT(NowMs() - start, 2000);
  }
  EXPECT_EQ(0, WaitNode(other, 20000));

  // So does a write, behind a node that holds the write lock.
  pid_t writer = SpawnNode([&] {
    Exec(kNoTable, "BEGIN IMMEDIATE");
    locked.Raise();
    usleep(1800 * 1000);
    Exec(kPlayer, "UPDATE %s SET Gold=%Q WHERE UserName=%Q", "player", "30", "Bob");
    Exec(kNoTable, "COMMIT");
    return 0;
  });
  ASSERT_TRUE(locked.Wait(10000));
  Exec(kPlayer, "UPDATE %s SET Gold=Gold+1 WHERE UserName=%Q", "player", "Bob");
  EXPECT_EQ(0, WaitNode(writer, 20000));
  EXPECT_EQ(31, Query(kPlayer, "SELECT Gold FROM %s", "player").Int(0, 0));
  EXPECT_EQ("", Screen());
}

TEST_F(NodesTest, NodesMeetingAMissingTableTogetherAllGoOn) {
  constexpr int kNodes = 4;
  for (int round = 0; round < 5; ++round) {
    Close();
    unlink(kDatabasePath);
    Signal go;
    std::vector<pid_t> nodes;
    for (int i = 0; i < kNodes; ++i) {
      nodes.push_back(SpawnNode([&] {
        Open();  // every node has its connection before the race starts
        if (!go.Wait(10000)) return 2;
        ResultTable state = Query(kState, "SELECT NumPlayers FROM %s", "state");
        Exec(kState, "UPDATE %s SET NumPlayers=NumPlayers+1", "state");
        Exec(kNode, "INSERT INTO %s (TypeOf,SentTo) VALUES (1,%Q)", "node", "Bob");
        InsertConfigDefaults();
        return state.rows() == 1 ? 0 : 3;
      }));
    }
    usleep(100 * 1000);
    go.Raise(kNodes);
    for (pid_t node : nodes) EXPECT_EQ(0, WaitNode(node, 30000)) << "round " << round;
    ResultTable state = Query(kState, "SELECT NumPlayers FROM %s", "state");
    ASSERT_EQ(1, state.rows());
    EXPECT_EQ(kNodes, state.Int(0, 0));
    EXPECT_EQ(kNodes, CountRows(kNode));
    EXPECT_EQ(1, CountRows(kConfig));
  }
}

// Two nodes that have both read inside a deferred transaction and then both
// write would each wait for the other forever.
TEST_F(NodesTest, ReadersThatBothWriteDoNotDeadlock) {
  Exec(kPlayer, "INSERT INTO %s (UserName,Gold) VALUES (%Q,'0'),(%Q,'0')", "player", "A", "B");
  for (bool one_string : {false, true}) {
    Signal ready;
    Signal go;
    std::vector<pid_t> nodes;
    for (const char* user : {"A", "B"}) {
      nodes.push_back(SpawnNode([&, user] {
        if (one_string) {
          // The count takes the read lock; a restart runs the whole unit
          // again from after its BEGIN, so the rows are the new transaction's.
          Open();
          ready.Raise();
          if (!go.Wait(10000)) return 2;
          ResultTable seen = Query(kPlayer,
                                   "BEGIN TRANSACTION; SELECT COUNT(*) FROM %s; "
                                   "UPDATE %s SET Gold=Gold+1 WHERE UserName=%Q; "
                                   "SELECT Gold FROM %s WHERE UserName=%Q; COMMIT TRANSACTION",
                                   "player", "player", user, "player", user);
          return seen.Int(0, 0) == 2 ? 0 : 3;
        }
        Exec(kNoTable, "BEGIN TRANSACTION");
        Query(kPlayer, "SELECT Gold FROM %s", "player");
        ready.Raise();
        if (!go.Wait(10000)) return 2;
        Exec(kPlayer, "UPDATE %s SET Gold=Gold+1 WHERE UserName=%Q", "player", user);
        Exec(kNoTable, "COMMIT TRANSACTION");
        return 0;
      }));
    }
    ASSERT_TRUE(ready.Wait(10000));
    ASSERT_TRUE(ready.Wait(10000));
    go.Raise(2);
    for (pid_t node : nodes) EXPECT_EQ(0, WaitNode(node, 20000)) << "one string: " << one_string;
  }
  ResultTable gold = Query(kPlayer, "SELECT Gold FROM %s ORDER BY UserName", "player");
  ASSERT_EQ(2, gold.rows());
  EXPECT_EQ(2, gold.Int(0, 0));
  EXPECT_EQ(2, gold.Int(1, 0));
}

}  // namespace
}  // namespace trv::db
