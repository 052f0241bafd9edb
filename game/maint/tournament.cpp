#include "game/maint/tournament.h"

#include <string.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/maint/maint.h"
#include "game/ui/closing.h"
#include "game/ui/ui.h"

namespace trv::maint {
namespace {

void ShowWinner(const std::string& name) {
  od_clr_scr();
  od_printf("`bright blue`%s `bright yellow`Tournament Over! `bright blue`%s", kShades,
            kShadesBack);
  od_printf("\n\r`dark green`-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-");
  od_printf(
      "\n\n\r`bright red`Congratulations to `bright magenta`%s `bright red`on winning the "
      "Tarvessia "
      "Tournament!",
      name.c_str());
  od_printf("\n\rThey have proven to be the ultimate realm champion, and earned our respect!");
  od_printf(
      "\n\n\r`bright white`Please notify your Sysop that the tournament is over and to reset the "
      "game!");
  od_printf("\n\n\r`dark red`%s", ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
  ExitGame();
}

}  // namespace

bool TournamentOver(const TournamentSettings& settings, std::optional<long long> leader_level,
                    const GameDate& today) {
  if (strcmp(settings.mode, "1") != 0 || !leader_level) return false;
  if (settings.max_level >= 1) return *leader_level > settings.max_level;
  if (*settings.end_date == '\0') return false;
  std::optional<GameDate> end = GameDate::Parse(settings.end_date, "MMDDYYYY");
  return end && end->daynum <= today.daynum;
}

}  // namespace trv::maint

void CheckTournamentEnd(void) {
  using namespace trv;
  db::ResultTable config = db::Query(db::kConfig, "SELECT TournamentMode,MaxLevel,EndDate FROM %s",
                                     db::TableName(db::kConfig));
  if (strcmp(config.Text(0, 0), "1") != 0) return;
  db::ResultTable leader =
      db::Query(db::kPlayer, "SELECT PlayerName,Level FROM %s ORDER BY Level DESC",
                db::TableName(db::kPlayer));
  std::optional<long long> level;
  if (!leader.empty()) level = leader.Int(0, 1);
  maint::TournamentSettings settings{config.Text(0, 0), config.Int(0, 1), config.Text(0, 2)};
  if (!maint::TournamentOver(settings, level, GameDate::Today())) return;
  maint::ShowWinner(CleanText(leader.Text(0, 0)));
}
