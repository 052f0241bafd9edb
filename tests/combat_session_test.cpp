// The weapon and armour shops as callers use them from Main Street.
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

class ShopSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews})
      dir_.Exec(db::CreationStatement(table));
    dir_.AddKingdom(test::Kingdom(1, "Avalon", "X", "x"));
    test::Character amy("amy", "Amy");
    amy.gold = "10000";  // a new character's purse
    amy.more = "Equip15='Long Sword'";
    dir_.AddCharacter(amy);
  }

  // A session of amy's at Main Street; `others` when another is on-line.
  std::unique_ptr<Session> OnMainStreet(bool others = false) {
    Caller caller;
    caller.user_name = "amy";
    caller.node = others ? 2 : 1;
    return EnterMainStreet(dir_, launch_, caller, others);
  }

  // From a shop front to the sell prompt's question for `slot`.
  static void AskToSell(Session& s, const char* slot) {
    s.Send("s");
    ASSERT_TRUE(s.WaitFor("[Enter]: "));
    s.Send("s");
    ASSERT_TRUE(s.WaitFor("Sell which item (Enter the #): "));
    s.SendLine(slot);
  }

  // Answers the purchase and equip questions with yes.
  static void BuyAndWear(Session& s, const char* number, const char* name) {
    s.SendLine(number);
    ASSERT_TRUE(s.WaitFor(std::string("Purchase a ") + name + " (y/N)? "));
    s.Send("y");
    ASSERT_TRUE(s.WaitFor("Purchased!"));
    ASSERT_TRUE(s.WaitFor("Equip this item (y/N)? "));
    s.Send("y");
  }

  std::string Player(const std::string& column) {
    return dir_.Query("SELECT " + column + " FROM player WHERE UserName='amy'");
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(ShopSessionTest, ANewCharacterBuysWearsAndSellsBackWeaponAndArmour) {
  auto s = OnMainStreet();
  s->Send("w");
  ASSERT_TRUE(s->WaitForScreen("$10,000"));  // drawn after the art, which ends at the prompt
  EXPECT_EQ("$10,000", s->screen()->Text(17, 20, 7));
  EXPECT_EQ("Weapon Shop", Player("WhereInGame"));
  s->Send("l");
  ASSERT_TRUE(s->WaitFor("Continue? (Y/n) or (b)uy"));  // the tenth weapon
  s->Send("b");
  ASSERT_TRUE(s->WaitFor("Buy which weapon: "));
  s->SendLine("1");
  ASSERT_TRUE(s->WaitFor("Purchase a Wooden Club (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Equip this item (y/N)? "));
  // A pickpocket on another node takes 1,000 while the caller decides.
  dir_.Exec("UPDATE player SET Gold='9000' WHERE UserName='amy'");
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Equiped in your right hand!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForScreen("$8,400"));
  EXPECT_EQ("$8,400", s->screen()->Text(17, 20, 6));
  EXPECT_EQ("Wooden Club", Player("Equip1"));
  EXPECT_EQ("8400", Player("Gold"));

  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  s->Send("a");
  ASSERT_TRUE(s->WaitForScreen("$8,400"));
  EXPECT_EQ("$8,400", s->screen()->Text(20, 27, 6));
  EXPECT_EQ("Armor Shop", Player("WhereInGame"));
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("Continue? (Y/n) or (b)uy"));  // all ten body armours
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Buy which item: "));
  ASSERT_NO_FATAL_FAILURE(BuyAndWear(*s, "25", "Padded Vest"));
  ASSERT_TRUE(s->WaitFor("Equiped!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForScreen("$7,700"));
  EXPECT_EQ("Padded Vest", Player("Equip3"));
  EXPECT_EQ("7700", Player("Gold"));

  ASSERT_NO_FATAL_FAILURE(AskToSell(*s, "3"));
  ASSERT_TRUE(s->WaitFor("Sell item for $350? (y/n)"));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Sold!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("[Enter]: "));
  EXPECT_TRUE(s->screen()->Contains("03 Armor:      <<nothing>>"));
  s->Send("\r");
  ASSERT_TRUE(s->WaitForScreen("$8,050"));
  EXPECT_EQ("", Player("Equip3"));
  EXPECT_EQ("8050", Player("Gold"));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  s->Send("q");
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
}

TEST_F(ShopSessionTest, TwoSessionsOfOneUserSellTheSameItemOnce) {
  auto a = OnMainStreet();
  auto b = OnMainStreet(true);
  for (Session* s : {a.get(), b.get()}) {
    s->Send("w");
    ASSERT_TRUE(s->WaitForCursor(19, 28));
    ASSERT_NO_FATAL_FAILURE(AskToSell(*s, "15"));
    ASSERT_TRUE(s->WaitFor("Sell item for $17,000? (y/n)"));
  }
  // Both have read the sword in slot 15 before either answers.
  a->Send("y");
  b->Send("y");
  int sold = 0;
  for (Session* s : {a.get(), b.get()}) {
    ASSERT_TRUE(s->WaitUntil(
        [](const Screen&, const std::string& text) {
          return text.find("Sold!") != std::string::npos ||
                 text.find("Invalid equipment item!") != std::string::npos;
        },
        "the sale's outcome"));
    sold += s->TextAfterMark().find("Sold!") != std::string::npos;
  }
  EXPECT_EQ(1, sold);
  EXPECT_EQ("", Player("Equip15"));
  EXPECT_EQ("27000", Player("Gold"));
}

}  // namespace
}  // namespace trv::harness
