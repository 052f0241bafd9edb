// What the treasury buys: the royal army, the kingdom's protective
// ratings, towers of sorcery and land. Eleven screens, one pattern.
#include <string>
#include <vector>

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
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::Query;
using db::ResultTable;
using db::TableName;
using Purenum::Integer;

enum Item {
  kSoldiers,
  kDragonRiders,
  kCannons,
  kKatapults,
  kTraining,
  kEquipment,
  kBorderGuards,
  kCrimePrevention,
  kCivilianSupport,
  kTowers,
  kLand,
};

// One purchase screen. Texts with %s take the figure as text; the column
// name is code, never what a caller typed.
struct Purchase {
  const char* title;
  const char* column;
  long long price;  // per unit or point; civilian support: per serf
  long long cap;
  bool ruler_only;  // the ruler's row (RulerUserName); else the seat's kingdom
  const char* description;
  const char* price_line;
  const char* status;
  const char* prompt;  // %s: the most the treasury buys
  int digits;
  const char* banner;  // %s: the number bought
  const char* news_title;
  const char* news_middle;  // "Kingdom " + name + this + figure + news_end
  const char* news_end;
};

const Purchase kPurchases[] = {
    {"Hire Soldiers", "Soldiers", 200000, 10000000, false,
     "`bright blue`Soldiers are the backbone of your royal army; without them no\n\r"
     "wall or tower will keep an invader out of your lands..",
     "\n\n\r`grey`Cost for 1 soldier: $200,000",
     "\n\n\r`dark green`Total Kingdom Soldiers: `bright cyan`%s `grey`{Max 10 million}",
     "\n\n\r`dark green`Hire how many soldiers? <Max `bright cyan`%s`dark green`>: ", 8,
     "You Hire %s More Soldiers!", "`bright cyan`SOLDIERS HIRED", " trained and hired ",
     " soldiers.."},
    {"Hire Dragon Riders", "DragonRiders", 1000000, 100, false,
     "`bright blue`Dragon riders strike from the sky, where neither wall nor pike\n\r"
     "can reach them..",
     "\n\n\r`grey`Cost to hire 1: $1,000,000",
     "\n\n\r`dark green`Total Kingdom Dragon Riders: `bright cyan`%s  `grey`Max <100>",
     "\n\n\r`dark green`Hire how many dragon riders? <Max `bright cyan`%s`dark green`>: ", 3,
     "Kingdom Dragon Riders hired %s!", nullptr, nullptr, nullptr},
    {"Buy Cannons", "Cannons", 12000000, 25, false,
     "`bright blue`Cannons batter an enemy's ranks from afar before the armies meet..",
     "\n\n\r`grey`Cost to purchase 1: $12,000,000",
     "\n\n\r`dark green`Total Kingdom Cannons: `bright cyan`%s  `grey`Max <25>",
     "\n\n\r`dark green`Purchase how many cannons? <Max `bright cyan`%s`dark green`>: ", 2,
     "Kingdom Cannons Increased by %s!", nullptr, nullptr, nullptr},
    {"Buy Katapults", "Katapults", 100000000, 30, false,
     "`bright blue`Katapults hurl stone and fire over any wall an enemy builds..",
     "\n\n\r`grey`Cost to purchase 1: $100,000,000",
     "\n\n\r`dark green`Total Kingdom Katapults: `bright cyan`%s  `grey`Max <30>",
     "\n\n\r`dark green`Purchase how many katapults? <Max `bright cyan`%s`dark green`>: ", 2,
     "Kingdom Katapults Increased by %s!", nullptr, nullptr, nullptr},
    {"Army Training", "Training", 75000000, 100, false,
     "`bright blue`Trained soldiers die less and kill more; every point of training\n\r"
     "spares lives on the field..",
     "\n\n\r`grey`Cost to increase 1%%: $75,000,000",
     "\n\n\r`dark green`Army Training at: `bright cyan`%s%%  `grey`Max <100%%>",
     "\n\n\r`dark green`Increase training by? <Max `bright cyan`%s%%`dark green`>: ", 3,
     "Royal Army Training Increased by %s!", "`bright cyan`ARMY TRAINED",
     " royal army training is now at ", "%.."},
    {"Equipment Rating", "EquipmentRating", 500000, 100, false,
     "`bright blue`Good steel and sound armour keep your soldiers standing..",
     "\n\n\r`grey`Cost to increase 1%%: $500,000",
     "\n\n\r`dark green`Equipment Rating at: `bright cyan`%s%%  `grey`Max <100%%>",
     "\n\n\r`dark green`Increase equipment rating by? <Max `bright cyan`%s%%`dark green`>: ", 3,
     "Royal Army Equipment Rating Increased by %s!", nullptr, nullptr, nullptr},
    {"Kingdom Border Guard Protection", "BorderGuardRating", 500000, 100, true,
     "`bright magenta`Border guards keep your citizens from fleeing to other kingdoms..",
     "\n\n\r`grey`Cost to increment 1%%: $500,000",
     "\n\n\r`dark green`Current Border Guard Rating: `bright cyan`%s%%",
     "\n\n\r`dark green`Raise Rating by? <Max `bright cyan`%s%%`dark green`>: ", 3,
     "Increased Border Guard Rating by %s%%!", "`bright cyan`BORDER GUARD RATING CHANGE",
     " increased Border Guard Protection by: ", "% today.."},
    {"Kingdom Crime Prevention", "CrimePrevention", 500000, 100, true,
     "`bright magenta`The watch keeps thieves and cutthroats off your streets..",
     "\n\n\r`grey`Cost to increment 1%%: $500,000",
     "\n\n\r`dark green`Current Crime Prevention Rating: `bright cyan`%s%%",
     "\n\n\r`dark green`Raise Rating by? <Max `bright cyan`%s%%`dark green`>: ", 3,
     "Increased Crime Prevention Rating by %s%%!", "`bright cyan`CRIME PREVENTION RATING CHANGE",
     " increased Crime Prevention by: ", "% today.."},
    {"Kingdom Civilian Support", "SerfSupport", 100, 100, true,
     "`bright magenta`Serfs who are fed and housed stay; serfs who starve leave, or\n\r"
     "rise against the throne..",
     "\n\n\r`grey`Cost to increment 1%%: $100 per civilian",
     "\n\n\r`dark green`Current Civilian Support: `bright cyan`%s%%",
     "\n\n\r`dark green`Raise Rating by? <Max `bright cyan`%s%%`dark green`>: ", 3,
     "Increased Civilian Support by %s%%!", "`bright cyan`CIVILIANS REJOICE",
     " Increased Civilian Support by: ", "% today.."},
    {"Towers of Sorcery", "MagicTowers", 100000000, 25, false,
     "`bright blue`Mages in their towers turn aside part of every attack on the kingdom..",
     "\n\n\r`grey`Cost to build 1 tower: $100,000,000",
     "\n\n\r`dark green`Total Towers Built: `bright cyan`%s  `grey`Max <25>",
     "\n\n\r`dark green`Build how many towers? <Max `bright cyan`%s`dark green`>: ", 2,
     "Kingdom Magical Defenses Increased by building %s towers!",
     "`bright cyan`TOWERS OF SORCERY CONSTRUCTED",
     " relying on mages, built: ", " Towers of Sorcery today.."},
    {"Kingdom Land", "Land", 500000, 2000000, true,
     "`bright blue`Land feeds your serfs and grows your kingdom..",
     "\n\n\r`grey`Land will cost you $500,000 to develop and use..",
     "\n\n\r`dark green`Current Acres Owned: `bright white`%s `grey`{Max 2 million}",
     "\n\n\r`dark green`You can purchase: `bright yellow`%s `dark green`acres"
     "\n\r`dark green`Purchase How Many Acres? ",
     8, "You Purchase %s More Acres!", "`bright cyan`LAND PURCHASE",
     " purchased: ", " acres of land!"},
};

// The purchase's row, read inside or outside a unit: by the seat's
// kingdom, and for the ruler's screens also by his user name, so a ruler
// deposed meanwhile finds no row.
ResultTable ReadRow(const Purchase& p, const Seat& seat) {
  if (p.ruler_only)
    return Query(kKingdom,
                 "SELECT Treasury,%s,Serfs,Name FROM %s WHERE RulerUserName=%Q AND Name=%Q",
                 p.column, TableName(kKingdom), player::CallerUserName(), seat.kingdom.c_str());
  return Query(kKingdom, "SELECT Treasury,%s,Serfs,Name FROM %s WHERE Name=%Q", p.column,
               TableName(kKingdom), seat.kingdom.c_str());
}

Integer UnitPrice(const Purchase& p, const ResultTable& row) {
  if (&p == &kPurchases[kCivilianSupport]) return SupportPointPrice(row.Int(0, 2));
  return Integer(p.price);
}

long long Most(const Purchase& p, const ResultTable& row) {
  return MostAffordable(player::Amount(row.Text(0, 0)), UnitPrice(p, row), row.Int(0, 1), p.cap);
}

// A soldier count of more than eight digits is cut to the cap first.
void CapSoldiers(const Seat& seat) {
  db::RunWriteUnit([&] {
    ResultTable row = Query(kKingdom, "SELECT Soldiers FROM %s WHERE Name=%Q", TableName(kKingdom),
                            seat.kingdom.c_str());
    if (std::string(row.Text(0, 0)).size() > 8)
      db::Exec(kKingdom, "UPDATE %s SET Soldiers=10000000 WHERE Name=%Q", TableName(kKingdom),
               seat.kingdom.c_str());
    return true;
  });
}

enum class Bought { kDone, kRefused, kShort, kLost };

// The purchase as one unit: the seat, then the treasury against the cost,
// then the cap against the number, then both columns.
Bought Buy(const Purchase& p, const Seat& seat, long long number, long long* now) {
  Bought outcome = Bought::kLost;
  db::RunWriteUnit([&] {
    if (!StillSeated(seat.role, seat.kingdom)) return false;
    ResultTable row = ReadRow(p, seat);
    if (row.empty()) return false;
    const Integer treasury = player::Amount(row.Text(0, 0));
    const Integer cost = UnitPrice(p, row) * Integer(number);
    const long long current = row.Int(0, 1);
    if (cost.IsZero() || treasury < cost) {
      outcome = &p == &kPurchases[kCivilianSupport] ? Bought::kShort : Bought::kRefused;
      return false;
    }
    if (number > Most(p, row)) {
      outcome = Bought::kRefused;
      return false;
    }
    *now = current + number;
    db::Exec(kKingdom, "UPDATE %s SET Treasury=%Q,%s=%lld WHERE Name=%Q", TableName(kKingdom),
             (treasury - cost).str().c_str(), p.column, *now, seat.kingdom.c_str());
    outcome = Bought::kDone;
    return true;
  });
  return outcome;
}

void PurchaseScreen(Item item, const Seat& seat) {
  const Purchase& p = kPurchases[item];
  Check_For_Msgs();
  if (!StillSeated(seat.role, seat.kingdom)) return;
  if (item == kSoldiers) CapSoldiers(seat);
  od_clr_scr();
  od_printf("%s", p.description);
  od_printf(p.price_line);
  od_printf("\n\n\r`bright yellow`%s %s %s", kShades, p.title, kShadesBack);
  ResultTable row = ReadRow(p, seat);
  if (row.empty()) return TellSeatLost();
  const bool soldiers = item == kSoldiers;
  od_printf(p.status, AddCommas(std::to_string(row.Int(0, 1))).c_str());
  od_printf(soldiers ? "\n\n\r`dark green`Treasury: `bright white`%s"
                     : "\n\n\r`dark green`Treasury: $`bright white`%s",
            AddCommas(player::Amount(row.Text(0, 0)).str()).c_str());
  const long long most = Most(p, row);
  const std::string shown = std::to_string(most);
  od_printf(p.prompt, (soldiers || item == kLand ? AddCommas(shown) : shown).c_str());
  const std::string typed = ReadDigits(p.digits);
  switch (JudgePurchase(typed, most, p.cap)) {
    case Typed::kLeave:
      return;
    case Typed::kRefused:
      return Refuse("\n\r`bright red`You cannot do that!");
    case Typed::kBuy:
      break;
  }
  const long long number = std::stoll(typed);
  long long now = 0;
  switch (Buy(p, seat, number, &now)) {
    case Bought::kLost:
      return TellSeatLost();
    case Bought::kRefused:
      return Refuse("\n\r`bright red`You cannot do that!");
    case Bought::kShort:
      return Refuse(
          "\n\n\r`bright red`Sorry, the treasury does not contain enough to pay for this..");
    case Bought::kDone:
      break;
  }
  const std::string count = std::to_string(number);
  od_printf("\n\r`bright yellow`%s ", kShades);
  od_printf(p.banner, count.c_str());
  od_printf(" %s", kShadesBack);
  if (p.news_title) {
    const std::string figure = item == kTraining ? std::to_string(now) : count;
    AddNews(p.news_title, ("Kingdom " + seat.kingdom + p.news_middle + figure + p.news_end).c_str(),
            "");
  }
  od_get_key(TRUE);
}

void ArmyPage(const Seat& seat) {
  od_clr_scr();
  od_printf("`bright blue`Your kingdom's best defense is to have a defense..Having a large");
  od_printf("\n\rarmy keeps invaders away, and lets you take the war to your enemies.");
  od_printf("\n\n\r`bright red`%s Royal Army %s", kShades, kShadesBack);
  ResultTable k = Query(kKingdom,
                        "SELECT MagicTowers,Soldiers,DragonRiders,Cannons,Katapults,"
                        "EquipmentRating,Training,Treasury FROM %s WHERE Name=%Q",
                        TableName(kKingdom), seat.kingdom.c_str());
  auto n = [&](int column) { return AddCommas(std::to_string(k.Int(0, column))); };
  od_printf("\n\n\r`dark green`Towers of Sorcery: `bright cyan`%s  `grey`{Defensive}",
            n(0).c_str());
  od_printf(
      "\n\n\r`dark green`Soldiers: `bright cyan`%s  `dark green`Dragon Riders: `bright cyan`%s",
      n(1).c_str(), n(2).c_str());
  od_printf("\n\r`dark green`Cannons: `bright cyan`%s  `dark green`Katapults: `bright cyan`%s",
            n(3).c_str(), n(4).c_str());
  od_printf(
      "\n\r`dark green`Equipment Rating: `bright cyan`%s%%  `dark green`Training: `bright "
      "cyan`%s%%",
      n(5).c_str(), n(6).c_str());
  od_printf("\n\n\r`dark green`Treasury: `bright white`$%s",
            AddCommas(player::Amount(k.Text(0, 7)).str()).c_str());
  od_printf(
      "\n\n\r`dark green`[`bright yellow`H`dark green`]ire Soldiers     "
      "`dark green`[`bright yellow`T`dark green`]raining of Army");
  od_printf(
      "\n\r`dark green`[`bright yellow`P`dark green`]urchase Cannons  "
      "`dark green`[`bright yellow`D`dark green`]ragon Riders");
  od_printf(
      "\n\r`dark green`[`bright yellow`B`dark green`]uy Katapults     "
      "`dark green`[`bright yellow`E`dark green`]quipment Rating");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\r`dark green`Your Selection: ");
}

void ImprovementsPage(const Seat& seat) {
  od_clr_scr();
  od_printf("`bright magenta`Kingdom Improvements will allow you to protect your civilians");
  od_printf("\n\rfrom thieves, keep them from fleeing, and keep them content..");
  od_printf("\n\n\r`bright magenta`%s Kingdom Improvements %s", kShades, kShadesBack);
  ResultTable k = Query(kKingdom,
                        "SELECT BorderGuardRating,CrimePrevention,SerfSupport FROM %s WHERE "
                        "RulerUserName=%Q AND Name=%Q",
                        TableName(kKingdom), player::CallerUserName(), seat.kingdom.c_str());
  od_printf("\n\n\r`dark red`Border Guard Rating    : `bright cyan`%lld%%", k.Int(0, 0));
  od_printf("\n\r`dark red`Crime Prevention Rating: `bright cyan`%lld%%", k.Int(0, 1));
  od_printf("\n\r`dark red`Civilian Support Rating: `bright cyan`%lld%%", k.Int(0, 2));
  od_printf("\n\n\r`dark green`[`bright yellow`B`dark green`]order Guard Protection Rating");
  od_printf("\n\r`dark green`[`bright yellow`C`dark green`]rime Prevention Rating");
  od_printf("\n\r`dark green`[`bright yellow`I`dark green`]ncrease Civilian Support");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\rYour Selection: ");
}

void LandPage() {
  od_clr_scr();
  od_printf("`bright blue`%s Kingdom Land %s", kShades, kShadesBack);
  od_printf("\n\n\r`dark green`Land feeds your serfs: each day your population grows with it.");
  od_printf("\n\rYour kingdom will cease to exist when you have little to no acres left..");
  od_printf("\n\n\r`dark green`[`bright yellow`B`dark green`]uy additional land");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\rYour Selection: ");
}

// A sub-menu of the court: open while the seat holds.
void CourtPage(const Seat& seat, std::function<void()> draw, const std::vector<PlaceKey>& keys) {
  PlaceScreen screen;
  screen.draw = std::move(draw);
  screen.open = [seat] { return StillSeated(seat.role, seat.kingdom); };
  RunPlace(screen, keys);
}

}  // namespace

void RoyalArmyMenu(const Seat& seat) {
  auto buy = [&](Item item) { return [&seat, item] { PurchaseScreen(item, seat); }; };
  CourtPage(seat, [&] { ArmyPage(seat); },
            {{'H', nullptr, buy(kSoldiers)},
             {'P', nullptr, buy(kCannons)},
             {'B', nullptr, buy(kKatapults)},
             {'T', nullptr, buy(kTraining)},
             {'D', nullptr, buy(kDragonRiders)},
             {'E', nullptr, buy(kEquipment)},
             {'R', nullptr, nullptr, /*leaves=*/true}});
}

void ImprovementsMenu(const Seat& seat) {
  auto buy = [&](Item item) { return [&seat, item] { PurchaseScreen(item, seat); }; };
  CourtPage(seat, [&] { ImprovementsPage(seat); },
            {{'B', nullptr, buy(kBorderGuards)},
             {'C', nullptr, buy(kCrimePrevention)},
             {'I', nullptr, buy(kCivilianSupport)},
             {'R', nullptr, nullptr, /*leaves=*/true}});
}

void TowersScreen(const Seat& seat) { PurchaseScreen(kTowers, seat); }

void LandScreen(const Seat& seat) {
  CourtPage(seat, LandPage,
            {{'B', nullptr, [&] { PurchaseScreen(kLand, seat); }, /*leaves=*/true},
             {'R', nullptr, nullptr, /*leaves=*/true}});
}

}  // namespace trv::kingdom
