// The church's, the healer's and the tavern's rules, and their screens
// driven in-process with typed keys.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <functional>
#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/economy.h"
#include "game/economy/town_rules.h"
#include "game/economy/town_units.h"
#include "game/ui/ui.h"
#include "tests/harness/text.h"
#include "tests/support/in_process.h"

namespace trv::economy {
namespace {

using db::Exec;
using db::Query;
using db::TableName;
using Purenum::Integer;

TEST(TownRulesTest, TheHealerTheInnTheOldManAndTheTithesByTheBook) {
  const struct {
    const char* gold;
    long long potions, offered;
  } kPotions[] = {
      {"1001", 250, 50}, {"61", 0, 30}, {"1", 0, 0},   {"600", 300, 0},
      {"600", 340, 0},   {"-50", 0, 0}, {"10", -5, 5}, {"9999999999999999999999", 12, 288},
  };
  for (const auto& c : kPotions)
    EXPECT_EQ(c.offered, PotionsPurchasable(Integer(c.gold), c.potions))
        << c.gold << " " << c.potions;

  const struct {
    char key;
    int count;
    const char* total;
  } kGuards[] = {
      {'1', 1, "500000"},    {'2', 1, "5000000"},    {'3', 1, "80000000"},
      {'4', 1, "300000000"}, {'4', 6, "1800000000"}, {'1', 6, "3000000"},
  };
  for (const auto& c : kGuards) {
    ASSERT_NE(nullptr, GuardByKey(c.key));
    EXPECT_EQ(c.total, GuardsPrice(*GuardByKey(c.key), c.count).str()) << c.key << " x" << c.count;
  }
  EXPECT_EQ(nullptr, GuardByKey('5'));

  // The card named plays no part: only the old man's draw.
  const struct {
    const char* stake;
    int draw;
    const char* change;
  } kWagers[] = {
      {"100", 0, "200"},  {"100", 1, "-100"},
      {"100", 2, "-100"}, {"100", 3, "-100"},
      {"0", 0, "0"},      {"123456789012345678901234567890", 0, "246913578024691357802469135780"},
  };
  for (const auto& c : kWagers)
    EXPECT_EQ(c.change, WagerChange(Integer(c.stake), c.draw).str()) << c.stake << " " << c.draw;

  int stolen = 0;
  for (int draw = 0; draw < 10; ++draw) stolen += TithesStolen(draw);
  EXPECT_EQ(4, stolen);
  EXPECT_TRUE(TithesStolen(0) && TithesStolen(3) && !TithesStolen(4));
}

// A seed whose first rand() % n is `draw`.
unsigned SeedFor(int n, int draw) {
  for (unsigned seed = 1;; ++seed) {
    srand(seed);
    if (rand() % n == draw) return seed;
  }
}

class TownTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    SeedRandomOnce();  // from here on srand() decides the draws of the unseeded screens
    BeCaller("amy");
    test::Character amy("amy", "Amy");
    amy.gender = "Female";
    test::AddCharacter(amy);
    test::AddCharacter(test::Character("ben", "Ben"));
  }
  void TearDown() override {
    unsetenv("TRV_SEED");
    DbTest::TearDown();
  }
  static void Set(const std::string& assignments, const char* user = "amy") {
    Exec(db::kPlayer, "UPDATE %s SET %s WHERE UserName=%Q", TableName(db::kPlayer),
         assignments.c_str(), user);
  }
  static std::string Player(const char* column, const char* user = "amy") {
    return Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", column, TableName(db::kPlayer),
                 user)
        .Text(0, 0);
  }
  static long long Count(int table, const std::string& where) {
    return Query(table, "SELECT COUNT(*) FROM %s WHERE %s", TableName(table), where.c_str())
        .Int(0, 0);
  }
  bool Saw(const std::string& text) { return Screen().find(text) != std::string::npos; }
};

TEST_F(TownTest, AGiftOfOneCoinEarnsWhatAMillionDoesForADeed) {
  const struct {
    char key;  // G the poor family, D the church
    int draw;
    const char* column;
    int gain;
  } kBoons[] = {
      {'G', 0, "Charm", 3},         {'G', 1, "MonsterFights", 2}, {'G', 2, "Agility", 2},
      {'G', 3, "MaxMagicPower", 1}, {'G', 4, "Strength", 3},      {'D', 0, "MaxHP", 3},
      {'D', 1, "MonsterFights", 1}, {'D', 2, "Intellect", 2},     {'D', 3, "MaxMagicPower", 2},
      {'D', 4, "Defense", 3},
  };
  for (const auto& c : kBoons) {
    for (const char* amount : {"1", "1000000"}) {
      SCOPED_TRACE(std::string(1, c.key) + " draw " + std::to_string(c.draw) + " $" + amount);
      Set("Gold='2000000',GoodDeeds=3,Charm=1,MonsterFights=17,Agility=5,MaxMagicPower=5,"
          "Strength=5,MaxHP=29,Intellect=5,Defense=5");
      const long long before = std::stoll(Player(c.column));
      srand(SeedFor(kBoonDraws, c.draw));
      Type(std::string(1, c.key) + amount + "\r ");
      c.key == 'G' ? GiveToThePoor() : DonateToTheChurch();
      EXPECT_EQ(before + c.gain, std::stoll(Player(c.column)));
      EXPECT_EQ((Integer(2000000) - Integer(amount)).str(), Player("Gold"));
      EXPECT_EQ("2", Player("GoodDeeds"));
      Screen();
    }
  }

  // Refusals change nothing: nothing given, more than the purse, no deed.
  Set("Gold='100',GoodDeeds=1,Charm=1");
  Type("g0\r ");
  GiveToThePoor();
  EXPECT_TRUE(Saw("Giving nothing? Thats rude!"));
  Type("d101\r ");
  DonateToTheChurch();
  EXPECT_TRUE(Saw("Sorry, you don't have that much gold on hand.."));
  EXPECT_EQ("100", Player("Gold"));
  EXPECT_EQ("1", Player("GoodDeeds"));
  Set("GoodDeeds=0");
  Type("g ");
  GiveToThePoor();
  EXPECT_TRUE(Saw("You are out of good deeds today.."));
  EXPECT_EQ("100", Player("Gold"));
}

TEST_F(TownTest, EachCandleAndEachPrayerRaisesWhatItNamesForADeed) {
  const struct {
    char key;  // a candle 1 to 4, or W: a prayer drawn `draw`
    int draw;
    const char* column;
    int gain;
  } kBoons[] = {
      {'1', 0, "Divine", 3},        {'2', 0, "PlayerFights", 1},  {'3', 0, "Intellect", 5},
      {'4', 0, "MonsterFights", 2}, {'W', 0, "Charm", 3},         {'W', 1, "MonsterFights", 1},
      {'W', 2, "MaxHP", 2},         {'W', 3, "MaxMagicPower", 2}, {'W', 4, "Defense", 3},
  };
  for (const auto& c : kBoons) {
    SCOPED_TRACE(std::string(1, c.key) + " draw " + std::to_string(c.draw));
    Set("GoodDeeds=1,Divine=30,PlayerFights=3,Intellect=5,MonsterFights=17,Charm=1,MaxHP=29,"
        "MaxMagicPower=5,Defense=5");
    const long long before = std::stoll(Player(c.column));
    if (c.key == 'W') {
      srand(SeedFor(kBoonDraws, c.draw));
      Type("y ");
      Worship();
    } else {
      Type(std::string(1, c.key) + " r");
      BurnCandles();
    }
    EXPECT_EQ(before + c.gain, std::stoll(Player(c.column)));
    EXPECT_EQ("0", Player("GoodDeeds"));
    Screen();
    // Without a deed nothing burns and nobody listens.
    Type(c.key == 'W' ? "y " : std::string(1, c.key) + " r");
    c.key == 'W' ? Worship() : BurnCandles();
    EXPECT_TRUE(Saw("You are out of good deeds today.."));
    EXPECT_EQ(before + c.gain, std::stoll(Player(c.column)));
  }
}

TEST_F(TownTest, AProposalGoesOnlyFromTheUnmarriedToACharacterListed) {
  test::Character cat("cat", "Cat");
  cat.gender = "Female";
  test::AddCharacter(cat);
  const std::string ben =
      Query(db::kPlayer, "SELECT IDNum FROM %s WHERE UserName='ben'", TableName(db::kPlayer))
          .Text(0, 0);
  const std::string own = Player("IDNum");
  const std::string other_woman = Player("IDNum", "cat");
  // Herself, a woman (not listed), an ID nobody has, Enter: nothing sent.
  const struct {
    std::string id;
    const char* told;
  } kRefusals[] = {
      {own, "You cannot propose to yourself!"},
      {other_woman, "Invalid selection!"},
      {"9999", "Invalid selection!"},
      {"", "Enter Player ID#"},
  };
  for (const auto& c : kRefusals) {
    Type(c.id + (c.id.empty() ? "\r" : "\r "));
    Propose();
    EXPECT_TRUE(Saw(c.told)) << c.id;
  }
  EXPECT_EQ(0, Count(db::kUserNews, "1"));

  Type("00" + ben + "\ryy ");  // leading zeros name the same ID
  Propose();
  EXPECT_TRUE(Shown().Contains("Proposal Sent!"));
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='ben' AND TypeOfReq=1 AND SenderUserName='amy' AND "
                     "SenderPlayerName='Amy' AND Line1='I know that I am far from perfect, but my "
                     "love is of' AND Line2='the purest kind. Will you accept this ring my loved "
                     "one?' AND Line3=''"));
  // Her own words; a backquote would be colour markup and is not kept.
  Type(ben + "\ryn`Marry me\rplease\r\r ");
  Propose();
  EXPECT_EQ(1, Count(db::kUserNews,
                     "UserName='ben' AND TypeOfReq=1 AND Line1='Marry me' AND Line2='please' "
                     "AND Line3=''"));

  Exec(db::kMarriage,
       "INSERT INTO %s (Partner1,Partner1UserName,Partner2,Partner2UserName,Kids,DateMarried) "
       "VALUES ('Dan','dan','Amy','amy',0,'')",
       TableName(db::kMarriage));
  Type(" ");
  Propose();
  EXPECT_TRUE(Saw("Your already married! Shame on you!"));
  EXPECT_EQ(2, Count(db::kUserNews, "1"));
}

TEST_F(TownTest, ADivorceByEitherPartnerEndsThatMarriageAndTellsBoth) {
  for (bool amy_first : {true, false}) {
    SCOPED_TRACE(amy_first ? "Amy is Partner1" : "Amy is Partner2");
    Exec(db::kMarriage, "DELETE FROM %s", TableName(db::kMarriage));
    Exec(db::kUserNews, "DELETE FROM %s", TableName(db::kUserNews));
    Exec(db::kNews, "DELETE FROM %s", TableName(db::kNews));
    const char* first = amy_first ? "Amy" : "Ben";
    const char* second = amy_first ? "Ben" : "Amy";
    Exec(db::kMarriage,
         "INSERT INTO %s (Partner1,Partner1UserName,Partner2,Partner2UserName,Kids,DateMarried) "
         "VALUES (%Q,%Q,%Q,%Q,2,'May       01, 2025'),('Cid','cid','Dee','dee',0,'')",
         TableName(db::kMarriage), first, amy_first ? "amy" : "ben", second,
         amy_first ? "ben" : "amy");
    Type("dy r");
    Marriage();
    const std::string seen = harness::StripAnsi(Screen());
    EXPECT_NE(std::string::npos, seen.find("Partner: Ben since May       01, 2025")) << seen;
    EXPECT_NE(std::string::npos, seen.find("{Your Single!}"));
    EXPECT_EQ(0, Count(db::kMarriage, "Partner1='Amy' OR Partner2='Amy'"));
    EXPECT_EQ(1, Count(db::kMarriage, "Partner1='Cid' AND Partner2='Dee'"));
    EXPECT_EQ(1, Count(db::kUserNews,
                       "UserName='ben' AND Line1='DIVORCED' AND Line2='Amy divorced you! Cheer "
                       "up, there are more fish in the sea..'"));
    EXPECT_EQ(1, Count(db::kUserNews, "UserName='amy' AND Line1='DIVORCED'"));
    EXPECT_EQ(1, Count(db::kNews, "Line1='Amy decided to leave Ben..Booo-hooooo..'"));

    // Divorced already (here or on another node): nothing more is told.
    Type("d r");
    Marriage();
    EXPECT_TRUE(Saw("Your not currently married!"));
    EXPECT_EQ(1, Count(db::kNews, "1"));
    EXPECT_EQ(2, Count(db::kUserNews, "1"));
  }
}

TEST_F(TownTest, OnlyAListedHolyItemIsSoldAndItsPriceTakenOnce) {
  FILE* items = fopen("Data/item.dat", "w");
  ASSERT_NE(nullptr, items);
  fputs(
      "Rusty Dagger,150,4,0,0,0,0,0,0,0\n"
      "Copper Amulet,590,9,6,0,3,0,0,0,0\n"
      "Copper Ring,1100,11,10,2,0,0,0,0,0\n"
      "Silver Band,12000,28,10,0,3,0,0,3,0\n",
      items);
  fclose(items);
  Set("Gold='5000',Agility=10");
  // A necklace and a weapon at the rings' counter, a ring too dear, one
  // declined: nothing sold.
  Type("l1\r l0\r l3\ry l2\rn r");
  HolyItems();
  const std::string refusals = Screen();
  EXPECT_NE(std::string::npos, refusals.find("Sorry, that item is not in the list..."));
  EXPECT_NE(std::string::npos, refusals.find("Sorry, you can't afford this item..."));
  EXPECT_EQ("5000", Player("Gold"));
  EXPECT_EQ("", Player("Equip11"));

  Type("l2\ryy h1\ryy r");
  HolyItems();
  EXPECT_EQ("Copper Ring", Player("Equip11"));
  EXPECT_EQ("Copper Amulet", Player("Equip7"));
  EXPECT_EQ("3310", Player("Gold"));
  EXPECT_EQ("12", Player("Agility"));
  Screen();
  Type("l\r r");  // the ring is on the right hand, slot 11
  HolyItems();
  EXPECT_TRUE(harness::StripAnsi(Screen()).find("Left Finger:  Right Finger: Copper Ring") !=
              std::string::npos);
}

TEST_F(TownTest, MurderAndTheTithesSpendTheirDeedsForTheirLoot) {
  const struct {
    bool tithes;
    int draw;  // the scene, or the robbery's draw of ten
    int deeds;
    const char* keys;  // y, every pause of the story, the last key
    const char* gold;
    int divine;
    int deeds_after;
    int news;
  } kSins[] = {
      {false, 0, 1, "y ", "50100", 27, 0, 0},     {false, 1, 3, "y ", "25100", 27, 2, 0},
      {false, 2, 1, "y ", "75100", 27, 0, 0},     {false, 0, 0, "y ", "100", 30, 0, 0},
      {true, 3, 3, "y    ", "3000100", 24, 0, 1}, {true, 4, 5, "y    ", "100", 30, 2, 0},
      {true, 0, 2, "y ", "100", 30, 2, 0},
  };
  for (const auto& c : kSins) {
    SCOPED_TRACE(std::string(c.tithes ? "tithes" : "murder") + " draw " + std::to_string(c.draw) +
                 " deeds " + std::to_string(c.deeds));
    Set("Gold='100',Divine=30,EvilDeeds=" + std::to_string(c.deeds));
    Exec(db::kNews, "DELETE FROM %s", TableName(db::kNews));
    setenv("TRV_SEED", std::to_string(SeedFor(c.tithes ? 10 : kMurderScenes, c.draw)).c_str(), 1);
    Type(c.keys);
    c.tithes ? StealTheTithes() : Murder();
    EXPECT_EQ(c.gold, Player("Gold"));
    EXPECT_EQ(std::to_string(c.divine), Player("Divine"));
    EXPECT_EQ(std::to_string(c.deeds_after), Player("EvilDeeds"));
    EXPECT_EQ(c.news, Count(db::kNews, "Line1='Amy decided to steal the tides from the church..'"));
    Screen();
  }
}

TEST_F(TownTest, TheOldMansGameTakesItsDeedFirstAndPaysOnlyTheFirstCard) {
  const struct {
    const char* keys;  // after the game's key: the stake, the card, the end
    int draw;
    int deeds;
    const char* gold_after;
    int deeds_after;
  } kGames[] = {
      {"100\r3 ", 0, 2, "1200", 1},  // named 3, the old man drew 0: won
      {"100\r0 ", 1, 2, "900", 1},   // named 0, drew 1: lost
      {"1000\r1 ", 2, 1, "0", 0},    // everything lost
      {"\r", 0, 1, "1000", 0},       // no stake: the deed is gone all the same
      {"1001\r ", 0, 1, "1000", 0},  // more than on hand
      {" ", 0, 0, "1000", 0},        // no deed: no game
  };
  for (const auto& c : kGames) {
    SCOPED_TRACE(c.keys);
    Set("Gold='1000',GoodDeeds=" + std::to_string(c.deeds));
    setenv("TRV_SEED", std::to_string(SeedFor(kCards, c.draw)).c_str(), 1);
    Type(std::string("1") + c.keys + "r");
    OldMansGame();
    EXPECT_EQ(c.gold_after, Player("Gold"));
    EXPECT_EQ(std::to_string(c.deeds_after), Player("GoodDeeds"));
  }
}

TEST_F(TownTest, TheHealerSellsWhatPurseAndSackAllowAndACureAtNothingStillCures) {
  Set("Gold='1001',Potions=250");
  Type("51\r 50\r 1\r ");
  BuyHealingPotions();
  EXPECT_TRUE(Shown().Contains("You can purchase 50 potions"));
  EXPECT_TRUE(Saw("You cannot purchase that many potions!"));
  BuyHealingPotions();
  EXPECT_TRUE(Saw("Purchased 50 potions!"));
  EXPECT_EQ("901", Player("Gold"));
  EXPECT_EQ("300", Player("Potions"));
  BuyHealingPotions();
  EXPECT_TRUE(Saw("You cannot carry more then 300 potions!"));
  EXPECT_EQ("901", Player("Gold"));

  Set("Gold='0',Disease='Red Plague'");
  srand(SeedFor(kCureDraws, 0));
  Type("y ");
  CureDisease();
  EXPECT_TRUE(Shown().Contains("To cure this disease it will cost: $0"));
  EXPECT_EQ("Your healthy!", Player("Disease"));
  EXPECT_EQ("0", Player("Gold"));
  // Dearer than the purse: refused, still ill.
  Set("Disease='Red Plague'");
  EXPECT_EQ(Outcome::kRefused, PayForCure("amy", 1));
  EXPECT_EQ("Red Plague", Player("Disease"));
}

// What a screen showed may have changed on another node before its unit
// runs: each unit re-reads and refuses without writing, and a character
// deleted meanwhile changes nothing anywhere.
TEST_F(TownTest, EveryUnitRechecksWhatChangedSinceTheScreen) {
  const InnGuard& humans = *GuardByKey('1');
  const struct {
    const char* name;
    const char* row;  // the character's state when the unit runs
    std::function<Outcome()> unit;
    Outcome outcome;
    const char* after;  // Gold,GoodDeeds,EvilDeeds,Potions,Inn,Disease,Charm
  } kUnits[] = {
      {"candle, deed spent", "GoodDeeds=0", [] { return SpendGoodDeed("amy", "Charm=Charm+3"); },
       Outcome::kNoDeeds, "500|0|3|10||Pox|1"},
      {"gift, gold spent", "Gold='40'", [] { return GiveGold("amy", 41, "Charm=Charm+3"); },
       Outcome::kRefused, "40|2|3|10||Pox|1"},
      {"gift, a debt", "Gold='-5'", [] { return GiveGold("amy", 1, "Charm=Charm+3"); },
       Outcome::kRefused, "-5|2|3|10||Pox|1"},
      {"gift", "", [] { return GiveGold("amy", 1, "Charm=Charm+3"); }, Outcome::kDone,
       "499|1|3|10||Pox|4"},
      {"tithes, deeds spent", "EvilDeeds=2", [] { return Sin("amy", 3, 6, 3000000); },
       Outcome::kNoDeeds, "500|2|2|10||Pox|1"},
      {"murder on a debt", "Gold='-100'", [] { return Sin("amy", 1, 3, 25000); }, Outcome::kDone,
       "24900|2|2|10||Pox|1"},
      {"potions, sack filled", "Potions=295", [] { return BuyPotions("amy", 6); },
       Outcome::kRefused, "500|2|3|295||Pox|1"},
      {"potions, gold spent", "Gold='11'", [] { return BuyPotions("amy", 6); }, Outcome::kRefused,
       "11|2|3|10||Pox|1"},
      {"potions", "Gold='12'", [] { return BuyPotions("amy", 6); }, Outcome::kDone,
       "0|2|3|16||Pox|1"},
      {"cure, cured meanwhile", "Disease='Your healthy!'", [] { return PayForCure("amy", 300); },
       Outcome::kDone, "500|2|3|10||Your healthy!|1"},
      {"cure, gold spent", "Gold='299'", [] { return PayForCure("amy", 300); }, Outcome::kRefused,
       "299|2|3|10||Pox|1"},
      {"inn, a room taken meanwhile", "Inn='2'", [&] { return TakeInnRoom("amy", humans, 2); },
       Outcome::kAlready, "500|2|3|10|2|Pox|1"},
      {"inn, gold spent", "Gold='999999'", [&] { return TakeInnRoom("amy", humans, 2); },
       Outcome::kRefused, "999999|2|3|10||Pox|1"},
      {"wager, gold spent", "Gold='99'", [] { return SettleWager("amy", 100, 0); },
       Outcome::kRefused, "99|2|3|10||Pox|1"},
      {"wager lost", "", [] { return SettleWager("amy", 500, 3); }, Outcome::kDone,
       "0|2|3|10||Pox|1"},
  };
  for (const auto& c : kUnits) {
    SCOPED_TRACE(c.name);
    Set("Gold='500',GoodDeeds=2,EvilDeeds=3,Potions=10,Inn='',BodyGuards=0,Disease='Pox',Charm=1");
    if (*c.row) Set(c.row);
    EXPECT_EQ(c.outcome, c.unit());
    EXPECT_EQ(c.after, Player("Gold||'|'||GoodDeeds||'|'||EvilDeeds||'|'||Potions||'|'||Inn||'|'||"
                              "Disease||'|'||Charm"));
  }

  Exec(db::kPlayer, "DELETE FROM %s WHERE UserName='amy'", TableName(db::kPlayer));
  const std::string world = Query(db::kPlayer,
                                  "SELECT group_concat(Gold||GoodDeeds||EvilDeeds) "
                                  "FROM %s",
                                  TableName(db::kPlayer))
                                .Text(0, 0);
  for (const auto& c : kUnits) EXPECT_EQ(Outcome::kNoCharacter, c.unit()) << c.name;
  EXPECT_EQ(world, Query(db::kPlayer, "SELECT group_concat(Gold||GoodDeeds||EvilDeeds) FROM %s",
                         TableName(db::kPlayer))
                       .Text(0, 0));
}

}  // namespace
}  // namespace trv::economy
