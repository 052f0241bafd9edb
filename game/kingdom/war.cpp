// The war room, the invasion and what a won or lost war leaves behind:
// captured land, plundered investments, or a kingdom destroyed.
#include "game/kingdom/war.h"

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/battle.h"
#include "game/kingdom/court.h"
#include "game/kingdom/court_screens.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
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

void WarRoomScreen(const std::string& own) {
  Check_For_Msgs();
  od_clr_scr();
  od_printf("`bright blue`%s `bright yellow`War Room `bright blue`%s", kShades, kShadesBack);
  od_printf("\n\r`dark green`%s", kShortRule);
  od_printf("\n\r`bright red`From this area of your courtyard, you can manage your kingdoms");
  od_printf("\n\rwar from a safe vantage point. You must declare war before you can act on");
  od_printf("\n\rthe other kingdom. Each kingdom invasion will take 1 evil deed..");
  od_printf("\n\r`dark green`%s", kShortRule);
  od_printf(
      "\n\n\r`bright white`%s ##  Kingdom                   Soldiers      Kingdom Relationship",
      kShades);
  ListKingdoms(own, ListStyle::kDiplomacy);
  od_printf("\n\n\r`dark green`%s Attack Which Kingdom? <`grey`Enter to exit`dark green`>: ",
            kShades);
}

// ---- After the battle ----

void LoseWar(const std::string& own, const std::string& defender) {
  od_clr_scr();
  Banner("bright red", "YOU LOST THE BATTLE");
  od_printf("\n\n\r`grey`Your men fought bravely, however they just could not");
  od_printf("\n\rovercome the might of Ruler %s's royal army..", CleanText(defender).c_str());
  bool equipment = false, support = false;
  std::string ruler_user;
  db::RunWriteUnit([&] {
    ResultTable row =
        Query(kKingdom, "SELECT EquipmentRating,SerfSupport,RulerUserName FROM %s WHERE Name=%Q",
              TableName(kKingdom), defender.c_str());
    if (row.empty()) return false;
    ruler_user = row.Text(0, 2);
    equipment = row.Int(0, 0) > 2;
    support = row.Int(0, 1) > 3;
    if (equipment)
      Exec(kKingdom, "UPDATE %s SET EquipmentRating=%lld WHERE Name=%Q", TableName(kKingdom),
           row.Int(0, 0) - 2, defender.c_str());
    if (support)
      Exec(kKingdom, "UPDATE %s SET SerfSupport=%lld WHERE Name=%Q", TableName(kKingdom),
           row.Int(0, 1) - 3, defender.c_str());
    return true;
  });
  if (equipment) od_printf("\n\n\r`yellow`Kingdom equipment quality drops by 2 pts!");
  if (support) od_printf("\n\n\r`dark red`Kingdom civilian support falls by 3 pts!");
  od_printf("\n\n\r");
  Banner("bright green", "Continue");
  AddNews(RedTitle("KINGDOM BATTLE").c_str(),
          (own + " failed in an army invasion attempt against " + defender).c_str(), "");
  Mail(ruler_user, RedTitle("KINGDOM BATTLE"), own + " failed to invade your kingdom!",
       "Increase military spending to stave off more invasion attempts..");
  od_get_key(TRUE);
}

// What a plunder burned in total, per kind of holding.
struct Burned {
  Integer total[kPlunderKinds];
};

// One defender's holdings, burned in one unit while he still lives in the
// defending kingdom and the kingdom is still there.
void PlunderOne(const std::string& user, const std::string& defender, Burned* burned) {
  Integer lost[kPlunderKinds];
  bool done = false;
  db::RunWriteUnit([&] {
    ResultTable row = Query(
        kPlayer,
        "SELECT FleshTrade,Granary,HouseTrade,OreMine,DrugTrade,Smuggling,WaterTower FROM %s "
        "WHERE UserName=%Q AND Kingdom=%Q AND EXISTS (SELECT 1 FROM %s WHERE Name=%Q)",
        TableName(kPlayer), user.c_str(), defender.c_str(), TableName(kKingdom), defender.c_str());
    if (row.empty()) return false;
    for (int k = 0; k < kPlunderKinds; ++k) {
      const Integer holding = player::Amount(row.Text(0, k));
      lost[k] = PercentOfHolding(holding, kPlunderRates[k].percent);
      if (lost[k].IsZero()) continue;
      Exec(kPlayer, "UPDATE %s SET %s=%Q WHERE UserName=%Q", TableName(kPlayer),
           kPlunderRates[k].column, (holding - lost[k]).str().c_str(), user.c_str());
    }
    done = true;
    return true;
  });
  if (!done) return;
  for (int k = 0; k < kPlunderKinds; ++k) burned->total[k] = burned->total[k] + lost[k];
  auto n = [&](int k) { return lost[k].str() + kPlunderRates[k].word; };
  Mail(user, "`bright cyan`INVESTMENTS PLUNDERED!",
       "You lost: " + n(0) + " " + n(1) + " " + n(2) + " " + n(4), n(3) + " " + n(5) + " " + n(6));
}

void Plunder(const std::string& defender) {
  od_printf("\n\n\r`grey`You order your commanders to let their troops burn and destroy");
  od_printf("\n\rwhatever personal investments the people of %s have..",
            CleanText(defender).c_str());
  ResultTable people = Query(kPlayer, "SELECT UserName FROM %s WHERE Kingdom=%Q ORDER BY IDNum",
                             TableName(kPlayer), defender.c_str());
  Burned burned;
  for (int r = 0; r < people.rows(); ++r) PlunderOne(people.Text(r, 0), defender, &burned);
  // The attacker's screen lists them in its own order.
  static const int kShown[kPlunderKinds] = {0, 1, 2, 3, 5, 6, 4};
  for (int k : kShown)
    od_printf("\n\n\r`dark green`Your army destroyed `bright green`%s `dark green`%s",
              AddCommas(burned.total[k].str()).c_str(), kPlunderRates[k].total);
  PressAnyKey();
}

struct Capture {
  enum Outcome { kGone, kKept, kDestroyed } outcome = kGone;
  long long acres = 0;
  std::string ruler;       // the defender's ruler
  std::string ruler_user;  // and his user name
  std::vector<std::string> members;
};

// The capture, and for a kingdom too small to survive its end, in one
// unit: the land moves, every member moves at once, no other kingdom
// keeps a slot naming it, and its row goes.
Capture Conquer(const std::string& own, const std::string& defender) {
  Capture c;
  const char* user = player::CallerUserName();
  db::RunWriteUnit([&] {
    ResultTable mine = Query(kKingdom, "SELECT Land FROM %s WHERE Name=%Q AND RulerUserName=%Q",
                             TableName(kKingdom), own.c_str(), user);
    ResultTable theirs =
        Query(kKingdom, "SELECT Land,Soldiers,Ruler,RulerUserName FROM %s WHERE Name=%Q",
              TableName(kKingdom), defender.c_str());
    if (mine.empty() || theirs.empty()) return false;
    const long long land = theirs.Int(0, 0);
    c.acres = CapturedAcres(land);
    c.ruler = theirs.Text(0, 2);
    c.ruler_user = theirs.Text(0, 3);
    Exec(kKingdom, "UPDATE %s SET Land=%lld WHERE Name=%Q", TableName(kKingdom),
         mine.Int(0, 0) + c.acres, own.c_str());
    if (DefenderSurvives(land, theirs.Int(0, 1))) {
      Exec(kKingdom, "UPDATE %s SET Land=%lld WHERE Name=%Q", TableName(kKingdom), land - c.acres,
           defender.c_str());
      c.outcome = Capture::kKept;
      return true;
    }
    ResultTable people = Query(kPlayer, "SELECT UserName FROM %s WHERE Kingdom=%Q ORDER BY IDNum",
                               TableName(kPlayer), defender.c_str());
    for (int r = 0; r < people.rows(); ++r) c.members.push_back(people.Text(r, 0));
    Exec(kPlayer, "UPDATE %s SET Kingdom=%Q WHERE Kingdom=%Q", TableName(kPlayer), own.c_str(),
         defender.c_str());
    for (int slot = kFirstSlot; slot <= kLastSlot; ++slot)
      Exec(kKingdom,
           "UPDATE %s SET DipName%d='',Dip%dWar=0,Dip%dPeace=0,Dip%dTrade=0 WHERE DipName%d=%Q",
           TableName(kKingdom), slot, slot, slot, slot, slot, defender.c_str());
    Exec(kKingdom, "DELETE FROM %s WHERE Name=%Q", TableName(kKingdom), defender.c_str());
    c.outcome = Capture::kDestroyed;
    return true;
  });
  return c;
}

void WinWar(const std::string& own, const std::string& defender) {
  const Capture c = Conquer(own, defender);
  if (c.outcome == Capture::kGone) {
    od_printf(
        "\n\n\r`bright red`The field is won, but Kingdom %s is no longer there to give up its "
        "land..",
        CleanText(defender).c_str());
    od_get_key(TRUE);
    return;
  }
  od_printf("\n\n\r`dark green`You captured `bright cyan`%s `dark green`acres of land!",
            Grouped(c.acres).c_str());
  if (c.outcome == Capture::kKept) {
    Mail(c.ruler_user, RedTitle("KINGDOM BATTLE"), own + " successfully invaded your kingdom!",
         std::to_string(c.acres) + " acres of land were captured!");
    od_printf("\n\n\r`bright green`Your army invasion of %s was led successfully! You now",
              CleanText(defender).c_str());
    od_printf("\n\rhave thee option of plundering the parts of the kingdom you now control..");
    od_printf(
        "\n\n\r`grey`PLUNDERING: This destroys a percentage of investments owned by the "
        "enemies\n\rcivilians..");
    od_printf("\r\n\n`dark green`Plunder Lands? %s", YesNoMarkup("dark green").c_str());
    std::string line = own + " successfully invaded " + defender;
    if (AnswerYes()) {
      Plunder(defender);
      line += " Plundering has ensued!";
    }
    AddNews(RedTitle("KINGDOM BATTLE").c_str(), line.c_str(), "");
    return;
  }

  const std::string me = player::CallerPlayerName();
  od_printf("\n\n\r`grey`Your forces have toppled %s's kingdom grip on the kingdom!",
            CleanText(c.ruler).c_str());
  od_printf("\n\rAll the citizens of their kingdom now fall under your rulership!!!");
  for (const std::string& member : c.members)
    Mail(member, "`bright cyan`KINGDOM RULER CHANGE!",
         "After a successful kingdom invasion, your old ruler was toppled!",
         "Your new kingdom home is: " + own + ", ruled by " + me);
  Mail(c.ruler_user, RedTitle("KINGDOM DESTROYED"),
       own + " DESTROYED your kingdom! You are no longer a ruler..", "");
  AddNews(RedTitle("KINGDOM BATTLE").c_str(),
          (own + " DESTROYED " + defender + " in a epic kingdom battle!").c_str(),
          ("All citizens of " + defender + " are now ruled by " + own).c_str());
  PressAnyKeyIn("dark red");
}

// ---- The invasion ----

bool SpendInvasionDeed(const std::string& own) {
  bool spent = false;
  db::RunWriteUnit([&] {
    ResultTable me = player::CallerRow("EvilDeeds");
    ResultTable army = Query(kKingdom, "SELECT Soldiers FROM %s WHERE Name=%Q AND RulerUserName=%Q",
                             TableName(kKingdom), own.c_str(), player::CallerUserName());
    if (me.empty() || army.empty() || me.Int(0, 0) < 1 || army.Int(0, 0) < kLeastArmy) return false;
    Exec(kPlayer, "UPDATE %s SET EvilDeeds=EvilDeeds-1 WHERE UserName=%Q", TableName(kPlayer),
         player::CallerUserName());
    spent = true;
    return true;
  });
  return spent;
}

void Invade(const std::string& own, const std::string& defender) {
  if (player::CallerInt("EvilDeeds") < 1)
    return Refuse("\n\n\r`dark red`You don't have enough evil deeds left today!");
  const long long soldiers =
      Query(kKingdom, "SELECT Soldiers FROM %s WHERE RulerUserName=%Q AND Name=%Q",
            TableName(kKingdom), player::CallerUserName(), own.c_str())
          .Int(0, 0);
  if (soldiers < kLeastArmy)
    return Refuse("\n\n\r`bright red`You will need at least 200 soldiers to lead an attack!");
  if (!SpendInvasionDeed(own)) return;
  SeedRandom();
  Totals totals;
  switch (
      FightBattle(Side{false, own, player::CallerUserName()}, Side{false, defender, ""}, &totals)) {
    case BattleEnd::kAttackerGone:
      return Refuse(
          "\n\n\r`bright red`You no longer rule your kingdom; your army turns for home and the "
          "war is over..");
    case BattleEnd::kDefenderGone:
      od_printf("\n\n\r`bright red`Kingdom %s is no longer there to fight; the war is over..",
                CleanText(defender).c_str());
      od_get_key(TRUE);
      return;
    case BattleEnd::kFought:
      break;
  }
  if (OwnThrone().name != own)
    return Refuse(
        "\n\n\r`bright red`You no longer rule your kingdom; your army turns for home and the "
        "war is over..");
  if (WarWon(totals.own_lost.count[kSoldiers], totals.enemy_lost.count[kSoldiers]))
    WinWar(own, defender);
  else
    LoseWar(own, defender);
}

}  // namespace

void WarRoom() {
  const KingdomRef own = OwnThrone();
  if (own.slot == 0) return;
  WarRoomScreen(own.name);
  const int slot = ChooseSlot([&] { WarRoomScreen(own.name); });
  if (slot == 0) return;
  const KingdomRef target = KingdomInSlot(slot);
  if (target.slot == 0 || !RelationOf(own.name, slot, target.name).war)
    return Refuse("\n\n\r`bright red`You need to declare war first!");
  if (target.name == own.name) return;
  od_printf("\r\n\n`dark green`Attack `bright green`%s `dark green`%s",
            CleanText(target.name).c_str(), YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  if (OwnThrone().name != own.name) return TellSeatLost();
  Invade(own.name, target.name);
}

}  // namespace trv::kingdom
