// The alley's rules, its crimes and vices on the caller's screen, and two
// nodes reaching for the same gold or the same victim at once.
#include "game/alley/alley.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <string>

#include "doorkit/doorkit.h"
#include "game/alley/rules.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/economy.h"
#include "game/money/money.h"
#include "game/player/bounties.h"
#include "game/ui/ui.h"
#include "tests/harness/text.h"
#include "tests/support/in_process.h"
#include "tests/support/test_node.h"

namespace trv::alley {
namespace {

using Purenum::Integer;

// ---- Rules ----

TEST(AlleyRules, GuardsAndRolls) {
  for (int roll = 0; roll < 200; ++roll) {
    EXPECT_FALSE(GuardsStop(roll, 0)) << roll;
    EXPECT_TRUE(GuardsStop(roll, 100)) << roll;
  }
  EXPECT_TRUE(GuardsStop(129, 30));  // 29 < 30
  EXPECT_FALSE(GuardsStop(130, 30));
  EXPECT_TRUE(PickpocketCaught(44));
  EXPECT_FALSE(PickpocketCaught(145));
  EXPECT_FALSE(BorderCaught(7, 7));
  EXPECT_TRUE(BorderCaught(6, 7));
  int sick = 0;
  for (int roll = 0; roll < 10; ++roll) sick += CaughtDisease(roll);
  EXPECT_EQ(4, sick);
  EXPECT_FALSE(CrimeOf(0));
  EXPECT_FALSE(CrimeOf(9));
  EXPECT_EQ(Guards::kCallers, CrimeOf(kBurnBankAccount)->guards);
  EXPECT_FALSE(CrimeOf(kPostBounty)->frame_spends_deed);
  EXPECT_FALSE(CrimeOf(kConjureDemon)->frame_spends_deed);
}

TEST(AlleyRules, LossesOfAssassinationsBlastsAndSpeeches) {
  const struct {
    long long value;
    bool max_hp;
    long long loss;
  } kWounds[] = {{49, false, 0},  {50, false, 1}, {150, false, 3}, {49, true, 0},
                 {-10, false, 0}, {-1, true, 0},  {-50, true, 1},  {-50, false, 0}};
  for (const auto& w : kWounds)
    EXPECT_EQ(w.loss, AssassinationLoss(w.value, w.max_hp)) << w.value << " " << w.max_hp;

  const struct {
    const char* holding;
    int percent;
    const char* loss;
  } kBlastCases[] = {
      {"9", 10, "0"},   {"10", 10, "1"},
      {"19", 5, "0"},   {"20", 5, "1"},
      {"5", 20, "1"},   {"0", 20, "0"},
      {"-40", 10, "0"}, {"123456789012345678901234567890", 20, "24691357802469135780246913578"}};
  for (const auto& b : kBlastCases)
    EXPECT_EQ(b.loss, PercentOfHolding(Integer(b.holding), b.percent).str()) << b.holding;
  const int kPercents[] = {5, 5, 10, 10, 5, 20, 20};
  for (size_t i = 0; i < kBlastKinds; ++i) EXPECT_EQ(kPercents[i], kBlasts[i].percent);

  EXPECT_EQ(0, MilitiaRecruits(12345, 0));
  EXPECT_EQ(0, MilitiaRecruits(12345, -3));
  EXPECT_EQ(3, MilitiaRecruits(23, 10));
  EXPECT_TRUE(Overdosed(0));
  EXPECT_FALSE(Overdosed(1));
}

// ---- Screens ----

unsigned SeedWhere(const std::function<bool(int)>& first_draw) {
  for (unsigned seed = 1;; ++seed) {
    srand(seed);
    if (first_draw(rand())) return seed;
  }
}

class AlleyTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    SeedRandomOnce();  // so a test's srand holds for the draws after it
    BeCaller("amy");
    test::AddKingdom(test::Kingdom(1, "Avalon", "Rex", "rex"));
    test::AddKingdom(test::Kingdom(2, "Bree", "Sam", "sam"));
    Sql("UPDATE kingdom SET CrimePrevention=0");
    test::Character amy("amy", "Amy");
    amy.id = 1;
    amy.level = 30;
    amy.more = "Divine=0";
    test::AddCharacter(amy);
    test::Character ben("ben", "Ben");
    ben.id = 2;
    ben.kingdom = "Bree";
    test::AddCharacter(ben);
  }
  void TearDown() override {
    unsetenv("TRV_SEED");
    DbTest::TearDown();
  }
  static void Sql(const std::string& statement) { db::Exec(db::kPlayer, "%s", statement.c_str()); }
  static void Set(const std::string& assignments, const char* user = "amy") {
    Sql("UPDATE player SET " + assignments + " WHERE UserName='" + user + "'");
  }
  static std::string Get(const std::string& query) {
    return db::Query(db::kPlayer, "%s", query.c_str()).Text(0, 0);
  }
  static std::string Player(const char* column, const char* user = "amy") {
    return Get(std::string("SELECT ") + column + " FROM player WHERE UserName='" + user + "'");
  }
  // What the caller was shown since the last look, colours removed.
  std::string Seen() { return harness::StripAnsi(Screen()); }
  // Types `keys` and commits the crime.
  std::string Crime(int kind, const std::string& keys) {
    Type(keys);
    CommitCrime(kind);
    return Seen();
  }
};

TEST_F(AlleyTest, TheFrameRefusesBeforeSpendingAnything) {
  const struct {
    int kind;
    int deeds;
    const char* assignments;
    const char* keys;
    const char* said;  // nullptr: nothing but the list
    bool listed;
  } kCases[] = {
      {kAssassination, 0, "", " ", "You are out of evil deeds for today!", false},
      {kAssassination, 1, "", "n", nullptr, false},
      {kAssassination, 1, "", "y\r", nullptr, true},
      {kAssassination, 1, "Level=29", "y2\r ", "Your way to low of a level to attempt this..",
       true},
      {kRogueAssassination, 1, "", "y1\r ", "You cannot victimize yourself!", true},
      {kInfection, 1, "", "y9\r ", "That player was not found!", true},
      {kConjureDemon, 1, "Gold='99000000'", "y2\r ",
       "This person already has a demon summoned against them..", true},
  };
  db::Exec(db::kDemon, "INSERT INTO %s (UserName,SentByUserName) VALUES ('ben','cid')",
           db::TableName(db::kDemon));
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.keys);
    Set(std::string("Level=30,EvilDeeds=") + std::to_string(c.deeds) +
        (*c.assignments ? std::string(",") + c.assignments : ""));
    const std::string seen = Crime(c.kind, c.keys);
    if (c.said) {
      EXPECT_NE(std::string::npos, seen.find(c.said)) << seen;
    }
    EXPECT_EQ(c.listed, seen.find("Victim Selection") != std::string::npos);
    EXPECT_EQ(std::string::npos, seen.find("Conjure a demon: $"));  // no price asked
    EXPECT_EQ(std::to_string(c.deeds), Player("EvilDeeds"));
  }
  db::Exec(db::kConfig, "INSERT INTO %s (Assassinations) VALUES ('0')", db::TableName(db::kConfig));
  EXPECT_NE(std::string::npos,
            Crime(kAssassination, "y2\r ").find("Assassinations have been disabled.."));
  EXPECT_EQ("1", Player("EvilDeeds"));
  EXPECT_EQ("1", Get("SELECT COUNT(*) FROM demon"));
}

TEST_F(AlleyTest, TheGuardsOfTheVictimsKingdomOrForTheBankTheCallersStopCrimes) {
  const struct {
    int kind;
    int avalon;  // Amy's kingdom's crime prevention
    int bree;    // Ben's
    bool stopped;
  } kCases[] = {
      {kAssassination, 100, 0, false},        {kAssassination, 0, 100, true},
      {kRogueAssassination, 100, 100, false}, {kInfection, 0, 100, true},
      {kBlowUpInvestments, 0, 100, true},     {kBurnBankAccount, 0, 100, false},
      {kBurnBankAccount, 100, 0, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.avalon) + " " +
                 std::to_string(c.bree));
    Sql("UPDATE kingdom SET CrimePrevention=" + std::to_string(c.avalon) + " WHERE Name='Avalon'");
    Sql("UPDATE kingdom SET CrimePrevention=" + std::to_string(c.bree) + " WHERE Name='Bree'");
    db::Exec(db::kNews, "DELETE FROM %s", db::TableName(db::kNews));
    Set("EvilDeeds=3");
    const std::string seen = Crime(c.kind, c.stopped ? "y2\r   " : "y2\r ");
    EXPECT_EQ(c.stopped, seen.find("You Failed!") != std::string::npos) << seen;
    EXPECT_EQ(c.stopped ? "0" : "1", Get("SELECT COUNT(*) FROM news"));
    EXPECT_EQ("2", Player("EvilDeeds"));  // spent either way
  }
}

TEST_F(AlleyTest, AnAssassinationTakesTwoPercentButMailsTheGuildsFigures) {
  const struct {
    int kind;
    const char* news_line2;
    const char* mail_line3;
  } kCases[] = {
      {kAssassination, "Citizens blame a low kingdom crime rate!",
       "5 leadership, 5 strength, 3 defense, 10 mental, 4 hps, and 4 magic pts.."},
      {kRogueAssassination, "",
       "5 leadership, 5 strength, 3 defense, 10 mental, 4 hps, and 3 magic pts.."},
  };
  for (const auto& c : kCases) {
    Set("MaxHP=-50,Strength=49,Defense=100,Mental=150,MaxMagicPower=50,Leadership=-7", "ben");
    const std::string seen = Crime(c.kind, "y2\r ");
    EXPECT_NE(std::string::npos, seen.find("0 leadership pts\n\r   0 strength pts\n\r   2 defense "
                                           "pts\n\r   3 mental pts\n\r   1 max hitpoints\n\r   "
                                           "1 magic points"))
        << seen;
    EXPECT_EQ("-51|49|98|147|49|-7",
              Get("SELECT MaxHP||'|'||Strength||'|'||Defense||'|'||Mental||'|'||MaxMagicPower||'|'"
                  "||Leadership FROM player WHERE UserName='ben'"));
    EXPECT_EQ(c.news_line2, Get("SELECT Line2 FROM news WHERE Line1='Amy assassinated Ben using "
                                "piano wire..' ORDER BY rowid DESC"));
    EXPECT_EQ(c.mail_line3, Get("SELECT Line3 FROM usernews WHERE UserName='ben' AND "
                                "Line2='Amy assassinated you using piano wire! You lost:' "
                                "ORDER BY IDNum DESC"));
  }
  EXPECT_EQ("-30", Player("Divine"));
}

TEST_F(AlleyTest, BlastsAndFiresDestroyWhatIsThereAndSayHowMuch) {
  Set("FleshTrade='',Granary='100',HouseTrade='9',OreMine='10',Smuggling=NULL,WaterTower='5',"
      "DrugTrade='x'",
      "ben");
  const std::string blast = Crime(kBlowUpInvestments, "y2\r ");
  EXPECT_NE(std::string::npos, blast.find("You destroyed 5 Granary Silos")) << blast;
  EXPECT_EQ("|95|9|9||4|x",
            Get("SELECT FleshTrade||'|'||Granary||'|'||HouseTrade||'|'||OreMine||'|'||"
                "COALESCE(Smuggling,'')||'|'||WaterTower||'|'||DrugTrade FROM player WHERE "
                "UserName='ben'"));
  EXPECT_EQ(
      "You lost: 0 whore houses, 5 granary silos, 0 housing|1 ore mines, 0 smuggling "
      "warehouses, 1 watertowers, 0 drug houses",
      Get("SELECT Line2||'|'||Line3 FROM usernews WHERE Line1='`bright cyan`INVESTMENTS "
          "BLOW UP!'"));

  const struct {
    const char* bank;
    const char* lost;
    const char* bank_after;
  } kFires[] = {{"1234567", "1,234,567", "0"}, {"", "0", ""}, {"-5", "0", "-5"}};
  for (const auto& f : kFires) {
    Set("EvilDeeds=3");
    Set(std::string("BankGold='") + f.bank + "',Depository='50'", "ben");
    const std::string seen = Crime(kBurnBankAccount, "y2\r ");
    EXPECT_NE(std::string::npos, seen.find(std::string("Bank gold lost: $") + f.lost)) << seen;
    EXPECT_EQ(f.bank_after, Player("BankGold", "ben"));
    EXPECT_EQ("50", Player("Depository", "ben"));
    EXPECT_EQ(std::string("You lost: $") + f.lost,
              Get("SELECT Line3 FROM usernews WHERE Line2='Amy destroyed your bank account!' "
                  "ORDER BY IDNum DESC"));
  }
}

TEST_F(AlleyTest, ABountyIsPaidBeforeItIsPostedAndStoredAsANumber) {
  const struct {
    const char* typed;
    const char* keys_after;
    const char* said;
    const char* gold_after;
  } kCases[] = {
      {"000100", "y ", "Bounty Posted!", "400"},
      {"0", " ", "Aborted!", "400"},
      {"", " ", "Aborted!", "400"},
      {"401", " ", "You don't have that much gold to put up!", "400"},
      {"400", "n", nullptr, "400"},
      {"400", "y ", "Bounty Posted!", "0"},
  };
  Set("Gold='500'");
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.typed);
    const std::string seen = Crime(kPostBounty, std::string("2\r") + c.typed + "\r" + c.keys_after);
    if (c.said) {
      EXPECT_NE(std::string::npos, seen.find(c.said)) << seen;
    }
    EXPECT_EQ(c.gold_after, Player("Gold"));
  }
  EXPECT_EQ("3", Player("EvilDeeds"));  // a bounty costs no deed
  EXPECT_EQ("Ben|100|Amy;Ben|400|Amy",
            Get("SELECT group_concat(Wanted||'|'||Bounty||'|'||SetByUsername, ';') FROM "
                "(SELECT * FROM poster ORDER BY rowid)"));
  EXPECT_EQ("2", Get("SELECT COUNT(*) FROM news WHERE Line1='Ben had a bounty placed on their "
                     "head today..'"));
  Type("V R");
  BountyBoard();
  const std::string board = Seen();
  const std::string gap(20, ' ');  // the name in 21 columns, then two blanks
  EXPECT_NE(std::string::npos, board.find("[1] Ben" + gap + "$100")) << board;
  EXPECT_NE(std::string::npos, board.find("[2] Ben" + gap + "$400")) << board;
}

TEST_F(AlleyTest, VicesPayTheirPriceAndChangeTheBuyer) {
  const struct {
    const ViceShop* shop;
    int n;
    const char* gender;
    const char* before;  // Gold, Mental and the shop's attribute
    const char* said;
    const char* after;
    int deeds_after;
  } kCases[] = {
      {&kDrugPalace, 8, "Male", "300000000|150|0", "You gain 40 HIGH EXPERIENCE pts!", "0|50|40",
       2},
      {&kTemptationWorld, 4, "Male", "5000|0|0", "Mental state increases by 25 pts..", "0|25|25",
       2},
      {&kTemptationWorld, 4, "Female", "5000|0|0", "[4] Bli Bli", "0|25|25", 2},
      {&kSteroidShop, 1, "Male", "4999|10|7", "You don't have enough gold!", "4999|10|7", 3},
      {&kTemptationWorld, 1, "Male", "99|10|7", "You don't have enough gold you lousy bum!!!",
       "99|10|7", 3},
      {&kSteroidShop, 8, "Male", "2000000|300|7", "Mental state decreases by 200 pts..", "0|100|62",
       2},
  };
  // No disease this time.
  setenv("TRV_SEED", std::to_string(SeedWhere([](int r) { return r % 10 >= 4; })).c_str(), 1);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.said);
    const char* column = c.shop->gain_column;
    const std::string before = c.before;
    const size_t bar1 = before.find('|'), bar2 = before.rfind('|');
    Set(std::string("EvilDeeds=3,Gender='") + c.gender + "',Gold='" + before.substr(0, bar1) +
        "',Mental=" + before.substr(bar1 + 1, bar2 - bar1 - 1) + "," + column + "=" +
        before.substr(bar2 + 1));
    const bool bought = c.deeds_after == 2;
    Type(std::to_string(c.n) + (bought ? "yy   \r" : "yy \r"));
    c.shop->kind == ViceShopKind::kBordello ? TemptationWorld()
    : c.shop == &kDrugPalace                ? DrugPalace()
                                            : SteroidShop();
    const std::string seen = Seen();
    EXPECT_NE(std::string::npos, seen.find(c.said)) << seen;
    EXPECT_EQ(c.after, Get(std::string("SELECT Gold||'|'||Mental||'|'||") + column +
                           " FROM player WHERE UserName='amy'"));
    EXPECT_EQ(std::to_string(c.deeds_after), Player("EvilDeeds"));
  }
}

TEST_F(AlleyTest, TheBordellosDiseaseReplacesAnyAndAnOverdoseEndsTheGame) {
  Set("Gold='100',Disease='Plague'");
  setenv("TRV_SEED", std::to_string(SeedWhere([](int r) { return r % 10 < 4; })).c_str(), 1);
  Type("yy    ");
  BuyVice(kTemptationWorld, 1);
  EXPECT_NE(std::string::npos, Seen().find("YOU FEEL SICK"));
  EXPECT_EQ("Genital Crabs", Player("Disease"));

  Set("Gold='3000',Mental=2,HP=20");
  Type("yy    ");
  EXPECT_THROW(BuyVice(kDrugPalace, 1), test::Exited);
  EXPECT_NE(std::string::npos, Seen().find("YOU OVERDOSED!!"));
  EXPECT_EQ("0|1|0", Get("SELECT HP||'|'||Mental||'|'||Gold FROM player WHERE UserName='amy'"));
  EXPECT_EQ("Amy died due to a overusage of drugs today!",
            Get("SELECT Line1 FROM news WHERE Title='`bright cyan`DRUG OVERDOSE'"));
}

TEST_F(AlleyTest, TheMilitiaSpeechRecruitsByLeadershipAndNobodyWithoutIt) {
  const unsigned seed = SeedWhere([](int r) { return r % 10 != 0; });
  srand(seed);
  const std::string recruits = std::to_string(rand() % 10);
  setenv("TRV_SEED", std::to_string(seed).c_str(), 1);
  const struct {
    int leadership;
    const char* soldiers;
  } kCases[] = {{0, "5"}, {-4, "5"}, {10, nullptr}};
  for (const auto& c : kCases) {
    Set("EvilDeeds=1,Soldiers=5,Leadership=" + std::to_string(c.leadership));
    Type("y ");
    MilitiaSpeech();
    const std::string soldiers = c.soldiers ? c.soldiers : std::to_string(5 + std::stoi(recruits));
    EXPECT_NE(std::string::npos, Seen().find(std::to_string(std::stoll(soldiers) - 5) +
                                             " civilians decide to join up!"));
    EXPECT_EQ(soldiers, Player("Soldiers")) << c.leadership;
    EXPECT_EQ("0", Player("EvilDeeds"));
  }
  Type(" ");
  MilitiaSpeech();
  EXPECT_NE(std::string::npos, Seen().find("You don't have enough evil deeds left today!"));
}

TEST_F(AlleyTest, ABorderEscapeSpendsTheDeedAndAnEscapeeLeavesHisPosts) {
  Sql("UPDATE kingdom SET Prince='Amy',PrinceUserName='amy' WHERE Name='Bree'");
  Sql("UPDATE kingdom SET BorderGuardRating=100 WHERE Name='Avalon'");
  Set("EvilDeeds=2");
  Type("  ");
  EXPECT_FALSE(BorderEscape("Avalon", "Bree"));
  EXPECT_NE(std::string::npos, Seen().find("YOU WERE CAUGHT!"));
  EXPECT_EQ("amy", Get("SELECT PrinceUserName FROM kingdom WHERE Name='Bree'"));
  Sql("UPDATE kingdom SET BorderGuardRating=0 WHERE Name='Avalon'");
  Type("  ");
  EXPECT_TRUE(BorderEscape("Avalon", "Bree"));
  EXPECT_EQ("", Get("SELECT PrinceUserName FROM kingdom WHERE Name='Bree'"));
  EXPECT_EQ("0", Player("EvilDeeds"));
  Type(" ");
  EXPECT_FALSE(BorderEscape("Avalon", "Bree"));
  EXPECT_NE(std::string::npos, Seen().find("You don't have enough evil deeds left today!"));
}

TEST_F(AlleyTest, APickpocketRefusesOffLineVictimsAndHimselfBeforeSpendingAnything) {
  test::Character cid("cid", "Cid");
  cid.id = 3;
  test::AddCharacter(cid);  // off-line
  Set("Status=1,WhereInGame='Dark Alley'");
  Set("Status=1,WhereInGame='At the Bank',Gold='700'", "ben");
  const struct {
    int deeds;
    const char* keys;
    const char* said;  // nullptr: nothing but the list and questions
    bool listed;
  } kCases[] = {
      {0, " ", "You are out of evil deeds for today!", false},
      {1, "3\r ", "That player is currently not online!", true},
      {1, "1\r ", "You cannot choose yourself!", true},
      {1, "\r", nullptr, true},
      {1, "2\rn", nullptr, true},
      {1, "2\ryn", nullptr, true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.keys);
    Set("EvilDeeds=" + std::to_string(c.deeds));
    Type(c.keys);
    Pickpocket();
    const std::string seen = Seen();
    if (c.said) {
      EXPECT_NE(std::string::npos, seen.find(c.said)) << seen;
    }
    EXPECT_EQ(c.listed, seen.find("Tarvessia: Unsuspecting Victims") != std::string::npos);
    if (c.listed) {
      EXPECT_NE(std::string::npos, seen.find("Ben")) << seen;
      EXPECT_EQ(std::string::npos, seen.find("Cid")) << seen;
    }
    EXPECT_EQ(std::to_string(c.deeds), Player("EvilDeeds"));
    EXPECT_EQ("700", Player("Gold", "ben"));
  }
}

// ---- Two nodes ----

TEST_F(AlleyTest, GoldThatArrivesWhileAViceTakesEffectIsKept) {
  Set("Gold='3000',Mental=50");
  test::TestNode amy("amy", [] { BuyVice(kDrugPalace, 1); });
  amy.Type("yy");
  ASSERT_TRUE(amy.WaitFor("start puffing.."));
  Set("Gold=CAST(Gold AS INTEGER)+500");  // an arena win on another node
  amy.Type("   ");
  EXPECT_EQ(0, amy.Finish());
  EXPECT_EQ("500|48", Get("SELECT Gold||'|'||Mental FROM player WHERE UserName='amy'"));
}

constexpr char kWorldGold[] =
    "SELECT SUM(CAST(Gold AS INTEGER)+CAST(BankGold AS INTEGER)) FROM player";

TEST_F(AlleyTest, APickpocketWhileTheVictimDepositsMovesEachCoinOnce) {
  Set("Gold='100'");
  Set("Gold='5000',BankGold='0',Status=1,WhereInGame='At the Bank'", "ben");
  const std::string before = Get(kWorldGold);
  const unsigned seed = SeedWhere([](int r) { return !PickpocketCaught(r); });
  test::TestNode ben("ben", [] { economy::BankDeposit(); });
  ASSERT_TRUE(ben.WaitFor("How much?: "));
  test::TestNode amy("amy", [seed] {
    srand(seed);
    Pickpocket();
  });
  amy.Type("2\ry");
  ASSERT_TRUE(amy.WaitFor("Use 1 evil deed"));
  amy.Type("y ");
  ben.Type("1\r");
  ASSERT_TRUE(amy.WaitFor("You pickpocked: $"));
  EXPECT_EQ(0, amy.Finish());
  EXPECT_EQ(0, ben.Finish());
  // Whichever came first, Ben's pouch is empty, nothing was made or lost,
  // and Amy got what the screen says.
  EXPECT_EQ("0", Player("Gold", "ben"));
  EXPECT_EQ(before, Get(kWorldGold));
  const std::string text = amy.Text();
  const std::string took = text.substr(text.find("You pickpocked: $") + 17, 5);
  EXPECT_TRUE(took.rfind("5,000", 0) == 0 || took.rfind("0", 0) == 0) << took;
  EXPECT_EQ(took.rfind("5,000", 0) == 0 ? "5100" : "100", Player("Gold"));
  EXPECT_EQ("2", Player("EvilDeeds"));
}

TEST_F(AlleyTest, AFireWhileTheVictimDepositsBurnsWhatTheBoxHeldAndSaysSo) {
  Set("BankGold='1000',Gold='5000',Status=1,WhereInGame='At the Bank'", "ben");
  const std::string before = Get(kWorldGold);
  test::TestNode ben("ben", [] { economy::BankDeposit(); });
  ASSERT_TRUE(ben.WaitFor("How much?: "));
  test::TestNode amy("amy", [] { CommitCrime(kBurnBankAccount); });
  amy.Type("y");
  ASSERT_TRUE(amy.WaitFor("Enter Player ID# <Enter to Exit>: "));
  amy.Type("2\r ");
  ben.Type("1\r");
  ASSERT_TRUE(amy.WaitFor("Bank gold lost: $"));
  EXPECT_EQ(0, amy.Finish());
  EXPECT_EQ(0, ben.Finish());
  // Either the fire came first and the deposit is safe, or it took the
  // deposit too; the world lost exactly what the screen and the mail say.
  const std::string text = amy.Text();
  const std::string shown = text.substr(text.find("Bank gold lost: $") + 17, 5);
  const bool deposit_first = shown.rfind("6,000", 0) == 0;
  EXPECT_TRUE(deposit_first || shown.rfind("1,000", 0) == 0) << shown;
  EXPECT_EQ(deposit_first ? "0" : "5000", Player("BankGold", "ben"));
  EXPECT_EQ("0", Player("Gold", "ben"));
  EXPECT_EQ(std::to_string(std::stoll(before) - (deposit_first ? 6000 : 1000)), Get(kWorldGold));
  EXPECT_EQ(deposit_first ? "You lost: $6,000" : "You lost: $1,000",
            Get("SELECT Line3 FROM usernews WHERE UserName='ben'"));
}

TEST_F(AlleyTest, ABountyPostedWhileTheArenaPaysOutIsPaidOnceOrWaits) {
  // Gold on hand and gold on the board: a bounty only moves it between them.
  constexpr char kHeld[] =
      "SELECT (SELECT SUM(CAST(Gold AS INTEGER)) FROM player)+"
      "(SELECT COALESCE(SUM(CAST(Bounty AS INTEGER)),0) FROM poster)";
  test::AddCharacter(test::Character("cid", "Cid"));
  Set("Gold='1000'");
  player::PostBounty("Ben", 300, "Dee");
  const std::string before = Get(kHeld);
  test::TestNode amy("amy", [] { CommitCrime(kPostBounty); });
  amy.Type("2\r100\r");
  ASSERT_TRUE(amy.WaitFor("Post this bounty (y/N)? "));
  // Cid beats Ben in the arena on another node.
  test::TestNode cid("cid", [] {
    od_get_key(TRUE);
    od_printf("collected %s", player::CollectBounties("Ben", "cid").total.str().c_str());
  });
  amy.Type("y ");
  cid.Type(" ");
  ASSERT_TRUE(cid.WaitFor("collected "));
  EXPECT_EQ(0, amy.Finish());
  EXPECT_EQ(0, cid.Finish());
  EXPECT_EQ(before, Get(kHeld));
  EXPECT_EQ("900", Player("Gold"));
  // Cid got the old poster and perhaps Amy's; whatever he did not get waits.
  const std::string collected = cid.Text().substr(cid.Text().find("collected ") + 10, 3);
  EXPECT_TRUE(collected == "300" || collected == "400") << collected;
  EXPECT_EQ(collected == "300" ? "100" : "", Get("SELECT group_concat(Bounty) FROM poster"));
}

TEST_F(AlleyTest, TwoCallersConjuringOneDemonAtOncePayForOne) {
  test::Character cid("cid", "Cid");
  cid.gold = "20000000";
  test::AddCharacter(cid);
  Set("Gold='20000000'");
  const std::string before = Get(kWorldGold);
  auto conjure = [] { CommitCrime(kConjureDemon); };
  test::TestNode amy("amy", conjure);
  test::TestNode other("cid", conjure);
  for (test::TestNode* node : {&amy, &other}) {
    node->Type("y2\r");
    ASSERT_TRUE(node->WaitFor("to conjure a demon (y/N)? "));
  }
  amy.Type("y  ");
  other.Type("y  ");
  EXPECT_EQ(0, amy.Finish());
  EXPECT_EQ(0, other.Finish());
  const std::string both = amy.Text() + other.Text();
  EXPECT_NE(std::string::npos, both.find("a demon has been summoned to attack Ben"));
  EXPECT_NE(std::string::npos, both.find("This person already has a demon summoned"));
  EXPECT_EQ("1", Get("SELECT COUNT(*) FROM demon WHERE UserName='ben'"));
  EXPECT_EQ(std::to_string(std::stoll(before) - 15000000), Get(kWorldGold));
  EXPECT_EQ("5", Get("SELECT SUM(EvilDeeds) FROM player WHERE UserName IN ('amy','cid')"));
}

}  // namespace
}  // namespace trv::alley
