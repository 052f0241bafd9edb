#include "game/db/connection.h"

#include <limits.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include <memory>
#include <string>

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
ReplacedFileFn g_replaced_file = nullptr;

// SQLite's plain busy timeout sleeps up to 100 ms between tries, and under a
// stream of short writes from other nodes the sleeper keeps losing the lock
// to nodes that try more often. Trying every millisecond keeps it fair.
// Long enough to read a message before the door ends.
constexpr long kReadMessageMs = 3000;

int RetryEveryMillisecond(void*, int tries) {
  if (tries >= kBusyTimeoutMs) return 0;
  timespec pause{0, 1000000};
  nanosleep(&pause, nullptr);
  return 1;
}

// The BBS's log shows the door's stderr, and the sysop needs the path: it
// is nearly always a game directory the BBS's user cannot write.
void ReportOpenError(const std::string& error) {
  char directory[PATH_MAX];
  const char* where = getcwd(directory, sizeof directory) ? directory : ".";
  fprintf(stderr, "%s: DB create error: %s/%s: %s\n", od_control.od_prog_name, where, kDatabasePath,
          error.c_str());
  od_printf("DB create error: %s/%s: %s\n\r", where, kDatabasePath, error.c_str());
  od_sleep(kReadMessageMs);
}

}  // namespace

void SetFatalExit(FatalExitFn fn) { g_fatal_exit = fn; }

void SetReplacedFileHandler(ReplacedFileFn fn) { g_replaced_file = fn; }

void RunReplacedFileHandler() {
  if (g_replaced_file != nullptr) g_replaced_file();
}

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
    const std::string error = db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc);
    db.reset();
    ReportOpenError(error);
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
