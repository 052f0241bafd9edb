#include "tests/harness/session.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <set>

extern char** environ;

namespace trv::harness {
namespace {

using Clock = std::chrono::steady_clock;

// Our writes to a child that has gone must fail with EPIPE, not kill the test.
void IgnoreSigpipe() {
  static std::once_flag once;
  std::call_once(once, [] { signal(SIGPIPE, SIG_IGN); });
}

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

void SetNonBlocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

// A connected TCP pair over the loopback address: {ours, child's}.
bool TcpPair(int fds[2]) {
  int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener < 0) return false;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  bool ok = bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
            listen(listener, 1) == 0 &&
            getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) == 0;
  int ours = -1;
  int theirs = -1;
  if (ok) {
    ours = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ok = ours >= 0 && connect(ours, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  if (ok) {
    theirs = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    ok = theirs >= 0;
  }
  close(listener);
  if (!ok) {
    if (ours >= 0) close(ours);
    return false;
  }
  fds[0] = ours;
  fds[1] = theirs;
  return true;
}

}  // namespace

const char* LinkName(Link link) {
  switch (link) {
    case Link::kPipes:
      return "Pipes";
    case Link::kSocketPair:
      return "SocketPair";
    case Link::kTcp:
      return "Tcp";
  }
  return "?";
}

std::string ExitStatus::Describe() const {
  switch (kind) {
    case Kind::kRunning:
      return "still running";
    case Kind::kExited:
      return "exited with level " + std::to_string(code);
    case Kind::kSignaled:
      return "killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
  }
  return "?";
}

bool ExitStatus::operator==(const ExitStatus& other) const {
  if (kind != other.kind) return false;
  if (kind == Kind::kExited) return code == other.code;
  if (kind == Kind::kSignaled) return signal == other.signal;
  return true;
}

std::ostream& operator<<(std::ostream& out, const ExitStatus& status) {
  return out << status.Describe();
}

Session::Session(SessionOptions options)
    : options_(std::move(options)), screen_(options_.rows, options_.cols, options_.encoding) {
  last_output_ = Clock::now();
  Start();
}

Session::~Session() {
  if (Poll().running() && pid_ > 0) {
    kill(pid_, SIGKILL);
    kill(-pid_, SIGKILL);  // anything the door started
    int st = 0;
    while (waitpid(pid_, &st, 0) < 0 && errno == EINTR) {
    }
    status_ =
        WIFEXITED(st) ? ExitStatus::Exited(WEXITSTATUS(st)) : ExitStatus::Signaled(WTERMSIG(st));
  }
  StopReader();
  if (to_child_ == from_child_) to_child_ = -1;  // one socket for both ways
  CloseFd(to_child_);
  CloseFd(from_child_);
  CloseFd(child_err_);
  CloseFd(child_out_);
  CloseFd(wake_[0]);
  CloseFd(wake_[1]);
  const char* show = getenv("TRV_SHOW_TRANSCRIPT");
  if ((::testing::Test::HasFailure() && !transcript_shown_) || (show != nullptr && *show != '\0')) {
    std::cerr << "---- session transcript ----\n" << TranscriptLocked() << std::flush;
  }
}

void Session::Start() {
  IgnoreSigpipe();
  const bool socket_link = options_.link != Link::kPipes;
  if (socket_link && options_.child_fd <= 2) {
    ADD_FAILURE() << "a socket must be handed down above descriptor 2";
    return;
  }

  // The program's arguments and environment.
  std::vector<std::string> arg_store{options_.program};
  arg_store.insert(arg_store.end(), options_.args.begin(), options_.args.end());
  std::vector<char*> argv;
  for (auto& a : arg_store) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::map<std::string, std::string> env_set = options_.env;
  if (options_.seed) env_set["TRV_SEED"] = std::to_string(*options_.seed);
  std::set<std::string> drop(options_.unset_env.begin(), options_.unset_env.end());
  std::vector<std::string> env_store;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    if (drop.count(name) || env_set.count(name)) continue;
    env_store.push_back(entry);
  }
  for (auto& [name, value] : env_set) env_store.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (auto& e : env_store) envp.push_back(e.data());
  envp.push_back(nullptr);

  int in_pipe[2] = {-1, -1};
  int out_pipe[2] = {-1, -1};
  int err_pipe[2] = {-1, -1};
  int sock[2] = {-1, -1};
  int dev_null = -1;
  bool ok = pipe2(err_pipe, O_CLOEXEC) == 0 && pipe2(out_pipe, O_CLOEXEC) == 0 &&
            pipe2(wake_, O_CLOEXEC) == 0;
  if (ok && !socket_link) ok = pipe2(in_pipe, O_CLOEXEC) == 0;
  if (ok && options_.link == Link::kSocketPair) {
    ok = socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sock) == 0;
  }
  if (ok && options_.link == Link::kTcp) ok = TcpPair(sock);
  if (ok && socket_link) ok = (dev_null = open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;
  if (!ok) {
    ADD_FAILURE() << "cannot set up the link: " << strerror(errno);
    return;
  }
  const int child_stdin = socket_link ? dev_null : in_pipe[0];
  const int child_fd = options_.child_fd;
  // Spawned, not forked: a fork of this many-threaded process marks its
  // whole memory copy-on-write, and a load of many callers then spends
  // more time in page faults than the doors spend in the game.
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attr;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attr);
  // First above every descriptor the child rearranges, so no dup2 there
  // overwrites one still needed; then into place.
  const int high = std::max({10, child_fd, child_stdin, out_pipe[1], err_pipe[1], sock[1]}) + 1;
  std::vector<std::pair<int, int>> moves = {{child_stdin, 0}, {out_pipe[1], 1}, {err_pipe[1], 2}};
  if (socket_link) moves.push_back({sock[1], child_fd});
  for (size_t i = 0; i < moves.size(); ++i)
    posix_spawn_file_actions_adddup2(&actions, moves[i].first, high + static_cast<int>(i));
  for (size_t i = 0; i < moves.size(); ++i)
    posix_spawn_file_actions_adddup2(&actions, high + static_cast<int>(i), moves[i].second);
  // Nothing else is handed down.
  for (int fd = 3; socket_link && fd < child_fd; ++fd)
    posix_spawn_file_actions_addclose(&actions, fd);
  posix_spawn_file_actions_addclosefrom_np(&actions, socket_link ? child_fd + 1 : 3);
  if (!options_.work_dir.empty())
    posix_spawn_file_actions_addchdir_np(&actions, options_.work_dir.c_str());
  // A door starts with the signal handling a BBS gives it, whatever the
  // test process set up, and without a controlling terminal: it must not
  // find ours.
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setflags(&attr,
                           POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID);
  // Returns once the program runs, in its own process group, so nothing
  // can signal it too early.
  const int error = posix_spawn(&pid_, argv[0], &actions, &attr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (error != 0) {
    pid_ = -1;
    ADD_FAILURE() << "cannot start " << options_.program
                  << (options_.work_dir.empty() ? "" : " in " + options_.work_dir) << ": "
                  << strerror(error);
  }

  // Parent: keep our ends only.
  CloseFd(in_pipe[0]);
  CloseFd(out_pipe[1]);
  CloseFd(err_pipe[1]);
  CloseFd(sock[1]);
  CloseFd(dev_null);
  child_err_ = err_pipe[0];
  if (socket_link) {
    to_child_ = from_child_ = sock[0];
    child_out_ = out_pipe[0];
  } else {
    to_child_ = in_pipe[1];
    from_child_ = out_pipe[0];
  }
  for (int fd : {to_child_, from_child_, child_err_, child_out_, wake_[0]}) {
    if (fd >= 0) SetNonBlocking(fd);
  }
  if (options_.answer_queries) {
    screen_.SetReplyCallback([this](std::string_view reply) { pending_replies_ += reply; });
  }
  reader_ = std::thread([this] { ReaderLoop(); });
}

void Session::ReaderLoop() {
  // Copies: HangUp closes the caller's descriptor once we have let go of it.
  const int caller = from_child_;
  const int err = child_err_;
  const int out = child_out_;
  char buf[65536];
  {
    std::lock_guard<std::mutex> lock(mu_);
    out_eof_ = out < 0;
  }
  for (;;) {
    std::vector<pollfd> fds;
    fds.push_back({wake_[0], POLLIN, 0});
    {
      std::lock_guard<std::mutex> lock(mu_);
      if (stop_) break;
      if (!caller_eof_ && !caller_dropped_) fds.push_back({caller, POLLIN, 0});
      if (!err_eof_) fds.push_back({err, POLLIN, 0});
      if (!out_eof_) fds.push_back({out, POLLIN, 0});
    }
    if (fds.size() == 1) break;  // nothing left to read
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    bool dropped = false;
    if (fds[0].revents != 0) {
      while (read(wake_[0], buf, sizeof buf) > 0) {
      }
      std::lock_guard<std::mutex> lock(mu_);
      if (stop_) break;
      if (drop_caller_ && !caller_dropped_) {
        caller_dropped_ = true;
        caller_eof_ = true;
        dropped = true;
        cv_.notify_all();
      }
    }
    for (size_t i = 1; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      const int fd = fds[i].fd;
      if (fd == caller && dropped) continue;  // HangUp owns it now
      ssize_t n = read(fd, buf, sizeof buf);
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      std::string replies;
      {
        std::lock_guard<std::mutex> lock(mu_);
        if (n > 0) {
          std::string_view bytes(buf, static_cast<size_t>(n));
          if (fd == caller) {
            OnCallerBytes(bytes);
            replies.swap(pending_replies_);
          } else if (fd == err) {
            err_.append(bytes);
          } else {
            out_.append(bytes);
          }
        } else if (fd == caller) {
          caller_eof_ = true;
        } else if (fd == err) {
          err_eof_ = true;
        } else {
          out_eof_ = true;
        }
        cv_.notify_all();
      }
      if (!replies.empty()) WriteToChild(replies);
    }
  }
  std::lock_guard<std::mutex> lock(mu_);
  reader_done_ = true;
  caller_eof_ = true;
  cv_.notify_all();
}

void Session::OnCallerBytes(std::string_view bytes) {
  raw_.append(bytes);
  std::string decoded;
  if (options_.link != Link::kPipes && options_.telnet) {
    telnet_.Feed(bytes, decoded);
  } else {
    decoded.assign(bytes);
  }
  stripper_.Feed(decoded, plain_);
  screen_.Feed(decoded);
  last_output_ = Clock::now();
}

bool Session::WriteToChild(std::string_view bytes) {
  std::lock_guard<std::mutex> lock(write_mu_);
  const auto deadline = Clock::now() + kDefaultWait;
  while (!bytes.empty()) {
    if (to_child_ < 0) return false;
    ssize_t n = options_.link == Link::kPipes
                    ? write(to_child_, bytes.data(), bytes.size())
                    : send(to_child_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n > 0) {
      bytes.remove_prefix(static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      // The door is not reading its input: wait a little, but not forever.
      const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      pollfd p{to_child_, POLLOUT, 0};
      poll(&p, 1, static_cast<int>(left));
      continue;
    }
    return false;
  }
  return true;
}

void Session::Send(std::string_view bytes) {
  if (!WriteToChild(bytes)) {
    ADD_FAILURE() << "could not send \"" << Visible(bytes) << "\" to the door ("
                  << (hung_up_ ? "already hung up" : strerror(errno)) << ")";
  }
}

bool Session::TrySend(std::string_view bytes) { return WriteToChild(bytes); }

void Session::SendLine(std::string_view text) {
  std::string line(text);
  line += '\r';
  Send(line);
}

::testing::AssertionResult Session::Failure(const std::string& what) const {
  transcript_shown_ = true;
  return ::testing::AssertionFailure() << what << "\n" << TranscriptLocked();
}

::testing::AssertionResult Session::WaitFor(std::string_view text, Millis timeout) {
  std::unique_lock<std::mutex> lock(mu_);
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    size_t pos = plain_.find(text, mark_);
    if (pos != std::string::npos) {
      mark_ = pos + text.size();
      return ::testing::AssertionSuccess();
    }
    if (caller_eof_) {
      return Failure("the door's output ended before \"" + Visible(text) + "\" came");
    }
    if (cv_.wait_until(lock, deadline) == std::cv_status::timeout &&
        plain_.find(text, mark_) == std::string::npos) {
      return Failure("\"" + Visible(text) + "\" did not come within " +
                     std::to_string(timeout.count()) + " ms");
    }
  }
}

::testing::AssertionResult Session::WaitUntil(
    const std::function<bool(const Screen&, const std::string&)>& predicate, std::string_view what,
    Millis timeout) {
  std::unique_lock<std::mutex> lock(mu_);
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    if (predicate(screen_, plain_)) return ::testing::AssertionSuccess();
    if (caller_eof_) return Failure("the door's output ended before " + std::string(what));
    if (cv_.wait_until(lock, deadline) == std::cv_status::timeout && !predicate(screen_, plain_)) {
      return Failure(std::string(what) + " did not happen within " +
                     std::to_string(timeout.count()) + " ms");
    }
  }
}

::testing::AssertionResult Session::WaitForScreen(std::string_view utf8, Millis timeout) {
  std::string text(utf8);
  return WaitUntil([&](const Screen& s, const std::string&) { return s.Contains(text); },
                   "the screen showing \"" + Visible(text) + "\"", timeout);
}

::testing::AssertionResult Session::WaitForCursor(int row, int column, Millis timeout) {
  return WaitUntil(
      [&](const Screen& s, const std::string&) {
        return s.CursorRow() == row && s.CursorColumn() == column;
      },
      "the cursor reaching row " + std::to_string(row) + " column " + std::to_string(column),
      timeout);
}

void Session::WaitQuiet(Millis quiet, Millis timeout) {
  std::unique_lock<std::mutex> lock(mu_);
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    const auto now = Clock::now();
    if (now - last_output_ >= quiet || now >= deadline || caller_eof_) return;
    cv_.wait_until(lock, std::min(deadline, last_output_ + quiet));
  }
}

std::string Session::ScreenText() const {
  std::lock_guard<std::mutex> lock(mu_);
  return plain_;
}

std::string Session::TextAfterMark() const {
  std::lock_guard<std::mutex> lock(mu_);
  return plain_.substr(std::min(mark_, plain_.size()));
}

size_t Session::Mark() const {
  std::lock_guard<std::mutex> lock(mu_);
  return mark_;
}

void Session::SetMark(size_t position) {
  std::lock_guard<std::mutex> lock(mu_);
  mark_ = std::min(position, plain_.size());
}

std::string Session::Raw() const {
  std::lock_guard<std::mutex> lock(mu_);
  return raw_;
}

std::string Session::StderrText() const {
  std::lock_guard<std::mutex> lock(mu_);
  return err_;
}

std::string Session::StdoutText() const {
  std::lock_guard<std::mutex> lock(mu_);
  return out_;
}

std::vector<std::string> Session::TelnetCommands() const {
  std::lock_guard<std::mutex> lock(mu_);
  return telnet_.commands();
}

Session::LockedScreen Session::screen() const {
  return LockedScreen(std::unique_lock<std::mutex>(mu_), screen_);
}

void Session::HangUp() {
  if (hung_up_ || pid_ < 0) return;
  hung_up_ = true;
  {
    std::lock_guard<std::mutex> lock(write_mu_);
    if (options_.link == Link::kPipes) {
      CloseFd(to_child_);
    } else {
      shutdown(to_child_, SHUT_RDWR);
    }
  }
  std::unique_lock<std::mutex> lock(mu_);
  drop_caller_ = true;
  (void)!write(wake_[1], "h", 1);
  cv_.wait_for(lock, 2s, [this] { return caller_dropped_ || reader_done_; });
  lock.unlock();
  std::lock_guard<std::mutex> wlock(write_mu_);
  if (options_.link != Link::kPipes) to_child_ = -1;
  CloseFd(from_child_);
}

void Session::StopReader() {
  if (!reader_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mu_);
    stop_ = true;
  }
  (void)!write(wake_[1], "q", 1);
  reader_.join();
}

void Session::Kill(int signal) {
  if (pid_ > 0 && Poll().running()) kill(pid_, signal);
}

ExitStatus Session::Poll() {
  if (pid_ <= 0 || !status_.running()) return status_;
  // Look before reaping: while the door is a zombie its process group is
  // still ours, so whatever it left running can be ended safely.
  siginfo_t info{};
  if (waitid(P_PID, pid_, &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != pid_) {
    return status_;
  }
  kill(-pid_, SIGKILL);
  int st = 0;
  while (waitpid(pid_, &st, 0) < 0 && errno == EINTR) {
  }
  status_ =
      WIFEXITED(st) ? ExitStatus::Exited(WEXITSTATUS(st)) : ExitStatus::Signaled(WTERMSIG(st));
  return status_;
}

ExitStatus Session::WaitExit(Millis timeout) {
  if (pid_ <= 0) return status_;
  const auto deadline = Clock::now() + timeout;
  while (Poll().running() && Clock::now() < deadline) std::this_thread::sleep_for(5ms);
  if (!status_.running()) {
    // Let the last output drain so tests see everything the door flushed.
    std::unique_lock<std::mutex> lock(mu_);
    cv_.wait_for(lock, 1s, [this] { return caller_eof_ && err_eof_ && out_eof_; });
  }
  return status_;
}

::testing::AssertionResult Session::ExitsWith(int level, Millis timeout) {
  ExitStatus st = WaitExit(timeout);
  if (st == ExitStatus::Exited(level)) return ::testing::AssertionSuccess();
  std::lock_guard<std::mutex> lock(mu_);
  return Failure("expected the door to exit with level " + std::to_string(level) + " within " +
                 std::to_string(timeout.count()) + " ms, but it " + st.Describe());
}

std::string Session::Transcript() const {
  std::lock_guard<std::mutex> lock(mu_);
  return TranscriptLocked();
}

std::string Session::TranscriptLocked() const {
  constexpr size_t kHead = 16 * 1024;
  constexpr size_t kTail = 48 * 1024;
  std::string out = "---- command (" + std::string(LinkName(options_.link)) + "):";
  out += " " + options_.program;
  for (const auto& a : options_.args) out += " " + a;
  out += "\n---- output, " + std::to_string(raw_.size()) + " bytes:\n";
  if (raw_.size() > kHead + kTail) {
    out += Visible(std::string_view(raw_).substr(0, kHead));
    out += "\n[... " + std::to_string(raw_.size() - kHead - kTail) + " bytes left out ...]\n";
    out += Visible(std::string_view(raw_).substr(raw_.size() - kTail));
  } else {
    out += Visible(raw_);
  }
  out += "\n---- ";
  out += screen_.Dump();
  if (!out_.empty()) out += "---- stdout:\n" + Visible(out_) + "\n";
  out += "---- stderr:\n" + Visible(err_) + "\n";
  if (!status_.running()) out += "---- " + status_.Describe() + "\n";
  return out;
}

}  // namespace trv::harness
