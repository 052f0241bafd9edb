// The daily maintenance as the door runs it: the day check of a normal
// start, -forcemaint and -runmaint, the figures of one run, and runs that
// are killed or meet another node.
#include <signal.h>
#include <sqlite3.h>
#include <stdarg.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kRunWait = 15000ms;

std::string Sql(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* text = sqlite3_vmprintf(format, args);
  va_end(args);
  std::string sql = text;
  sqlite3_free(text);
  return sql;
}

// A date `days` from today by the local clock, as YYYYMMDD.
std::string Day(int days) {
  time_t when = time(nullptr) + days * 86400L;
  struct tm local;
  localtime_r(&when, &local);
  char text[16];
  strftime(text, sizeof text, "%Y%m%d", &local);
  return text;
}

std::string TimeRecord(const std::string& yyyymmdd) { return yyyymmdd + std::string(5, '\0'); }

// A connection of the test's own that holds a read lock on the game
// database, as another node in the middle of a statement would.
class Reader {
 public:
  explicit Reader(const std::string& path) {
    sqlite3_open(path.c_str(), &db_);
    Run("BEGIN");
    Run("SELECT COUNT(*) FROM player");
  }
  ~Reader() { Release(); }
  void Release() {
    if (db_ == nullptr) return;
    Run("COMMIT");
    sqlite3_close(db_);
    db_ = nullptr;
  }

 private:
  void Run(const char* sql) {
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)) << sqlite3_errmsg(db_);
  }
  sqlite3* db_ = nullptr;
};

class MaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table = 0; table < db::kTableCount; ++table) dir_.Exec(db::CreationStatement(table));
    dir_.Exec(
        "INSERT INTO config (MonsterFights,PlayerFights,StartGold,LevelMultiplier,GoodDeeds,"
        "EvilDeeds,Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) VALUES "
        "(17,3,'10000',10000,3,3,1,1,0,0,'')");
    SetTimeFile(Day(-1));
  }

  void SetTimeFile(const std::string& yyyymmdd) {
    dir_.WriteFile("Data/time.dat", TimeRecord(yyyymmdd));
  }

  // A finished character with the columns the day touches; `extra` sets
  // more as "Column=value, ...".
  void AddPlayer(const std::string& user, const std::string& name, int level = 1,
                 const std::string& kingdom = "", const std::string& extra = "") {
    test::Character c(user, name);
    c.level = level;
    c.kingdom = kingdom;
    c.gold = "0";
    c.bank_gold = "1000";
    c.hp = 5;
    c.max_hp = 50;
    c.evil_deeds = 0;
    c.more =
        "ProfExp=10,MagicPower=5,MaxMagicPower=20,Strength=10,Defense=10,Agility=10,"
        "MonsterFights=0,PlayerFights=0,GoodDeeds=0";
    if (!extra.empty()) c.more += "," + extra;
    dir_.AddCharacter(c);
  }

  // A kingdom that the day changes only where a test says so.
  void AddKingdom(int id, const std::string& name, const std::string& ruler,
                  const std::string& ruler_user, const std::string& extra = "") {
    test::Kingdom k(id, name, ruler, ruler_user);
    k.tax_rate = 0;
    k.merchant_tax = 0;
    k.soldiers = 0;
    k.serfs = 0;
    k.land = 0;
    k.treasury = "0";
    k.border_guard_rating = 0;
    k.more = "CrimePrevention=0";
    if (!extra.empty()) k.more += "," + extra;
    dir_.AddKingdom(k);
  }

  std::string Player(const std::string& column, const std::string& user) {
    return dir_.Query(Sql("SELECT %s FROM player WHERE UserName=%Q", column.c_str(), user.c_str()));
  }
  std::string Kingdom(const std::string& column, const std::string& name) {
    return dir_.Query(Sql("SELECT %s FROM kingdom WHERE Name=%Q", column.c_str(), name.c_str()));
  }
  // The letters a user has, as "title|line1|line2" in posting order.
  std::vector<std::string> Mail(const std::string& user) {
    std::vector<std::string> out;
    for (auto& row : dir_.QueryRows(
             Sql("SELECT Line1,Line2,Line3 FROM usernews WHERE UserName=%Q ORDER BY IDNum",
                 user.c_str())))
      out.push_back(row[0] + "|" + row[1] + "|" + row[2]);
    return out;
  }
  long long NewsCount(const std::string& day) {
    return dir_.QueryInt(Sql("SELECT COUNT(*) FROM news WHERE day=%Q", day.c_str()));
  }
  long long PaidDay() { return dir_.QueryInt("PRAGMA user_version"); }

  SessionOptions Options(const std::string& user, std::vector<std::string> args = {},
                         int node = 1) {
    Caller caller;
    caller.user_name = user;
    caller.node = node;
    SessionOptions o = dir_.CallerSession(launch_, caller);
    for (auto& a : args) o.args.push_back(a);
    o.unset_env = {"TRV_MAINT_PAUSE", "TRV_RUNMAINT_WAIT"};
    return o;
  }
  std::unique_ptr<Session> Start(SessionOptions o) {
    return std::make_unique<Session>(std::move(o));
  }

  // A normal start on a due day: the run, its key prompt, then the title.
  void ExpectRunAtStart(Session& s) {
    ASSERT_TRUE(s.WaitFor("Maintenance Running", kRunWait));
    ASSERT_TRUE(s.WaitFor("<<<< Press Any Key >>>>", kRunWait));
    s.Send(" ");
    ASSERT_TRUE(s.WaitForCursor(17, 54));
  }
  void ExpectTitleWithoutRun(Session& s) {
    ASSERT_TRUE(s.WaitForCursor(17, 54, kRunWait));
    EXPECT_EQ(std::string::npos, s.ScreenText().find("Maintenance Running"));
  }
  // Leaves from the title (by hanging up: the closing screen pauses 2 s).
  void Quit(Session& s) {
    s.HangUp();
    EXPECT_TRUE(s.ExitsWith(10, 8000ms));
  }
  void ForceMaint() {
    auto s = Start(Options("Sysop", {"-forcemaint"}));
    ASSERT_TRUE(s->WaitFor("Maintenance Running", kRunWait));
    EXPECT_TRUE(s->ExitsWith(10, kRunWait));
  }

  // The marks of exactly one run for the character "payer" (BankGold 1000).
  void ExpectPaidOnce() {
    EXPECT_EQ("1020", Player("BankGold", "payer"));
    EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM usernews WHERE UserName='payer' AND "
                               "Line1='`bright cyan`BANK INTEREST'"));
    EXPECT_EQ(1, NewsCount("today"));
    EXPECT_EQ(std::stoll(Day(0)), PaidDay());
    EXPECT_EQ(TimeRecord(Day(0)), dir_.ReadFile("Data/time.dat"));
  }

  // Waits until a door started with TRV_MAINT_PAUSE holds at the point.
  ::testing::AssertionResult HeldAt(const std::string& point, Session& s) {
    for (int i = 0; i < 1000; ++i) {
      if (dir_.Exists(point + ".paused")) return ::testing::AssertionSuccess();
      if (!s.Poll().running()) break;
      usleep(10000);
    }
    return ::testing::AssertionFailure() << "never held at " << point << "\n" << s.Transcript();
  }
  void Resume(const std::string& point) { unlink(dir_.File(point + ".paused").c_str()); }

  GameDir dir_;
  std::string launch_;
};

// ---- The day check of a normal start ----

struct StoredDate {
  const char* name;
  bool present;
  std::string bytes;
  bool due;
};

class TimeFileTest : public MaintTest, public ::testing::WithParamInterface<StoredDate> {};

TEST_P(TimeFileTest, NormalStartRunsOnlyWhenTheStoredDateIsNotToday) {
  const StoredDate& stored = GetParam();
  if (stored.present)
    dir_.WriteFile("Data/time.dat", stored.bytes);
  else
    unlink(dir_.File("Data/time.dat").c_str());
  AddPlayer("payer", "Payer");
  auto s = Start(Options("payer"));
  if (stored.due) {
    ExpectRunAtStart(*s);
    ExpectPaidOnce();
    EXPECT_TRUE(dir_.Exists("Backups/" + Day(0) + ".db"));
  } else {
    ExpectTitleWithoutRun(*s);
    EXPECT_EQ("1000", Player("BankGold", "payer"));
    EXPECT_EQ(0, PaidDay());
    // A missing file is made holding today, so today counts as done.
    EXPECT_EQ(TimeRecord(Day(0)), dir_.ReadFile("Data/time.dat"));
  }
  Quit(*s);
}

INSTANTIATE_TEST_SUITE_P(
    StoredDates, TimeFileTest,
    ::testing::Values(StoredDate{"Missing", false, "", false},
                      StoredDate{"Today", true, TimeRecord(Day(0)), false},
                      StoredDate{"Yesterday", true, TimeRecord(Day(-1)), true},
                      StoredDate{"Future", true, TimeRecord(Day(3)), true},
                      StoredDate{"Short", true, Day(0).substr(0, 6), true},
                      StoredDate{"Empty", true, "", true},
                      StoredDate{"Garbled", true, "2024ab01" + std::string(5, '\0'), true},
                      StoredDate{"NoSuchDay", true, TimeRecord("20230229"), true}),
    [](const ::testing::TestParamInfo<StoredDate>& info) { return info.param.name; });

TEST_F(MaintTest, SomebodyOnLineKeepsTheOldDay) {
  AddPlayer("payer", "Payer");
  AddPlayer("busy", "Busy", 1, "", "Status=1,WhereInGame='Main Street'");
  dir_.Exec("UPDATE state SET NumPlayers=1");
  auto s = Start(Options("payer"));
  ASSERT_TRUE(s->WaitFor("** Maintenance has not run today **"));
  ASSERT_TRUE(s->WaitFor("TRVLaunch.exe /RUNMAINT"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(17, 54));
  EXPECT_EQ("1000", Player("BankGold", "payer"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT NumPlayers FROM state"));
  EXPECT_EQ(0, PaidDay());
  EXPECT_EQ(TimeRecord(Day(-1)), dir_.ReadFile("Data/time.dat"));
  Quit(*s);
}

TEST_F(MaintTest, StaleSessionCountDoesNotBlockTheDay) {
  AddPlayer("payer", "Payer");
  dir_.Exec("UPDATE state SET NumPlayers=3");  // doors that died without counting down
  auto s = Start(Options("payer"));
  ExpectRunAtStart(*s);
  ExpectPaidOnce();
  EXPECT_EQ(0, dir_.QueryInt("SELECT NumPlayers FROM state"));
  Quit(*s);
}

TEST_F(MaintTest, ProgressScreenListsEveryStep) {
  AddPlayer("payer", "Payer");
  auto s = Start(Options("payer"));
  for (const char* step :
       {"Tarvessia v4.5: Maintenance Running", "Renaming the necessary files....", "Done!",
        "Resetting the player data files....", "Done!", "Investment Returns....", "Done!",
        "Kingdom taxes/rewards given....", "Done!", "Marriage Updates....", "Done!",
        "Vacuuming Database....", "Done!", "-=-=-", "<<<< Press Any Key >>>>"})
    ASSERT_TRUE(s->WaitFor(step, kRunWait)) << step;
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(17, 54));
  Quit(*s);
}

// ---- One run's figures ----

TEST_F(MaintTest, CharactersAreResetPaidAndTaxed) {
  AddKingdom(1, "Avalon", "King", "king", "MerchantTax=10,Treasury='1000'");
  AddPlayer("merchant", "Merchant", 3, "Avalon", "HouseTrade='3'");
  AddPlayer("king", "King", 9, "Avalon", "HouseTrade='1'");
  AddPlayer("debtor", "Debtor", 2, "", "BankGold='-500'");
  AddPlayer("smuggler", "Smuggler", 4, "Nowhere", "Smuggling='2',WaterTower='1',DrugTrade=''");
  AddPlayer("weak", "Weakling", 1, "",
            "MaxHP=-3,Strength=0,Defense=NULL,Agility=5,MaxMagicPower=-1,HP=0,MagicPower=0");
  AddPlayer("online", "Online", 1, "", "Status=1,WhereInGame='Dark Alley'");
  AddPlayer("halfmade", "Halfmade", 1, "", "Kingdom=NULL,BankGold='1000',HP=0");
  dir_.Exec("INSERT INTO quest (UserName,QuestName,QuestDay,Today) VALUES ('king','Cave',2,1)");
  dir_.Exec("INSERT INTO suicide (UserName) VALUES ('gone')");
  dir_.Exec("INSERT INTO node (TypeOf,SentTo,SentBy) VALUES (2,'king','Merchant')");
  dir_.Exec("INSERT INTO chat (WhoSent,Line1,Line2) VALUES ('King','hi','')");
  ForceMaint();

  // 3 HouseTrade earn 20 % of 120000; a tenth goes to the kingdom.
  EXPECT_EQ("22620", Player("BankGold", "merchant"));  // 1000 + 20 interest + 21600
  EXPECT_EQ((std::vector<std::string>{
                "`bright cyan`BANK INTEREST|Bank interest earned off 2%: $20|",
                "`bright cyan`LEGAL INVESTMENT RETURNS/TAXES|You earned: $24,000|You paid in "
                "merchant taxes: $2,400",
                "`bright cyan`ILLEGAL INVESTMENT RETURNS|`bright cyan`You earned: $0|"}),
            Mail("merchant"));
  // The ruler pays no tax, earns the bonus and hears of the merchant's tax.
  EXPECT_EQ("9020", Player("BankGold", "king"));
  EXPECT_EQ("18", Player("ProfExp", "king"));
  std::vector<std::string> king_mail = Mail("king");
  king_mail.resize(5);  // the kingdom's own news follows
  EXPECT_EQ(
      (std::vector<std::string>{
          "`bright cyan`MERCHANT TAX RECEIVED|Merchant paid $2,400 in merchant taxes..|",
          "`bright cyan`BANK INTEREST|Bank interest earned off 2%: $20|",
          "`bright red`RULER - HIGH EXPERIENCE BONUS|`bright cyan`For being a ruler, you gain "
          "8 pts of profession experience!|",
          "`bright cyan`LEGAL INVESTMENT RETURNS/TAXES|You earned: $8,000|You paid in "
          "merchant taxes: $0",
          "`bright cyan`ILLEGAL INVESTMENT RETURNS|`bright cyan`You earned: $0|"}),
      king_mail);
  EXPECT_EQ("3400", Kingdom("Treasury", "Avalon"));
  // A debt is forgiven, not charged interest.
  EXPECT_EQ("0", Player("BankGold", "debtor"));
  EXPECT_EQ("`bright cyan`BANK INTEREST|Bank interest earned off 2%: $0|", Mail("debtor")[0]);
  // No kingdom row: legal returns untaxed; illegal returns never taxed.
  EXPECT_EQ("2601020", Player("BankGold", "smuggler"));  // 1020 + 2000000 + 600000
  EXPECT_EQ("`bright cyan`ILLEGAL INVESTMENT RETURNS|`bright cyan`You earned: $600,000|",
            Mail("smuggler")[2]);
  // Floors, then a full heal.
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"1", "1", "1", "1", "5", "1", "1"}}),
            dir_.QueryRows("SELECT MaxHP,HP,Strength,Defense,Agility,MaxMagicPower,MagicPower "
                           "FROM player WHERE UserName='weak'"));
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"50", "20"}}),
            dir_.QueryRows("SELECT HP,MagicPower FROM player WHERE UserName='merchant'"));
  // Allowances set, everybody off-line.
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"17", "3", "3", "3", "0", ""}}),
            dir_.QueryRows("SELECT MonsterFights,PlayerFights,GoodDeeds,EvilDeeds,Status,"
                           "WhereInGame FROM player WHERE UserName='online'"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT Today FROM quest WHERE UserName='king'"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM sqlite_master WHERE name IN "
                             "('suicide','node','chat')"));
  // A character still being made is left as it is.
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"1000", "0", "0", "0"}}),
            dir_.QueryRows("SELECT BankGold,MonsterFights,HP,Status FROM player WHERE "
                           "UserName='halfmade'"));
  EXPECT_TRUE(Mail("halfmade").empty());
}

std::string HighLordRecord(const std::string& name, const std::string& user) {
  std::string record(87, '\0');
  record.replace(0, name.size(), name);
  record.replace(21, user.size(), user);
  record.replace(57, 18, "June      24, 2005");
  return record;
}

TEST_F(MaintTest, HighLordIsRewardedOnce) {
  AddPlayer("lord", "Lord", 30, "", "Gold='-5'");
  AddPlayer("other", "Other", 2);
  dir_.WriteFile("Data/trvlord.dat", HighLordRecord("Lord", "lord"));
  ForceMaint();
  EXPECT_EQ("500000", Player("Gold", "lord"));  // a debt on hand counts as none
  EXPECT_EQ("30", Player("ProfExp", "lord"));
  EXPECT_EQ(
      "`grey`-==[HIGH LORD REWARD]=-|`bright cyan`For being thy Tarvessia High Lord:|You "
      "earned $500,000 and 20 high experience pts!",
      Mail("lord")[0]);
  EXPECT_EQ("0", Player("Gold", "other"));
  EXPECT_EQ("10", Player("ProfExp", "other"));
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"Lord earns the rewards for today..", ""}}),
            dir_.QueryRows("SELECT Line1,Line2 FROM news WHERE "
                           "Title='`grey`--==[Tarvessia High Lord]==--`dark green`'"));
}

TEST_F(MaintTest, VacantHighLordTitlePaysNobody) {
  AddPlayer("lord", "Lord", 30);
  dir_.WriteFile("Data/trvlord.dat", HighLordRecord("Lord", ""));
  ForceMaint();
  EXPECT_EQ("0", Player("Gold", "lord"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM news WHERE Title LIKE '%High Lord%'"));
}

TEST_F(MaintTest, EmptyConfigGetsTheDefaultRowBeforeAllowances) {
  dir_.Exec("DELETE FROM config");
  AddPlayer("payer", "Payer");
  ForceMaint();
  EXPECT_EQ((std::vector<std::vector<std::string>>{
                {"17", "3", "10000", "10000", "3", "3", "1", "1", "0", "0", ""}}),
            dir_.QueryRows("SELECT MonsterFights,PlayerFights,StartGold,LevelMultiplier,"
                           "GoodDeeds,EvilDeeds,Assassinations,Mutilations,TournamentMode,"
                           "MaxLevel,EndDate FROM config"));
  EXPECT_EQ("17", Player("MonsterFights", "payer"));
}

// ---- The news roll ----

TEST_F(MaintTest, NewsRollsFromTodayToYesterdayAndANewDayBegins) {
  dir_.Exec(
      "INSERT INTO news (day,Title,Line1,Line2) VALUES ('yesterday','Old','a','b'), "
      "('today','Fresh','c','d')");
  ForceMaint();
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"yesterday", "Fresh"}}),
            dir_.QueryRows("SELECT day,Title FROM news WHERE day<>'today'"));
  auto today = dir_.QueryRows("SELECT Title FROM news WHERE day='today'");
  ASSERT_EQ(1u, today.size());
  const std::vector<std::string> titles = {
      "`bright yellow`A New Day Begins!", "`grey`A Cold Winter Day",
      "`bright yellow`A Bright Summer Day", "`bright yellow`A Disturbing Find!",
      "`bright yellow`Death And Destruction!"};
  EXPECT_NE(titles.end(), std::find(titles.begin(), titles.end(), today[0][0])) << today[0][0];
}

TEST_F(MaintTest, RunningTournamentIsInTheNews) {
  dir_.Exec("UPDATE config SET TournamentMode=1,MaxLevel=30");
  AddPlayer("low", "Low", 3);
  AddPlayer("lead", "Le`bright red`ader", 12);
  ForceMaint();
  EXPECT_EQ(
      (std::vector<std::vector<std::string>>{
          {"`bright cyan`Current Leader: `bright white`Lebright redader`bright cyan` at level "
           "`bright white`12",
           "`bright cyan`Tournament Ends At Level: `bright white`30"}}),
      dir_.QueryRows("SELECT Line1,Line2 FROM news WHERE Title=" +
                     Sql("%Q",
                         "`bright red`\260\261\262 `bright yellow`Tournament Mode "
                         "Running `bright red`\262\261\260")));
  dir_.Exec("UPDATE config SET MaxLevel=0,EndDate='12312099'");
  ForceMaint();
  EXPECT_EQ("`bright cyan`Tournament Ends On: `bright white`12312099",
            dir_.Query("SELECT Line2 FROM news WHERE day='today' AND Title LIKE '%Tournament%'"));
}

// ---- The kingdoms ----

TEST_F(MaintTest, KingdomsGrowPayAndAnswerTheirSerfs) {
  AddKingdom(1, "Growth", "Grower", "grower",
             "Serfs=10000,Land=1200,SerfSupport=75,Treasury='-50',HoldTaxes='5000',"
             "Soldiers=10000001");
  AddKingdom(2, "Exodus", "Leaver", "leaver",
             "Serfs=10000,Land=1200,SerfSupport=40,Soldiers=10000000");
  AddKingdom(3, "Revolt", "Tyrant", "", "Serfs=500,Land=100000000,SerfSupport=20");
  AddKingdom(4, "Calm", "Kind", "", "SerfSupport=60,Land=99999999");
  dir_.Exec("INSERT INTO kingdom (IDNum,Name) VALUES (5,'Unfinished')");
  ForceMaint();

  // 2 % of 1200 acres, and 3948 a serf from the serfs of the morning.
  EXPECT_EQ("10024", Kingdom("Serfs", "Growth"));
  EXPECT_EQ("39485000", Kingdom("Treasury", "Growth"));  // debt gone, 5000 held, 39480000
  EXPECT_EQ("0", Kingdom("HoldTaxes", "Growth"));
  EXPECT_EQ("10000000", Kingdom("Soldiers", "Growth"));
  EXPECT_EQ((std::vector<std::string>{
                "`bright cyan`Serf Population Increases!|Your kingdom sees a serf population "
                "growth of 24|",
                "`bright cyan`KINGDOM TAX COLLECTIONS|Taxes collected from monster fights total: "
                "$5,000|",
                "`bright cyan`SERF TAX COLLECTION|Taxes collected from serf's: $39,480,000|"}),
            Mail("grower"));

  // Support 40: a fifth of the serfs leave and the day's growth is lost.
  EXPECT_EQ("8000", Kingdom("Serfs", "Exodus"));
  EXPECT_EQ("Leaver", Kingdom("Ruler", "Exodus"));
  EXPECT_EQ("10000000", Kingdom("Soldiers", "Exodus"));
  EXPECT_EQ(
      "`bright cyan`SERF EXODUS|Due to a low serf support level your kingdom has an exodus "
      "of people..|Your kingdom loses: 2,000 serfs..",
      Mail("leaver").back());

  // Support 20: the ruler goes, of this kingdom only.
  EXPECT_EQ("", Kingdom("Ruler", "Revolt"));
  EXPECT_EQ("400", Kingdom("Serfs", "Revolt"));
  EXPECT_EQ("2000000", Kingdom("Land", "Revolt"));
  EXPECT_EQ("Kind", Kingdom("Ruler", "Calm"));
  EXPECT_EQ("99999999", Kingdom("Land", "Calm"));  // eight digits stay, whatever they say
  EXPECT_EQ("1999999", Kingdom("Serfs", "Calm"));
  EXPECT_EQ((std::vector<std::vector<std::string>>{
                {"Tyrant was overthrown as a result of low serf support!",
                 "The serfs have made a regime change.."}}),
            dir_.QueryRows("SELECT Line1,Line2 FROM news WHERE Title='`bright red`SERF REVOLT!'"));

  // A kingdom whose founder left before setting anything: no revolt, no fault.
  EXPECT_EQ((std::vector<std::vector<std::string>>{{"0", "0", "0", ""}}),
            dir_.QueryRows("SELECT Treasury,HoldTaxes,Serfs,IFNULL(Ruler,'') FROM kingdom WHERE "
                           "Name='Unfinished'"));
}

// ---- Marriages ----

// A seed whose first draws of rand() % 10 are a birth, a birth, none.
unsigned SeedForBirths() {
  for (unsigned seed = 1;; ++seed) {
    srand(seed);
    int a = rand() % 10, b = rand() % 10, c = rand() % 10;
    if (a < 3 && b < 3 && c >= 3) return seed;
  }
}

TEST_F(MaintTest, CouplesHaveChildrenAndLargeFamiliesFightMore) {
  for (const char* user : {"ann", "bob", "cat", "dan", "eve", "fay"})
    AddPlayer(user, std::string(1, static_cast<char>(toupper(user[0]))) + (user + 1));
  dir_.Exec(
      "INSERT INTO marriage (Partner1,Partner1UserName,Partner2,Partner2UserName,Kids) "
      "VALUES ('Ann','ann','Bob','bob',6), ('Cat','cat','Dan','dan',2), "
      "('Eve','eve','Fay','fay',20)");
  SessionOptions o = Options("Sysop", {"-forcemaint"});
  o.seed = SeedForBirths();
  auto s = Start(std::move(o));
  EXPECT_TRUE(s->ExitsWith(10, kRunWait));

  EXPECT_EQ((std::vector<std::vector<std::string>>{{"7"}, {"3"}, {"20"}}),
            dir_.QueryRows("SELECT Kids FROM marriage ORDER BY Partner1"));
  // Seven kids give one more fight a day each; three give none.
  EXPECT_EQ("18", Player("MonsterFights", "ann"));
  EXPECT_EQ("18", Player("MonsterFights", "bob"));
  EXPECT_EQ("17", Player("MonsterFights", "cat"));
  EXPECT_EQ("17", Player("MonsterFights", "eve"));
  auto ann = Mail("ann");
  ASSERT_GE(ann.size(), 2u);
  EXPECT_EQ(
      "`bright magenta`ROMANTIC NIGHT|`yellow`You and Bob spent the night shagging! Out pops "
      "a kid!|",
      ann[ann.size() - 2]);
  EXPECT_EQ(
      "`bright red`EXTRA MONSTER FIGHTS!|`bright yellow`Your kids make you feel so proud of "
      "them!|You gain an extra `bright green`1`bright yellow` monster fights!",
      ann.back());
  EXPECT_EQ(
      "`bright magenta`ROMANTIC NIGHT|`yellow`You and Cat spent the night shagging! Out pops "
      "a kid!|",
      Mail("dan").back());
  EXPECT_EQ((std::vector<std::vector<std::string>>{
                {"Ann and Bob are the proud parents of a new baby!!"},
                {"Cat and Dan are the proud parents of a new baby!!"}}),
            dir_.QueryRows("SELECT Line1 FROM news WHERE Title='`bright magenta`HAPPY "
                           "PARENTS`bright blue`' ORDER BY Line1"));
}

// ---- Crashes and other nodes ----

struct KillPoint {
  const char* point;
  bool committed;  // the run's transaction was already committed
};

class KilledRunTest : public MaintTest, public ::testing::WithParamInterface<KillPoint> {};

TEST_P(KilledRunTest, NextNormalStartPaysTheDayExactlyOnce) {
  const KillPoint& kill_point = GetParam();
  AddPlayer("payer", "Payer");
  dir_.Exec("INSERT INTO news (day,Title,Line1,Line2) VALUES ('today','Fresh','','')");
  SessionOptions o = Options("payer");
  o.env["TRV_MAINT_PAUSE"] = kill_point.point;
  auto killed = Start(std::move(o));
  ASSERT_TRUE(HeldAt(kill_point.point, *killed));
  killed->Kill(SIGKILL);
  EXPECT_EQ(ExitStatus::Signaled(SIGKILL), killed->WaitExit());
  Resume(kill_point.point);

  auto next = Start(Options("payer"));
  if (kill_point.committed)
    ExpectTitleWithoutRun(*next);
  else
    ExpectRunAtStart(*next);
  Quit(*next);
  ExpectPaidOnce();
  EXPECT_EQ("yesterday", dir_.Query("SELECT day FROM news WHERE Title='Fresh'"));

  auto third = Start(Options("payer"));
  ExpectTitleWithoutRun(*third);
  Quit(*third);
  ExpectPaidOnce();
}

INSTANTIATE_TEST_SUITE_P(Points, KilledRunTest,
                         ::testing::Values(KillPoint{"backup", false}, KillPoint{"players", false},
                                           KillPoint{"kingdoms", false},
                                           KillPoint{"committed", true},
                                           KillPoint{"timefile", true}),
                         [](const ::testing::TestParamInfo<KillPoint>& info) {
                           return std::string(info.param.point);
                         });

TEST_F(MaintTest, TwoDoorsStartingTogetherRunTheDayOnce) {
  AddPlayer("payer", "Payer");
  auto a = Start(Options("alice", {}, 1));
  auto b = Start(Options("bert", {}, 2));
  int runs = 0;
  for (Session* s : {a.get(), b.get()}) {
    ASSERT_TRUE(s->WaitUntil(
        [](const Screen& screen, const std::string& text) {
          return text.find("<<<< Press Any Key >>>>") != std::string::npos ||
                 (screen.CursorRow() == 17 && screen.CursorColumn() == 54);
        },
        "the key prompt or the title", kRunWait));
    if (s->ScreenText().find("Maintenance Running") != std::string::npos) {
      ++runs;
      s->Send(" ");
    }
    ASSERT_TRUE(s->WaitForCursor(17, 54));
  }
  EXPECT_EQ(1, runs);
  ExpectPaidOnce();
  Quit(*a);
  Quit(*b);
}

TEST_F(MaintTest, SecondDoorWaitsForTheRunningDayThenFindsItPaid) {
  AddPlayer("payer", "Payer");
  SessionOptions o = Options("alice", {}, 1);
  o.env["TRV_MAINT_PAUSE"] = "players";
  auto a = Start(std::move(o));
  ASSERT_TRUE(HeldAt("players", *a));
  auto b = Start(Options("bert", {}, 2));
  EXPECT_TRUE(b->WaitExit(1500ms).running());
  EXPECT_EQ(std::string::npos, b->ScreenText().find("Maintenance Running"));
  Resume("players");
  ExpectRunAtStart(*a);
  ExpectTitleWithoutRun(*b);
  ExpectPaidOnce();
  Quit(*a);
  Quit(*b);
}

// ---- The sysop's switches ----

TEST_F(MaintTest, ForceMaintRunsWhileCallersAreOnLine) {
  AddPlayer("payer", "Payer", 1, "", "Status=1,WhereInGame='Main Street'");
  AddPlayer("other", "Other", 1, "", "Status=1,WhereInGame='Dark Alley'");
  dir_.Exec("UPDATE state SET NumPlayers=2");
  SetTimeFile(Day(0));  // the day was run already: the switch runs it again
  auto watcher = Start(Options("watcher", {"-nomaint"}, 2));
  ASSERT_TRUE(watcher->WaitForCursor(17, 54));
  ForceMaint();
  EXPECT_EQ("1020", Player("BankGold", "payer"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM player WHERE Status=1"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT NumPlayers FROM state"));
  // The caller at the title menu plays on.
  watcher->Send("l");
  EXPECT_TRUE(watcher->WaitFor("Payer"));
  EXPECT_TRUE(watcher->WaitFor("Press Any Key"));
  watcher->Send(" ");
  ASSERT_TRUE(watcher->WaitForCursor(17, 54));
  Quit(*watcher);
}

TEST_F(MaintTest, RunMaintWaitsForTheLastCallerToLeave) {
  AddPlayer("payer", "Payer", 1, "", "Status=1,WhereInGame='Main Street'");
  dir_.Exec("UPDATE state SET NumPlayers=1");
  auto s = Start(Options("Sysop", {"/RUNMAINT"}));
  ASSERT_TRUE(s->WaitFor("waiting up to 600 seconds"));
  EXPECT_TRUE(s->WaitExit(1000ms).running());
  EXPECT_EQ("1000", Player("BankGold", "payer"));
  dir_.Exec("UPDATE state SET NumPlayers=0; UPDATE player SET Status=0");
  ASSERT_TRUE(s->WaitFor("Maintenance Running", kRunWait));
  EXPECT_TRUE(s->ExitsWith(10, kRunWait));
  EXPECT_EQ("1020", Player("BankGold", "payer"));
}

TEST_F(MaintTest, RunMaintGivesUpAfterItsTimeLimit) {
  AddPlayer("payer", "Payer", 1, "", "Status=1,WhereInGame='Main Street'");
  dir_.Exec("UPDATE state SET NumPlayers=1");
  SessionOptions o = Options("Sysop", {"-runmaint"});
  o.env["TRV_RUNMAINT_WAIT"] = "1";
  auto s = Start(std::move(o));
  ASSERT_TRUE(s->WaitFor("The realm is still in use after 1 seconds; maintenance has not run."));
  EXPECT_TRUE(s->ExitsWith(10));
  EXPECT_EQ("1000", Player("BankGold", "payer"));
  EXPECT_EQ(0, PaidDay());
}

TEST_F(MaintTest, RunMaintSeesThroughAStaleSessionCount) {
  AddPlayer("payer", "Payer");
  dir_.Exec("UPDATE state SET NumPlayers=2");
  auto s = Start(Options("Sysop", {"-runmaint"}));
  ASSERT_TRUE(s->WaitFor("Maintenance Running", kRunWait));
  EXPECT_TRUE(s->ExitsWith(10, kRunWait));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("waiting up to"));
  ExpectPaidOnce();
  EXPECT_EQ(0, dir_.QueryInt("SELECT NumPlayers FROM state"));
}

// ---- Backup, compaction and the date file ----

TEST_F(MaintTest, BackupIsTheMorningsDatabaseEvenWhileAnotherNodeReads) {
  AddPlayer("payer", "Payer");
  SessionOptions o = Options("Sysop", {"-forcemaint"});
  o.env["TRV_MAINT_PAUSE"] = "begun";
  auto s = Start(std::move(o));
  ASSERT_TRUE(HeldAt("begun", *s));
  // Another node reads through the backup and the whole run.
  Reader reader(dir_.DbPath());
  Resume("begun");
  ASSERT_TRUE(s->WaitFor("Vacuuming Database", kRunWait));
  // With the rollback journal the commit waits for the reader; with the
  // log nobody waits for anybody.
  if (dir_.Query("PRAGMA journal_mode") != "wal")
    EXPECT_TRUE(s->WaitExit(1500ms).running());
  else
    EXPECT_TRUE(s->ExitsWith(10, kRunWait));
  const std::string backup = dir_.File("Backups/" + Day(0) + ".db");
  // The copy is one file, readable with nothing beside it.
  EXPECT_FALSE(dir_.Exists("Backups/" + Day(0) + ".db-wal"));
  sqlite3* copy = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_open_v2(backup.c_str(), &copy, SQLITE_OPEN_READONLY, nullptr));
  auto one = [copy](const char* sql) {
    sqlite3_stmt* st = nullptr;
    std::string value;
    if (sqlite3_prepare_v2(copy, sql, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
      value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    return value;
  };
  EXPECT_EQ("ok", one("PRAGMA integrity_check"));
  EXPECT_EQ("delete", one("PRAGMA journal_mode"));
  EXPECT_EQ("1000", one("SELECT BankGold FROM player WHERE UserName='payer'"));
  EXPECT_EQ("0", one("SELECT COUNT(*) FROM usernews"));
  sqlite3_close(copy);
  reader.Release();
  EXPECT_TRUE(s->ExitsWith(10, kRunWait));
  ExpectPaidOnce();
}

TEST_F(MaintTest, FailedBackupIsReportedAndTheDayStillRuns) {
  AddPlayer("payer", "Payer");
  dir_.WriteFile("Backups", "not a directory");
  auto s = Start(Options("payer"));
  ASSERT_TRUE(s->WaitFor("Backup failed: Backups: ", kRunWait));
  ExpectRunAtStart(*s);
  ExpectPaidOnce();
  Quit(*s);
}

TEST_F(MaintTest, VacuumMeetingAReaderIsSkippedForTheDay) {
  AddPlayer("payer", "Payer");
  SessionOptions o = Options("Sysop", {"-forcemaint"});
  o.env["TRV_MAINT_PAUSE"] = "committed";
  auto s = Start(std::move(o));
  ASSERT_TRUE(HeldAt("committed", *s));
  Reader reader(dir_.DbPath());
  Resume("committed");
  // A reader stops the vacuum for the day under the rollback journal; with
  // the log it compacts beside the reader.
  const bool logged = dir_.Query("PRAGMA journal_mode") == "wal";
  ASSERT_TRUE(s->WaitFor("Vacuuming Database", kRunWait));
  ASSERT_TRUE(s->WaitFor(logged ? "Done!" : "Busy, skipped!", kRunWait));
  reader.Release();  // the door's exit hook writes too
  EXPECT_TRUE(s->ExitsWith(10, kRunWait));
  ExpectPaidOnce();
}

TEST_F(MaintTest, UnwritableDateFileIsReportedAndTheDayIsNotPaidTwice) {
  AddPlayer("payer", "Payer");
  unlink(dir_.File("Data/time.dat").c_str());
  ASSERT_EQ(0, mkdir(dir_.File("Data/time.dat").c_str(), 0755));
  auto first = Start(Options("payer"));
  ASSERT_TRUE(first->WaitFor("Cannot write Data/time.dat: ", kRunWait));
  ExpectRunAtStart(*first);
  Quit(*first);
  auto second = Start(Options("payer"));
  ASSERT_TRUE(second->WaitFor("Cannot write Data/time.dat: ", kRunWait));
  ExpectTitleWithoutRun(*second);
  Quit(*second);
  EXPECT_EQ("1020", Player("BankGold", "payer"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM usernews WHERE UserName='payer' AND "
                             "Line1='`bright cyan`BANK INTEREST'"));
}

}  // namespace
}  // namespace trv::harness
