#include "game/maint/run.h"

#include <sqlite3.h>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/maint/backup.h"
#include "game/maint/kingdom_update.h"
#include "game/maint/marriages.h"
#include "game/maint/news_roll.h"
#include "game/maint/pause_point.h"
#include "game/maint/player_reset.h"
#include "game/maint/time_file.h"
#include "game/ui/ui.h"

namespace trv::maint {
namespace {

using db::Exec;
using db::Query;
using db::TableName;

constexpr char kRule[] = "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-==-=-=-=-=-=-=-";

void Step(const char* text) { od_printf("\n\r`grey`%s", text); }
void Done() { od_printf("`dark red`Done!"); }

void Backup(const GameDate& today) {
  std::string error;
  if (!BackupDatabase(db::kDatabasePath, BackupPath(today.Format("YYYYMMDD")), &error))
    od_printf("\n\r`bright red`Backup failed: %s", CleanText(error.c_str()).c_str());
}

void MarkDayPaid(const GameDate& today) {
  Exec(db::kNoTable, "PRAGMA user_version=%d", today.Number());
  // One row with no sessions, also when a damaged table had none or many.
  Exec(db::kState, "DELETE FROM %s", TableName(db::kState));
  Exec(db::kState, "INSERT INTO %s (NumPlayers) VALUES (0)", TableName(db::kState));
}

// VACUUM needs every other node off the file, and the statement runner
// would wait for them without end; a busy file skips it for today instead
// (after the connection's one-second busy wait).
void Vacuum() {
  int rc = sqlite3_exec(db::Handle(), "VACUUM", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK)
    Done();
  else if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
    od_printf("`dark red`Busy, skipped!");
  else
    od_printf("`dark red`Skipped: %s", sqlite3_errmsg(db::Handle()));
}

}  // namespace

int PaidDay() { return static_cast<int>(Query(db::kNoTable, "PRAGMA user_version").Int(0, 0)); }

void SaveRunDate(const GameDate& today) {
  std::string error;
  if (!WriteTimeFile(today, &error))
    od_printf("\n\r`bright red`Cannot write %s: %s", kTimeFile, error.c_str());
}

void RunMaintenance(const GameDate& today) {
  PausePoint("begun");
  od_clr_scr();
  Backup(today);
  PausePoint("backup");
  od_printf(
      "\n\r`bright blue`%s `bright yellow`Tarvessia v4.5: Maintenance Running `bright blue`%s",
      kShades, kShadesBack);
  od_printf("\n\n\r`dark yellow`%s", kRule);

  Step("Renaming the necessary files.................................");
  RollNewsDay();
  Done();
  Step("Resetting the player data files..............................");
  ResetPlayerDay();
  Done();
  Step("Investment Returns...........................................");
  Done();
  Step("Kingdom taxes/rewards given..................................");
  UpdateKingdomsDaily();
  Done();
  PausePoint("kingdoms");
  Step("Marriage Updates.............................................");
  UpdateMarriages();
  Done();

  Step("Vacuuming Database...........................................");
  MarkDayPaid(today);
  Exec(db::kNoTable, "COMMIT TRANSACTION");
  PausePoint("committed");
  Vacuum();
  od_printf("\n\r`dark yellow`%s", kRule);
  PausePoint("timefile");
  SaveRunDate(today);
}

}  // namespace trv::maint
