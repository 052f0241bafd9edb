#include "config/reset.h"

#include <unistd.h>

#include <string>

#include "config/prompts.h"
#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/liveness.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/player/world_files.h"
#include "game/ui/ui.h"

namespace trv::config {
namespace {

bool AskYesNo(const char* question) {
  return trv::AskYesNo(std::string("\n\n\r`bright red`") + question + " ", "bright red");
}

// Names of the characters in the realm right now, ", " between them. Only
// an existing database is asked: opening a missing one would create it.
std::string CallersInRealm(int* count) {
  *count = 0;
  if (access(db::kDatabasePath, F_OK) != 0) return "";
  db::Open();
  db::RepairGhosts();  // a killed door's caller will lose nothing
  db::ResultTable on_line =
      db::Query(db::kPlayer, "SELECT PlayerName FROM %s WHERE Status=1 ORDER BY PlayerName",
                db::TableName(db::kPlayer));
  std::string names;
  for (int r = 0; r < on_line.rows(); ++r)
    names += (r > 0 ? ", " : "") + CleanText(on_line.Text(r, 0));
  *count = on_line.rows();
  return names;
}

}  // namespace

void WorldReset() {
  od_clr_scr();
  Banner("\n\r`bright yellow`", "`bright blue`GAME WORLD RESET `bright yellow`");
  if (!AskYesNo("Really reset game world")) return;
  if (!AskYesNo("ARE YOU REALLY SURE")) return;
  // A reset deletes the world under whoever plays; make sure the sysop knows.
  int callers = 0;
  const std::string names = CallersInRealm(&callers);
  if (callers > 0) {
    od_printf("\n\n\r`bright yellow`%d %s in the realm right now and will lose this game:", callers,
              callers == 1 ? "caller is" : "callers are");
    od_printf("\n\r`bright white`%s", names.c_str());
    if (!AskYesNo("Reset anyway")) return;
  }
  od_printf("\n\n\r`bright green`Resetting game world..Please Wait");
  // Our own connection would otherwise keep writing into the deleted file.
  db::Close();
  {
    db::OpenLock no_door_opens_meanwhile(true);
    for (const char* file : kWorldResetFiles) unlink(file);  // a missing file is fine
  }
  Banner("\n\n\r`bright yellow`", "GAME RESET");
  od_get_key(TRUE);
}

}  // namespace trv::config
