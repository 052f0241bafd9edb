#include "game/session/frame.h"

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/chat_room.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/session/ansi.h"
#include "game/session/game_directory.h"
#include "game/session/ui.h"

namespace trv {

namespace {

bool g_session_counted = false;

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

void SetSessionCounted(bool counted) { g_session_counted = counted; }
bool SessionCounted() { return g_session_counted; }

void EndSessionAfterReset() {
  if (!SessionCounted()) return;  // not in the realm: the next entry starts afresh
  if (!db::Query(db::kPlayer, "SELECT 1 FROM %s WHERE UserName=%Q AND Kingdom IS NOT NULL",
                 db::TableName(db::kPlayer), od_control.user_name)
           .empty())
    return;
  SetSessionCounted(false);  // the new world never counted this session
  od_printf("\n\r`bright red`The sysop has reset the realm; your character is gone.`grey`\n\r");
  od_sleep(2000);
  od_exit(10, FALSE);
}

}  // namespace trv

using namespace trv;
using trv::db::Exec;
using trv::db::Query;
using trv::db::ResultTable;
using trv::db::TableName;

int correctDirectory(const char* command_line) {
  return EnterGameDirectory(command_line ? command_line : "") ? 1 : 0;
}

void BeforeExitFunction(void) {
  if (!db::IsOpen()) return;      // the door ended before it opened the realm
  db::RollbackOpenTransaction();  // whatever the interrupted screen left open
  db::SetFatalExit(AbortHook);
  const std::string user = od_control.user_name;
  try {
    messaging::LeaveChatRoomOnExit();
    db::RunWriteUnit([&user] {
      // Only this caller's own unfinished character: another node may be
      // creating one right now.
      Exec(db::kPlayer, "DELETE FROM %s WHERE Kingdom Is NULL AND UserName=%Q",
           TableName(db::kPlayer), user.c_str());
      if (SessionCounted()) {
        Exec(db::kState, "UPDATE %s SET NumPlayers=NumPlayers-1 WHERE NumPlayers>0",
             TableName(db::kState));
        // Who came and went meanwhile is old news by the next visit; a
        // telegram waits.
        Exec(db::kNode, "DELETE FROM %s WHERE SentTo=%Q AND TypeOf<>%d", TableName(db::kNode),
             user.c_str(), kTelegram);
      }
      Exec(db::kPlayer, "UPDATE %s SET Status=0,WhereInGame='' WHERE UserName=%Q",
           TableName(db::kPlayer), user.c_str());
      return true;
    });
    SetSessionCounted(false);
    Broadcast(kLeftRealm);
  } catch (const HookAborted&) {
  }
}

void ExitGame(void) {
  od_clr_scr();
  Emu(std::string("\n\r") + ansi::kBrightWhite + "Thank you for playing!!\n\r");
  Emu(std::string("\n\r") + ansi::kBrightBlue + "  " + kShades + " " + ansi::kBrightYellow +
      "Tarvessia: Turn of Tide v4.5" + ansi::kBrightBlue + " " + kShadesBack);
  Emu(std::string("\n\n\r") + ansi::kBrightGreen +
      "Tarvessia lives on in Linux BBS doors - may the tide turn your way.");
  Emu(std::string("\n\n\r") + ansi::kGrey + "[Compile Date: 06/24/2005]");
  Emu(std::string("\n\n\r") + ansi::kDarkGreen + "Credits:");
  const char* const credits[4][2] = {
      {"Programmed/Designed: ", "The Tarvessia Development Team"},
      {"Storyboard Concept : ", "The Tidewardens"},
      {"Coding Support     : ", "The Linux Door Crew"},
      {"Testing/Support    : ", "Every caller who braved the realm"},
  };
  for (int i = 0; i < 4; ++i)
    Emu(std::string("\n\r") + ansi::kBrightRed + credits[i][0] + ansi::kBrightWhite +
        credits[i][1] + (i == 3 ? "\n\r" : ""));
  od_sleep(2000);
  od_exit(10, FALSE);
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
