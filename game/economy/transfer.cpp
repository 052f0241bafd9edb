// Transfers from the caller's account to another character's.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/accounts.h"
#include "game/economy/economy.h"
#include "game/economy/screen_text.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::economy {
namespace {

using player::CallerUserName;
using Purenum::Integer;

constexpr char kNoAccount[] =
    "\n\r`bright red`I'm sorry, we do not have an account under that name..";
constexpr char kNotInAccount[] = "\n\r`dark red`Sorry, you don't have that much in your account..";

void ListHead() {
  od_clr_scr();
  Emu(std::string(ansi::kBrightMagenta) + kShades + " " + ansi::kBrightGreen +
      "Tarvessia: Transfer Gold " + ansi::kBrightMagenta + kShadesBack + "\n\n\r");
  Emu(std::string(ansi::kBrightWhite) + " ID     Player\n\r");
  Emu(std::string(ansi::kDarkGreen) + "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-");
  od_set_cursor(4, 1);
}

std::string Padded(const char* format, const std::string& text) {
  char buffer[128];
  snprintf(buffer, sizeof buffer, format, text.c_str());
  return buffer;
}

// Every other finished character, on-line or not, ten to a page.
void ListReceivers() {
  db::ResultTable rows = db::Query(
      db::kPlayer,
      "SELECT IDNum,PlayerName FROM %s WHERE UserName<>%Q AND Kingdom IS NOT NULL ORDER BY IDNum",
      db::TableName(db::kPlayer), CallerUserName());
  ListHead();
  for (int r = 0; r < rows.rows(); ++r) {
    if (r > 0 && r % 10 == 0) ListHead();
    Emu(std::string("\n\r ") + ansi::kGrey + "[" + ansi::kBrightYellow +
        Padded("%-3s", rows.Text(r, 0)) + ansi::kGrey + "]  " + ansi::kBrightRed +
        Padded("%-21s", CleanText(rows.Text(r, 1))));
    if ((r + 1) % 10 == 0) {
      Emu(std::string("\n\n\r") + ansi::kBrightRed + "Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') return;
    }
  }
}

}  // namespace

void BankTransfer() {
  ListReceivers();
  Emu(std::string("\n\n\r") + ansi::kDarkGreen + "Enter Player ID# <" + ansi::kGrey +
      "Enter to Exit" + ansi::kDarkGreen + ">: ");
  const std::string id = ReadDigits(4);
  if (id.empty()) return;
  // The choice is kept by ID and user name: the transfer goes to this
  // character or to nobody.
  db::ResultTable receiver = db::Query(
      db::kPlayer, "SELECT UserName,PlayerName FROM %s WHERE IDNum=%Q AND Kingdom IS NOT NULL",
      db::TableName(db::kPlayer), id.c_str());
  if (receiver.empty()) {
    od_printf("%s", kNoAccount);
    od_get_key(TRUE);
    return;
  }
  const std::string receiver_user = receiver.Text(0, 0);
  if (receiver_user == CallerUserName()) {
    od_printf("\n\r`bright red`You cannot send yourself money!");
    od_get_key(TRUE);
    return;
  }
  Emu(std::string("\r\n\n") + ansi::kDarkGreen + "Transfer funds to " + ansi::kBrightGreen +
      CleanText(receiver.Text(0, 1)) + " " + ansi::kDarkGreen + YesNoAnsi(ansi::kDarkGreen));
  if (!AnswerYes()) return;

  Say("\n\n\rMax $`bright white`" + Grouped(player::CallerText("BankGold").c_str()));
  od_printf("\n\r`dark green`Transfer: $`bright white`");
  const std::string typed = ReadDigits(120);
  if (typed.empty()) return;
  const Integer amount(typed);
  if (amount > player::Amount(player::CallerText("BankGold").c_str())) {
    od_printf("%s", kNotInAccount);
    od_get_key(TRUE);
    return;
  }
  Emu(std::string("\r\n\n") + ansi::kDarkGreen + "Transfer $" + ansi::kBrightWhite +
      Grouped(amount) + " " + ansi::kDarkGreen + YesNoAnsi(ansi::kDarkGreen));
  if (!AnswerYes()) return;

  // After the last key, one unit: both balances again, the amount again,
  // the receiver still the one chosen.
  switch (TransferGold(CallerUserName(), id, receiver_user, amount)) {
    case TransferOutcome::kTransferred:
      break;
    case TransferOutcome::kNotEnough:
      od_printf("%s", kNotInAccount);
      od_get_key(TRUE);
      return;
    case TransferOutcome::kNoReceiver:
      od_printf("%s", kNoAccount);
      od_get_key(TRUE);
      return;
    case TransferOutcome::kNoSender:
      return;
  }
  const std::string line = CleanText(player::CallerPlayerName()) + " transferred $" +
                           Grouped(amount) + " to your bank account!";
  AddPersonal(receiver_user.c_str(), "`bright cyan`Bank Transfer", line.c_str(), "");
  od_printf("\n\n\r`bright red`Gold Transferred!");
  od_get_key(TRUE);
}

}  // namespace trv::economy
