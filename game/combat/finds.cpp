// What else waits outside: the random finds of a search (the kidnapping
// among them) and the demon another player conjured.
#include <stdlib.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/combat/hunt.h"
#include "game/combat/shop_parts.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

const char* Players() { return db::TableName(db::kPlayer); }
const char* Me() { return player::CallerUserName(); }

void FindBanner(const char* title, const char* text) {
  od_printf("`bright red`%s `bright cyan`%s `bright red`%s", kShades, title, kShadesBack);
  od_printf("`bright white`\n\n\r%s", text);
}

// One more of an investment kept as text (HouseTrade, WaterTower).
void AddOneOf(const char* column) {
  db::RunWriteUnit([&] {
    const db::ResultTable row = player::CallerRow(column);
    if (row.empty()) return false;
    db::Exec(db::kPlayer, "UPDATE %s SET %s=%Q WHERE UserName=%Q", Players(), column,
             (player::Amount(row.Text(0, 0)) + 1).str().c_str(), Me());
    return true;
  });
}

FighterStats CallerStats() {
  const db::ResultTable row = player::CallerRow("MaxHP,Strength,Defense,MaxMagicPower");
  return {row.Int(0, 0), row.Int(0, 1), row.Int(0, 2), row.Int(0, 3)};
}

void Kidnapping() {
  od_printf("`bright red`*** KIDNAPPING EVENT ***");
  od_printf("`bright white`\n\n\rDuring your travels, you hear a rustling nearby..");
  WaitKey();
  od_printf("\n\n\rYou peer through the bushes and see that some orcs are trying to");
  od_printf("\n\rkidnap a little girl!");
  od_printf("\n\n\r`dark green`Do you risk your life and try to save her life (y/n)? ");
  if (od_get_answer("YN") != 'Y') return;
  const FightOutcome outcome = ScriptedFight(KidnappersFor(CallerStats())).outcome;
  od_clr_scr();
  // Only a won fight frees her: running from the orcs leaves her to them.
  if (outcome != FightOutcome::kWon) {
    od_printf("\n\n\r`grey`Sadly, you were unable to save the little girl!");
    od_printf("\n\n\r`grey`She was drug off and killed..");
  } else {
    od_printf("\n\n\r`bright yellow`You untie the little girl and let her know she is safe!");
    od_printf("\n\n\r`bright yellow`She gives you a kiss!!!");
    od_printf("\n\n\r`bright red`Your charm goes up by 2!");
    db::Exec(db::kPlayer, "UPDATE %s SET Charm=Charm+2 WHERE UserName=%Q", Players(), Me());
  }
  WaitKey();
}

// Mail to whoever conjured the demon, while that character still exists.
void TellConjurer(const std::string& sender, const char* title, const std::string& line) {
  if (sender.empty()) return;
  const bool exists =
      !db::Query(db::kPlayer, "SELECT IDNum FROM %s WHERE UserName=%Q", Players(), sender.c_str())
           .empty();
  if (exists) AddPersonal(sender.c_str(), title, line.c_str(), "");
}

}  // namespace

void RandomFind() {
  od_clr_scr();
  switch (rand() % 6) {
    case 0:
      FindBanner("FOUND HOUSE DEED", "You find a house deed off a dead businessman");
      AddOneOf("HouseTrade");
      break;
    case 1:
      FindBanner("FOUND WATER SILO DEED",
                 "You find a water silo deed just sitting on the ground..");
      AddOneOf("WaterTower");
      break;
    case 2:
      FindBanner("GOLD FIND!", "You find $50,000 just sitting next to a tree..");
      player::AddGold(Me(), 50000);
      break;
    case 3:
      FindBanner("EXTRA MONSTER FIGHT", "For being in good spirits, you gain 1 monster fight..");
      db::Exec(db::kPlayer, "UPDATE %s SET MonsterFights=MonsterFights+1 WHERE UserName=%Q",
               Players(), Me());
      break;
    case 4:
      FindBanner("EXTRA ARENA FIGHT", "You are in fine shape, you gain 1 player fight..");
      db::Exec(db::kPlayer, "UPDATE %s SET PlayerFights=PlayerFights+1 WHERE UserName=%Q",
               Players(), Me());
      break;
    default:
      Kidnapping();
      break;
  }
}

void SummonedDemon() {
  // The row is taken before the fight: a death that ends the door, or a
  // second session of the same caller, cannot leave it to be fought again.
  // Only this demon's row goes; another conjurer's waits for the next trip.
  std::string sender;
  bool summoned = false;
  db::RunWriteUnit([&] {
    const db::ResultTable row = db::Query(
        db::kDemon, "SELECT IDNum,SentByUserName FROM %s WHERE UserName=%Q ORDER BY IDNum",
        db::TableName(db::kDemon), Me());
    if (row.empty()) return false;
    summoned = true;
    sender = row.Text(0, 1);
    db::Exec(db::kDemon, "DELETE FROM %s WHERE IDNum=%lld", db::TableName(db::kDemon),
             row.Int(0, 0));
    return true;
  });
  if (!summoned) return;
  const FighterStats victim = CallerStats();
  od_clr_scr();
  od_printf("\n\r`bright red`%s A DEMON HAS BEEN SUMMONED %s", kShades, kShadesBack);
  od_printf("\n\n\r`bright white`Somebody has ordered the wizard Magu Sai to conjured up");
  od_printf("\n\r`bright white`a demon to attack you!");
  od_printf("\n\n\r`bright yellow`Defeat the demon!!");
  WaitKey();
  const FightOutcome outcome = ScriptedFight(DemonFor(victim)).outcome;
  const std::string name = CleanText(player::CallerPlayerName());
  switch (outcome) {
    case FightOutcome::kDied:
      od_clr_scr();
      od_printf("\n\n\r`bright red`The summoned demon has defeated you!");
      od_printf("\n\n\r`bright red`You curse Magu Sai and the person who summoned the demon!");
      AddNews(
          ("`bright cyan`" + ShadeTitle("KILLED BY DEMON")).c_str(),
          ("Fellow realm inhabitant " + name + " attacked and killed by a summoned demon!").c_str(),
          "Who would conjure such a creature??");
      TellConjurer(sender, ("`bright cyan`" + ShadeTitle("CONJURED DEMON SUCCESS")).c_str(),
                   name + " was killed by your summoned demon!");
      break;
    case FightOutcome::kWon:
      od_printf("\n\n\r`bright green`Congratulations on defeating the conjured demon!");
      od_printf("\n\n\r`bright green`You wonder to yourself who conjured this guy on you..");
      TellConjurer(sender, ("`bright cyan`" + ShadeTitle("CONJURED DEMON KILLED")).c_str(),
                   name + " defeated your summoned demon..");
      break;
    case FightOutcome::kLeft:
      // Grown tired of the fight: the demon was not beaten, and its
      // conjurer hears that it lives.
      od_printf(
          "\n\n\r`bright yellow`The demon howls after you as you stagger away, still alive..");
      od_printf("\n\n\r`bright yellow`With nobody left to fight, it fades back into the mists.");
      TellConjurer(sender, ("`bright cyan`" + ShadeTitle("CONJURED DEMON SURVIVED")).c_str(),
                   name + " escaped your summoned demon, which lives on..");
      break;
  }
  WaitKey();
}

}  // namespace trv::combat
