// The arena's door and the High Lord's challenge: who may be fought, the
// door guards of an inn patron, the fight's set-up and the health the
// arena gives back.
#include "game/combat/arena.h"

#include <limits.h>

#include <algorithm>
#include <string>

#include "doorkit/doorkit.h"
#include "game/combat/arena_fight.h"
#include "game/combat/fight.h"
#include "game/combat/shop_parts.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/player/high_lord.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

const char* Players() { return db::TableName(db::kPlayer); }

constexpr int kListPage = 10;

// A refusal that ends the visit: its message and a key.
void Refuse(const char* message) {
  od_printf("%s", message);
  WaitKey();
}

void SayOutOfFights() {
  od_printf("`bright green`You are out of Arena fights for today..");
  od_printf("`grey`\n\n\r%s Press Any Key %s", kShades, kShadesBack);
  WaitKey();
}

bool OutOfFights() {
  if (player::CallerInt("PlayerFights") >= 1) return false;
  SayOutOfFights();
  return true;
}

// The day's fight is spent as the fight begins, in one unit that checks it
// again: a user on two nodes cannot fight more than his allowance, and a
// line dropped in the middle of a losing fight does not give it back.
bool TakeFight() {
  const bool taken = db::RunWriteUnit([] {
    const db::ResultTable row = player::CallerRow("PlayerFights");
    if (row.empty() || row.Int(0, 0) < 1) return false;
    db::Exec(db::kPlayer, "UPDATE %s SET PlayerFights=%lld WHERE UserName=%Q", Players(),
             row.Int(0, 0) - 1, player::CallerUserName());
    return true;
  });
  if (!taken) {
    od_printf("\n\n\r");
    SayOutOfFights();
  }
  return taken;
}

void ShowRules() {
  od_printf("\n\n\r`bright green`Upon entering the massive arena, you sign a wavier incase your");
  od_printf("\n\rdeath occurs. The gates close behind you and the crowd roars as the");
  od_printf("\n\rmaster of the games reads the rules: each challenger fights with the");
  od_printf("\n\rarms and armour they wear, and is given 150 healing potions for this");
  od_printf("\n\rbout alone. The loser forfeits all gold on hand and a tenth of their");
  od_printf("\n\rexperience, the crowd decides the fate of the fallen, and every");
  od_printf("\n\rbounty posted on the loser's head is paid to the");
  od_printf("\n\rvictor!");
}

void ListOpponents() {
  const db::ResultTable rows =
      db::Query(db::kPlayer,
                "SELECT IDNum,Gender,PlayerName,Level,WhereInGame,Inn FROM %s WHERE UserName<>%Q "
                "ORDER BY Level Desc",
                Players(), player::CallerUserName());
  od_printf(
      "\n\n\r`bright yellow` ID      Player               Level       Where Are They?      "
      "Staying at Inn?\n\r");
  ListPaged(static_cast<size_t>(rows.rows()),
            {kListPage, "\n\n\r`bright green`Continue (y/n)? ", 'N', [] { od_printf("\n\r"); }},
            [&](size_t i) {
              const int r = static_cast<int>(i);
              const std::string where = CleanText(rows.Text(r, 4));
              od_printf(
                  "`grey`%4s  %s  `bright white`%-21s`bright yellow`%-12s`bright "
                  "green`%-21s`bright cyan`%s\n\r",
                  rows.Text(r, 0),
                  std::string(rows.Text(r, 1)) == "Female" ? "`bright magenta`F" : "`bright cyan`M",
                  CleanText(rows.Text(r, 2)).c_str(), Grouped(rows.Int(r, 3)).c_str(),
                  where.empty() ? "Offline" : where.c_str(), *rows.Text(r, 5) ? "Yes" : "No");
              return true;
            });
}

// The inn patron's door guards, fought first. True when none stand.
bool PassDoorGuards(const db::ResultTable& them) {
  const std::string id = them.Text(0, "IDNum");
  const std::string user = them.Text(0, "UserName");
  const std::string name = CleanText(them.Text(0, "PlayerName"));
  const long long standing = them.Int(0, "BodyGuards");
  const db::ResultTable me = player::CallerRow("MaxHP,Strength,Defense,MaxMagicPower");
  const std::optional<DoorGuards> guards = DoorGuardsFor(
      them.Text(0, "Inn"), {me.Int(0, 0), me.Int(0, 1), me.Int(0, 2), me.Int(0, 3)}, standing);
  if (*them.Text(0, "Inn") == '\0' || standing <= 0 || !guards) return true;
  od_printf("\n\n\r`grey`%s Inn Patron %s", kShades, kShadesBack);
  od_printf("\n\n\r`yellow`Before attacking %s, you must first defeat", name.c_str());
  od_printf("\n\rany door guard's they may have protecting them..");
  od_printf("\n\n\r`dark green`Door Guard: `dark red`%s", guards->kind);
  od_printf("\n\r     `grey`# Standing Guard: `bright yellow`%s", Grouped(standing).c_str());
  od_printf(
      "\r\n\n`bright magenta`Challenge Bodyguard(s) `dark green`(`bright yellow`y`dark "
      "green`/`bright yellow`N`dark green`)?");
  if (!AnswerYes()) return false;
  const Opponents& o = guards->opponents;
  LoadNPCS(id.c_str(), o.name.c_str(), o.hit_points.c_str(), o.attack.c_str(), o.defence.c_str(),
           o.magic.c_str(), o.poison.c_str(),
           static_cast<int>(std::min<long long>(o.count, INT_MAX)), o.gold.c_str(),
           o.experience.c_str());
  const std::string me_name = CleanText(player::CallerPlayerName());
  const char* title =
      "`bright yellow`\260\261\262 DOOR GUARD PROTECTION \262\261\260 `bright green`";
  const db::ResultTable after =
      db::Query(db::kPlayer, "SELECT BodyGuards FROM %s WHERE IDNum=%Q", Players(), id.c_str());
  if (after.empty()) return false;  // the patron is gone
  if (after.Int(0, 0) > 0) {
    od_printf("\n\n\r`bright red`You failed to get past %s's door guards!", name.c_str());
    AddPersonal(user.c_str(), title,
                (me_name + " could not get past your door guard protection!").c_str(), "");
    WaitKey();
    return false;
  }
  AddPersonal(user.c_str(), title, (me_name + " defeated your door guard protection!").c_str(), "");
  return true;
}

// A bout against the row, at its full health and magic.
Bout BoutAgainst(const db::ResultTable& them, bool high_lord) {
  Bout bout;
  bout.opponent.id = them.Text(0, "IDNum");
  bout.opponent.name = them.Text(0, "PlayerName");
  bout.opponent.hp = them.Int(0, "MaxHP");
  bout.opponent.magic_points = them.Int(0, "MaxMagicPower");
  bout.opponent_user = them.Text(0, "UserName");
  bout.high_lord = high_lord;
  return bout;
}

// Nobody stays dead from the arena.
void RestoreHealth() {
  if (player::CallerRow("HP").empty() || player::CallerInt("HP") >= 1) return;
  db::Exec(db::kPlayer, "UPDATE %s SET HP=MaxHP,MagicPower=MaxMagicPower WHERE UserName=%Q",
           Players(), player::CallerUserName());
}

constexpr char kOpponentColumns[] =
    "IDNum,UserName,PlayerName,Level,Inn,BodyGuards,Status,HP,MaxHP,MaxMagicPower";

void HallBusy() {
  Refuse("\n\n\r`bright red`The High Lord's hall is busy, try again in a moment..");
}

// The vacant title, claimed without a fight. False when another node
// claimed it first (the caller then faces the new holder).
bool ClaimVacantTitle() {
  const player::Crowning crowning = player::WriteHighLord("");
  if (crowning == player::Crowning::kTitleMoved) return false;
  if (crowning == player::Crowning::kBusy) {
    HallBusy();
    return true;
  }
  od_printf("\n\n\r`bright green`%s CONGRATULATIONS!! %s", kShades, kShadesBack);
  od_printf("\n\n\r`bright red`You are now the Tarvessia High Lord, as you");
  od_printf("\n\rwere the first to challenge for it! You will be rewarded");
  od_printf("\n\r$500,000 each night and receive 20 high experience pts a night!");
  od_printf("\n\n\r`grey`Though, don't get too comfortable, somebody will most");
  od_printf("\n\rlikely challenge you very soon for this glorious title!");
  PressAnyKey();
  AddNews(
      "`bright cyan`\260\261\262 NEW TARVESSIA HIGH LORD \262\261\260",
      (CleanText(player::CallerPlayerName()) + " was crowned the new Tarvessia High Lord!").c_str(),
      "They claimed the empty title..");
  return true;
}

}  // namespace

void EnterArena() {
  od_clr_scr();
  if (OutOfFights()) return;
  ShowRules();
  ListOpponents();
  od_printf("\n\n\r`bright green`Enter Player ID# <`bright yellow`Enter to Exit`bright green`>: ");
  const int id = ReadTypedNumber(4);
  if (id < 0) return;
  if (id == player::CallerInt("IDNum"))
    return Refuse("\n\r`bright red`You cannot challenge yourself!");
  const db::ResultTable them =
      db::Query(db::kPlayer, "SELECT %s FROM %s WHERE IDNum=%d", kOpponentColumns, Players(), id);
  if (them.empty()) return Refuse("\n\r`bright red`That player was not found!");
  if (them.Int(0, "Status") != 0)
    return Refuse("\n\r`bright red`That player is busy elsewhere in the realm..");
  if (them.Int(0, "HP") <= 0)
    return Refuse("\n\r`bright red`That player is dead and cannot fight in the arena..");
  const std::string name = CleanText(them.Text(0, "PlayerName"));
  if (!AskYesNo("\r\n\n`dark green`Challenge `bright green`" + name + " ", "dark green")) return;
  if (!InLeague(player::CallerInt("Level"), them.Int(0, "Level"))) {
    od_printf(
        "\n\n\r`bright yellow`%s is not even in your same league, pick on somebody stronger..",
        name.c_str());
    WaitKey();
    return;
  }
  if (!PassDoorGuards(them) || !TakeFight()) return;

  Bout bout = BoutAgainst(them, false);
  od_printf("\n\n\r`bright red`Both arena challengers receive 150 potions!");
  od_printf("\n\n\r`bright yellow`%s BEGIN COMBAT! %s", kShades, kShadesBack);
  WaitKey();
  od_printf("\n\r`bright magenta`%s TO THOSE ABOUT TO DIE, WE SALUTE YOU! %s", kShades,
            kShadesBack);
  ArenaFight(bout);
  RestoreHealth();
}

void ChallengeHighLord() {
  Check_For_Msgs();
  od_clr_scr();
  player::HighLordTitle title = player::ReadHighLordTitle();
  if (title.state == player::TitleState::kVacant) {
    if (ClaimVacantTitle()) return;
    title = player::ReadHighLordTitle();  // claimed first elsewhere: face the new holder
  }
  if (title.state != player::TitleState::kHeld) return HallBusy();
  if (OutOfFights()) return;
  if (title.holder.user_name == player::CallerUserName())
    return Refuse("\n\n\r`bright red`You are already the Tarvessia High Lord!");
  const db::ResultTable them =
      db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", kOpponentColumns, Players(),
                title.holder.user_name.c_str());
  if (them.empty()) return HallBusy();  // deleted since the record was read
  if (them.Int(0, "Status") == 1)
    return Refuse(
        "\n\n\r`bright red`Sorry that player is currently playing, and not available for "
        "challenges..");
  const std::string holder = CleanText(them.Text(0, "PlayerName"));
  od_printf("`dark blue`%s `bright cyan`TARVESSIA HIGH LORD `dark blue`%s", kShades, kShadesBack);
  od_printf("\n\n\r`bright green`So you think you are tough enough to challenge %s",
            holder.c_str());
  od_printf("\n\rand beat them? The rewards for being a HIGH LORD are impressive and well");
  od_printf("\n\rdeserved. You receive daily money, and high experience pts...");
  od_printf("\n\n\r`grey`If you are willing to continue, proceed..");
  od_printf(
      "\r\n\n`dark green`Challenge `bright green`%s `dark green`(`bright yellow`y`dark "
      "green`/`bright yellow`N`dark green`)?",
      holder.c_str());
  if (!AnswerYes() || !TakeFight()) return;
  Bout bout = BoutAgainst(them, true);
  od_printf("\n\r`bright magenta`%s CHALLENGING TARVESSIA HIGH LORD %s", kShades, kShadesBack);
  ArenaFight(bout);
  RestoreHealth();
}

}  // namespace trv::combat
