#include "game/town/frame.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/player/caller.h"
#include "tests/support/in_process.h"

namespace trv {
namespace {

using db::Exec;
using db::Query;
using db::TableName;
using test::Exited;

class ExitHookTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    BeCaller("leaver");
    player::SetSessionCounted(false);
  }
  // A character on-line (status 1) or not; no kingdom: still being created.
  static void AddPlayer(const char* user, const char* name, int status,
                        const char* kingdom = "Avalon") {
    test::Character c(user, name);
    c.status = status;
    c.kingdom = kingdom ? std::optional<std::string>(kingdom) : std::nullopt;
    test::AddCharacter(c);
  }
  long long Number(int table, const char* sql) {
    return Query(table, sql, TableName(table)).Int(0, 0);
  }
};

TEST_F(ExitHookTest, DoesNothingBeforeTheDatabaseIsOpen) {
  BeforeExitFunction();
  EXPECT_FALSE(db::IsOpen());
  EXPECT_NE(0, access("Data/game.db", F_OK));
}

TEST_F(ExitHookTest, UncountsTheSessionOnceAndTellsTheOthers) {
  Exec(db::kState, "UPDATE %s SET NumPlayers=3", TableName(db::kState));
  AddPlayer("leaver", "Wanderer", 1);
  AddPlayer("other", "Ann", 1);
  player::SetSessionCounted(true);
  BeforeExitFunction();
  BeforeExitFunction();  // a second run must not take another one away
  EXPECT_EQ(2, Number(db::kState, "SELECT NumPlayers FROM %s"));
  EXPECT_EQ(0, Number(db::kPlayer, "SELECT Status FROM %s WHERE UserName='leaver'"));
  // Each run tells the others once more, but the count moved only once.
  EXPECT_EQ(2, Number(db::kNode, "SELECT COUNT(*) FROM %s WHERE SentTo='other' AND TypeOf=0"));
}

TEST_F(ExitHookTest, StaleNoticesGoWithTheCallerButATelegramWaits) {
  AddPlayer("leaver", "Wanderer", 1);
  for (int type : {0, 1, 2, 3})
    Exec(db::kNode, "INSERT INTO %s (TypeOf,SentTo,SentBy) VALUES (%d,'leaver','Ann')",
         TableName(db::kNode), type);
  Exec(db::kNode, "INSERT INTO %s (TypeOf,SentTo,SentBy) VALUES (1,'other','Ann')",
       TableName(db::kNode));
  player::SetSessionCounted(true);
  BeforeExitFunction();
  EXPECT_EQ(2, Number(db::kNode, "SELECT TypeOf FROM %s WHERE SentTo='leaver'"));
  EXPECT_EQ(1, Number(db::kNode, "SELECT COUNT(*) FROM %s WHERE SentTo='leaver'"));
  EXPECT_EQ(1, Number(db::kNode, "SELECT COUNT(*) FROM %s WHERE SentTo='other'"));
}

TEST_F(ExitHookTest, ASessionNeverCountedIsNotUncountedEvenWhenMarkedOnLine) {
  // Same user on two nodes: the other node's session set Status=1.
  Exec(db::kState, "UPDATE %s SET NumPlayers=1", TableName(db::kState));
  AddPlayer("leaver", "Wanderer", 1);
  BeforeExitFunction();
  EXPECT_EQ(1, Number(db::kState, "SELECT NumPlayers FROM %s"));
}

TEST_F(ExitHookTest, TheCountNeverGoesBelowZero) {
  // Maintenance forced while callers played has already cleared the count.
  Exec(db::kState, "UPDATE %s SET NumPlayers=0", TableName(db::kState));
  AddPlayer("leaver", "Wanderer", 1);
  player::SetSessionCounted(true);
  BeforeExitFunction();
  EXPECT_EQ(0, Number(db::kState, "SELECT NumPlayers FROM %s"));
}

TEST_F(ExitHookTest, RemovesOnlyTheCallersOwnUnfinishedCharacter) {
  AddPlayer("leaver", "Half", 0, nullptr);
  AddPlayer("creator", "Other", 0, nullptr);
  BeforeExitFunction();
  EXPECT_EQ(0, Number(db::kPlayer, "SELECT COUNT(*) FROM %s WHERE UserName='leaver'"));
  EXPECT_EQ(1, Number(db::kPlayer, "SELECT COUNT(*) FROM %s WHERE UserName='creator'"));
}

TEST_F(ExitHookTest, RollsBackWhatTheInterruptedScreenLeftOpen) {
  AddPlayer("leaver", "Wanderer", 1);
  Exec(db::kNoTable, "BEGIN IMMEDIATE");
  Exec(db::kPlayer, "UPDATE %s SET PlayerName='Halfway' WHERE UserName='leaver'",
       TableName(db::kPlayer));
  BeforeExitFunction();
  EXPECT_TRUE(sqlite3_get_autocommit(db::Handle()));
  EXPECT_STREQ("Wanderer",
               Query(db::kPlayer, "SELECT PlayerName FROM %s", TableName(db::kPlayer)).Text(0, 0));
  EXPECT_EQ(0, Number(db::kPlayer, "SELECT Status FROM %s WHERE UserName='leaver'"));
}

TEST_F(ExitHookTest, AFailingStatementInsideTheHookEndsWithoutTheClosingScreenAgain) {
  // A player table from an older realm that lacks the columns the hook writes.
  Exec(db::kNoTable, "CREATE TABLE player (UserName TEXT, Kingdom TEXT)");
  od_control.od_before_exit = BeforeExitFunction;
  Type("x");
  try {
    od_exit(10, FALSE);
    FAIL() << "od_exit returned";
  } catch (const Exited& e) {
    EXPECT_EQ(10, e.level);
  }
  std::string screen = Screen();
  EXPECT_NE(std::string::npos, screen.find("SQL Error (1)"));
  EXPECT_EQ(std::string::npos, screen.find("Thank you for playing"));
}

}  // namespace
}  // namespace trv
