// Quests as a caller goes on them from Main Street, through the real door.
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

class QuestSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table :
         {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews, db::kQuest})
      dir_.Exec(db::CreationStatement(table));
    dir_.AddCharacter(test::Character("amy", "Amy"));
  }

  long long Player(const std::string& column) {
    return dir_.QueryInt("SELECT " + column + " FROM player WHERE UserName='amy'");
  }
  std::string Quest() {
    return dir_.Query("SELECT QuestName || '|' || QuestDay || '|' || Today FROM quest");
  }
  // Back on Main Street after a key that ends a screen.
  static void BackOnMainStreet(Session& s) {
    s.Send(" ");
    ASSERT_TRUE(s.WaitForCursor(21, 26));
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(QuestSessionTest, ATwoDayQuestAndAScriptNamingForbiddenColumns) {
  Caller caller;
  caller.user_name = "amy";
  auto s = EnterMainStreet(dir_, launch_, caller);

  // Day one: the rules, the list, and the first day's part.
  s->Send("o");
  ASSERT_TRUE(s->WaitFor("It appears you have never been on a Quest before.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Choice <Enter to exit> : "));
  EXPECT_TRUE(s->screen()->Contains("[1  ] The Drowned Bell (2 days; lvl 1-5) By: Tidewardens"));
  EXPECT_EQ("On Quest", dir_.Query("SELECT WhereInGame FROM player"));
  s->SendLine("1");
  ASSERT_TRUE(s->WaitFor("Old Maren the harbourmaster finds you on the quay, Amy, lamp in hand."));
  ASSERT_TRUE(s->WaitFor("someone from Avalon who does not scare easily"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("stamped with a forgotten king."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("The Quest for today has ended, come back tommorrow"));
  ASSERT_NO_FATAL_FAILURE(BackOnMainStreet(*s));
  EXPECT_EQ("The Drowned Bell (2 days; lvl 1-5)|1|1", Quest());
  EXPECT_EQ(2600, Player("Gold"));
  EXPECT_EQ(2, Player("ProfExp"));

  // The next day goes on after day one's end.
  dir_.Exec("UPDATE quest SET Today=0");
  s->Send("o");
  ASSERT_TRUE(s->WaitFor("Continue On The Drowned Bell (2 days; lvl 1-5) Quest (y/N)?"));
  const size_t day_two = s->Mark();
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("the top of a drowned tower breaks the surface."));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Old Maren", day_two));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForScreen("The Drowned Tower"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("words: \"Rung for the lost, until the lost come home.\""));
  const std::string frame = "The Drowned Bell (2 days; lvl 1-5)      Author: Tidewardens";
  EXPECT_EQ(frame, s->screen()->Text(19, 18, static_cast<int>(frame.size())));
  EXPECT_EQ("Amy", s->screen()->Text(21, 21, 3));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("the whole quay turns out to thank"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Any tide that brings you back, Amy, is a good one."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("QUEST COMPLETION"));
  ASSERT_NO_FATAL_FAILURE(BackOnMainStreet(*s));
  EXPECT_EQ("|0|1", Quest());
  EXPECT_EQ(6000, Player("BankGold"));
  EXPECT_EQ(3, Player("Charm"));
  EXPECT_EQ("Amy successfully completed the following quest:",
            dir_.Query("SELECT Line1 FROM news WHERE Title LIKE '%QUEST COMPLETION%'"));

  // A downloaded script naming columns it may not touch changes nothing
  // and the door goes on.
  dir_.WriteFile("Quests/odd.txt",
                 "@STAT:Level:5\n@STAT:Gold:9\n@COMM:Status:1\n@STAT:HP:1;DROP TABLE player\n"
                 "@COMM:Gold=0,BankGold:5\nThe odd quest goes on.\n@FINAL@\n");
  dir_.WriteFile("Data/quests.dat",
                 dir_.ReadFile("Data/quests.dat") + "Odd Stats,Tester,odd.txt,\n");
  dir_.Exec("UPDATE quest SET Today=0");
  const auto before = dir_.QueryRows("SELECT * FROM player");
  s->Send("o");
  ASSERT_TRUE(s->WaitFor("Your Choice <Enter to exit> : "));
  s->SendLine("5");
  ASSERT_TRUE(s->WaitFor("The odd quest goes on."));
  ASSERT_TRUE(s->WaitFor("QUEST COMPLETION"));
  ASSERT_NO_FATAL_FAILURE(BackOnMainStreet(*s));
  EXPECT_EQ(before, dir_.QueryRows("SELECT * FROM player"));
  s->Send("q");
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
}

}  // namespace
}  // namespace trv::harness
