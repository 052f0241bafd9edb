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
