// The bank and the merchant wharves as callers use them through TRVLaunch,
// and two nodes moving the same gold at once: the world's gold is the same
// before and after, except what a deleted character takes with him.
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr char kWorldGold[] =
    "SELECT SUM(CAST(Gold AS INTEGER)+CAST(BankGold AS INTEGER)+CAST(Depository AS INTEGER)) "
    "FROM player";

constexpr char kRefusal[] = "Sorry, you don't have that much in your account..";

class EconomyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews})
      dir_.Exec(db::CreationStatement(table));
    dir_.AddKingdom(test::Kingdom(1, "Avalon", "Rex", "rex"));
  }

  void AddCharacter(const std::string& user, const std::string& name, const std::string& gold,
                    const std::string& bank) {
    test::Character c(user, name);
    c.gold = gold;
    c.bank_gold = bank;
    c.more = "Depository='0'";
    dir_.AddCharacter(c);
  }

  // A caller from the title screen through Main Street into the bank.
  std::unique_ptr<Session> AtBank(const std::string& user, int node, bool others_online) {
    Caller caller;
    caller.user_name = user;
    caller.node = node;
    auto s = EnterMainStreet(dir_, launch_, caller, others_online);
    s->Send("b");
    EXPECT_TRUE(s->WaitForCursor(23, 14));
    return s;
  }

  // Types an answer to "How much?: " and waits for the bank again.
  static void Move(Session& s, char key, const std::string& amount) {
    s.Send(std::string(1, key));
    ASSERT_TRUE(s.WaitFor("How much?: "));
    s.SendLine(amount);
  }

  // The bank's figures once they are drawn over the art.
  static void ExpectBalances(Session& s, const std::string& gold, const std::string& bank) {
    ASSERT_TRUE(s.WaitUntil(
        [&](const Screen& screen, const std::string&) {
          return screen.Text(18, 7, static_cast<int>(gold.size()) + 1) == gold + " " &&
                 screen.Text(19, 7, static_cast<int>(bank.size()) + 1) == bank + " " &&
                 screen.CursorRow() == 23 && screen.CursorColumn() == 14;
        },
        "Gold " + gold + " and Bank " + bank + " at the prompt"));
  }

  // From the bank to the last question of a transfer to Ben.
  void TransferAsked(Session& amy, const std::string& amount) {
    amy.Send("t");
    ASSERT_TRUE(amy.WaitFor("Enter Player ID# <Enter to Exit>: "));
    amy.SendLine(Player("IDNum", "ben"));
    ASSERT_TRUE(amy.WaitFor("Transfer funds to Ben (y/N)? "));
    amy.Send("y");
    ASSERT_TRUE(amy.WaitFor("Transfer: $"));
    amy.SendLine(amount);
    ASSERT_TRUE(amy.WaitFor("Transfer $" + amount + " (y/N)? "));
  }

  std::string Player(const std::string& column, const std::string& user) {
    return dir_.Query("SELECT " + column + " FROM player WHERE UserName='" + user + "'");
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(EconomyTest, TheBankTheSafeAndTheWharvesThroughTheRealScreens) {
  AddCharacter("amy", "Amy", "100000", "0");
  auto s = AtBank("amy", 1, false);
  ASSERT_NO_FATAL_FAILURE(ExpectBalances(*s, "$100,000", "$0"));
  ASSERT_NO_FATAL_FAILURE(Move(*s, 'd', "2"));
  ASSERT_NO_FATAL_FAILURE(ExpectBalances(*s, "$99,998", "$2"));
  ASSERT_NO_FATAL_FAILURE(Move(*s, 'w', "1"));  // all of it
  ASSERT_NO_FATAL_FAILURE(ExpectBalances(*s, "$100,000", "$0"));

  s->Send("s");
  ASSERT_TRUE(s->WaitFor("Safe Contains: $0"));
  ASSERT_NO_FATAL_FAILURE(Move(*s, 'd', "60000"));
  ASSERT_TRUE(s->WaitFor("Safe Contains: $60,000"));
  s->Send("r");
  ASSERT_NO_FATAL_FAILURE(ExpectBalances(*s, "$40,000", "$0"));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  s->Send("m");
  ASSERT_TRUE(s->WaitForCursor(18, 20));
  EXPECT_EQ("Merchant Wharves", Player("WhereInGame", "amy"));
  s->Send("h");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("b");
  ASSERT_TRUE(s->WaitFor("Cost to build 1 Housing Development: $40,000"));
  ASSERT_TRUE(s->WaitFor("Build how many housing? <Max 1>: "));
  s->SendLine("01");
  ASSERT_TRUE(s->WaitFor("Built 01 housing developments!"));  // as typed
  s->Send(" ");
  s->Send("s");
  ASSERT_TRUE(s->WaitFor("Sell how many housing developments? <Max 1>: "));
  s->SendLine("1");
  ASSERT_TRUE(s->WaitFor("Sold 1 housing developments!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(18, 20));
  s->Send("d");  // illegal: straight to the purchase
  ASSERT_TRUE(s->WaitFor("<Illegal Investments cannot be taxed>"));
  ASSERT_TRUE(s->WaitFor("Build how many drug labs? <Max 0>: "));
  s->SendLine("1");
  ASSERT_TRUE(s->WaitFor("You cannot do that!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(18, 20));
  EXPECT_EQ("20000", Player("Gold", "amy"));
  EXPECT_EQ("0", Player("HouseTrade", "amy"));
  EXPECT_EQ("60000", Player("Depository", "amy"));
}

TEST_F(EconomyTest, TransfersWhileTheReceiverWithdrawsOrIsDeleted) {
  AddCharacter("amy", "Amy", "0", "1000");
  AddCharacter("ben", "Ben", "0", "300");
  long long before = dir_.QueryInt(kWorldGold);
  auto amy = AtBank("amy", 1, false);
  ASSERT_NO_FATAL_FAILURE(TransferAsked(*amy, "500"));
  auto ben = AtBank("ben", 2, true);
  ASSERT_NO_FATAL_FAILURE(Move(*ben, 'w', "1"));
  ASSERT_NO_FATAL_FAILURE(ExpectBalances(*ben, "$300", "$0"));
  amy->Send("y");
  ASSERT_TRUE(amy->WaitFor("Gold Transferred!"));
  EXPECT_EQ("500", Player("BankGold", "amy"));
  EXPECT_EQ("500", Player("BankGold", "ben"));
  EXPECT_EQ(before, dir_.QueryInt(kWorldGold));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM usernews WHERE UserName='ben' AND "
                             "Line2='Amy transferred $500 to your bank account!'"));

  amy->Send(" ");
  ASSERT_TRUE(amy->WaitFor("Ben has entered the realm!"));  // the bank polls on its next turn
  amy->Send(" ");
  ASSERT_NO_FATAL_FAILURE(ExpectBalances(*amy, "$0", "$500"));
  ASSERT_NO_FATAL_FAILURE(TransferAsked(*amy, "400"));
  dir_.Exec("DELETE FROM player WHERE UserName='ben'");  // his suicide on another node
  before = dir_.QueryInt(kWorldGold);
  amy->Send("y");
  ASSERT_TRUE(amy->WaitFor("I'm sorry, we do not have an account under that name.."));
  EXPECT_EQ("500", Player("BankGold", "amy"));
  EXPECT_EQ(before, dir_.QueryInt(kWorldGold));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM usernews"));
}

TEST_F(EconomyTest, TwoSessionsOfOneUserWithdrawingEverythingAtOnce) {
  AddCharacter("amy", "Amy", "100", "1000");
  const long long before = dir_.QueryInt(kWorldGold);
  auto one = AtBank("amy", 1, false);
  auto two = AtBank("amy", 2, true);
  for (Session* s : {one.get(), two.get()}) {
    s->Send("w");
    ASSERT_TRUE(s->WaitFor("How much?: "));
  }
  // Both ask for the whole balance: one gets it, the other is refused.
  one->SendLine("1000");
  two->SendLine("1000");
  int refused = 0;
  for (Session* s : {one.get(), two.get()}) {
    ASSERT_TRUE(s->WaitUntil(
        [](const Screen& screen, const std::string& text) {
          return text.find(kRefusal) != std::string::npos ||
                 (screen.CursorRow() == 23 && screen.CursorColumn() == 14);
        },
        "the refusal or the bank"));
    if (s->TextAfterMark().find(kRefusal) != std::string::npos) ++refused;
  }
  EXPECT_EQ(1, refused);
  EXPECT_EQ("1100", Player("Gold", "amy"));
  EXPECT_EQ("0", Player("BankGold", "amy"));
  EXPECT_EQ(before, dir_.QueryInt(kWorldGold));
}

}  // namespace
}  // namespace trv::harness
