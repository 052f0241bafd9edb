// Quest scripts: the parser and the run's rules as tables; the quest list,
// the days, the fights and the shipped sample quests driven in-process.
#include "game/combat/quests.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "game/combat/quest_script.h"
#include "game/combat/test_combat.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "tests/harness/text.h"
#include "tests/support/test_node.h"

namespace trv::combat {
namespace {

using QC = QuestCommand;

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(QuestScriptTest, CommandsParseAndAnythingElseNamingACommandIsSkipped) {
  const struct {
    const char* line;
    QC command;
    const char* column;
    long long number;  // the day, the points, a monster count
    const char* text;  // or the monster's name
  } kCommands[] = {
      {"@PAUSE@ ", QC::kPause, nullptr, 0, ""},
      {"@FINAL@", QC::kFinal, nullptr, 0, ""},
      {"@DAYEND: 10", QC::kDayEnd, nullptr, 10, ""},
      {"@ANSI:maps/bell.ans", QC::kAnsi, nullptr, 0, "maps/bell.ans"},
      {"@GOLD:-500", QC::kGold, nullptr, 0, "-500"},
      {"@HIGH:3", QC::kHigh, nullptr, 3, ""},
      {"@ITEM:Silver Band", QC::kItem, nullptr, 0, "Silver Band"},
      {"@COMM:bankgold:1000", QC::kComm, "BankGold", 0, "1000"},
      {"@COMM: HOUSETRADE : 2", QC::kComm, "HouseTrade", 0, "2"},
      {"@STAT:strength:-2", QC::kStat, "Strength", -2, ""},
      {"@MONSTER:Orc:10:5:1:0:0:3:100:50", QC::kMonster, nullptr, 3, "Orc"},
      {"@MONSTER:Orc:10:5:1:0:0:0:100:50", QC::kMonster, nullptr, 1, "Orc"},
      {"@MONSTER:Orc:10:5:1:0:0:-4:100:50", QC::kMonster, nullptr, 1, "Orc"},
      {"@MONSTER:Orc:10:5:1:0:0:16:100:50", QC::kMonster, nullptr, 15, "Orc"},
      {"@MONSTER:Orc:10:5:1:0:0:99999999999999999999:100:50", QC::kMonster, nullptr, 15, "Orc"},
      {"@MONSTER:A Name Far Too Long For The Fight Screen:1:1:0:0:0:1:0:0", QC::kMonster, nullptr,
       1, "A Name Far Too Long For The"},
      {"@GOLDEN dawn", QC::kStory, nullptr, 0, "@GOLDEN dawn"},
  };
  for (const auto& c : kCommands) {
    const QuestLine line = ParseQuestScript(c.line).at(0);
    EXPECT_EQ(c.command, line.command) << c.line;
    EXPECT_STREQ(c.column, line.column) << c.line;
    const bool monster = c.command == QC::kMonster;
    EXPECT_EQ(c.number, monster ? line.opponents.count : line.number) << c.line;
    EXPECT_EQ(c.text, monster ? line.opponents.name : line.text) << c.line;
  }
  const char* const kSkipped[] = {"@DAYEND:0",
                                  "@DAYEND:x",
                                  "@DAYEND:99999999999",
                                  "@ANSI:../Data/game.db",
                                  "@ANSI:/etc/passwd",
                                  "@ANSI:",
                                  "@GOLD:1e9",
                                  "@GOLD:+5",
                                  "@HIGH:3000000000",
                                  "@ITEM:",
                                  "@COMM:Level:5",
                                  "@COMM:Gold=0,BankGold:5",
                                  "@COMM:Gold:1:2",
                                  "@STAT:Gold:100",
                                  "@STAT:Status:1",
                                  "@STAT:Strength:1;DROP TABLE player",
                                  "@STAT:Strength",
                                  "@MONSTER:Orc:10:5",
                                  "@MONSTER::10:5:1:0:0:3:100:50",
                                  "@MONSTER:Orc:x:5:1:0:0:3:100:50",
                                  "@MONSTER:Orc:-10:5:1:0:0:3:100:50",
                                  "@MONSTER:Orc:10:5:1:0:0:3:-100:50",
                                  "@MONSTER:Orc:10:5:1:0:0:3:100:-50"};
  for (const char* bad : kSkipped)
    EXPECT_EQ(QC::kSkipped, ParseQuestScript(bad).at(0).command) << bad;
  const Opponents big =
      ParseQuestScript("@MONSTER:Titan:99999999999:5:1:0:0:3:99999999999:99999999999")
          .at(0)
          .opponents;
  EXPECT_EQ("2147483647|5|99999999999|2147483647",
            big.hit_points + "|" + big.attack + "|" + big.gold + "|" + big.experience);
  // Line ends of either kind, an empty line and no final line break.
  const QuestScript script = ParseQuestScript("a\r\n\n@PAUSE@\r\nb");
  ASSERT_EQ(4u, script.size());
  EXPECT_EQ("", script[1].text);
  EXPECT_EQ(QC::kPause, script[2].command);
  EXPECT_EQ(4, script[3].line_number);
}

TEST(QuestRulesTest, ADayResumesAfterItsOwnDayEndComparedAsANumber) {
  const QuestScript script = ParseQuestScript("@DAYEND:10\nx\n@DAYEND:1\ny\n@DAYEND:02\n");
  const struct {
    long long days_done;
    size_t index;
  } kCases[] = {{0, 0}, {-1, 0}, {1, 3}, {10, 1}, {2, 5}, {3, 5}};
  for (const auto& c : kCases) EXPECT_EQ(c.index, ResumeAt(script, c.days_done)) << c.days_done;
  // A run ends only at a day end beyond the days already done.
  const struct {
    size_t line;
    long long days_done;
    bool ends;
  } kEnds[] = {{0, 0, true},  {0, 9, true}, {0, 10, false},
               {2, 1, false}, {2, 0, true}, {1, 0, false}};
  for (const auto& c : kEnds)
    EXPECT_EQ(c.ends, EndsTheDay(script[c.line], c.days_done)) << c.line << " " << c.days_done;
}

TEST(QuestRulesTest, StoriesNameTheCharacterAndPursesGiveNoMoreThanTheyHold) {
  EXPECT_EQ("Amy meets Amy of Avalon.",
            TellStory("@NAME@ meets @NAME@ of @KINGDOM@.", "Amy", "Avalon"));
  EXPECT_EQ("@NAME @Amy@", TellStory("@NAME @@NAME@@", "Amy", "Avalon"));
  EXPECT_EQ("@KINGDOM@ rides", TellStory("@NAME@ rides", "@KINGDOM@", "Avalon"));
  EXPECT_EQ("`bright red`Amy\t[2Jfalls",
            TellStory("`bright red`@NAME@\t\x1b[2Jfa\rl\x7fls", "Amy", ""));
  const struct {
    const char *held, *amount, *after;
  } kPurses[] = {{"100", "50", "150"},  {"100", "-30", "70"}, {"100", "-300", "0"},
                 {"-50", "-10", "-50"}, {"-50", "80", "30"},  {"0", "-1", "0"}};
  for (const auto& c : kPurses)
    EXPECT_EQ(c.after, AddToPurse(Purenum::Integer(c.held), Purenum::Integer(c.amount)).str())
        << c.held << " " << c.amount;
}

TEST(QuestRulesTest, StatsStayWithinTheirFloorsCeilingsAndMaxima) {
  const struct {
    const char* column;
    long long value, points;
    Vitals before;
    long long after;
    Vitals vitals;
  } kCases[] = {
      {"Strength", 10, 5, {20, 30, 4, 8}, 15, {20, 30, 4, 8}},
      {"Strength", 10, -50, {20, 30, 4, 8}, 0, {20, 30, 4, 8}},
      {"Strength", 2147483000, 1000, {20, 30, 4, 8}, 2147483647, {20, 30, 4, 8}},
      {"Experience", 5000000000, 10, {20, 30, 4, 8}, 5000000000, {20, 30, 4, 8}},
      {"Experience", 5000000000, -10, {20, 30, 4, 8}, 4999999990, {20, 30, 4, 8}},
      {"HP", 20, -100, {20, 30, 4, 8}, 1, {1, 30, 4, 8}},
      {"HP", 20, 100, {20, 30, 4, 8}, 30, {30, 30, 4, 8}},
      {"MagicPower", 4, 100, {20, 30, 4, 8}, 8, {20, 30, 8, 8}},
      {"MagicPower", 4, -100, {20, 30, 4, 8}, 0, {20, 30, 0, 8}},
      {"MaxHP", 30, -25, {20, 30, 4, 8}, 5, {5, 5, 4, 8}},
      {"MaxHP", 30, -99, {20, 30, 4, 8}, 1, {1, 1, 4, 8}},
      {"MaxHP", 30, 10, {20, 30, 4, 8}, 40, {20, 40, 4, 8}},
      {"MaxMagicPower", 8, -5, {20, 30, 4, 8}, 3, {20, 30, 3, 3}},
      {"Potions", 3, -10, {20, 30, 4, 8}, 0, {20, 30, 4, 8}},
  };
  for (const auto& c : kCases) {
    Vitals vitals = c.before;
    EXPECT_EQ(c.after, StatAfter(c.column, c.value, c.points, &vitals)) << c.column << c.points;
    EXPECT_EQ(c.vitals.hp, vitals.hp) << c.column << c.points;
    EXPECT_EQ(c.vitals.max_hp, vitals.max_hp) << c.column << c.points;
    EXPECT_EQ(c.vitals.magic, vitals.magic) << c.column << c.points;
    EXPECT_EQ(c.vitals.max_magic, vitals.max_magic) << c.column << c.points;
  }
}

class QuestTest : public CombatTest {
 protected:
  void SetUp() override {
    CombatTest::SetUp();
    mkdir("Quests", 0755);
    Write("Data/item.dat", "");  // the fights look up what the caller wears
    test::AddCharacter(test::Character("me", "Hero"));
    db::Exec(db::kQuest, "INSERT INTO %s (UserName,QuestName,QuestDay,Today) VALUES ('me','',0,0)",
             db::TableName(db::kQuest));
  }
  // The caller's quest row as "QuestName|QuestDay|Today".
  static std::string QuestRow() {
    return db::Query(db::kQuest,
                     "SELECT QuestName || '|' || QuestDay || '|' || Today FROM %s WHERE "
                     "UserName='me'",
                     db::TableName(db::kQuest))
        .Text(0, 0);
  }
  static std::string Completions() {
    return db::Query(db::kNews, "SELECT count(*) FROM %s WHERE Title LIKE '%%QUEST COMPLETION%%'",
                     db::TableName(db::kNews))
        .Text(0, 0);
  }
};

TEST_F(QuestTest, TheListIsCutToItsLimitsAndTakesLinesWithoutTheTrailingComma) {
  const std::string long_title(250, 't');
  Write("Data/quests.dat",
        "A,B,a.txt,\nC,D,c.txt\n" + long_title + ",E,e.txt,\nF,G,g.txt,,\nH,I\n");
  const QuestList quests = ReadQuests();
  ASSERT_EQ(3u, quests.size());
  EXPECT_EQ("a.txt", quests[0].script);
  EXPECT_EQ("c.txt", quests[1].script);
  EXPECT_EQ(long_title.substr(0, 199), quests[2].title);
  EXPECT_EQ(3, read_questdata("Data/quests.dat"));
}

TEST_F(QuestTest, AnotherTitleStartsAtTheBeginningAndADayHasOneStart) {
  Write("Quests/two.txt", "Day one.\n@GOLD:10\n@DAYEND:1\nDay two.\n@FINAL@\n");
  db::Exec(db::kQuest, "UPDATE %s SET QuestName='Elsewhere',QuestDay=1", "quest");
  Type("  ");
  RunQuest("two.txt", "Two Days", "Me");
  RunQuest("two.txt", "Two Days", "Me");  // the same day, from another session
  const std::string shown = Screen();
  EXPECT_EQ(1, Count(shown, "Day one."));
  EXPECT_EQ(std::string::npos, shown.find("Day two."));
  EXPECT_NE(std::string::npos, shown.find("You have already been on a quest today!"));
  EXPECT_EQ("Two Days|1|1", QuestRow());
  EXPECT_EQ("110", Player("Gold"));
}

TEST_F(QuestTest, NoToTheContinueQuestionAbandonsTheQuestBeforeTheList) {
  Write("Data/quests.dat", "Two Days,Me,two.txt,\n");
  db::Exec(db::kQuest, "UPDATE %s SET QuestName='Two Days',QuestDay=1", "quest");
  Type("n\r");
  ListQuests();
  const std::string shown = harness::StripAnsi(Screen());
  EXPECT_NE(std::string::npos, shown.find("Continue On Two Days Quest (y/N)?"));
  EXPECT_NE(std::string::npos, shown.find("[1  ] Two Days By: Me"));
  EXPECT_EQ("|0|0", QuestRow());
}

TEST_F(QuestTest, FleeingAQuestFightGoesOnAndLosingOneEndsTheDay) {
  Write("Quests/fight.txt",
        "@MONSTER:Stone Wall:1000000:0:0:0:0:99:0:0\nPast the wall.\n"
        "@MONSTER:Giant:1000000:1000000:0:0:0:1:0:0\nNever told.\n@FINAL@\n");
  Set("HP=1");
  Type("R FY   ");  // run; fight the giant to the death; resurrection; the day ends
  RunQuest("fight.txt", "Fight", "Me");
  const std::string shown = harness::StripAnsi(Screen());
  EXPECT_NE(std::string::npos, shown.find("Current Health: 2/29"));
  EXPECT_EQ(15, Count(shown, "Stone Wall  1,000,000/1,000,000"));
  EXPECT_NE(std::string::npos, shown.find("Past the wall."));
  EXPECT_NE(std::string::npos, shown.find("re-try this quest another day!"));
  EXPECT_EQ(std::string::npos, shown.find("Never told."));
  EXPECT_EQ("Fight|0|1", QuestRow());
  EXPECT_EQ("0", Completions());
}

TEST_F(QuestTest, AMissingListEndsTheDoorThroughTheKitAndAMissingScriptUsesNoDay) {
  try {
    ListQuests();
    ADD_FAILURE() << "the door went on without its quest list";
  } catch (const test::Exited& exited) {
    EXPECT_EQ(1, exited.level);
  }
  EXPECT_TRUE(Saw("Cannot open input file - Data/quests.dat"));
  Type(" ");
  RunQuest("gone.txt", "Gone", "Me");
  EXPECT_TRUE(Saw("Quest Not Found!"));
  EXPECT_EQ("|0|0", QuestRow());
}

TEST_F(QuestTest, AHostileScriptNeitherKillsNorOverflowsNorHoldsADayForever) {
  Write("Quests/bad.txt",
        "@STAT:hp:-99999\n@STAT:MaxHP:-20\n@STAT:Strength:2000000000\n@STAT:Strength:2000000000\n"
        "@HIGH:-50\n@GOLD:-1000\n@MONSTER:Thief:1:0:0:0:0:1:-5000:-5000\n@ITEM:No Such Thing\n"
        "@ANSI:../Data/game.db\n@ANSI:missing.ans\nOne.\n@DAYEND:1\nTwo.\n@DAYEND:1\n"
        "Three.\n@FINAL@\n");
  Set("ProfExp=7,Strength=5");
  Type("      ");
  RunQuest("bad.txt", "Bad", "Me");
  EXPECT_EQ("1|9|2147483647|0|0", Player("HP || '|' || MaxHP || '|' || Strength || '|' || ProfExp "
                                         "|| '|' || Gold"));
  EXPECT_EQ("Bad|1|1", QuestRow());
  EXPECT_EQ("", Player("Equip15"));
  db::Exec(db::kQuest, "UPDATE %s SET Today=0", "quest");
  RunQuest("bad.txt", "Bad", "Me");  // the second "@DAYEND:1" does not end day two
  const std::string shown = Screen();
  EXPECT_NE(std::string::npos, shown.find("Three."));
  EXPECT_EQ(std::string::npos, shown.find("SQLite format"));
  EXPECT_EQ("|0|1", QuestRow());
  EXPECT_EQ("1", Completions());
}

// Two sessions of one user at the list at once: only one goes on the
// day's quest, and its gold is paid once.
TEST_F(QuestTest, TwoSessionsChoosingAtOnceGoOnOneQuest) {
  Write("Data/quests.dat", "Purse,Me,purse.txt,\n");
  Write("Quests/purse.txt", "A purse!\n@GOLD:1000\n@FINAL@\n");
  auto body = [] { ListQuests(); };
  test::TestNode one("me", body);
  test::TestNode two("me", body);
  ASSERT_TRUE(one.WaitFor("Your Choice"));
  ASSERT_TRUE(two.WaitFor("Your Choice"));
  one.Type("1\r    ");
  two.Type("1\r    ");
  EXPECT_EQ(0, one.Finish());
  EXPECT_EQ(0, two.Finish());
  const std::string both = one.Text() + two.Text();
  EXPECT_EQ(1, Count(both, "A purse!"));
  EXPECT_EQ(1, Count(both, "You have already been on a quest today!"));
  EXPECT_EQ("1100", Player("Gold"));
  EXPECT_EQ("1", Completions());
}

// The shipped quests are sysops' examples: each parses whole and runs to
// its end, a day at a time, for a character strong enough for its fights.
TEST_F(QuestTest, TheSampleQuestsRunToTheirEnd) {
  namespace fs = std::filesystem;
  const fs::path data = fs::path(TRV_SOURCE_DIR) / "data";
  fs::copy(data / "Quests", "Quests",
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  fs::copy_file(data / "Data/item.dat", "Data/item.dat", fs::copy_options::overwrite_existing);
  const QuestList quests = ReadQuests((data / "Data/quests.dat").c_str());
  ASSERT_GE(quests.size(), 3u);
  Set("Strength=100000,HP=100000,MaxHP=100000");
  int days = 0;
  for (const Quest& quest : quests) {
    std::ostringstream script;
    script << std::ifstream("Quests/" + quest.script).rdbuf();
    for (const QuestLine& line : ParseQuestScript(script.str()))
      EXPECT_NE(QC::kSkipped, line.command) << quest.script << ":" << line.line_number;
    do {
      db::Exec(db::kQuest, "UPDATE %s SET Today=0", "quest");
      Type(std::string(40, 'F'));  // any key at a pause, fight to the death
      RunQuest(quest.script, quest.title, quest.author);
      Screen();  // read, so a long day never fills the line
    } while (QuestRow().front() != '|' && ++days < 10);
  }
  EXPECT_EQ(std::to_string(quests.size()), Completions());
  EXPECT_EQ("Silver Band", Player("Equip15"));
  EXPECT_EQ("6000", Player("BankGold"));
  EXPECT_EQ("1", Player("HouseTrade"));
}

}  // namespace
}  // namespace trv::combat
