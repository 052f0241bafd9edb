// Presence and node messages: the broadcasts, the poll and its first reader.
#include "game/messaging/presence.h"

#include <stdlib.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/liveness.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/chat_room.h"
#include "game/messaging/messaging.h"
#include "game/messaging/text.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::messaging {
namespace {

int g_full_screens = 0;

std::string Banner(const char* bracket, const char* title_colour, const char* title) {
  return std::string(bracket) + kShades + " " + title_colour + title + " " + bracket + kShadesBack;
}

// Types 0 and 1: a cleared screen and a key.
void ShowRealmNotice(const std::string& by, bool entered) {
  NoteFullScreen();
  od_clr_scr();
  od_disp_emu(("\n\r" + Banner(ansi::kBrightBlue, ansi::kBrightYellow, "Realm News")).c_str(),
              TRUE);
  od_disp_emu((std::string("\n\n\r") + ansi::kBrightMagenta + by + " " + ansi::kDarkGreen +
               (entered ? "has entered the realm!" : "has left the realm.."))
                  .c_str(),
              TRUE);
  od_get_key(TRUE);
}

void ShowTelegram(const db::ResultTable& msgs, int r, const std::string& by) {
  NoteFullScreen();
  od_clr_scr();
  od_disp_emu(
      ("\n\r" + Banner(ansi::kBrightBlue, ansi::kBrightYellow, "Tele-Gram Received!")).c_str(),
      TRUE);
  std::string text = std::string("\n\n\r") + ansi::kBrightYellow + by + " wrote:\n\r" +
                     ansi::kBrightWhite + CleanText(msgs.Text(r, "Line1"));
  for (const char* column : {"Line2", "Line3", "Line4", "Line5"})
    text += "\n\r" + CleanText(msgs.Text(r, column));
  od_disp_emu(text.c_str(), TRUE);
  od_get_key(TRUE);
  // Inside the room the loop draws its whole frame again itself.
  if (!ChatRoomActive() && player::CallerPlace() == kInChatRoom) DrawChatWin();
}

// Types 3 and 4: a line for a caller inside the chat room, nothing elsewhere.
void ShowChatNotice(const std::string& by, bool entered) {
  if (player::CallerPlace() != kInChatRoom) return;
  std::string line = std::string(ansi::kBrightRed) + "** " + ansi::kBrightYellow + by +
                     (entered ? " enters the chat room.." : " left the chat room..");
  if (!ChatRoomNotice(line)) od_disp_emu(("\n\r" + line).c_str(), TRUE);
}

}  // namespace

void NoteFullScreen() { ++g_full_screens; }
int FullScreensShown() { return g_full_screens; }

}  // namespace trv::messaging

namespace trv {

void Broadcast(int type) {
  const char* me = player::CallerUserName();
  db::ResultTable sender = db::Query(db::kPlayer, "SELECT PlayerName FROM %s WHERE UserName=%Q",
                                     db::TableName(db::kPlayer), me);
  if (sender.empty()) return;
  db::RepairGhosts();  // no notices pile up for a caller whose door was killed
  // One commit for every notice: a row each in its own commit made a full
  // realm pay a disk sync per caller on every entry and exit.
  db::RunWriteUnit([&] {
    db::ResultTable others =
        db::Query(db::kPlayer, "SELECT UserName FROM %s WHERE UserName<>%Q AND Status=1",
                  db::TableName(db::kPlayer), me);
    for (int r = 0; r < others.rows(); ++r)
      db::Exec(db::kNode, "INSERT INTO %s (TypeOf,SentTo,SentBy) VALUES (%d,%Q,%Q)",
               db::TableName(db::kNode), type, others.Text(r, 0), sender.Text(0, 0));
    return true;
  });
}

}  // namespace trv

using namespace trv;
using namespace trv::messaging;

void Check_For_Msgs(void) {
  const char* me = player::CallerUserName();
  db::ResultTable node = db::Query(db::kNode, "SELECT 1 FROM %s WHERE SentTo=%Q LIMIT 1",
                                   db::TableName(db::kNode), me);
  if (!node.empty()) NodeMsgs();
  // Which of the two kinds of usernews rows wait, in one look.
  db::ResultTable kinds = db::Query(
      db::kUserNews, "SELECT max(TypeOfReq=%d), max(TypeOfReq<>%d) FROM %s WHERE UserName=%Q", 0, 0,
      db::TableName(db::kUserNews), me);
  if (kinds.Int(0, 0) != 0) Personal();
  if (kinds.Int(0, 1) != 0) Request();
}

void NodeMsgs(void) {
  static bool running = false;
  Reentry guard(&running);
  if (!guard.entered()) return;
  db::ResultTable msgs = db::Query(db::kNode,
                                   "SELECT IDNum, TypeOf, Line1, Line2, Line3, Line4, Line5, "
                                   "SentTo, SentBy FROM %s WHERE SentTo=%Q ORDER BY IDNum",
                                   db::TableName(db::kNode), player::CallerUserName());
  for (int r = 0; r < msgs.rows(); ++r) {
    const std::string by = CleanText(msgs.Text(r, "SentBy"));
    switch (atoi(msgs.Text(r, "TypeOf"))) {
      case kLeftRealm:
        ShowRealmNotice(by, false);
        break;
      case kEnteredRealm:
        ShowRealmNotice(by, true);
        break;
      case kTelegram:
        ShowTelegram(msgs, r, by);
        break;
      case kEnteredChat:
        ShowChatNotice(by, true);
        break;
      case kLeftChat:
        ShowChatNotice(by, false);
        break;
      default:
        break;
    }
    db::Exec(db::kNode, "DELETE FROM %s WHERE IDNum=%lld", db::TableName(db::kNode),
             msgs.Int(r, "IDNum"));
  }
}
