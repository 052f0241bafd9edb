#include "game/db/db.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"

namespace trv::db {
namespace {

struct FreeString {
  void operator()(char* text) const { sqlite3_free(text); }
};
using SqlText = std::unique_ptr<char, FreeString>;

struct FreeTable {
  void operator()(char** table) const { sqlite3_free_table(table); }
};
using RawTable = std::unique_ptr<char*, FreeTable>;

// One run of one statement.
struct Attempt {
  int rc = SQLITE_OK;
  SqlText error;
  RawTable table;
  int rows = 0;
  int columns = 0;
};

Attempt Try(const char* sql) {
  Attempt attempt;
  char** table = nullptr;
  char* error = nullptr;
  attempt.rc = sqlite3_get_table(Handle(), sql, &table, &attempt.rows, &attempt.columns, &error);
  attempt.table.reset(table);
  attempt.error.reset(error);
  return attempt;
}

const char* MessageOf(const Attempt& attempt) {
  if (attempt.error) return attempt.error.get();
  return sqlite3_errstr(attempt.rc);
}

// What a statement's run ended in.
enum class Step {
  kDone,
  // The open transaction had only read and met another node's write lock:
  // it was rolled back and a BEGIN IMMEDIATE one opened in its place. The
  // statement has not run; the caller restarts its unit.
  kRestarted,
};

// Whose fault path a statement takes.
enum class Role { kStatement, kCreation };

[[noreturn]] void StatementError(int rc, const char* message) {
  // Release the locks first: the exit hook still writes, and other nodes
  // should not wait on this one while the caller reads the message.
  RollbackOpenTransaction();
  fprintf(stderr, "%s: SQL Error (%d): %s\n", od_control.od_prog_name, rc, message);
  od_printf("SQL Error (%d): %s\n", rc, message);
  od_get_key(TRUE);
  od_exit(10, FALSE);
}

[[noreturn]] void CreationError(const char* message) {
  RollbackOpenTransaction();
  od_printf("SQL Error: %s\n", message);
  od_get_key(TRUE);
  FatalExit();
}

// A transaction that holds a read lock and wants to write can wait for a
// writer that in turn waits for this reader's lock to go: neither gives
// way. SQLite answers busy at once there, without its busy wait.
bool HoldsOnlyReadLock(sqlite3* db) {
  return !sqlite3_get_autocommit(db) && sqlite3_txn_state(db, "main") == SQLITE_TXN_READ;
}

Step Execute(int table, const char* sql, Role role, Attempt* out);

void BeginImmediate() {
  Attempt ignored;
  Execute(kNoTable, "BEGIN IMMEDIATE", Role::kStatement, &ignored);
}

std::vector<std::string> SplitStatements(const char* sql);

// Runs the creation statements of `table` as one transaction, so no node
// sees the state table without its row; kRestarted when a lock made the
// caller's own transaction restart on the way.
Step CreateTable(int table) {
  const char* statement = CreationStatement(table);
  if (statement == nullptr) {
    RollbackOpenTransaction();
    od_printf("SQL Error: Creating unknown table (%d)", table);
    od_get_key(TRUE);
    FatalExit();
  }
  bool own_transaction = sqlite3_get_autocommit(Handle()) != 0;
  if (own_transaction) BeginImmediate();
  Step step = Step::kDone;
  std::vector<std::string> parts = SplitStatements(statement);
  for (size_t i = 0; i < parts.size();) {
    Attempt ignored;
    if (Execute(table, parts[i].c_str(), Role::kCreation, &ignored) == Step::kRestarted) {
      // Every part may run again; start over inside the new transaction.
      step = Step::kRestarted;
      i = 0;
      continue;
    }
    ++i;
  }
  if (own_transaction) {
    Attempt ignored;
    Execute(table, "COMMIT", Role::kCreation, &ignored);
  }
  return step;
}

Step Execute(int table, const char* sql, Role role, Attempt* out) {
  bool created = false;
  bool reopened = false;
  for (;;) {
    Attempt attempt = Try(sql);
    int rc = attempt.rc;
    if (rc == SQLITE_OK) {
      *out = std::move(attempt);
      return Step::kDone;
    }
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
      if (HoldsOnlyReadLock(Handle())) {
        RollbackOpenTransaction();
        BeginImmediate();
        return Step::kRestarted;
      }
      // The busy handler has tried for a second already: a long lock.
      od_sleep(1000);
      continue;
    }
    if (rc == SQLITE_SCHEMA && !reopened) {
      reopened = true;
      Reopen();
      continue;
    }
    const char* message = MessageOf(attempt);
    if (role == Role::kCreation) CreationError(message);
    // A missing table is created once; meeting it missing again means the
    // statement names another table than its number.
    if (!created && strncmp(message, "no such table:", 14) == 0) {
      created = true;
      if (CreateTable(table) == Step::kRestarted) return Step::kRestarted;
      continue;
    }
    StatementError(rc, message);
  }
}

bool HasContent(const std::string& sql) {
  return sql.find_first_not_of(" \t\r\n;") != std::string::npos;
}

// Cuts a string of statements at the semicolons that end a statement
// (sqlite3_complete knows quotes, comments and trigger bodies).
std::vector<std::string> SplitStatements(const char* sql) {
  std::vector<std::string> parts;
  const char* start = sql;
  for (const char* p = sql; *p != '\0'; ++p) {
    if (*p != ';') continue;
    std::string candidate(start, p + 1);
    if (!sqlite3_complete(candidate.c_str())) continue;
    if (HasContent(candidate)) parts.push_back(std::move(candidate));
    start = p + 1;
  }
  std::string tail(start);
  if (HasContent(tail)) parts.push_back(std::move(tail));
  return parts;
}

// Runs the statements one by one. A unit is what follows a BEGIN run by
// this call; when a lock forces the transaction to restart, the unit runs
// again from its start so its results come from one transaction.
Attempt RunStatements(int table, const std::vector<std::string>& parts) {
  Attempt kept;
  size_t kept_index = 0;
  bool have_kept = false;
  size_t unit_start = std::string::npos;
  for (size_t i = 0; i < parts.size();) {
    bool was_autocommit = sqlite3_get_autocommit(Handle()) != 0;
    Attempt attempt;
    if (Execute(table, parts[i].c_str(), Role::kStatement, &attempt) == Step::kRestarted) {
      if (unit_start == std::string::npos) unit_start = i;
      i = unit_start;
      if (have_kept && kept_index >= i) have_kept = false;
      continue;
    }
    bool now_autocommit = sqlite3_get_autocommit(Handle()) != 0;
    if (was_autocommit && !now_autocommit) unit_start = i + 1;
    if (now_autocommit) unit_start = std::string::npos;
    if (!have_kept || attempt.columns > 0 || kept.columns == 0) {
      kept = std::move(attempt);
      kept_index = i;
      have_kept = true;
    }
    ++i;
  }
  if (!have_kept) kept = Try("");  // nothing to run: an empty table all the same
  return kept;
}

// The sysop's world reset deletes the database file under a running door;
// its connection would go on reading the deleted world. Between
// transactions, a connection whose file has moved is opened afresh.
void FollowMovedFile() {
  if (!IsOpen() || !sqlite3_get_autocommit(Handle())) return;
  int moved = 0;
  if (sqlite3_file_control(Handle(), "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK &&
      moved) {
    Reopen();
    RunReplacedFileHandler();
  }
}

char** Run(int table, char* statement, int* rows, int* columns) {
  SqlText owned(statement);
  FollowMovedFile();
  if (!owned) StatementError(SQLITE_NOMEM, sqlite3_errstr(SQLITE_NOMEM));
  Attempt result = RunStatements(table, SplitStatements(owned.get()));
  if (rows != nullptr) *rows = result.rows;
  if (columns != nullptr) *columns = result.columns;
  return result.table.release();
}

}  // namespace

void RollbackOpenTransaction() {
  if (!IsOpen()) return;
  sqlite3* db = Handle();
  if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

ResultTable Query(int table, const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* statement = sqlite3_vmprintf(format, args);
  va_end(args);
  int rows = 0;
  int columns = 0;
  char** result = Run(table, statement, &rows, &columns);
  return ResultTable(result, rows, columns);
}

void Exec(int table, const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* statement = sqlite3_vmprintf(format, args);
  va_end(args);
  RawTable discarded(Run(table, statement, nullptr, nullptr));
}

}  // namespace trv::db

extern "C" char** DoSQL(int table, char* statement, int* rows, int* columns) {
  return trv::db::Run(table, statement, rows, columns);
}
