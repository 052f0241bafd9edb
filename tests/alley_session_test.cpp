// The dark alley as a caller walks it through TRVLaunch: from Main Street
// to a crime against another character, then to a vice shop and back.
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

// A seed under which the pickpocket's roll is not caught.
constexpr unsigned kRobbingSeed = 1;

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

// A rogue robs a caller who is playing on another node right now, then
// puts a bounty on him and reads it on the board.
TEST(AlleySessionTest, ARogueRobsACallerOnAnotherNodeAndPutsABountyOnHim) {
  GameDir dir;
  const std::string built = ProgramPath("TRVLaunch");
  ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
  const std::string launch = dir.LinkProgram(built);
  dir.AddKingdom(test::Kingdom(1, "Avalon", "Rex", "rex"));
  test::Character amy("amy", "Amy");
  amy.gold = "1000";
  amy.more = "Guild='Rogue'";
  dir.AddCharacter(amy);
  test::Character ben("ben", "Ben");
  ben.gold = "5000";
  dir.AddCharacter(ben);
  const std::string ben_id = dir.Query("SELECT IDNum FROM player WHERE UserName='ben'");

  Caller ben_caller;
  ben_caller.user_name = "ben";
  ben_caller.node = 2;
  auto b = EnterMainStreet(dir, launch, ben_caller);
  Caller amy_caller;
  amy_caller.user_name = "amy";
  auto s = EnterMainStreet(dir, launch, amy_caller, /*others_online=*/true, kRobbingSeed);
  s->Send("s");
  ASSERT_TRUE(s->WaitForCursor(18, 27));
  s->Send("t");
  ASSERT_TRUE(s->WaitFor("[P]ick-Pocket Online Player"));
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Tarvessia: Unsuspecting Victims"));
  ASSERT_TRUE(s->WaitFor("Ben"));
  ASSERT_TRUE(s->WaitFor("Main Street"));
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>: "));
  s->SendLine(ben_id);
  ASSERT_TRUE(s->WaitFor("Attempt to Pickpocket Ben(y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Use 1 evil deed (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("SUCCESSFUL PICKPOCKET!"));
  ASSERT_TRUE(s->WaitFor("You pickpocked: $5,000"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  EXPECT_EQ("0|6000|2",
            dir.Query("SELECT (SELECT Gold FROM player WHERE UserName='ben')||'|'||Gold||'|'||"
                      "EvilDeeds FROM player WHERE UserName='amy'"));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(18, 27));

  s->Send("w");
  ASSERT_TRUE(s->WaitFor("Wanted Posters"));
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("a");
  ASSERT_TRUE(s->WaitFor("Victim Selection"));
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>: "));
  s->SendLine(ben_id);
  ASSERT_TRUE(s->WaitFor("Gold On Hand: $6,000"));
  ASSERT_TRUE(s->WaitFor("Put Bounty at How Much? $"));
  s->SendLine("000100");
  ASSERT_TRUE(s->WaitFor("Post this bounty (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Bounty Posted!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("v");
  ASSERT_TRUE(s->WaitFor("Listing of Bounties"));
  ASSERT_TRUE(s->WaitFor("[1] Ben"));
  ASSERT_TRUE(s->WaitFor("$100"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(18, 27));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  EXPECT_EQ("5900|Ben|100|Amy",
            dir.Query("SELECT (SELECT Gold FROM player WHERE UserName='amy')||'|'||Wanted||'|'||"
                      "Bounty||'|'||SetByUsername FROM poster"));
  s->Send("q");
  EXPECT_TRUE(s->ExitsWith(10));
  b->Send("q");
  EXPECT_TRUE(b->ExitsWith(10));
}

}  // namespace
}  // namespace trv::harness
