// The kit's life cycle: start-up from the drop file, the watch over the
// line and the clock, and the one way out.
#include <pwd.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <clocale>

#include "doorkit/internal.h"

tODControl od_control = {};

namespace doorkit {

namespace {

enum class ExitState { kRunning, kInHook, kFinishing };

struct Kit {
  ExitState exit_state = ExitState::kRunning;
  long long start_ms = 0;
  long long last_activity_ms = 0;
  long long time_limit_ms = 0;
  bool inactivity_warned = false;
  bool time_warned = false;
  bool ending = false;     // the last word is being written
  bool foot_used = false;  // the last row holds a question the next key answers
  void (*exit_intercept)(int) = nullptr;
};

Kit& K() {
  static Kit kit;
  return kit;
}

volatile sig_atomic_t g_signal = 0;

void OnSignal(int sig) {
  g_signal = sig;
  // Should the door be stuck outside the kit, do not outlive the caller by much.
  alarm(5);
}

void OnAlarm(int) {
  if (g_signal) _exit(10);
}

void InstallSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGHUP, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  action.sa_handler = OnAlarm;
  sigaction(SIGALRM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

void Fail(const std::string& message) {
  fprintf(stderr, "%s\n", message.c_str());
  if (isatty(STDIN_FILENO))
    fprintf(stderr, "No drop file? To run it from this terminal, start it with -L.\n");
  if (!isatty(STDOUT_FILENO)) {
    printf("%s\r\n", message.c_str());
    fflush(stdout);
  }
  exit(10);
}

std::string LoginName() {
  if (const char* user = getenv("USER"); user && *user) return user;
  if (passwd* pw = getpwuid(getuid())) return pw->pw_name;
  return "Sysop";
}

bool IsSocket(int fd) {
  struct stat st;
  return fd > 2 && fstat(fd, &st) == 0 && S_ISSOCK(st.st_mode);
}

bool LocaleIsUtf8() {
  const char* vars[] = {"LC_ALL", "LC_CTYPE", "LANG"};
  for (const char* var : vars) {
    const char* value = getenv(var);
    if (value && *value) return strcasestr(value, "UTF-8") || strcasestr(value, "UTF8");
  }
  return false;
}

void StartClock(long minutes) {
  Kit& kit = K();
  if (od_control.od_maxtime > 0 && minutes > od_control.od_maxtime) minutes = od_control.od_maxtime;
  od_control.user_timelimit = minutes;
  kit.start_ms = kit.last_activity_ms = NowMs();
  kit.time_limit_ms = minutes * 60000LL;
}

// Ends the door with a last word to the caller.
[[noreturn]] void EndWith(const char* message) {
  K().ending = true;
  od_printf("%s", message);
  od_exit(10, FALSE);
}

}  // namespace

long long NowMs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000LL + ts.tv_nsec / 1000000;
}

bool Exiting() { return K().exit_state != ExitState::kRunning; }

void NoteActivity() {
  Kit& kit = K();
  kit.last_activity_ms = NowMs();
  kit.inactivity_warned = false;
  if (kit.foot_used) {
    kit.foot_used = false;
    NoticeAtFoot("");  // the question is answered
  }
}

// A notice of the kit's own goes on the screen's last row, and the cursor
// and colour go back where the game left them: the screen the caller is
// looking at stays as it is, and no line scrolls it away.
void NoticeAtFoot(const char* markup) {
  char place[32];
  const int last_row = od_control.od_term_rows > 0 ? od_control.od_term_rows : 24;
  snprintf(place, sizeof place,
           "\x1b"
           "7\x1b[%d;1H\x1b[K",
           last_row);
  Send(place + ExpandMarkup(markup) +
       "\x1b"
       "8");
}

void CheckEvents() {
  Kit& kit = K();
  if (kit.exit_state != ExitState::kRunning || kit.ending) return;
  if (g_signal || !ConnCarrier()) od_exit(10, FALSE);
  if (kit.time_limit_ms == 0) return;  // the clock has not started
  long long now = NowMs();
  long long left = kit.time_limit_ms - (now - kit.start_ms);
  if (left <= 0)
    EndWith("\r\n\r\n`bright red`Sorry, your time for this call is used up.`grey`\r\n");
  if (left <= 60000 && !kit.time_warned) {
    kit.time_warned = true;
    NoticeAtFoot("`bright yellow`You have one minute left in this call.");
  }
}

// Inactivity counts only while the door waits for the caller.
static void CheckInactivity() {
  Kit& kit = K();
  if (kit.exit_state != ExitState::kRunning || kit.ending) return;
  long long limit = od_control.od_inactivity * 1000LL;
  long long idle = NowMs() - kit.last_activity_ms;
  if (idle >= limit)
    EndWith("\r\n\r\n`bright red`No key pressed for too long; returning you to the BBS.`grey`\r\n");
  long long warn_at = limit >= 120000 ? limit - 60000 : limit / 2;
  if (idle >= warn_at && !kit.inactivity_warned) {
    kit.inactivity_warned = true;
    char text[96];
    snprintf(text, sizeof text,
             "\a`bright yellow`Are you still there? Press a key within %lld seconds.",
             (limit - idle + 999) / 1000);
    NoticeAtFoot(text);
    kit.foot_used = true;
  }
}

void WatchedSleep(long ms) {
  long long until = NowMs() + (ms > 0 ? ms : 0);
  for (;;) {
    CheckEvents();
    long long left = until - NowMs();
    if (left <= 0) return;
    int slice = static_cast<int>(left < 100 ? left : 100);
    // Keys that arrive meanwhile are kept; a dropped line is noticed.
    if (ConnCarrier()) {
      ConnPump(slice);
    } else {
      timespec ts{0, slice * 1000000L};
      nanosleep(&ts, nullptr);
    }
  }
}

// Waits for the next key; 0 when the door is on its way out and the line is gone.
unsigned char WaitKey(bool wait) {
  unsigned char key = 0;
  for (;;) {
    if (ConnTakeKey(&key)) {
      NoteActivity();
      return key;
    }
    CheckEvents();
    if (!ConnCarrier()) return 0;
    if (!wait) {
      CheckInactivity();  // a door polling for keys is waiting for the caller too
      ConnWaitKey(0);
      if (ConnTakeKey(&key)) {
        NoteActivity();
        return key;
      }
      return 0;
    }
    if (ConnInputEnded()) {
      // Nobody is left to press the key this waits for.
      ConnLost();
      CheckEvents();
      return 0;
    }
    CheckInactivity();
    ConnWaitKey(250);
  }
}

}  // namespace doorkit

using namespace doorkit;

void od_init(void) {
  if (od_control.od_initialized) return;
  od_control.od_initialized = TRUE;
  if (od_control.od_inactivity <= 0) od_control.od_inactivity = 300;
  if (od_control.od_term_cols <= 0) od_control.od_term_cols = 80;
  if (od_control.od_term_rows <= 0) od_control.od_term_rows = 24;
  InstallSignals();
  const ExtraOptions& extra = Extra();

  long minutes = 60;
  if (od_control.od_force_local) {
    std::string name = CleanName(extra.user_name.empty() ? LoginName() : extra.user_name);
    if (name.empty()) name = "Sysop";
    snprintf(od_control.user_name, sizeof od_control.user_name, "%s", name.c_str());
    snprintf(od_control.user_real_name, sizeof od_control.user_real_name, "%s", name.c_str());
    if (!od_control.od_cp437_utf8_set) od_control.od_cp437_utf8 = LocaleIsUtf8();
    od_control.od_connection = OD_CONN_LOCAL;
    ConnOpen(STDIN_FILENO, STDOUT_FILENO, false);
    // Run from cron or a script: the input may end, and nobody hung up.
    if (!isatty(STDIN_FILENO)) ConnInputMayEnd();
  } else {
    DropInfo info;
    std::string error;
    if (!ReadDropFile(od_control.info_path, &info, &error)) Fail(error);
    snprintf(od_control.user_name, sizeof od_control.user_name, "%s", info.user_name.c_str());
    snprintf(od_control.user_real_name, sizeof od_control.user_real_name, "%s",
             info.real_name.c_str());
    if (!extra.node_given && info.node >= 0) od_control.od_node = info.node;
    if (info.minutes_left > 0) minutes = info.minutes_left;
    if (od_control.od_socket > 0 && !extra.stdio) {
      if (!IsSocket(od_control.od_socket)) Fail("-SOCKET names no open socket");
      od_control.od_connection = OD_CONN_SOCKET;
    } else if (!extra.stdio && info.comm_type == 2 &&
               IsSocket(static_cast<int>(info.comm_handle))) {
      od_control.od_socket = static_cast<int>(info.comm_handle);
      od_control.od_connection = OD_CONN_SOCKET;
    } else {
      od_control.od_connection = OD_CONN_STDIO;
    }
    if (od_control.od_connection == OD_CONN_SOCKET)
      ConnOpen(od_control.od_socket, od_control.od_socket, true);
    else
      ConnOpen(STDIN_FILENO, STDOUT_FILENO, false);
  }
  if (extra.time_left > 0) minutes = extra.time_left;
  StartClock(minutes);
}

void od_sleep(long milliseconds) {
  od_init();
  WatchedSleep(milliseconds);
}

BOOL od_carrier(void) { return ConnCarrier(); }

long od_time_left(void) {
  Kit& kit = K();
  long long left = kit.time_limit_ms - (NowMs() - kit.start_ms);
  return left > 0 ? static_cast<long>((left + 59999) / 60000) : 0;  // a started minute counts
}

void od_exit(int level, BOOL) {
  Kit& kit = K();
  if (kit.exit_state == ExitState::kRunning) {
    kit.exit_state = ExitState::kInHook;
    if (od_control.od_before_exit) od_control.od_before_exit();
  }
  // A second od_exit (from inside the hook) skips straight to the end.
  kit.exit_state = ExitState::kFinishing;
  ConnRestore();
  fflush(stdout);
  if (kit.exit_intercept) {
    kit.exit_intercept(level);
    _exit(level);  // an intercept must not return
  }
  exit(level);
}

void od_kit_attach(int in_fd, int out_fd) {
  od_control.od_initialized = TRUE;
  if (od_control.od_inactivity <= 0) od_control.od_inactivity = 300;
  od_control.od_connection = OD_CONN_SOCKET;
  signal(SIGPIPE, SIG_IGN);
  ConnOpen(in_fd, out_fd, IsSocket(in_fd));
  StartClock(od_control.user_timelimit > 0 ? od_control.user_timelimit : 60);
}

void od_kit_set_exit_intercept(void (*intercept)(int)) { K().exit_intercept = intercept; }

void od_kit_reset(void) {
  ConnReset();
  void (*intercept)(int) = K().exit_intercept;
  K() = Kit();
  K().exit_intercept = intercept;
  Extra() = ExtraOptions();
  g_signal = 0;
  od_control = tODControl();
}
