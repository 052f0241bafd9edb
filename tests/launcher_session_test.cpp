// TRVLaunch as a caller meets it: the title menu, the player listing, the
// closing screen, and the realm's presence on every way out.
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen alone pauses 2 s

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kPlayer, db::kState, db::kNode}) dir_.Exec(db::CreationStatement(table));
  }

  SessionOptions Options(const std::string& user, Link link = Link::kPipes) {
    Caller caller;
    caller.user_name = user;
    SessionOptions o = dir_.CallerSession(launch_, caller, link);
    o.work_dir = "/";  // the door finds its own directory
    return o;
  }

  std::unique_ptr<Session> AtTitle(const std::string& user, Link link = Link::kPipes) {
    auto s = std::make_unique<Session>(Options(user, link));
    EXPECT_TRUE(s->WaitForCursor(17, 54));
    return s;
  }

  // A character, on Main Street when `status` is 1; no kingdom: still
  // being created.
  void AddPlayer(const std::string& user, const std::string& name, int level, int status = 0,
                 const char* gender = "Male",
                 std::optional<std::string> kingdom = std::string("Avalon")) {
    test::Character c(user, name);
    c.level = level;
    c.status = status;
    c.where = status ? "Main Street" : "";
    c.gender = gender;
    c.kingdom = kingdom;
    dir_.AddCharacter(c);
  }

  long long Count(const std::string& sql) { return dir_.QueryInt(sql); }

  GameDir dir_;
  std::string launch_;
};

TEST_F(LauncherTest, TitleScreenWaitsAtRow17Column54AndQuitEndsWithTheClosingScreen) {
  auto s = AtTitle("Alice");
  EXPECT_TRUE(s->WaitForScreen("Turn of Tide"));
  s->Send("x");  // not a title key
  s->Send("Q");
  EXPECT_TRUE(s->WaitFor("Thank you for playing!!"));
  EXPECT_TRUE(s->WaitFor("Tarvessia: Turn of Tide v4.5"));
  EXPECT_TRUE(s->WaitFor("[Compile Date: 06/24/2005]"));
  EXPECT_TRUE(s->WaitFor("Testing/Support    : "));
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
  // Started from elsewhere, the door still opened its own Data/game.db.
  EXPECT_TRUE(dir_.Exists("Data/game.db"));
  EXPECT_FALSE(std::ifstream("/Data/game.db").good());
}

TEST_F(LauncherTest, TitleMenuWorksOverADoor32Socket) {
  auto s = AtTitle("Sockette", Link::kSocketPair);
  s->Send("q");
  EXPECT_TRUE(s->WaitFor("Thank you for playing!!"));
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
}

TEST_F(LauncherTest, EmptyListingShowsOnlyTheHeadAndTheKeyPrompt) {
  dir_.Exec("DROP TABLE player");  // the listing creates it on first use
  auto s = AtTitle("Alice");
  s->Send("l");
  EXPECT_TRUE(s->WaitFor("Tarvessia Player Listing"));
  EXPECT_TRUE(s->WaitFor("Player               Level       Profession"));
  EXPECT_TRUE(s->WaitFor("Press Any Key"));
  EXPECT_EQ(std::string::npos, s->TextAfterMark().find("Continue"));
  s->Send(" ");
  EXPECT_TRUE(s->WaitForCursor(17, 54));
}

TEST_F(LauncherTest, TwentyFiveCharactersPageByTenHighestLevelFirst) {
  for (int i = 1; i <= 25; ++i)
    AddPlayer("user" + std::to_string(i), "Hero" + std::to_string(i), i * 1000, 0,
              i == 25 ? "Female" : "Male");
  auto s = AtTitle("Alice");
  s->Send("l");
  EXPECT_TRUE(s->WaitFor("Hero25"));
  EXPECT_TRUE(s->screen()->Row(5).find(" F ") == 0) << s->screen()->Row(5);
  EXPECT_TRUE(s->WaitFor("25,000"));  // levels are digit-grouped
  EXPECT_TRUE(s->WaitFor("Hero16"));
  EXPECT_TRUE(s->WaitFor("Continue (y/n)? "));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Hero15"));
  s->Send("y");
  EXPECT_TRUE(s->WaitFor("Hero15"));
  EXPECT_TRUE(s->WaitFor("Hero6"));
  EXPECT_TRUE(s->WaitFor("Continue (y/n)? "));
  s->Send("\r");
  EXPECT_TRUE(s->WaitFor("Hero5"));
  EXPECT_TRUE(s->WaitFor("Hero1"));
  EXPECT_TRUE(s->WaitFor("Press Any Key"));
  EXPECT_EQ(std::string::npos, s->TextAfterMark().find("Continue"));
}

TEST_F(LauncherTest, NoAtTheFirstPageEndsTheListingAtOnce) {
  for (int i = 1; i <= 10; ++i)
    AddPlayer("user" + std::to_string(i), "Hero" + std::to_string(i), i);
  auto s = AtTitle("Alice");
  s->Send("l");
  EXPECT_TRUE(s->WaitFor("Continue (y/n)? "));
  s->Send("n");
  EXPECT_TRUE(s->WaitForCursor(17, 54));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Press Any Key"));
}

TEST_F(LauncherTest, NamesCannotCarryColourOrControlsIntoTheListing) {
  AddPlayer("evil", "Ev`bright red`il\x1b[2J", 5);
  auto s = AtTitle("Alice");
  s->Send("l");
  EXPECT_TRUE(s->WaitFor("Evbright redil[2J"));
}

TEST_F(LauncherTest, LeavingTellsEachCallerOnLine) {
  AddPlayer("Leaver", "Wanderer", 3, 1);
  AddPlayer("a", "Ann", 1, 1);
  AddPlayer("b", "Ben", 1, 1);
  AddPlayer("c", "Cat", 1, 1);
  AddPlayer("d", "Dan", 1, 0);  // off-line: not told
  auto s = AtTitle("Leaver");
  s->Send("q");
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
  auto rows = dir_.QueryRows("SELECT TypeOf,SentTo,SentBy FROM node ORDER BY SentTo");
  ASSERT_EQ(3u, rows.size());
  const char* told[] = {"a", "b", "c"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ("0", rows[i][0]);
    EXPECT_EQ(told[i], rows[i][1]);
    EXPECT_EQ("Wanderer", rows[i][2]);
  }
  EXPECT_EQ(0, Count("SELECT Status FROM player WHERE UserName='Leaver'"));
  EXPECT_EQ("", dir_.Query("SELECT WhereInGame FROM player WHERE UserName='Leaver'"));
}

TEST_F(LauncherTest, LeavingAloneOrWithoutACharacterSendsNothing) {
  AddPlayer("Loner", "Hermit", 3, 1);
  auto s = AtTitle("Loner");
  s->Send("q");
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
  AddPlayer("a", "Ann", 1, 1);
  auto t = AtTitle("Nobody");  // no character at all
  t->Send("q");
  EXPECT_TRUE(t->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
}

TEST_F(LauncherTest, HangUpAtTheTitleMarksNothingWrong) {
  dir_.Exec("UPDATE state SET NumPlayers=2");
  AddPlayer("Creator", "Halfmade", 1, 0, "Male", std::nullopt);  // another node mid-creation
  AddPlayer("Quitter", "Unfinished", 1, 0, "Male", std::nullopt);
  AddPlayer("a", "Ann", 1, 1);
  auto s = AtTitle("Quitter");
  s->HangUp();
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(2, Count("SELECT NumPlayers FROM state"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM player WHERE UserName='Creator'"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM player WHERE UserName='Quitter'"));
  EXPECT_EQ(1, Count("SELECT Status FROM player WHERE UserName='a'"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
}

TEST_F(LauncherTest, AFinishedTournamentEndsTheDoorAtTheRealmGate) {
  dir_.Exec(db::CreationStatement(db::kConfig));
  dir_.Exec(
      "INSERT INTO config (MonsterFights,PlayerFights,StartGold,LevelMultiplier,GoodDeeds,"
      "EvilDeeds,Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) VALUES "
      "(17,3,'10000',10000,3,3,1,1,1,10,'')");
  AddPlayer("champ", "Champion", 11);
  auto s = AtTitle("Latecomer");
  s->Send("e");
  EXPECT_TRUE(s->WaitFor("Tournament Over!"));
  EXPECT_TRUE(s->WaitFor("Champion"));
  s->Send(" ");
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM player WHERE UserName='Latecomer'"));
}

TEST_F(LauncherTest, ForceMaintClearsTheSessionCountAndEnds) {
  dir_.Exec("UPDATE state SET NumPlayers=3");
  SessionOptions o = Options("Sysop");
  o.args.push_back("-forcemaint");
  Session s(std::move(o));
  EXPECT_TRUE(s.ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Count("SELECT NumPlayers FROM state"));
  EXPECT_EQ(std::string::npos, s.ScreenText().find("Your choice"));
}

TEST_F(LauncherTest, RunMaintWaitsForAnEmptyRealmThenEnds) {
  AddPlayer("a", "Ann", 1, 1);
  dir_.Exec("UPDATE state SET NumPlayers=1");
  SessionOptions o = Options("Sysop");
  o.args.push_back("/RunMaint");
  Session s(std::move(o));
  EXPECT_TRUE(s.WaitExit(1500ms).running());
  dir_.Exec("UPDATE state SET NumPlayers=0");
  dir_.Exec("UPDATE player SET Status=0");
  EXPECT_TRUE(s.ExitsWith(10, kEndWait));
}

}  // namespace
}  // namespace trv::harness
