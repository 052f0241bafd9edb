// The royal court as callers reach it: K on Main Street, through the
// ruler's purchases, taxes and treasury, and the noble's and citizen's ways.
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

class CourtSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews})
      dir_.Exec(db::CreationStatement(table));
    dir_.AddKingdom(test::Kingdom(1, "Avalon", "Galahad", "alice"));
    Add("alice", "Galahad", "Gold='5000'");
    Add("cat", "Cat", "");
    Add("dan", "Dan", "");
    dir_.Exec("UPDATE kingdom SET Prince='Cat',PrinceUserName='cat' WHERE IDNum=1");
  }

  void Add(const std::string& user, const std::string& name, const std::string& more) {
    test::Character c(user, name);
    c.kingdom = "Avalon";
    c.more = more;
    dir_.AddCharacter(c);
  }

  // The title, E, the entry list and the news question: Main Street.
  std::unique_ptr<Session> OnMainStreet(const std::string& user) {
    Caller caller;
    caller.user_name = user;
    return EnterMainStreet(dir_, launch_, caller, false, 5);
  }

  std::string Kingdom(const std::string& column) {
    return dir_.Query("SELECT " + column + " FROM kingdom WHERE IDNum=1");
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(CourtSessionTest, ARulerHiresSoldiersSetsTaxesAndDepositsAllHisGold) {
  auto s = OnMainStreet("alice");
  EXPECT_NE(std::string::npos, s->ScreenText().find("[K] Royal Courtyard"));
  s->Send("k");
  ASSERT_TRUE(s->WaitForCursor(23, 21));
  EXPECT_TRUE(s->screen()->Find("Throne Room"));
  EXPECT_EQ("Kingdom Courtyard",
            dir_.Query("SELECT WhereInGame FROM player WHERE UserName='alice'"));

  s->Send("b");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("h");
  ASSERT_TRUE(s->WaitFor("Hire how many soldiers? <Max 250>: "));
  s->SendLine("10");
  ASSERT_TRUE(s->WaitFor("You Hire 10 More Soldiers!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(23, 21));

  s->Send("s");
  ASSERT_TRUE(s->WaitFor("Tax Rate (0-60): "));
  s->SendLine("30");
  ASSERT_TRUE(s->WaitFor("Merchant Rate (0-40): "));
  s->SendLine("10");
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(23, 21));

  s->Send("n");
  ASSERT_TRUE(s->WaitFor("Treasury: $48,000,000"));
  s->Send("d");
  ASSERT_TRUE(s->WaitFor("How much?: "));
  s->SendLine("1");
  ASSERT_TRUE(s->WaitFor("Your gold was deposited into the kingdoms treasury.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Treasury: $48,005,000"));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(23, 21));
  s->Send("r");
  ASSERT_NO_FATAL_FAILURE(QuitFromMainStreet(*s));

  EXPECT_EQ("1010", Kingdom("Soldiers"));
  EXPECT_EQ("48005000", Kingdom("Treasury"));
  EXPECT_EQ("30", Kingdom("TaxRate"));
  EXPECT_EQ("10", Kingdom("MerchantTax"));
  EXPECT_EQ("0", dir_.Query("SELECT Gold FROM player WHERE UserName='alice'"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM news WHERE Line2='Kingdom Tax: 30% and "
                             "Merchant Tax: 10'"));
}

TEST_F(CourtSessionTest, ANobleGetsTheHallAndACitizenOnlyTheGuards) {
  auto noble = OnMainStreet("cat");
  noble->Send("k");
  ASSERT_TRUE(noble->WaitForCursor(20, 11));
  EXPECT_TRUE(noble->screen()->Find("Hall of Nobles"));
  noble->Send("r");
  ASSERT_NO_FATAL_FAILURE(QuitFromMainStreet(*noble));

  auto citizen = OnMainStreet("dan");
  citizen->Send("k");
  ASSERT_TRUE(citizen->WaitFor("You are stopped by the royal guards!"));
  ASSERT_TRUE(citizen->WaitFor("Donate to treasury? "));
  citizen->Send("y");
  ASSERT_TRUE(citizen->WaitFor("Your Selection: "));
  EXPECT_EQ(std::string::npos, citizen->ScreenText().find("mbezzel"));
  citizen->Send("d");
  ASSERT_TRUE(citizen->WaitFor("How much?: "));
  citizen->SendLine("60");
  ASSERT_TRUE(citizen->WaitFor("deposited"));
  citizen->Send(" r");
  ASSERT_NO_FATAL_FAILURE(QuitFromMainStreet(*citizen));
  EXPECT_EQ("50000060", Kingdom("Treasury"));
  EXPECT_EQ("40", dir_.Query("SELECT Gold FROM player WHERE UserName='dan'"));
}

}  // namespace
}  // namespace trv::harness
