// The door kit: the door's only link to the caller's terminal and the BBS.
//
// One instance per process (a shared library), so the launcher, the game
// library and the sysop program all see the same od_control. The calls keep
// the classic door-kit names the game is written against.
#ifndef TRV_DOORKIT_DOORKIT_H_
#define TRV_DOORKIT_DOORKIT_H_

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
typedef int BOOL;

// How the kit talks to the caller.
enum {
  OD_CONN_NONE = 0,    // not chosen yet
  OD_CONN_STDIO = 1,   // standard input and output (stdio BBS doors, pipes)
  OD_CONN_SOCKET = 2,  // an inherited TCP socket (DOOR32 doors)
  OD_CONN_LOCAL = 3,   // the sysop's own terminal, no drop file
};

typedef struct {
  // Caller, filled from the drop file (or -USERNAME / the login name locally).
  char user_name[36];
  char user_real_name[36];
  int od_node;
  long user_timelimit;  // minutes left when the door started

  // Filled by the program before any other call.
  char od_prog_name[40];
  char od_prog_version[40];
  char od_prog_copyright[40];
  void (*od_before_exit)(void);
  int od_cmd_show;  // kept for the programs' sake; unused here

  // Kit settings (command line or program may change them before od_init).
  char info_path[512];    // -D: drop file path or its directory
  int od_force_local;     // -L
  int od_connection;      // OD_CONN_*; chosen by od_init unless forced
  int od_socket;          // -SOCKET fd
  long od_maxtime;        // -MAXTIME minutes, 0 = no cap
  long od_inactivity;     // seconds without a key before the caller is dropped
  int od_cp437_utf8;      // -CP437UTF8: translate CP437 output to UTF-8
  int od_cp437_utf8_set;  // the option was given explicitly

  // Read-only state the kit keeps.
  int od_term_cols;  // from telnet NAWS, 80 until told otherwise
  int od_term_rows;  // 24 until told otherwise
  int od_initialized;
} tODControl;

extern tODControl od_control;

// Reads the kit's own options from an argument line (without program path).
// Options start with - or /, any case; a value is the next word, which may
// be double-quoted. Words the kit does not know are left to the program.
void od_parse_cmd_line(const char *line);
// The same for an argv vector (argv[0], the program path, is skipped).
void od_parse_cmd_argv(int argc, char **argv);

// Reads the drop file and opens the connection. Called by every call below
// when it has not run yet. A missing, unreadable or nameless drop file ends
// the program with a one-line message and error level 10.
void od_init(void);

// Output.
void od_printf(const char *format, ...) __attribute__((format(printf, 1, 2)));
void od_disp_emu(const char *text, BOOL remote_echo);
void od_disp_str(const char *text);
void od_disp(const char *buffer, size_t size, BOOL local_echo);
void od_putch(int ch);
void od_clr_scr(void);
void od_clr_line(void);
void od_set_cursor(int row, int column);
void od_scroll(int left, int top, int right, int bottom, int distance, unsigned flags);
BOOL od_send_file(const char *path);
// True when od_printf's markup knows `name` as a colour ("bright red",
// "Dark Green", "grey"): for programs that filter stored markup.
BOOL od_is_colour_name(const char *name);

// Input.
char od_get_key(BOOL wait);
char od_get_answer(const char *keys);
void od_input_str(char *buffer, int max_length, unsigned char lowest, unsigned char highest);

// Formatted field edit. Format characters:
//   #  a digit            %  a digit or blank      9  a digit, + or -
//   A  a letter           L  a letter, shown lower  U  a letter, shown upper
//   M  a letter, first of each word upper           H  a hexadecimal digit
//   X  any printable      '...'  fixed characters (part of the result)
// The buffer receives the whole field, fixed characters included.
enum {
  EDIT_FLAG_NORMAL = 0x0000,
  EDIT_FLAG_NO_REDRAW = 0x0001,      // the field is already on screen
  EDIT_FLAG_EDIT_STRING = 0x0040,    // start from the buffer's contents
  EDIT_FLAG_FILL_REQUIRED = 0x0400,  // Enter is taken only when every position is filled
};
enum {
  EDIT_RETURN_ERROR = 0,
  EDIT_RETURN_ACCEPT = 1,
  EDIT_RETURN_CANCEL = 2,
};
unsigned od_edit_str(char *buffer, const char *format, int row, int column,
                     unsigned char normal_colour, unsigned char highlight_colour, char blank,
                     unsigned flags);

// Pauses while keeping the connection watched (carrier, time limit).
void od_sleep(long milliseconds);

// Calls the before-exit hook once, flushes, restores the terminal and ends
// the process with the error level. term_call is kept for the programs'
// sake: the caller is never hung up.
void od_exit(int level, BOOL term_call) __attribute__((noreturn));

// True while the caller is still connected.
BOOL od_carrier(void);

// Minutes the caller has left.
long od_time_left(void);

// ---- For tests that drive the kit in-process ----
// Uses the given descriptors as the caller's connection (no drop file).
void od_kit_attach(int in_fd, int out_fd);
// Replaces the final process exit: the function gets the error level and
// must not return (a test throws or longjmps out). NULL restores exit().
void od_kit_set_exit_intercept(void (*intercept)(int level));
// Forgets all kit state so the next test starts afresh.
void od_kit_reset(void);

#ifdef __cplusplus
}
#endif

#endif  // TRV_DOORKIT_DOORKIT_H_
