// Requests: mail with an action. Each kind has a handler; the marriage
// proposal and romantic mail handlers live here, the kingdoms add theirs.
#include <stdio.h>
#include <time.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/messaging/presence.h"
#include "game/messaging/text.h"
#include "game/player/caller.h"
#include "game/ui/game_date.h"
#include "game/ui/ui.h"

namespace trv {
namespace {

constexpr int kFirstKind = 1;
constexpr int kLastKind = 13;
constexpr int kMarriageProposal = 1;
constexpr int kRomanticMail = 2;

const char* OrEmpty(const char* text) { return text ? text : ""; }

bool Married(const std::string& name) {
  return !db::Query(db::kMarriage, "SELECT * FROM %s WHERE Partner1=%Q OR Partner2=%Q",
                    db::TableName(db::kMarriage), name.c_str(), name.c_str())
              .empty();
}

enum class Wedding { kDone, kReaderMarried, kProposerMarried };

// Both checks and the wedding under one write lock, so two proposals from
// the same proposer accepted on two nodes at once marry him only once.
Wedding Marry(const std::string& proposer, const std::string& proposer_user) {
  Wedding outcome = Wedding::kDone;
  db::RunWriteUnit([&] {
    db::ResultTable me =
        db::Query(db::kPlayer, "SELECT PlayerName,UserName FROM %s WHERE UserName=%Q",
                  db::TableName(db::kPlayer), player::CallerUserName());
    if (Married(me.Text(0, 0))) {
      outcome = Wedding::kReaderMarried;
      return true;
    }
    if (Married(proposer)) {
      outcome = Wedding::kProposerMarried;
      return true;
    }
    db::Exec(db::kMarriage,
             "INSERT INTO %s (Partner1, Partner2, Partner1UserName, Partner2UserName, Kids, "
             "DateMarried) VALUES (%Q,%Q,%Q,%Q,0,%Q)",
             db::TableName(db::kMarriage), me.Text(0, 0), proposer.c_str(), me.Text(0, 1),
             proposer_user.c_str(), LongDate().c_str());
    return true;
  });
  return outcome;
}

void MarriageProposal(const char* line1, const char* line2, const char* line3,
                      const char* sender_player, const char* sender_user) {
  const std::string sender = CleanText(sender_player);
  od_printf("\n\r`bright magenta`\260\261\262 MARRIAGE PROPOSAL!! \262\261\260");
  od_printf("\n\n\r`bright green`%s `dark green`sent you a marriage proposal..", sender.c_str());
  od_printf("\n\n\r`bright magenta`%s gets down on one knee, and with nervous trembling",
            sender.c_str());
  od_printf("\n\rin their voice. They say the following words:");
  od_printf("\n\n\r`bright white`%s", CleanText(line1).c_str());
  od_printf("\n\r%s", CleanText(line2).c_str());
  od_printf("\n\r%s", CleanText(line3).c_str());
  od_printf(
      "\n\r`dark green`Agree to marry `bright green`%s `dark green`(`bright yellow`y`dark "
      "green`/`bright yellow`N`dark green`)? ",
      sender.c_str());
  const std::string me = CleanText(player::CallerPlayerName().c_str());
  if (me.empty()) return;
  if (od_get_answer("YN") == 'N') {
    AddPersonal(sender_user, "PROPOSAL NEWS", (me + " turned down your marriage proposal!").c_str(),
                "");
    return;
  }
  switch (Marry(OrEmpty(sender_player), OrEmpty(sender_user))) {
    case Wedding::kReaderMarried:
      od_printf("\n\r`bright red`You are already married!");
      od_get_key(TRUE);
      return;
    case Wedding::kProposerMarried:
      od_printf("\n\r`bright red`That person already married someone since they proposed to you!");
      od_get_key(TRUE);
      return;
    case Wedding::kDone:
      break;
  }
  AddPersonal(sender_user, "`bright white`PROPOSAL NEWS",
              (me + " ACCEPTED YOUR MARRIAGE PROPOSAL!! CONGRATS!!!").c_str(), "");
  AddNews("`bright magenta`MARRIAGE NEWS`bright yellow`",
          (me + " accepted a marriage proposal from " + sender + "..Wish them luck!!").c_str(), "");
  od_printf("\n\n\r`bright blue`\260\261\262 CONGRATULATIONS!! \262\261\260");
  od_printf(
      "\n\n\r`bright green`We all wish you and your partner a loving and long life together!");
  od_get_key(TRUE);
}

std::function<void()>& RomanticWriter() {
  static std::function<void()> writer;
  return writer;
}

void RomanticMail(const char* line1, const char* line2, const char* line3,
                  const char* sender_player, const char* sender_user) {
  const std::string sender = CleanText(sender_player);
  od_printf("\n\r`bright yellow`\260\261\262 ROMANTIC MAIL \262\261\260");
  od_printf("\n\n\r`bright green`%s `dark green`sent you romantic mail..", sender.c_str());
  od_printf("\n\n\r`bright magenta`%s wrote you a letter, the outside of the letter",
            sender.c_str());
  od_printf("\n\rwas covered in heart shapes. The letter says:");
  od_printf("\n\n\r`bright white`%s", CleanText(line1).c_str());
  od_printf("\n\r%s", CleanText(line2).c_str());
  od_printf("\n\r%s", CleanText(line3).c_str());
  if (!RomanticWriter()) {  // no writer to answer with: just let it be read
    PressAnyKey();
    return;
  }
  od_printf(
      "\n\r`dark green`Respond w/Romantic Mail (`bright yellow`y`dark green`/`bright "
      "yellow`N`dark green`)? ");
  if (od_get_answer("YN") == 'Y') RomanticWriter()();
}

RequestHandler* Handlers() {
  static RequestHandler handlers[kLastKind + 1] = {};
  static bool filled = false;
  if (!filled) {
    filled = true;
    handlers[kMarriageProposal] = MarriageProposal;
    handlers[kRomanticMail] = RomanticMail;
  }
  return handlers;
}

}  // namespace

bool SetRequestHandler(int kind, RequestHandler handler) {
  if (kind < kFirstKind || kind > kLastKind) return false;
  Handlers()[kind] = std::move(handler);
  return true;
}

void SetRomanticMailWriter(std::function<void()> writer) { RomanticWriter() = std::move(writer); }

std::string LongDate() {
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  char text[32];
  snprintf(text, sizeof text, "%-9s %02d, %04d", MonthName(local.tm_mon + 1), local.tm_mday,
           local.tm_year + 1900);
  return text;
}

}  // namespace trv

using namespace trv;

void AddRequest(const char* userName, const char* line1, const char* line2, const char* line3,
                int kind) {
  db::ResultTable me =
      db::Query(db::kPlayer, "SELECT PlayerName,UserName FROM %s WHERE UserName=%Q",
                db::TableName(db::kPlayer), player::CallerUserName());
  db::Exec(db::kUserNews,
           "INSERT INTO %s (UserName, TypeOfReq, Line1, Line2, Line3, SenderPlayerName, "
           "SenderUserName) VALUES (%Q,%d,%Q,%Q,%Q,%Q,%Q)",
           db::TableName(db::kUserNews), OrEmpty(userName), kind, OrEmpty(line1), OrEmpty(line2),
           OrEmpty(line3), me.Text(0, 0), me.Text(0, 1));
}

// A request is taken off the table in the statement that fetches it, so
// whatever its handler does (a screen that polls again, an answer that
// takes a while) it runs once. Letters are left to the mail reader.
void Request(void) {
  static bool running = false;
  messaging::Reentry guard(&running);
  if (!guard.entered()) return;
  messaging::NoteFullScreen();
  const char* table = db::TableName(db::kUserNews);
  od_clr_scr();
  for (;;) {
    db::ResultTable request = db::Query(
        db::kUserNews,
        "DELETE FROM %s WHERE IDNum=(SELECT IDNum FROM %s WHERE UserName=%Q AND TypeOfReq<>%d "
        "ORDER BY IDNum LIMIT 1) RETURNING IDNum, TypeOfReq, Line1, Line2, Line3, "
        "SenderPlayerName, SenderUserName",
        table, table, player::CallerUserName(), 0);
    if (request.empty()) break;
    const long long kind = request.Int(0, "TypeOfReq");
    if (kind >= kFirstKind && kind <= kLastKind) {
      RequestHandler handler = Handlers()[kind];  // a copy: a handler may replace itself
      if (handler)
        handler(request.Text(0, "Line1"), request.Text(0, "Line2"), request.Text(0, "Line3"),
                request.Text(0, "SenderPlayerName"), request.Text(0, "SenderUserName"));
    }
    od_clr_scr();
  }
}
