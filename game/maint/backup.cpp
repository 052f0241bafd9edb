#include "game/maint/backup.h"

#include <errno.h>
#include <sqlite3.h>
#include <string.h>
#include <sys/stat.h>

#include <memory>

namespace trv::maint {
namespace {

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbPtr = std::unique_ptr<sqlite3, CloseDb>;

bool OpenDb(const std::string& path, int flags, DbPtr* db, std::string* error) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
  db->reset(raw);
  if (rc == SQLITE_OK) return true;
  *error = path + ": " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
  return false;
}

}  // namespace

std::string BackupPath(const std::string& yyyymmdd) {
  return std::string(kBackupDirectory) + "/" + yyyymmdd + ".db";
}

bool BackupDatabase(const std::string& source, const std::string& target, std::string* error) {
  std::string dir = target.substr(0, target.find_last_of('/'));
  if (dir != target && mkdir(dir.c_str(), 0777) != 0) {
    struct stat info;
    if (errno != EEXIST || stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
      *error = dir + ": " + strerror(errno == EEXIST ? ENOTDIR : errno);
      return false;
    }
  }
  // A copy or journal left by a run that died is replaced, not merged.
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) remove((target + suffix).c_str());

  DbPtr from, to;
  if (!OpenDb(source, SQLITE_OPEN_READONLY, &from, error)) return false;
  if (!OpenDb(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &to, error)) return false;
  sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
  if (backup == nullptr) {
    *error = sqlite3_errmsg(to.get());
    return false;
  }
  // A writer committing at this moment holds the source briefly; the step
  // reports that at once, so wait here (up to five seconds).
  int rc = sqlite3_backup_step(backup, -1);
  for (int tries = 0; (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && tries < 50; ++tries) {
    sqlite3_sleep(100);
    rc = sqlite3_backup_step(backup, -1);
  }
  sqlite3_backup_finish(backup);
  if (rc != SQLITE_DONE) {
    *error = target + ": " + sqlite3_errstr(rc);
    return false;
  }
  // The copy of a logged database says so in its header and would need a
  // -wal and -shm beside it to be read; a copy is one file, whole by itself.
  if (sqlite3_exec(to.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    *error = target + ": " + sqlite3_errmsg(to.get());
    return false;
  }
  return true;
}

}  // namespace trv::maint
