// The treasury (deposits, the guards' donation, embezzlement) and the
// ruler's tax rates.
#include <stdlib.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/court_screens.h"
#include "game/kingdom/kingdom.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::Query;
using db::ResultTable;
using db::TableName;
using Purenum::Integer;

constexpr int kAmountDigits = 50;
constexpr long long kEmbezzleLeadership = 30;
constexpr long long kSupportLoss = 15;

enum class Moved { kDone, kNothing, kShort, kLost };

Moved Deposit(const Seat& seat, const std::string& typed, Integer* amount) {
  Moved outcome = Moved::kLost;
  db::RunWriteUnit([&] {
    if (!StillSeated(seat.role, seat.kingdom)) return false;
    const Integer gold = player::Amount(player::CallerText("Gold").c_str());
    *amount = AmountMeant(typed, gold);
    if (amount->IsZero()) {
      outcome = Moved::kNothing;
      return false;
    }
    if (!player::TakeGold(player::CallerUserName(), *amount)) {
      outcome = Moved::kShort;
      return false;
    }
    AddToTreasury(seat.kingdom, *amount);
    outcome = Moved::kDone;
    return true;
  });
  return outcome;
}

void DepositScreen(const Seat& seat) {
  od_printf("\n\n\r`dark green`Max: $`bright white`%s",
            AddCommas(player::Amount(player::CallerText("Gold").c_str()).str()).c_str());
  od_printf("\n\n\r`dark green`(Press `bright white`1 `dark green`to deposit all");
  od_printf("\n\rHow much?: ");
  const std::string typed = ReadDigits(kAmountDigits);
  if (typed.empty()) return;
  Integer amount;
  switch (Deposit(seat, typed, &amount)) {
    case Moved::kLost:
      return TellSeatLost();
    case Moved::kNothing:
      return;
    case Moved::kShort:
      return Refuse("\n\n\r`dark red`Sorry, you don't have that much gold on hand..");
    case Moved::kDone:
      break;
  }
  od_printf("\n\r`bright yellow`Your gold was deposited into the kingdoms treasury..");
  od_get_key(TRUE);
}

// The embezzlement as one unit: the seat, the leadership, the treasury
// against the amount ("1" is all there is now), then both purses and the
// serfs' support. *support_fell tells whether the serfs noticed.
Moved Embezzle(const Seat& seat, const std::string& typed, Integer* amount, bool* support_fell) {
  Moved outcome = Moved::kLost;
  db::RunWriteUnit([&] {
    if (!StillSeated(seat.role, seat.kingdom)) return false;
    ResultTable k = Query(kKingdom, "SELECT Treasury,SerfSupport FROM %s WHERE Name=%Q",
                          TableName(kKingdom), seat.kingdom.c_str());
    const Integer treasury = player::Amount(k.Text(0, 0));
    *amount = AmountMeant(typed, treasury);
    if (amount->IsZero()) {
      outcome = Moved::kNothing;
      return false;
    }
    if (*amount > treasury) {
      outcome = Moved::kShort;
      return false;
    }
    db::Exec(kKingdom, "UPDATE %s SET Treasury=%Q WHERE Name=%Q", TableName(kKingdom),
             (treasury - *amount).str().c_str(), seat.kingdom.c_str());
    if (!player::AddGold(player::CallerUserName(), *amount)) return false;
    *support_fell = k.Int(0, 1) > kSupportLoss;
    if (*support_fell)
      db::Exec(kKingdom, "UPDATE %s SET SerfSupport=SerfSupport-%lld WHERE Name=%Q",
               TableName(kKingdom), kSupportLoss, seat.kingdom.c_str());
    outcome = Moved::kDone;
    return true;
  });
  return outcome;
}

void EmbezzleScreen(const Seat& seat) {
  if (player::CallerInt("Leadership") < kEmbezzleLeadership)
    return Refuse("\n\n\r`bright red`Your leadership (pts) are way to low to get away with this..");
  od_printf("\n\n\r`dark green`Max: $`bright white`%s",
            AddCommas(TreasuryOf(seat.kingdom).str()).c_str());
  od_printf("\n\n\r`dark green`(Press `bright white`1 `dark green`to embezzel it all");
  od_printf("\n\rHow much?: ");
  const std::string typed = ReadDigits(kAmountDigits);
  if (typed.empty()) return;
  Integer amount;
  bool support_fell = false;
  switch (Embezzle(seat, typed, &amount, &support_fell)) {
    case Moved::kLost:
      return TellSeatLost();
    case Moved::kNothing:
      return;
    case Moved::kShort:
      return Refuse("\n\n\r`bright red`Sorry, the treasury does not contain that much..");
    case Moved::kDone:
      break;
  }
  if (rand() % 10 < 4)
    AddNews("`bright cyan`KINGDOM CORRUPTION",
            ("Kingdom " + seat.kingdom + " seems to be missing about $" + AddCommas(amount.str()) +
             " from the treasury....")
                .c_str(),
            "");
  if (support_fell) {
    AddNews("`bright cyan`SERF SUPPORT PLUMMITS",
            ("Kingdom " + seat.kingdom + "'s serf support plummits by 15 pts!").c_str(), "");
    od_printf("\n\n\r`dark red`Kingdom civilian support falls by 15 pts!");
    od_printf("\n\n\r`dark red`If your serf support falls much more you could lose the kingdom!");
  }
  od_printf("\n\n\r`bright yellow`%s Gold embezzeled! %s", kShades, kShadesBack);
  od_get_key(TRUE);
}

void TreasuryPage(const Seat& seat) {
  const bool court = seat.role != Role::kCitizen;
  od_clr_scr();
  od_printf("\n\n\r`bright magenta`%s %s %s", kShades, court ? "Treasury" : "TREASURY",
            kShadesBack);
  od_printf("\n\n\r`dark green`Treasury: $`bright white`%s",
            AddCommas(TreasuryOf(seat.kingdom).str()).c_str());
  od_printf("\n\n\r`dark green`[`bright yellow`D`dark green`]eposit Gold Into Treasury");
  if (court) od_printf("\n\r`dark green`[`bright yellow`E`dark green`]`bright red`mbezzel Gold");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\rYour Selection: ");
}

bool SetRates(const Seat& seat, int tax, int merchant) {
  return db::RunWriteUnit([&] {
    if (!StillSeated(seat.role, seat.kingdom)) return false;
    db::Exec(kKingdom, "UPDATE %s SET TaxRate=%d,MerchantTax=%d WHERE RulerUserName=%Q AND Name=%Q",
             TableName(kKingdom), tax, merchant, player::CallerUserName(), seat.kingdom.c_str());
    return true;
  });
}

}  // namespace

void TreasuryScreen(const Seat& seat) {
  std::vector<PlaceKey> keys = {{'D', nullptr, [&] { DepositScreen(seat); }},
                                {'R', nullptr, nullptr, /*leaves=*/true}};
  if (seat.role != Role::kCitizen) keys.push_back({'E', nullptr, [&] { EmbezzleScreen(seat); }});
  PlaceScreen screen;
  screen.draw = [&] { TreasuryPage(seat); };
  screen.open = [seat] { return StillSeated(seat.role, seat.kingdom); };
  RunPlace(screen, keys);
}

void TaxScreen(const Seat& seat) {
  od_clr_scr();
  od_printf("`bright yellow`%s Set Kingdom Tax Rates %s\n\r", kShades, kShadesBack);
  ResultTable rates =
      Query(kKingdom, "SELECT TaxRate,MerchantTax FROM %s WHERE RulerUserName=%Q AND Name=%Q",
            TableName(kKingdom), player::CallerUserName(), seat.kingdom.c_str());
  if (rates.empty()) return TellSeatLost();
  od_printf("\n\r`bright yellow`Current Tax Rate         : `bright cyan`%lld%%", rates.Int(0, 0));
  od_printf("\n\r`bright yellow`Current Merchant Rate    : `bright cyan`%lld%%\n\n\r",
            rates.Int(0, 1));
  ShowTaxLimits();
  int tax = 0, merchant = 0;
  od_printf("`white`Tax Rate (0-60): ");
  if (!RateAccepted(ReadDigits(2).c_str(), kMaxTaxRate, &tax))
    return Refuse("\n\r`dark red`Invalid number!");
  od_printf("\n\r`white`Merchant Rate (0-40): ");
  if (!RateAccepted(ReadDigits(2).c_str(), kMaxMerchantTax, &merchant))
    return Refuse("\n\r`dark red`Invalid number!");
  if (!SetRates(seat, tax, merchant)) return TellSeatLost();
  AddNews(
      "`bright cyan`TAX CHANGE", ("Kingdom " + seat.kingdom + " set new tax rates of:").c_str(),
      ("Kingdom Tax: " + std::to_string(tax) + "% and Merchant Tax: " + std::to_string(merchant))
          .c_str());
  PressAnyKeyIn("dark green");
}

}  // namespace trv::kingdom
