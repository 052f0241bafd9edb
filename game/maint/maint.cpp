#include "game/maint/maint.h"

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/session/frame.h"

using trv::db::Exec;
using trv::db::Query;
using trv::db::ResultTable;
using trv::db::TableName;

namespace {

// Waits until no session is counted in the realm, polling every 100 ms.
void WaitForEmptyRealm() {
  for (;;) {
    Exec(trv::db::kNoTable, "BEGIN TRANSACTION");
    ResultTable count =
        Query(trv::db::kState, "SELECT NumPlayers FROM %s", TableName(trv::db::kState));
    bool empty = !count.empty() && count.Int(0, 0) == 0;
    Exec(trv::db::kNoTable, "COMMIT TRANSACTION");
    if (empty) return;
    od_sleep(100);
  }
}

}  // namespace

void CheckForMaint(int mode, const char* command_line) {
  if (!correctDirectory(command_line)) od_exit(10, FALSE);
  trv::db::SetFatalExit(ExitGame);
  trv::db::Open();
  if (mode == kMaintForce) {
    Exec(trv::db::kState, "UPDATE %s SET NumPlayers=0", TableName(trv::db::kState));
    mode = kMaintWait;
  }
  if (mode == kMaintWait) {
    WaitForEmptyRealm();
    od_exit(10, FALSE);
  }
}
