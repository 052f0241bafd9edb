// The dark alley as a caller walks it through TRVLaunch: from Main Street
// to a crime against another character, then to a vice shop and back.
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

TEST(AlleySessionTest, ACallerBurnsAnAccountThenBuysADrugAndGoesBackToTheStreet) {
  GameDir dir;
  const std::string built = ProgramPath("TRVLaunch");
  ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
  const std::string launch = dir.LinkProgram(built);
  for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews})
    dir.Exec(db::CreationStatement(table));
  dir.AddKingdom(test::Kingdom(1, "Avalon", "Rex", "rex"));
  dir.Exec("UPDATE kingdom SET CrimePrevention=0");
  test::Character amy("amy", "Amy");
  amy.gold = "10000";
  amy.more = "Mental=50,ProfExp=0";
  dir.AddCharacter(amy);
  test::Character ben("ben", "Ben");
  ben.bank_gold = "1234567";
  dir.AddCharacter(ben);
  const std::string ben_id = dir.Query("SELECT IDNum FROM player WHERE UserName='ben'");

  Caller caller;
  caller.user_name = "amy";
  auto s = EnterMainStreet(dir, launch, caller);
  s->Send("s");
  ASSERT_TRUE(s->WaitForCursor(18, 27));
  EXPECT_EQ("Dark Alley", dir.Query("SELECT WhereInGame FROM player WHERE UserName='amy'"));

  s->Send("c");
  ASSERT_TRUE(s->WaitFor("Kingdom Crime Prevention: 0%"));
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("d");
  ASSERT_TRUE(s->WaitFor("Use 1 evil deed (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Victim Selection"));
  ASSERT_TRUE(s->WaitFor("Ben"));
  ASSERT_TRUE(s->WaitFor("Offline"));
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>: "));
  s->SendLine(ben_id);
  ASSERT_TRUE(s->WaitFor("You found Ben and set fire to their bank box!"));
  ASSERT_TRUE(s->WaitFor("Bank gold lost: $1,234,567"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(18, 27));

  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Gold: $10000"));
  ASSERT_TRUE(s->WaitFor("Mental State : 50"));
  ASSERT_TRUE(s->WaitFor("[1] Marajuna"));
  ASSERT_TRUE(s->WaitFor("Your Selection (Enter to exit) : "));
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("Use 1 evil deed [y/N]? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Pay $3,000 for the drug [y/N]? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("You take the marajuna from Pike, and start puffing.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Puff Puff.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("You gain 3 HIGH EXPERIENCE pts!"));
  ASSERT_TRUE(s->WaitFor("Mental state drops by 2 pts.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Mental State : 48"));
  ASSERT_TRUE(s->WaitFor("Your Selection (Enter to exit) : "));
  s->Send("\r");
  ASSERT_TRUE(s->WaitForCursor(18, 27));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  EXPECT_EQ("0", dir.Query("SELECT BankGold FROM player WHERE UserName='ben'"));
  EXPECT_EQ("7000|48|3|1",
            dir.Query("SELECT Gold||'|'||Mental||'|'||ProfExp||'|'||EvilDeeds FROM player WHERE "
                      "UserName='amy'"));
  EXPECT_EQ("Amy destroyed your bank account!",
            dir.Query("SELECT Line2 FROM usernews WHERE UserName='ben'"));
  s->Send("q");
  EXPECT_TRUE(s->ExitsWith(10));
}

}  // namespace
}  // namespace trv::harness
