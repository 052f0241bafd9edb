// Hunting as a caller does it from Main Street, through the real door.
#include <signal.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

// Area 1 holds a dummy that never strikes back and falls to any hit (a
// group bound of 2 is always one); area 2 a wall nobody can break.
constexpr char kMonsters[] =
    "Practice Dummy,0,1,0,0,0,0,2,1000,50\n"
    "Stone Wall,1,1000000,0,0,0,0,2,0,0\n";

class HuntSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table :
         {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews, db::kDemon})
      dir_.Exec(db::CreationStatement(table));
    dir_.WriteFile("Data/monster.dat", kMonsters);
    dir_.AddKingdom(test::Kingdom(1, "Avalon", "Xerxes", "x"));  // taxes 25 %
    test::Character amy("amy", "Amy");
    amy.hp = 10;
    amy.more = "Equip1='Rusty Dagger'";
    dir_.AddCharacter(amy);
  }

  std::unique_ptr<Session> OnMainStreet() {
    Caller caller;
    caller.user_name = "amy";
    return EnterMainStreet(dir_, launch_, caller, false, 7);
  }

  // From Main Street into an area's menu.
  static void EnterArea(Session& s, const char* area) {
    s.Send("f");
    ASSERT_TRUE(s.WaitFor("Choose Your Fate: <Press 0 to leave> "));
    s.SendLine(area);
    ASSERT_TRUE(s.WaitFor("Thou Choice : "));
  }

  // Waits for the first of `texts` to come after the mark, moves past it
  // and returns its index (-1 when none came).
  static int WaitForAny(Session& s, const std::vector<std::string>& texts) {
    const size_t from = s.Mark();
    int which = -1;
    size_t end = 0;
    const bool came = s.WaitUntil(
        [&](const Screen&, const std::string& text) {
          size_t first = std::string::npos;
          for (size_t i = 0; i < texts.size(); ++i) {
            const size_t at = text.find(texts[i], from);
            if (at < first) {
              first = at;
              which = static_cast<int>(i);
              end = at + texts[i].size();
            }
          }
          return first != std::string::npos;
        },
        "one of the expected texts");
    EXPECT_TRUE(came);
    if (!came) return -1;
    s.SetMark(end);
    return which;
  }

  // Searches until a fight begins, passing over random finds (one search
  // in fifteen). The row as it was before the search that found the fight
  // comes back.
  struct Before {
    long long gold, experience, fights;
  };
  Before SearchUntilFight(Session& s) {
    for (;;) {
      const Before before{Player("Gold"), Player("Experience"), Player("MonsterFights")};
      s.Send("s");
      const int found = WaitForAny(s, {"YOU PREPARE FOR COMBAT!", "KIDNAPPING", "FOUND",
                                       "GOLD FIND!", "EXTRA MONSTER", "EXTRA ARENA"});
      if (found == 0) {
        EXPECT_TRUE(s.WaitFor("Thy Choice: "));
        return before;
      }
      if (found < 0) return before;
      if (found == 1) {
        s.Send(" ");
        EXPECT_TRUE(s.WaitFor("(y/n)? "));
        s.Send("n");
      }
      s.Send(" ");
      EXPECT_TRUE(s.WaitFor("Thou Choice : "));
    }
  }

  long long Player(const std::string& column) {
    return dir_.QueryInt("SELECT " + column + " FROM player WHERE UserName='amy'");
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(HuntSessionTest, ACallerDrinksWinsBuysPotionsAndRunsAway) {
  auto s = OnMainStreet();
  ASSERT_NO_FATAL_FAILURE(EnterArea(*s, "1"));
  EXPECT_EQ("Fighting Monsters", dir_.Query("SELECT WhereInGame FROM player"));
  EXPECT_TRUE(s->screen()->Contains("Haunted Forest"));
  EXPECT_TRUE(s->screen()->Contains("Your hitpoints: 10/29"));
  EXPECT_TRUE(s->screen()->Contains("[Y]our status and equipment"));

  s->Send("u");  // 19 points at 1 a potion
  ASSERT_TRUE(s->WaitFor("You quickly drink the potions and are fully healed!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Thou Choice : "));
  EXPECT_TRUE(s->screen()->Contains("Your hitpoints: 29/29"));
  EXPECT_EQ(281, Player("Potions"));
  EXPECT_EQ(29, Player("HP"));

  const Before before = SearchUntilFight(*s);
  EXPECT_TRUE(s->screen()->Contains("Practice Dummy  1/1"));
  int turn = 0;
  do {
    s->Send("a");
  } while (WaitForAny(*s, {"Thy Choice: ", "VICTORY!"}) == 0 && ++turn < 50);
  const size_t victory_at = s->Mark();
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("gold in taxes to your kingdom"));
  const std::string victory = s->ScreenText().substr(victory_at);
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Thou Choice : "));
  EXPECT_EQ(1000, FigureAfter(victory, R"(You pick up \$)"));
  EXPECT_EQ(250, FigureAfter(victory, R"(You pay \$)"));
  EXPECT_EQ(50, FigureAfter(victory, "EXPERIENCE INCREASE OF "));
  EXPECT_EQ(before.gold + 750, Player("Gold"));
  EXPECT_EQ(before.experience + 50, Player("Experience"));
  EXPECT_EQ(before.fights - 1, Player("MonsterFights"));
  EXPECT_EQ(250, dir_.QueryInt("SELECT HoldTaxes FROM kingdom WHERE Name='Avalon'"));
  EXPECT_EQ(1201, dir_.QueryInt("SELECT Land FROM kingdom WHERE Name='Avalon'"));

  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Purchase how many healing potions? "));
  s->SendLine("5");
  ASSERT_TRUE(s->WaitFor("Purchased 5 potions!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Thou Choice : "));
  EXPECT_EQ(286, Player("Potions"));
  EXPECT_EQ(before.gold + 730, Player("Gold"));

  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  ASSERT_NO_FATAL_FAILURE(EnterArea(*s, "2"));
  const Before wall = SearchUntilFight(*s);
  EXPECT_TRUE(s->screen()->Contains("Stone Wall  1,000,000/1,000,000"));
  s->Send("r");
  ASSERT_TRUE(s->WaitFor("You make a cowardly run for it!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Thou Choice : "));
  EXPECT_EQ(wall.fights - 1, Player("MonsterFights"));
  EXPECT_EQ(wall.experience, Player("Experience"));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  EXPECT_EQ(29, Player("HP"));
  s->Send("q");
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
}

TEST_F(HuntSessionTest, ADoorKilledDuringADemonFightLeavesNoDemonBehind) {
  dir_.Exec("INSERT INTO demon (UserName,SentByUserName) VALUES ('amy','bob')");
  auto s = OnMainStreet();
  s->Send("f");
  ASSERT_TRUE(s->WaitFor("Defeat the demon!!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Thy Choice: "));
  EXPECT_TRUE(s->screen()->Contains("Summoned Demon  87/87"));  // three times amy's 29
  s->Kill(SIGKILL);
  ASSERT_EQ(ExitStatus::Signaled(SIGKILL), s->WaitExit());
  EXPECT_EQ(0, dir_.QueryInt("SELECT count(*) FROM demon"));
}

}  // namespace
}  // namespace trv::harness
