// The court: its rules as tables, its screens in-process, and the rows that
// two nodes change at once.
#include "game/kingdom/court.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/kingdom/court_rules.h"
#include "game/kingdom/court_screens.h"
#include "game/kingdom/test_kingdom.h"
#include "game/messaging/messaging.h"
#include "tests/support/in_process.h"
#include "tests/support/test_node.h"

namespace trv::kingdom {
namespace {

using db::Exec;
using db::Query;
using db::TableName;
using Purenum::Integer;

// ---- Rules ----

TEST(CourtRules, MostAffordableKeepsToTreasuryAndCap) {
  struct Case {
    const char* treasury;
    long long price, current, cap, most;
  } cases[] = {
      {"4000000", 200000, 9999990, 10000000, 10},         // the cap, not the 20 paid for
      {"1000000000", 100000000, 25, 30, 5},               // katapults
      {"1000000000", 100000000, 30, 30, 0},               // at the cap
      {"199999", 200000, 0, 10000000, 0},                 // not one soldier
      {"-5000000", 500000, 0, 100, 0},                    // a treasury in debt buys nothing
      {"99999999999999999999999", 500000, -5, 100, 105},  // a rating below 0 may reach 100
      {"50000000", 0, 0, 100, 0},                         // no price (no serfs): nothing
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.most, MostAffordable(Integer(c.treasury), Integer(c.price), c.current, c.cap))
        << c.treasury << " at " << c.price;
  // Civilian support: 100 per serf and point.
  EXPECT_EQ("1000000", SupportPointPrice(10000).str());
  EXPECT_EQ("0", SupportPointPrice(0).str());
  EXPECT_EQ("0", SupportPointPrice(-3).str());
  EXPECT_EQ("922337203685477580700", SupportPointPrice(9223372036854775807LL).str());
  EXPECT_EQ(25, MostAffordable(Integer("50000000"), SupportPointPrice(10000), 75, 100));
}

TEST(CourtRules, TypedNumbersAndAmounts) {
  EXPECT_EQ(Typed::kLeave, JudgePurchase("", 10, 100));
  EXPECT_EQ(Typed::kLeave, JudgePurchase("101", 10, 100));
  EXPECT_EQ(Typed::kRefused, JudgePurchase("0", 10, 100));
  EXPECT_EQ(Typed::kRefused, JudgePurchase("00", 10, 100));
  EXPECT_EQ(Typed::kRefused, JudgePurchase("11", 10, 100));
  EXPECT_EQ(Typed::kBuy, JudgePurchase("10", 10, 100));
  EXPECT_EQ(Typed::kBuy, JudgePurchase("010", 10, 100));
  // "1" means all there is, never a debt; 0 is nothing.
  EXPECT_EQ("5000", AmountMeant("1", Integer(5000)).str());
  EXPECT_EQ("0", AmountMeant("1", Integer(-20)).str());
  EXPECT_EQ("0", AmountMeant("0", Integer(5000)).str());
  EXPECT_EQ("12", AmountMeant("12", Integer(5)).str());
  EXPECT_EQ("123456789012345678901234567890",
            AmountMeant("123456789012345678901234567890", Integer(0)).str());
  // Offers: empty or 0 abort, more than held is refused, compared as Integer.
  EXPECT_EQ(OfferEntry::kAborted, JudgeOffer("", Integer(100)));
  EXPECT_EQ(OfferEntry::kAborted, JudgeOffer("0", Integer(100)));
  EXPECT_EQ(OfferEntry::kTooMany, JudgeOffer("101", Integer(100)));
  EXPECT_EQ(OfferEntry::kTooMany, JudgeOffer("99999999999999999999", Integer(100)));
  EXPECT_EQ(OfferEntry::kOffered, JudgeOffer("100", Integer(100)));
}

TEST(CourtRules, RolesAndCovertOperations) {
  EXPECT_EQ(Role::kNoble, CourtRole(true, "Hero", "Hero"));  // the post comes first
  EXPECT_EQ(Role::kRuler, CourtRole(false, "Hero", "Hero"));
  EXPECT_EQ(Role::kCitizen, CourtRole(false, "Hero", "Other"));
  EXPECT_EQ(Role::kCitizen, CourtRole(false, "", ""));  // a vacant throne is nobody's
  EXPECT_EQ(2000, PlagueDeaths(10000));
  EXPECT_EQ(1, PlagueDeaths(9));
  EXPECT_EQ(0, PlagueDeaths(4));
  EXPECT_EQ(0, PlagueDeaths(-100));
  EXPECT_EQ(1844674407370955161LL, PlagueDeaths(9223372036854775807LL));
  EXPECT_EQ(0, TowersBlownUp(25));
  EXPECT_EQ(0, TowersBlownUp(49));
  EXPECT_EQ(1, TowersBlownUp(50));
  EXPECT_EQ(2, TowersBlownUp(100));
}

TEST(CourtRules, DealsAreCheckedInOrder) {
  DealState land;
  land.route = true;
  land.buyer_treasury = Integer(10000);
  land.price = Integer(5000);
  land.seller_holds = 3000;
  land.count = 2000;
  land.buyer_holds = 1998000;
  land.cap = 2000000;
  EXPECT_EQ(DealCheck::kDone, CheckDeal(land));  // exactly 2,000,000 acres
  land.buyer_holds = 1999000;
  EXPECT_EQ(DealCheck::kOverCap, CheckDeal(land));
  land.seller_holds = 1999;
  EXPECT_EQ(DealCheck::kSellerShort, CheckDeal(land));
  land.buyer_treasury = Integer(4999);
  EXPECT_EQ(DealCheck::kBuyerShort, CheckDeal(land));
  land.route = false;
  EXPECT_EQ(DealCheck::kNoRoute, CheckDeal(land));
  land.at_war = true;
  EXPECT_EQ(DealCheck::kAtWar, CheckDeal(land));

  EXPECT_EQ(DealCheck::kDone, CheckGift(false, true, Integer(1000), Integer(1000)));
  EXPECT_EQ(DealCheck::kSellerShort, CheckGift(false, true, Integer(999), Integer(1000)));
  EXPECT_EQ(DealCheck::kNoRoute, CheckGift(false, false, Integer(1000), Integer(1000)));
  EXPECT_EQ(DealCheck::kAtWar, CheckGift(true, true, Integer(1000), Integer(1000)));
}

// ---- Screens ----

// Avalon (slot 1) is ruled by the caller, Hero; Bree (slot 2) by Bob.
class CourtTest : public KingdomTest {
 protected:
  void SetUp() override {
    KingdomTest::SetUp();
    ASSERT_EQ(0, mkdir("Skins", 0755));
    for (const char* name : {"KINGDOM.ANS", "NOBLE.ANS"}) {
      std::ifstream in(std::string(TRV_SOURCE_DIR) + "/data/Skins/" + name, std::ios::binary);
      std::ofstream out(std::string("Skins/") + name, std::ios::binary);
      out << in.rdbuf();
    }
    AddPlayer("me", "Hero", "Avalon");
    AddPlayer("bob", "Bob", "Bree");
    test::AddKingdom(test::Kingdom(1, "Avalon", "Hero", "me"));
    test::AddKingdom(test::Kingdom(2, "Bree", "Bob", "bob"));
    RegisterKingdomRequests();
  }

  // A request from Bob of Bree to the caller.
  static void Offer(int kind, const char* line1, const char* line2, const char* from = "Bree") {
    Exec(db::kUserNews,
         "INSERT INTO %s (UserName,TypeOfReq,Line1,Line2,Line3,SenderPlayerName,SenderUserName) "
         "VALUES ('me',%d,%Q,%Q,%Q,'Bob','bob')",
         TableName(db::kUserNews), kind, line1, line2, from);
  }
  static void TradeRoute() {
    Set("kingdom SET DipName2='Bree',Dip2Trade=1 WHERE Name='Avalon'");
    Set("kingdom SET DipName1='Avalon',Dip1Trade=1 WHERE Name='Bree'");
  }
  bool Saw(const std::string& text) { return Screen().find(text) != std::string::npos; }
};

TEST_F(CourtTest, PurchasesKeepToTheTreasuryTheCapAndTheirNews) {
  Set("kingdom SET Treasury='4000000',Soldiers=9999990 WHERE Name='Avalon'");
  Type("H10\r H0\r R");
  RoyalArmyMenu(CallerSeat());
  const std::string shown = Screen();
  EXPECT_NE(std::string::npos, shown.find("Max \x1b[1;36;40m10")) << shown;
  EXPECT_NE(std::string::npos, shown.find("You cannot do that!"));
  EXPECT_EQ("10000000", Kingdom("Soldiers", "Avalon"));
  EXPECT_EQ("2000000", Kingdom("Treasury", "Avalon"));
  EXPECT_EQ(1, Count(db::kNews,
                     "Title='`bright cyan`SOLDIERS HIRED' AND "
                     "Line1='Kingdom Avalon trained and hired 10 soldiers..'"));

  // Civilian support is priced by the serfs: none, and nothing can be bought.
  Set("kingdom SET Serfs=0,Treasury='50000000' WHERE Name='Avalon'");
  Type("I1\r C3\r R");
  ImprovementsMenu(CallerSeat());
  EXPECT_TRUE(Saw("You cannot do that!"));
  EXPECT_EQ("75", Kingdom("SerfSupport", "Avalon"));
  EXPECT_EQ("4", Kingdom("CrimePrevention", "Avalon"));
  EXPECT_EQ("48500000", Kingdom("Treasury", "Avalon"));
}

TEST_F(CourtTest, TreasuryDepositsAllAndEmbezzlingNeedsLeadershipAndMovesWhatItSays) {
  Set("player SET Gold='5000',Leadership=20 WHERE UserName='me'");
  Type("E D1\r R");
  TreasuryScreen(CallerSeat());
  EXPECT_TRUE(Saw("Your leadership (pts) are way to low to get away with this.."));
  EXPECT_EQ("0", Player("Gold"));
  EXPECT_EQ("50005000", Kingdom("Treasury", "Avalon"));

  Set("player SET Leadership=30 WHERE UserName='me'");
  srand(7);
  const bool told = rand() % 10 < 4;
  srand(7);
  Type("E0\rE1234\r R");
  TreasuryScreen(CallerSeat());
  EXPECT_TRUE(Saw("Gold embezzeled!"));
  EXPECT_EQ("1234", Player("Gold"));
  EXPECT_EQ("50003766", Kingdom("Treasury", "Avalon"));
  EXPECT_EQ("60", Kingdom("SerfSupport", "Avalon"));
  EXPECT_EQ(told ? 1 : 0, Count(db::kNews,
                                "Line1='Kingdom Avalon seems to be missing about "
                                "$1,234 from the treasury....'"));
  EXPECT_EQ(1, Count(db::kNews, "Title='`bright cyan`SERF SUPPORT PLUMMITS'"));

  // "All" of an empty treasury takes nothing and tells nobody.
  Set("kingdom SET Treasury='0' WHERE Name='Avalon'");
  const long long news = Count(db::kNews, "1");
  Type("E1\r R");
  TreasuryScreen(CallerSeat());
  EXPECT_FALSE(Saw("Gold embezzeled!"));
  EXPECT_EQ("1234", Player("Gold"));
  EXPECT_EQ(news, Count(db::kNews, "1"));
  EXPECT_EQ("60", Kingdom("SerfSupport", "Avalon"));
}

TEST_F(CourtTest, CovertOperationsChargeNothingWhenRefused) {
  // An empty slot, a declined price, a treasury too small: nothing taken.
  Type("U3U2yyn U2yyy R");
  CovertMenu(CallerSeat());
  EXPECT_TRUE(Saw("You don't have enough gold in the treasury!"));
  EXPECT_EQ("3", Player("EvilDeeds"));
  EXPECT_EQ("50000000", Kingdom("Treasury", "Avalon"));
  EXPECT_EQ("10000", Kingdom("Serfs", "Bree"));

  Set("kingdom SET Treasury='200000000' WHERE Name='Avalon'");
  Type("U2yyy R");
  CovertMenu(CallerSeat());
  EXPECT_TRUE(Saw("2,000 people died of the plague!"));
  EXPECT_EQ("2", Player("EvilDeeds"));
  EXPECT_EQ("100000000", Kingdom("Treasury", "Avalon"));
  EXPECT_EQ("8000", Kingdom("Serfs", "Bree"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='bob' AND Line2='Your kingdom suffered an "
                     "outbreak of the plague..'"));

  // Out of deeds: refused before the price is asked.
  Set("player SET EvilDeeds=0 WHERE UserName='me'");
  Type("U2yy R");
  CovertMenu(CallerSeat());
  EXPECT_TRUE(Saw("Sorry, you are out of evil deeds for today.."));
  EXPECT_EQ("100000000", Kingdom("Treasury", "Avalon"));
}

TEST_F(CourtTest, NoblesArePromotedByIdAndAVacantPostMailsNobody) {
  test::Character cat("cat", "Cat");
  cat.kingdom = "Avalon";
  cat.id = 40;
  test::AddCharacter(cat);
  Type("140\ry D2 R");
  NoblesScreen(CallerSeat());
  const std::string shown = Screen();
  EXPECT_NE(std::string::npos, shown.find("Promoted!"));
  EXPECT_NE(std::string::npos, shown.find("Nobody holds the princess post!"));
  EXPECT_EQ("Cat", Kingdom("Prince", "Avalon"));
  EXPECT_EQ("cat", Kingdom("PrinceUserName", "Avalon"));
  EXPECT_EQ(1, Count(db::kUserNews, "UserName='cat' AND Line1='`bright cyan`KINGDOM PROMOTION'"));
  EXPECT_EQ(0, Count(db::kUserNews, "UserName=''"));
  EXPECT_EQ(1, Count(db::kNews, "Line1='Cat was promoted to prince of Kingdom Avalon'"));

  // A noble of any kingdom is a noble at court, even in another.
  BeCaller("cat");
  EXPECT_EQ(Role::kNoble, CallerSeat().role);
  Set("kingdom SET Prince='',PrinceUserName='' WHERE Name='Avalon'");
  Set("kingdom SET Baron='Cat',BaronUserName='cat' WHERE Name='Bree'");
  Type(" R");  // the promotion letter first
  EnterRoyalCourt();
  EXPECT_TRUE(Shown().Find("Hall of Nobles"));
  BeCaller("me");
  EXPECT_EQ(Role::kRuler, CallerSeat().role);
}

TEST_F(CourtTest, WarOnATradingPartnerEndsTheRouteOnBothSides) {
  TradeRoute();
  Type("Dy R");
  DiplomaticSolutions("Bree", "bob");
  EXPECT_EQ("1", Kingdom("Dip2War", "Avalon"));
  EXPECT_EQ("0", Kingdom("Dip2Trade", "Avalon"));
  EXPECT_EQ("1", Kingdom("Dip1War", "Bree"));
  EXPECT_EQ("0", Kingdom("Dip1Trade", "Bree"));
  EXPECT_EQ(1, Count(db::kUserNews, "UserName='bob' AND TypeOfReq=3 AND Line3='Avalon'"));

  // A flag counts only for the kingdom its slot still names.
  Set("kingdom SET DipName3='Gone',Dip3War=1,Dip3Trade=1 WHERE Name='Avalon'");
  test::AddKingdom(test::Kingdom(3, "Carn", "Cid", "cid"));
  EXPECT_TRUE(RelationOf("Avalon", 3, "Gone").war);
  EXPECT_FALSE(RelationOf("Avalon", 3, "Carn").war);
  EXPECT_FALSE(RelationOf("Avalon", 3, "Carn").trade);
  // Proposing peace to the newcomer does not take over the old war.
  Type("Ty R");
  DiplomaticSolutions("Carn", "cid");
  EXPECT_EQ("Carn", Kingdom("DipName3", "Avalon"));
  EXPECT_EQ("0", Kingdom("Dip3War", "Avalon"));
  EXPECT_EQ(1, Count(db::kUserNews, "UserName='cid' AND TypeOfReq=7"));
}

TEST_F(CourtTest, OffersNeedAnEntryTheGoodsAndARulerToReadThem) {
  TradeRoute();
  Type("\r ");
  OfferDeal(9, 2);
  EXPECT_TRUE(Saw("Aborted!"));
  Type("5000\r ");
  OfferDeal(9, 2);
  EXPECT_TRUE(Saw("You don't have that many acres to sell!"));
  Type("100\r\r ");
  OfferDeal(9, 2);
  EXPECT_TRUE(Saw("Aborted!"));
  Type("123\r ");  // two digits for cannons: 12 of 5
  OfferDeal(12, 2);
  EXPECT_TRUE(Saw("You don't have that many Cannons to sell!"));
  Type("500\r2000\ry ");
  OfferDeal(11, 2);
  EXPECT_TRUE(Saw("Trade Offer Sent!"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='bob' AND TypeOfReq=11 AND Line1='500' AND "
                     "Line2='2000' AND Line3='Avalon'"));

  Set("kingdom SET Ruler='',RulerUserName='' WHERE Name='Bree'");
  Type("100\ry ");
  OfferDeal(10, 2);
  EXPECT_FALSE(Saw("Treasury Gold Sent!"));
  EXPECT_EQ(0, Count(db::kUserNews, "TypeOfReq=10"));
  OfferDeal(9, 4);  // an empty slot offers nothing
  EXPECT_EQ("", Screen());
}

TEST_F(CourtTest, DealsAndGiftsMoveOnlyWhatTheChecksAllow) {
  TradeRoute();
  Set("kingdom SET Land=1999000 WHERE Name='Avalon'");
  Set("kingdom SET Land=5000 WHERE Name='Bree'");
  Offer(9, "2000", "1000");
  Type("y ");
  Request();
  EXPECT_TRUE(Saw("more then the max allowed land!"));
  EXPECT_EQ("1999000", Kingdom("Land", "Avalon"));

  Set("kingdom SET Land=1998000 WHERE Name='Avalon'");
  Offer(9, "2000", "1000");
  Type("y ");
  Request();
  EXPECT_TRUE(Saw("Trade deal done!"));
  EXPECT_EQ("2000000", Kingdom("Land", "Avalon"));
  EXPECT_EQ("3000", Kingdom("Land", "Bree"));
  EXPECT_EQ("49999000", Kingdom("Treasury", "Avalon"));
  EXPECT_EQ("50001000", Kingdom("Treasury", "Bree"));
  EXPECT_EQ(1, Count(db::kUserNews, "UserName='bob' AND Line1='KINGDOM TRADE DEAL ACCEPTED'"));

  // A gift whose sender spent the treasury meanwhile.
  Offer(10, "1000", "");
  Set("kingdom SET Treasury='500' WHERE Name='Bree'");
  Type("y ");
  Request();
  EXPECT_TRUE(Saw("Does not have the gold anymore.."));
  EXPECT_EQ("500", Kingdom("Treasury", "Bree"));
  EXPECT_EQ("49999000", Kingdom("Treasury", "Avalon"));

  // The sender abdicated: nothing changes hands, and the reader is told.
  Offer(10, "100", "");
  Set("kingdom SET Ruler='',RulerUserName='' WHERE Name='Bree'");
  Type(" ");
  Request();
  EXPECT_TRUE(Saw("no longer rules Kingdom Bree"));
  EXPECT_EQ("500", Kingdom("Treasury", "Bree"));
  // From a kingdom that is gone: unseen.
  Offer(3, "Kingdom Nowhere has declared war", "", "Nowhere");
  Request();
  EXPECT_FALSE(Saw("DECLARATION OF WAR"));
  EXPECT_EQ(0, Count(db::kUserNews, "UserName='me'"));
}

// ---- Two nodes ----

TEST_F(CourtTest, TwoNodesEmbezzlingAllAtOnceTakeTheTreasuryOnce) {
  Set("player SET Leadership=30 WHERE UserName='me'");
  test::TestNode a("me", [] { TreasuryScreen(CallerSeat()); });
  test::TestNode b("me", [] { TreasuryScreen(CallerSeat()); });
  for (test::TestNode* node : {&a, &b}) {
    ASSERT_TRUE(node->WaitFor("Your Selection: "));
    node->Type("E");
    ASSERT_TRUE(node->WaitFor("How much?: "));
  }
  // The one that comes second finds nothing left and takes nothing.
  a.Type("1\r R");
  b.Type("1\r R");
  EXPECT_EQ(0, a.Finish());
  EXPECT_EQ(0, b.Finish());
  EXPECT_EQ("0", Kingdom("Treasury", "Avalon"));
  EXPECT_EQ("50000100", Player("Gold"));
}

TEST_F(CourtTest, OneLandDealAcceptedOnTwoNodesMovesTheLandOnce) {
  TradeRoute();
  Set("kingdom SET Land=1000 WHERE Name='Bree'");
  Offer(9, "1000", "5000");
  Offer(9, "1000", "5000");
  test::TestNode a("me", [] { Request(); });
  test::TestNode b("me", [] { Request(); });
  ASSERT_TRUE(a.WaitFor("Accept Trade Deal"));
  ASSERT_TRUE(b.WaitFor("Accept Trade Deal"));
  a.Type("y");
  b.Type("y");
  for (test::TestNode* node : {&a, &b}) {
    ASSERT_TRUE(node->WaitFor("Press Any Key"));
    node->Type(" ");
  }
  EXPECT_EQ(0, a.Finish());
  EXPECT_EQ(0, b.Finish());
  const std::string both = a.Text() + b.Text();
  EXPECT_NE(std::string::npos, both.find("Trade deal done!"));
  EXPECT_NE(std::string::npos, both.find("Does not have the land anymore.."));
  EXPECT_EQ("2200", Kingdom("Land", "Avalon"));
  EXPECT_EQ("0", Kingdom("Land", "Bree"));
  EXPECT_EQ("49995000", Kingdom("Treasury", "Avalon"));
  EXPECT_EQ("50005000", Kingdom("Treasury", "Bree"));
}

TEST_F(CourtTest, ARulerDeposedWhileInTheCourtBuysNothingAndLosesTheMenu) {
  test::TestNode node("me", [] { EnterRoyalCourt(); });
  ASSERT_TRUE(node.WaitFor("Leave the Courtyard"));
  node.Type("B");
  ASSERT_TRUE(node.WaitFor("Your Selection: "));
  node.Type("H");
  ASSERT_TRUE(node.WaitFor("Hire how many soldiers?"));
  Set("kingdom SET Ruler='Usurper',RulerUserName='usurper' WHERE Name='Avalon'");
  node.Type("5\r");
  ASSERT_TRUE(node.WaitFor("You no longer hold that seat at court"));
  node.Type(" ");
  EXPECT_EQ(0, node.Finish());  // out of the army menu and the court at once
  EXPECT_EQ("1000", Kingdom("Soldiers", "Avalon"));
  EXPECT_EQ("50000000", Kingdom("Treasury", "Avalon"));
}

}  // namespace
}  // namespace trv::kingdom
