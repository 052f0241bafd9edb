// Checks of the harness itself, with plain shell programs as the "door", so
// a fault here is not mistaken for a fault of the door kit.
#include "tests/harness/harness.h"

#include <gtest/gtest-spi.h>
#include <signal.h>

#include <filesystem>

namespace trv::harness {
namespace {

SessionOptions Shell(const std::string& script, Link link = Link::kPipes) {
  SessionOptions o;
  o.program = "/bin/sh";
  o.args = {"-c", script};
  o.link = link;
  return o;
}

TEST(TextTest, AnsiSequencesSplitAcrossReadsAreRemoved) {
  AnsiStripper s;
  std::string out;
  s.Feed("A\x1b[1;3", out);
  s.Feed("1;40mB\x1b", out);
  s.Feed(
      "]0;title\x07"
      "C\x1b(BD\x1b[2J",
      out);
  EXPECT_EQ(out, "ABCD");
}

TEST(TextTest, TelnetCommandsAreRemovedAndDoubledIacKept) {
  TelnetDecoder t;
  std::string out;
  t.Feed(
      "a\xff\xfb\x01"
      "b\xff\xff"
      "c\xff\xfa\x1f\x00\x50\xff",
      out);
  t.Feed(
      "\xff\xf0"
      "d\xff\xf1",
      out);
  EXPECT_EQ(out,
            "ab\xff"
            "cd");
  EXPECT_EQ(t.commands(), (std::vector<std::string>{"WILL 1", "SB 31", "CMD 241"}));
}

TEST(TextTest, Cp437MapsBothWays) {
  EXPECT_EQ(Cp437ToUtf8("\xb0\xb1\xb2 \xdb\x9b\xe1"), "░▒▓ █¢ß");
  for (int b = 0x80; b <= 0xFF; ++b) {
    EXPECT_EQ(CodepointToCp437(Cp437ToCodepoint(static_cast<unsigned char>(b))), b) << b;
  }
}

TEST(ScreenTest, Cp437ArtLandsWhereTheCursorWas) {
  Screen s;
  // 0x9B would be a C1 CSI to a terminal reading raw 8-bit bytes.
  s.Feed("\x1b[5;10H\xb0\xb1\xb2\x9bX\x1b[12;40H");
  EXPECT_EQ(s.Text(5, 10, 5), "░▒▓¢X");
  EXPECT_EQ(s.RowCp437(5), std::string(9, ' ') + "\xb0\xb1\xb2\x9bX");
  EXPECT_EQ(s.CursorRow(), 12);
  EXPECT_EQ(s.CursorColumn(), 40);
}

// SGR 2 is how BBS art asks for normal intensity; BBS terminals drop the
// bold for it.
TEST(ScreenTest, BoldFoldsIntoTheBrightColoursAndDimDropsIt) {
  Screen s;
  s.Feed("\x1b[1;31;40mR\x1b[2;32;40mG\x1b[0mD\x1b[1;44mB\x1b[");
  s.Feed("2;3");
  s.Feed("6m\x1b[1m\x1b[12mX");
  EXPECT_EQ(s.CellAt(1, 1).colour, 9);
  EXPECT_EQ(s.CellAt(1, 2).colour, 2);
  EXPECT_EQ(s.CellAt(1, 3).colour, 7);
  EXPECT_EQ(s.CellAt(1, 4).colour, 15);
  EXPECT_EQ(s.CellAt(1, 4).background, 4);
  EXPECT_EQ(s.CellAt(1, 5).colour, 14);  // 12 is a font choice, not dim
}

TEST(ScreenTest, Utf8ModeTakesTheBytesAsTheyCome) {
  Screen s(24, 80, Screen::Encoding::kUtf8);
  s.Feed("\xe2\x96\x91x");
  EXPECT_EQ(s.Row(1), "░x");
}

TEST(SessionTest, PipesCarryKeysAndOutput) {
  Session s(Shell("printf 'ready\\r\\n'; read line; printf 'got [%s]\\r\\n' \"$line\"; exit 3"));
  ASSERT_TRUE(s.WaitFor("ready"));
  s.Send("hello\n");
  ASSERT_TRUE(s.WaitFor("got [hello]"));
  EXPECT_TRUE(s.ExitsWith(3));
  EXPECT_EQ(s.screen()->Row(2), "got [hello]");
}

TEST(SessionTest, WaitForFailsWithTheTranscript) {
  Session s(Shell("printf 'one\\033[1mtwo'; sleep 5"));
  ASSERT_TRUE(s.WaitFor("onetwo"));
  auto missing = s.WaitFor("three", 200ms);
  EXPECT_FALSE(missing);
  EXPECT_NE(std::string(missing.message()).find("one\\e[1mtwo"), std::string::npos)
      << missing.message();
}

TEST(SessionTest, WaitForFailsAtOnceWhenTheOutputEnds) {
  Session s(Shell("echo bye"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(s.WaitFor("never", 10s));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(SessionTest, HangUpGivesEndOfFileAndBrokenPipe) {
  Session s(Shell("echo ready; read line || exit 7; exit 0"));
  ASSERT_TRUE(s.WaitFor("ready"));
  s.HangUp();
  EXPECT_TRUE(s.ExitsWith(7));

  // A writer whose reader is gone dies of SIGPIPE: the child starts with
  // default signal handling even though the test process ignores it.
  Session w(Shell("echo ready; while :; do echo flood; done"));
  ASSERT_TRUE(w.WaitFor("flood"));
  w.HangUp();
  EXPECT_EQ(w.WaitExit(), ExitStatus::Signaled(SIGPIPE));
}

class SessionLinkTest : public ::testing::TestWithParam<Link> {};

class SocketLinkTest : public ::testing::TestWithParam<Link> {};

TEST_P(SocketLinkTest, SocketIsHandedDownAtTheChosenDescriptor) {
  SessionOptions o = Shell(
      "echo ready >&5; read line <&5 || exit 7; echo \"got [$line]\" >&5; "
      "read more <&5 || exit 8; exit 0",
      GetParam());
  o.child_fd = 5;
  Session s(o);
  ASSERT_TRUE(s.WaitFor("ready"));
  s.Send("hi\n");
  ASSERT_TRUE(s.WaitFor("got [hi]"));
  s.HangUp();
  EXPECT_TRUE(s.ExitsWith(8));
}

INSTANTIATE_TEST_SUITE_P(Links, SocketLinkTest, ::testing::Values(Link::kSocketPair, Link::kTcp),
                         [](const auto& info) { return LinkName(info.param); });

TEST_P(SessionLinkTest, ChildSeesOnlyItsOwnDescriptors) {
  // The shell's own descriptors, listed while it waits for ls.
  // (No redirection: the shell would keep a saved copy open.)
  SessionOptions o = Shell("ls /proc/$$/fd", GetParam());
  Session s(o);
  EXPECT_TRUE(s.ExitsWith(0));
  const bool pipes = GetParam() == Link::kPipes;
  const std::vector<std::string> expected = pipes ? std::vector<std::string>{"0", "1", "2"}
                                                  : std::vector<std::string>{"0", "1", "2", "3"};
  EXPECT_EQ(Lines(pipes ? s.ScreenText() : s.StdoutText()), expected);
}

INSTANTIATE_TEST_SUITE_P(Links, SessionLinkTest,
                         ::testing::Values(Link::kPipes, Link::kSocketPair, Link::kTcp),
                         [](const auto& info) { return LinkName(info.param); });

TEST(SessionTest, AProgramThatCannotStartFailsTheTest) {
  SessionOptions o;
  o.program = "/nonexistent/door";
  EXPECT_NONFATAL_FAILURE({ Session s(o); }, "cannot start /nonexistent/door: No such file");
  o.program = "/bin/sh";
  o.work_dir = "/nonexistent";
  EXPECT_NONFATAL_FAILURE({ Session s(o); }, "cannot start /bin/sh in /nonexistent: No such file");
}

TEST(SessionTest, SeedAndEnvironmentReachTheChild) {
  SessionOptions o = Shell("echo \"seed=$TRV_SEED x=$X home=${HOME:-none}\"");
  o.seed = 42;
  o.env["X"] = "y";
  o.unset_env = {"HOME"};
  Session s(o);
  EXPECT_TRUE(s.WaitFor("seed=42 x=y home=none"));
}

TEST(SessionTest, KillAndTimeLimitsNeverHang) {
  Session s(Shell("echo ready; sleep 30"));
  ASSERT_TRUE(s.WaitFor("ready"));
  EXPECT_TRUE(s.WaitExit(100ms).running());
  s.Kill(SIGTERM);
  EXPECT_EQ(s.WaitExit(), ExitStatus::Signaled(SIGTERM));
  // A child left running is killed when the session ends.
  Session left(Shell("sleep 30"));
}

TEST(SessionTest, TerminalQueriesAreAnswered) {
  Session s(Shell("printf '\\033[3;7H\\033[6n'; head -c 6 | od -An -c >&2"));
  EXPECT_TRUE(s.ExitsWith(0));
  EXPECT_NE(s.StderrText().find("[   3   ;   7   R"), std::string::npos) << s.StderrText();
}

TEST(GameDirTest, LaysOutDataDropFilesAndDatabase) {
  std::string where;
  {
    GameDir dir;
    where = dir.path();
    EXPECT_TRUE(dir.Exists("Data"));
    EXPECT_TRUE(dir.Exists("Skins"));
    EXPECT_TRUE(dir.Exists("Quests"));
    Caller c;
    c.user_name = "Alice";
    c.node = 4;
    c.minutes_left = 33;
    dir.WriteDoor32Sys(c);
    const auto lines = Lines(dir.ReadFile("node4/DOOR32.SYS"));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[6], "Alice");
    EXPECT_EQ(lines[8], "33");
    EXPECT_EQ(lines[10], "4");
    dir.WriteDoorSys(c);
    const auto door_sys = Lines(dir.ReadFile("node4/DOOR.SYS"));
    ASSERT_EQ(door_sys.size(), 52u);
    EXPECT_EQ(door_sys[3], "4");
    EXPECT_EQ(door_sys[18], "33");
    EXPECT_EQ(door_sys[35], "Alice");

    const std::string sh = dir.LinkProgram("/bin/sh", "door");
    SessionOptions o = dir.CallerSession(sh, c, Link::kSocketPair);
    o.args = {"-c", "pwd; sed -n 1,2p " + o.args[1] + "/DOOR32.SYS"};
    o.link = Link::kPipes;
    Session s(o);
    EXPECT_TRUE(s.ExitsWith(0));
    EXPECT_EQ(Lines(s.ScreenText()), (std::vector<std::string>{where, "2", "3"}));

    EXPECT_NONFATAL_FAILURE(dir.Query("SELECT 1"), "unable to open");
    EXPECT_FALSE(dir.Exists("Data/game.db"));
    dir.Exec("CREATE TABLE t (a TEXT, b INTEGER); INSERT INTO t VALUES ('x', 5), (NULL, 6)");
    EXPECT_EQ(dir.Query("SELECT a FROM t WHERE b = 5"), "x");
    EXPECT_EQ(dir.QueryInt("SELECT SUM(b) FROM t"), 11);
    EXPECT_EQ(dir.QueryRows("SELECT a, b FROM t ORDER BY b"),
              (std::vector<std::vector<std::string>>{{"x", "5"}, {"", "6"}}));
  }
  EXPECT_FALSE(std::filesystem::exists(where));
}

}  // namespace
}  // namespace trv::harness
