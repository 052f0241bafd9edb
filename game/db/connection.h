// The process-wide database connection.
//
// Every door process (and the sysop program) keeps one connection to
// Data/game.db for its whole life; the file is the only channel between
// nodes. The connection lives in a process-wide owner that closes it when
// the process ends.
#ifndef TRV_GAME_DB_CONNECTION_H_
#define TRV_GAME_DB_CONNECTION_H_

#include <sqlite3.h>

namespace trv::db {

// Relative to the game directory, which the door changes to first.
inline constexpr char kDatabasePath[] = "Data/game.db";

// SQLite's own wait for a lock before a statement reports busy. Collisions
// between nodes last microseconds to milliseconds and end inside it; the
// statement runner's one-second loop takes over for locks held longer.
inline constexpr int kBusyTimeoutMs = 1000;

// The database runs with write-ahead logging: readers never wait for the
// writer and a commit appends to Data/game.db-wal instead of copying pages
// to a journal, so many nodes write without stalling each other. Commits
// stay fully synchronous: a gold change that was reported is on the disk.
// Where the log cannot work (a network file system, where the shared-memory
// index does not reach other hosts, or a directory where Data/game.db-wal
// or Data/game.db-shm cannot be made) the rollback journal stays, and the
// program says so once on stderr. TRV_JOURNAL=rollback in the environment
// asks for the rollback journal (the test suite runs in both).
enum class Journal { kWal, kRollback };
inline constexpr char kJournalVariable[] = "TRV_JOURNAL";
// The journal the process asks for: the environment's choice, or WAL.
Journal WantedJournal();
// The journal the open connection really uses.
Journal CurrentJournal();
// The name of the network file system `directory` is on, or "" when it is
// on a local one (or cannot be asked).
const char* NetworkFileSystemOf(const char* directory);
// The network file systems by their statfs magic number; "" for others.
const char* NetworkFileSystemName(long magic);

// The world reset deletes Data/game.db and then its -wal and -shm files. A
// program opening the database between two of those deletions would take
// the old world's log or index for the new file's. So the reset holds this
// lock exclusively while it deletes, and every open holds it shared (and
// waits for a reset under way). Kept in Data/, never deleted.
inline constexpr char kOpenLockPath[] = "Data/open.lock";
class OpenLock {
 public:
  // Waits for the lock. Where the file cannot be made (a directory nobody
  // may write) there is no reset to wait for either, and nothing is held.
  explicit OpenLock(bool exclusive);
  ~OpenLock();
  OpenLock(const OpenLock&) = delete;
  OpenLock& operator=(const OpenLock&) = delete;

 private:
  int fd_ = -1;
};

// How the program ends after a database fault it cannot survive. The door
// sets its closing screen; the default (and the sysop program's choice) is
// od_exit(10, FALSE). nullptr restores the default.
using FatalExitFn = void (*)();
void SetFatalExit(FatalExitFn fn);
// Runs the fatal exit; if it returns after all, ends with od_exit(10, FALSE).
[[noreturn]] void FatalExit();

// What the program does once the runner has followed a database file
// replaced under it (the sysop's world reset) to the new file. Runs between
// transactions, before the statement that noticed it. nullptr: nothing.
using ReplacedFileFn = void (*)();
void SetReplacedFileHandler(ReplacedFileFn fn);
void RunReplacedFileHandler();

// Opens Data/game.db unless it is open already. SQLite creates the file
// when it is missing. On failure writes "DB create error: ..." to the
// console and runs the fatal exit.
void Open();
// Closes the connection (the sysop program's editors, and tests). Any
// transaction still open is rolled back by SQLite.
void Close();
// Closes and opens again (after SQLite reports a changed schema).
void Reopen();
bool IsOpen();
// The open connection; opens it on first use.
sqlite3* Handle();

}  // namespace trv::db

#endif  // TRV_GAME_DB_CONNECTION_H_
