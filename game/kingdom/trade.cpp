// The ruler's affairs: abdication, the trading room, the offers it sends
// and the deals and gifts (request kinds 9 to 13) that other rulers accept.
// Nothing is held in escrow: what an offer names is checked and moved only
// when it is accepted, in one unit over both kingdoms.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/court_screens.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/closing.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::Query;
using db::ResultTable;
using db::TableName;
using Purenum::Integer;

constexpr int kGoldGift = 10;
constexpr int kGoldDigits = 50;

// What a deal of one kind sells.
struct Goods {
  int kind;
  const char* column;
  long long cap;
  int digits;
  const char* current;    // "Current Acres Owned"
  const char* plural;     // "acres" in "You can offer: %s acres"
  const char* ask;        // "Offer How Many Acres? "
  const char* too_many;   // "You don't have that many acres to sell!"
  const char* consists;   // "acres of land"
  const char* sell_them;  // "land" in " turned down your offer to sell them land!"
  const char* offer;      // "land" in " accepted your land offer!"
  const char* anymore;    // "land" in "Does not have the land anymore.."
};

const Goods kGoods[] = {
    {9, "Land", 2000000, 8, "Current Acres Owned", "acres", "Offer How Many Acres? ",
     "You don't have that many acres to sell!", "acres of land", "land", "land", "land"},
    {11, "Soldiers", 10000000, 8, "Current Soldiers", "soldiers", "Offer How Many Soldiers? ",
     "You don't have that many soldiers to sell!", "soldiers", "your soldiers", "soldier",
     "soldiers"},
    {12, "Cannons", 25, 2, "Current Cannons", "Cannons", "Offer How Many Cannons? ",
     "You don't have that many Cannons to sell!", "cannons", "your cannons", "cannon", "cannons"},
    {13, "Katapults", 30, 2, "Current Katapults", "Katapults", "Offer How Many Katapults? ",
     "You don't have that many Katapults to sell!", "katapults", "your katapults", "katapult",
     "katapults"},
};

const Goods* GoodsOf(int kind) {
  for (const Goods& g : kGoods)
    if (g.kind == kind) return &g;
  return nullptr;
}

void AffairsHeading() {
  od_clr_scr();
  od_printf("`bright magenta`A ruler must deal with certain things that nobody else");
  od_printf("\n\rcan do. From this area of your kingdom, you can trade,");
  od_printf("\n\ror send other trade deals to other kingdoms..");
  od_printf("\n\n\r`grey`NOTE: You must establish a trade route to trade!");
}

void AffairsPage() {
  AffairsHeading();
  od_printf("\n\n\r`dark green`[`bright yellow`#`dark green`] Abdicate Throne");
  od_printf("\n\n\r`dark green`[`bright yellow`1`dark green`] Kingdom Trading");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\rYour Selection: ");
}

void TradingPage() {
  AffairsHeading();
  od_printf("\n\n\r`dark green`[`bright yellow`1`dark green`] Sell Land");
  od_printf("\n\r`dark green`[`bright yellow`2`dark green`] Send Gold");
  od_printf("\n\r`dark green`[`bright yellow`3`dark green`] Sell Soldiers");
  od_printf("\n\r`dark green`[`bright yellow`4`dark green`] Sell Cannons");
  od_printf("\n\r`dark green`[`bright yellow`5`dark green`] Sell Katapults");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\rYour Selection: ");
}

void Abdicate() {
  od_printf("\r\n\n`dark green`Really Abdicate Your Throne %s", YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  std::string kingdom, ruler;
  db::RunWriteUnit([&] {
    ResultTable k = Query(kKingdom, "SELECT Name,Ruler FROM %s WHERE RulerUserName=%Q",
                          TableName(kKingdom), player::CallerUserName());
    if (k.empty()) return false;
    kingdom = k.Text(0, 0);
    ruler = k.Text(0, 1);
    db::Exec(kKingdom, "UPDATE %s SET Ruler='',RulerUserName='' WHERE RulerUserName=%Q",
             TableName(kKingdom), player::CallerUserName());
    return true;
  });
  if (kingdom.empty()) return TellSeatLost();
  od_printf("\n\n\r`bright cyan`You have been de-throned!");
  AddNews("`bright red`RULER ABDICATED THRONE",
          ("Ruler " + ruler + " abdicated the throne of " + kingdom).c_str(), "");
  ExitGame();
}

void Aborted() { Refuse("\n\n\r`bright red`Aborted!"); }

// Sends the offer when the partner has a ruler to read it.
void SendOffer(const KingdomRef& partner, const std::string& line1, const std::string& line2,
               int kind, const char* sent) {
  const KingdomRef now = KingdomNamed(partner.name);
  const KingdomRef own = OwnThrone();
  if (own.slot == 0) return TellSeatLost();
  if (now.ruler_user.empty()) {
    od_printf("\n\n\r`bright red`Kingdom %s has no ruler to receive it; nothing was sent..",
              CleanText(partner.name).c_str());
  } else {
    AddRequest(now.ruler_user.c_str(), line1.c_str(), line2.c_str(), own.name.c_str(), kind);
    od_printf("%s", sent);
  }
  od_get_key(TRUE);
}

void OfferGoods(const Goods& goods, const KingdomRef& partner) {
  const KingdomRef own = OwnThrone();
  ResultTable row = Query(kKingdom, "SELECT %s FROM %s WHERE Name=%Q", goods.column,
                          TableName(kKingdom), own.name.c_str());
  const std::string holds = AddCommas(std::to_string(row.Int(0, 0)));
  od_printf("\n\n\r`dark green`%s: `bright white`%s", goods.current, holds.c_str());
  od_printf("\n\n\r`dark green`You can offer: `bright yellow`%s `dark green`%s", holds.c_str(),
            goods.plural);
  od_printf("\n\r`dark green`%s", goods.ask);
  const std::string count = ReadDigits(goods.digits);
  switch (JudgeOffer(count, Integer(row.Int(0, 0)))) {
    case OfferEntry::kAborted:
      return Aborted();
    case OfferEntry::kTooMany:
      od_printf("\n\r`bright red`%s", goods.too_many);
      od_get_key(TRUE);
      return;
    case OfferEntry::kOffered:
      break;
  }
  od_printf("\n\r`dark green`Ask for how much gold: $`bright white`");
  const std::string gold = ReadDigits(kGoldDigits);
  if (gold.empty()) return Aborted();
  od_printf("\r\n\n`dark green`Send Offer %s", YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  SendOffer(partner, Integer(count).str(), Integer(gold).str(), goods.kind,
            "\n\n\r`bright blue`Trade Offer Sent!");
}

void OfferGold(const KingdomRef& partner) {
  const Integer treasury = TreasuryOf(OwnThrone().name);
  od_printf("\n\n\r`dark green`Treasury: `bright white`%s", AddCommas(treasury.str()).c_str());
  od_printf("\n\n\r`dark green`Send How Much? $");
  const std::string amount = ReadDigits(kGoldDigits);
  switch (JudgeOffer(amount, treasury)) {
    case OfferEntry::kAborted:
      return Aborted();
    case OfferEntry::kTooMany:
      return Refuse("\n\r`bright red`You don't have that much treasury gold to send!");
    case OfferEntry::kOffered:
      break;
  }
  od_printf("\r\n\n`dark green`Send Gold %s", YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  SendOffer(partner, Integer(amount).str(), "", kGoldGift,
            "\n\n\r`bright blue`Treasury Gold Sent!");
}

void PartnerPage(const std::string& own) {
  od_clr_scr();
  od_printf("`bright blue`%s `bright yellow`Kingdom Trading `bright blue`%s", kShades, kShadesBack);
  od_printf("\n\r`bright magenta`From this area of your courtyard, you can offer or send trade if");
  od_printf("\n\ryou have established a trade route with the other kingdom..\n\r");
  ListKingdoms(own, ListStyle::kTrading);
  od_printf("\n\n\r`dark green`%s Trade With ? <`grey`Enter to exit`dark green`>: ", kShades);
}

void ChoosePartner(int kind) {
  const KingdomRef own = OwnThrone();
  if (own.slot == 0) return;
  PartnerPage(own.name);
  const KingdomRef partner = KingdomInSlot(ChooseSlot([&] { PartnerPage(own.name); }));
  if (partner.slot == 0 || partner.slot == own.slot) return;
  if (!RelationOf(own.name, partner.slot, partner.name).trade)
    return Refuse("\n\n\r`bright red`You need to establish a trade route first!");
  od_printf("\r\n\n`dark green`Trade With `bright green`%s `dark green`%s",
            CleanText(partner.name).c_str(), YesNoMarkup("dark green").c_str());
  if (AnswerYes()) OfferDeal(kind, partner.slot);
}

// ---- Accepting ----

// A count stored in a request: digits only and at most nine of them; -1
// otherwise.
long long StoredCount(const char* text) {
  std::string digits = text ? text : "";
  if (digits.empty() || digits.size() > 9 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return -1;
  return std::stoll(digits);
}

// Both kingdoms' view of each other, read with the slot's name.
void Relations(const KingdomRef& reader, const KingdomRef& sender, bool* at_war, bool* route) {
  const Relation mine = RelationOf(reader.name, sender.slot, sender.name);
  const Relation theirs = RelationOf(sender.name, reader.slot, reader.name);
  *at_war = mine.war || theirs.war;
  *route = mine.trade && theirs.trade;
}

// Whether a deal's request still means anything: the reader rules and the
// sender's kingdom exists (else it goes unseen, false). *sender_rules
// tells whether the one who sent it still rules there.
bool DealStands(const char* sender_kingdom, const char* sender_user, bool* sender_rules) {
  const KingdomRef reader = OwnThrone();
  const KingdomRef sender = KingdomNamed(sender_kingdom ? sender_kingdom : "");
  if (reader.slot == 0 || sender.slot == 0) return false;
  *sender_rules =
      !sender.ruler_user.empty() && sender.ruler_user == (sender_user ? sender_user : "");
  return true;
}

void SenderGone(const char* sender_kingdom) {
  od_printf(
      "\n\n\r`bright red`Whoever sent this no longer rules Kingdom %s; nothing changes hands..",
      CleanText(sender_kingdom).c_str());
  PressAnyKeyIn("dark green");
}

// An offer accepted, as one unit over both kingdoms: the reader still
// rules, the one who sent it still rules the kingdom that sent it (else
// *lost), then the checks of CheckDeal (goods) or CheckGift (gold, when
// `goods` is null) and both rows.
DealCheck Accept(const Goods* goods, long long count, const Integer& price,
                 const std::string& sender_kingdom, const std::string& sender_user, bool* lost) {
  DealCheck outcome = DealCheck::kDone;
  *lost = true;
  db::RunWriteUnit([&] {
    const KingdomRef reader = OwnThrone();
    const KingdomRef sender = KingdomNamed(sender_kingdom);
    if (reader.slot == 0 || sender.slot == 0 || sender.ruler_user != sender_user ||
        reader.slot == sender.slot)
      return false;
    *lost = false;
    const char* column = goods ? goods->column : "0";  // a gift moves gold alone
    ResultTable mine = Query(kKingdom, "SELECT Treasury,%s FROM %s WHERE Name=%Q", column,
                             TableName(kKingdom), reader.name.c_str());
    ResultTable theirs = Query(kKingdom, "SELECT Treasury,%s FROM %s WHERE Name=%Q", column,
                               TableName(kKingdom), sender.name.c_str());
    DealState deal;
    Relations(reader, sender, &deal.at_war, &deal.route);
    deal.buyer_treasury = player::Amount(mine.Text(0, 0));
    deal.price = price;
    deal.buyer_holds = mine.Int(0, 1);
    deal.seller_holds = theirs.Int(0, 1);
    deal.count = count;
    deal.cap = goods ? goods->cap : 0;
    const Integer seller_treasury = player::Amount(theirs.Text(0, 0));
    outcome = goods ? CheckDeal(deal) : CheckGift(deal.at_war, deal.route, seller_treasury, price);
    if (outcome != DealCheck::kDone) return false;
    // The buyer pays and receives; the seller is paid and gives up. A gift
    // runs the other way: the sender pays, the reader is paid.
    const Integer to_reader = goods ? -price : price;
    db::Exec(kKingdom, "UPDATE %s SET Treasury=%Q WHERE Name=%Q", TableName(kKingdom),
             (deal.buyer_treasury + to_reader).str().c_str(), reader.name.c_str());
    db::Exec(kKingdom, "UPDATE %s SET Treasury=%Q WHERE Name=%Q", TableName(kKingdom),
             (seller_treasury - to_reader).str().c_str(), sender.name.c_str());
    if (goods) {
      db::Exec(kKingdom, "UPDATE %s SET %s=%lld WHERE Name=%Q", TableName(kKingdom), column,
               deal.buyer_holds + count, reader.name.c_str());
      db::Exec(kKingdom, "UPDATE %s SET %s=%lld WHERE Name=%Q", TableName(kKingdom), column,
               deal.seller_holds - count, sender.name.c_str());
    }
    return true;
  });
  return outcome;
}

// The refusals deals and gifts share; false for the others.
bool SaidRouteRefusal(DealCheck outcome) {
  if (outcome == DealCheck::kAtWar) {
    od_printf("\n\n\r`bright red`Trade route was closed due to war!");
    return true;
  }
  if (outcome == DealCheck::kNoRoute) {
    od_printf("\n\n\r`bright red`You need to establish a trade route first!");
    return true;
  }
  return false;
}

void Deal(const Goods& goods, const char* line1, const char* line2, const char* line3,
          const char* sender_player, const char* sender_user) {
  bool sender_rules = false;
  const long long count = StoredCount(line1);
  if (!DealStands(line3, sender_user, &sender_rules) || count < 0) return;
  od_printf("\n\r`bright yellow`%s KINGDOM TRADE DEAL %s", kShades, kShadesBack);
  od_printf("\n\n\r`bright green`Ruler %s `dark green`has sent you a trade deal..",
            CleanText(sender_player).c_str());
  if (!sender_rules) return SenderGone(line3);
  const Integer price = player::NonNegativeAmount(line2);
  od_printf("\n\n\r`dark green`Deal consists of: `bright cyan`%s `dark green`%s",
            AddCommas(std::to_string(count)).c_str(), goods.consists);
  od_printf("\n\n\rCost: $`bright white`%s", AddCommas(price.str()).c_str());
  od_printf("\n\n\r`dark green`Accept Trade Deal %s", YesNoMarkup("dark green").c_str());
  const std::string me = player::CallerPlayerName();
  if (!AnswerYes()) {
    AddPersonal(sender_user, "KINGDOM TRADE DEAL DECLINED",
                (me + " turned down your offer to sell them " + goods.sell_them + "!").c_str(), "");
    return;
  }
  bool lost = false;
  const DealCheck outcome = Accept(&goods, count, price, line3, sender_user, &lost);
  if (lost) return SenderGone(line3);
  switch (outcome) {
    case DealCheck::kAtWar:
    case DealCheck::kNoRoute:
      SaidRouteRefusal(outcome);
      break;
    case DealCheck::kBuyerShort:
      od_printf("\n\n\r`bright red`You don't have enough gold in the treasury to pay for this!");
      AddPersonal(sender_user, "KINGDOM TRADE DEAL NEWS",
                  (me + " could not afford your " + goods.offer + " offer deal!").c_str(), "");
      break;
    case DealCheck::kSellerShort:
      od_printf(
          "\n\n\r`bright red`Sadly, the kingdom that offered this trade. Does not have the %s "
          "anymore..",
          goods.anymore);
      break;
    case DealCheck::kOverCap:
      od_printf(
          "\n\n\r`dark red`You cannot accept this deal. It will give you more then the max "
          "allowed %s!",
          goods.anymore);
      break;
    case DealCheck::kDone:
      AddPersonal(sender_user, "KINGDOM TRADE DEAL ACCEPTED",
                  (me + " accepted your " + goods.offer + " offer!").c_str(),
                  "The gold was deposited into your treasury..");
      od_printf("\n\n\r`bright yellow`Trade deal done!");
      break;
  }
  PressAnyKeyIn("dark green");
}

void Gift(const char* line1, const char*, const char* line3, const char* sender_player,
          const char* sender_user) {
  bool sender_rules = false;
  if (!DealStands(line3, sender_user, &sender_rules)) return;
  od_printf("\n\r`bright yellow`%s KINGDOM GIFT %s", kShades, kShadesBack);
  od_printf("\n\n\r`bright green`Ruler %s `dark green`has sent you a gift..",
            CleanText(sender_player).c_str());
  if (!sender_rules) return SenderGone(line3);
  const Integer amount = player::NonNegativeAmount(line1);
  od_printf("\n\n\r`dark green`They sent want nothing in return..");
  od_printf("\n\n\rCost: $`bright white`%s", AddCommas(amount.str()).c_str());
  od_printf("\n\n\r`dark green`Accept Gift %s", YesNoMarkup("dark green").c_str());
  const std::string me = player::CallerPlayerName();
  if (!AnswerYes()) {
    AddPersonal(sender_user, "KINGDOM GIFT DECLINED",
                (me + " turned down your free gold offer!").c_str(), "");
    return;
  }
  bool lost = false;
  const DealCheck outcome = Accept(nullptr, 0, amount, line3, sender_user, &lost);
  if (lost) return SenderGone(line3);
  if (outcome == DealCheck::kDone) {
    AddPersonal(sender_user, "KINGDOM GIFT ACCEPTED", (me + " accepted your gold gift!").c_str(),
                "");
    od_printf("\n\n\r`bright yellow`Gift accepted!");
  } else if (!SaidRouteRefusal(outcome)) {
    od_printf(
        "\n\n\r`dark red`Sadly, the kingdom that offered this trade. Does not have the gold "
        "anymore..");
  }
  PressAnyKeyIn("dark green");
}

}  // namespace

void RulerAffairs() {
  const Seat seat = CallerSeat();
  if (seat.role != Role::kRuler) return;
  PlaceScreen screen;
  screen.draw = AffairsPage;
  screen.open = [seat] { return StillSeated(seat.role, seat.kingdom); };
  RunPlace(screen, {{'#', nullptr, Abdicate},
                    {'1', nullptr, TradingRoom},
                    {'R', nullptr, nullptr, /*leaves=*/true}});
}

void TradingRoom() {
  const Seat seat = CallerSeat();
  if (seat.role != Role::kRuler) return;
  auto deal = [](int kind) { return [kind] { ChoosePartner(kind); }; };
  PlaceScreen screen;
  screen.draw = TradingPage;
  screen.open = [seat] { return StillSeated(seat.role, seat.kingdom); };
  RunPlace(screen, {{'1', nullptr, deal(9)},
                    {'2', nullptr, deal(kGoldGift)},
                    {'3', nullptr, deal(11)},
                    {'4', nullptr, deal(12)},
                    {'5', nullptr, deal(13)},
                    {'R', nullptr, nullptr, /*leaves=*/true}});
}

void OfferDeal(int kind, int slot) {
  const KingdomRef partner = KingdomInSlot(slot);
  if (partner.slot == 0) return;
  if (kind == kGoldGift) return OfferGold(partner);
  if (const Goods* goods = GoodsOf(kind)) OfferGoods(*goods, partner);
}

void RegisterTradeRequests() {
  for (const Goods& goods : kGoods) {
    const Goods* g = &goods;
    SetRequestHandler(goods.kind,
                      [g](const char* l1, const char* l2, const char* l3, const char* sp,
                          const char* su) { Deal(*g, l1, l2, l3, sp, su); });
  }
  SetRequestHandler(kGoldGift, Gift);
}

}  // namespace trv::kingdom
