// Several nodes at once for the benchmarks: each a forked process with its
// own kit line (and whatever database connection its body opens), all
// started by one signal, each reporting a count and its latencies back
// through a pipe.
#ifndef TRV_BENCH_NODES_H_
#define TRV_BENCH_NODES_H_

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "doorkit/doorkit.h"

namespace trv::bench {

// What one node measured.
struct NodeReport {
  int64_t count = 0;  // the body's own tally (errors, refusals)
  std::vector<int64_t> latency_ns;
};

// All nodes together.
struct NodesResult {
  int64_t count = 0;
  std::vector<int64_t> latency_ns;  // sorted
  double seconds = 0;               // from the start signal to the last report
  int dead = 0;                     // nodes that ended without reporting
  double Percentile(int p) const {
    return latency_ns.empty() ? 0 : static_cast<double>(latency_ns[latency_ns.size() * p / 100]);
  }
};

inline bool WriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = write(fd, p, size);
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

inline bool ReadAll(int fd, void* data, size_t size) {
  char* p = static_cast<char*>(data);
  while (size > 0) {
    ssize_t n = read(fd, p, size);
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Runs body(node) in `nodes` processes at once. No database connection may
// be open in the caller (it must not cross fork()).
inline NodesResult RunNodes(int nodes, const std::function<NodeReport(int)>& body) {
  int go[2];
  if (pipe(go) != 0) abort();
  std::vector<pid_t> pids;
  std::vector<int> results;
  for (int n = 0; n < nodes; ++n) {
    int out[2];
    if (pipe(out) != 0) abort();
    pid_t pid = fork();
    if (pid == 0) {
      close(out[0]);
      close(go[1]);
      int line[2];
      if (socketpair(AF_UNIX, SOCK_STREAM, 0, line) != 0) _exit(2);
      od_kit_attach(line[0], line[0]);
      char byte;
      if (read(go[0], &byte, 1) != 1) _exit(2);
      NodeReport report = body(n);
      uint64_t size = report.latency_ns.size();
      bool ok = WriteAll(out[1], &report.count, sizeof report.count) &&
                WriteAll(out[1], &size, sizeof size) &&
                WriteAll(out[1], report.latency_ns.data(), size * sizeof(int64_t));
      _exit(ok ? 0 : 3);
    }
    close(out[1]);
    pids.push_back(pid);
    results.push_back(out[0]);
  }
  close(go[0]);
  auto start = std::chrono::steady_clock::now();
  std::string bytes(static_cast<size_t>(nodes), 'g');
  WriteAll(go[1], bytes.data(), bytes.size());
  close(go[1]);

  NodesResult all;
  for (int fd : results) {
    int64_t count = 0;
    uint64_t size = 0;
    std::vector<int64_t> latency;
    bool ok = ReadAll(fd, &count, sizeof count) && ReadAll(fd, &size, sizeof size);
    if (ok) {
      latency.resize(size);
      ok = ReadAll(fd, latency.data(), size * sizeof(int64_t));
    }
    close(fd);
    if (!ok) {
      ++all.dead;
      continue;
    }
    all.count += count;
    all.latency_ns.insert(all.latency_ns.end(), latency.begin(), latency.end());
  }
  all.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (pid_t pid : pids) waitpid(pid, nullptr, 0);
  std::sort(all.latency_ns.begin(), all.latency_ns.end());
  return all;
}

}  // namespace trv::bench

#endif  // TRV_BENCH_NODES_H_
