// The merchant wharves: the investments' menus, purchases and sales, and
// the holdings page of the status screens. Prices, returns and columns come
// from the one catalogue (game/player/investments.h) that maintenance pays
// from; this file holds only each kind's words.
#include <string.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/economy/accounts.h"
#include "game/economy/economy.h"
#include "game/economy/screen_text.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::economy {
namespace {

using player::CallerUserName;
using player::Investment;
using Purenum::Integer;

// A kind's own words on the wharves' screens.
struct KindWords {
  char key;                      // the kind's merchant key
  const char* menu_description;  // legal kinds' menu; "" for illegal kinds
  const char* buy_description;
  const char* sale_description;  // legal kinds
  const char* menu_name;         // "[B]uy ..." on the menu
  const char* menu_sell_name;    // "[S]ell ..." on the menu
  const char* banner;            // the purchase screen's
  const char* total;             // "Total ... Built:"
  const char* build_noun;        // "Build how many ...?"
  const char* built_noun;        // "Built 3 ...!"
  const char* sale_banner;
  const char* sell_noun;  // "Sell how many ...?"
  const char* sold_noun;  // "Sold 3 ...!"
};

constexpr char kHousing[] =
    "`bright blue`One of the legal ways to invest your money, the housing\n\rboom of this kingdom "
    "is skyrocketing! Housing markets are easy\n\rto build, and the investment return is fairly "
    "good.";
constexpr char kWater[] =
    "`bright blue`Water towers provide storage for clean water. This provides the\n\rcitizens "
    "with healthy fresh drinking water. These are great investments\n\rwith a fairly nice return.";
constexpr char kOreMenu[] =
    "`bright blue`Thinking about opening up a ore mine? These are the most expensive\n\r"
    "investments to get yourself into. The captial needed to open a mine\n\ris enormious. The "
    "returns on your mines though, will erase the pain\n\rof the money spent to build em..";
constexpr char kOreScreens[] =
    "`bright blue`Thinking about opening up a Ore mine? These are the most expensive\n\r"
    "investments to get yourself into. The captail needed to open a mine\n\ris enormious. The "
    "returns on your mines though, will erase the pain\n\rof the money spent to build em..";
// The menu and the sale screen promise 15 %; the purchase screen and the
// daily return are 25 %.
constexpr char kGranaryMenu[] =
    "`bright blue`Storing food in granary silos will allow food not to decay..\n\rEarnings on "
    "granary sites is 15%, and the captail to get into\n\rthese investments is not that much..";
constexpr char kGranaryBuy[] =
    "`bright blue`Storing food in granary silos will allow food not to decay..\n\rEarnings on "
    "granary sites is 25%, and the captial to get into\n\rthese investments is not that much..";

const KindWords kWords[] = {
    {'H', kHousing, kHousing, kHousing, "Housing Investments", "Housing Investments", "Housing",
     "Housing Developments", "housing", "housing developments", "Sell Housing",
     "housing developments", "housing developments"},
    {'W', kWater, kWater, kWater, "Water Silo Investments", "Silo Investments", "Water Silos",
     "Water Silos", "silos", "water silos", "Sell Water Silos", "silos", "water silos"},
    {'O', kOreMenu, kOreScreens, kOreScreens, "Ore Mine Investments", "Mine Investments",
     "Ore Mine", "Ore Mines", "mines", "ore mines", "Sell Ore Mines", "mines", "mines"},
    {'G', kGranaryMenu, kGranaryBuy, kGranaryMenu, "Granary Investments", "Granary Investments",
     "Granary Silos", "Granary Silos", "silos", "granary silos", "Sell Granary Silos", "silos",
     "granary silos"},
    {'S', "",
     "`bright red`Smuggling of goods throughout a kingdom and realm, is a very\n\rrisky but "
     "profitable industry. During kingdom raids they are\n\rusually the worst investment, as many "
     "warehouses are looted\n\rand burned to the ground.",
     "", "", "", "Smuggling", "Warehouses", "warehouses", "smuggling warehouses", "", "", ""},
    {'F', "",
     "`bright red`Ah the pleasures of a whore house. These are the hot spots during\n\rquiet "
     "times. You can never go wrong building a whore house. The\n\rmoney you make back on this "
     "investment is just as incredable! During\n\rwars, sadly most of your whore houses will be "
     "open targets, and\n\ryour prostitutes will be stolen or killed and the house burned..",
     "", "", "", "Flesh Trade", "Whore Houses", "whore houses", "whore houses", "", "", ""},
    {'D', "",
     "`bright red`So you are interested in investing in illegal drug labs that\n\rproduce highs "
     "for all to enjoy. Drug labs are the most expensive\n\rmarket to get into, but high returns "
     "are seen.",
     "", "", "", "Drug Trade", "Drug Labs", "drug labs", "drug labs", "", "", ""},
};

const KindWords& WordsOf(const Investment& kind) {
  for (const KindWords& words : kWords)
    if (words.key == kind.merchant_key) return words;
  return kWords[0];  // not reached: each kind of the catalogue has its words above
}

// A banner (after a blank line) or a done message (on the next line).
std::string Shaded(const std::string& title, const char* lead = "\n\n\r") {
  return lead + std::string("`bright yellow`\260\261\262 ") + title + " \262\261\260";
}

// Tells a refusal; false unless the trade went through.
bool Traded(TradeOutcome outcome) {
  if (outcome == TradeOutcome::kRefused) {
    od_printf("\n\r`bright red`You cannot do that!");
    od_get_key(TRUE);
  }
  return outcome == TradeOutcome::kDone;
}

// "Water Silos" -> "Water Silo".
std::string OneUnit(const Investment& kind) {
  std::string name = kind.name;
  if (!name.empty() && name.back() == 's') name.pop_back();
  return name;
}

// The Gold and total lines of both screens; the count owned, or nullopt
// when the caller has no character.
std::optional<Integer> DrawGoldAndTotal(const Investment& kind, const KindWords& words,
                                        Integer* gold) {
  std::optional<Integer> owned = ReadHolding(CallerUserName(), kind);
  if (!owned) return owned;
  *gold = player::Amount(player::CallerText("Gold").c_str());
  Say("\n\n\r`dark green`Gold: $`bright white`" + Grouped(*gold));
  Say(std::string("\n\n\r`dark green`Total ") + words.total + " Built: `bright cyan`" +
      Grouped(*owned));
  return owned;
}

void DrawMenu(const Investment& kind) {
  const KindWords& words = WordsOf(kind);
  Say(words.menu_description);
  od_printf("\n\n\r`grey`If your kingdom is under attack, and you need money fast, sell");
  od_printf("\n\rthem off. Thou, they don't sell used as expensive..");
  Say(std::string("\n\n\r`dark green`[`bright yellow`B`dark green`]uy ") + words.menu_name);
  Say(std::string("\n\r`dark green`[`bright yellow`S`dark green`]ell ") + words.menu_sell_name);
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Merchant Outlets");
  od_printf("\n\n\rYour Selection: ");
}

// "Smuggling Centers    - You own:  12", the label padded to line up.
void HoldingLine(const char* lead, const char* label, const Integer& count) {
  Emu(std::string(lead) + "      " + ansi::kBrightGreen + kShades + " " + label + ansi::kGrey +
      "- You own: " + ansi::kBrightCyan + " " + Grouped(count));
}

void DrawHoldings() {
  Emu(std::string(ansi::kGrey) + ShadeTitle("Investments") + "\n\r");
  Emu(std::string(ansi::kBrightMagenta) + kShortRule + "\n\r");
  std::optional<Holdings> held = ReadHoldings(CallerUserName());
  Holdings none;
  const Holdings& h = held ? *held : none;
  auto of = [&h](char key) { return h.of(*InvestmentByKey(key)); };
  Emu(std::string("\n\r") + ansi::kBrightWhite + "                        " +
      ShadeTitle("Illegal Investments"));
  HoldingLine("\n\n\r", "Smuggling Centers    ", of('S'));
  HoldingLine("\n\r", "Drug Labs            ", of('D'));
  HoldingLine("\n\r", "Whore Houses         ", of('F'));
  Emu(std::string("\n\n\r") + ansi::kBrightWhite + "                        " +
      ShadeTitle("Personal Investments"));
  HoldingLine("\n\n\r", "Housing Developments ", of('H'));
  HoldingLine("\n\r", "Water Silos          ", of('W'));
  HoldingLine("\n\r", "Ore Mines            ", of('O'));
  HoldingLine("\n\r", "Granary Silos        ", of('G'));
  Emu(std::string("\n\n\r") + ansi::kBrightRed + "      " + kShades + " Press [" +
      ansi::kBrightYellow + "E" + ansi::kBrightRed + "] for Equipment / Press [" +
      ansi::kBrightYellow + "K" + ansi::kBrightRed + "] for Kingdom Information");
  Emu(std::string("\n\r") + ansi::kBrightRed + "      " + kShades + " " + ansi::kGrey +
      "[Enter]: ");
}

}  // namespace

void EnterMerchant() {
  static const std::vector<PlaceKey> kKeys = [] {
    std::vector<PlaceKey> keys;
    for (const Investment& kind : player::kInvestments) {
      const Investment* k = &kind;
      keys.push_back({kind.merchant_key, nullptr, [k] {
                        if (k->legal)
                          InvestmentMenu(*k);
                        else
                          BuyInvestment(*k);
                      }});
    }
    keys.push_back({'R', nullptr, nullptr, true});
    return keys;
  }();
  RunPlace(PlaceScreen("Merchant Wharves", "Skins/MERCHANT.ANS", 18, 20), kKeys);
}

void InvestmentMenu(const Investment& kind) {
  const std::vector<PlaceKey> keys = {
      {'B', nullptr, [&kind] { BuyInvestment(kind); }},
      {'S', nullptr, [&kind] { SellInvestment(kind); }},
      {'R', nullptr, nullptr, true},
  };
  PlaceScreen menu;
  menu.draw = [&kind] { DrawMenu(kind); };
  RunPlace(menu, keys);
}

void BuyInvestment(const Investment& kind) {
  const KindWords& words = WordsOf(kind);
  if (kind.legal) Check_For_Msgs();
  od_clr_scr();
  Say(words.buy_description);
  if (!kind.legal) od_printf("\n\n\r`bright magenta`<Illegal Investments cannot be taxed>");
  Say("\n\n\r`grey`Cost to build 1 " + OneUnit(kind) + ": $" + AddCommas(kind.build_price));
  od_printf("\n\r`grey`Interest Earnings: %d%%", kind.daily_percent);
  Say(Shaded(words.banner));
  Integer gold;
  if (!DrawGoldAndTotal(kind, words, &gold)) return;
  const Integer most = AffordableUnits(gold, kind.build_price);
  Say(std::string("\n\n\r`dark green`Build how many ") + words.build_noun + "? <Max `bright cyan`" +
      Grouped(most) + "`dark green`>: ");
  const std::string typed = ReadDigits(100);
  if (typed.empty()) return;
  const Integer units(typed);
  // The limit as drawn, then the gold again after the key: a purchase
  // never leaves the purse below zero.
  const TradeOutcome outcome =
      units > most ? TradeOutcome::kRefused : BuyUnits(CallerUserName(), kind, units);
  if (!Traded(outcome)) return;
  Say(Shaded("Built " + typed + " " + words.built_noun + "!", "\n\r"));
  od_get_key(TRUE);
}

void SellInvestment(const Investment& kind) {
  if (kind.sale_price == nullptr) return;  // illegal holdings have no buyer
  const KindWords& words = WordsOf(kind);
  if (kind.merchant_key != 'G') Check_For_Msgs();  // the granary's sale never polled
  od_clr_scr();
  Say(words.sale_description);
  Say(std::string("\n\n\r`grey`") + kind.name + " Sell For: $" + AddCommas(kind.sale_price));
  Say(Shaded(words.sale_banner));
  Integer gold;
  std::optional<Integer> owned = DrawGoldAndTotal(kind, words, &gold);
  if (!owned) return;
  Say(std::string("\n\n\r`dark green`Sell how many ") + words.sell_noun + "? <Max `bright cyan`" +
      Grouped(*owned) + "`dark green`>: ");
  const std::string typed = ReadDigits(24);
  if (typed.empty()) return;
  if (!Traded(SellUnits(CallerUserName(), kind, Integer(typed)))) return;
  Say(Shaded("Sold " + typed + " " + words.sold_noun + "!", "\n\r"));
  od_get_key(TRUE);
}

char ShowInvestments() {
  static const std::vector<PlaceKey> kKeys = {
      {'E', nullptr, nullptr, true},
      {'K', nullptr, nullptr, true},
      {'\r', nullptr, nullptr, true},
  };
  // A page of the status screens, which polled as they were drawn.
  PlaceScreen page;
  page.draw = DrawHoldings;
  page.poll_messages = false;
  return RunPlace(page, kKeys);
}

}  // namespace trv::economy
