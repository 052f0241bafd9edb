// Power changing hands as callers do it: a ruler's war through the court's
// war room that destroys a small kingdom, and a citizen's militia from the
// dark alley that recruits, buys and overthrows the ruler.
#include <memory>
#include <regex>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

class WarSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews})
      dir_.Exec(db::CreationStatement(table));
    dir_.AddKingdom(test::Kingdom(1, "Avalon", "Galahad", "alice"));
    test::Kingdom bree(2, "Bree", "Mordred", "mo");
    bree.soldiers = 40;  // too few to survive a lost war
    dir_.AddKingdom(bree);
    Add("alice", "Galahad", "Avalon");
    Add("mo", "Mordred", "Bree");
    Add("dan", "Dan", "Bree");
    dir_.Exec("UPDATE kingdom SET DipName2='Bree',Dip2War=1 WHERE IDNum=1");
    dir_.Exec("UPDATE kingdom SET DipName1='Avalon',Dip1War=1 WHERE IDNum=2");
  }

  void Add(const std::string& user, const std::string& name, const std::string& kingdom) {
    test::Character c(user, name);
    c.kingdom = kingdom;
    dir_.AddCharacter(c);
  }

  std::unique_ptr<Session> OnMainStreet(const std::string& user) {
    Caller caller;
    caller.user_name = user;
    return EnterMainStreet(dir_, launch_, caller, false, 11);
  }

  // One round with `plan`, key by key as the screens ask.
  static void Round(Session& s, int round, char plan, bool coup = false) {
    ASSERT_TRUE(s.WaitFor(coup ? "CHOOSE MILITIA PLAN" : "CHOOSE ARMY PLAN"));
    ASSERT_TRUE(s.WaitFor("Your Selection: "));
    s.Send(std::string(1, plan));
    ASSERT_TRUE(s.WaitFor("Thy enemy kingdom has:"));
    ASSERT_TRUE(s.WaitFor("Press Any Key"));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("Battle"));  // the plan's own screen
    ASSERT_TRUE(s.WaitFor("Press Any Key"));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("The royal army prepares with a"));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("The bodies of the dead begin to fill the field.."));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("ROUND " + std::to_string(round) + " - BATTLE RESULTS"));
    // The defender has no towers of sorcery: none of its men fall.
    ASSERT_TRUE(s.WaitFor("Enemy Soldiers killed     : 0"));
    ASSERT_TRUE(s.WaitFor("See Your Results"));
    s.Send(" ");
    if (coup) {
      ASSERT_TRUE(s.WaitFor("Your Soldier casualities: "));
      ASSERT_TRUE(s.WaitFor("Equipment Rating Drop Of Your Militia"));
    } else {
      ASSERT_TRUE(s.WaitFor("Your Soldiers killed: 0"));  // nor of the attacker's
      ASSERT_TRUE(s.WaitFor("Equipment Rating Drop Of Your Army"));
    }
    if (round < 3) {
      ASSERT_TRUE(s.WaitFor("Press Any Key"));
      s.Send(" ");
    }
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(WarSessionTest, ARulerAtWarDestroysASmallKingdomAndTakesItsPeople) {
  auto s = OnMainStreet("alice");
  s->Send("k");
  ASSERT_TRUE(s->WaitForCursor(23, 21));
  EXPECT_TRUE(s->screen()->Find("War Room"));
  s->Send("w");
  ASSERT_TRUE(s->WaitFor("Each kingdom invasion will take 1 evil deed.."));
  ASSERT_TRUE(s->WaitFor("Bree"));
  ASSERT_TRUE(s->WaitFor("** AT WAR **"));
  s->Send("2");
  ASSERT_TRUE(s->WaitFor("Attack Bree (y/N)? "));
  s->Send("y");
  ASSERT_NO_FATAL_FAILURE(Round(*s, 1, '1'));
  ASSERT_NO_FATAL_FAILURE(Round(*s, 2, '3'));
  ASSERT_NO_FATAL_FAILURE(Round(*s, 3, '4'));
  ASSERT_TRUE(s->WaitFor("TOTAL CASUALITY RESULTS"));
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("You captured 120 acres of land!"));
  ASSERT_TRUE(s->WaitFor("Your forces have toppled Mordred's kingdom grip on the kingdom!"));
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(23, 21));
  s->Send("r");
  ASSERT_NO_FATAL_FAILURE(QuitFromMainStreet(*s));

  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM kingdom WHERE Name='Bree'"));
  EXPECT_EQ(3, dir_.QueryInt("SELECT COUNT(*) FROM player WHERE Kingdom='Avalon'"));
  EXPECT_EQ("1320", dir_.Query("SELECT Land FROM kingdom WHERE Name='Avalon'"));
  EXPECT_EQ("2", dir_.Query("SELECT EvilDeeds FROM player WHERE UserName='alice'"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM kingdom WHERE DipName2='Bree'"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM news WHERE Line1='Avalon DESTROYED Bree in a "
                             "epic kingdom battle!'"));
}

TEST_F(WarSessionTest, ACitizensMilitiaRecruitsBuysAndOverthrowsTheRuler) {
  dir_.Exec(
      "UPDATE player SET Kingdom='Avalon',Soldiers=1000000,Gold='13000000',Leadership=50,"
      "EquipmentRating=40 WHERE UserName='dan'");
  dir_.Exec("UPDATE kingdom SET Baron='Dan',BaronUserName='dan' WHERE Name='Bree'");
  auto s = OnMainStreet("dan");
  s->Send("s");
  ASSERT_TRUE(s->WaitForCursor(18, 27));
  EXPECT_TRUE(s->screen()->Find("Militia"));
  s->Send("m");
  ASSERT_TRUE(s->WaitFor("Soldiers: 1,000,000"));
  ASSERT_TRUE(s->WaitFor("Your Selection: "));

  // The alley's speech recruits; the screen shows what was stored.
  s->Send("c");
  ASSERT_TRUE(s->WaitFor("Use 1 evil deed for speech"));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("civilians decide to join up!"));
  std::smatch joined;
  const std::string text = s->ScreenText();
  ASSERT_TRUE(std::regex_search(text, joined, std::regex("(\\d+) civilians decide to join up!")));
  const long long recruits = std::stoll(joined[1]);
  EXPECT_LT(recruits, 50);
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));

  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Purchase how many cannons? <Max 1>: "));
  s->SendLine("1");
  ASSERT_TRUE(s->WaitFor("Cannons increased by 1!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));

  s->Send("a");
  ASSERT_NO_FATAL_FAILURE(Round(*s, 1, '2', true));
  ASSERT_NO_FATAL_FAILURE(Round(*s, 2, '3', true));
  ASSERT_NO_FATAL_FAILURE(Round(*s, 3, '1', true));
  ASSERT_TRUE(s->WaitFor("TOTAL CASUALITY RESULTS"));
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("YOUR MILITIA WON THE BATTLE!!!"));
  ASSERT_TRUE(s->WaitFor("CONTINUE TO NAME KINGDOM"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Name Thy Kingdom: "));
  s->SendLine("Freeland");
  ASSERT_TRUE(s->WaitFor("is what you want"));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Good luck as the new ruler!!!"));
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(18, 27));  // a ruler has no militia: back in the alley
  s->Send("r");
  ASSERT_NO_FATAL_FAILURE(QuitFromMainStreet(*s));

  EXPECT_EQ("dan", dir_.Query("SELECT RulerUserName FROM kingdom WHERE Name='Freeland'"));
  EXPECT_EQ("1", dir_.Query("SELECT IDNum FROM kingdom WHERE Name='Freeland'"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM player WHERE Kingdom='Avalon'"));
  EXPECT_EQ("Freeland", dir_.Query("SELECT Kingdom FROM player WHERE UserName='alice'"));
  EXPECT_EQ("Bree", dir_.Query("SELECT Kingdom FROM player WHERE UserName='mo'"));
  EXPECT_EQ("", dir_.Query("SELECT BaronUserName FROM kingdom WHERE Name='Bree'"));
  EXPECT_EQ("Freeland", dir_.Query("SELECT DipName1 FROM kingdom WHERE Name='Bree'"));
  EXPECT_EQ("0", dir_.Query("SELECT Dip1War FROM kingdom WHERE Name='Bree'"));
  EXPECT_EQ("0", dir_.Query("SELECT Soldiers FROM player WHERE UserName='dan'"));
  EXPECT_EQ("1", dir_.Query("SELECT EvilDeeds FROM player WHERE UserName='dan'"));  // speech, coup
  EXPECT_EQ("1000000", dir_.Query("SELECT Gold FROM player WHERE UserName='dan'"));
  // The kingdom lost no soldier (no towers); the militia's survivors joined.
  const long long army = dir_.QueryInt("SELECT Soldiers FROM kingdom WHERE Name='Freeland'");
  EXPECT_GT(army, 1000);
  EXPECT_LE(army, 1000 + 1000000 + recruits);
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM usernews WHERE UserName='alice' AND "
                             "Line2='Dan successfully took power from your royal family!'"));
}

}  // namespace
}  // namespace trv::harness
