// The three rounds of a coup or a war, their screens and their writes.
#include "game/kingdom/battle.h"

#include <stdlib.h>

#include <optional>
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/court_screens.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;

// A side's row as the battle reads it.
struct Stored {
  Units units;
  Shield shield;
  long long equipment = 0;
};

std::optional<Stored> ReadSide(const Side& side) {
  Stored s;
  if (side.militia) {
    ResultTable row = Query(
        kPlayer,
        "SELECT Soldiers,DragonRiders,Kannons,Katapults,EquipmentRating FROM %s WHERE UserName=%Q",
        TableName(kPlayer), side.name.c_str());
    if (row.empty()) return std::nullopt;
    for (int u = 0; u < kUnitKinds; ++u) s.units.count[u] = row.Int(0, u);
    s.equipment = row.Int(0, 4);
    return s;
  }
  const char* columns =
      "Soldiers,DragonRiders,Cannons,Katapults,MagicTowers,EquipmentRating,Training";
  ResultTable row =
      side.ruler_user.empty()
          ? Query(kKingdom, "SELECT %s FROM %s WHERE Name=%Q", columns, TableName(kKingdom),
                  side.name.c_str())
          : Query(kKingdom, "SELECT %s FROM %s WHERE Name=%Q AND RulerUserName=%Q", columns,
                  TableName(kKingdom), side.name.c_str(), side.ruler_user.c_str());
  if (row.empty()) return std::nullopt;
  for (int u = 0; u < kUnitKinds; ++u) s.units.count[u] = row.Int(0, u);
  s.shield.kingdom = true;
  s.shield.towers = row.Int(0, 4);
  s.equipment = s.shield.equipment = row.Int(0, 5);
  s.shield.training = row.Int(0, 6);
  return s;
}

void WriteSide(const Side& side, const Units& left, long long equipment) {
  const long long* n = left.count;
  if (side.militia) {
    db::Exec(kPlayer,
             "UPDATE %s SET Soldiers=%lld,DragonRiders=%lld,Kannons=%lld,Katapults=%lld,"
             "EquipmentRating=%lld WHERE UserName=%Q",
             TableName(kPlayer), n[0], n[1], n[2], n[3], equipment, side.name.c_str());
    return;
  }
  db::Exec(kKingdom,
           "UPDATE %s SET Soldiers=%lld,DragonRiders=%lld,Cannons=%lld,Katapults=%lld,"
           "EquipmentRating=%lld WHERE Name=%Q",
           TableName(kKingdom), n[0], n[1], n[2], n[3], equipment, side.name.c_str());
}

// One side's losses of a round, drawn and written in one unit.
struct Strike {
  bool gone = true;
  Units lost;
  long long towers = 0;
  long long drop = -1;  // -1: the equipment rating is too low to wear
};

Strike StrikeAt(const Side& side, const Factors& enemy, const Factors& own) {
  Strike strike;
  db::RunWriteUnit([&] {
    std::optional<Stored> stored = ReadSide(side);
    if (!stored) return false;
    strike.gone = false;
    strike.lost = RoundLosses(stored->units, stored->shield, enemy, own, RandomDraw);
    strike.towers = stored->shield.towers;
    long long equipment = stored->equipment;
    if (EquipmentWears(equipment)) {
      strike.drop = RandomDraw(5);
      equipment -= strike.drop;
    }
    Units left = stored->units;
    for (int u = 0; u < kUnitKinds; ++u) left.count[u] -= strike.lost.count[u];
    WriteSide(side, left, equipment);
    return true;
  });
  return strike;
}

Plan ChoosePlan(bool coup) {
  Check_For_Msgs();
  od_clr_scr();
  Banner("dark red", coup ? "CHOOSE MILITIA PLAN" : "CHOOSE ARMY PLAN");
  od_printf("\n\n\r`yellow`Type                    Offense Defense Cannons Explanation");
  od_printf(
      "\n\r`dark green`[`bright magenta`1`dark green`] Normal Battle Plan`bright cyan`   70%%     "
      "70%%     20%%    `dark green`Regular Combat");
  od_printf(
      "\n\r`dark green`[`bright magenta`2`dark green`] Bombardment Plan`bright cyan`     10%%     "
      "30%%     100%%   `dark green`Cannot be hurt by normal combat");
  od_printf(
      "\n\r`dark green`[`bright magenta`3`dark green`] Charge Battle Plan`bright cyan`   100%%    "
      "30%%     0%%     `dark green`You can out run bombardment");
  od_printf(
      "\n\r`dark green`[`bright magenta`4`dark green`] Defensive Plan`bright cyan`       10%%     "
      "100%%    30%%    `dark green`Fight to survive");
  od_printf("\n\n\rYour Selection: ");
  const char key = od_get_answer("1234");
  return key >= '1' && key <= '4' ? static_cast<Plan>(key - '1') : Plan::kNormal;
}

// The defending kingdom before a round. False when it is gone.
bool ShowEnemy(const std::string& kingdom) {
  ResultTable row = Query(
      kKingdom, "SELECT Soldiers,DragonRiders,Katapults,Cannons,MagicTowers FROM %s WHERE Name=%Q",
      TableName(kKingdom), kingdom.c_str());
  if (row.empty()) return false;
  od_clr_scr();
  Banner("bright magenta", "SCOUTS REPORT");
  od_printf("\n\n\r`dark green`Thy enemy kingdom has:");
  od_printf("\n\r     `dark green`Soldiers         : `bright yellow`%s",
            Grouped(row.Int(0, 0)).c_str());
  od_printf("\n\r     `dark green`Dragon Riders    : `bright yellow`%s",
            Grouped(row.Int(0, 1)).c_str());
  od_printf("\n\n\r     `dark green`Katapults        : `bright yellow`%s",
            Grouped(row.Int(0, 2)).c_str());
  od_printf("\n\r     `dark green`Cannons          : `bright yellow`%s",
            Grouped(row.Int(0, 3)).c_str());
  od_printf("\n\n\r");
  Banner("bright blue", "DEFENSES");
  od_printf("\n\r     `dark green`Towers of Sorcery: `bright yellow`%s",
            Grouped(row.Int(0, 4)).c_str());
  PressAnyKeyIn("grey");
  return true;
}

void ShowPlan(Plan plan) {
  static const char* const kTitles[kPlans] = {"Normal Battle", "Bombardment Battle",
                                              "Charge Battle", "Defensive Battle"};
  static const char* const kLines[kPlans][4] = {
      {"Alerting the enemy army you are here to topple their",
       "ruler, your forces line up across the field from theirs.",
       "Sword meets sword and arrow meets shield in the open,",
       "where numbers and nerve decide the day.."},
      {"You have chosen to fight at a distance, by using your",
       "cannons and katapults to pound the enemy lines. Your",
       "soldiers stay back out of reach, while the stones and", "shot do the killing for them.."},
      {"Staging a night attack on the kingdom, will surely",
       "catch the enemy off guard. Your riders and soldiers rush",
       "in under the dark, too fast for the enemy guns to find",
       "their mark, but with little to hide behind.."},
      {"Taking the battle field with full equipment, and very",
       "heavy shields, your forces dig in and wait for the enemy",
       "to come. Few of the enemy will fall to you, but you mean",
       "to be standing when the dust settles.."},
  };
  const int p = static_cast<int>(plan);
  od_clr_scr();
  Banner("dark green", kTitles[p]);
  od_printf("\n\n\r`yellow`%s", kLines[p][0]);
  for (int line = 1; line < 4; ++line) od_printf("\n\r%s", kLines[p][line]);
  PressAnyKeyIn("grey");
}

void RoundBanner(int round) {
  od_printf("`bright green`%s ROUND %d - BATTLE RESULTS %s", kShades, round, kShadesBack);
}

void ShowEnemyLosses(const Strike& strike) {
  const long long* n = strike.lost.count;
  od_printf("\n\n\r`bright red`Enemy Soldiers killed     : `bright yellow`%s",
            Grouped(n[0]).c_str());
  od_printf("\n\r`bright red`Enemy Dragon Riders killed: `bright yellow`%-3s",
            std::to_string(n[1]).c_str());
  od_printf("\n\n\r`bright red`Enemy Cannons Destroyed   : `bright yellow`%-3s",
            std::to_string(n[2]).c_str());
  od_printf("\n\r`bright red`Enemy Katapults Destroyed : `bright yellow`%-3s",
            std::to_string(n[3]).c_str());
  od_printf(
      "\n\n\r`dark green`[`bright magenta`%s%%`bright green` Of Your Attack Was Deflected By Magic "
      "Towers`dark green`]",
      std::to_string(strike.towers).c_str());
  if (strike.drop >= 0)
    od_printf(
        "\n\n\r`dark green`[`bright magenta`%d%%`bright green` Kingdom Equipment Rating "
        "Drop`dark green`]",
        static_cast<int>(strike.drop));
}

void ShowOwnLosses(const Strike& strike, bool militia) {
  const long long* n = strike.lost.count;
  if (militia) {
    od_printf("\n\n\r`bright red`Your Soldier casualities: `bright yellow`%s",
              Grouped(n[0]).c_str());
    od_printf("\n\r`bright red`Dragon Riders lost: `bright yellow`%s",
              std::to_string(n[1]).c_str());
    od_printf("\n\n\r`bright red`Your Cannon Losses: `bright yellow`%s",
              std::to_string(n[2]).c_str());
    od_printf("\n\r`bright red`Your Katapult Losses: `bright yellow`%s",
              std::to_string(n[3]).c_str());
  } else {
    od_printf("\n\n\r`bright red`Your Soldiers killed: `bright yellow`%s", Grouped(n[0]).c_str());
    od_printf("\n\r`bright red`Dragon Riders killed: `bright yellow`%-3s",
              std::to_string(n[1]).c_str());
    od_printf("\n\n\r`bright red`Cannons Destroyed   : `bright yellow`%-3s",
              std::to_string(n[2]).c_str());
    od_printf("\n\r`bright red`Katapults Destroyed : `bright yellow`%-3s",
              std::to_string(n[3]).c_str());
    od_printf(
        "\n\n\r`dark green`[`bright magenta`%s%%`bright green` Of The Enemy Attack Was Deflected "
        "By Magic Towers`dark green`]",
        std::to_string(strike.towers).c_str());
  }
  if (strike.drop < 0) {
    od_printf("\n\n\r`bright magenta`[Equipment Rating too low!]");
  } else {
    od_printf(
        "\n\n\r`dark green`[`bright magenta`%d%%`bright green` Equipment Rating Drop Of Your "
        "%s`dark green`]",
        static_cast<int>(strike.drop), militia ? "Militia" : "Army");
  }
}

void ShowTotals(const Totals& t) {
  const long long* e = t.enemy_lost.count;
  const long long* o = t.own_lost.count;
  od_printf("\n\n\r");
  Banner("bright green", "TOTAL CASUALITY RESULTS");
  od_printf("\n\n\r`bright cyan`Enemies Casualty Count:");
  od_printf("\n\r`bright red`Total Enemy Soldiers killed      : `bright yellow`%s",
            Grouped(e[0]).c_str());
  od_printf("\n\r`bright red`Total Enemy Dragon Riders killed : `bright yellow`%s",
            Grouped(e[1]).c_str());
  od_printf("\n\r`bright red`Total Enemy Cannons Destroyed    : `bright yellow`%s",
            Grouped(e[2]).c_str());
  od_printf("\n\r`bright red`Total Enemy Katapults Destroyed  : `bright yellow`%s",
            Grouped(e[3]).c_str());
  od_printf("\n\n\r`bright cyan`Your Casualty Count:");
  od_printf("\n\r`bright red`Total Soldiers Lost      : `bright yellow`%s", Grouped(o[0]).c_str());
  od_printf("\n\r`bright red`Total Dragon Riders Lost : `bright yellow`%s", Grouped(o[1]).c_str());
  od_printf("\n\r`bright red`Total Cannons Lost       : `bright yellow`%s", Grouped(o[2]).c_str());
  od_printf("\n\r`bright red`Total Katapults Lost     : `bright yellow`%s", Grouped(o[3]).c_str());
  PressAnyKey();
}

void Add(Units* total, const Units& lost) {
  for (int u = 0; u < kUnitKinds; ++u) total->count[u] += lost.count[u];
}

// One round; kFought when both sides were there to fight it.
BattleEnd Round(const Side& attacker, const Side& defender, int round, Totals* totals) {
  const bool coup = attacker.militia;
  if (!ReadSide(attacker)) return BattleEnd::kAttackerGone;
  const Plan plan = ChoosePlan(coup);
  if (!ShowEnemy(defender.name)) return BattleEnd::kDefenderGone;
  ShowPlan(plan);

  const Plan royal = static_cast<Plan>(RandomDraw(kPlans));
  const Factors own = FactorsOf(plan, royal);
  const Factors enemy = FactorsOf(royal, plan);
  od_printf("\n\n\r`bright red`The royal army prepares with a `yellow`%s `bright red`Plan..",
            DefenderPlanName(royal));
  od_get_key(TRUE);
  od_clr_scr();
  od_printf("\n\n\r`bright cyan`Your %s marches into battle to meet the enemy..",
            coup ? "militia" : "army");
  od_printf("\n\n\r`bright cyan`Cannons fire, katapults are launched..");
  od_printf("\n\n\r`bright cyan`The bodies of the dead begin to fill the field..");
  od_get_key(TRUE);
  od_clr_scr();
  RoundBanner(round);

  const Strike hit = StrikeAt(defender, own, enemy);
  if (hit.gone) return BattleEnd::kDefenderGone;
  Add(&totals->enemy_lost, hit.lost);
  ShowEnemyLosses(hit);
  od_printf("\n\n\r");
  Banner("dark green", "See Your Results");
  od_get_key(TRUE);
  od_clr_scr();
  RoundBanner(round);

  const Strike taken = StrikeAt(attacker, enemy, own);
  if (taken.gone) return BattleEnd::kAttackerGone;
  Add(&totals->own_lost, taken.lost);
  ShowOwnLosses(taken, coup);
  return BattleEnd::kFought;
}

}  // namespace

std::string Grouped(long long value) { return AddCommas(std::to_string(value)); }

long long RandomDraw(long long n) { return n > 0 ? static_cast<long long>(rand()) % n : 0; }

void Banner(const char* colour, const std::string& title) {
  od_printf("`%s`%s ", colour, kShades);
  od_printf("%s", title.c_str());
  od_printf(" %s", kShadesBack);
}

std::string RedTitle(const char* title) {
  return std::string("`bright red`") + kShades + " " + title + " " + kShadesBack + "`bright cyan`";
}

void Mail(const std::string& user, const std::string& title, const std::string& line1,
          const std::string& line2) {
  if (user.empty()) return;
  AddPersonal(user.c_str(), title.c_str(), line1.c_str(), line2.c_str());
}

BattleEnd FightBattle(const Side& attacker, const Side& defender, Totals* totals) {
  *totals = Totals();
  for (int round = 1; round <= 3; ++round) {
    const BattleEnd end = Round(attacker, defender, round, totals);
    if (end != BattleEnd::kFought) return end;
    if (round < 3) PressAnyKey();
  }
  ShowTotals(*totals);
  return BattleEnd::kFought;
}

}  // namespace trv::kingdom
