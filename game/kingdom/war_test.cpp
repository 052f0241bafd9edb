// The battles: their rules as tables, the militia, coup and war screens
// in-process, and the rows two nodes change at once.
#include "game/kingdom/war.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <deque>
#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/kingdom/battle.h"
#include "game/kingdom/battle_rules.h"
#include "game/kingdom/court.h"
#include "game/kingdom/court_rules.h"
#include "game/kingdom/kingdom.h"
#include "game/kingdom/test_kingdom.h"
#include "game/money/money.h"
#include "tests/support/in_process.h"
#include "tests/support/test_node.h"

namespace trv::kingdom {
namespace {

using db::Exec;
using db::Query;
using db::TableName;
using Purenum::Integer;

// ---- Rules ----

// Draws that give the largest loss the limit allows, and count them.
struct MaxDraw {
  int draws = 0;
  long long operator()(long long n) {
    ++draws;
    return n - 1;
  }
};

TEST(BattleRules, PlanTableAndItsExceptions) {
  struct Case {
    Plan plan, other;
    int attack, exposure, artillery;
  } cases[] = {
      {Plan::kNormal, Plan::kDefensive, 70, 70, 20},
      {Plan::kBombardment, Plan::kNormal, 30, 0, 85},  // out of reach of a normal battle
      {Plan::kBombardment, Plan::kCharge, 30, 30, 85},
      {Plan::kCharge, Plan::kBombardment, 85, 0, 0},  // outruns the bombardment
      {Plan::kCharge, Plan::kNormal, 85, 30, 0},
      {Plan::kDefensive, Plan::kBombardment, 30, 85, 30},
  };
  for (const Case& c : cases) {
    const Factors f = FactorsOf(c.plan, c.other);
    EXPECT_EQ(c.attack, f.attack) << PlanName(c.plan);
    EXPECT_EQ(c.exposure, f.exposure) << PlanName(c.plan) << " against " << PlanName(c.other);
    EXPECT_EQ(c.artillery, f.artillery) << PlanName(c.plan);
  }
  EXPECT_STREQ("Charge Battle", PlanName(Plan::kCharge));
  EXPECT_STREQ("Normal Battle", DefenderPlanName(Plan::kNormal));
}

TEST(BattleRules, LossLimitsAreExactAndShieldedInOrder) {
  // 1,000 soldiers at 0.7 x 0.7: 490, where doubles give 489.
  EXPECT_EQ(490, LossLimit(1000, 70, 70));
  EXPECT_EQ(0, LossLimit(1, 70, 70));
  EXPECT_EQ(0, LossLimit(-50, 70, 70));
  EXPECT_EQ(4519452298058840145LL, LossLimit(9223372036854775807LL, 70, 70));

  struct Case {
    long long drawn;
    Unit unit;
    Shield shield;
    long long loss;
  } cases[] = {
      {489, kSoldiers, {false, 0, 0, 0}, 489},       // a militia is not shielded
      {489, kSoldiers, {true, 0, 0, 0}, 0},          // no towers: nothing lost
      {489, kSoldiers, {true, 100, 100, 100}, 489},  // full training and equipment: unscaled
      {489, kSoldiers, {true, 50, 0, 100}, 244},     // towers: 244.5 -> 244
      {489, kSoldiers, {true, 50, 50, 30}, 85},      // 244 -> 122 -> 85.4
      {489, kCannons, {true, 50, 50, 30}, 244},      // training and equipment are the soldiers'
      {-3, kSoldiers, {true, 100, 0, 0}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.loss, ShieldedLoss(c.drawn, c.unit, c.shield)) << c.drawn;
}

TEST(BattleRules, RoundLossesDrawOnlyAboveALimitOfOne) {
  Units army;
  army.count[kSoldiers] = 1000;
  army.count[kDragonRiders] = 1;  // a limit of 0: no draw, no loss
  army.count[kCannons] = 26;
  army.count[kKatapults] = 0;
  const Shield none;
  MaxDraw draw;
  Units lost = RoundLosses(army, none, FactorsOf(Plan::kNormal, Plan::kNormal),
                           FactorsOf(Plan::kNormal, Plan::kNormal), std::ref(draw));
  EXPECT_EQ(489, lost.count[kSoldiers]);  // rand() % 490
  EXPECT_EQ(0, lost.count[kDragonRiders]);
  EXPECT_EQ(2, lost.count[kCannons]);  // 26 x 0.2 x 0.7 = 3.64 -> limit 3
  EXPECT_EQ(0, lost.count[kKatapults]);
  EXPECT_EQ(2, draw.draws);

  // A kingdom with 1 soldier left loses none; one without towers loses nothing.
  Units one;
  one.count[kSoldiers] = 1;
  MaxDraw none_drawn;
  EXPECT_EQ(0, RoundLosses(one, Shield{true, 100, 0, 0}, FactorsOf(Plan::kCharge, Plan::kDefensive),
                           FactorsOf(Plan::kDefensive, Plan::kCharge), std::ref(none_drawn))
                   .count[kSoldiers]);
  EXPECT_EQ(0, none_drawn.draws);
  EXPECT_EQ(0, RoundLosses(army, Shield{true, 0, 0, 0}, FactorsOf(Plan::kNormal, Plan::kNormal),
                           FactorsOf(Plan::kNormal, Plan::kNormal), std::ref(draw))
                   .count[kSoldiers]);

  // Bombardment against a Normal Battle: the bombarding side loses nothing.
  MaxDraw quiet;
  Units safe = RoundLosses(army, none, FactorsOf(Plan::kNormal, Plan::kBombardment),
                           FactorsOf(Plan::kBombardment, Plan::kNormal), std::ref(quiet));
  for (long long n : safe.count) EXPECT_EQ(0, n);
  EXPECT_EQ(0, quiet.draws);

  // Towers above 100 never take more than there is.
  Units few;
  few.count[kSoldiers] = 10;
  EXPECT_EQ(10,
            RoundLosses(few, Shield{true, 5000, 100, 100}, FactorsOf(Plan::kCharge, Plan::kNormal),
                        FactorsOf(Plan::kDefensive, Plan::kCharge), std::ref(draw))
                .count[kSoldiers]);
}

TEST(BattleRules, OutcomesOfACoupAndAWar) {
  EXPECT_TRUE(EquipmentWears(11));
  EXPECT_FALSE(EquipmentWears(10));  // "Equipment Rating too low!"

  Mutilation had;
  had.max_hp = 49;  // loses none
  had.strength = 100;
  had.defense = -60;
  had.agility = 50;
  had.max_magic = 39;
  had.leadership = 40;
  const Mutilation lost = MutilationOf(had);
  EXPECT_EQ(0, lost.max_hp);
  EXPECT_EQ(2, lost.strength);
  EXPECT_EQ(0, lost.defense);
  EXPECT_EQ(1, lost.agility);
  EXPECT_EQ(1, lost.max_magic);
  EXPECT_EQ(2, lost.leadership);

  EXPECT_EQ(100, CapturedAcres(1000));
  EXPECT_EQ(9, CapturedAcres(99));
  EXPECT_EQ(0, CapturedAcres(-40));
  struct Case {
    long long land, soldiers;
    bool survives;
  } cases[] = {{1000, 1000, true}, {100, 50, true},   {90, 1000, false},
               {99, 50, false},    {1000, 40, false}, {1000, 49, false}};
  for (const Case& c : cases)
    EXPECT_EQ(c.survives, DefenderSurvives(c.land, c.soldiers)) << c.land << "/" << c.soldiers;

  EXPECT_EQ("300", PercentOfHolding(Integer(1000), 30).str());  // 1,000 water towers leave 700
  EXPECT_EQ("1", PercentOfHolding(Integer(19), 10).str());      // truncated
  EXPECT_EQ("0", PercentOfHolding(Integer(-500), 30).str());
  EXPECT_EQ("12000000000000000000000",
            PercentOfHolding(Integer("100000000000000000000000"), 12).str());

  EXPECT_TRUE(CoupSucceeds(100, 100));
  EXPECT_FALSE(CoupSucceeds(100, 101));
  EXPECT_TRUE(WarWon(50, 50));
  EXPECT_FALSE(WarWon(51, 50));
}

TEST(BattleRules, MilitiaPurchasesKeepToGoldAndCap) {
  struct Case {
    char key;
    const char* gold;
    long long count, most;
  } cases[] = {
      {'P', "1000000000", 0, 25},  // 83 paid for, 25 the cap
      {'P', "1000000000", 20, 5},
      {'P', "11999999", 0, 0},
      {'H', "1000000000", 9999000, 1000},  // 5,000 paid for
      {'H', "1000000000", 10000500, 0},    // recruits above the cap: 0, never negative
      {'E', "5000000", 95, 5},
      {'D', "3500000", 0, 3},
      {'B', "-100", 0, 0},
  };
  for (const Case& c : cases) {
    const MilitiaUnit* unit = MilitiaUnitFor(c.key);
    ASSERT_NE(nullptr, unit);
    EXPECT_EQ(c.most, MostAffordable(Integer(c.gold), Integer(unit->price), c.count, unit->cap))
        << c.key << " " << c.gold;
  }
  EXPECT_STREQ("Kannons", MilitiaUnitFor('P')->column);
  EXPECT_EQ(nullptr, MilitiaUnitFor('X'));
  // 26 cannons: above the cap, back without a word; 2 more than paid for: refused.
  EXPECT_EQ(Typed::kLeave, JudgePurchase("26", 1, 25));
  EXPECT_EQ(Typed::kRefused, JudgePurchase("2", 1, 25));
}

// ---- Screens ----

// Three rounds, each with plan `plan` and a key at every pause.
std::string Rounds(char plan = '1') {
  std::string keys;
  for (int round = 0; round < 3; ++round) keys += std::string(1, plan) + "      ";
  return keys;
}

// Avalon (slot 1) is ruled by Bob; the caller, Hero, lives there. Bree
// (slot 2) is ruled by Cid. Neither kingdom has towers of sorcery.
class WarTest : public KingdomTest {
 protected:
  void SetUp() override {
    setenv("TRV_SEED", "20", 1);
    KingdomTest::SetUp();
    AddPlayer("me", "Hero", "Avalon", "Gold='30000000',MaxHP=49,HP=49,Strength=100,Leadership=40");
    AddPlayer("bob", "Bob", "Avalon");
    AddPlayer("cid", "Cid", "Bree");
    test::AddKingdom(test::Kingdom(1, "Avalon", "Bob", "bob"));
    test::AddKingdom(test::Kingdom(2, "Bree", "Cid", "cid"));
  }
  void TearDown() override {
    unsetenv("TRV_SEED");
    KingdomTest::TearDown();
  }

  // The caller rules Avalon and is at war with Bree.
  static void RuleAvalonAtWarWithBree() {
    Set("kingdom SET Ruler='Hero',RulerUserName='me' WHERE Name='Avalon'");
    Set("kingdom SET DipName2='Bree',Dip2War=1 WHERE Name='Avalon'");
    Set("kingdom SET DipName1='Avalon',Dip1War=1 WHERE Name='Bree'");
  }
  bool Saw(const std::string& text) { return Screen().find(text) != std::string::npos; }
};

TEST_F(WarTest, ARulerIsTurnedAwayAndMilitiaPurchasesKeepToGoldAndCap) {
  Set("kingdom SET Ruler='Hero',RulerUserName='me' WHERE Name='Avalon'");
  Type(" ");
  MilitiaScreen(nullptr);
  EXPECT_TRUE(Saw("You are a kingdom ruler, you don't need a militia!"));
  Set("kingdom SET Ruler='Bob',RulerUserName='bob' WHERE Name='Avalon'");

  // $30,000,000 pays for 2 cannons: 26 leaves without a word, 3 is refused.
  Type("P26\rP3\r P2\r R");
  MilitiaScreen(nullptr);
  const std::string shown = Screen();
  EXPECT_NE(std::string::npos, shown.find("Purchase how many cannons? <Max \x1b[1;36;40m2"));
  const size_t refused = shown.find("You cannot do that!");
  ASSERT_NE(std::string::npos, refused);  // for 3, and only for 3
  EXPECT_EQ(std::string::npos, shown.find("You cannot do that!", refused + 1));
  EXPECT_NE(std::string::npos, shown.find("Cannons increased by 2!"));
  EXPECT_EQ("2", Player("Kannons"));
  EXPECT_EQ("6000000", Player("Gold"));

  // Recruits above the cap are offered none, and buying any is refused.
  Set("player SET Soldiers=10000500 WHERE UserName='me'");
  Type("H1\r R");
  MilitiaScreen(nullptr);
  EXPECT_TRUE(Saw("<Max \x1b[1;36;40m0"));
  EXPECT_EQ("10000500", Player("Soldiers"));
  EXPECT_EQ("6000000", Player("Gold"));
}

TEST_F(WarTest, ACoupNeeds200SoldiersADeedAndAFailedOneMutilates) {
  Set("player SET Soldiers=199 WHERE UserName='me'");
  Type("A R");
  MilitiaScreen(nullptr);
  EXPECT_TRUE(Saw("You will need at least 200 soldiers to lead a coup attempt!"));
  EXPECT_EQ("3", Player("EvilDeeds"));

  // 200 soldiers against 100,000 and no towers: the kingdom loses nothing.
  Set("player SET Soldiers=200 WHERE UserName='me'");
  Set("kingdom SET Soldiers=100000 WHERE Name='Avalon'");
  Type("A" + Rounds() + "  R");
  MilitiaScreen(nullptr);
  const std::string shown = Screen();
  EXPECT_NE(std::string::npos, shown.find("ROUND 3 - BATTLE RESULTS"));
  EXPECT_NE(std::string::npos, shown.find("YOU LOST THE BATTLE"));
  EXPECT_EQ("2", Player("EvilDeeds"));
  EXPECT_EQ("100000", Kingdom("Soldiers", "Avalon"));
  EXPECT_EQ("1", Player("HP"));
  EXPECT_EQ("49", Player("MaxHP"));  // a fiftieth of 49 is nothing
  EXPECT_EQ("98", Player("Strength"));
  EXPECT_EQ("38", Player("Leadership"));
  EXPECT_EQ(1, Count(db::kNews, "Line1='Hero''s militia coup failed against Kingdom Avalon'"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='bob' AND Line2='Hero lead a militia against your army and lost!'"));
}

TEST_F(WarTest, AWonCoupRenamesOnlyItsKingdomAndMovesEveryoneAtOnce) {
  AddPlayer("dan", "Dan", "Avalon");
  test::AddKingdom(test::Kingdom(3, "Empty", "", ""));
  Set("player SET Soldiers=1000000 WHERE UserName='me'");
  Set("kingdom SET Soldiers=100 WHERE Name='Avalon'");
  Set("kingdom SET DipName1='Avalon',Dip1War=1,Baron='Hero',BaronUserName='me' WHERE Name='Bree'");
  Type("A" + Rounds() + " Freeland\ry ");
  MilitiaScreen(nullptr);
  EXPECT_TRUE(Saw("Good luck as the new ruler!!!"));
  EXPECT_EQ("me", Kingdom("RulerUserName", "Freeland"));
  EXPECT_EQ("Hero", Kingdom("Ruler", "Freeland"));
  EXPECT_EQ("1", Kingdom("IDNum", "Freeland"));
  EXPECT_EQ(0, Count(db::kPlayer, "Kingdom='Avalon'"));
  EXPECT_EQ(3, Count(db::kPlayer, "Kingdom='Freeland'"));  // me, bob, dan
  EXPECT_EQ("0", Player("Soldiers"));
  EXPECT_GT(std::stoll(Kingdom("Soldiers", "Freeland")), 100);  // the militia joined
  // The slot that named Avalon names Freeland, with no war inherited.
  EXPECT_EQ("Freeland", Kingdom("DipName1", "Bree"));
  EXPECT_EQ("0", Kingdom("Dip1War", "Bree"));
  EXPECT_EQ("", Kingdom("BaronUserName", "Bree"));  // the new ruler's post elsewhere
  // No other kingdom changed: the vacant one is not renamed.
  EXPECT_EQ("", Kingdom("RulerUserName", "Empty"));
  EXPECT_EQ("cid", Kingdom("RulerUserName", "Bree"));
  EXPECT_EQ(1, Count(db::kNews, "Line1='Hero led a successful militia coup against Avalon'"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='bob' AND Line2='Hero successfully took power from "
                     "your royal family!'"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='dan' AND Line3='Your new kingdom name is: "
                     "Freeland, ruled by Hero'"));
  EXPECT_EQ(0, Count(db::kUserNews, "UserName IN ('','me','cid')"));
}

TEST_F(WarTest, AnEmptyThroneIsClaimedWithTheMilitia) {
  Set("kingdom SET Ruler='',RulerUserName='',Soldiers=500 WHERE Name='Avalon'");
  Set("kingdom SET Prince='Hero',PrinceUserName='me' WHERE Name='Bree'");
  Set("player SET Soldiers=70 WHERE UserName='me'");
  Type("A ");
  MilitiaScreen(nullptr);  // closes once the caller rules
  EXPECT_TRUE(Saw("without a drop of blood shedding!"));
  EXPECT_EQ("me", Kingdom("RulerUserName", "Avalon"));
  EXPECT_EQ("570", Kingdom("Soldiers", "Avalon"));
  EXPECT_EQ("0", Player("Soldiers"));
  EXPECT_EQ("3", Player("EvilDeeds"));
  EXPECT_EQ("", Kingdom("PrinceUserName", "Bree"));
  EXPECT_EQ(1, Count(db::kNews, "Line1='Hero took over the empty throne of Avalon'"));
}

TEST_F(WarTest, TheWarRoomNeedsAWarADeedAndTwoHundredSoldiers) {
  RuleAvalonAtWarWithBree();
  test::AddKingdom(test::Kingdom(3, "Carn", "Cal", "cal"));
  Type("3 ");
  WarRoom();
  EXPECT_TRUE(Saw("You need to declare war first!"));
  Type("4 ");
  WarRoom();  // an empty slot
  EXPECT_TRUE(Saw("You need to declare war first!"));
  Set("kingdom SET Soldiers=199 WHERE Name='Avalon'");
  Type("2y ");
  WarRoom();
  EXPECT_TRUE(Saw("You will need at least 200 soldiers to lead an attack!"));
  Set("kingdom SET Soldiers=200 WHERE Name='Avalon'");
  Set("player SET EvilDeeds=0 WHERE UserName='me'");
  Type("2y ");
  WarRoom();
  EXPECT_TRUE(Saw("You don't have enough evil deeds left today!"));
  EXPECT_EQ("1200", Kingdom("Land", "Bree"));
  // A citizen has no war room.
  BeCaller("bob");
  WarRoom();
  EXPECT_EQ("", Screen());
}

TEST_F(WarTest, AWonWarCapturesATenthAndPlundersEachDefender) {
  RuleAvalonAtWarWithBree();
  Set("kingdom SET Land=1000 WHERE Name='Bree'");
  AddPlayer("eve", "Eve", "Bree", "WaterTower='1000',FleshTrade='100',HouseTrade=''");
  // Without towers neither army loses a man: the war is won, 0 against 0.
  Type("2y" + Rounds() + "y ");
  WarRoom();
  const std::string shown = Screen();
  EXPECT_NE(std::string::npos, shown.find("acres of land!"));
  EXPECT_EQ("900", Kingdom("Land", "Bree"));
  EXPECT_EQ("1300", Kingdom("Land", "Avalon"));
  EXPECT_EQ("2", Player("EvilDeeds"));
  EXPECT_EQ("700", Player("WaterTower", "eve"));
  EXPECT_EQ("88", Player("FleshTrade", "eve"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='eve' AND Line1='`bright cyan`INVESTMENTS PLUNDERED!' "
                     "AND Line3='0 ore mines, 0 smuggling warehouses, 300 water "
                     "towers..'"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='cid' AND Line2='Avalon successfully invaded your "
                     "kingdom!'"));
  EXPECT_EQ(1, Count(db::kNews, "Line1='Avalon successfully invaded Bree Plundering has ensued!'"));
}

TEST_F(WarTest, AWarOnASmallKingdomDestroysItAndMovesItsPeople) {
  RuleAvalonAtWarWithBree();
  Set("kingdom SET Land=90 WHERE Name='Bree'");
  AddPlayer("eve", "Eve", "Bree");
  test::AddKingdom(test::Kingdom(3, "Carn", "Cal", "cal"));
  Set("kingdom SET DipName2='Bree',Dip2War=1,Dip2Trade=1 WHERE Name='Carn'");
  Type("2y" + Rounds() + " ");
  WarRoom();
  EXPECT_TRUE(Saw("All the citizens of their kingdom now fall under your rulership!!!"));
  EXPECT_EQ(0, Count(db::kKingdom, "Name='Bree'"));
  EXPECT_EQ(0, Count(db::kPlayer, "Kingdom='Bree'"));
  EXPECT_EQ("Avalon", Player("Kingdom", "eve"));
  EXPECT_EQ("Avalon", Player("Kingdom", "cid"));
  EXPECT_EQ("1209", Kingdom("Land", "Avalon"));
  // No kingdom keeps a slot naming it, so a kingdom founded later in slot 2
  // inherits no war.
  EXPECT_EQ(0, Count(db::kKingdom, "DipName2='Bree' OR Dip2War<>0 OR Dip2Trade<>0"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='eve' AND Line3='Your new kingdom home is: Avalon, "
                     "ruled by Hero'"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='cid' AND Line2='Avalon DESTROYED your kingdom! You "
                     "are no longer a ruler..'"));
  EXPECT_EQ(1, Count(db::kNews, "Line1='Avalon DESTROYED Bree in a epic kingdom battle!'"));
  EXPECT_EQ(0, Count(db::kUserNews, "UserName=''"));
}

TEST_F(WarTest, ALostWarWearsDownTheDefender) {
  RuleAvalonAtWarWithBree();
  // The attacker's towers let its losses through; the defender has none.
  Set("kingdom SET MagicTowers=100,Soldiers=100000,EquipmentRating=10 WHERE Name='Avalon'");
  Type("2y" + Rounds() + " ");
  WarRoom();
  const std::string shown = Screen();
  EXPECT_NE(std::string::npos, shown.find("YOU LOST THE BATTLE"));
  EXPECT_NE(std::string::npos, shown.find("[Equipment Rating too low!]"));
  EXPECT_EQ("10", Kingdom("EquipmentRating", "Avalon"));  // too low to wear
  EXPECT_LT(std::stoll(Kingdom("Soldiers", "Avalon")), 100000);
  EXPECT_EQ("1000", Kingdom("Soldiers", "Bree"));
  EXPECT_EQ("72", Kingdom("SerfSupport", "Bree"));
  EXPECT_EQ("1200", Kingdom("Land", "Bree"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='cid' AND Line2='Avalon failed to invade your "
                     "kingdom!'"));
}

// ---- Two nodes ----

TEST_F(WarTest, ACoupRenamesOnlyItsTargetWhileOtherThronesStandEmpty) {
  test::AddKingdom(test::Kingdom(3, "Empty", "", ""));
  Set("player SET Soldiers=1000000 WHERE UserName='me'");
  Set("kingdom SET Soldiers=100 WHERE Name='Avalon'");
  {
    // The ruler abdicates on his node while the victor names the kingdom:
    // the throne is not the coup's to rename, and no vacant kingdom is.
    test::TestNode node("me", [] { MilitiaScreen(nullptr); });
    ASSERT_TRUE(node.WaitFor("Your Selection: "));
    node.Type("A" + Rounds() + " ");
    ASSERT_TRUE(node.WaitFor("Name Thy Kingdom: "));
    Set("kingdom SET Ruler='',RulerUserName='' WHERE Name='Avalon'");
    node.Type("Freeland\ry");
    ASSERT_TRUE(node.WaitFor("has changed hands since your victory"));
    node.Type(" R");
    EXPECT_EQ(0, node.Finish());
  }
  EXPECT_EQ(0, Count(db::kKingdom, "Name='Freeland'"));
  EXPECT_EQ("Avalon", Player("Kingdom"));
  EXPECT_EQ(1, Count(db::kKingdom, "Name='Empty' AND RulerUserName=''"));
  EXPECT_EQ(1, Count(db::kKingdom, "Name='Avalon' AND RulerUserName=''"));

  // Bree's throne empties while the next coup is fought: only Avalon changes.
  Set("kingdom SET Ruler='Bob',RulerUserName='bob',Soldiers=100 WHERE Name='Avalon'");
  test::TestNode node("me", [] { MilitiaScreen(nullptr); });
  ASSERT_TRUE(node.WaitFor("Your Selection: "));
  node.Type("A" + Rounds() + " ");
  ASSERT_TRUE(node.WaitFor("Name Thy Kingdom: "));
  Set("kingdom SET Ruler='',RulerUserName='' WHERE Name='Bree'");
  node.Type("Freeland\ry ");
  EXPECT_EQ(0, node.Finish());
  EXPECT_EQ(1, Count(db::kKingdom, "Name='Freeland' AND RulerUserName='me' AND IDNum=1"));
  EXPECT_EQ(1, Count(db::kKingdom, "Name='Bree' AND RulerUserName='' AND IDNum=2"));
  EXPECT_EQ(1, Count(db::kKingdom, "Name='Empty' AND RulerUserName='' AND IDNum=3"));
  EXPECT_EQ("Bree", Player("Kingdom", "cid"));
  EXPECT_EQ("Freeland", Player("Kingdom", "bob"));
  EXPECT_EQ("1", Player("EvilDeeds"));
}

TEST_F(WarTest, TwoClaimantsOfAnEmptyThroneCrownOne) {
  Set("kingdom SET Ruler='',RulerUserName='',Soldiers=500 WHERE Name='Avalon'");
  Set("player SET Soldiers=70 WHERE UserName='me'");
  AddPlayer("dan", "Dan", "Avalon", "Soldiers=30");
  test::TestNode a("me", [] { MilitiaScreen(nullptr); });
  test::TestNode b("dan", [] { MilitiaScreen(nullptr); });
  ASSERT_TRUE(a.WaitFor("Your Selection: "));
  ASSERT_TRUE(b.WaitFor("Your Selection: "));
  a.Type("A");
  b.Type("A");
  // The second finds the throne taken: "Too late!" in the claim's unit, or,
  // when it looked after the first had sat down, a coup too small to start.
  for (test::TestNode* node : {&a, &b}) {
    ASSERT_TRUE(node->WaitUntil(
        [](const std::string& text) {
          return text.find("blood shedding!") != std::string::npos ||
                 text.find("Too late!") != std::string::npos ||
                 text.find("at least 200 soldiers") != std::string::npos;
        },
        "the claim's answer"));
    node->Type(" R");
  }
  EXPECT_EQ(0, a.Finish());
  EXPECT_EQ(0, b.Finish());
  const std::string ruler = Kingdom("RulerUserName", "Avalon");
  ASSERT_TRUE(ruler == "me" || ruler == "dan") << ruler;
  const bool me_won = ruler == "me";
  EXPECT_EQ(std::string::npos, (me_won ? b : a).Text().find("blood shedding!"));
  EXPECT_EQ(me_won ? "570" : "530", Kingdom("Soldiers", "Avalon"));
  EXPECT_EQ("0", Player("Soldiers", ruler.c_str()));
  EXPECT_EQ(me_won ? "30" : "70", Player("Soldiers", me_won ? "dan" : "me"));  // kept
  EXPECT_EQ(1, Count(db::kNews, "Line1 LIKE '%took over the empty throne of Avalon'"));

  // A claim whose throne was taken after the caller saw it empty.
  BeCaller(me_won ? "dan" : "me");
  Type(" ");
  EXPECT_FALSE(ClaimThrone("Avalon"));
  EXPECT_TRUE(Saw("Too late! Another citizen has already taken the throne.."));
  EXPECT_EQ(me_won ? "30" : "70", Player("Soldiers", me_won ? "dan" : "me"));
  EXPECT_EQ(ruler, Kingdom("RulerUserName", "Avalon"));
}

TEST_F(WarTest, AMemberJoiningDuringADestructionIsNeverLeftInIt) {
  RuleAvalonAtWarWithBree();
  Set("kingdom SET Soldiers=40 WHERE Name='Bree'");
  test::Character newbie("new", "Newbie");
  newbie.kingdom = std::nullopt;
  test::AddCharacter(newbie);
  test::TestNode joiner("new", [] { KingdomSelect("Newbie"); });
  test::TestNode war("me", [] { WarRoom(); });
  ASSERT_TRUE(joiner.WaitFor("Choose Kingdom: "));
  joiner.Type("2");
  ASSERT_TRUE(joiner.WaitFor("Join "));
  const std::string rounds = Rounds();
  war.Type("2y" + rounds.substr(0, rounds.size() - 1));  // all but the totals' key
  ASSERT_TRUE(war.WaitFor("TOTAL CASUALITY RESULTS"));
  ASSERT_TRUE(war.WaitFor("Press Any Key"));
  war.Type(" ");     // the kingdom falls ...
  joiner.Type("y");  // ... while the newcomer joins it
  ASSERT_TRUE(war.WaitFor("Press Any Key"));
  war.Type(" ");
  EXPECT_EQ(0, war.Finish());
  EXPECT_EQ(0, joiner.Finish());
  EXPECT_EQ(0, Count(db::kKingdom, "Name='Bree'"));
  EXPECT_EQ(0, Count(db::kPlayer, "Kingdom='Bree'"));
  const std::string home = Player("Kingdom", "new");
  EXPECT_TRUE(home == "Avalon" || home.empty()) << home;
}

TEST_F(WarTest, AnAttackerDeposedDuringTheWarEndsIt) {
  RuleAvalonAtWarWithBree();
  Set("kingdom SET Land=1000 WHERE Name='Bree'");
  test::TestNode war("me", [] { WarRoom(); });
  war.Type("2y1     ");
  ASSERT_TRUE(war.WaitFor("Your Soldiers killed"));
  ASSERT_TRUE(war.WaitFor("Press Any Key"));
  Set("kingdom SET Ruler='Bob',RulerUserName='bob' WHERE Name='Avalon'");
  war.Type(" ");
  ASSERT_TRUE(war.WaitFor("the war is over.."));
  war.Type(" ");
  EXPECT_EQ(0, war.Finish());
  EXPECT_EQ("1000", Kingdom("Land", "Bree"));
  EXPECT_EQ("1200", Kingdom("Land", "Avalon"));
  EXPECT_EQ(0, Count(db::kNews, "Title LIKE '%KINGDOM BATTLE%'"));
}

TEST_F(WarTest, ADefenderRenamedMeanwhileGivesUpNothing) {
  RuleAvalonAtWarWithBree();
  AddPlayer("eve", "Eve", "Bree", "WaterTower='1000'");
  const std::string rounds = Rounds();
  {
    // Renamed by a coup between the last round and the capture.
    test::TestNode war("me", [] { WarRoom(); });
    war.Type("2y" + rounds.substr(0, rounds.size() - 1));
    ASSERT_TRUE(war.WaitFor("TOTAL CASUALITY RESULTS"));
    ASSERT_TRUE(war.WaitFor("Press Any Key"));
    Set("kingdom SET Name='Newbree' WHERE Name='Bree'");
    war.Type(" ");
    ASSERT_TRUE(war.WaitFor("is no longer there to give up its land.."));
    war.Type(" ");
    EXPECT_EQ(0, war.Finish());
  }
  EXPECT_EQ("1200", Kingdom("Land", "Newbree"));
  EXPECT_EQ("1200", Kingdom("Land", "Avalon"));

  // Renamed, its people with it, while the victor decides to plunder.
  Set("kingdom SET Name='Bree' WHERE Name='Newbree'");
  test::TestNode war("me", [] { WarRoom(); });
  war.Type("2y" + rounds);
  ASSERT_TRUE(war.WaitFor("Plunder Lands?"));
  Set("kingdom SET Name='Newbree' WHERE Name='Bree'");
  Set("player SET Kingdom='Newbree' WHERE Kingdom='Bree'");
  war.Type("y ");
  EXPECT_EQ(0, war.Finish());
  EXPECT_EQ("1000", Player("WaterTower", "eve"));
  EXPECT_EQ(0, Count(db::kUserNews, "UserName='eve' AND Line1 LIKE '%PLUNDERED%'"));
  EXPECT_EQ("1080", Kingdom("Land", "Newbree"));  // the capture before it stands
}

}  // namespace
}  // namespace trv::kingdom
