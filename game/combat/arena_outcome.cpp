// The ends of an arena fight: the crowd, the verdict, the spoils, the
// mutilation, the bounties; the title's change of hands; defeat.
#include <stdlib.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/combat/arena.h"
#include "game/combat/arena_fight.h"
#include "game/combat/shop_parts.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/money/saturating.h"
#include "game/player/caller.h"
#include "game/player/character.h"
#include "game/player/gold.h"
#include "game/player/high_lord.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

using Purenum::Integer;

const char* Players() { return db::TableName(db::kPlayer); }
const char* Me() { return player::CallerUserName(); }
std::string MyName() { return CleanText(player::CallerPlayerName()); }

// Mail to a character's user; nobody when the name is empty.
void Tell(const std::string& user, const char* title, const std::string& line1,
          const std::string& line2) {
  if (!user.empty()) AddPersonal(user.c_str(), title, line1.c_str(), line2.c_str());
}

void ShowSpoils(const Spoils& spoils) {
  od_printf("\n\n\r`dark green`You collect $`bright white`%s `dark green`gold for the victory!",
            Grouped(spoils.gold).c_str());
  od_printf("`dark green`\n\n\rExperience Increase of: `bright white`%s`dark green`!",
            Grouped(spoils.experience).c_str());
  od_printf("`yellow`\n\n\rYou gain 5 HIGH Experience!");
}

bool MutilationsAllowed() {
  return std::string(
             db::Query(db::kConfig, "SELECT Mutilations FROM %s", db::TableName(db::kConfig))
                 .Text(0, 0)) == "1";
}

void Mutilate(const Bout& bout, const std::string& victim_user, const std::string& victim) {
  od_printf("\n\n\r`grey`Do you wish to mutilate the corpse (`yellow`y`grey`/`yellow`N`grey`)? ");
  if (!AnswerYes()) return;
  Mutilation lost;
  const bool done = db::RunWriteUnit([&] {
    const db::ResultTable row = db::Query(
        db::kPlayer,
        "SELECT MaxHP,Strength,Defense,Mental,MaxMagicPower,Leadership FROM %s WHERE IDNum=%Q",
        Players(), bout.opponent.id.c_str());
    if (row.empty() || player::CallerRow("IDNum").empty()) return false;
    lost = MutilationOf(
        {row.Int(0, 0), row.Int(0, 1), row.Int(0, 2), row.Int(0, 3), row.Int(0, 4), row.Int(0, 5)});
    db::Exec(db::kPlayer,
             "UPDATE %s SET MaxHP=MaxHP-%lld,Strength=Strength-%lld,Defense=Defense-%lld,"
             "Mental=Mental-%lld,MaxMagicPower=MaxMagicPower-%lld,Leadership=Leadership-%lld "
             "WHERE IDNum=%Q",
             Players(), lost.max_hp, lost.strength, lost.defense, lost.mental, lost.max_magic,
             lost.leadership, bout.opponent.id.c_str());
    db::Exec(db::kPlayer, "UPDATE %s SET Divine=Divine-15 WHERE UserName=%Q", Players(), Me());
    return true;
  });
  if (!done) return;
  od_printf("\n\n\r`bright green`You chop the body into a bloody pulpy mess..");
  od_printf("\n\n\r`bright white`Mutalation caused %s to lose the following stats:",
            victim.c_str());
  // The alley's assassination lists its losses in the same lines.
  od_printf("\n\n\r   `bright blue`%lld leadership pts", lost.leadership);
  od_printf("\n\r   `bright blue`%lld strength pts", lost.strength);
  od_printf("\n\r   `bright blue`%lld defense pts", lost.defense);
  od_printf("\n\r   `bright blue`%lld mental pts", lost.mental);
  od_printf("\n\r   `bright blue`%lld max hitpoints", lost.max_hp);
  od_printf("\n\r   `bright blue`%lld magic points", lost.max_magic);
  od_printf("\n\n\r`dark red`%s For this bloody act, your divine favor drops by 15..", kShades);
  const std::string me = MyName();
  AddNews("`dark red`\260\261\262 ARENA MUTILATION \262\261\260`grey`",
          (me + " mutilates the body of " + victim).c_str(),
          "Who will teach this aggressor a lesson?");
  Tell(victim_user, "`bright red`\260\261\262 MUTILATED \262\261\260 `grey`",
       "After losing your life in the arena, " + me +
           " sliced and diced your body into little pieces!",
       "Sadly, you lost some ability points..");
}

void ShowBounties(const Spoils& spoils, const std::string& wanted) {
  if (spoils.bounties.paid.empty()) return;
  od_printf("\n\n\r`bright yellow`%s Bounties Collected! %s\n\n\r", kShades, kShadesBack);
  const std::string me = MyName();
  bool first = true;
  for (const player::Bounty& poster : spoils.bounties.paid) {
    const std::string amount = Grouped(poster.amount);
    od_printf("%s`bright red`You collected $`bright white`%s", first ? "" : "\n\r", amount.c_str());
    first = false;
    // The poster keeps the setter's character name; his mail goes to his user.
    Tell(player::UserNameOf(poster.set_by), "`bright cyan`BOUNTY COLLECTED",
         me + " collected the $" + amount + " reward..", "From your bounty on " + wanted + "!");
  }
}

// Defeat in a plain or a title fight: the same but for what is told.
void Defeat(const Bout& bout) {
  const Spoils spoils = SettleLoss(bout.opponent.id);
  if (!spoils.settled) return;
  const std::string me = MyName();
  const std::string victor = CleanText(spoils.opponent_name);
  const std::string collected =
      "You collected $" + Grouped(spoils.gold) + " from the fight. And 10% of their experience!";
  if (bout.high_lord) {
    Tell(spoils.opponent_user, "`bright red`\260\261\262 HIGH LORD WIN \262\261\260 `bright cyan`",
         me + " challenged you for your Tarvessia High Lord title!", collected);
    AddNews("`bright cyan`\260\261\262 TARVESSIA HIGH LORD COMBAT \262\261\260 ",
            (me + " was defeated in combat by " + victor).c_str(),
            "They were unable to usurp the much coveted title..");
  } else {
    Tell(spoils.opponent_user, "`bright red`\260\261\262 ARENA WIN \262\261\260 `bright cyan`",
         me + " fought against you in the arena and lost!", collected);
    AddNews("`bright cyan`\260\261\262 ARENA COMBAT \262\261\260 ",
            (me + " was defeated in combat by " + victor).c_str(), "");
  }
  od_printf("\n\n\r    `grey`%s YOU HAVE LOST %s", kShades, kShadesBack);
  od_printf("\n\n\r`bright yellow`You fall to the ground in a heap of blood");
  od_printf("\n\n\r`bright green`%s `dark green`points their weapon at your throat..",
            victor.c_str());
  od_printf("\n\rThe crowd will determine your fate..");
  if (CrowdHasPity(rand() % 13)) {
    od_printf("\n\n\r`bright white`The crowd decides to have pity on you..");
    od_printf("\n\n\r`bright green`You are carried out of the arena on a stretcher..");
  } else {
    od_printf("\n\n\r`bright white`The crowd boos you, and turns their thumbs down..");
    od_printf("\n\n\r`bright green`%s `dark green`takes a nearby axe, and chops off your head!",
              victor.c_str());
  }
  od_printf("\n\n\r`dark green`You have lost all gold on hand!");
  od_printf("`dark green`\n\n\rYou also lost 10%% of your experience!");
  PressAnyKey();
}

// Inside a settlement's unit: the opponent's UserName, PlayerName, Gold
// and Experience and the caller's `mine`; false when either is gone.
bool ReadSides(const std::string& opponent_id, const char* mine, Spoils* spoils,
               db::ResultTable* them, db::ResultTable* me) {
  *spoils = Spoils{};
  *them =
      db::Query(db::kPlayer, "SELECT UserName,PlayerName,Gold,Experience FROM %s WHERE IDNum=%Q",
                Players(), opponent_id.c_str());
  *me = player::CallerRow(mine);
  if (them->empty() || me->empty()) return false;
  spoils->opponent_user = them->Text(0, 0);
  spoils->opponent_name = them->Text(0, 1);
  return true;
}

}  // namespace

Spoils SettleWin(const std::string& opponent_id, const Judgement* judgement, bool bounties) {
  Spoils spoils;
  db::RunWriteUnit([&] {
    db::ResultTable them, me;
    if (!ReadSides(opponent_id, "Experience,Divine", &spoils, &them, &me)) return false;
    // What the loser holds now, not when the fight began; a debt stays.
    const Integer held = player::Amount(them.Text(0, 2));
    if (held > 0) {
      db::Exec(db::kPlayer, "UPDATE %s SET Gold='0' WHERE IDNum=%Q", Players(),
               opponent_id.c_str());
      if (!player::AddGold(Me(), held)) return false;
      spoils.gold = held;
    }
    spoils.experience = ArenaExperience(them.Int(0, 3));
    db::Exec(db::kPlayer,
             "UPDATE %s SET Experience=%lld,PlayerDefeats=PlayerDefeats+1 WHERE IDNum=%Q",
             Players(), SaturatingSub(them.Int(0, 3), spoils.experience), opponent_id.c_str());
    db::Exec(db::kPlayer,
             "UPDATE %s SET Experience=%lld,ProfExp=ProfExp+5,"
             "PlayerKills=PlayerKills+1 WHERE UserName=%Q",
             Players(), SaturatingAdd(me.Int(0, 0), spoils.experience), Me());
    if (judgement) {
      spoils.verdict = VerdictOf(judgement->executed, judgement->thumbs_up, me.Int(0, 1));
      db::Exec(db::kPlayer,
               "UPDATE %s SET Divine=%lld,Leadership=Leadership+(%lld) WHERE UserName=%Q",
               Players(), SaturatingSub(me.Int(0, 1), spoils.verdict.divine_loss),
               spoils.verdict.leadership, Me());
    }
    if (bounties) spoils.bounties = player::CollectBounties(spoils.opponent_name, Me());
    spoils.settled = true;
    return true;
  });
  return spoils;
}

Spoils SettleLoss(const std::string& opponent_id) {
  Spoils spoils;
  db::RunWriteUnit([&] {
    db::ResultTable them, me;
    if (!ReadSides(opponent_id, "Gold,Experience,HP", &spoils, &them, &me)) return false;
    const Integer held = player::Amount(me.Text(0, 0));
    if (held > 0) {
      player::WritePurse(Me(), player::Purse::kOnHand, 0);
      db::Exec(db::kPlayer, "UPDATE %s SET Gold=%Q WHERE IDNum=%Q", Players(),
               (player::Amount(them.Text(0, 2)) + held).str().c_str(), opponent_id.c_str());
      spoils.gold = held;
    }
    spoils.experience = ArenaExperience(me.Int(0, 1));
    db::Exec(db::kPlayer,
             "UPDATE %s SET Experience=%lld,"
             "PlayerDefeats=PlayerDefeats+1 WHERE UserName=%Q",
             Players(), SaturatingSub(me.Int(0, 1), spoils.experience), Me());
    db::Exec(db::kPlayer,
             "UPDATE %s SET Experience=%lld,PlayerKills=PlayerKills+1,ProfExp=ProfExp+5 WHERE "
             "IDNum=%Q",
             Players(), SaturatingAdd(them.Int(0, 3), spoils.experience), opponent_id.c_str());
    // Nobody stays dead from the arena, not even a caller whose line drops
    // at the defeat's last key.
    if (me.Int(0, 2) < 1)
      db::Exec(db::kPlayer, "UPDATE %s SET HP=MaxHP,MagicPower=MaxMagicPower WHERE UserName=%Q",
               Players(), Me());
    spoils.settled = true;
    return true;
  });
  return spoils;
}

void ArenaVictory(Bout& bout) {
  const std::string loser = CleanText(bout.opponent.name);
  const char* name = loser.c_str();
  od_printf("\n\n\r`bright yellow`%s `bright cyan`VICTORY! `bright yellow`%s\n\r", kShades,
            kShadesBack);
  od_printf("\n\n\r`bright magenta`%s THE CROWD CHEERS AND THROWS FLOWERS AT YOUR FEET %s", kShades,
            kShadesBack);
  od_printf("\n\n\r`bright green`%s falls before you..You look towards the crowd..", name);
  const bool thumbs_up = CrowdThumbsUp(rand() % 13);
  if (thumbs_up) {
    od_printf("\n\n\r`bright green`The crowd turns their thumbs up, and ask you have pity on %s",
              name);
  } else {
    od_printf(
        "\n\n\r`dark green`The crowd dispises %s and turns their `bright red`thumbs "
        "down`dark green`..",
        name);
  }
  od_printf("\n\n\r`bright white`%s looks up at you, their eyes filled with fright..", name);
  od_printf(
      "\r\n\n`dark green`Do you allow `bright green`%s `dark green`to live (`bright "
      "yellow`y`dark green`/`bright yellow`N`dark green`)?",
      name);
  const Judgement judgement{!AnswerYes(), thumbs_up};
  const Spoils spoils = SettleWin(bout.opponent.id, &judgement, true);
  if (!spoils.settled) return;  // a side was deleted meanwhile
  if (judgement.executed) {
    od_printf("\n\n\r`dark red`You take thee executioners axe, and chop off %s's head!", name);
    od_printf("\n\r`bright red`Divine favor drops by 2%%");
    if (spoils.verdict.leadership < 0)
      od_printf("\n\n\r`grey`You lose 2pts of leadership for letting the crowd down!");
  } else {
    od_printf("\n\n\r`dark yellow`You decide to allow %s to live..As they are carried out they",
              name);
    od_printf("\n\rthreaten to get even!");
    if (spoils.verdict.leadership > 0)
      od_printf("\n\n\r`grey`You gain 1pt of leadership for showing compassion..");
  }
  ShowSpoils(spoils);
  const std::string me = MyName();
  const std::string victim = CleanText(spoils.opponent_name);
  AddNews("`bright cyan`\260\261\262 ARENA COMBAT \262\261\260",
          (me + " was victorous in combat against " + victim).c_str(), "");
  Tell(spoils.opponent_user, "`bright red`\260\261\262 ARENA LOSS \262\261\260 `bright cyan`",
       me + " defeated you in the arena today..",
       "You lost all gold on hand and 10% of your experience!");
  if (judgement.executed && MutilationsAllowed()) Mutilate(bout, spoils.opponent_user, victim);
  ShowBounties(spoils, victim);
  PressAnyKey();
}

void ArenaDefeat(Bout& bout) { Defeat(bout); }
void HighLordDefeat(Bout& bout) { Defeat(bout); }

void HighLordVictory(Bout& bout) {
  const player::Crowning crowning = player::WriteHighLord(bout.opponent_user);
  if (crowning != player::Crowning::kCrowned) {
    // Nobody is crowned: the fight counts as a plain arena win.
    if (crowning == player::Crowning::kBusy) {
      od_printf("\n\n\r`bright red`The High Lord's hall is busy; no crown is passed today..");
    } else {
      od_printf("\n\n\r`bright red`The title changed hands before your victory was proclaimed..");
    }
    return ArenaVictory(bout);
  }
  const Spoils spoils = SettleWin(bout.opponent.id, nullptr, false);
  const std::string me = MyName();
  const std::string holder = CleanText(bout.opponent.name);
  od_printf("\n\n\r`bright yellow`%s `bright cyan`NEW TARVESSIA HIGH LORD! `bright yellow`%s",
            kShades, kShadesBack);
  od_printf("\n\n\r`bright green`You have usurped the title of Tarvessia High Lord from %s,",
            holder.c_str());
  od_printf("\n\ryou now will earn $500,000 a day and 20 high experience pts a day!");
  if (spoils.settled) ShowSpoils(spoils);
  AddNews("`bright cyan`\260\261\262 NEW TARVESSIA HIGH LORD \262\261\260",
          (me + " defeated " + holder + " and was crowned the new High Lord..").c_str(), "");
  Tell(bout.opponent_user, "`bright red`\260\261\262 HIGH LORD LOSS \262\261\260 `bright cyan`",
       me + " defeated you and stole your High Lord title!",
       "You lost all gold on hand and 10% of your experience!");
  PressAnyKey();
}

}  // namespace trv::combat
