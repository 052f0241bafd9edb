// One caller's session with a door program, driven as a BBS would: the
// program runs as a child process and talks to us through pipes (stdio
// doors) or a socket handed down as a numbered descriptor (DOOR32 doors).
//
// Everything the door sends is kept: the raw bytes, the text with ANSI
// sequences removed, and a rendered 80x24 screen. Every wait has a time
// limit, and the destructor kills a child that is still running, so a
// broken door can fail a test but never hang it. A failing test prints the
// transcript of its sessions; TRV_SHOW_TRANSCRIPT=1 prints it always.
#ifndef TRV_TESTS_HARNESS_SESSION_H_
#define TRV_TESTS_HARNESS_SESSION_H_

#include <gtest/gtest.h>
#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/harness/screen.h"
#include "tests/harness/text.h"

namespace trv::harness {

using Millis = std::chrono::milliseconds;
using namespace std::chrono_literals;

// Default limit of every wait.
inline constexpr Millis kDefaultWait = 5000ms;

// How the caller is connected.
enum class Link {
  kPipes,       // the child's stdin and stdout
  kSocketPair,  // a Unix socket pair; the child's end is descriptor `child_fd`
  kTcp,         // a TCP connection over 127.0.0.1; the child's end is `child_fd`
};
const char* LinkName(Link link);

struct SessionOptions {
  std::string program;
  std::vector<std::string> args;
  std::string work_dir;  // empty: the test's own
  // Set in the child's environment (the rest is inherited, TRV_SEED too).
  std::map<std::string, std::string> env;
  std::vector<std::string> unset_env;
  // Sets TRV_SEED for the child.
  std::optional<unsigned> seed;

  Link link = Link::kPipes;
  // Descriptor number the child sees its socket as (socket links only).
  int child_fd = 3;
  // Socket links: the door speaks telnet, so its IAC commands are removed
  // from the text and the screen (the raw bytes keep them).
  bool telnet = true;
  // Answer the terminal's own queries (ESC[6n and the like) as a real
  // terminal would.
  bool answer_queries = true;

  int rows = 24;
  int cols = 80;
  Screen::Encoding encoding = Screen::Encoding::kCp437;
};

struct ExitStatus {
  enum class Kind { kRunning, kExited, kSignaled };
  Kind kind = Kind::kRunning;
  int code = -1;   // exit code (the door's error level) when kExited
  int signal = 0;  // signal number when kSignaled

  static ExitStatus Exited(int code) { return {Kind::kExited, code, 0}; }
  static ExitStatus Signaled(int signal) { return {Kind::kSignaled, -1, signal}; }
  bool running() const { return kind == Kind::kRunning; }
  bool exited() const { return kind == Kind::kExited; }
  std::string Describe() const;
  bool operator==(const ExitStatus& other) const;
  bool operator!=(const ExitStatus& other) const { return !(*this == other); }
};
std::ostream& operator<<(std::ostream& out, const ExitStatus& status);

class Session {
 public:
  explicit Session(SessionOptions options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const SessionOptions& options() const { return options_; }
  pid_t pid() const { return pid_; }

  // --- Keys ---
  // Sends bytes as typed (no translation). Fails the test when the link is
  // closed.
  void Send(std::string_view bytes);
  // Sends text and Enter (CR, as telnet clients send it).
  void SendLine(std::string_view text);
  // Sends bytes as typed; false (and no failure) when the door is gone or
  // the line closed: a load that kills doors on purpose sends to dead ones.
  bool TrySend(std::string_view bytes);

  // --- Waiting (text is what the door sent, ANSI sequences removed) ---
  // Waits until `text` appears after the end of the previous match, then
  // moves past it. On failure the message holds the whole transcript.
  [[nodiscard]] ::testing::AssertionResult WaitFor(std::string_view text,
                                                   Millis timeout = kDefaultWait);
  // Waits until `predicate` holds; it runs with the session locked, so it
  // may only use its Screen argument and the text passed to it, never the
  // session itself.
  [[nodiscard]] ::testing::AssertionResult WaitUntil(
      const std::function<bool(const Screen&, const std::string& text)>& predicate,
      std::string_view what, Millis timeout = kDefaultWait);
  // Waits until the rendered screen shows `utf8` somewhere.
  [[nodiscard]] ::testing::AssertionResult WaitForScreen(std::string_view utf8,
                                                         Millis timeout = kDefaultWait);
  // Waits until the cursor stands at (row, column).
  [[nodiscard]] ::testing::AssertionResult WaitForCursor(int row, int column,
                                                         Millis timeout = kDefaultWait);
  // Waits until the door has sent nothing for `quiet` (or `timeout` passed).
  void WaitQuiet(Millis quiet = 200ms, Millis timeout = kDefaultWait);

  // --- What the door sent ---
  std::string ScreenText() const;     // all text so far, ANSI sequences removed
  std::string TextAfterMark() const;  // the same, after the last match
  size_t Mark() const;                // position after the last match in ScreenText()
  void SetMark(size_t position);
  std::string Raw() const;  // bytes exactly as received on the link
  std::string StderrText() const;
  // Socket links: whatever the child wrote to its stdout (should be nothing
  // a caller needs).
  std::string StdoutText() const;
  std::vector<std::string> TelnetCommands() const;

  // The rendered screen, locked while the returned handle lives. Use it in
  // one expression: s.screen()->Row(3). Holding it across a wait deadlocks.
  class LockedScreen {
   public:
    LockedScreen(std::unique_lock<std::mutex> lock, const Screen& screen)
        : lock_(std::move(lock)), screen_(&screen) {}
    const Screen* operator->() const { return screen_; }
    const Screen& operator*() const { return *screen_; }

   private:
    std::unique_lock<std::mutex> lock_;
    const Screen* screen_;
  };
  LockedScreen screen() const;

  // --- Ending ---
  // Carrier loss: closes our ends of the link. With pipes the child reads
  // end-of-file and its writes fail with EPIPE; a socket is shut down.
  void HangUp();
  bool hung_up() const { return hung_up_; }
  void Kill(int signal);
  // Waits for the child to end; returns kRunning when it did not in time.
  ExitStatus WaitExit(Millis timeout = kDefaultWait);
  // The status now, without waiting.
  ExitStatus Poll();
  // Waits for the end and checks the error level; the failure message holds
  // the transcript.
  [[nodiscard]] ::testing::AssertionResult ExitsWith(int level, Millis timeout = kDefaultWait);

  // The whole exchange for a failure message: command, raw output with
  // escapes visible, the rendered screen, stderr.
  std::string Transcript() const;

 private:
  void Start();
  void ReaderLoop();
  void OnCallerBytes(std::string_view bytes);  // with mu_ held
  bool WriteToChild(std::string_view bytes);
  void StopReader();
  std::string TranscriptLocked() const;
  ::testing::AssertionResult Failure(const std::string& what) const;

  SessionOptions options_;
  pid_t pid_ = -1;
  ExitStatus status_;

  // Descriptors on our side.
  int to_child_ = -1;    // keys go here
  int from_child_ = -1;  // the caller's screen comes from here
  int child_err_ = -1;
  int child_out_ = -1;  // socket links: the child's stdout
  int wake_[2] = {-1, -1};
  std::thread reader_;
  bool hung_up_ = false;

  mutable std::mutex write_mu_;
  mutable std::mutex mu_;
  std::condition_variable cv_;
  std::string raw_;
  std::string plain_;
  std::string err_;
  std::string out_;
  size_t mark_ = 0;
  bool caller_eof_ = false;  // no more caller output will come
  bool err_eof_ = false;
  bool out_eof_ = false;
  bool reader_done_ = false;
  bool drop_caller_ = false;  // HangUp asked the reader to let go of the link
  bool caller_dropped_ = false;
  std::chrono::steady_clock::time_point last_output_;
  TelnetDecoder telnet_;
  AnsiStripper stripper_;
  Screen screen_;
  std::string pending_replies_;  // the terminal's answers, sent after each read
  bool stop_ = false;
  mutable bool transcript_shown_ = false;
};

}  // namespace trv::harness

#endif  // TRV_TESTS_HARNESS_SESSION_H_
