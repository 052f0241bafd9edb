// The alley's emigration screen: leaving for another kingdom past the
// border guards, or founding a new one.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/kingdom.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::Exec;
using db::kKingdom;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;

constexpr char kLandFullSelect[] =
    "\n\n\r`bright yellow`Sorry, cannot create anymore kingdoms. Please select an existing one.";

void Denied() {
  od_clr_scr();
  od_printf("\n\r`bright blue`%s `bright yellow`Denied Entrance `bright blue`%s", kShades,
            kShadesBack);
  od_printf("\n\n\r`bright red`You are a kingdom ruler, you cannot immigrate!");
  od_get_key(TRUE);
}

void ImmigrationScreen(const std::string& kingdom) {
  od_clr_scr();
  od_printf("`bright yellow`%s Immigration %s\n\r\n", kShades, kShadesBack);
  od_printf("`dark green`%s\n\r", kLongRule);
  od_printf(
      "`bright magenta`So you think life in another kingdom would be better? Well this is "
      "where\n\r");
  od_printf("you can attempt to escape the tyranny of your ruler. If the ruler has a\n\r");
  od_printf("high border guard rating, then it really isn't worth even trying to\n\r");
  od_printf("immigrate out..\n\r");
  od_printf("`dark green`%s", kLongRule);
  od_printf("\n\n\r`grey`NOTE: Each attempt costs 1 evil deed..");
  ResultTable guard = Query(kKingdom, "SELECT BorderGuardRating FROM %s WHERE Name=%Q",
                            TableName(kKingdom), kingdom.c_str());
  od_printf("\n\n\r`bright red`Kingdom Border Guard Rating: `bright cyan`%s%%", guard.Text(0, 0));
  od_printf("\n\n\r`white`");
}

// Moves the caller to the kingdom in the slot after a successful escape.
void Emigrate(BorderEscape escape, const std::string& player_name, const std::string& from,
              int slot) {
  ResultTable target =
      Query(kKingdom, "SELECT Name FROM %s WHERE IDNum=%d", TableName(kKingdom), slot);
  if (target.empty()) return;
  const std::string to = target.Text(0, 0);
  if (to == from) {
    od_printf("\n\n\r`dark red`You already live in this kingdom!");
    od_get_key(TRUE);
    return;
  }
  od_printf(
      "\r\n\n`dark green`Immigrate to `bright green`%s `dark green`(`bright yellow`y`dark "
      "green`/`bright yellow`N`dark green`)? ",
      CleanText(to.c_str()).c_str());
  if (!AnswerYes() || !escape || !escape(from, to)) return;
  // The target may have been renamed while the caller was at the border.
  std::string arrived;
  db::RunWriteUnit([&] {
    ResultTable now =
        Query(kKingdom, "SELECT Name FROM %s WHERE IDNum=%d", TableName(kKingdom), slot);
    if (now.empty()) return false;
    arrived = now.Text(0, 0);
    Exec(kPlayer, "UPDATE %s SET Kingdom=%Q WHERE UserName=%Q", TableName(kPlayer), arrived.c_str(),
         player::CallerUserName());
    return true;
  });
  if (arrived.empty()) return;
  AddNews("`bright cyan`BORDER ESCAPE",
          (player_name + " successfully immigrated out of " + from + " to " + arrived).c_str(), "");
}

void FoundNewKingdom() {
  ResultTable count = Query(kKingdom, "SELECT * FROM %s", TableName(kKingdom));
  if (count.rows() > 4) {
    od_printf("%s", kLandFullSelect);
    od_get_key(TRUE);
    return;
  }
  ResultTable me = player::CallerRow("PlayerName,Kingdom");
  const std::string player_name = me.Text(0, 0);
  const std::string left = me.Text(0, 1);
  if (!FoundUntilDone(player_name, kLandFullSelect)) return;
  AddNews(("`bright cyan`NEW KINGDOM - " + left).c_str(),
          ("Ruler " + player_name + " has established a new kingdom!").c_str(), "");
  while (!SetTaxes()) {
  }
}

}  // namespace

void Immigrate(BorderEscape escape) {
  ResultTable me = player::CallerRow("Kingdom,PlayerName");
  const std::string kingdom = me.Text(0, 0);
  const std::string player_name = me.Text(0, 1);
  ResultTable ruler =
      Query(kKingdom, "SELECT Ruler FROM %s WHERE Name=%Q", TableName(kKingdom), kingdom.c_str());
  if (ruler.empty()) return;
  if (player_name == ruler.Text(0, 0)) {
    Denied();
    return;
  }
  if (player::CallerInt("EvilDeeds") < 1) {
    od_clr_scr();
    od_printf("\n\n\r`dark red`You don't have enough evil deeds left today!");
    od_get_key(TRUE);
    return;
  }
  Check_For_Msgs();
  ImmigrationScreen(kingdom);
  ShowKingdomList(kingdom, false);
  if (Query(kKingdom, "SELECT * FROM %s", TableName(kKingdom)).rows() < kMaxKingdoms)
    od_printf("\n\r`bright green`Press [`yellow`C`bright green`] To build your own kingdom!");
  od_printf("\n\r`dark green`%s Choose Kingdom <`grey`Enter `dark green`to quit>: ", kShades);
  char key = od_get_answer("12345C\r");
  if (key >= '1' && key <= '5')
    Emigrate(escape, player_name, kingdom, key - '0');
  else if (key == 'C')
    FoundNewKingdom();
}

}  // namespace trv::kingdom
