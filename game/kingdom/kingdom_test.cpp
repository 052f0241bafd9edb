#include "game/kingdom/kingdom.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "tests/support/in_process.h"

namespace trv::kingdom {
namespace {

using db::Exec;
using db::Query;
using db::TableName;

TEST(TaxRates, DigitsUpToTheLimitOnly) {
  int rate = -1;
  EXPECT_TRUE(RateAccepted("60", kMaxTaxRate, &rate));
  EXPECT_EQ(60, rate);
  EXPECT_TRUE(RateAccepted("7", kMaxTaxRate, &rate));
  EXPECT_EQ(7, rate);
  EXPECT_TRUE(RateAccepted("0", kMaxTaxRate, &rate));
  EXPECT_TRUE(RateAccepted("05", kMaxTaxRate, &rate));
  EXPECT_EQ(5, rate);
  EXPECT_TRUE(RateAccepted("40", kMaxMerchantTax));
  EXPECT_FALSE(RateAccepted("61", kMaxTaxRate));
  EXPECT_FALSE(RateAccepted("41", kMaxMerchantTax));
  EXPECT_FALSE(RateAccepted("99", kMaxTaxRate));
  EXPECT_FALSE(RateAccepted("", kMaxTaxRate));
  EXPECT_FALSE(RateAccepted(nullptr, kMaxTaxRate));
  EXPECT_FALSE(RateAccepted("-1", kMaxTaxRate));
  EXPECT_FALSE(RateAccepted("1 ", kMaxTaxRate));
  EXPECT_FALSE(RateAccepted("99999999999999999999", kMaxTaxRate));
}

class KingdomTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    BeCaller("me");
    AddPlayer("me", "Hero", "");  // choosing a kingdom
  }
  static void AddPlayer(const char* user, const char* name, const char* kingdom) {
    test::Character c(user, name);
    c.kingdom = kingdom;
    test::AddCharacter(c);
  }
  static void AddKingdom(int slot, const char* name, const char* ruler, const char* ruler_user) {
    test::Kingdom k(slot, name, ruler, ruler_user);
    k.tax_rate = 20;
    k.soldiers = 1500;
    k.treasury = "123";
    test::AddKingdom(k);
  }
  std::string Kingdom(const char* column, int slot) {
    return Query(db::kKingdom, "SELECT %s FROM %s WHERE IDNum=%d", column, TableName(db::kKingdom),
                 slot)
        .Text(0, 0);
  }
  std::string Player(const char* column, const char* user = "me") {
    return Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", column, TableName(db::kPlayer),
                 user)
        .Text(0, 0);
  }
  long long Count(int table, const char* where) {
    return Query(table, "SELECT COUNT(*) FROM %s WHERE %s", TableName(table), where).Int(0, 0);
  }
};

TEST_F(KingdomTest, FoundingTakesTheLowestFreeSlotWithACompleteRow) {
  AddKingdom(1, "First", "A", "a");
  AddKingdom(2, "Second", "B", "b");
  AddKingdom(4, "Fourth", "D", "d");
  Exec(db::kKingdom, "UPDATE %s SET PrinceUserName='me',Prince='Hero' WHERE IDNum=2",
       TableName(db::kKingdom));
  Type("  New Haven  \ry");
  EXPECT_EQ(Founding::kFounded, Found("Hero"));
  EXPECT_EQ("New Haven", Kingdom("Name", 3));
  EXPECT_EQ("Hero", Kingdom("Ruler", 3));
  EXPECT_EQ("me", Kingdom("RulerUserName", 3));
  EXPECT_EQ("New Haven", Player("Kingdom"));
  // Complete before any tax screen: a dropped line leaves a working kingdom.
  EXPECT_EQ("25", Kingdom("TaxRate", 3));
  EXPECT_EQ("15", Kingdom("MerchantTax", 3));
  EXPECT_EQ("50000000", Kingdom("Treasury", 3));
  EXPECT_EQ("1200", Kingdom("Land", 3));
  EXPECT_EQ("", Kingdom("DipName5", 3));
  EXPECT_EQ("0", Kingdom("Dip2War", 3));
  EXPECT_EQ("", Kingdom("PrinceUserName", 2));  // founding ends other posts
  EXPECT_NE(std::string::npos, Screen().find("Name Thy Kingdom: "));
}

TEST_F(KingdomTest, FoundingRefusesBlankMarkedTakenOrDeclinedNamesAndAFullLand) {
  AddKingdom(1, "New Haven", "A", "a");
  Type("   \r");
  EXPECT_EQ(Founding::kAgain, Found("Hero"));
  Type("new HAVEN\r ");
  EXPECT_EQ(Founding::kAgain, Found("Hero"));
  EXPECT_NE(std::string::npos, Screen().find("Sorry, that kingdom name is already in use.."));
  Type("Red`bright red`\r ");
  EXPECT_EQ(Founding::kAgain, Found("Hero"));
  Type("Fine\rn");
  EXPECT_EQ(Founding::kAgain, Found("Hero"));
  EXPECT_EQ(1, Count(db::kKingdom, "1"));
  for (int slot = 2; slot <= kMaxKingdoms; ++slot)
    AddKingdom(slot, ("K" + std::to_string(slot)).c_str(), "X", "x");
  Type("Sixth\ry");
  EXPECT_EQ(Founding::kLandFull, Found("Hero"));
  EXPECT_EQ(0, Count(db::kKingdom, "Name='Sixth'"));
  EXPECT_EQ("", Player("Kingdom"));
  Type("Seventh\ry");
  EXPECT_EQ(0, CreateKingdom("Hero"));
}

TEST_F(KingdomTest, TaxesWithinTheLimitsThenOneStartingAdvantage) {
  AddKingdom(1, "Avalon", "Hero", "me");
  Type("61\r\r");
  EXPECT_EQ(0, SetTaxes());
  EXPECT_NE(std::string::npos, Screen().find("Invalid number!"));
  Type("60\r41\r\r");
  EXPECT_EQ(0, SetTaxes());
  Type("\r\r");
  EXPECT_EQ(0, SetTaxes());
  EXPECT_EQ("20", Kingdom("TaxRate", 1));  // nothing stored by a refusal
  Type("60\r40\r2");
  EXPECT_EQ(1, SetTaxes());
  EXPECT_EQ("60", Kingdom("TaxRate", 1));
  EXPECT_EQ("40", Kingdom("MerchantTax", 1));
  EXPECT_EQ("6000", Kingdom("Soldiers", 1));
  EXPECT_EQ("10000", Kingdom("Serfs", 1));
  EXPECT_EQ("50000000", Kingdom("Treasury", 1));
  Type("7\r0\r1");
  EXPECT_EQ(1, SetTaxes());
  EXPECT_EQ("7", Kingdom("TaxRate", 1));
  EXPECT_EQ("40000", Kingdom("Serfs", 1));
  EXPECT_EQ("1000", Kingdom("Soldiers", 1));  // the statistics start again
  Type("25\r15\r3");
  EXPECT_EQ(1, SetTaxes());
  EXPECT_EQ("80000000", Kingdom("Treasury", 1));
  Type("25\r15\r4");
  EXPECT_EQ(1, SetTaxes());
  EXPECT_EQ("30", Kingdom("CrimePrevention", 1));
  EXPECT_EQ("25", Kingdom("BorderGuardRating", 1));
  EXPECT_NE(std::string::npos, Screen().find("Well-Rounded"));
}

TEST_F(KingdomTest, SelectionJoinsBySlotOrBacksOut) {
  AddKingdom(2, "Avalon", "A", "a");
  AddKingdom(4, "Bree", "B", "b");
  Type("3");  // an empty slot
  EXPECT_EQ(0, KingdomSelect("Hero"));
  Type("4n");
  EXPECT_EQ(0, KingdomSelect("Hero"));
  EXPECT_EQ("", Player("Kingdom"));
  std::string screen = Screen();
  EXPECT_NE(std::string::npos, screen.find("Thy Kingdom Selection"));
  EXPECT_NE(std::string::npos, screen.find("[2]  Avalon"));
  EXPECT_NE(std::string::npos, screen.find("1,500"));
  Type("4y");
  EXPECT_EQ(1, KingdomSelect("Hero"));
  EXPECT_EQ("Bree", Player("Kingdom"));
  EXPECT_EQ(1, Count(db::kNews,
                     "Line2='New citizen of Kingdom Bree' AND "
                     "Title LIKE '%NEW PLAYER - Hero'"));
}

TEST_F(KingdomTest, SelectionFoundsAKingdomWithItsNewsAndTaxes) {
  AddKingdom(1, "Avalon", "A", "a");
  Type("C  \rAvalon\r Camelot\ry25\r15\r4");
  EXPECT_EQ(1, KingdomSelect("Hero"));
  EXPECT_EQ("Camelot", Player("Kingdom"));
  EXPECT_EQ("Camelot", Kingdom("Name", 2));
  EXPECT_EQ("30", Kingdom("CrimePrevention", 2));
  EXPECT_EQ(1, Count(db::kNews, "Line2='Ruler of Kingdom Camelot'"));
}

TEST_F(KingdomTest, SelectionRefusesToFoundInAFullLand) {
  for (int slot = 1; slot <= kMaxKingdoms; ++slot)
    AddKingdom(slot, ("K" + std::to_string(slot)).c_str(), "X", "x");
  Type("c ");
  EXPECT_EQ(0, KingdomSelect("Hero"));
  EXPECT_NE(std::string::npos,
            Screen().find("Sorry, cannot create anymore kingdoms. Please join an existing one."));
  EXPECT_EQ(kMaxKingdoms, Count(db::kKingdom, "1"));
}

class TakeOverTest : public KingdomTest {
 protected:
  void SetUp() override {
    KingdomTest::SetUp();
    AddKingdom(1, "Old Realm", "", "");
    AddKingdom(2, "Neighbour", "N", "n");
    AddKingdom(3, "Far Away", "F", "f");
    Exec(db::kKingdom,
         "UPDATE %s SET DipName1='Old Realm',Dip1War=1,Dip1Peace=1,Dip1Trade=1,"
         "PrincessUserName='me',Princess='Hero' WHERE IDNum=2",
         TableName(db::kKingdom));
    Exec(db::kPlayer, "UPDATE %s SET Kingdom='Old Realm',Soldiers=50 WHERE UserName='me'",
         TableName(db::kPlayer));
    AddPlayer("c1", "Citizen One", "Old Realm");
    AddPlayer("c2", "Citizen Two", "Old Realm");
    AddPlayer("n1", "Stranger", "Neighbour");
  }
};

TEST_F(TakeOverTest, TheNewRulerRenamesTheKingdomAndEveryCitizenFollows) {
  Type(" Reborn\ry ");
  EXPECT_TRUE(TakeOverDyingKingdom());
  EXPECT_EQ("Reborn", Kingdom("Name", 1));
  EXPECT_EQ("Hero", Kingdom("Ruler", 1));
  EXPECT_EQ("me", Kingdom("RulerUserName", 1));
  EXPECT_EQ("123", Kingdom("Treasury", 1));  // the statistics stay
  EXPECT_EQ("Reborn", Kingdom("DipName1", 2));
  EXPECT_EQ("0", Kingdom("Dip1War", 2));
  EXPECT_EQ("0", Kingdom("Dip1Trade", 2));
  EXPECT_EQ("", Kingdom("PrincessUserName", 2));
  EXPECT_EQ("0", Player("Soldiers"));
  EXPECT_EQ(3, Count(db::kPlayer, "Kingdom='Reborn'"));
  EXPECT_EQ("Neighbour", Player("Kingdom", "n1"));
  EXPECT_EQ(2, Count(db::kUserNews,
                     "TypeOfReq=0 AND UserName IN ('c1','c2') AND "
                     "Line3='Your new kingdom name is: Reborn, ruled by Hero'"));
  EXPECT_EQ(0, Count(db::kUserNews, "UserName IN ('me','n1')"));
  EXPECT_EQ(1, Count(db::kNews, "Line1='Hero has taken over the abdicated throne of Old Realm'"));
  EXPECT_NE(std::string::npos, Screen().find("Good luck as the new ruler!!!"));
}

TEST_F(TakeOverTest, AThroneTakenMeanwhileLeavesTheCallerAMember) {
  // Another citizen's takeover landed while this caller chose a name.
  Exec(db::kKingdom, "UPDATE %s SET Ruler='Citizen One',RulerUserName='c1' WHERE IDNum=1",
       TableName(db::kKingdom));
  Type(" Mine Now\ry ");
  EXPECT_FALSE(TakeOverDyingKingdom());
  EXPECT_NE(std::string::npos, Screen().find("Too late!"));
  EXPECT_EQ("Old Realm", Kingdom("Name", 1));
  EXPECT_EQ("c1", Kingdom("RulerUserName", 1));
  EXPECT_EQ("Old Realm", Player("Kingdom"));
  EXPECT_EQ("50", Player("Soldiers"));
  EXPECT_EQ(0, Count(db::kNews, "1"));
}

TEST_F(TakeOverTest, RenamingByRulerMakesTheCallerRulerUntilTheRulerChanges) {
  Exec(db::kPlayer, "UPDATE %s SET Kingdom='Neighbour' WHERE UserName='me'",
       TableName(db::kPlayer));
  // A ruler '' names no kingdom: the vacant Old Realm is not renamed.
  EXPECT_EQ(Renaming::kGone, RenameKingdomByRuler("Old Realm", ""));
  EXPECT_EQ("", Screen());  // not even asked for a name
  // The name and the ruler must both still match.
  Type("Usurped\ry");
  EXPECT_EQ(Renaming::kGone, RenameKingdomByRuler("Far Away", "n"));
  EXPECT_EQ("Far Away", Kingdom("Name", 3));
  Type("far away\r ");
  EXPECT_EQ(Renaming::kAgain, RenameKingdomByRuler("Neighbour", "n"));
  Type("Usurped\ry");
  EXPECT_EQ(Renaming::kRenamed, RenameKingdomByRuler("Neighbour", "n"));
  EXPECT_EQ("Usurped", Kingdom("Name", 2));
  EXPECT_EQ("me", Kingdom("RulerUserName", 2));
  EXPECT_EQ("Usurped", Player("Kingdom"));
  EXPECT_EQ("Old Realm", Kingdom("Name", 1));
  Type("Again\ry");
  EXPECT_EQ(Renaming::kGone, RenameKingdomByRuler("Usurped", "n"));
}

bool Escapes(const std::string&, const std::string&) { return true; }
bool Caught(const std::string&, const std::string&) { return false; }

TEST_F(TakeOverTest, EmigrationNeedsADeedAndNoThroneAndAnEscape) {
  Exec(db::kPlayer, "UPDATE %s SET Kingdom='Neighbour',PlayerName='N' WHERE UserName='me'",
       TableName(db::kPlayer));
  Type(" ");
  Immigrate(Escapes);
  EXPECT_NE(std::string::npos, Screen().find("You are a kingdom ruler, you cannot immigrate!"));
  Exec(db::kPlayer, "UPDATE %s SET PlayerName='Hero',EvilDeeds=0 WHERE UserName='me'",
       TableName(db::kPlayer));
  Type(" ");
  Immigrate(Escapes);
  EXPECT_NE(std::string::npos, Screen().find("You don't have enough evil deeds left today!"));
  Exec(db::kPlayer, "UPDATE %s SET EvilDeeds=3 WHERE UserName='me'", TableName(db::kPlayer));
  Type("2 ");
  Immigrate(Escapes);
  EXPECT_NE(std::string::npos, Screen().find("You already live in this kingdom!"));
  Type("3y");
  Immigrate(Caught);
  EXPECT_EQ("Neighbour", Player("Kingdom"));
  Type("3y");
  Immigrate(Escapes);
  EXPECT_EQ("Far Away", Player("Kingdom"));
  EXPECT_EQ(1, Count(db::kNews,
                     "Title='`bright cyan`BORDER ESCAPE' AND "
                     "Line1='Hero successfully immigrated out of Neighbour to Far Away'"));
  Type("\r");
  Immigrate(Escapes);  // Enter leaves
  EXPECT_EQ("Far Away", Player("Kingdom"));
}

TEST_F(TakeOverTest, EmigrantsFoundAKingdomWhileThereIsRoom) {
  Exec(db::kPlayer, "UPDATE %s SET Kingdom='Neighbour' WHERE UserName='me'",
       TableName(db::kPlayer));
  Type("cNew Dawn\ry10\r10\r2");
  Immigrate(Caught);
  EXPECT_EQ("New Dawn", Player("Kingdom"));
  EXPECT_EQ("New Dawn", Kingdom("Name", 4));
  EXPECT_EQ("6000", Kingdom("Soldiers", 4));
  EXPECT_EQ("", Kingdom("PrincessUserName", 2));
  EXPECT_EQ(1, Count(db::kNews,
                     "Title='`bright cyan`NEW KINGDOM - Neighbour' AND "
                     "Line1='Ruler Hero has established a new kingdom!'"));
  AddKingdom(5, "Fifth", "X", "x");
  Exec(db::kPlayer, "UPDATE %s SET Kingdom='Fifth' WHERE UserName='me'", TableName(db::kPlayer));
  std::string screen = Screen();
  Type("c ");
  Immigrate(Caught);
  screen = Screen();
  EXPECT_EQ(std::string::npos, screen.find("To build your own kingdom!"));
  EXPECT_NE(std::string::npos, screen.find("Please select an existing one."));
}

TEST_F(TakeOverTest, KingdomPageShowsTheFiguresAndLeavesByItsKeys) {
  Exec(db::kKingdom, "UPDATE %s SET MerchantTax=12,Training=40,EquipmentRating=30 WHERE IDNum=1",
       TableName(db::kKingdom));
  Type("xi");
  EXPECT_EQ('I', ShowKingdomPage());
  const harness::Screen& page = Shown();
  EXPECT_NE(std::string::npos, page.Row(1).find("Kingdom Information"));
  EXPECT_EQ("Old Realm", page.Row(4));
  EXPECT_NE(std::string::npos, page.Row(7).find("Kingdom Acres: 1,200"));
  EXPECT_NE(std::string::npos, page.Row(8).find("Civilians: 10,000"));
  // Labels bright magenta, figures bright cyan.
  const int kBrightMagenta = 13, kBrightCyan = 14;
  EXPECT_EQ("            Merchant Rate    : 12%", page.Row(12));
  EXPECT_EQ(kBrightMagenta, page.CellAt(12, 13).colour);
  EXPECT_EQ(kBrightCyan, page.CellAt(12, 32).colour);
  EXPECT_EQ("            Soldiers         : 1,500", page.Row(13));
  EXPECT_EQ(kBrightCyan, page.CellAt(13, 32).colour);
  Type("\r");
  EXPECT_EQ('\r', ShowKingdomPage());
}

}  // namespace
}  // namespace trv::kingdom
