#include "game/db/connection.h"

#include <stdio.h>
#include <time.h>

#include <memory>

#include "doorkit/doorkit.h"

namespace trv::db {
namespace {

struct CloseConnection {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using ConnectionPtr = std::unique_ptr<sqlite3, CloseConnection>;

// One per process; its destructor closes the file when the process exits.
ConnectionPtr& Owner() {
  static ConnectionPtr owner;
  return owner;
}

FatalExitFn g_fatal_exit = nullptr;

// SQLite's plain busy timeout sleeps up to 100 ms between tries, and under a
// stream of short writes from other nodes the sleeper keeps losing the lock
// to nodes that try more often. Trying every millisecond keeps it fair.
int RetryEveryMillisecond(void*, int tries) {
  if (tries >= kBusyTimeoutMs) return 0;
  timespec pause{0, 1000000};
  nanosleep(&pause, nullptr);
  return 1;
}

}  // namespace

void SetFatalExit(FatalExitFn fn) { g_fatal_exit = fn; }

void FatalExit() {
  if (g_fatal_exit != nullptr) g_fatal_exit();
  od_exit(10, FALSE);
}

void Open() {
  ConnectionPtr& owner = Owner();
  if (owner) return;
  sqlite3* raw = nullptr;
  int rc = sqlite3_open(kDatabasePath, &raw);
  ConnectionPtr db(raw);  // a handle comes back even when the open fails
  if (rc != SQLITE_OK) {
    printf("DB create error: %s\n", db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc));
    fflush(stdout);
    db.reset();
    FatalExit();
  }
  sqlite3_busy_handler(db.get(), RetryEveryMillisecond, nullptr);
  owner = std::move(db);
}

void Close() { Owner().reset(); }

void Reopen() {
  Close();
  Open();
}

bool IsOpen() { return static_cast<bool>(Owner()); }

sqlite3* Handle() {
  Open();
  return Owner().get();
}

}  // namespace trv::db
