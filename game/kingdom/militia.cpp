// The militia screen, its purchases, the claim of an empty throne and the
// coup with its two outcomes.
#include <stdlib.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/battle.h"
#include "game/kingdom/court_rules.h"
#include "game/kingdom/court_screens.h"
#include "game/kingdom/kingdom.h"
#include "game/kingdom/war.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/character.h"
#include "game/player/gold.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::Exec;
using db::kKingdom;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;
using Purenum::Integer;

// Whether the caller rules his own kingdom (by character or user name).
bool CallerRules() {
  ResultTable me = player::CallerRow("Kingdom,PlayerName");
  if (me.empty()) return false;
  ResultTable own = Query(kKingdom, "SELECT Ruler,RulerUserName FROM %s WHERE Name=%Q",
                          TableName(kKingdom), me.Text(0, 0));
  if (own.empty()) return false;
  return (*me.Text(0, 1) != '\0' && std::string(me.Text(0, 1)) == own.Text(0, 0)) ||
         std::string(player::CallerUserName()) == own.Text(0, 1);
}

void Denied() {
  od_clr_scr();
  od_printf("\n\r`bright blue`%s `bright yellow`Denied Entrance `bright blue`%s", kShades,
            kShadesBack);
  od_printf("\n\n\r`bright red`You are a kingdom ruler, you don't need a militia!");
  od_get_key(TRUE);
}

void DrawMilitia(bool recruits) {
  od_printf("`bright blue`Here you can build your militia..Where you can use it to");
  od_printf("\n\rusurp the throne! Having a huge militia might scare the");
  od_printf("\n\rruler of your kingdom. The training of your militia will");
  od_printf("\n\rnever increase or decrease, since militias must stay hidden..");
  od_printf("\n\n\r");
  Banner("bright red", "Militia Commands");
  ResultTable m = player::CallerRow("Soldiers,DragonRiders,Kannons,Katapults,EquipmentRating,Gold");
  std::string out;
  out += std::string("\n\n\r") + ansi::kDarkGreen + "Soldiers: " + ansi::kBrightCyan +
         Grouped(m.Int(0, 0)) + "  " + ansi::kDarkGreen + "Dragon Riders: " + ansi::kBrightCyan +
         std::to_string(m.Int(0, 1));
  out += std::string("\n\r") + ansi::kDarkGreen + "Cannons: " + ansi::kBrightCyan +
         std::to_string(m.Int(0, 2)) + "  " + ansi::kDarkGreen + "Katapults: " + ansi::kBrightCyan +
         std::to_string(m.Int(0, 3));
  out += std::string("\n\r") + ansi::kDarkGreen + "Equipment Rating: " + ansi::kBrightCyan +
         std::to_string(m.Int(0, 4)) + "%  " + ansi::kDarkGreen + "Training: " + ansi::kBrightCyan +
         "60%";
  out += std::string("\n\n\r") + ansi::kDarkGreen + "Gold: " + ansi::kBrightWhite + "$" +
         AddCommas(player::Amount(m.Text(0, 5)).str());
  auto command = [&](const char* lead, char key, const char* rest) {
    out += std::string(lead) + ansi::kDarkGreen + "[" + ansi::kBrightYellow + key +
           ansi::kDarkGreen + "]" + ansi::kDarkGreen + rest;
  };
  if (recruits) command("\n\n\r", 'C', "onvince Civilians to join..");
  command(recruits ? "\n\r" : "\n\n\r", 'A', "ttack Kingdom!!");
  command("\n\n\r", 'H', "ire Soldiers");
  command("\n\r", 'P', "urchase Cannons  ");
  command("", 'D', "ragon Riders");
  command("\n\r", 'B', "uy Katapults     ");
  command("", 'E', "quipment Rating");
  command("\n\n\r", 'R', "eturn to Courtyard");
  out += std::string("\n\n\r") + ansi::kDarkGreen + "Your Selection: ";
  Emu(out);
}

// ---- Purchases ----

const char* const kDescriptions[5] = {
    "`bright cyan`Sell-swords and farm boys with a grudge: every soldier of your\n\r"
    "militia is one more blade when you march on the throne.",
    "`bright cyan`A cannon smuggled in pieces and put together in a cellar. They\n\r"
    "break walls, and they break the royal army's nerve.",
    "`bright cyan`Dragon riders answer to gold, not to crowns. Few in number, but\n\r"
    "the royal army fears nothing more than a dragon overhead.",
    "`bright cyan`Katapults throw stone and fire over the walls, far out of reach\n\r"
    "of the royal army's swords.",
    "`bright cyan`Armour, shields and good steel: the better equipped your militia,\n\r"
    "the longer it lasts on the field.",
};

const char* const kStatusLines[5] = {
    "\n\n\r`dark green`Total Soldiers: `bright cyan`%s `grey`{Max 10 million}",
    "\n\n\r`dark green`Total Cannons: `bright cyan`%s  `grey`Max <25>",
    "\n\n\r`dark green`Total Dragon Riders: `bright cyan`%s  `grey`Max <100>",
    "\n\n\r`dark green`Total Katapults: `bright cyan`%s  `grey`Max <30>",
    "\n\n\r`dark green`Equipment Rating at: `bright cyan`%s%%  `grey`Max <100%%>",
};

enum class Bought { kDone, kRefused, kGone };

// The purchase as one unit: gold and count read again, the number checked
// against what they allow now, both columns written.
Bought BuyMilitia(const MilitiaUnit& unit, long long number, long long* now) {
  Bought outcome = Bought::kGone;
  db::RunWriteUnit([&] {
    ResultTable row = Query(kPlayer, "SELECT Gold,%s FROM %s WHERE UserName=%Q", unit.column,
                            TableName(kPlayer), player::CallerUserName());
    if (row.empty()) return false;
    const Integer gold = player::Amount(row.Text(0, 0));
    const Integer price(unit.price);
    const long long count = row.Int(0, 1);
    if (number < 1 || number > MostAffordable(gold, price, count, unit.cap)) {
      outcome = Bought::kRefused;
      return false;
    }
    *now = count + number;
    Exec(kPlayer, "UPDATE %s SET Gold=%Q,%s=%lld WHERE UserName=%Q", TableName(kPlayer),
         (gold - price * Integer(number)).str().c_str(), unit.column, *now,
         player::CallerUserName());
    outcome = Bought::kDone;
    return true;
  });
  return outcome;
}

void MilitiaPurchase(const MilitiaUnit& unit) {
  const int index = static_cast<int>(&unit - kMilitiaUnits);
  Check_For_Msgs();
  od_clr_scr();
  od_printf("%s", kDescriptions[index]);
  od_printf("\n\n\r`grey`Cost to purchase 1: $%s", AddCommas(std::string(unit.price)).c_str());
  ResultTable row = player::CallerRow((std::string("Gold,") + unit.column).c_str());
  if (row.empty()) return;
  const Integer gold = player::Amount(row.Text(0, 0));
  const long long count = row.Int(0, 1);
  od_printf("\n\n\r`dark green`Gold: $`bright white`%s", AddCommas(gold.str()).c_str());
  od_printf(kStatusLines[index], (index == 0 ? Grouped(count) : std::to_string(count)).c_str());
  const long long most = MostAffordable(gold, Integer(unit.price), count, unit.cap);
  od_printf("\n\n\r`dark green`Purchase how many %s? <Max `bright cyan`%s`dark green`>: ",
            unit.unit, std::to_string(most).c_str());
  const std::string typed = ReadDigits(unit.digits);
  switch (JudgePurchase(typed, most, unit.cap)) {
    case Typed::kLeave:
      return;
    case Typed::kRefused:
      return Refuse("\n\r`bright red`You cannot do that!");
    case Typed::kBuy:
      break;
  }
  const long long number = std::stoll(typed);
  long long now = 0;
  switch (BuyMilitia(unit, number, &now)) {
    case Bought::kGone:
      return;
    case Bought::kRefused:
      return Refuse("\n\r`bright red`You cannot do that!");
    case Bought::kDone:
      break;
  }
  od_printf("\n\n\r");
  Banner("bright yellow",
         std::string(unit.title) + " increased by " + std::to_string(number) + "!");
  od_get_key(TRUE);
}

}  // namespace

// ---- The throne ----

bool ClaimThrone(const std::string& kingdom) {
  const std::string me = player::CallerPlayerName();
  const char* user = player::CallerUserName();
  bool claimed = false;
  db::RunWriteUnit([&] {
    ResultTable mine = player::CallerRow("Kingdom,Soldiers");
    if (mine.empty() || kingdom != mine.Text(0, 0)) return false;
    ResultTable throne =
        Query(kKingdom, "SELECT Soldiers FROM %s WHERE Name=%Q AND RulerUserName=''",
              TableName(kKingdom), kingdom.c_str());
    if (throne.empty()) return false;
    const long long militia = mine.Int(0, 1) > 0 ? mine.Int(0, 1) : 0;
    player::ClearPosts(user);
    Exec(kKingdom,
         "UPDATE %s SET Ruler=%Q,RulerUserName=%Q,Soldiers=%lld WHERE Name=%Q AND "
         "RulerUserName=''",
         TableName(kKingdom), me.c_str(), user, throne.Int(0, 0) + militia, kingdom.c_str());
    Exec(kPlayer, "UPDATE %s SET Soldiers=0 WHERE UserName=%Q", TableName(kPlayer), user);
    claimed = true;
    return true;
  });
  if (!claimed) {
    od_printf("\n\n\r`bright red`Too late! Another citizen has already taken the throne..");
    od_get_key(TRUE);
    return false;
  }
  od_printf("\n\n\r`dark green`Finding the royal family absent of a ruler, you claim the throne");
  od_printf("\n\rwithout a drop of blood shedding!");
  od_printf("\n\n\r`yellow`Good luck as the new ruler!!!");
  od_printf("\n\n\rMake sure to set taxes, and other kingdom duties!");
  AddNews(RedTitle("KINGDOM TAKEOVER").c_str(),
          (me + " took over the empty throne of " + kingdom).c_str(), "");
  od_get_key(TRUE);
  return true;
}

namespace {

void CoupFailed(const std::string& kingdom, const std::string& ruler,
                const std::string& ruler_user) {
  const std::string me = player::CallerPlayerName();
  od_clr_scr();
  Banner("bright red", "YOU LOST THE BATTLE");
  od_printf("\n\n\r`grey`Your men fought bravely, however they just could not");
  od_printf("\n\rovercome the might of Ruler %s's royal army..", CleanText(ruler).c_str());
  od_printf("\n\n\r");
  Banner("bright green", "Continue");
  AddNews(RedTitle("MILITIA UPRISING").c_str(),
          (me + "'s militia coup failed against Kingdom " + kingdom).c_str(), "");
  Mail(ruler_user, RedTitle("COUP ATTEMPT!"), me + " lead a militia against your army and lost!",
       "Your followers urge you to come down hard on militias!");
  od_get_key(TRUE);
  od_clr_scr();
  od_printf("\n\n\r`dark red`For this act, the ruler had your body cut into pieces and");
  od_printf("\n\rsent throughout the kingdom as a warning to other militia leaders!");
  od_printf("\n\n\r`bright white`Mutalation caused you to lose:");

  Mutilation lost;
  bool cut = false;
  db::RunWriteUnit([&] {
    ResultTable row = player::CallerRow("MaxHP,Strength,Defense,Agility,MaxMagicPower,Leadership");
    if (row.empty()) return false;
    Mutilation had;
    had.max_hp = row.Int(0, 0);
    had.strength = row.Int(0, 1);
    had.defense = row.Int(0, 2);
    had.agility = row.Int(0, 3);
    had.max_magic = row.Int(0, 4);
    had.leadership = row.Int(0, 5);
    lost = MutilationOf(had);
    Exec(kPlayer,
         "UPDATE %s SET HP=1,MaxHP=%lld,Strength=%lld,Defense=%lld,Agility=%lld,"
         "MaxMagicPower=%lld,Leadership=%lld WHERE UserName=%Q",
         TableName(kPlayer), had.max_hp - lost.max_hp, had.strength - lost.strength,
         had.defense - lost.defense, had.agility - lost.agility, had.max_magic - lost.max_magic,
         had.leadership - lost.leadership, player::CallerUserName());
    cut = true;
    return true;
  });
  if (cut) {
    od_printf("\n\n\r`grey`You have lost %lld max hitpoints", lost.max_hp);
    od_printf("\n\r`grey`You have lost %lld strength points", lost.strength);
    od_printf("\n\r`grey`You have lost %lld defense points", lost.defense);
    od_printf("\n\r`grey`You have lost %lld agility points", lost.agility);
    od_printf("\n\r`grey`You have lost %lld max magic points", lost.max_magic);
    od_printf("\n\n\r`grey`You have also lost %lld leadership points!", lost.leadership);
  }
  PressAnyKey();
}

void CoupSucceeded(const std::string& kingdom, const std::string& ruler_user) {
  const std::string me = player::CallerPlayerName();
  const char* user = player::CallerUserName();
  od_clr_scr();
  Banner("bright yellow", "YOUR MILITIA WON THE BATTLE!!!");
  od_printf("\n\n\r`bright blue`You led your militia to a victory over your ruler, and");
  od_printf("\n\rnow must take over the rulership of the kingdom.");
  od_printf("\n\n\r");
  Banner("bright green", "CONTINUE TO NAME KINGDOM");
  od_get_key(TRUE);

  // Everything the coup changes, with the rename: the slots of every
  // kingdom that named the old one, the militia joining the army, the new
  // ruler's posts elsewhere, and every citizen following to the new name.
  auto also = [user](const std::string& old_name, const std::string& new_name) {
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
      Exec(kKingdom,
           "UPDATE %s SET DipName%d=%Q,Dip%dWar=0,Dip%dPeace=0,Dip%dTrade=0 WHERE DipName%d=%Q",
           TableName(kKingdom), slot, new_name.c_str(), slot, slot, slot, slot, old_name.c_str());
    const long long militia = player::CallerInt("Soldiers");
    ResultTable army = Query(kKingdom, "SELECT Soldiers FROM %s WHERE Name=%Q", TableName(kKingdom),
                             new_name.c_str());
    Exec(kKingdom, "UPDATE %s SET Soldiers=%lld WHERE Name=%Q", TableName(kKingdom),
         army.Int(0, 0) + (militia > 0 ? militia : 0), new_name.c_str());
    Exec(kPlayer, "UPDATE %s SET Soldiers=0 WHERE UserName=%Q", TableName(kPlayer), user);
    player::ClearPosts(user);
    Exec(kPlayer, "UPDATE %s SET Kingdom=%Q WHERE Kingdom=%Q", TableName(kPlayer), new_name.c_str(),
         old_name.c_str());
  };
  Renaming renamed;
  do {
    renamed = RenameKingdomByRuler(kingdom, ruler_user, also);
  } while (renamed == Renaming::kAgain);
  if (renamed == Renaming::kGone) {
    od_printf(
        "\n\n\r`bright red`Kingdom %s has changed hands since your victory; the throne is not "
        "yours to take..",
        CleanText(kingdom).c_str());
    od_get_key(TRUE);
    return;
  }

  const std::string new_name = player::CallerText("Kingdom");
  Mail(ruler_user, RedTitle("MILITIA COUP!"),
       me + " successfully took power from your royal family!", "");
  AddNews(RedTitle("KINGDOM TAKEOVER").c_str(),
          (me + " led a successful militia coup against " + kingdom).c_str(),
          ("They have now established their new kingdom: " + new_name).c_str());
  ResultTable citizens =
      Query(kPlayer, "SELECT UserName FROM %s WHERE UserName<>%Q AND Kingdom=%Q ORDER BY IDNum",
            TableName(kPlayer), user, new_name.c_str());
  const std::string line2 = "Your new kingdom name is: " + new_name + ", ruled by " + me;
  for (int r = 0; r < citizens.rows(); ++r)
    Mail(citizens.Text(r, 0), "`bright cyan`KINGDOM RULER CHANGE!",
         "After a successful militia invasion, your old ruler was toppled!", line2);
  od_printf("\n\n\r`yellow`Good luck as the new ruler!!!");
  od_printf("\n\n\rMake sure to set taxes, and other kingdom duties!");
  PressAnyKeyIn("dark green");
}

// The evil deed of a coup, spent only while the militia is strong enough.
bool SpendCoupDeed() {
  bool spent = false;
  db::RunWriteUnit([&] {
    ResultTable me = player::CallerRow("EvilDeeds,Soldiers");
    if (me.empty() || me.Int(0, 0) < 1 || me.Int(0, 1) < kLeastArmy) return false;
    Exec(kPlayer, "UPDATE %s SET EvilDeeds=EvilDeeds-1 WHERE UserName=%Q", TableName(kPlayer),
         player::CallerUserName());
    spent = true;
    return true;
  });
  return spent;
}

void Coup(const std::string& kingdom, const std::string& ruler_user) {
  ResultTable me = player::CallerRow("EvilDeeds,Soldiers");
  if (me.Int(0, 0) < 1)
    return Refuse("\n\n\r`bright red`You don't have enough evil deeds left today!");
  if (me.Int(0, 1) < kLeastArmy)
    return Refuse("\n\n\r`bright red`You will need at least 200 soldiers to lead a coup attempt!");
  if (!SpendCoupDeed()) return;
  SeedRandom();
  const std::string ruler =
      Query(kKingdom, "SELECT Ruler FROM %s WHERE Name=%Q AND RulerUserName=%Q",
            TableName(kKingdom), kingdom.c_str(), ruler_user.c_str())
          .Text(0, 0);
  Totals totals;
  const BattleEnd end = FightBattle(Side{true, player::CallerUserName(), ""},
                                    Side{false, kingdom, ruler_user}, &totals);
  if (end == BattleEnd::kFought) {
    ResultTable army = Query(kKingdom, "SELECT Soldiers FROM %s WHERE Name=%Q AND RulerUserName=%Q",
                             TableName(kKingdom), kingdom.c_str(), ruler_user.c_str());
    if (!army.empty()) {
      if (CoupSucceeds(player::CallerInt("Soldiers"), army.Int(0, 0)))
        CoupSucceeded(kingdom, ruler_user);
      else
        CoupFailed(kingdom, ruler, ruler_user);
      return;
    }
  }
  if (end == BattleEnd::kAttackerGone) return;  // the leader's character is gone
  od_printf(
      "\n\n\r`bright red`Kingdom %s has changed hands since you marched; your militia "
      "withdraws..",
      CleanText(kingdom).c_str());
  od_get_key(TRUE);
}

void Attack() {
  ResultTable me = player::CallerRow("Kingdom,PlayerName,Soldiers");
  if (me.empty()) return;
  const std::string kingdom = me.Text(0, 0);
  ResultTable row = Query(kKingdom, "SELECT Name,RulerUserName FROM %s WHERE Name=%Q",
                          TableName(kKingdom), kingdom.c_str());
  if (row.empty()) return;
  const std::string ruler_user = row.Text(0, 1);
  if (ruler_user.empty()) {
    ClaimThrone(kingdom);
    return;
  }
  Coup(kingdom, ruler_user);
}

}  // namespace

void MilitiaScreen(MilitiaSpeechFn speech) {
  if (CallerRules()) return Denied();
  std::vector<PlaceKey> keys = {
      {'A', nullptr, Attack},
      {'R', nullptr, nullptr, /*leaves=*/true},
  };
  if (speech) keys.push_back({'C', nullptr, speech});
  for (const MilitiaUnit& unit : kMilitiaUnits)
    keys.push_back({unit.key, nullptr, [&unit] { MilitiaPurchase(unit); }});
  PlaceScreen screen;
  screen.draw = [speech] { DrawMilitia(speech != nullptr); };
  screen.open = [] { return !CallerRules() && !player::CallerPlayerName().empty(); };
  RunPlace(screen, keys);
}

}  // namespace trv::kingdom
