// The two checks the play session makes at entry, run in-process.
#include <gtest/gtest.h>

#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/maint/high_lord.h"
#include "game/maint/maint.h"
#include "game/player/high_lord.h"
#include "tests/support/in_process.h"

namespace trv::maint {
namespace {

using db::Exec;
using db::Query;
using db::TableName;
using test::Exited;

class EntryChecksTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    db::InsertConfigDefaults();
  }
  static void AddPlayer(const char* user, const char* name, int level) {
    test::Character c(user, name);
    c.level = level;
    test::AddCharacter(c);
  }
  void WriteLord(const std::string& name, const std::string& user) {
    std::string record(player::kHighLordRecordSize, '\0');
    record.replace(0, name.size(), name);
    record.replace(21, user.size(), user);
    FILE* f = fopen(kHighLordFile, "wb");
    ASSERT_NE(nullptr, f);
    fwrite(record.data(), 1, record.size(), f);
    fclose(f);
  }
};

TEST_F(EntryChecksTest, TournamentWithoutWinnerLetsTheCallerIn) {
  CheckTournamentEnd();  // no tournament
  Exec(db::kConfig, "UPDATE %s SET TournamentMode=1,MaxLevel=20", TableName(db::kConfig));
  CheckTournamentEnd();  // nobody has a character yet
  AddPlayer("a", "Twenty", 20);
  CheckTournamentEnd();  // reaching the level is not enough
  Exec(db::kConfig, "UPDATE %s SET MaxLevel=0,EndDate='99999999'", TableName(db::kConfig));
  CheckTournamentEnd();  // no such date: no end
  EXPECT_EQ("", Screen());
}

TEST_F(EntryChecksTest, LeaderPastTheLevelEndsTheDoorWithTheWinnerScreen) {
  Exec(db::kConfig, "UPDATE %s SET TournamentMode=1,MaxLevel=20", TableName(db::kConfig));
  AddPlayer("a", "Twenty", 20);
  AddPlayer("b", "Cham`bright red`p", 21);
  Type(" ");
  try {
    CheckTournamentEnd();
    FAIL() << "the door went on";
  } catch (const Exited& exited) {
    EXPECT_EQ(10, exited.level);
  }
  const std::string screen = Screen();
  EXPECT_NE(std::string::npos, screen.find("Tournament Over!"));
  EXPECT_NE(std::string::npos, screen.find("Chambright redp"));
  EXPECT_NE(std::string::npos, screen.find("on winning the Tarvessia Tournament!"));
  EXPECT_NE(std::string::npos, screen.find("Press Any Key"));
  EXPECT_NE(std::string::npos, screen.find("Thank you for playing!!"));  // the closing screen
}

TEST_F(EntryChecksTest, HighLordIsKnownByTheRecordAndAnnounced) {
  AddPlayer("lord", "Lord", 30);
  AddPlayer("other", "Other", 3);
  EXPECT_FALSE(IsHighLordToday("lord"));  // no record
  WriteLord("Lord", "lord");
  EXPECT_FALSE(IsHighLordToday("other"));
  EXPECT_FALSE(IsHighLordToday("nobody"));
  EXPECT_EQ(0, Query(db::kNews, "SELECT COUNT(*) FROM %s", TableName(db::kNews)).Int(0, 0));
  EXPECT_TRUE(IsHighLordToday("lord"));
  auto news = Query(db::kNews, "SELECT day,Title,Line1 FROM %s", TableName(db::kNews));
  ASSERT_EQ(1, news.rows());
  EXPECT_STREQ("today", news.Text(0, 0));
  EXPECT_STREQ("`grey`--==[Tarvessia High Lord]==--`dark green`", news.Text(0, 1));
  EXPECT_STREQ("Lord earns the rewards for today..", news.Text(0, 2));
  WriteLord("Lord", "");  // vacant
  EXPECT_FALSE(IsHighLordToday("lord"));
}

}  // namespace
}  // namespace trv::maint
