// The tavern's chat ledger: the last five posts and the posting screen.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/messaging/text.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

using namespace trv;

void AddChat(const char* line1, const char* line2) {
  const std::string me = player::CallerPlayerName();
  db::Exec(db::kChat, "INSERT INTO %s (WhoSent,Line1,Line2) VALUES (%Q,%Q,%Q)",
           db::TableName(db::kChat), me.c_str(), line1 ? line1 : "", line2 ? line2 : "");
}

void ChatLedger(void) {
  od_clr_scr();
  od_send_file("Skins/CHAT.ANS");
  od_set_cursor(4, 1);
  db::ResultTable posts = db::Query(
      db::kChat,
      "SELECT WhoSent,Line1,Line2 FROM %s WHERE IDNum > (SELECT max(IDNum) FROM %s)-5 ORDER BY "
      "IDNum",
      db::TableName(db::kChat), db::TableName(db::kChat));
  for (int r = 0; r < posts.rows(); ++r) {
    od_printf("\n\r`bright cyan`%s Posted:", CleanText(posts.Text(r, 0)).c_str());
    od_printf("\n\r`bright magenta`  %s", CleanText(posts.Text(r, 1)).c_str());
    od_printf("\n\r`bright magenta`  %s", CleanText(posts.Text(r, 2)).c_str());
  }
  od_printf("\n\n\r`dark green`Press `grey`Enter `dark green`To Quit");
  od_printf("\n\r`dark green`Press [`bright yellow`P`dark green`] to Post:");
  if (od_get_answer("\rRP") == 'P') PostChat();
}

void PostChat(void) {
  od_clr_scr();
  od_printf("`bright yellow`\260\261\262 Chat Posting \262\261\260");
  od_printf("\n\n\r`dark green`Adding to the chat ledger..");
  od_printf("\n\n\r`grey`Max 2 lines");
  od_printf("\n\r`bright red`Line1: `bright magenta`");
  const std::string line1 = messaging::ReadLine(55);
  od_printf("`bright red`Line2: `bright magenta`");
  const std::string line2 = messaging::ReadLine(55);
  od_printf(
      "\r\n\n`dark green`Post chat message (`bright yellow`y`dark green`/`bright yellow`N`dark "
      "green`)? ");
  if (od_get_answer("YN") != 'Y') return;
  AddChat(line1.c_str(), line2.c_str());
  od_printf("\n\n\r`bright white`\260\261\262 Posted! \262\261\260");
  od_get_key(TRUE);
}
