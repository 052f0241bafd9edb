// The realm's daily news: posting, the paged reader and the tavern's pen.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/messaging/text.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace {

constexpr int kItemsPerPage = 4;
constexpr int kFirstRow = 5;  // below the screen file's heading
constexpr int kLastRow = 22;

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

using namespace trv;

void AddNews(const char* title, const char* line1, const char* line2) {
  db::Exec(db::kNews, "INSERT INTO %s (Day, Title, Line1, Line2) VALUES (%Q,%Q,%Q,%Q)",
           db::TableName(db::kNews), "today", OrEmpty(title), OrEmpty(line1), OrEmpty(line2));
}

void ShowNews(const char* day) {
  od_clr_scr();
  od_send_file("Skins/NEWS.ANS");
  db::ResultTable items = db::Query(db::kNews, "SELECT Title, Line1, Line2 FROM %s WHERE day=%Q",
                                    db::TableName(db::kNews), OrEmpty(day));
  if (items.empty()) return;
  for (int i = 1; i <= items.rows(); ++i) {
    if (i % kItemsPerPage == 1) messaging::ClearRows(kFirstRow, kLastRow);
    const int r = i - 1;
    od_printf("%s\r\n%s\r\n%s\r\n\r\n", messaging::ShowableMarkup(items.Text(r, 0)).c_str(),
              messaging::ShowableMarkup(items.Text(r, 1)).c_str(),
              messaging::ShowableMarkup(items.Text(r, 2)).c_str());
    if (i % kItemsPerPage == 0 && i != items.rows()) {
      od_printf("`bright red`Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') return;
    }
  }
  od_printf("`bright red`\260\261\262 Press Any Key \262\261\260");
  od_get_key(TRUE);
}

void PenNews(void) {
  od_clr_scr();
  od_printf("`bright yellow`\260\261\262 Add News Posting \262\261\260");
  od_printf("\n\n\r`dark green`You prepare to pen some news!");
  od_printf("\n\n\r`grey`Max 2 lines");
  // News keeps its markup when read, so what the caller typed goes in clean.
  const std::string title = "`bright cyan`** News Addition ** Posted By: `bright magenta`" +
                            CleanText(player::CallerPlayerName().c_str());
  od_printf("\n\r`bright red`Line1: `bright magenta`");
  const std::string line1 = CleanText(messaging::ReadLine(55).c_str());
  od_printf("`bright red`Line2: `bright magenta`");
  const std::string line2 = CleanText(messaging::ReadLine(55).c_str());
  od_printf(
      "\r\n\n`dark green`Post this message (`bright yellow`y`dark green`/`bright yellow`N`dark "
      "green`)? ");
  if (od_get_answer("YN") != 'Y') return;
  AddNews(title.c_str(), line1.c_str(), line2.c_str());
  od_printf("\n\n\r`bright white`\260\261\262 Posted In Daily News! \262\261\260");
  od_get_key(TRUE);
}
