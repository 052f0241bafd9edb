// The kit driven in-process over a socketpair.
#include "doorkit/doorkit.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

#include "doorkit/internal.h"

namespace {

struct Exited {
  int level;
};

int g_hook_calls = 0;

class Kit : public ::testing::Test {
 protected:
  void SetUp() override {
    od_kit_reset();
    od_kit_set_exit_intercept([](int level) { throw Exited{level}; });
    g_hook_calls = 0;
    ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, fds_));
    fcntl(fds_[1], F_SETFL, O_NONBLOCK);
    od_kit_attach(fds_[0], fds_[0]);
    od_control.od_inactivity = 5;  // a test that waits for a key in vain fails fast
  }
  void TearDown() override {
    od_kit_reset();
    od_kit_set_exit_intercept(nullptr);
    close(fds_[0]);
    if (fds_[1] >= 0) close(fds_[1]);
  }
  template <size_t N>
  void Type(const char (&keys)[N]) {
    Type(std::string(keys, N - 1));
  }
  void Type(const std::string& keys) {
    ASSERT_EQ(static_cast<ssize_t>(keys.size()), write(fds_[1], keys.data(), keys.size()));
  }
  std::string Screen() {
    std::string out;
    char buffer[4096];
    pollfd p{fds_[1], POLLIN, 0};
    while (poll(&p, 1, 20) > 0) {
      ssize_t n = read(fds_[1], buffer, sizeof buffer);
      if (n <= 0) break;
      out.append(buffer, static_cast<size_t>(n));
    }
    return out;
  }
  void HangUp() {
    close(fds_[1]);
    fds_[1] = -1;
  }
  int fds_[2] = {-1, -1};
};

TEST_F(Kit, ColourNamesBecomeAnsiOverTheWholeFormattedText) {
  od_printf("`bright red`A%s`grey`C", "`dark green`B");
  EXPECT_EQ("\x1b[1;31;40mA\x1b[0;32;40mB\x1b[0;37;40mC", Screen());
  od_printf("`yellow`y`white`w`blue`b`Dark Cyan`c");
  EXPECT_EQ("\x1b[1;33;40my\x1b[1;37;40mw\x1b[0;34;40mb\x1b[0;36;40mc", Screen());
  od_printf("`brown`b`dark brown`d");  // a monster's blow is dark brown
  EXPECT_EQ("\x1b[0;33;40mb\x1b[0;33;40md", Screen());
}

TEST_F(Kit, UnknownOrUnterminatedNamesPrintAsWritten) {
  od_printf("`plaid`x `bright`y 100%% `bright red");
  EXPECT_EQ("`plaid`x `bright`y 100% `bright red", Screen());
}

// What stored-markup filters keep is exactly what the markup expands.
TEST(KitColourNames, KnownInAnyCaseWithBlanksAroundAndAfterBrightOrDark) {
  for (const char* name :
       {"grey", "gray", "brown", "red", "bright red", "dark green", "BRIGHT WHITE", "dark grey",
        "black", "bright magenta", " red ", "bright  red"})
    EXPECT_TRUE(od_is_colour_name(name)) << name;
  for (const char* name :
       {"", "  ", "bright", "bright ", "pink", "darkgreen", "light red", "plaid"})
    EXPECT_FALSE(od_is_colour_name(name)) << name;
  EXPECT_FALSE(od_is_colour_name(nullptr));
}

TEST_F(Kit, EmulatedTextShowsIntensityTwoAsNormal) {
  od_disp_emu("\x1b[2;32;40mgreen\x1b[1;33;40m!\x1b[1;2m", TRUE);
  EXPECT_EQ("\x1b[0;32;40mgreen\x1b[1;33;40m!\x1b[1;22m", Screen());
}

TEST_F(Kit, TelnetSocketDoublesByte255OnOutput) {
  od_disp_str("\xb0\xff");
  EXPECT_EQ("\xb0\xff\xff", Screen());
}

TEST_F(Kit, EnterInEveryFormIsOneKey) {
  Type("a\r\nb\r\0c\nd\r");
  std::string keys;
  for (int i = 0; i < 8; ++i) keys += od_get_key(TRUE);
  EXPECT_EQ("a\rb\rc\rd\r", keys);
  EXPECT_EQ(0, od_get_key(FALSE));
}

TEST_F(Kit, CursorKeysAndTelnetNegotiationAreSwallowed) {
  Type("\x1b[A\x1b[1;5Cx\xff\xfb\x1f\x1bOPy\xff\xfa\x1f\x00\x84\x00\x1e\xff\xf0z");
  EXPECT_EQ('x', od_get_key(TRUE));
  EXPECT_EQ('y', od_get_key(TRUE));
  EXPECT_EQ('z', od_get_key(TRUE));
  EXPECT_EQ(132, od_control.od_term_cols);
  EXPECT_EQ(30, od_control.od_term_rows);
}

TEST_F(Kit, AnswerIsReturnedAsWrittenInTheList) {
  Type("xq");
  EXPECT_EQ('Q', od_get_answer("ELYQ\r"));
  Type("\r");
  EXPECT_EQ('\r', od_get_answer("ELYQ\r"));
  Type("Y");
  EXPECT_EQ('y', od_get_answer("\ryn"));
}

TEST_F(Kit, LineInputKeepsOnlyAllowedCharacters) {
  Type(
      "ab\x01\x1b\x7f"
      "c\x00\x1f\xff\xff"
      "d\x08"
      "e\tfghij\r");
  char buffer[8];
  od_input_str(buffer, 5, ' ', '~');
  EXPECT_STREQ("acefg", buffer);
  Type("12a34\r");
  od_input_str(buffer, 7, '0', '9');
  EXPECT_STREQ("1234", buffer);
  Type("\r");
  od_input_str(buffer, 7, ' ', '~');
  EXPECT_STREQ("", buffer);
}

TEST_F(Kit, FormattedEditKeepsFixedCharacters) {
  Type(
      "01a05\x08"
      "5062\r");  // the century is fixed; a key past the end is refused
  char buffer[16] = "";
  EXPECT_EQ(static_cast<unsigned>(EDIT_RETURN_ACCEPT),
            od_edit_str(buffer, "####'20'##", 20, 14, 0x03, 0x21, '\xb0', 0x440));
  EXPECT_STREQ("01052006", buffer);
  EXPECT_NE(std::string::npos, Screen().find("\x1b[20;14H"));
}

TEST_F(Kit, FormattedEditWaitsForAFullFieldWhenAsked) {
  Type("12\r34\r");
  char buffer[8] = "";
  od_edit_str(buffer, "####", 1, 1, 7, 7, ' ', EDIT_FLAG_FILL_REQUIRED);
  EXPECT_STREQ("1234", buffer);
}

TEST_F(Kit, ExitRunsTheHookOnceEvenWhenReenteredFromIt) {
  od_control.od_before_exit = [] {
    ++g_hook_calls;
    od_exit(10, FALSE);
  };
  try {
    od_exit(7, FALSE);
    FAIL() << "od_exit returned";
  } catch (const Exited& e) {
    EXPECT_EQ(10, e.level);  // the inner call finishes the exit
  }
  EXPECT_EQ(1, g_hook_calls);
}

TEST_F(Kit, HangUpAtAKeyWaitEndsThroughTheHook) {
  od_control.od_before_exit = [] { ++g_hook_calls; };
  HangUp();
  try {
    od_get_key(TRUE);
    FAIL() << "returned after hang-up";
  } catch (const Exited& e) {
    EXPECT_EQ(10, e.level);
  }
  EXPECT_EQ(1, g_hook_calls);
}

TEST_F(Kit, HangUpWhileWritingEndsThroughTheHook) {
  od_control.od_before_exit = [] {
    ++g_hook_calls;
    od_printf("goodbye\r\n");  // the line is gone: must neither block nor recurse
  };
  HangUp();
  try {
    for (int i = 0; i < 100000; ++i) od_printf("%d lines of text\r\n", i);
    FAIL() << "writing went on after hang-up";
  } catch (const Exited& e) {
    EXPECT_EQ(10, e.level);
  }
  EXPECT_EQ(1, g_hook_calls);
}

TEST_F(Kit, InactivityWarnsThenEnds) {
  od_control.od_inactivity = 1;
  od_control.od_before_exit = [] { ++g_hook_calls; };
  try {
    od_get_key(TRUE);
    FAIL();
  } catch (const Exited& e) {
    EXPECT_EQ(10, e.level);
  }
  std::string screen = Screen();
  // On the last row, the cursor and colour put back: the screen art stays.
  size_t warning = screen.find("Are you still there?");
  ASSERT_NE(std::string::npos, warning);
  size_t foot = screen.rfind(
      "\x1b"
      "7\x1b[24;1H\x1b[K",
      warning);
  ASSERT_NE(std::string::npos, foot);
  EXPECT_EQ(std::string::npos, screen.substr(foot, warning - foot).find('\n'));
  EXPECT_NE(std::string::npos, screen.find("\x1b"
                                           "8",
                                           warning));
  EXPECT_NE(std::string::npos, screen.find("returning you to the BBS"));
  EXPECT_EQ(1, g_hook_calls);
}

TEST_F(Kit, ACallerIdleInAPollingLoopIsDroppedToo) {
  od_control.od_inactivity = 1;
  od_control.od_before_exit = [] { ++g_hook_calls; };
  try {
    for (int i = 0; i < 100; ++i) {  // about 5 s at most
      od_get_key(FALSE);
      od_sleep(50);
    }
    FAIL() << "an idle caller stayed";
  } catch (const Exited& e) {
    EXPECT_EQ(10, e.level);
  }
  EXPECT_EQ(1, g_hook_calls);
}

TEST_F(Kit, SleepKeepsKeysTypedMeanwhile) {
  Type("k");
  od_sleep(50);
  EXPECT_EQ('k', od_get_key(FALSE));
}

}  // namespace

namespace {

TEST(KitClock, TheLastMinuteIsAnnouncedOnce) {
  od_kit_reset();
  int fds[2];
  ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, fds));
  od_control.user_timelimit = 1;
  od_kit_attach(fds[0], fds[0]);
  od_printf("a");
  od_printf("b");
  EXPECT_EQ(1, od_time_left());
  char buffer[512] = {};
  ssize_t n = read(fds[1], buffer, sizeof buffer - 1);
  ASSERT_GT(n, 0);
  std::string screen(buffer, static_cast<size_t>(n));
  size_t warning = screen.find("You have one minute left");
  EXPECT_NE(std::string::npos, warning);
  EXPECT_EQ(std::string::npos, screen.find("You have one minute", warning + 1));
  od_kit_reset();
  close(fds[0]);
  close(fds[1]);
}

}  // namespace
