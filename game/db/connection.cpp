#include "game/db/connection.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/vfs.h>
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

std::string FirstValue(sqlite3* db, const char* sql, std::string* error) {
  std::string value;
  char* message = nullptr;
  auto keep = [](void* out, int n, char** values, char**) -> int {
    if (n > 0 && values[0] != nullptr) *static_cast<std::string*>(out) = values[0];
    return 0;
  };
  int rc = sqlite3_exec(db, sql, keep, &value, &message);
  // A node that holds the write lock for longer than the busy handler's
  // second is rare at start-up; try a few more times before giving up.
  for (int tries = 0; (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && tries < 10; ++tries) {
    sqlite3_free(message);
    message = nullptr;
    rc = sqlite3_exec(db, sql, keep, &value, &message);
  }
  if (rc != SQLITE_OK && error != nullptr) *error = message ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  return rc == SQLITE_OK ? value : "";
}

// Once per process: the sysop reads it in the BBS's log.
void ReportRollbackJournal(const std::string& why) {
  static bool reported = false;
  if (reported) return;
  reported = true;
  fprintf(stderr,
          "%s: %s: write-ahead logging cannot be used (%s); using the rollback journal, "
          "which makes nodes wait for each other. Keep the game directory on a local disk.\n",
          od_control.od_prog_name, kDatabasePath, why.c_str());
}

// Why the log cannot work beside the database here, or "". SQLite finds out
// only later: with no index file it switches all the same and then refuses
// every write ("attempt to write a readonly database"). The files it needs
// are made now (an empty one means nothing to SQLite) and kept.
std::string LogFilesUnusable() {
  for (const char* suffix : {"-shm", "-wal"}) {
    const std::string path = std::string(kDatabasePath) + suffix;
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return path + ": " + strerror(errno);
    close(fd);
  }
  return "";
}

// Entering WAL may lower a build's default; a commit must reach the disk.
void SetFullSync(sqlite3* db) {
  sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
}

bool IsWal(const std::string& mode) { return strcasecmp(mode.c_str(), "wal") == 0; }

// Puts the file in the wanted journal mode (the mode is kept in the file,
// so the first program to open it after a change switches it), falling back
// to the rollback journal where the log cannot work.
void SetUpJournal(sqlite3* db) {
  std::string why;
  if (const char* network = NetworkFileSystemOf("Data"); *network != '\0') {
    why = std::string("the game directory is on ") + network;
  } else if (WantedJournal() == Journal::kWal) {
    why = LogFilesUnusable();
  }
  if (!why.empty()) {
    // A logged file cannot be read without the index unless the connection
    // has the file alone (the index then lives in its own memory): take it
    // so before the first read, for the moment it needs to leave the log.
    FirstValue(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr);
    if (IsWal(FirstValue(db, "PRAGMA journal_mode", nullptr)))
      FirstValue(db, "PRAGMA journal_mode=DELETE", nullptr);
    FirstValue(db, "PRAGMA locking_mode=NORMAL", nullptr);
    FirstValue(db, "SELECT COUNT(*) FROM sqlite_master", nullptr);  // lets go of the file
    ReportRollbackJournal(why);
    SetFullSync(db);
    return;
  }
  std::string mode = FirstValue(db, "PRAGMA journal_mode", nullptr);
  if (WantedJournal() == Journal::kRollback) {
    if (IsWal(mode)) FirstValue(db, "PRAGMA journal_mode=DELETE", nullptr);
  } else if (!IsWal(mode)) {
    std::string error;
    mode = FirstValue(db, "PRAGMA journal_mode=WAL", &error);
    if (!IsWal(mode)) {
      if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      ReportRollbackJournal(error.empty() ? "not supported by this SQLite" : error);
    }
  }
  SetFullSync(db);
}

}  // namespace

Journal WantedJournal() {
  const char* wanted = getenv(kJournalVariable);
  if (wanted != nullptr &&
      (strcasecmp(wanted, "rollback") == 0 || strcasecmp(wanted, "delete") == 0))
    return Journal::kRollback;
  return Journal::kWal;
}

Journal CurrentJournal() {
  std::string mode = FirstValue(Handle(), "PRAGMA journal_mode", nullptr);
  return strcasecmp(mode.c_str(), "wal") == 0 ? Journal::kWal : Journal::kRollback;
}

const char* NetworkFileSystemName(long magic) {
  switch (static_cast<unsigned long>(magic) & 0xffffffffUL) {
    case 0x6969:
      return "NFS";
    case 0x517b:
      return "SMB";
    case 0xff534d42:
      return "CIFS";
    case 0xfe534d42:
      return "SMB2";
    case 0x73757245:
      return "Coda";
    case 0x5346414f:
      return "AFS";
    case 0x6b414653:
      return "AFS";
    case 0x01021997:
      return "9P";
    case 0x00c36400:
      return "Ceph";
    case 0x0bd00bd0:
      return "Lustre";
    case 0x01161970:
      return "GFS2";
    case 0x7461636f:
      return "OCFS2";
    default:
      return "";
  }
}

const char* NetworkFileSystemOf(const char* directory) {
  struct statfs info;
  if (statfs(directory, &info) != 0) return "";
  return NetworkFileSystemName(static_cast<long>(info.f_type));
}

OpenLock::OpenLock(bool exclusive) {
  fd_ = open(kOpenLockPath, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) return;
  while (flock(fd_, exclusive ? LOCK_EX : LOCK_SH) != 0 && errno == EINTR) {
  }
}

OpenLock::~OpenLock() {
  if (fd_ >= 0) close(fd_);  // closing lets go of the lock
}

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
  OpenLock no_reset_under_way(false);
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
  SetUpJournal(db.get());
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
