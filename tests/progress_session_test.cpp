// A level raise, the status pages, the guild hall and the rankings as a
// caller reaches them from Main Street through the real door, and two
// sessions of one character raising at once.
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

class ProgressSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews})
      dir_.Exec(db::CreationStatement(table));
    dir_.AddKingdom(test::Kingdom(1, "Avalon", "Xerxes", "x"));
  }

  // Amy at level 1, with `experience` (the default multiplier is 10,000).
  void AddAmy(int experience) {
    test::Character amy("amy", "Amy");
    amy.more = "Experience=" + std::to_string(experience);
    dir_.AddCharacter(amy);
  }

  std::unique_ptr<Session> OnMainStreet(int node = 1, bool others_online = false) {
    Caller caller;
    caller.user_name = "amy";
    caller.node = node;
    return EnterMainStreet(dir_, launch_, caller, others_online);
  }

  long long Amy(const std::string& column) {
    return dir_.QueryInt("SELECT " + column + " FROM player WHERE UserName='amy'");
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(ProgressSessionTest, ACallerRisesSeesItselfAndWalksTheGuildRoadAndTheRankings) {
  AddAmy(12000);
  auto s = OnMainStreet();

  // The level masters: Offensive Training, then too little for another.
  s->Send("v");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  EXPECT_EQ("Leveling Area", dir_.Query("SELECT WhereInGame FROM player"));
  s->Send("2");
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  EXPECT_TRUE(s->screen()->Contains("Level Raised to 2"));
  EXPECT_TRUE(s->screen()->Contains("Max hitpoints are now 39 {+10}"));
  EXPECT_TRUE(s->screen()->Contains("Leadership is now"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  EXPECT_EQ(2, Amy("Level"));
  EXPECT_EQ(2000, Amy("Experience"));
  EXPECT_EQ(39, Amy("HP"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM news WHERE Line1='Amy earned a level raise to "
                             "2..'"));
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("You need 18,000 more experience pts!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  // The status pages from Main Street: status, equipment, kingdom,
  // investments, back to the status page, and Enter back to the street.
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Amy's Status"));
  ASSERT_TRUE(s->WaitFor("Enter: "));
  EXPECT_EQ("Viewing Stats", dir_.Query("SELECT WhereInGame FROM player"));
  EXPECT_TRUE(s->screen()->Contains("Current Level:    2"));
  EXPECT_TRUE(s->screen()->Contains("Hitpoints:         39 of 39"));
  EXPECT_TRUE(s->screen()->Contains("Profession Title: Aggressor"));
  for (const char* page : {"e", "k", "i", "\r"}) {
    s->Send(page);
    ASSERT_TRUE(s->WaitFor(page[0] == 'e'   ? "Total Weapon Strength"
                           : page[0] == 'k' ? "Kingdom Acres:"
                           : page[0] == 'i' ? "Smuggling Centers"
                                            : "Amy's Status"));
  }
  s->Send("\r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  // A shop's V returns to the shop.
  s->Send("w");
  ASSERT_TRUE(s->WaitForCursor(19, 28));
  s->Send("v");
  ASSERT_TRUE(s->WaitFor("Amy's Status"));
  ASSERT_TRUE(s->WaitFor("Enter: "));
  s->Send("\r");
  ASSERT_TRUE(s->WaitForCursor(19, 28));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  // The guild road: the vacant title, a magic place, the monastery's guards.
  s->Send("g");
  ASSERT_TRUE(s->WaitFor("The position is open!"));  // the art leaves the cursor there first
  ASSERT_TRUE(s->WaitForCursor(23, 9));
  EXPECT_EQ("{Nobody}", s->screen()->Text(15, 26, 8));
  EXPECT_EQ("The position is open!", s->screen()->Text(16, 26, 21));
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("eturn to Guild Road"));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(23, 9));
  s->Send("m");
  ASSERT_TRUE(s->WaitFor("You are not a member of the monk guild"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(23, 9));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  // The level ranking.
  s->Send("l");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("a");
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  EXPECT_TRUE(
      s->screen()->Contains("Amy                    2    (PIECE OF CRAP!)    (THE BEST!)  "
                            "<<==--YOU!!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("\r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  s->Send("q");
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
}

TEST_F(ProgressSessionTest, TwoSessionsOfOneCharacterRaisingAtOnceGetOneLevel) {
  AddAmy(10000);  // exactly one level's worth
  auto one = OnMainStreet(1, false);
  auto two = OnMainStreet(2, true);
  for (Session* s : {one.get(), two.get()}) {
    s->Send("v");
    ASSERT_TRUE(s->WaitFor("Your Selection: "));
  }
  one->Send("1");
  two->Send("1");
  int raised = 0;
  for (Session* s : {one.get(), two.get()}) {
    const size_t from = s->Mark();
    ASSERT_TRUE(s->WaitUntil(
        [from](const Screen&, const std::string& text) {
          return text.find("CONGRATULATIONS", from) != std::string::npos ||
                 text.find("more experience pts!", from) != std::string::npos;
        },
        "the raise or the refusal"));
    if (s->ScreenText().find("CONGRATULATIONS", from) == std::string::npos) continue;
    ++raised;
    ASSERT_TRUE(s->WaitFor("Press Any Key"));  // after the news
  }
  EXPECT_EQ(1, raised);
  EXPECT_EQ(2, Amy("Level"));
  EXPECT_EQ(0, Amy("Experience"));
  EXPECT_EQ(3, Amy("ProfExp"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM news WHERE Title LIKE '%LEVEL UP'"));
}

}  // namespace
}  // namespace trv::harness
