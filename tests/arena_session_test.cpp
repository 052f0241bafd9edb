// The arena as a caller walks it from Main Street, through the real door,
// with a seeded generator: a fight to the death that only one side can
// win, whatever the seed.
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

}  // namespace
}  // namespace trv::harness
