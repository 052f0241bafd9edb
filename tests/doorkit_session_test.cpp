// The door kit as a caller meets it: the probe door run through pipes and
// sockets, with real drop files, hostile input and every way of hanging up.
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr int kLevel = 10;
// The kit must end the door within 5 s of a hang-up; leave room for a busy
// machine so only a kit that never ends fails.
constexpr Millis kEndWait = 8000ms;

// A byte string literal, NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::string Hex(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    char h[4];
    std::snprintf(h, sizeof h, out.empty() ? "%02X" : " %02X", c);
    out += h;
  }
  return out;
}

class DoorKitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("doorprobe");
    ASSERT_FALSE(built.empty()) << "the probe door was not built";
    probe_ = dir_.LinkProgram(built);
    caller_.user_name = "Alice";
    caller_.real_name = "Alice Liddell";
    caller_.node = 3;
    caller_.minutes_left = 45;
  }

  // A session for caller_ with a DOOR32.SYS matching the link.
  SessionOptions Options(Link link = Link::kPipes) {
    SessionOptions o = dir_.CallerSession(probe_, caller_, link);
    o.env["PROBE_HOOK_FILE"] = hook_file_;
    return o;
  }

  // Starts the probe and waits for its menu.
  std::unique_ptr<Session> StartAtMenu(SessionOptions o) {
    auto s = std::make_unique<Session>(std::move(o));
    EXPECT_TRUE(s->WaitFor("Choice: "));
    return s;
  }
  std::unique_ptr<Session> StartAtMenu(Link link = Link::kPipes,
                                       const std::vector<std::string>& extra_args = {}) {
    SessionOptions o = Options(link);
    o.args.insert(o.args.end(), extra_args.begin(), extra_args.end());
    return StartAtMenu(std::move(o));
  }

  // Times the before-exit hook ran.
  int HookCount() const {
    int count = 0;
    for (const auto& line : Lines(dir_.ReadFile("hook.log"))) count += line == "hook";
    return count;
  }

  GameDir dir_;
  Caller caller_;
  std::string probe_;
  std::string hook_file_ = dir_.File("hook.log");
};

// The probe's first line, "User: <name> Node: <n> Time: <minutes>".
struct Greeting {
  std::string user;
  long node = -1;
  long time = -1;
};

Greeting ReadGreeting(Session& s) {
  Greeting g;
  EXPECT_TRUE(s.WaitFor("Choice: "));
  static const std::regex kLine("User: (.*) Node: (-?\\d+) Time: (-?\\d+)\r\n");
  std::smatch m;
  const std::string text = s.ScreenText();
  if (!std::regex_search(text, m, kLine)) {
    ADD_FAILURE() << "no greeting in:\n" << Visible(text);
    return g;
  }
  g.user = m[1];
  g.node = std::stol(m[2]);
  g.time = std::stol(m[3]);
  return g;
}

// Waits for the probe's echo of a typed line; returns its bytes in hex.
std::string EchoedHex(Session& s) {
  if (!s.WaitFor("Got [")) return "<no echo>";
  const size_t from = s.Mark();
  if (!s.WaitFor("\r\n")) return "<no echo>";
  const std::string line = s.ScreenText().substr(from, s.Mark() - from);
  const size_t hex = line.find("] Len ");
  if (hex == std::string::npos) return "<bad echo: " + Visible(line) + ">";
  const size_t start = line.find("Hex", hex);
  std::string out = line.substr(start + 3);
  while (!out.empty() && (out.front() == ' ')) out.erase(out.begin());
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// Types a line at one of the probe's inputs and returns what it got.
std::string TypeLine(Session& s, char item, std::string_view keys) {
  s.Send(std::string(1, item));
  if (!s.WaitFor(": ")) return "<no prompt>";
  s.Send(keys);
  std::string hex = EchoedHex(s);
  EXPECT_TRUE(s.WaitFor("Choice: "));
  return hex;
}

// ---------------------------------------------------------------------------
// Drop files and the command line

TEST_F(DoorKitTest, Door32SysOverPipes) {
  Session s(Options());
  const Greeting g = ReadGreeting(s);
  EXPECT_EQ(g.user, "Alice");
  EXPECT_EQ(g.node, 3);
  EXPECT_EQ(g.time, 45);
  EXPECT_NE(s.ScreenText().find("Real: [Alice Liddell] Limit: 45 Conn: 1"), std::string::npos)
      << Visible(s.ScreenText());
  s.Send("Q");
  EXPECT_TRUE(s.WaitFor("Bye"));
  EXPECT_TRUE(s.ExitsWith(kLevel));
  EXPECT_EQ(HookCount(), 1);
}

class DoorKitSocketTest : public DoorKitTest, public ::testing::WithParamInterface<Link> {};

TEST_P(DoorKitSocketTest, Door32HandleIsUsedWhenItIsASocket) {
  caller_.handle = 5;
  SessionOptions o = Options(GetParam());
  o.child_fd = 5;
  Session s(o);
  const Greeting g = ReadGreeting(s);
  EXPECT_EQ(g.user, "Alice");
  EXPECT_EQ(g.node, 3);
  EXPECT_NE(s.ScreenText().find("Conn: 2"), std::string::npos);
  s.Send("q");
  EXPECT_TRUE(s.WaitFor("Bye"));
  EXPECT_TRUE(s.ExitsWith(kLevel));
  EXPECT_EQ(StripAnsi(s.StdoutText()), "") << "the caller's screen leaked to stdout";
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitSocketTest, SocketOptionWinsOverALocalDropFile) {
  caller_.comm_type = 0;
  caller_.handle = 0;
  SessionOptions o = Options(GetParam());
  o.child_fd = 6;
  o.args.insert(o.args.end(), {"-SOCKET", "6"});
  Session s(o);
  EXPECT_EQ(ReadGreeting(s).user, "Alice");
  EXPECT_NE(s.ScreenText().find("Conn: 2"), std::string::npos);
  s.Send("Q");
  EXPECT_TRUE(s.ExitsWith(kLevel));
}

INSTANTIATE_TEST_SUITE_P(Links, DoorKitSocketTest, ::testing::Values(Link::kSocketPair, Link::kTcp),
                         [](const auto& info) { return LinkName(info.param); });

TEST_F(DoorKitTest, Door32HandleThatIsNoSocketFallsBackToStdio) {
  caller_.comm_type = 2;
  caller_.handle = 7;  // not open in the door
  Session s(Options());
  EXPECT_EQ(ReadGreeting(s).user, "Alice");
  EXPECT_NE(s.ScreenText().find("Conn: 1"), std::string::npos);
  s.Send("Q");
  EXPECT_TRUE(s.ExitsWith(kLevel));
}

TEST_F(DoorKitTest, DoorSysTakesAliasNodeAndMinutes) {
  caller_.user_name = "Shadow";
  caller_.real_name = "Sam Jones";
  caller_.node = 4;
  caller_.minutes_left = 37;
  const std::string file = dir_.WriteDoorSys(caller_, "bbs");
  SessionOptions o = Options();
  o.args = {"-D", file};
  Session s(o);
  const Greeting g = ReadGreeting(s);
  EXPECT_EQ(g.user, "Shadow");
  EXPECT_EQ(g.node, 4);
  EXPECT_EQ(g.time, 37);

  // Without an alias (line 36) the full name of line 10 is the user name.
  caller_.user_name = "";
  const std::string no_alias = dir_.WriteDoorSys(caller_, "bbs2");
  o.args = {"-D", no_alias};
  Session t(o);
  EXPECT_EQ(ReadGreeting(t).user, "Sam Jones");
}

TEST_F(DoorKitTest, DorinfoTakesFirstAndLastName) {
  caller_.real_name = "John Smith";
  caller_.minutes_left = 33;
  dir_.WriteDorinfo(caller_, 1, "bbs");
  SessionOptions o = Options();
  o.args = {"-D", dir_.File("bbs/DORINFO1.DEF"), "-N", "2"};
  Session s(o);
  const Greeting g = ReadGreeting(s);
  EXPECT_EQ(g.user, "John Smith");
  EXPECT_EQ(g.node, 2);
  EXPECT_EQ(g.time, 33);
}

TEST_F(DoorKitTest, DropFileIsFoundByNameInAnyCase) {
  dir_.WriteDoor32Sys(caller_, "lower");
  std::filesystem::rename(dir_.File("lower/DOOR32.SYS"), dir_.File("lower/door32.sys"));
  SessionOptions o = Options();
  o.args = {"-D", dir_.File("lower")};
  Session s(o);
  EXPECT_EQ(ReadGreeting(s).user, "Alice");
}

TEST_F(DoorKitTest, OptionsTakeEitherPrefixAnyCaseAndIgnoreTheGamesOwn) {
  SessionOptions o = Options();
  o.args = {"-nomaint", "/d", dir_.File("node3"), "/n", "6", "-TimeLeft", "25", "/FORCEMAINT"};
  Session s(o);
  const Greeting g = ReadGreeting(s);
  EXPECT_EQ(g.user, "Alice");
  EXPECT_EQ(g.node, 6);
  EXPECT_EQ(g.time, 25);
}

TEST_F(DoorKitTest, MaxTimeCapsTheTimeLeft) {
  Session s(Options());
  EXPECT_EQ(ReadGreeting(s).time, 45);
  SessionOptions o = Options();
  o.args.insert(o.args.end(), {"-MAXTIME", "15"});
  Session capped(o);
  EXPECT_EQ(ReadGreeting(capped).time, 15);
}

TEST_F(DoorKitTest, LocalModeNeedsNoDropFile) {
  SessionOptions o = Options();
  o.args = {"-L", "-USERNAME", "Sysop", "-STDIO"};
  o.env["LC_ALL"] = "C";
  Session s(o);
  EXPECT_EQ(ReadGreeting(s).user, "Sysop");
  s.Send("Q");
  EXPECT_TRUE(s.ExitsWith(kLevel));
}

TEST_F(DoorKitTest, MixedLineEndsAndMissingTrailingLinesAreTolerated) {
  dir_.WriteFile("mixed/DOOR32.SYS",
                 "0\r\n0\n38400\r\nTest BBS\n1\r\nMixed Real\nMixed Up\r\n100\n45\r\n1\n3");
  SessionOptions o = Options();
  o.args = {"-D", dir_.File("mixed")};
  Session s(o);
  Greeting g = ReadGreeting(s);
  EXPECT_EQ(g.user, "Mixed Up");
  EXPECT_EQ(g.node, 3);
  EXPECT_EQ(g.time, 45);

  // Cut after the user name, without a final line end: the rest comes
  // from the command line.
  dir_.WriteFile("short/DOOR32.SYS", "0\n0\n38400\nTest BBS\n1\nShort Real\nShorty");
  o.args = {"-D", dir_.File("short"), "-N", "4"};
  Session t(o);
  g = ReadGreeting(t);
  EXPECT_EQ(g.user, "Shorty");
  EXPECT_EQ(g.node, 4);
  EXPECT_GE(g.time, 0);
}

TEST_F(DoorKitTest, OverlongNameIsCutAndWildNumbersClamped) {
  const std::string name =
      "Abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnop";
  dir_.WriteFile("wild/DOOR32.SYS", "0\n0\n38400\nTest BBS\n1\nReal\n" + name +
                                        "\n100\n99999999999999999999999\n1\n-5\n");
  SessionOptions o = Options();
  o.args = {"-D", dir_.File("wild")};
  Session s(o);
  const Greeting g = ReadGreeting(s);
  EXPECT_FALSE(g.user.empty());
  EXPECT_LE(g.user.size(), 35u);
  EXPECT_EQ(name.compare(0, g.user.size(), g.user), 0) << g.user;
  EXPECT_GE(g.node, 0);
  EXPECT_GE(g.time, 0);
  s.Send("Q");
  EXPECT_TRUE(s.ExitsWith(kLevel));
}

// A drop file the kit cannot use ends the door at once: error level 10, a
// one-line message, and the hook (which would touch the game's database)
// never runs.
struct BadDrop {
  const char* name;
  const char* contents;  // nullptr: no file at all
  bool point_at_file;    // -D names the file rather than its directory
};

class DoorKitBadDropTest : public DoorKitTest, public ::testing::WithParamInterface<BadDrop> {};

TEST_P(DoorKitBadDropTest, EndsAtOnceWithOneLineAndNoHook) {
  const BadDrop& bad = GetParam();
  std::string path = dir_.File("bad");
  std::filesystem::create_directories(path);
  if (bad.contents != nullptr) dir_.WriteFile("bad/DOOR32.SYS", bad.contents);
  if (bad.point_at_file) path += "/DOOR32.SYS";
  SessionOptions o = Options();
  o.args = {"-D", path};
  Session s(o);
  EXPECT_TRUE(s.ExitsWith(kLevel));
  EXPECT_EQ(HookCount(), 0);
  EXPECT_FALSE(dir_.Exists("hook.log"));
  EXPECT_EQ(s.ScreenText().find("User:"), std::string::npos);

  auto non_empty = [](const std::string& text) {
    std::vector<std::string> lines;
    for (auto& l : Lines(text)) {
      if (l.find_first_not_of(" \t") != std::string::npos) lines.push_back(l);
    }
    return lines;
  };
  const auto err = non_empty(s.StderrText());
  const auto out = non_empty(s.ScreenText());
  EXPECT_LE(err.size(), 1u) << s.Transcript();
  EXPECT_LE(out.size(), 1u) << s.Transcript();
  EXPECT_GE(err.size() + out.size(), 1u) << "no message at all";
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DoorKitBadDropTest,
    ::testing::Values(BadDrop{"Missing", nullptr, true}, BadDrop{"EmptyDirectory", nullptr, false},
                      BadDrop{"Empty", "", false},
                      BadDrop{"CutBeforeTheName", "2\n0\n38400\nTest BBS\n1\n", false},
                      BadDrop{"BlankName",
                              "0\r\n0\r\n38400\r\nBBS\r\n1\r\n\r\n   \r\n100\r\n30\r\n", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DoorKitTest, MissingDropPathIsNamedInTheMessage) {
  SessionOptions o = Options();
  const std::string nowhere = dir_.File("nowhere/at/all");
  o.args = {"-D", nowhere};
  Session s(o);
  EXPECT_TRUE(s.ExitsWith(kLevel));
  const std::string said = s.StderrText() + s.ScreenText();
  EXPECT_NE(said.find("nowhere/at/all"), std::string::npos) << Visible(said);
  EXPECT_EQ(HookCount(), 0);
}

// ---------------------------------------------------------------------------
// What the caller types

class DoorKitInputTest : public DoorKitTest, public ::testing::WithParamInterface<Link> {};

TEST_P(DoorKitInputTest, ControlBytesNeverReachTheLine) {
  auto s = StartAtMenu(GetParam());
  // Bytes no editor gives a meaning to: dropped without a trace.
  const std::string noise = Bytes(
      "a\x00\x01\x02\x07\x0b\x0c\x0e\x0f\x10\x11\x12\x13\x14\x16\x17\x1a\x1c\x1d"
      "\x1e\x1f"
      "b\x80\x9b\xfe"
      "c\r");
  EXPECT_EQ(TypeLine(*s, 'I', noise), Hex("abc"));

  // Every control byte (some may edit the line): only printable ASCII comes back.
  std::string all = "x";
  for (int c = 0; c < 0x20; ++c) {
    if (c != '\r' && c != '\n') all += static_cast<char>(c);
  }
  all += "\x7fyz\r";
  const std::string hex = TypeLine(*s, 'I', all);
  for (size_t i = 0; i + 1 < hex.size(); i += 3) {
    const int byte = std::stoi(hex.substr(i, 2), nullptr, 16);
    EXPECT_TRUE(byte >= 0x20 && byte <= 0x7e) << "byte " << hex.substr(i, 2) << " in " << hex;
  }
  EXPECT_NE(hex.find(Hex("yz")), std::string::npos) << hex;
}

TEST_P(DoorKitInputTest, BackspaceAndDeleteBothErase) {
  auto s = StartAtMenu(GetParam());
  EXPECT_EQ(TypeLine(*s, 'I',
                     "abx\bc\x7f\x7f"
                     "d\r"),
            Hex("ad"));
  // Erasing past the start does nothing harmful.
  EXPECT_EQ(TypeLine(*s, 'I', "\b\b\x7fok\r"), Hex("ok"));
}

TEST_P(DoorKitInputTest, TelnetNegotiationInsideTypedText) {
  auto s = StartAtMenu(GetParam());
  const std::string keys = Bytes(
      "ab\xff\xfb\x01"
      "cd\xff\xfa\x1f\x00\x50\x00\x18\xff\xf0"
      "ef\xff\xfd\x03\xff\xf1"
      "gh\r");
  EXPECT_EQ(TypeLine(*s, 'I', keys), Hex("abcdefgh"));
}

TEST_P(DoorKitInputTest, DoubledIacIsALiteralFFOnlyWhenInRange) {
  auto s = StartAtMenu(GetParam());
  EXPECT_EQ(TypeLine(*s, 'I',
                     "a\xff\xff"
                     "b\r"),
            Hex("ab"));
  EXPECT_EQ(TypeLine(*s, 'H',
                     "a\xff\xff"
                     "b\xe9\r"),
            Hex("a\xff"
                "b\xe9"));
}

TEST_P(DoorKitInputTest, RangeAndLengthAreKept) {
  auto s = StartAtMenu(GetParam());
  EXPECT_EQ(TypeLine(*s, 'D', "1x2-3 4.5678\r"), Hex("12345"));
  EXPECT_EQ(TypeLine(*s, 'I', std::string(30, 'w') + "\r"), Hex(std::string(20, 'w')));
  EXPECT_EQ(TypeLine(*s, 'I', "\r"), "");
  // A backquote is text like any other.
  EXPECT_EQ(TypeLine(*s, 'I', "`bright red`\r"), Hex("`bright red`"));
}

TEST_P(DoorKitInputTest, CursorKeysAreSwallowed) {
  auto s = StartAtMenu(GetParam());
  EXPECT_EQ(TypeLine(*s, 'I', "ab\x1b[Dc\x1b[Ad\x1b[1;5C\r"), Hex("abcd"));
}

TEST_P(DoorKitInputTest, CrLfCrNulAndLfAreEachOneEnter) {
  auto s = StartAtMenu(GetParam());
  for (const std::string& enter : {Bytes("\r\n"), Bytes("\r\0"), Bytes("\n")}) {
    SCOPED_TRACE(Visible(enter));
    s->Send("L");
    ASSERT_TRUE(s->WaitFor("First: "));
    s->Send("one" + enter + "two" + enter + "T");
    EXPECT_EQ(EchoedHex(*s), Hex("one"));
    EXPECT_EQ(EchoedHex(*s), Hex("two"));
    ASSERT_TRUE(s->WaitFor("Choice: "));
    // The Enter after "two" must not count twice at the menu.
    ASSERT_TRUE(s->WaitFor("Answer "));
    const size_t at = s->Mark();
    ASSERT_TRUE(s->WaitFor("\r\n"));
    EXPECT_EQ(s->ScreenText().substr(at, 2), "54");
    ASSERT_TRUE(s->WaitFor("Choice: "));
  }
}

TEST_P(DoorKitInputTest, AnswerTakesEitherCaseAndIgnoresOtherKeys) {
  auto s = StartAtMenu(GetParam());
  const size_t start = s->Mark();
  s->Send("x9!t");
  ASSERT_TRUE(s->WaitFor("Term "));
  ASSERT_TRUE(s->WaitFor("Choice: "));
  // One answer, for the t, given as the key list writes it.
  const std::string text = s->ScreenText().substr(start);
  const size_t first = text.find("Answer ");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(text.substr(first, 9), "Answer 54");
  EXPECT_EQ(text.find("Answer ", first + 1), std::string::npos) << Visible(text);
}

TEST_P(DoorKitInputTest, GetKeyWaitsOrNot) {
  auto s = StartAtMenu(GetParam());
  s->Send("N");
  EXPECT_TRUE(s->WaitFor("NoWait 00"));
  s->Send("K");
  ASSERT_TRUE(s->WaitFor("Key: "));
  s->Send("z");
  EXPECT_TRUE(s->WaitFor("Key 7A"));
}

TEST_P(DoorKitInputTest, WindowSizeFromNaws) {
  auto s = StartAtMenu(GetParam());
  s->Send(Bytes("\xff\xfb\x1f\xff\xfa\x1f\x00\x64\x00\x28\xff\xf0"));
  s->Send("T");
  EXPECT_TRUE(s->WaitFor("Term 100x40 Carrier 1"));
}

INSTANTIATE_TEST_SUITE_P(Links, DoorKitInputTest,
                         ::testing::Values(Link::kPipes, Link::kSocketPair),
                         [](const auto& info) { return LinkName(info.param); });

// ---------------------------------------------------------------------------
// Every way out runs the hook exactly once and ends with level 10

class DoorKitHangUpTest : public DoorKitTest, public ::testing::WithParamInterface<Link> {};

TEST_P(DoorKitHangUpTest, AtAKeyWait) {
  auto s = StartAtMenu(GetParam());
  s->HangUp();
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitHangUpTest, InTheMiddleOfLineInput) {
  auto s = StartAtMenu(GetParam());
  s->Send("I");
  ASSERT_TRUE(s->WaitFor("Line: "));
  s->Send("half a li");
  ASSERT_TRUE(s->WaitFor("half a li"));  // echoed: the kit is in the line editor
  s->HangUp();
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitHangUpTest, InTheMiddleOfAFieldEdit) {
  auto s = StartAtMenu(GetParam());
  s->Send("E");
  ASSERT_TRUE(s->WaitFor("Enter Date : "));
  s->Send("01");
  s->HangUp();
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitHangUpTest, WhileOutputIsBeingWritten) {
  auto s = StartAtMenu(GetParam());
  s->Send("W");
  ASSERT_TRUE(s->WaitFor("Line 000300"));
  s->HangUp();
  // Writes now fail with EPIPE or a reset; SIGPIPE must not kill the door.
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitHangUpTest, DuringASleep) {
  SessionOptions o = Options(GetParam());
  o.env["PROBE_SLEEP_MS"] = "60000";
  auto s = StartAtMenu(o);
  s->Send("S");
  ASSERT_TRUE(s->WaitFor("Sleeping"));
  s->HangUp();
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitHangUpTest, WithAHookThatCallsExitAgain) {
  auto s = StartAtMenu(GetParam());
  s->Send("R");
  ASSERT_TRUE(s->WaitFor("Re-entry armed"));
  s->HangUp();
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Links, DoorKitHangUpTest,
                         ::testing::Values(Link::kPipes, Link::kSocketPair, Link::kTcp),
                         [](const auto& info) { return LinkName(info.param); });

class DoorKitSignalTest : public DoorKitTest, public ::testing::WithParamInterface<int> {};

TEST_P(DoorKitSignalTest, EndsLikeAHangUp) {
  auto s = StartAtMenu();
  s->Kill(GetParam());
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitSignalTest, DuringOutputWithAReenteringHook) {
  auto s = StartAtMenu(Link::kSocketPair);
  s->Send("R");
  ASSERT_TRUE(s->WaitFor("Re-entry armed"));
  s->Send("W");
  ASSERT_TRUE(s->WaitFor("Line 000100"));
  s->Kill(GetParam());
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Signals, DoorKitSignalTest, ::testing::Values(SIGTERM, SIGHUP),
                         [](const auto& info) {
                           return std::string(info.param == SIGTERM ? "Term" : "Hup");
                         });

class DoorKitExitTest : public DoorKitTest, public ::testing::WithParamInterface<Link> {};

TEST_P(DoorKitExitTest, OdExitRunsTheHookOnce) {
  auto s = StartAtMenu(GetParam());
  s->Send("Q");
  EXPECT_TRUE(s->WaitFor("Bye"));
  EXPECT_TRUE(s->ExitsWith(kLevel));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitExitTest, OdExitFromInsideTheHookRunsItOnce) {
  auto s = StartAtMenu(GetParam());
  s->Send("R");
  ASSERT_TRUE(s->WaitFor("Re-entry armed"));
  s->Send("Q");
  EXPECT_TRUE(s->ExitsWith(kLevel));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitExitTest, EverythingWrittenBeforeExitArrives) {
  auto s = StartAtMenu(GetParam());
  s->Send("B");
  EXPECT_TRUE(s->ExitsWith(kLevel));
  const std::string text = s->ScreenText();
  EXPECT_NE(text.find("Burst 1999"), std::string::npos);
  EXPECT_NE(text.find("Burst end\r\n"), std::string::npos)
      << Visible(text.substr(text.size() - 200));
  EXPECT_EQ(HookCount(), 1);
}

TEST_P(DoorKitExitTest, InactivityEndsTheDoorAfterAWarning) {
  auto s = StartAtMenu(GetParam(), {"-INACTIVITY", "2"});
  EXPECT_TRUE(s->ExitsWith(kLevel, kEndWait));
  EXPECT_EQ(HookCount(), 1);
  const std::string after = s->TextAfterMark();
  EXPECT_NE(after.find_first_not_of(" \r\n"), std::string::npos)
      << "no warning before the time-out";
}

TEST_P(DoorKitExitTest, KeysKeepAnIdleCallerIn) {
  auto s = StartAtMenu(GetParam(), {"-INACTIVITY", "4"});
  for (int i = 0; i < 6; ++i) {
    std::this_thread::sleep_for(1s);
    s->Send("\r");
    ASSERT_TRUE(s->WaitFor("Answer 0D"));
  }
  EXPECT_TRUE(s->Poll().running()) << s->Transcript();
  s->Send("Q");
  EXPECT_TRUE(s->ExitsWith(kLevel));
  EXPECT_EQ(HookCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Links, DoorKitExitTest, ::testing::Values(Link::kPipes, Link::kSocketPair),
                         [](const auto& info) { return LinkName(info.param); });

// ---------------------------------------------------------------------------
// What the caller sees

TEST_F(DoorKitTest, ColourMarkupIsRenderedInPlace) {
  auto s = StartAtMenu();
  s->Send("C");
  ASSERT_TRUE(s->WaitFor("Colours done"));
  auto screen = s->screen();
  EXPECT_EQ(screen->Row(2), "Red Green Grey White");
  EXPECT_EQ(screen->Row(3), "Yel Blu Mag Cya DRd");
  EXPECT_EQ(screen->Row(4), "DCy DMa DBl DYe BGr");
  EXPECT_EQ(screen->Row(5), "Arg 7");
  EXPECT_EQ(screen->Row(6), "A`nonsense`B`bright red");
  EXPECT_EQ(screen->Row(7), "CyanDim");
  EXPECT_EQ(screen->Row(8), "Y W B");
  struct Expect {
    int row, column, colour;
  };
  for (const Expect& e :
       {Expect{2, 1, 9}, Expect{2, 5, 2}, Expect{2, 11, 7}, Expect{2, 16, 15}, Expect{3, 1, 11},
        Expect{3, 5, 12}, Expect{3, 9, 13}, Expect{3, 13, 14}, Expect{3, 17, 1}, Expect{4, 1, 6},
        Expect{4, 5, 5}, Expect{4, 9, 4}, Expect{4, 13, 3}, Expect{4, 17, 10}, Expect{5, 1, 14},
        Expect{5, 5, 14}, Expect{6, 1, 7}, Expect{7, 1, 14}, Expect{7, 5, 3}}) {
    const Cell cell = screen->CellAt(e.row, e.column);
    EXPECT_EQ(cell.colour, e.colour)
        << "row " << e.row << " column " << e.column << " \"" << cell.text << "\"";
    EXPECT_EQ(cell.background, 0) << "row " << e.row << " column " << e.column;
  }
}

TEST_F(DoorKitTest, CursorClearLineAndScroll) {
  auto s = StartAtMenu();
  s->Send("Z");
  ASSERT_TRUE(s->WaitFor("Screen done"));
  ASSERT_TRUE(s->WaitForCursor(15, 33));
  {
    auto screen = s->screen();
    EXPECT_EQ(screen->Row(1), "");
    EXPECT_EQ(screen->Row(2), "Row3");
    EXPECT_EQ(screen->Row(5), "Row6");
    EXPECT_EQ(screen->Row(6), "");
    EXPECT_EQ(screen->Row(10), "    ABC");
    EXPECT_EQ(screen->Row(20), "Screen done");
  }
  s->Send(" ");
  EXPECT_TRUE(s->WaitFor("Choice: "));
}

TEST_F(DoorKitTest, ScreenFileIsShownAsIsUpToTheSauceMarker) {
  dir_.WriteFile("Skins/PROBE.ANS",
                 "\x1b[2J\x1b[5;10H\x1b[1;34;40m\xb0\xb1\xb2 \x1b[1;33;40mTitle \x1b[1;34;40m"
                 "\xb2\xb1\xb0\x1b[8;1H\x1b[0mEnd of art\x1a"
                 "SAUCE00Hidden record that must not show");
  SessionOptions o = Options();
  o.env["PROBE_FILE"] = "Skins/PROBE.ANS";
  auto s = StartAtMenu(o);
  s->Send("F");
  ASSERT_TRUE(s->WaitFor("Sent 1"));
  EXPECT_EQ(s->ScreenText().find("SAUCE"), std::string::npos);
  auto screen = s->screen();
  EXPECT_EQ(screen->RowCp437(5), std::string(9, ' ') + "\xb0\xb1\xb2 Title \xb2\xb1\xb0");
  EXPECT_EQ(screen->Text(5, 10, 3), "░▒▓");
  EXPECT_EQ(screen->CellAt(5, 10).colour, 12);
  EXPECT_EQ(screen->CellAt(5, 14).colour, 11);
  EXPECT_EQ(screen->Row(8), "End of art");
}

TEST_F(DoorKitTest, MissingScreenFileIsReportedAndTheDoorGoesOn) {
  SessionOptions o = Options();
  o.env["PROBE_FILE"] = "Skins/NOSUCH.ANS";
  auto s = StartAtMenu(o);
  s->Send("F");
  EXPECT_TRUE(s->WaitFor("Sent 0"));
  s->Send("Q");
  EXPECT_TRUE(s->ExitsWith(kLevel));
}

TEST_F(DoorKitTest, Cp437GoesOutUntouchedUnlessTranslationIsAsked) {
  auto s = StartAtMenu();
  s->Send("U");
  ASSERT_TRUE(s->WaitFor("end \xff.\r\n"));
  EXPECT_NE(s->Raw().find("Art \xb0\xb1\xb2 \xdb\xdb end \xff.\r\n"), std::string::npos)
      << Visible(s->Raw());

  SessionOptions o = Options();
  o.args.push_back("-CP437UTF8");
  o.encoding = Screen::Encoding::kUtf8;
  auto t = StartAtMenu(o);
  t->Send("U");
  ASSERT_TRUE(t->WaitFor("end"));
  EXPECT_NE(t->Raw().find("Art ░▒▓ ██ end"), std::string::npos) << Visible(t->Raw());
  EXPECT_TRUE(t->screen()->Contains("Art ░▒▓ ██ end"));
}

// On a telnet link a 0xFF of the art must go out doubled, or the caller's
// client takes it for a command and loses the next byte.
TEST_F(DoorKitTest, Cp437FFIsEscapedOnATelnetLink) {
  auto s = StartAtMenu(Link::kSocketPair);
  s->Send("U");
  ASSERT_TRUE(s->WaitFor("end \xff.\r\n"));
  EXPECT_NE(s->Raw().find("end \xff\xff.\r\n"), std::string::npos) << Visible(s->Raw());
}

TEST_F(DoorKitTest, FieldEditShowsTheFormatAndTakesOnlyFittingKeys) {
  auto s = StartAtMenu();
  s->Send("E");
  ASSERT_TRUE(s->WaitFor("Enter Date : "));
  // Empty positions show the blank character, fixed characters themselves.
  ASSERT_TRUE(s->WaitUntil(
      [](const Screen& sc, const std::string&) { return sc.Text(20, 14, 8) == "░░░░20░░"; },
      "the empty field at row 20 column 14"));
  s->Send("a0b1-05");
  ASSERT_TRUE(s->WaitUntil(
      [](const Screen& sc, const std::string&) { return sc.Text(20, 14, 8) == "010520░░"; },
      "the typed digits in the field"));
  // Every position must be filled before Enter is taken.
  s->Send("\r");
  s->WaitQuiet(300ms);
  EXPECT_EQ(s->ScreenText().find("Edit "), std::string::npos);
  s->Send("06\r");
  ASSERT_TRUE(s->WaitFor("Edit 1 Field [01052006]"));
  EXPECT_EQ(s->screen()->Text(20, 14, 8), "01052006");
}

// ---------------------------------------------------------------------------
// Several callers at once

TEST_F(DoorKitTest, SeveralNodesRunSideBySide) {
  Nodes nodes(dir_, probe_);
  const std::vector<std::pair<std::string, Link>> callers = {
      {"Anna", Link::kPipes}, {"Bert", Link::kSocketPair}, {"Cleo", Link::kTcp}};
  for (size_t i = 0; i < callers.size(); ++i) {
    Caller c;
    c.user_name = callers[i].first;
    c.node = static_cast<int>(i) + 1;
    nodes.Start(c, callers[i].second, [&](SessionOptions& o) {
      o.env["PROBE_HOOK_FILE"] = dir_.File("hook" + std::to_string(c.node) + ".log");
    });
  }
  for (size_t i = 0; i < nodes.size(); ++i) {
    const Greeting g = ReadGreeting(nodes[i]);
    EXPECT_EQ(g.user, callers[i].first);
    EXPECT_EQ(g.node, static_cast<long>(i) + 1);
  }
  nodes[1].Send("Q");
  EXPECT_TRUE(nodes[1].ExitsWith(kLevel));
  EXPECT_TRUE(nodes[0].Poll().running());
  nodes.HangUpAll();
  EXPECT_TRUE(nodes.AllExitWith(kLevel, kEndWait));
  for (int node = 1; node <= 3; ++node) {
    EXPECT_EQ(dir_.ReadFile("hook" + std::to_string(node) + ".log"), "hook\n") << node;
  }
}

}  // namespace
}  // namespace trv::harness
