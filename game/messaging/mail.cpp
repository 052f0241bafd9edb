// Personal mail: posting and the paged reader.
#include <algorithm>
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/messaging/presence.h"
#include "game/messaging/text.h"
#include "game/player/caller.h"

namespace {

constexpr int kMail = 0;  // TypeOfReq of a letter
constexpr int kLettersPerPage = 4;
// One more than a page: a fifth row tells that another page follows.
constexpr int kBatch = kLettersPerPage + 1;

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

using namespace trv;

void AddPersonal(const char* userName, const char* title, const char* line1, const char* line2) {
  db::Exec(db::kUserNews,
           "INSERT INTO %s (UserName, TypeOfReq, Line1, Line2, Line3) VALUES (%Q,%d,%Q,%Q,%Q)",
           db::TableName(db::kUserNews), OrEmpty(userName), kMail, OrEmpty(title), OrEmpty(line1),
           OrEmpty(line2));
}

// Each statement stands alone: a transaction held across the pager's
// question would make two callers reading at once wait for each other.
void Personal(void) {
  static bool running = false;
  messaging::Reentry guard(&running);
  if (!guard.entered()) return;
  messaging::NoteFullScreen();
  const char* me = player::CallerUserName();
  od_clr_scr();
  od_send_file("Skins/PERS.ANS");
  bool shown = false;
  for (;;) {
    db::ResultTable batch = db::Query(db::kUserNews,
                                      "SELECT IDNum, Line1, Line2, Line3 FROM %s WHERE "
                                      "TypeOfReq=%d AND UserName=%Q ORDER BY IDNum LIMIT %d",
                                      db::TableName(db::kUserNews), kMail, me, kBatch);
    if (batch.empty()) break;
    const int page = std::min(batch.rows(), kLettersPerPage);
    for (int r = 0; r < page; ++r) {
      if (r == 0) messaging::ClearRows(5, 22);
      od_printf("%s\r\n", messaging::ShowableMarkup(batch.Text(r, 1)).c_str());
      od_printf("%s\r\n", messaging::ShowableMarkup(batch.Text(r, 2)).c_str());
      od_printf("%s\r\n\r\n", messaging::ShowableMarkup(batch.Text(r, 3)).c_str());
      db::Exec(db::kUserNews, "DELETE FROM %s WHERE IDNum=%lld", db::TableName(db::kUserNews),
               batch.Int(r, 0));
      shown = true;
    }
    if (batch.rows() == kBatch) {
      od_printf("`bright red`Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') {
        db::Exec(db::kUserNews, "DELETE FROM %s WHERE TypeOfReq=%d AND UserName=%Q",
                 db::TableName(db::kUserNews), kMail, me);
        return;
      }
    }
  }
  if (shown) {
    od_printf("`bright red`\260\261\262 Press Any Key \262\261\260");
    od_get_key(TRUE);
  }
}
