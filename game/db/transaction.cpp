#include "game/db/transaction.h"

#include <sqlite3.h>

#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/schema.h"

namespace trv::db {
namespace {

// Undoes the unit when it leaves by an exception.
class UnitGuard {
 public:
  explicit UnitGuard(bool nested) : nested_(nested) {}
  ~UnitGuard() {
    if (done_) return;
    if (nested_ && IsOpen() && !sqlite3_get_autocommit(Handle())) {
      sqlite3_exec(Handle(), "ROLLBACK TO trv_unit; RELEASE trv_unit", nullptr, nullptr, nullptr);
    } else {
      RollbackOpenTransaction();
    }
  }
  void Done() { done_ = true; }

 private:
  bool nested_;
  bool done_ = false;
};

}  // namespace

bool RunWriteUnit(const std::function<bool()>& unit) {
  sqlite3* db = Handle();
  bool nested = !sqlite3_get_autocommit(db);
  if (nested && sqlite3_txn_state(db, "main") != SQLITE_TXN_WRITE) {
    // The caller's transaction has written nothing yet; taking the write
    // lock now (instead of at the unit's first write) keeps the unit's
    // reads from going stale.
    RollbackOpenTransaction();
    Exec(kNoTable, "BEGIN IMMEDIATE");
  }
  Exec(kNoTable, nested ? "SAVEPOINT trv_unit" : "BEGIN IMMEDIATE");
  UnitGuard guard(nested);
  bool keep = unit();
  if (nested) {
    Exec(kNoTable, keep ? "RELEASE trv_unit" : "ROLLBACK TO trv_unit; RELEASE trv_unit");
  } else {
    Exec(kNoTable, keep ? "COMMIT" : "ROLLBACK");
  }
  guard.Done();
  return keep;
}

}  // namespace trv::db
