#include "game/maint/maint.h"

#include <stdlib.h>

#include <optional>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/exclusive_file.h"
#include "game/db/liveness.h"
#include "game/db/portability.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/maint/run.h"
#include "game/maint/time_file.h"
#include "game/player/caller.h"
#include "game/ui/closing.h"
#include "game/ui/game_date.h"
#include "game/ui/game_directory.h"

namespace trv::maint {
namespace {

using db::Exec;
using db::Query;
using db::ResultTable;
using db::TableName;

// How long -runmaint waits for the realm to empty, unless the sysop sets
// TRV_RUNMAINT_WAIT (seconds).
constexpr int kDefaultWaitSeconds = 600;

enum class Realm {
  kNoCount,   // the state table has no row
  kEmpty,     // no session counted
  kStale,     // sessions counted, but nobody is on-line: a door died
  kOccupied,  // somebody is on-line
};

Realm ReadRealm() {
  db::RepairGhosts();  // a killed door's caller does not keep the day waiting
  ResultTable count = Query(db::kState, "SELECT NumPlayers FROM %s", TableName(db::kState));
  if (count.empty()) return Realm::kNoCount;
  if (count.Int(0, 0) <= 0) return Realm::kEmpty;
  ResultTable online =
      Query(db::kPlayer, "SELECT IDNum FROM %s WHERE Status=1 LIMIT 1", TableName(db::kPlayer));
  return online.empty() ? Realm::kStale : Realm::kOccupied;
}

void EnsureTimeFile(const GameDate& today) {
  if (!fexist(kTimeFile)) SaveRunDate(today);
}

// The normal start: runs the day when it is due and nobody is on-line.
void DailyCheck(const GameDate& today) {
  std::optional<GameDate> stored = ReadTimeFile();
  if (stored && stored->daynum == today.daynum) return;
  // The write lock first: a second node starting now waits here, then
  // finds the day paid.
  Exec(db::kNoTable, "BEGIN IMMEDIATE");
  if (PaidDay() == today.Number()) {
    // Paid by another node, or by a run that died before it wrote the date.
    Exec(db::kNoTable, "COMMIT TRANSACTION");
    SaveRunDate(today);
    return;
  }
  Realm realm = ReadRealm();
  if (realm == Realm::kEmpty || realm == Realm::kStale) {
    RunMaintenance(today);
    od_printf("\n\n\r`bright red`<<<< Press Any Key >>>>");
    od_get_key(TRUE);
    return;
  }
  Exec(db::kNoTable, "COMMIT TRANSACTION");
  od_printf(
      "** Maintenance has not run today **\n\n\rIf there is nobody else playing please ask your "
      "sysop to run:\n\r    TRVLaunch.exe /RUNMAINT");
  od_get_key(TRUE);
}

int WaitLimitSeconds() {
  const char* text = getenv("TRV_RUNMAINT_WAIT");
  int seconds = text != nullptr ? atoi(text) : 0;
  return seconds > 0 ? seconds : kDefaultWaitSeconds;
}

bool RealmIsFree() { return ReadRealm() != Realm::kOccupied; }

// -runmaint: waits for the realm to empty, within the time limit, and runs.
void WaitAndRun(const GameDate& today) {
  const int limit = WaitLimitSeconds();
  const long long deadline = NowMs() + limit * 1000LL;
  bool told = false;
  for (;;) {
    if (RealmIsFree()) {
      Exec(db::kNoTable, "BEGIN IMMEDIATE");
      if (RealmIsFree()) {
        RunMaintenance(today);
        return;
      }
      Exec(db::kNoTable, "COMMIT TRANSACTION");
    }
    if (!told) {
      od_printf("\n\r`grey`Players are in the realm; waiting up to %d seconds for them to leave..",
                limit);
      told = true;
    }
    if (NowMs() >= deadline) {
      od_printf(
          "\n\r`bright red`The realm is still in use after %d seconds; maintenance has not "
          "run.\n\r",
          limit);
      return;
    }
    od_sleep(100);
  }
}

}  // namespace
}  // namespace trv::maint

void CheckForMaint(int mode, const char* command_line) {
  using namespace trv;
  if (!correctDirectory(command_line)) od_exit(10, FALSE);
  const GameDate today = GameDate::Today();
  db::SetFatalExit(ExitGame);
  db::SetReplacedFileHandler(player::EndSessionAfterReset);
  db::Open();
  // Ghosts of this caller's own killed door too, before this door's mark
  // makes the name alive again.
  db::RepairGhosts();
  if (mode == kMaintNone || mode == kMaintCheck) db::HoldLiveMark(player::CallerUserName());
  maint::EnsureTimeFile(today);
  switch (mode) {
    case kMaintCheck:
      maint::DailyCheck(today);
      return;
    case kMaintForce:
      db::Exec(db::kState, "UPDATE %s SET NumPlayers=0", db::TableName(db::kState));
      maint::WaitAndRun(today);
      od_exit(10, FALSE);
    case kMaintWait:
      maint::WaitAndRun(today);
      od_exit(10, FALSE);
    default:
      return;
  }
}
