// Bank transfers between nodes: 8 processes (or as many as asked), each making random transfers
// among 50 characters through the real transfer unit (TransferGold), all
// against one database file.
//
// Prints transfers per second, p50 and p99 latency of one transfer, the
// refusals (an account short of the amount), and the world's gold before
// and after, which must be equal: a transfer neither creates nor destroys.
//
// Usage: transfer_bench [transfers per node] [nodes] (default 500, 8); the
// journal is the door's (TRV_JOURNAL=rollback for the rollback journal)
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/nodes.h"
#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/accounts.h"
#include "game/player/gold.h"

namespace {

using Clock = std::chrono::steady_clock;
using Purenum::Integer;
using trv::bench::NodeReport;
constexpr int kCharacters = 50;

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

std::string UserName(int i) { return "caller" + std::to_string(i); }

void Seed() {
  using namespace trv::db;
  for (int i = 0; i < kCharacters; ++i) {
    Exec(kPlayer,
         "INSERT INTO %s (IDNum,UserName,PlayerName,Kingdom,Gold,BankGold,Depository,Level) "
         "VALUES (%d,%Q,%Q,'Avalon','0','1000000','0',1)",
         TableName(kPlayer), i + 1, UserName(i).c_str(), ("Hero" + std::to_string(i)).c_str());
  }
}

Integer WorldGold() {
  using namespace trv::db;
  ResultTable rows = Query(kPlayer, "SELECT Gold,BankGold,Depository FROM %s", TableName(kPlayer));
  Integer total;
  for (int r = 0; r < rows.rows(); ++r)
    for (int c = 0; c < 3; ++c) total += trv::player::Amount(rows.Text(r, c));
  return total;
}

NodeReport RunNode(int node, int transfers) {
  NodeReport report;
  report.latency_ns.reserve(static_cast<size_t>(transfers));
  trv::db::Open();
  unsigned seed = 4242u + static_cast<unsigned>(node);
  for (int t = 0; t < transfers; ++t) {
    int from = rand_r(&seed) % kCharacters;
    int to = (from + 1 + rand_r(&seed) % (kCharacters - 1)) % kCharacters;
    Integer amount(static_cast<long>(rand_r(&seed) % 100000));
    Clock::time_point start = Clock::now();
    auto outcome =
        trv::economy::TransferGold(UserName(from), std::to_string(to + 1), UserName(to), amount);
    report.latency_ns.push_back(
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count());
    if (outcome != trv::economy::TransferOutcome::kTransferred) ++report.count;
  }
  return report;
}

}  // namespace

int main(int argc, char** argv) {
  int transfers = argc > 1 ? atoi(argv[1]) : 500;
  if (transfers <= 0) transfers = 500;
  const int nodes = argc > 2 && atoi(argv[2]) > 0 ? atoi(argv[2]) : 8;
  char scratch[] = "/tmp/trv_transfer_bench_XXXXXX";
  if (mkdtemp(scratch) == nullptr || chdir(scratch) != 0 || mkdir("Data", 0755) != 0) return 1;
  Seed();
  const Integer before = WorldGold();
  trv::db::Close();  // a connection must not cross fork()

  trv::bench::NodesResult all =
      trv::bench::RunNodes(nodes, [transfers](int node) { return RunNode(node, transfers); });

  trv::db::Open();
  const Integer after = WorldGold();
  printf("%d nodes x %d transfers among %d characters; SQLite %s\n", nodes, transfers, kCharacters,
         sqlite3_libversion());
  if (!all.latency_ns.empty()) {
    printf("transfers/s %.0f   p50 %.2f ms   p99 %.2f ms   max %.2f ms   refused %lld\n",
           static_cast<double>(all.latency_ns.size()) / all.seconds, all.Percentile(50) / 1e6,
           all.Percentile(99) / 1e6, static_cast<double>(all.latency_ns.back()) / 1e6,
           static_cast<long long>(all.count));
  }
  printf("world gold before %s after %s: %s\n", before.str().c_str(), after.str().c_str(),
         before == after ? "equal" : "DIFFERENT");
  if (all.dead) printf("%d nodes died\n", all.dead);
  trv::db::Close();
  if (chdir("/") != 0 || nftw(scratch, RemoveEntry, 16, FTW_DEPTH | FTW_PHYS) != 0)
    fprintf(stderr, "left %s behind\n", scratch);
  return before == after && all.dead == 0 ? 0 : 1;
}
