// The level, profession and sin rules with their worked examples, and the
// rankings' pages, in process.
#include "game/progress/progress.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/progress/levels.h"
#include "game/progress/professions.h"
#include "game/progress/rankings.h"
#include "tests/harness/text.h"
#include "tests/support/in_process.h"

namespace trv::progress {
namespace {

class ProgressTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    BeCaller("me");
    test::AddCharacter(test::Character("me", "Me"));
  }
  static void Set(const std::string& assignments, const char* user = "me") {
    db::Exec(db::kPlayer, "UPDATE %s SET %s WHERE UserName=%Q", db::TableName(db::kPlayer),
             assignments.c_str(), user);
  }
  static long long Int(const char* column, const char* user = "me") {
    return db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", column,
                     db::TableName(db::kPlayer), user)
        .Int(0, 0);
  }
  static void Options(const std::string& assignments) {
    db::InsertConfigDefaults();
    db::Exec(db::kConfig, "UPDATE %s SET %s", db::TableName(db::kConfig), assignments.c_str());
  }
  static long long NewsCount(const char* like) {
    return db::Query(db::kNews, "SELECT COUNT(*) FROM %s WHERE Title LIKE %Q OR Line1 LIKE %Q",
                     db::TableName(db::kNews), like, like)
        .Int(0, 0);
  }
};

TEST_F(ProgressTest, ARaiseSpendsTheThresholdAndKeepsTheSurplus) {
  const struct {
    const char* multiplier;  // as stored; nullptr: no options row at all
    long long level, experience;
    RaiseOutcome outcome;
    long long level_after, experience_after, needed_more;
  } kCases[] = {
      {"1000", 3, 3500, RaiseOutcome::kRaised, 4, 500, 0},
      {"1000", 4, 500, RaiseOutcome::kNotReady, 4, 500, 3500},
      {"1000", 3, 3000, RaiseOutcome::kRaised, 4, 0, 0},
      {"1000", 3, 2999, RaiseOutcome::kNotReady, 3, 2999, 1},
      {nullptr, 1, 1, RaiseOutcome::kNotReady, 1, 1, 9999},  // defaults: 10000
      {"0", 1, 0, RaiseOutcome::kNotReady, 1, 0, 1},         // never free levels
      {"rubbish", 0, 5, RaiseOutcome::kRaised, 1, 4, 0},
      // 500,000 × 10,000 is past 32 bits.
      {"10000", 500000, 5000000001, RaiseOutcome::kRaised, 500001, 1, 0},
      {"10000", 500000, 4999999999, RaiseOutcome::kNotReady, 500000, 4999999999, 1},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(c.level) + " with " + std::to_string(c.experience));
    db::Exec(db::kConfig, "DELETE FROM %s", db::TableName(db::kConfig));
    if (c.multiplier) Options(std::string("LevelMultiplier='") + c.multiplier + "'");
    Set("Level=" + std::to_string(c.level) + ",Experience=" + std::to_string(c.experience) +
        ",HP=1,MaxHP=29,MagicPower=0,MaxMagicPower=10,ProfExp=1,Strength=20");
    const LevelRaise raise = RaiseLevel("me", *TrainingFor('1'));
    EXPECT_EQ(c.outcome, raise.outcome);
    EXPECT_EQ(c.needed_more, raise.needed_more);
    EXPECT_EQ(c.level_after, Int("Level"));
    EXPECT_EQ(c.experience_after, Int("Experience"));
    const bool raised = c.outcome == RaiseOutcome::kRaised;
    EXPECT_EQ(raised ? 35 : 29, Int("MaxHP"));
    EXPECT_EQ(raised ? 35 : 1, Int("HP"));  // healed to the new maximum
    EXPECT_EQ(raised ? 17 : 0, Int("MagicPower"));
    EXPECT_EQ(raised ? 23 : 20, Int("Strength"));
    EXPECT_EQ(raised ? 3 : 1, Int("ProfExp"));
  }
  EXPECT_EQ(RaiseOutcome::kNoCharacter, RaiseLevel("nobody", *TrainingFor('1')).outcome);
}

TEST_F(ProgressTest, RandomTrainingAddsItsDrawsToTheValuesAsTheyStand) {
  Options("LevelMultiplier='10'");
  Set("Experience=100000");
  constexpr long long kBounds[kAttributeCount] = {6, 6, 6, 3, 6, 8, 6, 6, 6, 6};
  for (int raise = 0; raise < 20; ++raise) {
    const Attributes before = ReadAttributes("me");
    const LevelRaise r = RaiseLevel("me", *TrainingFor('8'));
    ASSERT_EQ(RaiseOutcome::kRaised, r.outcome);
    for (int i = 0; i < kAttributeCount; ++i) {
      EXPECT_GE(r.gains[i], 0);
      EXPECT_LT(r.gains[i], kBounds[i]);
      EXPECT_EQ(before[i] + r.gains[i], r.now[i]);
    }
  }
  EXPECT_EQ(21, Int("Level"));
  EXPECT_EQ(41, Int("ProfExp"));
}

TEST_F(ProgressTest, OnlyALevelTournamentEndsAndAtItsLevel) {
  const struct {
    const char* mode;
    long long max_level, new_level;
    bool crowns;
  } kCases[] = {
      {"1", 50, 49, false}, {"1", 50, 50, true},
      {"1", 50, 51, true},  {"1", 0, 7, false},  // a date tournament
      {"0", 50, 50, false},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.crowns, CrownsTournament(c.mode, c.max_level, c.new_level))
        << c.mode << " " << c.max_level << " " << c.new_level;

  // Through the level masters: the date tournament crowns nobody.
  Options("LevelMultiplier='10',TournamentMode=1,MaxLevel=0,EndDate='12312099'");
  Set("Level=49,Experience=490");
  Type("1  R");
  Leveling();
  EXPECT_EQ(50, Int("Level"));
  EXPECT_EQ(1, NewsCount("Me earned a level raise to 50.."));
  EXPECT_EQ(0, NewsCount("%Tournament Over!%"));

  Options("MaxLevel=51");
  Set("Experience=500");
  Type("3  R");
  Leveling();
  EXPECT_EQ(1, NewsCount("%Tournament Over!%"));
  EXPECT_NE(std::string::npos, harness::StripAnsi(Screen()).find("Tournament Victor!"));
}

TEST_F(ProgressTest, ProfessionTitlesByGuildAndLevel) {
  const struct {
    const char* guild;
    int level;
    const char* title;
  } kCases[] = {
      {"Rogue", 1, "Common Thug"},
      {"Rogue", 7, "Common Thug"},
      {"Warrior", 14, "Sky Gladiator"},
      {"Warrior", 0, "Sky Gladiator"},
      {"Warrior", 11, "Enchanted Knight"},
      {"Divine", 13, "Sage of Love"},
      {"Black Art", 2, "Augurer"},
      {"White Art", -3, "Sky Wizard"},
      {"Bard", 1, ""},
      {"warrior", 1, ""},
  };
  char title[kProfessionTitleSize];
  for (const auto& c : kCases) {
    strcpy(title, "Stale Title");  // an unknown guild must not leave it
    ViewProfession(title, c.guild, c.level);
    EXPECT_STREQ(c.title, title) << c.guild << " " << c.level;
  }
}

TEST_F(ProgressTest, TheOfficeSellsAProfessionLevelForThirtyHighExperience) {
  Set("ProfExp=29,ProfLevel=1,Intellect=10");
  Type("A R");
  ProfessionOffice();
  EXPECT_NE(std::string::npos,
            harness::StripAnsi(Screen()).find("You still need 1 more high experience points.."));
  EXPECT_EQ(1, Int("ProfLevel"));

  Set("ProfExp=61");
  Type("A A R");
  ProfessionOffice();
  EXPECT_EQ(3, Int("ProfLevel"));
  EXPECT_EQ(1, Int("ProfExp"));
  EXPECT_EQ(24, Int("Intellect"));
  EXPECT_EQ(1, NewsCount("Me worked hard and earned a promotion to Boxer [3].."));
  EXPECT_NE(std::string::npos, harness::StripAnsi(Screen()).find("Intellect is now 24 {+7}"));
}

TEST_F(ProgressTest, TheMonksForgiveSevenSinsInAnyCaseForOneGoodDeedEach) {
  const struct {
    const char* answer;
    const char* column;
    long long gain;
  } kCases[] = {
      {"envy", "MonsterFights", 3},
      {"SLOTH", "MaxHP", 2},
      {"Gluttony", "PlayerFights", 1},
      {"wrath", "Defense", 3},
      {"lust", "Charm", 4},
      {"greed", "CAST(Gold AS INTEGER)", 20000},
      {"pride", "Mental", 4},
      {"envyy", "MonsterFights", 0},
  };
  for (const auto& c : kCases) {
    Set("GoodDeeds=1");
    const long long before = Int(c.column);
    EXPECT_EQ(c.gain ? Penance::kForgiven : Penance::kWrong, ConfessSin("me", c.answer));
    EXPECT_EQ(before + c.gain, Int(c.column)) << c.answer;
    EXPECT_EQ(0, Int("GoodDeeds"));
    EXPECT_EQ(Penance::kNoDeeds, ConfessSin("me", c.answer));  // nothing more today
    EXPECT_EQ(before + c.gain, Int(c.column)) << c.answer;
  }
  // Through the monastery: only monks get in; a wrong answer is told.
  Set("GoodDeeds=2");
  Type(" ");
  Monastery();
  EXPECT_NE(std::string::npos, Screen().find("You are not a member of the monk guild"));
  Set("SecondClass='Monk'");
  Type("ychastity\r ");
  Monastery();
  EXPECT_NE(std::string::npos, Screen().find("Your answer was incorrect!"));
  EXPECT_EQ(1, Int("GoodDeeds"));
}

class RankingsTest : public ProgressTest {
 protected:
  // Characters c01 ... cNN with Strength 1 ... N, "me" among them at
  // Strength 5 (as the fifth IDNum, after c01 to c04).
  void AddPlayers(int count) {
    db::Exec(db::kPlayer, "DELETE FROM %s", db::TableName(db::kPlayer));
    for (int i = 1; i <= count; ++i) {
      char user[8];
      snprintf(user, sizeof user, "c%02d", i);
      test::Character c(i == 5 ? "me" : user, i == 5 ? "Me" : user);
      c.more = "Strength=" + std::to_string(i);
      test::AddCharacter(c);
    }
  }
};

TEST_F(RankingsTest, ListsPageTenAtATimeAndMarkTheEndsAndTheCaller) {
  AddPlayers(23);
  Type("yy ");
  ShowRanking(kRankings[2]);  // Strength
  const std::string all = Screen();
  EXPECT_NE(std::string::npos, all.find("(CAN'T EVEN LIFT TOILET SEAT!)"));
  EXPECT_NE(std::string::npos, all.find("(ARRRNUUULD!)"));
  EXPECT_NE(std::string::npos, all.find("<<==--YOU!!"));
  EXPECT_EQ(3u, [&] {
    size_t heads = 0;
    for (size_t at = all.find("Strength Rankings"); at != std::string::npos;
         at = all.find("Strength Rankings", at + 1))
      ++heads;
    return heads;
  }());
  EXPECT_TRUE(Shown().Contains("c23"));  // the last page: rows 21 to 23
  EXPECT_FALSE(Shown().Contains("c20"));
  EXPECT_TRUE(Shown().Contains("Press Any Key"));

  Type("n");
  ShowRanking(kRankings[2]);
  EXPECT_EQ(std::string::npos, Screen().find("Press Any Key"));
  EXPECT_TRUE(Shown().Contains("c10"));

  // Ten rows ask once more before the end.
  AddPlayers(10);
  Type("y ");
  ShowRanking(kRankings[0]);
  EXPECT_NE(std::string::npos, Screen().find("Continue (y/n)?"));
}

TEST_F(RankingsTest, TiesKeepTheirOrderAndTheArenaRanksMoreLossesHigher) {
  db::Exec(db::kPlayer, "DELETE FROM %s WHERE UserName<>'me'", db::TableName(db::kPlayer));
  Type(" ");
  ShowRanking(kRankings[0]);
  const harness::Screen& one = Shown();
  ASSERT_TRUE(one.Find("Me"));
  const std::string row = one.Row(one.Find("Me")->row);
  EXPECT_NE(std::string::npos, row.find("(PIECE OF CRAP!)    (THE BEST!)  <<==--YOU!!")) << row;

  AddPlayers(3);  // c01, c02 and c03, all level 1
  Set("PlayerKills=2,PlayerDefeats=5", "c01");
  Set("PlayerKills=2,PlayerDefeats=1", "c02");
  Set("PlayerKills=0,PlayerDefeats=0", "c03");
  Type("  ");
  ShowRanking(kRankings[0]);
  EXPECT_LT(Shown().Find("c01")->row, Shown().Find("c03")->row);
  ShowRanking(kRankings[9]);  // Arena
  EXPECT_LT(Shown().Find("c03")->row, Shown().Find("c02")->row);
  EXPECT_LT(Shown().Find("c02")->row, Shown().Find("c01")->row);
  EXPECT_TRUE(Shown().Contains("2 - 5    (MAXIMUS THE GLADIATOR!)"));
}

TEST_F(RankingsTest, KingdomListsPauseAfterTheFourthAndShowEveryTitle) {
  for (int slot = 1; slot <= 5; ++slot) {
    test::Kingdom k(slot, "Realm" + std::to_string(slot), "Ruler" + std::to_string(slot),
                    "r" + std::to_string(slot));
    k.soldiers = 1000 * slot;
    test::AddKingdom(k);
  }
  Type("n");
  KingdomRankings();
  EXPECT_TRUE(Shown().Contains("Continue Listing (y/n)?"));
  EXPECT_TRUE(Shown().Contains("Realm2"));
  EXPECT_FALSE(Shown().Contains("Realm1"));  // the weakest army comes after the question

  db::Exec(db::kKingdom, "UPDATE %s SET Ruler='Me',Name='Back`Quote' WHERE IDNum=1",
           db::TableName(db::kKingdom));
  db::Exec(db::kKingdom, "UPDATE %s SET Baron='Me' WHERE IDNum=2", db::TableName(db::kKingdom));
  Set("Kingdom='Back`Quote'");
  test::Character ann("ann", "Ann");
  ann.gender = "Female";
  test::AddCharacter(ann);
  Type(" ");
  KingdomPlayers();
  const harness::Screen& list = Shown();
  ASSERT_TRUE(list.Find("Me"));
  EXPECT_NE(std::string::npos, list.Row(list.Find("Me")->row).find("BackQuote"));
  EXPECT_NE(std::string::npos, list.Row(list.Find("Me")->row).find("King Baron"));
  EXPECT_NE(std::string::npos, list.Row(list.Find(" F Ann")->row).find("Commoner"));
}

}  // namespace
}  // namespace trv::progress
