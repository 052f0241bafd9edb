// The chat room as the realm pays for it, with the loop's timing of the
// original design (poll every turn, 1 ms sleep) and the game's own:
//
//   idle      one patron alone in the room for a while: CPU time and
//             statements per second of its process
//   delay     a line typed on one node until it shows on another
//   contention  another node's UPDATEs while four patrons sit idle
//
// Usage: chat_bench [idle seconds] (default 3)
#include <fcntl.h>
#include <ftw.h>
#include <poll.h>
#include <signal.h>
#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/schema.h"
#include "game/messaging/chat_room.h"
#include "game/messaging/messaging.h"

namespace {

using Clock = std::chrono::steady_clock;
using trv::messaging::ChatTiming;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double CpuSeconds() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long long g_statements = 0;
int CountStatement(unsigned, void*, void*, void*) {
  ++g_statements;
  return 0;
}

// What a node process reports when it leaves the room.
struct Usage {
  double cpu_seconds = 0;
  double wall_seconds = 0;
  long long statements = 0;
};

// A caller in the chat room on a node of its own, driven through pipes.
class Patron {
 public:
  Patron(const std::string& user, const ChatTiming& timing) {
    int keys[2];
    int screen[2];
    int report[2];
    if (pipe(keys) != 0 || pipe(screen) != 0 || pipe(report) != 0) abort();
    pid_ = fork();
    if (pid_ == 0) {
      close(keys[1]);
      close(screen[0]);
      close(report[0]);
      od_kit_attach(keys[0], screen[1]);
      snprintf(od_control.user_name, sizeof od_control.user_name, "%s", user.c_str());
      trv::messaging::SetChatTiming(timing);
      sqlite3_trace_v2(trv::db::Handle(), SQLITE_TRACE_STMT, CountStatement, nullptr);
      Usage usage;
      double cpu = CpuSeconds();
      Clock::time_point start = Clock::now();
      g_statements = 0;
      BeginChat();
      usage.cpu_seconds = CpuSeconds() - cpu;
      usage.wall_seconds = Seconds(Clock::now() - start);
      usage.statements = g_statements;
      _exit(write(report[1], &usage, sizeof usage) == sizeof usage ? 0 : 3);
    }
    close(keys[0]);
    close(screen[1]);
    close(report[1]);
    keys_ = keys[1];
    screen_ = screen[0];
    report_ = report[0];
    fcntl(screen_, F_SETFL, O_NONBLOCK);
  }
  ~Patron() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(keys_);
    close(screen_);
    close(report_);
  }

  void Type(const std::string& keys) {
    if (write(keys_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) abort();
  }

  // Reads the screen until `text` shows after what was read before.
  bool WaitFor(const std::string& text, int timeout_ms = 10000) {
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
      size_t at = shown_.find(text, seen_);
      if (at != std::string::npos) {
        seen_ = at + text.size();
        return true;
      }
      if (Clock::now() > deadline) return false;
      pollfd p{screen_, POLLIN, 0};
      poll(&p, 1, 5);
      Drain();
    }
  }

  // Leaves the room and collects the process's figures.
  Usage Leave() {
    Type("\x11");
    Usage usage;
    // Keep draining so the node never blocks on a full screen pipe.
    pollfd p{report_, POLLIN, 0};
    while (poll(&p, 1, 10) == 0) Drain();
    if (read(report_, &usage, sizeof usage) != sizeof usage) usage = Usage();
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    return usage;
  }

 private:
  void Drain() {
    char buffer[4096];
    for (;;) {
      ssize_t n = read(screen_, buffer, sizeof buffer);
      if (n <= 0) return;
      // What a caller reads: ANSI sequences out.
      for (ssize_t i = 0; i < n; ++i) {
        char c = buffer[i];
        if (in_escape_) {
          if (c >= 0x40 && c <= 0x7E && c != '[') in_escape_ = false;
        } else if (c == '\x1b') {
          in_escape_ = true;
        } else {
          shown_ += c;
        }
      }
    }
  }

  pid_t pid_ = -1;
  int keys_ = -1;
  int screen_ = -1;
  int report_ = -1;
  std::string shown_;
  size_t seen_ = 0;
  bool in_escape_ = false;
};

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

// A fresh game directory with the realm's tables and a few callers on-line.
void FreshRealm(const std::string& directory) {
  nftw(directory.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  mkdir(directory.c_str(), 0755);
  mkdir((directory + "/Data").c_str(), 0755);
  if (chdir(directory.c_str()) != 0) abort();
  using namespace trv::db;
  for (int table = 0; table < kTableCount; ++table) Exec(kNoTable, "%s", CreationStatement(table));
  for (int i = 0; i < 8; ++i)
    Exec(kPlayer,
         "INSERT INTO %s (UserName,PlayerName,FirstRace,Gold,Level,Status,WhereInGame) VALUES "
         "(%Q,%Q,'Human','1000',1,1,'Main Street')",
         TableName(kPlayer), ("caller" + std::to_string(i)).c_str(),
         ("Hero" + std::to_string(i)).c_str());
  Close();  // no connection may cross fork()
}

void Idle(const char* name, const ChatTiming& timing, int seconds) {
  Patron patron("caller0", timing);
  if (!patron.WaitFor("Currently 0 other patrons here..")) {
    printf("%-10s the patron never settled in\n", name);
    return;
  }
  usleep(static_cast<useconds_t>(seconds) * 1000000);
  Usage u = patron.Leave();
  printf("%-10s %8.1f %9.2f %12.0f\n", name, u.wall_seconds, 100.0 * u.cpu_seconds / u.wall_seconds,
         static_cast<double>(u.statements) / u.wall_seconds);
}

void Delay(const char* name, const ChatTiming& timing, int lines) {
  Patron writer("caller0", timing);
  if (!writer.WaitFor("Patrons: ")) return;
  Patron reader("caller1", timing);
  if (!reader.WaitFor("Patrons: ") || !writer.WaitFor("Hero1: has joined chat")) {
    printf("%-10s the patrons never met\n", name);

    return;
  }
  std::vector<double> ms;
  unsigned seed = 7;
  for (int i = 0; i < lines; ++i) {
    usleep(static_cast<useconds_t>(rand_r(&seed) % 100) * 1000);  // any phase of the poll
    const std::string line = "line number " + std::to_string(i) + " ";
    Clock::time_point start = Clock::now();
    writer.Type(line + "\r");
    if (!reader.WaitFor("Hero0: " + line)) {
      printf("%-10s line %d never arrived\n", name, i);
      return;
    }
    ms.push_back(Seconds(Clock::now() - start) * 1000);
    writer.WaitFor("Hero0: " + line);
  }
  std::sort(ms.begin(), ms.end());
  printf("%-10s %8d %9.1f %9.1f %9.1f\n", name, lines, ms[ms.size() / 2], ms[ms.size() * 9 / 10],
         ms.back());
  writer.Leave();
  reader.Leave();
}

// Another node writes while four patrons sit in the room.
void Contention(const char* name, const ChatTiming& timing, int updates) {
  std::vector<std::unique_ptr<Patron>> patrons;
  for (int i = 0; i < 4; ++i) {
    patrons.push_back(std::make_unique<Patron>("caller" + std::to_string(i + 1), timing));
    patrons.back()->WaitFor("Patrons: ");
  }
  std::vector<double> us;
  for (int i = 0; i < updates; ++i) {
    Clock::time_point start = Clock::now();
    trv::db::Exec(trv::db::kPlayer, "UPDATE %s SET Gold=%Q WHERE UserName='caller0'",
                  trv::db::TableName(trv::db::kPlayer), std::to_string(i).c_str());
    us.push_back(Seconds(Clock::now() - start) * 1e6);
    usleep(2000);
  }
  trv::db::Close();
  for (auto& p : patrons) p->Leave();
  std::sort(us.begin(), us.end());
  printf("%-10s %8d %9.0f %9.0f %9.0f\n", name, updates, us[us.size() / 2],
         us[us.size() * 99 / 100], us.back());
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? atoi(argv[1]) : 3;
  if (seconds <= 0) seconds = 3;
  char scratch[] = "/tmp/trv_chat_bench_XXXXXX";
  if (mkdtemp(scratch) == nullptr) return 1;
  const std::string base = scratch;
  signal(SIGPIPE, SIG_IGN);
  setvbuf(stdout, nullptr, _IOLBF, 0);

  struct Variant {
    const char* name;
    ChatTiming timing;
  };
  const Variant variants[] = {
      {"1ms-turn", {0, 1}},  // the original loop: every turn polls, then sleeps 1 ms
      {"game", ChatTiming()},
  };
  printf("chat room loop: game polls every %d ms, sleeps %d ms when idle; SQLite %s\n\n",
         ChatTiming().poll_ms, ChatTiming().idle_sleep_ms, sqlite3_libversion());

  printf("idle patron, alone in the room\n%-10s %8s %9s %12s\n", "loop", "seconds", "cpu %",
         "statements/s");
  for (const Variant& v : variants) {
    FreshRealm(base + "/idle");
    Idle(v.name, v.timing, seconds);
  }

  printf("\nline delay between two nodes\n%-10s %8s %9s %9s %9s\n", "loop", "lines", "p50 ms",
         "p90 ms", "max ms");
  for (const Variant& v : variants) {
    FreshRealm(base + "/delay");
    Delay(v.name, v.timing, 40);
  }

  printf("\nanother node's UPDATE with four idle patrons\n%-10s %8s %9s %9s %9s\n", "loop",
         "updates", "p50 us", "p99 us", "max us");
  for (const Variant& v : variants) {
    FreshRealm(base + "/contention");
    Contention(v.name, v.timing, 300);
  }
  if (chdir("/") != 0) return 1;
  nftw(base.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  return 0;
}
