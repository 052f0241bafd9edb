#include "game/economy/courtship.h"

#include <stdio.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/screen_text.h"
#include "game/messaging/messaging.h"
#include "game/messaging/text.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace trv::economy {
namespace {

constexpr int kPageRows = 10;
// Long enough for the ready lines of romantic mail, short enough for a row.
constexpr int kLetterLineLength = 70;

void ListHead() {
  od_clr_scr();
  Say("`bright white` ID     Player                 Charm Level`dark green`\n\r");
  Say(kShortRule);
}

std::string Padded(const char* format, const std::string& text) {
  char buffer[128];
  snprintf(buffer, sizeof buffer, format, text.c_str());
  return buffer;
}

// Lists the rows, ten to a page; n to a page's question ends the list early.
void ListSweethearts(const db::ResultTable& rows) {
  ListHead();
  for (int r = 0; r < rows.rows(); ++r) {
    if (r > 0 && r % kPageRows == 0) ListHead();
    Say("\n\r `grey`[`yellow`" + Padded("%-3s", rows.Text(r, 0)) + "`grey`]  `bright red`" +
        Padded("%-21s", CleanText(rows.Text(r, 1))) + " `bright green`" +
        std::to_string(rows.Int(r, 2)));
    if ((r + 1) % kPageRows == 0 && r + 1 < rows.rows()) {
      Say("\n\n\r`bright red`Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') return;
    }
  }
}

}  // namespace

std::optional<Sweetheart> ChooseSweetheart(const char* self_refusal) {
  db::ResultTable me = player::CallerRow("Gender,IDNum");
  if (me.empty()) return std::nullopt;
  db::ResultTable rows =
      db::Query(db::kPlayer,
                "SELECT IDNum,PlayerName,Charm,UserName FROM %s WHERE UserName<>%Q AND "
                "Gender<>%Q ORDER BY IDNum",
                db::TableName(db::kPlayer), player::CallerUserName(), me.Text(0, 0));
  ListSweethearts(rows);
  Say("\n\n\r`dark green`Enter Player ID# <`grey`Enter to Exit`dark green`>: ");
  const std::string typed = ReadDigits(4);
  if (typed.empty()) return std::nullopt;
  // "007" names ID 7.
  const std::string id = std::to_string(std::stoll(typed));
  if (id == me.Text(0, 1)) {
    Say(self_refusal);
    od_get_key(TRUE);
    return std::nullopt;
  }
  for (int r = 0; r < rows.rows(); ++r)
    if (id == rows.Text(r, 0)) return Sweetheart{rows.Text(r, 0), rows.Text(r, 1), rows.Text(r, 3)};
  Say("\n\n\r`bright red`Invalid selection!");
  od_get_key(TRUE);
  return std::nullopt;
}

Letter WriteLetter(const char* colour) {
  Letter letter;
  Say("\n\n\r`grey`Max 3 lines");
  for (int i = 0; i < 3; ++i) {
    Say("\n\r`bright red`Line" + std::to_string(i + 1) + ": `" + colour + "`");
    letter.line[i] = CleanText(messaging::ReadLine(kLetterLineLength));
  }
  return letter;
}

bool SendToSweetheart(const Sweetheart& to, const Letter& letter, int kind) {
  db::ResultTable still = db::Query(db::kPlayer, "SELECT UserName FROM %s WHERE IDNum=%Q",
                                    db::TableName(db::kPlayer), to.id.c_str());
  if (still.empty() || to.user.empty() || to.user != still.Text(0, 0)) return false;
  AddRequest(to.user.c_str(), letter.line[0].c_str(), letter.line[1].c_str(),
             letter.line[2].c_str(), kind);
  return true;
}

}  // namespace trv::economy
