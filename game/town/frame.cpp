#include "game/town/frame.h"

#include <string.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/chat_room.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv {

namespace {

// A failed statement inside the exit hook ends the hook, not the door again.
struct HookAborted {};
void AbortHook() { throw HookAborted(); }

void ListingHead() {
  od_clr_scr();
  Emu(std::string(ansi::kBrightMagenta) + kShades + " " + ansi::kBrightGreen +
      "Tarvessia Player Listing" + ansi::kBrightMagenta + " " + kShadesBack + "\n\n\r");
  Emu(std::string(ansi::kBrightWhite) + "   Player               Level       Profession\n\r");
  Emu(std::string(ansi::kDarkGreen) +
      "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-");
  od_set_cursor(4, 1);
}

}  // namespace
}  // namespace trv

using namespace trv;
using trv::db::Exec;
using trv::db::Query;
using trv::db::ResultTable;
using trv::db::TableName;

void BeforeExitFunction(void) {
  if (!db::IsOpen()) return;      // the door ended before it opened the realm
  db::RollbackOpenTransaction();  // whatever the interrupted screen left open
  db::SetFatalExit(AbortHook);
  const std::string user = player::CallerUserName();
  try {
    messaging::LeaveChatRoomOnExit();
    const bool counted = player::SessionCounted();
    db::RunWriteUnit([&user, counted] {
      // Only this caller's own unfinished character: another node may be
      // creating one right now.
      Exec(db::kPlayer, "DELETE FROM %s WHERE Kingdom Is NULL AND UserName=%Q",
           TableName(db::kPlayer), user.c_str());
      if (counted) {
        // Who came and went meanwhile is old news by the next visit; a
        // telegram waits.
        Exec(db::kNode, "DELETE FROM %s WHERE SentTo=%Q AND TypeOf<>%d", TableName(db::kNode),
             user.c_str(), kTelegram);
      }
      Exec(db::kPlayer, "UPDATE %s SET Status=0,WhereInGame='' WHERE UserName=%Q",
           TableName(db::kPlayer), user.c_str());
      if (counted) player::TakeSessionFromCount();
      return true;
    });
    player::SetSessionCounted(false);
    Broadcast(kLeftRealm);
  } catch (const HookAborted&) {
  }
}

void ShowPlayerFile(void) {
  ListingHead();
  ResultTable players =
      Query(db::kPlayer, "SELECT Gender,PlayerName,Level,Guild FROM %s ORDER BY Level Desc",
            TableName(db::kPlayer));
  for (int r = 0; r < players.rows(); ++r) {
    if (r > 0 && r % 10 == 0) ListingHead();
    if (strcmp(players.Text(r, 0), "Female") == 0)
      od_printf("\n\r`bright magenta` F ");
    else
      od_printf("\n\r   ");
    od_printf(
        "`bright red`%-21s `grey`%-5s      `bright green`%s", CleanText(players.Text(r, 1)).c_str(),
        AddCommas(std::string(players.Text(r, 2))).c_str(), CleanText(players.Text(r, 3)).c_str());
    if ((r + 1) % 10 == 0) {
      od_printf("\n\n\r`bright red`Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') return;
    }
  }
  PressAnyKey();
}
