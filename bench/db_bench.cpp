// The statement mix of a door (look up the caller's row, update one column,
// send and take a node message) on one node, on eight and on 32 at once,
// against one database file.
//
// Each setup runs the same mix:
//   runner/rollback  DoSQL with the game's journal (rollback journal)
//   plain/rollback   sqlite3_exec with no busy handling: a lock is an error
//   runner/wal       DoSQL with the journal in WAL mode
//   plain/wal        sqlite3_exec, WAL, no busy handling
// and prints statements per second, p50 and p99 latency and the errors.
//
// Usage: db_bench [rounds per node] (default 250; 4 statements a round)
#include <fcntl.h>
#include <ftw.h>
#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/nodes.h"
#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/schema.h"

namespace {

using trv::bench::NodeReport;
using Clock = std::chrono::steady_clock;
constexpr int kPlayers = 50;

struct Setup {
  const char* name;
  bool runner;
  bool wal;
};

struct FreeString {
  void operator()(char* text) const { sqlite3_free(text); }
};
using SqlText = std::unique_ptr<char, FreeString>;

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

std::string UserName(int i) { return "Caller" + std::to_string(i); }

// Runs one statement the way the setup does; false when it failed.
class Runner {
 public:
  explicit Runner(bool use_runner) : use_runner_(use_runner) {
    if (use_runner_) {
      trv::db::Open();
    } else {
      sqlite3* db = nullptr;
      sqlite3_open(trv::db::kDatabasePath, &db);
      plain_.reset(db);
    }
  }
  bool Run(int table, char* statement) {
    if (use_runner_) {
      sqlite3_free_table(DoSQL(table, statement, nullptr, nullptr));
      return true;  // the runner never comes back with a failure
    }
    SqlText owned(statement);
    return sqlite3_exec(plain_.get(), owned.get(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  sqlite3* handle() { return use_runner_ ? trv::db::Handle() : plain_.get(); }

 private:
  bool use_runner_;
  std::unique_ptr<sqlite3, CloseDb> plain_;
};

void Seed(bool wal) {
  using namespace trv::db;
  if (wal) sqlite3_exec(Handle(), "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  sqlite3_free_table(DoSQL(kNode, sqlite3_mprintf("SELECT * FROM %s", "node"), nullptr, nullptr));
  for (int i = 0; i < kPlayers; ++i) {
    sqlite3_free_table(
        DoSQL(kPlayer,
              sqlite3_mprintf("INSERT INTO %s (UserName,PlayerName,Gold,Level,"
                              "HP,WhereInGame) VALUES (%Q,%Q,'1000',1,20,'')",
                              "player", UserName(i).c_str(), ("Hero" + std::to_string(i)).c_str()),
              nullptr, nullptr));
  }
  Close();
}

NodeReport RunNode(const Setup& setup, int node, int rounds) {
  NodeReport report;
  report.latency_ns.reserve(static_cast<size_t>(rounds) * 4);
  Runner runner(setup.runner);
  unsigned seed = 12345u + static_cast<unsigned>(node);
  auto timed = [&](int table, char* statement) {
    Clock::time_point start = Clock::now();
    if (!runner.Run(table, statement)) ++report.count;
    report.latency_ns.push_back(
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count());
  };
  for (int r = 0; r < rounds; ++r) {
    std::string me = UserName(rand_r(&seed) % kPlayers);
    std::string other = UserName(rand_r(&seed) % kPlayers);
    timed(trv::db::kPlayer,
          sqlite3_mprintf("SELECT PlayerName,Gold,Level,HP FROM %s WHERE UserName=%Q", "player",
                          me.c_str()));
    timed(trv::db::kPlayer,
          sqlite3_mprintf("UPDATE %s SET WhereInGame=%Q WHERE UserName=%Q", "player",
                          r % 2 ? "Main Street" : "At the Bank", me.c_str()));
    timed(trv::db::kNode,
          sqlite3_mprintf("INSERT INTO %s (TypeOf,Line1,SentTo,SentBy) VALUES (1,%Q,%Q,%Q)", "node",
                          "has entered the realm", other.c_str(), me.c_str()));
    sqlite3_int64 id = sqlite3_last_insert_rowid(runner.handle());
    timed(trv::db::kNode, sqlite3_mprintf("DELETE FROM %s WHERE IDNum=%lld", "node", id));
  }
  return report;
}

struct Figures {
  double per_second = 0;
  double p50_us = 0;
  double p99_us = 0;
  double max_ms = 0;
  int64_t errors = 0;
  int dead = 0;  // nodes that ended without reporting
};

Figures RunSetup(const Setup& setup, int nodes, int rounds, const std::string& directory) {
  std::string data = directory + "/Data";
  mkdir(directory.c_str(), 0755);
  mkdir(data.c_str(), 0755);
  if (chdir(directory.c_str()) != 0) abort();
  // The runner picks its journal itself; the setup says which.
  setenv("TRV_JOURNAL", setup.wal ? "wal" : "rollback", 1);
  Seed(setup.wal);

  trv::bench::NodesResult all =
      trv::bench::RunNodes(nodes, [&](int node) { return RunNode(setup, node, rounds); });
  Figures figures;
  figures.errors = all.count;
  figures.dead = all.dead;
  if (!all.latency_ns.empty()) {
    figures.per_second = static_cast<double>(all.latency_ns.size()) / all.seconds;
    figures.p50_us = all.Percentile(50) / 1e3;
    figures.p99_us = all.Percentile(99) / 1e3;
    figures.max_ms = static_cast<double>(all.latency_ns.back()) / 1e6;
  }
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? atoi(argv[1]) : 250;
  if (rounds <= 0) rounds = 250;
  char scratch[] = "/tmp/trv_db_bench_XXXXXX";
  if (mkdtemp(scratch) == nullptr) return 1;

  const Setup setups[] = {
      {"runner/rollback", true, false},
      {"plain/rollback", false, false},
      {"runner/wal", true, true},
      {"plain/wal", false, true},
  };
  printf("%d rounds of 4 statements per node; SQLite %s\n", rounds, sqlite3_libversion());
  printf("%-16s %5s %10s %10s %10s %10s %8s\n", "setup", "nodes", "stmt/s", "p50 us", "p99 us",
         "max ms", "errors");
  int run = 0;
  for (const Setup& setup : setups) {
    for (int nodes : {1, 8, 32}) {
      std::string directory = std::string(scratch) + "/run" + std::to_string(run++);
      Figures f = RunSetup(setup, nodes, rounds, directory);
      printf("%-16s %5d %10.0f %10.1f %10.1f %10.1f %8lld%s\n", setup.name, nodes, f.per_second,
             f.p50_us, f.p99_us, f.max_ms, static_cast<long long>(f.errors),
             f.dead ? "  (nodes died)" : "");
      fflush(stdout);
    }
  }
  if (chdir("/") != 0 || nftw(scratch, RemoveEntry, 16, FTW_DEPTH | FTW_PHYS) != 0) {
    fprintf(stderr, "left %s behind\n", scratch);
  }
  return 0;
}
