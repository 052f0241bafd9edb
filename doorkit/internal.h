// Shared state and helpers of the door kit's own units.
#ifndef TRV_DOORKIT_INTERNAL_H_
#define TRV_DOORKIT_INTERNAL_H_

#include <stddef.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"

namespace doorkit {

// ---- cmdline.cpp ----
// Splits an argument line into words; double quotes group words.
std::vector<std::string> SplitWords(const std::string& line);
// Applies the kit's options found among the words to od_control.
void ApplyOptions(const std::vector<std::string>& words);
// Kit options that od_control has no field for.
struct ExtraOptions {
  std::string user_name;  // -USERNAME
  long time_left = -1;    // -TIMELEFT minutes, -1 when not given
  bool stdio = false;     // -STDIO
  bool node_given = false;
};
ExtraOptions& Extra();

// ---- dropfile.cpp ----
struct DropInfo {
  std::string user_name;
  std::string real_name;
  int node = -1;           // -1 when the file does not say
  long minutes_left = -1;  // -1 when the file does not say
  int comm_type = -1;      // DOOR32.SYS line 1
  long comm_handle = -1;   // DOOR32.SYS line 2
};
// Finds and reads the drop file at path (a file or a directory holding
// one). On failure returns false and a one-line reason.
bool ReadDropFile(const std::string& path, DropInfo* info, std::string* error);
// Parses drop file text of a known kind ("DOOR32.SYS", "DOOR.SYS",
// "DORINFO1.DEF" and the like, by file name in any case).
bool ParseDropFile(const std::string& file_name, const std::string& text, DropInfo* info,
                   std::string* error);
// Drops control bytes and surrounding blanks; cuts to fit od_control.
std::string CleanName(const std::string& raw);

// ---- connection.cpp ----
// Opens the connection on the given descriptors.
void ConnOpen(int in_fd, int out_fd, bool is_socket);
// Writes bytes to the caller as they are (CP437 translation and telnet
// escaping applied). A broken line marks carrier loss.
void ConnWrite(const char* data, size_t size);
// Waits up to timeout_ms for input and decodes what came into keys.
// Returns true when a key is waiting.
bool ConnWaitKey(int timeout_ms);
// Waits up to timeout_ms for input and decodes whatever came.
void ConnPump(int timeout_ms);
// Takes the next decoded key; false when none is waiting.
bool ConnTakeKey(unsigned char* key);
// Whether the line is still up.
bool ConnCarrier();
// Marks the line as lost (the caller hung up).
void ConnLost();
// The input may end without the line being lost (local mode fed by a file
// or /dev/null): end of input then only stops the reading.
void ConnInputMayEnd();
// True once such an input has ended.
bool ConnInputEnded();
// Puts a terminal back as it was found.
void ConnRestore();
// Forgets the connection (tests).
void ConnReset();

// ---- doorkit.cpp ----
// Ends the door when the line dropped, a signal came or time ran out.
// Does nothing while the door is already on its way out.
void CheckEvents();
// Notes that the caller pressed a key (resets the inactivity clock).
void NoteActivity();
// Writes a notice of the kit's own (colour markup) on the screen's last
// row and puts the cursor back; "" clears that row.
void NoticeAtFoot(const char* markup);
// True once od_exit has begun.
bool Exiting();
// Milliseconds on a monotonic clock.
long long NowMs();
// Sleeps in slices, watching the line; used by od_sleep and input waits.
void WatchedSleep(long ms);
// Waits for the next key (or takes one if waiting, when wait is false);
// 0 when none came or the line is gone while the door is ending.
unsigned char WaitKey(bool wait);

// ---- output.cpp ----
// Expands colour names between backquotes into ANSI sequences.
std::string ExpandMarkup(const std::string& text);
// Rewrites ANSI sequences for today's terminals (intensity 2 means normal).
std::string FilterAnsi(const std::string& text);
// Sends text to the caller after ANSI filtering.
void Send(const std::string& text);

}  // namespace doorkit

#endif  // TRV_DOORKIT_INTERNAL_H_
