// The world options list the game and TRVConfig share.
#include "game/ui/world_options.h"

#include <string.h>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/ui/ui.h"

namespace trv {

void DrawWorldOptions() {
  db::ResultTable c =
      db::Query(db::kConfig,
                "SELECT MonsterFights,PlayerFights,StartGold,GoodDeeds,EvilDeeds,Assassinations,"
                "Mutilations,TournamentMode,MaxLevel,EndDate,LevelMultiplier FROM %s",
                db::TableName(db::kConfig));
  auto value = [&c](const char* column) { return CleanText(c.Text(0, column)); };
  auto allowed = [&c](const char* column) {
    return strcmp(c.Text(0, column), "1") == 0 ? "Allowed" : "Not Allowed";
  };
  od_clr_scr();
  od_printf("`bright blue`%s",
            ShadeTitle("`bright yellow`Game World Options `bright blue`").c_str());
  od_printf("\n\r`dark green`%s", kShortRule);
  od_printf(
      "\n\n\r`bright white`[`bright yellow`A`bright white`]. `dark green`Monster Fights       : "
      "`grey`%s",
      value("MonsterFights").c_str());
  od_printf(
      "\n\r`bright white`[`bright yellow`B`bright white`]. `dark green`Player Fights        : "
      "`grey`%s",
      value("PlayerFights").c_str());
  od_printf(
      "\n\r`bright white`[`bright yellow`C`bright white`]. `dark green`Player Starting Gold : "
      "`grey`%s",
      value("StartGold").c_str());
  od_printf("\n\r");
  od_printf("\n\r`bright white`[`bright yellow`D`bright white`]. `dark green`Good Deeds : `grey`%s",
            value("GoodDeeds").c_str());
  od_printf("\n\r`bright white`[`bright yellow`E`bright white`]. `dark green`Evil Deeds : `grey`%s",
            value("EvilDeeds").c_str());
  od_printf("\n\r");
  od_printf(
      "\n\r`bright white`[`bright yellow`F`bright white`]. `bright red`Assassinations : `grey`%s",
      allowed("Assassinations"));
  od_printf(
      "\n\r`bright white`[`bright yellow`G`bright white`]. `bright red`Mutilations : `grey`%s",
      allowed("Mutilations"));
  od_printf("\n\r");
  bool tournament = strcmp(c.Text(0, "TournamentMode"), "1") == 0;
  od_printf(
      "\n\r`bright white`[`bright yellow`T`bright white`]. `bright green`Tournament Mode : "
      "`grey`%s",
      tournament ? "On" : "Off");
  if (tournament) {
    std::string max_level = value("MaxLevel");
    if (max_level.empty()) max_level = "0";
    const std::string end_date = value("EndDate");
    if (max_level == "0" && !end_date.empty())
      od_printf("\n\r     `bright blue`[`bright white`Ends On `bright yellow`%s`bright blue`]",
                end_date.c_str());
    else if (max_level != "0")
      od_printf(
          "\n\r     `bright blue`[`bright white`Ends When A Player Reaches Level `bright "
          "yellow`%s`bright blue`]",
          max_level.c_str());
  }
  od_printf(
      "\n\r\n`bright white`[`bright yellow`1`bright white`]. `dark green`Level Multiplier : "
      "`grey`%s",
      value("LevelMultiplier").c_str());
}

void ShowWorldOptions() {
  DrawWorldOptions();
  PressAnyKey();
}

}  // namespace trv
