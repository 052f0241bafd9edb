// The player lists callers find each other with: who is on-line (with
// telegrams), the list on entering the realm, and the tavern's list of all
// characters (with personal messages).
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/liveness.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/messaging/text.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv {
namespace {

constexpr char kRule[] = "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-";
constexpr int kTelegramLines = 5;
constexpr int kLineLength = 55;

std::string Padded(const char* format, const std::string& text) {
  char buffer[512];
  snprintf(buffer, sizeof buffer, format, text.c_str());
  return buffer;
}

PlayerListStyle OnlineStyle() {
  PlayerListStyle style;
  style.title = std::string(ansi::kBrightBlue) + kShades + " " + ansi::kBrightYellow +
                "Tarvessia: Global Realm Vistors " + ansi::kBrightBlue + kShadesBack;
  return style;
}

db::ResultTable OnlinePlayers() {
  db::RepairGhosts();  // a killed door's caller is not in the realm
  return db::Query(db::kPlayer,
                   "SELECT IDNum,Gender,PlayerName,Level,WhereInGame FROM %s WHERE Status=1 "
                   "ORDER BY IDNum",
                   db::TableName(db::kPlayer));
}

std::string OnlineUserWithId(const std::string& id) {
  db::RepairGhosts();
  db::ResultTable user =
      db::Query(db::kPlayer, "SELECT UserName FROM %s WHERE Status=1 AND IDNum=%Q",
                db::TableName(db::kPlayer), id.c_str());
  return user.Text(0, 0);
}

std::string AnyUserWithId(const std::string& id) {
  db::ResultTable user = db::Query(db::kPlayer, "SELECT UserName FROM %s WHERE IDNum=%Q",
                                   db::TableName(db::kPlayer), id.c_str());
  return user.Text(0, 0);
}

void PostTelegram(const std::string& to, const std::string (&lines)[kTelegramLines]) {
  std::string sender = player::CallerPlayerName();
  db::Exec(db::kNode,
           "INSERT INTO %s (TypeOf,SentTo,Line1,Line2,Line3,Line4,Line5,SentBy) VALUES "
           "(%d,%Q,%Q,%Q,%Q,%Q,%Q,%Q)",
           db::TableName(db::kNode), kTelegram, to.c_str(), lines[0].c_str(), lines[1].c_str(),
           lines[2].c_str(), lines[3].c_str(), lines[4].c_str(), sender.c_str());
}

}  // namespace

void PlayerListHead(const PlayerListStyle& style) {
  od_clr_scr();
  Emu(style.title);
  Emu(std::string(style.head_after_blank_lines ? "\n\n\r" : "") + ansi::kBrightWhite +
      (style.column_head ? style.column_head
                         : " ID      Player               Level       Where Are They?") +
      "\n\r");
  Emu(std::string(ansi::kDarkGreen) + kRule);
  od_set_cursor(4, 1);
}

void PlayerListRow(const db::ResultTable& rows, int r, const PlayerListStyle& style) {
  Emu(std::string("\n\r ") + ansi::kGrey + "[" + ansi::kBrightYellow +
      Padded("%-3s", CleanText(rows.Text(r, 0))) + ansi::kGrey + "] ");
  if (strcmp(rows.Text(r, 1), "Female") == 0)
    od_printf("`bright magenta`F");
  else
    od_printf("`bright cyan`M");
  Emu(std::string(" ") + ansi::kBrightRed + Padded("%-21s", CleanText(rows.Text(r, 2))) + " " +
      ansi::kGrey + Padded("%-5s", AddCommas(rows.Text(r, 3))) + "      ");
  std::string place = CleanText(rows.Text(r, 4));
  if (place.empty() && style.offline_label)
    Emu(std::string(ansi::kBrightRed) + "Offline");
  else
    Emu(ansi::kBrightGreen + place);
}

bool ShowPlayerList(const db::ResultTable& rows, const PlayerListStyle& style) {
  PlayerListHead(style);
  for (int r = 0; r < rows.rows(); ++r) {
    if (r > 0 && r % 10 == 0) PlayerListHead(style);
    PlayerListRow(rows, r, style);
    if ((r + 1) % 10 == 0) {
      od_printf("\n\n\r`bright red`Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') return false;
    }
  }
  return true;
}

std::string AskPlayerId() {
  Emu(std::string("\n\n\r") + ansi::kDarkGreen + "Enter Player ID# <" + ansi::kGrey +
      "Enter to Exit" + ansi::kDarkGreen + ">: ");
  char id[5] = "";
  od_input_str(id, 4, '0', '9');
  return id;
}

}  // namespace trv

using namespace trv;

void WhoOnline(void) {
  ShowPlayerList(OnlinePlayers(), OnlineStyle());
  Emu(std::string("\r\n\n") + ansi::kDarkGreen + "Send TeleGram " + YesNoAnsi(ansi::kDarkGreen));
  if (od_get_answer("YN") == 'N') return;
  const std::string id = AskPlayerId();
  if (id.empty()) return;
  if (OnlineUserWithId(id).empty()) {
    od_printf("\n\r`bright red`That player is currently not online!");
    od_get_key(TRUE);
    return;
  }
  Emu(std::string("\n\n\r") + ansi::kBrightBlue + kShades + " " + ansi::kBrightYellow +
      "TeleGram Writing " + ansi::kBrightBlue + kShadesBack);
  od_printf("\n\n\r`dark green`Gram will be sent instantly after submitting..");
  Emu(std::string("\n\r") + ansi::kGrey + "Max 5 lines - [" + ansi::kBrightYellow +
      "Type /s on a blank line to save!" + ansi::kGrey + "]");
  std::string lines[kTelegramLines];
  for (int i = 0; i < kTelegramLines; ++i) {
    od_printf("%s`bright red`Line %d: `bright magenta`", i == 0 ? "\n\n\r" : "", i + 1);
    lines[i] = messaging::ReadLine(kLineLength);
    // Lines 2 to 4 may end the gram; the first and the last are always text.
    if (i > 0 && i < kTelegramLines - 1 && strcasecmp(lines[i].c_str(), "/s") == 0) {
      lines[i].clear();
      break;
    }
  }
  Emu(std::string("\r\n") + ansi::kDarkGreen + "Send this TeleGram " + YesNoAnsi(ansi::kDarkGreen));
  if (od_get_answer("YN") == 'N') return;
  const std::string to = OnlineUserWithId(id);
  if (to.empty()) {
    od_printf("\n\r`bright red`That player must have logged off!");
  } else {
    PostTelegram(to, lines);
    Emu(std::string("\n\n\r") + ansi::kBrightRed + kShades + " " + ansi::kBrightMagenta +
        "Tele-Gram Dispatched! " + ansi::kBrightRed + kShadesBack);
  }
  od_get_key(TRUE);
}

void ListOnlineAtEntry(void) {
  db::ResultTable online = OnlinePlayers();
  if (online.empty()) {
    od_clr_scr();
    Emu(std::string("\n\r") + ansi::kGrey + "No one else is online..");
    od_get_key(TRUE);
    return;
  }
  ShowPlayerList(online, OnlineStyle());
  PressAnyKey();
}

void WriteToPlayer(void) {
  PlayerListStyle style;
  style.title = std::string(ansi::kBrightMagenta) + kShades + " " + ansi::kBrightGreen +
                "Tarvessia: Message Writing " + ansi::kBrightMagenta + kShadesBack + "\n\n\r";
  style.head_after_blank_lines = false;
  style.offline_label = true;
  ShowPlayerList(
      db::Query(db::kPlayer,
                "SELECT IDNum,Gender,PlayerName,Level,WhereInGame FROM %s ORDER BY IDNum",
                db::TableName(db::kPlayer)),
      style);
  Emu(std::string("\r\n\n") + ansi::kDarkGreen + "Send Personal Message " +
      YesNoAnsi(ansi::kDarkGreen));
  if (od_get_answer("YN") == 'N') return;
  const std::string id = AskPlayerId();
  if (id.empty()) return;
  if (AnyUserWithId(id).empty()) {
    od_printf("\n\r`bright red`That player was not found!");
    od_get_key(TRUE);
    return;
  }
  od_printf("\n\n\r`bright blue`");
  // The reader keeps the markup of stored mail, so typed text goes in clean.
  const std::string title =
      "`dark green`MESSAGE FROM: `bright cyan`" + CleanText(player::CallerPlayerName().c_str());
  od_printf("\n\n\r`dark green`Message will be sent after submitting..");
  od_printf("\n\r`grey`Max 2 lines");
  od_printf("\n\n\r`bright red`Line 1: `bright magenta`");
  const std::string line1 = CleanText(messaging::ReadLine(kLineLength).c_str());
  od_printf("`bright red`Line 2: `bright magenta`");
  const std::string line2 = CleanText(messaging::ReadLine(kLineLength).c_str());
  od_printf(
      "\r\n`dark green`Send this message (`bright yellow`y`dark green`/`bright yellow`N`dark "
      "green`)? ");
  if (od_get_answer("YN") == 'N') return;
  const std::string to = AnyUserWithId(id);
  if (to.empty()) {
    od_printf("\n\r`bright red`That player was not found!");
  } else {
    AddPersonal(to.c_str(), title.c_str(), line1.c_str(), line2.c_str());
    od_printf("\n\n\r`bright red`\260\261\262 Message Dispatched! \262\261\260");
  }
  od_get_key(TRUE);
}
