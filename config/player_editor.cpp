#include "config/player_editor.h"

#include <string.h>

#include <string>

#include "config/player_fields.h"
#include "config/prompts.h"
#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/liveness.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/money/money.h"
#include "game/ui/ui.h"

namespace trv::config {
namespace {

using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;

void PageHead() {
  od_clr_scr();
  Banner("`bright magenta`", "`bright green`Tarvessia: Player Editor`bright magenta`");
  od_printf("\n\n\r");
  od_printf("`bright white` ID      Player               Level       Where Are They?\n\r");
  od_printf("`dark green`%s", kRule);
  od_set_cursor(4, 1);
}

void Row(const ResultTable& players, int r) {
  od_printf("\n\r `grey`[`bright yellow`%-3s`grey`] ", players.Text(r, "IDNum"));
  od_printf("%-2s", strcmp(players.Text(r, "Gender"), "Female") == 0 ? "`bright magenta`F"
                                                                     : "`bright cyan`M");
  od_printf(" `bright red`%-21s `grey`%-5s", CleanText(players.Text(r, "PlayerName")).c_str(),
            AddCommas(std::string(players.Text(r, "Level"))).c_str());
  const std::string where = CleanText(players.Text(r, "WhereInGame"));
  if (where.empty())
    od_printf("`bright red`Offline");
  else
    od_printf("`bright green`%s", where.c_str());
}

void ListPlayers() {
  db::RepairGhosts();  // a killed door's caller shows as off-line
  ResultTable players =
      Query(kPlayer, "SELECT IDNum,Gender,PlayerName,Level,WhereInGame FROM %s ORDER BY IDNum",
            TableName(kPlayer));
  PageHead();
  for (int r = 0; r < players.rows(); ++r) {
    if (r > 0 && r % 10 == 0) PageHead();
    Row(players, r);
    if ((r + 1) % 10 == 0) {
      od_printf("\n\n\r`bright red`Continue (y/n)?");
      if (od_get_answer("\ryn") == 'n') return;
    }
  }
}

// Both reads of the chosen ID find the row gone when a door deleted the
// character meanwhile.
void ChooseAndEdit(const std::string& id) {
  ResultTable user =
      Query(kPlayer, "SELECT UserName FROM %s WHERE IDNum=%Q", TableName(kPlayer), id.c_str());
  if (user.empty()) return PlayerNotFound();
  ResultTable name =
      Query(kPlayer, "SELECT PlayerName FROM %s WHERE IDNum=%Q", TableName(kPlayer), id.c_str());
  if (name.empty()) return PlayerNotFound();
  od_printf(
      "\r\n\n`dark green`Edit `bright green`%s `dark green`(`bright yellow`y`dark "
      "green`/`bright yellow`N`dark green`)? ",
      CleanText(name.Text(0, 0)).c_str());
  if (od_get_answer("YN") == 'Y') FieldEditor(id);
}

}  // namespace

void PlayerEditor() {
  db::Open();
  ListPlayers();
  od_printf("\n\n\r`dark green`Enter Player ID# <`grey`Enter to Exit`dark green`>:");
  const std::string id = ReadDigits(4);
  if (!id.empty()) ChooseAndEdit(id);
  db::Close();
}

}  // namespace trv::config
