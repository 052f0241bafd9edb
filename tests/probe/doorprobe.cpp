// A small door for the session tests: each menu key exercises one part of
// the door kit the way the game uses it, and prints what came back in a
// form a test can check exactly.
//
// Environment:
//   PROBE_HOOK_FILE   the before-exit hook appends "hook" to this file
//   PROBE_FILE        screen file for F (default probe.ans)
//   PROBE_SLEEP_MS    length of the S pause (default 3000)
//   PROBE_EDIT_INIT   starting text for E
//   PROBE_EDIT_FLAGS  od_edit_str flags for E (default: fill required)
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "doorkit/doorkit.h"

namespace {

bool reenter_exit = false;

long EnvLong(const char* name, long fallback) {
  const char* value = getenv(name);
  return value != nullptr && *value != '\0' ? strtol(value, nullptr, 0) : fallback;
}

void BeforeExit() {
  // One line per call, so tests can count how often the kit called it.
  if (const char* path = getenv("PROBE_HOOK_FILE")) {
    int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd >= 0) {
      (void)!write(fd, "hook\n", 5);
      close(fd);
    }
  }
  // The game's hook can fail a database statement, whose handler calls
  // od_exit again.
  if (reenter_exit) od_exit(10, FALSE);
}

// Shows a line the caller typed: as text (through od_disp_str, so a
// backquote stays a backquote) and as hex, which tells exactly which bytes
// got through.
void ShowLine(const char* label, const char* text) {
  od_printf("%s [", label);
  od_disp_str(text);
  od_printf("] Len %d Hex", static_cast<int>(strlen(text)));
  for (const char* p = text; *p != '\0'; ++p) {
    od_printf(" %02X", static_cast<unsigned char>(*p));
  }
  od_printf("\r\n");
}

void ReadLine(const char* prompt, int length, unsigned char lowest, unsigned char highest) {
  char buffer[256];
  memset(buffer, 'x', sizeof buffer);  // the kit must terminate the text itself
  od_printf("%s: ", prompt);
  od_input_str(buffer, length, lowest, highest);
  od_printf("\r\n");
  ShowLine("Got", buffer);
}

void Colours() {
  od_clr_scr();
  od_set_cursor(2, 1);
  od_printf("`bright red`Red `dark green`Green `grey`Grey `bright white`White");
  od_set_cursor(3, 1);
  od_printf(
      "`bright yellow`Yel `bright blue`Blu `bright magenta`Mag `bright cyan`Cya `dark red`DRd");
  od_set_cursor(4, 1);
  od_printf("`dark cyan`DCy `dark magenta`DMa `dark blue`DBl `dark yellow`DYe `bright green`BGr");
  // Markup inside an argument counts too: stored news titles carry it.
  od_set_cursor(5, 1);
  od_printf("`grey`%s %d", "`bright cyan`Arg", 7);
  // Unknown and unterminated names print as they are.
  od_set_cursor(6, 1);
  od_printf("`grey`A`nonsense`B`bright red");
  od_set_cursor(7, 1);
  // Dark after bright: the terminal must drop the bold.
  od_disp_emu("\x1b[1;36;40mCyan\x1b[2;33;40mDim", TRUE);
  od_set_cursor(8, 1);
  od_printf("`yellow`Y `white`W `blue`B");
  od_set_cursor(9, 1);
  od_printf("`grey`Colours done");
}

void ScreenOps() {
  od_clr_scr();
  for (int row = 2; row <= 6; ++row) {
    od_set_cursor(row, 1);
    od_printf("Row%d", row);
  }
  od_scroll(1, 2, 80, 6, 1, 0);
  od_set_cursor(10, 5);
  od_printf("ABCDEFGH");
  od_set_cursor(10, 8);
  od_clr_line();
  od_set_cursor(20, 1);
  od_printf("Screen done");
  od_set_cursor(15, 33);
  od_get_key(TRUE);  // holds the cursor still until the test has looked
}

void Edit() {
  char buffer[64] = "";
  if (const char* init = getenv("PROBE_EDIT_INIT")) snprintf(buffer, sizeof buffer, "%s", init);
  const unsigned flags =
      static_cast<unsigned>(EnvLong("PROBE_EDIT_FLAGS", EDIT_FLAG_FILL_REQUIRED));
  od_clr_scr();
  od_set_cursor(19, 1);
  od_printf("Enter Date : ");
  const unsigned result =
      od_edit_str(buffer, "####'20'##", 20, 14, 0x03, 0x21, static_cast<char>(0xB0), flags);
  od_set_cursor(22, 1);
  od_printf("Edit %u ", result);
  ShowLine("Field", buffer);
}

// Writes until the caller hangs up (or half a minute passes, so a kit that
// never notices still ends).
void Flood() {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (long line = 0; std::chrono::steady_clock::now() < end; ++line) {
    od_printf("Line %06ld ....................................................\r\n", line);
  }
  od_printf("Written\r\n");
}

}  // namespace

int main(int argc, char** argv) {
  od_control.od_before_exit = BeforeExit;
  snprintf(od_control.od_prog_name, sizeof od_control.od_prog_name, "Door Probe");
  snprintf(od_control.od_prog_version, sizeof od_control.od_prog_version, "Version 1");
  od_parse_cmd_argv(argc, argv);

  // The first output call starts the kit (drop file, connection); the
  // caller's fields are filled only after it, as in the game.
  od_printf("Door Probe\r\n");
  od_printf("User: %s Node: %d Time: %ld\r\n", od_control.user_name, od_control.od_node,
            od_time_left());
  od_printf("Real: [%s] Limit: %ld Conn: %d\r\n", od_control.user_real_name,
            od_control.user_timelimit, od_control.od_connection);

  for (;;) {
    od_printf("\r\nChoice: ");
    const char key = od_get_answer("IHDLKNEFCZTUSWBRQ\r");
    od_printf("Answer %02X\r\n", static_cast<unsigned char>(key));
    switch (key) {
      case 'I':
        ReadLine("Line", 20, 32, 126);
        break;
      case 'H':
        ReadLine("High", 20, 32, 255);
        break;
      case 'D':
        ReadLine("Digits", 5, '0', '9');
        break;
      case 'L':
        ReadLine("First", 20, 32, 126);
        ReadLine("Second", 20, 32, 126);
        break;
      case 'K': {
        od_printf("Key: ");
        const char c = od_get_key(TRUE);
        od_printf("Key %02X\r\n", static_cast<unsigned char>(c));
        break;
      }
      case 'N': {
        const char c = od_get_key(FALSE);
        od_printf("NoWait %02X\r\n", static_cast<unsigned char>(c));
        break;
      }
      case 'E':
        Edit();
        break;
      case 'F': {
        const char* file = getenv("PROBE_FILE");
        const BOOL sent = od_send_file(file != nullptr ? file : "probe.ans");
        od_printf("\r\nSent %d\r\n", sent ? 1 : 0);
        break;
      }
      case 'C':
        Colours();
        break;
      case 'Z':
        ScreenOps();
        break;
      case 'T':
        od_printf("Term %dx%d Carrier %d\r\n", od_control.od_term_cols, od_control.od_term_rows,
                  od_carrier() ? 1 : 0);
        break;
      case 'U':
        od_printf("Art \xB0\xB1\xB2 \xDB\xDB end \xFF.\r\n");
        break;
      case 'S':
        od_printf("Sleeping\r\n");
        od_sleep(EnvLong("PROBE_SLEEP_MS", 3000));
        od_printf("Slept\r\n");
        break;
      case 'W':
        Flood();
        break;
      case 'B':
        // Everything written before od_exit must reach the caller.
        for (int i = 0; i < 2000; ++i)
          od_printf("Burst %04d ..............................\r\n", i);
        od_printf("Burst end\r\n");
        od_exit(10, FALSE);
      case 'R':
        reenter_exit = true;
        od_printf("Re-entry armed\r\n");
        break;
      case 'Q':
        od_printf("Bye\r\n");
        od_exit(10, FALSE);
      default:
        break;
    }
  }
}
