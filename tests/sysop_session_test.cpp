// The door as sysops run it: started by any path, from cron with nothing
// on standard input, after a door was killed outright, with a database it
// cannot open, across a world reset, and checked by TRVConfig -check.
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace fs = std::filesystem;

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

std::string Today() {
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  char text[16];
  strftime(text, sizeof text, "%Y%m%d", &local);
  return text;
}

// A program run as cron runs it: standard input /dev/null, output to a
// file, no terminal.
class Unattended {
 public:
  Unattended(const std::string& program, const std::vector<std::string>& args,
             const std::string& work_dir, const std::string& output_dir)
      : output_(output_dir + "/unattended." + std::to_string(getpid()) + ".out") {
    pid_ = fork();
    if (pid_ == 0) {
      int in = open("/dev/null", O_RDONLY);
      int out = open(output_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (in < 0 || out < 0 || chdir(work_dir.c_str()) != 0) _exit(99);
      dup2(in, 0);
      dup2(out, 1);
      dup2(out, 2);
      unsetenv("TRV_RUNMAINT_WAIT");
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(98);
    }
  }
  ~Unattended() {
    if (status_ < 0 && pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    unlink(output_.c_str());
  }
  // The exit status, or -1 when it still runs after `timeout`.
  int Wait(Millis timeout) {
    for (auto end = std::chrono::steady_clock::now() + timeout; status_ < 0;) {
      int raw = 0;
      if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        break;
      }
      if (std::chrono::steady_clock::now() >= end) break;
      usleep(20000);
    }
    return status_;
  }
  std::string Output() const {
    FILE* file = fopen(output_.c_str(), "rb");
    std::string text;
    if (file == nullptr) return text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    fclose(file);
    return text;
  }

 private:
  std::string output_;
  pid_t pid_ = -1;
  int status_ = -1;
};

class SysopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    launch_ = dir_.LinkProgram(ProgramPath("TRVLaunch"));
    config_ = dir_.LinkProgram(ProgramPath("TRVConfig"));
    for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews,
                      db::kTavChat, db::kConfig})
      dir_.Exec(db::CreationStatement(table));
    dir_.WriteFile("Data/time.dat", Today() + std::string(5, '\0'));  // the day is paid
    test::Kingdom avalon(1, "Avalon", "X", "x");
    avalon.tax_rate = 20;
    dir_.AddKingdom(avalon);
  }

  void AddCharacter(const std::string& user, const std::string& name) {
    test::Character c(user, name);
    c.bank_gold = "1000";
    c.more = "MaxMagicPower=5,Strength=5,Defense=5,Agility=5";
    dir_.AddCharacter(c);
  }

  SessionOptions Options(const std::string& user, std::vector<std::string> extra = {}) {
    Caller caller;
    caller.user_name = user;
    SessionOptions o = dir_.CallerSession(launch_, caller);
    for (auto& a : extra) o.args.push_back(a);
    o.work_dir = "/";  // the door finds its own directory
    return o;
  }

  std::unique_ptr<Session> AtTitle(const std::string& user) {
    auto s = std::make_unique<Session>(Options(user));
    EXPECT_TRUE(s->WaitForCursor(17, 54));
    return s;
  }

  // Title, E, the entry list and the news question: Main Street.
  std::unique_ptr<Session> OnMainStreet(const std::string& user, bool others_online = false) {
    auto s = AtTitle(user);
    s->Send("e");
    EXPECT_TRUE(s->WaitFor(others_online ? "Press Any Key" : "No one else is online.."));
    s->Send(" ");
    EXPECT_TRUE(s->WaitFor("Read Daily Realm News (y/n)? "));
    s->Send("n");
    EXPECT_TRUE(s->WaitForCursor(21, 26));
    return s;
  }

  // A caller whose door is killed outright in the realm: the row says
  // on-line, the session is counted, and no exit hook ran.
  void KillInRealm(const std::string& user) {
    auto s = OnMainStreet(user);
    ASSERT_EQ("1", Player("Status", user));
    s->Kill(SIGKILL);
    ASSERT_EQ(ExitStatus::Signaled(SIGKILL), s->WaitExit());
  }

  std::string Player(const std::string& column, const std::string& user) {
    return dir_.Query("SELECT " + column + " FROM player WHERE UserName='" + user + "'");
  }
  long long Sessions() { return dir_.QueryInt("SELECT NumPlayers FROM state"); }
  long long PaidDay() { return dir_.QueryInt("PRAGMA user_version"); }

  GameDir dir_;
  std::string launch_;
  std::string config_;
};

// ---- Program paths ----

struct StartPath {
  const char* name;
  // Makes the program path and the directory it is started from.
  std::string (*prepare)(GameDir& dir, std::string* work_dir);
};

const StartPath kStartPaths[] = {
    {"RelativeWithADirectory",
     [](GameDir& dir, std::string* work_dir) {
       *work_dir = fs::path(dir.path()).parent_path().string();
       return fs::path(dir.path()).filename().string() + "/TRVLaunch";
     }},
    {"ThroughASymlinkElsewhere",
     [](GameDir& dir, std::string* work_dir) {
       *work_dir = dir.File("elsewhere");
       fs::create_directories(*work_dir);
       fs::create_symlink(dir.File("TRVLaunch"), dir.File("elsewhere/door"));
       return std::string("./door");
     }},
    {"FromADirectoryWithABlank",
     [](GameDir& dir, std::string* work_dir) {
       // A whole game directory whose path holds a blank.
       const fs::path game = dir.File("my doors");
       fs::create_directories(game);
       for (const char* sub : {"Data", "Skins"})
         fs::copy(dir.File(sub), game / sub, fs::copy_options::recursive);
       fs::create_hard_link(dir.File("TRVLaunch"), game / "TRVLaunch");
       *work_dir = "/";
       return (game / "TRVLaunch").string();
     }},
};

class StartPathTest : public SysopTest, public ::testing::WithParamInterface<StartPath> {};

TEST_P(StartPathTest, TheDoorWorksInItsOwnDirectoryAfterEveryChange) {
  Caller caller;
  caller.user_name = "walker";
  SessionOptions o = dir_.CallerSession(launch_, caller);
  o.program = GetParam().prepare(dir_, &o.work_dir);
  const std::string game =
      fs::path(o.program).is_absolute() ? fs::path(o.program).parent_path().string() : dir_.path();
  Session s(std::move(o));
  ASSERT_TRUE(s.WaitForCursor(17, 54));
  // The listing returns to the title, which enters the directory again.
  s.Send("l");
  ASSERT_TRUE(s.WaitFor("Press Any Key"));
  s.Send(" ");
  ASSERT_TRUE(s.WaitForCursor(17, 54));
  EXPECT_EQ(std::string::npos, s.ScreenText().find("auto-parsed"));
  s.Send("q");
  EXPECT_TRUE(s.ExitsWith(10, kEndWait));
  EXPECT_TRUE(fs::exists(game + "/Data/game.db")) << game;
  EXPECT_TRUE(fs::exists(game + "/Data/time.dat")) << game;
}

INSTANTIATE_TEST_SUITE_P(Paths, StartPathTest, ::testing::ValuesIn(kStartPaths),
                         [](const ::testing::TestParamInfo<StartPath>& info) {
                           return info.param.name;
                         });

TEST_F(SysopTest, TrvConfigByARelativePathKeepsItsDirectoryAfterAnEditor) {
  SessionOptions o;
  o.program = fs::path(dir_.path()).filename().string() + "/TRVConfig";
  o.work_dir = fs::path(dir_.path()).parent_path().string();
  o.args = {"-L"};
  Session s(std::move(o));
  ASSERT_TRUE(s.WaitForCursor(16, 23));
  s.Send("c");
  ASSERT_TRUE(s.WaitFor("Your Selection :"));
  s.Send("x");
  ASSERT_TRUE(s.WaitForCursor(16, 23));
  EXPECT_EQ(std::string::npos, s.ScreenText().find("auto-parsed"));
  s.Send("x");
  EXPECT_TRUE(s.ExitsWith(10));
}

// ---- Cron ----

TEST_F(SysopTest, RunMaintFromCronWaitsForTheCallerThenRuns) {
  AddCharacter("payer", "Payer");
  auto caller = OnMainStreet("payer");
  Unattended cron(launch_, {"-L", "-runmaint"}, "/", dir_.path());
  // Nothing on standard input is no dropped line: it waits.
  EXPECT_EQ(-1, cron.Wait(1500ms)) << cron.Output();
  EXPECT_EQ(0, PaidDay());
  caller->Send("q");
  ASSERT_TRUE(caller->ExitsWith(10, kEndWait));
  ASSERT_EQ(10, cron.Wait(15000ms)) << cron.Output();
  EXPECT_NE(std::string::npos, cron.Output().find("Maintenance Running"));
  EXPECT_EQ(std::stoll(Today()), PaidDay());
  EXPECT_EQ("1020", Player("BankGold", "payer"));
}

// ---- Killed doors ----

TEST_F(SysopTest, AKilledDoorsCallerIsAGhostToTheNextDoor) {
  AddCharacter("gone", "Gone");
  AddCharacter("next", "Next");
  ASSERT_NO_FATAL_FAILURE(KillInRealm("gone"));
  EXPECT_EQ(1, Sessions());
  // The next caller finds nobody on-line and no notice is left for the ghost.
  auto s = OnMainStreet("next");
  EXPECT_EQ("0", Player("Status", "gone"));
  EXPECT_EQ("", Player("WhereInGame", "gone"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM node WHERE SentTo='gone'"));
  s->Send(".");
  ASSERT_TRUE(s->WaitFor("Send TeleGram"));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Gone"));
  s->Send("n");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  EXPECT_EQ(1, Sessions());  // only the next caller's own
  s->Send("q");
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Sessions());
}

TEST_F(SysopTest, AGhostRepairedWhileADoorWaitsAtTheTitleLeavesTheCountExact) {
  AddCharacter("waiter", "Waiter");
  AddCharacter("gone", "Gone");
  AddCharacter("next", "Next");
  auto waiter = AtTitle("waiter");  // a running door, not yet counted
  ASSERT_NO_FATAL_FAILURE(KillInRealm("gone"));
  EXPECT_EQ(1, Sessions());
  auto next = OnMainStreet("next");
  EXPECT_EQ(1, Sessions());  // the ghost's count went, the waiter was never in
  next->Send("q");
  ASSERT_TRUE(next->ExitsWith(10, kEndWait));
  waiter->Send("e");
  ASSERT_TRUE(waiter->WaitFor("No one else is online.."));
  EXPECT_EQ(0, Sessions());  // counted only as it comes on-line
  waiter->Send(" ");
  ASSERT_TRUE(waiter->WaitFor("Read Daily Realm News (y/n)? "));
  waiter->Send("n");
  ASSERT_TRUE(waiter->WaitForCursor(21, 26));
  EXPECT_EQ(1, Sessions());
  waiter->Send("q");
  ASSERT_TRUE(waiter->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Sessions());
}

TEST_F(SysopTest, RunMaintSeesThroughAGhostAndRuns) {
  AddCharacter("gone", "Gone");
  ASSERT_NO_FATAL_FAILURE(KillInRealm("gone"));
  Unattended cron(launch_, {"-L", "-runmaint"}, "/", dir_.path());
  ASSERT_EQ(10, cron.Wait(15000ms)) << cron.Output();
  EXPECT_EQ(std::string::npos, cron.Output().find("waiting up to"));
  EXPECT_EQ(std::stoll(Today()), PaidDay());
  EXPECT_EQ("0", Player("Status", "gone"));
}

// ---- The health check ----

TEST_F(SysopTest, HealthCheckReportsAGhostAndRepairsIt) {
  AddCharacter("here", "Here");
  AddCharacter("gone", "Gone");
  auto live = OnMainStreet("here");
  {
    Unattended check(config_, {"-check"}, "/", dir_.path());
    EXPECT_EQ(0, check.Wait(5000ms)) << check.Output();
    const std::string out = check.Output();
    EXPECT_NE(std::string::npos, out.find("Callers marked on-line: 1")) << out;
    EXPECT_NE(std::string::npos, out.find("door running")) << out;
    EXPECT_NE(std::string::npos, out.find("integrity ok")) << out;
    EXPECT_NE(std::string::npos, out.find("journal mode")) << out;
    EXPECT_NE(std::string::npos, out.find("today " + Today() + ": done")) << out;
    EXPECT_NE(std::string::npos, out.find("All is well.")) << out;
  }
  live->Send("q");
  ASSERT_TRUE(live->ExitsWith(10, kEndWait));
  ASSERT_NO_FATAL_FAILURE(KillInRealm("gone"));
  {
    Unattended check(config_, {"-check"}, "/", dir_.path());
    EXPECT_EQ(1, check.Wait(5000ms)) << check.Output();
    const std::string out = check.Output();
    EXPECT_NE(std::string::npos, out.find("NO DOOR")) << out;
    EXPECT_NE(std::string::npos,
              out.find("Session count (NumPlayers): 1; doors running: 0 (STALE)"))
        << out;
    EXPECT_EQ("1", Player("Status", "gone"));  // a check alone changes nothing
  }
  {
    Unattended repair(config_, {"-check", "-repair"}, "/", dir_.path());
    EXPECT_EQ(0, repair.Wait(5000ms)) << repair.Output();
    EXPECT_NE(std::string::npos, repair.Output().find("Repaired: Gone (gone) marked off-line"))
        << repair.Output();
  }
  EXPECT_EQ("0", Player("Status", "gone"));
  EXPECT_EQ(0, Sessions());
}

// ---- Start-up errors ----

TEST_F(SysopTest, ADatabaseThatCannotBeOpenedIsReportedOnStderrWithItsPath) {
  unlink(dir_.DbPath().c_str());
  fs::create_directory(dir_.DbPath());  // even root cannot open a directory as a database
  Session s(Options("caller"));
  ASSERT_TRUE(s.WaitFor("DB create error"));
  EXPECT_TRUE(s.ExitsWith(10, kEndWait));
  EXPECT_NE(std::string::npos, s.StderrText().find("DB create error: " + dir_.DbPath()))
      << s.StderrText();
}

// ---- The world reset under a running door ----

TEST_F(SysopTest, ACallerWhoseWorldWasResetIsSentBackWithANotice) {
  AddCharacter("player", "Player");
  auto s = OnMainStreet("player");
  for (const char* suffix : {"", "-journal", "-wal", "-shm"})
    unlink((dir_.DbPath() + suffix).c_str());
  s->Send(".");
  ASSERT_TRUE(s->WaitFor("The sysop has reset the realm; your character is gone."));
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM player"));
}

// ---- The chat room ----

TEST_F(SysopTest, ChatEchoStaysWithinTheScreenAndTheWholeLineIsSent) {
  AddCharacter("talker", "Talker");
  auto s = OnMainStreet("talker");
  s->Send("=");
  ASSERT_TRUE(s->WaitFor("[Tarvessia Chat Room]"));
  ASSERT_TRUE(s->WaitForCursor(22, 9));
  const std::string line = std::string(60, 'a') + std::string(13, 'z');  // the 73 allowed
  s->Send(line + "zz");
  ASSERT_TRUE(s->WaitForCursor(22, 80));
  s->WaitQuiet();
  EXPECT_EQ(79u, s->screen()->Row(22).size()) << s->screen()->Dump();
  EXPECT_EQ("", s->screen()->Row(23));
  s->Send("\r");
  ASSERT_TRUE(s->WaitForScreen("Talker: aaaa"));
  s->WaitQuiet();
  EXPECT_EQ("[Chat]:", s->screen()->Row(22));
  EXPECT_EQ("", s->screen()->Row(23));
  for (int row = 1; row <= 24; ++row) EXPECT_LE(s->screen()->Row(row).size(), 79u) << row;
  EXPECT_EQ(line, dir_.Query("SELECT Line1 FROM tavchat ORDER BY IDNum DESC LIMIT 1"));
  // A patron who drops inside the room leaves it: the last one empties it.
  s->HangUp();
  EXPECT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM tavchat"));
  EXPECT_EQ("", Player("WhereInGame", "talker"));
}

}  // namespace
}  // namespace trv::harness
