// The bank: its menu, the four moves between purses, the underground safe
// and the heist.
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/accounts.h"
#include "game/economy/economy.h"
#include "game/economy/screen_text.h"
#include "game/maint/returns.h"
#include "game/messaging/messaging.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace trv::economy {
namespace {

using player::CallerUserName;
using player::GoldOutcome;
using player::PurseColumn;
using Purenum::Integer;

// The prize in a bank box; the heist makes it, nobody loses it.
constexpr long kBankBox = 1200000;
constexpr int kHeistDeeds = 3;

// One screen of the deposit and withdrawal family.
struct PurseScreen {
  Purse from;
  Purse to;
  const char* banner;  // nullptr: none (the safe's moves stay on its screen)
  bool shows_interest;
  const char* question;
  const char* all_line;
  const char* refusal;
};

constexpr char kDepositQuestion[] =
    "\n\n\r`dark green`How much would you like to deposit today? Asks `bright "
    "magenta`Dorevev`dark green`...";
constexpr char kWithdrawQuestion[] =
    "\n\n\r`dark green`How much would you like to withdrawal? Asks `bright "
    "magenta`Dorevev`dark green`...";
constexpr char kDepositAll[] =
    "\n\n\r`dark green`(Press `bright white`1 `dark green`to deposit all";
constexpr char kWithdrawAll[] =
    "\n\n\r`dark green`(Press `bright white`1 `dark green`to withdrawal all";
constexpr char kNotOnHand[] = "\n\n\r`dark red`Sorry, you don't have that much gold on hand..";
constexpr char kNotInAccount[] =
    "\n\n\r`dark red`Sorry, you don't have that much in your account..";

const PurseScreen kBankDeposit = {
    Purse::kOnHand,
    Purse::kBank,
    "\n\r`dark green`\260\261\262 `bright green`Bank Deposit `dark green`\262\261\260",
    true,
    kDepositQuestion,
    kDepositAll,
    kNotOnHand};
const PurseScreen kBankWithdraw = {
    Purse::kBank,
    Purse::kOnHand,
    "\n\r`dark green`\260\261\262 `bright green`Bank Withdrawal `dark green`\262\261\260",
    false,
    kWithdrawQuestion,
    kWithdrawAll,
    kNotInAccount};
const PurseScreen kSafeDeposit = {
    Purse::kOnHand,
    Purse::kDepository,
    nullptr,
    false,
    "\n\n\r`dark green`How much would you like to put into your safe? Asks `bright "
    "magenta`Dorevev`dark green`...",
    kDepositAll,
    kNotOnHand};
const PurseScreen kSafeWithdraw = {
    Purse::kDepository,
    Purse::kOnHand,
    nullptr,
    false,
    kWithdrawQuestion,
    kWithdrawAll,
    "\n\n\r`dark red`Sorry, you don't have that much in your safe.."};

void MovePurse(const PurseScreen& screen) {
  if (screen.banner) {
    od_clr_scr();
    Say(screen.banner);
    if (screen.shows_interest)
      od_printf("\n\n\r`dark green`Savings Interest Rate: `white`%d%%",
                maint::kBankInterestPercent);
  }
  Say(screen.question);
  Say("\n\n\r`dark green`Max: $`bright white`" +
      Grouped(player::CallerText(PurseColumn(screen.from)).c_str()));
  Say(screen.all_line);
  od_printf("\n\rHow much?: ");
  const std::string typed = ReadDigits(120);
  if (typed.empty()) return;
  // After the last key: what another node changed meanwhile counts.
  if (MoveBetweenPurses(CallerUserName(), screen.from, screen.to, Integer(typed)).outcome ==
      GoldOutcome::kNotEnough) {
    Say(screen.refusal);
    od_get_key(TRUE);
  }
}

void DepositKey() {
  if (player::Amount(player::CallerText("Gold").c_str()) == 0) {
    od_printf("\n\n\rYou don't have any gold to deposit!");
    od_get_key(TRUE);
  }
  BankDeposit();
}

void DrawBalances() {
  db::ResultTable purse = player::CallerRow("Gold,BankGold");
  od_set_cursor(18, 7);
  Say("`dark green`$`bright white`" + Grouped(purse.Text(0, 0)));
  od_set_cursor(19, 7);
  Say("`dark green`$`bright white`" + Grouped(purse.Text(0, 1)));
}

void DrawSafe() {
  od_printf("\n\r`dark green`\260\261\262 `bright green`Underground Safe `dark green`\262\261\260");
  od_printf(
      "\n\n\r`dark cyan`The bank maintains a SAFE depository storage area underneath the bank");
  od_printf("\n\rfloor. This area is completely safe from kingdom wars, and criminal");
  od_printf("\n\rdestructions of your account. The one problem with this storage is");
  od_printf("\n\rno interest will be given to stored gold.");
  Say("\n\n\r`dark green`Safe Contains: $`bright white`" +
      Grouped(player::CallerText("Depository").c_str()));
  od_printf("\n\n\r`dark green`[`bright yellow`D`dark green`] Deposit Gold");
  od_printf("\n\r`dark green`[`bright yellow`W`dark green`] Withdrawal Gold");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`] Return to First Floor");
  od_printf("\n\n\rYour Selection: ");
}

bool IsRuler(const std::string& player_name, const std::string& kingdom, bool* kingdom_exists) {
  db::ResultTable row = db::Query(db::kKingdom, "SELECT Ruler FROM %s WHERE Name=%Q",
                                  db::TableName(db::kKingdom), kingdom.c_str());
  *kingdom_exists = !row.empty();
  return *kingdom_exists && player_name == row.Text(0, 0);
}

void HeistSucceeded(const std::string& player_name) {
  od_printf("\n\n\r`bright red`\260\261\262 SUCCESSFUL ROBBERY \262\261\260");
  od_printf("\n\n\r`bright yellow`The bank box contained $1,200,000");
  od_get_key(TRUE);
  od_printf("\n\n\r`grey`Your divine favor drops by 6!");
  db::Exec(db::kPlayer, "UPDATE %s SET Divine=Divine-6 WHERE UserName=%Q",
           db::TableName(db::kPlayer), CallerUserName());
  od_get_key(TRUE);
  // Added after the key, in a unit: gold that moved meanwhile stays moved.
  if (!player::AddGold(CallerUserName(), kBankBox)) return;
  const std::string line =
      CleanText(player_name) + " successfully robbed the local bank branch today..";
  AddNews("`bright cyan`BANK ROBBERY", line.c_str(), "");
}

void HeistFailed() {
  od_printf("\n\n\r`bright red`\260\261\262 YOU WERE CAUGHT! \262\261\260");
  od_printf(
      "\n\n\r`bright yellow`You were escorted out of the bank by a guard and beatin in the alley!");
  od_printf("\n\n\r`bright blue`Your hit points go WAY DOWN!");
  db::Exec(db::kPlayer, "UPDATE %s SET HP=1 WHERE UserName=%Q", db::TableName(db::kPlayer),
           CallerUserName());
  od_get_key(TRUE);
}

}  // namespace

void BankDeposit() { MovePurse(kBankDeposit); }
void BankWithdraw() { MovePurse(kBankWithdraw); }
void SafeDeposit() { MovePurse(kSafeDeposit); }
void SafeWithdraw() { MovePurse(kSafeWithdraw); }

void EnterBank() {
  static const std::vector<PlaceKey> kKeys = {
      {'W', nullptr, BankWithdraw}, {'D', nullptr, DepositKey}, {'T', nullptr, BankTransfer},
      {'S', nullptr, EnterSafe},    {'A', nullptr, BankHeist},  {'R', nullptr, nullptr, true},
  };
  PlaceScreen bank("At the Bank", "Skins/BANK.ANS", 23, 14);
  bank.draw = DrawBalances;
  RunPlace(bank, kKeys);
}

void EnterSafe() {
  static const std::vector<PlaceKey> kKeys = {
      {'D', nullptr, SafeDeposit},
      {'W', nullptr, SafeWithdraw},
      {'R', nullptr, nullptr, true},
      {'\r', nullptr, nullptr},  // draws the safe again
  };
  PlaceScreen safe;
  safe.draw = DrawSafe;
  safe.poll_messages = false;  // the vault is out of the couriers' reach
  RunPlace(safe, kKeys);
}

void BankHeist() {
  db::ResultTable me = player::CallerRow("Kingdom,PlayerName");
  if (me.empty()) return;
  const std::string player_name = me.Text(0, 1);
  bool kingdom_exists = false;
  const bool ruler = IsRuler(player_name, me.Text(0, 0), &kingdom_exists);
  if (!kingdom_exists) return;
  if (ruler) {
    od_clr_scr();
    od_printf("\n\r`bright blue`\260\261\262 `bright yellow`Not Allowed `bright blue`\262\261\260");
    od_printf("\n\n\r`bright red`You are a kingdom ruler, you cannot attempt to rob the bank!");
    od_get_key(TRUE);
    return;
  }
  od_clr_scr();
  od_printf(
      "\n\r`dark green`\260\261\262 `bright red`Attempt Bank Heist? `dark green`\262\261\260");
  od_printf(
      "\r\n\n`grey`Use 3 of your evil deeds (`bright yellow`y`dark green`/`bright "
      "yellow`N`grey`)? ");
  if (!AnswerYes()) return;
  // Checked and taken at once: a second session cannot spend the same deeds.
  if (!SpendEvilDeeds(CallerUserName(), kHeistDeeds)) {
    od_printf("\n\n\r`bright red`Sorry, you are out of evil deeds for today..");
    od_get_key(TRUE);
    return;
  }
  od_printf(
      "\n\n\r`dark magenta`After deciding to commit bank robbery, you slowly sneak past the bank "
      "guard");
  od_printf("\n\ras he helps a small gnome to the door. You ever so slowly crawl behind where");
  od_printf("\n\rDorevev was helping a customer. You reach for a bank box...");
  for (const char* reach : {"reaching..", "reaching....", "reaching...almost there.."}) {
    Say(std::string("\n\n\r`white`") + reach);
    od_get_key(TRUE);
  }
  SeedRandom();
  if (rand() % 10 < 4)
    HeistSucceeded(player_name);
  else
    HeistFailed();
}

}  // namespace trv::economy
