// The arena and the High Lord's challenge as a caller walks them from Main
// Street, through the real door, with a seeded generator: fights to the
// death that only one side can win, whatever the seed.
#include <algorithm>
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

class ArenaSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table :
         {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews, db::kPoster})
      dir_.Exec(db::CreationStatement(table));
    dir_.AddKingdom(test::Kingdom(1, "Avalon", "Xerxes", "x"));
    // Amy's attack (3,009) is half the brute's defence: she hits every
    // other blow. His attack equals her defence (4,182): he never hits.
    test::Character amy("amy", "Amy");
    amy.more = "Strength=100,Equip1='Rusty Dagger'";
    dir_.AddCharacter(amy);  // IDNum 1
    test::Character brute("bru", "Brute");
    brute.gold = "5000";
    brute.max_hp = 100;
    brute.more = "Defense=82,Strength=168,MaxMagicPower=0,Experience=2000";
    dir_.AddCharacter(brute);  // IDNum 2
    dir_.AddCharacter(test::Character("sam", "Sam"));
    dir_.Exec("INSERT INTO poster (Wanted,Bounty,SetByUsername) VALUES ('Brute','700','Sam')");
  }

  long long Amy(const std::string& column) {
    return dir_.QueryInt("SELECT " + column + " FROM player WHERE UserName='amy'");
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(ArenaSessionTest, ACallerFightsToTheDeathSparesTheLoserAndCollectsTheBounty) {
  Caller caller;
  caller.user_name = "amy";
  auto s = EnterMainStreet(dir_, launch_, caller, false, 7);
  s->Send("e");
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>: "));
  EXPECT_EQ("Arena Combat", dir_.Query("SELECT WhereInGame FROM player WHERE UserName='amy'"));
  EXPECT_NE(std::string::npos, s->ScreenText().find("victor!"));
  EXPECT_TRUE(
      s->screen()->Contains("2  M  Brute                1           Offline              No"));
  s->SendLine("2");
  ASSERT_TRUE(s->WaitFor("Challenge Brute (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("BEGIN COMBAT!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Thy Choice: "));
  EXPECT_TRUE(s->screen()->Contains("Brute  Hit Points: 100/100  Magic Points: 0/0  Potions: 150"));
  s->Send("f");
  for (int question = 0; question < 10; ++question) {
    ASSERT_TRUE(s->WaitUntil(
        [from = s->Mark()](const Screen&, const std::string& text) {
          return text.find("Continue Fighting?", from) != std::string::npos ||
                 text.find("to live (y/N)?", from) != std::string::npos;
        },
        "the question"));
    if (s->TextAfterMark().find("to live (y/N)?") != std::string::npos) break;
    ASSERT_TRUE(s->WaitFor("Continue Fighting?"));
    s->Send("y");
  }
  ASSERT_TRUE(s->WaitFor("to live (y/N)?"));
  const size_t victory_at = s->Mark();
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  const std::string victory = s->ScreenText().substr(victory_at);
  EXPECT_NE(std::string::npos, victory.find("You decide to allow Brute to live"));
  EXPECT_EQ(5000, FigureAfter(victory, R"(You collect \$)"));
  EXPECT_EQ(200, FigureAfter(victory, "Experience Increase of: "));
  EXPECT_EQ(700, FigureAfter(victory, R"(You collected \$)"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  EXPECT_EQ(100 + 5000 + 700, Amy("Gold"));
  EXPECT_EQ(1 + 200, Amy("Experience"));
  EXPECT_EQ(29, Amy("HP"));  // never hit
  EXPECT_EQ(2, Amy("PlayerFights"));
  EXPECT_EQ(1, Amy("PlayerKills"));
  EXPECT_EQ("0", dir_.Query("SELECT Gold FROM player WHERE UserName='bru'"));
  EXPECT_EQ(1800, dir_.QueryInt("SELECT Experience FROM player WHERE UserName='bru'"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT count(*) FROM poster"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT count(*) FROM usernews WHERE UserName='sam'"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT count(*) FROM usernews WHERE UserName='bru'"));
  s->Send("q");
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
}

// The guild hall's X: the title held by an off-line character passes to
// the challenger who beats him, the file names the new holder, the hall
// shows him, and no bounty is collected for a title fight.
TEST_F(ArenaSessionTest, ACallerUsurpsTheHighLordFromTheGuildHall) {
  std::string record(87, '\0');
  record.replace(0, 5, "Brute");
  record.replace(21, 3, "bru");
  record.replace(57, 18, "March     04, 2026");
  dir_.WriteFile("Data/trvlord.dat", record);
  Caller caller;
  caller.user_name = "amy";
  auto s = EnterMainStreet(dir_, launch_, caller, false, 11);
  s->Send("g");
  ASSERT_TRUE(s->WaitFor("March     04, 2026"));
  ASSERT_TRUE(s->WaitForCursor(23, 9));
  EXPECT_EQ("Brute", s->screen()->Text(15, 26, 5));
  s->Send("x");
  ASSERT_TRUE(s->WaitFor("Challenge Brute (y/N)?"));
  EXPECT_TRUE(s->screen()->Contains("So you think you are tough enough to challenge Brute"));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Thy Choice: "));
  EXPECT_TRUE(s->screen()->Contains("Brute  Hit Points: 100/100  Magic Points: 0/0  Potions: 150"));
  s->Send("f");
  for (int question = 0; question < 10; ++question) {
    ASSERT_TRUE(s->WaitUntil(
        [from = s->Mark()](const Screen&, const std::string& text) {
          return text.find("Continue Fighting?", from) != std::string::npos ||
                 text.find("Press Any Key", from) != std::string::npos;
        },
        "the question"));
    if (s->TextAfterMark().find("Press Any Key") != std::string::npos) break;
    s->Send("y");
  }
  const std::string won = s->ScreenText();
  EXPECT_NE(std::string::npos, won.find("NEW TARVESSIA HIGH LORD!"));
  EXPECT_NE(std::string::npos,
            won.find("You have usurped the title of Tarvessia High Lord from Brute,"));
  EXPECT_EQ(5000, FigureAfter(won, R"(You collect \$)"));
  EXPECT_EQ(std::string::npos, won.find("Bounties Collected!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitUntil(
      [](const Screen& screen, const std::string&) {
        return screen.Text(15, 26, 3) == "Amy" && screen.CursorRow() == 23;
      },
      "the new holder over the hall"));
  EXPECT_EQ(std::string::npos, s->screen()->Row(15).find("Brute"));

  const std::string file = dir_.ReadFile("Data/trvlord.dat");
  ASSERT_EQ(87u, file.size());
  EXPECT_EQ(std::string("Amy\0", 4), file.substr(0, 4));
  EXPECT_EQ(std::string("amy\0", 4), file.substr(21, 4));
  EXPECT_EQ(100 + 5000, Amy("Gold"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT count(*) FROM poster"));  // the title fight leaves it
  EXPECT_EQ(1, dir_.QueryInt("SELECT count(*) FROM news WHERE Line1="
                             "'Amy defeated Brute and was crowned the new High Lord..'"));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  s->Send("q");
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
}

}  // namespace
}  // namespace trv::harness
