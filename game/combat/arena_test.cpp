// The arena and the High Lord's challenge driven in-process with typed
// keys, against opponents whose figures decide the fight whatever the
// draws: a defence rating of 0 is hit by every blow, and equal ratings
// (a ratio of exactly 1.0) never are.
#include "game/combat/arena.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/combat/arena_fight.h"
#include "game/combat/test_combat.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/player/high_lord.h"
#include "tests/harness/text.h"
#include "tests/support/test_node.h"

namespace trv::combat {
namespace {

// Mental 10, Agility 4, Strength 9, Defense 0: attack and defence both 50.
constexpr char kEven[] = "Mental=10,Agility=4,Strength=9,Defense=0,MaxMagicPower=0";
// Nothing to parry with: every blow lands.
constexpr char kOpen[] = "Defense=0,Agility=0,MaxMagicPower=0";

class ArenaTest : public CombatTest {
 protected:
  void SetUp() override {
    CombatTest::SetUp();
    Write("Data/item.dat", "Dagger,100,7,0,0,0,0,0,0,0\n");
    Write("Data/magic.dat", "");
    db::InsertConfigDefaults();  // mutilations allowed
    test::Character me("me", "Hero");
    me.more = "Equip1='Dagger',Divine=100,Experience=1000";
    test::AddCharacter(me);  // IDNum 1
    test::Character foe("foe", "Foe");
    foe.gold = "1000";
    foe.max_hp = 1;
    foe.more = std::string(kOpen) + ",Experience=505,Mental=300,Leadership=250";
    test::AddCharacter(foe);  // IDNum 2
    test::AddCharacter(test::Character("sam", "Sam"));
  }
  static void Post(const char* wanted, const char* bounty, const char* by) {
    db::Exec(db::kPoster, "INSERT INTO %s (Wanted,Bounty,SetByUsername) VALUES (%Q,%Q,%Q)",
             db::TableName(db::kPoster), wanted, bounty, by);
  }
  static long long Count(const char* table, const std::string& where) {
    return db::Query(db::kPlayer, "SELECT count(*) FROM %s WHERE %s", table, where.c_str())
        .Int(0, 0);
  }
  // What the caller was shown since the last look, colours removed.
  std::string Text() { return harness::StripAnsi(Screen()); }
  static bool Has(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
  }
  static std::string Holder() {
    auto lord = player::ReadHighLord();
    return lord ? lord->user_name : "";
  }
};

TEST_F(ArenaTest, AnExecutionTakesGoldExperienceBountiesAndLimbs) {
  Post("Foe", "300", "Sam");  // set by the character Sam of the user sam
  Type("2\rY AN Y ");         // challenge, begin, attack, execute, mutilate
  EnterArena();
  const std::string shown = Text();
  EXPECT_TRUE(Has(shown, "Upon entering the massive arena"));
  EXPECT_TRUE(Has(shown, "   2  M  Foe                  1           Offline              No"));
  EXPECT_TRUE(Has(shown, "You collected $300"));
  EXPECT_TRUE(Has(shown, "Mutalation caused Foe to lose the following stats:"));
  const size_t leadership = shown.find("   5 leadership pts");
  const size_t mental = shown.find("   3 mental pts", leadership);
  ASSERT_NE(std::string::npos, leadership);
  ASSERT_NE(std::string::npos, mental);
  EXPECT_NE(std::string::npos, shown.find("   0 max hitpoints", mental));
  const bool thumbs_up = Has(shown, "thumbs up");
  EXPECT_EQ("1400", Player("Gold"));  // 1,000 won and the 300 bounty
  EXPECT_EQ("0", Player("Gold", "foe"));
  EXPECT_EQ("1050", Player("Experience"));
  EXPECT_EQ("455", Player("Experience", "foe"));
  EXPECT_EQ("6", Player("ProfExp"));
  EXPECT_EQ("2", Player("PlayerFights"));
  EXPECT_EQ("1", Player("PlayerKills"));
  EXPECT_EQ("1", Player("PlayerDefeats", "foe"));
  EXPECT_EQ("83", Player("Divine"));  // 2 % for the axe, 15 for the mutilation
  EXPECT_EQ(thumbs_up ? "48" : "50", Player("Leadership"));
  EXPECT_EQ("297", Player("Mental", "foe"));
  EXPECT_EQ("245", Player("Leadership", "foe"));
  EXPECT_EQ(0, Count("poster", "1"));
  // The setter's mail goes to his user, not to his character's name.
  EXPECT_EQ(1, Count("usernews", "UserName='sam' AND Line2='Hero collected the $300 reward..'"));
  EXPECT_EQ(1, Count("usernews", "UserName='foe' AND Line2 LIKE '%sliced and diced%'"));
  EXPECT_EQ(1, Count("news", "Line1='Hero was victorous in combat against Foe'"));
}

// The caller plays on a node of its own, so that the row can be read while
// the defeat waits for its last key: a line dropped there must not leave
// the caller dead.
TEST_F(ArenaTest, ADefeatPaysTheOpponentAndNobodyStaysDead) {
  Set("HP=1,MagicPower=0,Defense=0,Agility=0,Mental=51,Strength=17");  // attack 255
  Set("Mental=51,Defense=0,Agility=4,Strength=1000,Equip1='Dagger',MaxHP=29",
      "foe");  // defence 255
  test::TestNode node("me", [] { EnterArena(); });
  node.Type("2\rY A");
  ASSERT_TRUE(node.WaitFor("YOU HAVE LOST"));
  ASSERT_TRUE(node.WaitFor("Press Any Key"));
  EXPECT_EQ("29", Player("HP"));
  EXPECT_EQ("4", Player("MagicPower"));
  node.Type(" ");
  EXPECT_EQ(0, node.Finish());
  EXPECT_EQ("0", Player("Gold"));
  EXPECT_EQ("1100", Player("Gold", "foe"));
  EXPECT_EQ("900", Player("Experience"));
  EXPECT_EQ("605", Player("Experience", "foe"));
  EXPECT_EQ("1", Player("PlayerDefeats"));
  EXPECT_EQ("2", Player("PlayerFights"));
  EXPECT_EQ("1", Player("PlayerKills", "foe"));
  EXPECT_EQ("29", Player("HP"));
  EXPECT_EQ("4", Player("MagicPower"));
  EXPECT_EQ(1, Count("usernews", "UserName='foe' AND Line3 LIKE 'You collected $100 from%'"));
}

// The loser's gold on hand moves as it stands when the fight ends: a debt
// or a figure that is no number stays where it is and nothing is taken.
TEST_F(ArenaTest, OnlyGoldTheLoserHoldsMovesAndTheMoveIsWhatIsReported) {
  const struct {
    bool won;
    const char *mine, *foes;
    const char *moved, *mine_after, *foes_after;
  } kCases[] = {
      {true, "100", "1000", "1000", "1100", "0"},
      {true, "100", "-500", "0", "100", "-500"},
      {true, "100", "12x", "0", "100", "12x"},
      {true, "100", "99999999999999999999", "99999999999999999999", "100000000000000000099", "0"},
      {false, "250", "1000", "250", "0", "1250"},
      {false, "-40", "1000", "0", "-40", "1000"},
      {false, "", "1000", "0", "", "1000"},
  };
  for (const auto& c : kCases) {
    Set(std::string("Gold=") + (*c.mine ? "'" + std::string(c.mine) + "'" : "NULL"));
    Set(std::string("Gold='") + c.foes + "'", "foe");
    const Spoils spoils = c.won ? SettleWin("2", nullptr, false) : SettleLoss("2");
    ASSERT_TRUE(spoils.settled) << c.mine << " " << c.foes;
    EXPECT_EQ(c.moved, spoils.gold.str()) << c.mine << " " << c.foes;
    EXPECT_EQ(c.mine_after, Player("Gold")) << c.mine << " " << c.foes;
    EXPECT_EQ(c.foes_after, Player("Gold", "foe")) << c.mine << " " << c.foes;
  }
  // A loser deleted meanwhile: nothing is settled, nothing moves.
  db::Exec(db::kPlayer, "DELETE FROM %s WHERE UserName='foe'", db::TableName(db::kPlayer));
  EXPECT_FALSE(SettleWin("2", nullptr, true).settled);
  EXPECT_FALSE(SettleLoss("2").settled);
  EXPECT_EQ("", Player("Gold"));
}

TEST_F(ArenaTest, RefusalsEndTheVisitAndCostNothing) {
  const struct {
    const char* mine;
    const char* foes;
    const char* keys;
    const char* message;
  } kCases[] = {
      {"PlayerFights=0", "", " ", "You are out of Arena fights for today.."},
      {"", "", "1\r ", "You cannot challenge yourself!"},
      {"", "", "9\r ", "That player was not found!"},
      {"", "Status=1", "2\r ", "That player is busy elsewhere in the realm.."},
      {"", "HP=0", "2\r ", "That player is dead and cannot fight in the arena.."},
      {"Level=20", "Level=8", "2\rY ", "Foe is not even in your same league"},
      {"", "", "2\rN", "Challenge Foe (y/N)?"},
  };
  for (const auto& c : kCases) {
    Set("PlayerFights=3,Level=1");
    Set("Status=0,HP=29,Level=1", "foe");
    if (*c.mine) Set(c.mine);
    if (*c.foes) Set(c.foes, "foe");
    Type(c.keys);
    EnterArena();
    EXPECT_TRUE(Has(Text(), c.message)) << c.message;
    EXPECT_EQ(std::string(c.mine) == "PlayerFights=0" ? "0" : "3", Player("PlayerFights"));
    EXPECT_EQ("1000", Player("Gold", "foe")) << c.message;
    EXPECT_EQ("0", Player("PlayerDefeats", "foe")) << c.message;
  }
}

TEST_F(ArenaTest, DoorGuardsStandUntilBeatenAndAreToldOfTheAttempt) {
  Set("Inn='4',BodyGuards=2", "foe");
  Type("2\rYYR  ");  // challenge, face the guards, run from them
  EnterArena();
  const std::string shown = Text();
  EXPECT_TRUE(Has(shown, "Door Guard: Red Dragon"));
  EXPECT_TRUE(Has(shown, "# Standing Guard: 2"));
  EXPECT_TRUE(Has(shown, "Red Dragon Bodyguard  203/203"));  // 29 x 7
  EXPECT_TRUE(Has(shown, "You failed to get past Foe's door guards!"));
  EXPECT_EQ("2", Player("BodyGuards", "foe"));
  EXPECT_EQ("3", Player("PlayerFights"));
  EXPECT_EQ(1, Count("usernews",
                     "UserName='foe' AND Line2='Hero could not get past your door "
                     "guard protection!'"));
}

TEST_F(ArenaTest, NoAtTheFightToDeathQuestionReturnsToTheMenu) {
  Set(kEven);
  Set(kEven, "foe");
  Set("MaxHP=29,HP=29", "foe");
  Type("2\rY FNB ");  // 25 strikes that all miss, stop, beg
  EnterArena();
  const std::string shown = Text();
  EXPECT_TRUE(Has(shown, "Foe  Hit Points: 29/29"));
  const size_t question = shown.find("Continue Fighting? (y/n)");
  ASSERT_NE(std::string::npos, question);
  EXPECT_NE(std::string::npos, shown.find("Thy Choice", question));
  EXPECT_NE(std::string::npos, shown.find("You make a cowardly run for it!", question));
  EXPECT_EQ("1", Player("PlayerDefeats"));
  EXPECT_EQ("2", Player("PlayerFights"));
  EXPECT_EQ("1", Player("PlayerKills", "foe"));
  EXPECT_EQ("1000", Player("Gold", "foe"));
  EXPECT_EQ(1, Count("usernews", "UserName='foe' AND Line2 LIKE '%tale between their legs!'"));
}

TEST_F(ArenaTest, AnOpponentsPotionsHealButDoNotCurePoison) {
  Set(std::string(kEven) + ",Strength=1,Equip1='',PoisonLevel=12");  // 12 a hit, poison only
  Set("MaxHP=300,Agility=0,Strength=15,Mental=10", "foe");  // attack 50: never lands a blow
  Type("2\rY A B ");
  EnterArena();
  const std::string shown = Text();
  EXPECT_TRUE(Has(shown, "YOU HAVE POISONED Foe"));
  EXPECT_TRUE(Has(shown, "Foe quickly drinks potions and is fully healed!"));
  EXPECT_TRUE(Has(shown, "Your Opponent: [Healthy!]    [POISONED]"));
  EXPECT_TRUE(Has(shown, "Foe  Hit Points: 300/300  Magic Points: 0/0  Potions: 146"));
}

TEST_F(ArenaTest, TheTitleIsClaimedOnceWonOnceAndNeverPaysBounties) {
  Type(" ");
  ChallengeHighLord();  // vacant: no fight
  EXPECT_TRUE(Has(Text(), "CONGRATULATIONS!!"));
  EXPECT_EQ("me", Holder());
  EXPECT_EQ("3", Player("PlayerFights"));
  EXPECT_EQ(1, Count("news", "Line1='Hero was crowned the new Tarvessia High Lord!'"));
  Type(" ");
  ChallengeHighLord();
  EXPECT_TRUE(Has(Text(), "You are already the Tarvessia High Lord!"));

  Post("Hero", "300", "Sam");
  Set(kOpen);
  Set("MaxHP=1,Gold='-500'");  // a debt is left alone
  BeCaller("foe");
  Set("Equip1='Dagger'", "foe");
  Type("YA ");
  ChallengeHighLord();
  EXPECT_TRUE(Has(Text(), "NEW TARVESSIA HIGH LORD!"));
  EXPECT_EQ("foe", Holder());
  EXPECT_EQ("1000", Player("Gold", "foe"));
  EXPECT_EQ("-500", Player("Gold", "me"));
  EXPECT_EQ(1, Count("poster", "Wanted='Hero'"));
  EXPECT_EQ(1, Count("usernews",
                     "UserName='me' AND Line2='Foe defeated you and stole your High "
                     "Lord title!'"));

  // A win against a holder who lost the title meanwhile is a plain win.
  Bout bout;
  bout.opponent = {"1", "Hero", 0, 0};
  bout.opponent_user = "me";
  bout.high_lord = true;
  Type("Y ");
  HighLordVictory(bout);
  EXPECT_TRUE(Has(Text(), "The title changed hands before your victory was proclaimed.."));
  EXPECT_EQ("foe", Holder());
  EXPECT_EQ(0, Count("poster", "Wanted='Hero'"));  // the plain win collects

  // A record that cannot be read crowns nobody.
  remove(kHighLordFile);
  ASSERT_EQ(0, mkdir(kHighLordFile, 0700));
  Type(" ");
  ChallengeHighLord();
  EXPECT_TRUE(Has(Text(), "The High Lord's hall is busy"));
  EXPECT_EQ(2, Count("news", "Title LIKE '%NEW TARVESSIA HIGH LORD%'"));  // no third
  rmdir(kHighLordFile);
}

// Two callers beat the same off-line character at the same moment, round
// after round: its gold and the bounty on it move once each round.
TEST_F(ArenaTest, TwoNodesBeatingOneOpponentAtOnceTakeItsGoldOnce) {
  constexpr int kRounds = 8;
  for (const char* user : {"ann", "bob"}) {
    test::Character c(user, user);
    c.gold = "0";
    c.more = "Equip1='Dagger',PlayerFights=100";
    test::AddCharacter(c);
  }
  auto fights = [] {
    for (int i = 0; i < kRounds; ++i) EnterArena();
  };
  test::TestNode ann("ann", fights);
  test::TestNode bob("bob", fights);
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_TRUE(ann.WaitFor("Enter Player ID#"));
    ASSERT_TRUE(bob.WaitFor("Enter Player ID#"));
    Set("Gold='1000'", "foe");
    Post("Foe", "300", "Sam");
    ann.Type("2\rY AY ");
    bob.Type("2\rY AY ");
    ASSERT_TRUE(ann.WaitFor("Press Any Key"));
    ASSERT_TRUE(bob.WaitFor("Press Any Key"));
  }
  EXPECT_EQ(0, ann.Finish(20000));
  EXPECT_EQ(0, bob.Finish(20000));
  const long long won = std::stoll(Player("Gold", "ann")) + std::stoll(Player("Gold", "bob"));
  EXPECT_EQ(kRounds * 1300, won);
  EXPECT_EQ("0", Player("Gold", "foe"));
  EXPECT_EQ(kRounds, Count("usernews", "UserName='sam'"));
}

// One user on two nodes with one fight left answers both challenges at
// once: one fight is fought, the other node is out of fights.
TEST_F(ArenaTest, OneUserOnTwoNodesFightsNoMoreThanTheDaysAllowance) {
  Set("PlayerFights=1");
  test::TestNode first("me", [] { EnterArena(); });
  test::TestNode second("me", [] { EnterArena(); });
  for (test::TestNode* node : {&first, &second}) {
    node->Type("2\r");
    ASSERT_TRUE(node->WaitFor("Challenge Foe (y/N)?"));
  }
  first.Type("Y AY ");
  second.Type("Y AY ");
  int fought = 0, refused = 0;
  for (test::TestNode* node : {&first, &second}) {
    ASSERT_TRUE(node->WaitUntil(
        [](const std::string& text) {
          return Has(text, "Press Any Key") || Has(text, "You are out of Arena fights");
        },
        "the fight or the refusal"));
    ASSERT_EQ(0, node->Finish());
    const std::string text = node->Text();
    fought += Has(text, "BEGIN COMBAT!");
    refused += Has(text, "You are out of Arena fights for today..");
  }
  EXPECT_EQ(1, fought);
  EXPECT_EQ(1, refused);
  EXPECT_EQ("0", Player("PlayerFights"));
  EXPECT_EQ("1", Player("PlayerKills"));
  EXPECT_EQ("1", Player("PlayerDefeats", "foe"));
  EXPECT_EQ("1100", Player("Gold"));
}

// Two callers claim the vacant title at the same moment, round after
// round: one is crowned, and the file names that one.
TEST_F(ArenaTest, TwoNodesClaimingAVacantTitleCrownExactlyOne) {
  constexpr int kRounds = 8;
  for (const char* user : {"ann", "bob"}) test::AddCharacter(test::Character(user, user));
  auto claims = [] {
    for (int i = 0; i < kRounds; ++i) {
      od_get_key(TRUE);  // the start
      ChallengeHighLord();
      od_printf("\n\rround over");
    }
  };
  test::TestNode ann("ann", claims);
  test::TestNode bob("bob", claims);
  auto crowned = [](test::TestNode& node) {
    const std::string text = node.Text();
    int n = 0;
    for (size_t at = text.find("CONGRATULATIONS"); at != std::string::npos;
         at = text.find("CONGRATULATIONS", at + 1))
      ++n;
    return n;
  };
  for (int round = 0; round < kRounds; ++round) {
    remove(kHighLordFile);
    const int ann_before = crowned(ann), bob_before = crowned(bob);
    ann.Type("gN");  // the winner's key, or the loser's no to a challenge
    bob.Type("gN");
    ASSERT_TRUE(ann.WaitFor("round over"));
    ASSERT_TRUE(bob.WaitFor("round over"));
    const int ann_won = crowned(ann) - ann_before, bob_won = crowned(bob) - bob_before;
    EXPECT_EQ(1, ann_won + bob_won) << "round " << round;
    EXPECT_EQ(ann_won ? "ann" : "bob", Holder()) << "round " << round;
  }
  EXPECT_EQ(0, ann.Finish());
  EXPECT_EQ(0, bob.Finish());
}

}  // namespace
}  // namespace trv::combat
