// The arena's fight screen: the blows of both sides, spells, potions and
// the fight to the death. Both rows are read afresh for every blow, since
// another node may change them meanwhile; the rand() draws come in the
// same order every time, so a seeded session repeats.
#include "game/combat/arena_fight.h"

#include <stdlib.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/combat/items.h"
#include "game/combat/shop_parts.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/money/saturating.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

const char* Players() { return db::TableName(db::kPlayer); }
const char* Me() { return player::CallerUserName(); }

// One side as a blow needs it.
struct Side {
  bool found = false;
  std::string name;  // cleaned for the screen
  Fighter fighter;
  long long poison_level = 0;
  long long max_hp = 0;
  bool healer = false;
  EquipmentStrength gear;
};

constexpr char kSideColumns[] =
    "PlayerName,Mental,Agility,Strength,Defense,PoisonLevel,MaxHP,Guild,FirstClass,SecondClass";

Side SideOf(const db::ResultTable& row) {
  Side side;
  side.found = !row.empty();
  side.name = CleanText(row.Text(0, 0));
  side.fighter = {row.Int(0, 1), row.Int(0, 2), row.Int(0, 3), row.Int(0, 4)};
  side.poison_level = row.Int(0, 5);
  side.max_hp = row.Int(0, 6);
  side.healer = IsHealer(row.Text(0, 7), row.Text(0, 8), row.Text(0, 9));
  return side;
}

Side Challenger() {
  Side side = SideOf(player::CallerRow(kSideColumns));
  if (side.found) side.gear = StrengthOf(Me());
  return side;
}

Side Opponent(const std::string& id) {
  Side side = SideOf(db::Query(db::kPlayer, "SELECT %s FROM %s WHERE IDNum=%Q", kSideColumns,
                               Players(), id.c_str()));
  if (side.found) side.gear = StrengthOfId(id);
  return side;
}

// The caller's hit points fall by `points` (one unit: the sum is written
// as a figure, so no edited row can overflow it).
void LoseHp(long long points) {
  db::RunWriteUnit([&] {
    const db::ResultTable row = player::CallerRow("HP");
    if (row.empty()) return false;
    db::Exec(db::kPlayer, "UPDATE %s SET HP=%lld WHERE UserName=%Q", Players(),
             SaturatingSub(row.Int(0, 0), points), Me());
    return true;
  });
}

// One blow: the hit test's draw, then on a hit the raw blow's draw.
struct Blow {
  bool hit = false;
  long long damage = 0;  // the blow itself, after armour
  PoisonedHit poison;
  long long total() const { return SaturatingAdd(damage, poison.poison_added); }
};

Blow Swing(const Side& striker, const Side& struck, bool defending, long long struck_poison) {
  Blow blow;
  const long long attack = AttackRating(striker.fighter);
  blow.hit = Hits(HitMargin(attack, DefenceRating(struck.fighter, defending)), rand() % 100);
  if (!blow.hit) return blow;
  const long long weapon = striker.gear.weapon_bonus;
  const long long raw = SaturatingAdd(rand() % BlowBound(striker.fighter.strength), weapon);
  blow.damage = BlowDamage(raw, weapon, struck.gear.armour_total);
  blow.poison = PoisonOnHit(striker.poison_level, struck_poison);
  return blow;
}

// "[Healthy!]", "[DYING!]" or "[Wounded]", and "[POISONED]".
std::string Condition(long long hp, long long max_hp, bool poisoned) {
  std::string tag = hp >= max_hp ? "`grey`[`bright green`Healthy!`grey`]"
                    : hp < 10    ? "`grey`[`dark red`DYING!`grey`]"
                                 : "`grey`[`dark red`Wounded`grey`]";
  if (poisoned) tag += "    `grey`[`dark red`POISONED`grey`]";
  return tag;
}

void ShowSide(const char* heading, const std::string& name, long long hp, long long max_hp,
              long long magic, long long max_magic, long long potions, long long poison) {
  od_printf("%s%s", heading, Condition(hp, max_hp, poison > 0).c_str());
  od_printf(
      "\n\r`bright white`%s  `dark green`Hit Points: `bright white`%s`dark green`/`bright "
      "white`%s  `dark green`Magic Points: `bright white`%s`dark green`/`bright white`%s  "
      "`dark green`Potions: `bright white`%lld",
      name.c_str(), Grouped(hp).c_str(), Grouped(max_hp).c_str(), Grouped(magic).c_str(),
      Grouped(max_magic).c_str(), potions);
}

// A menu line: "▒▓ [K]ey text".
void Option(const char* text) { od_printf("\n\r`bright red`%s `dark green`%s", kShades, text); }

class ArenaBout {
 public:
  explicit ArenaBout(Bout& bout) : b_(bout) {}

  void Fight();

 private:
  void ShowStatus();
  void ArenaStrike();
  void OpponentStrike(bool defending);
  void ArenaPotions();
  void OpponentPotions(const Side& opponent);
  void ArenaFightToDeath();
  void Beg();
  void OpponentFell() {
    b_.over = true;
    b_.high_lord ? HighLordVictory(b_) : ArenaVictory(b_);
  }
  void ChallengerFell() {
    b_.over = true;
    b_.high_lord ? HighLordDefeat(b_) : ArenaDefeat(b_);
  }
  // A row vanished (a deleted character, a reset world): nothing to decide.
  void Gone() { b_.over = true; }

  Bout& b_;
};

void ArenaBout::Fight() {
  for (;;) {
    Check_For_Msgs();
    const db::ResultTable me = player::CallerRow("HP,Magic1");
    if (b_.over || me.empty() || me.Int(0, 0) <= 0 || b_.opponent.hp <= 0) return;
    ShowStatus();
    if (b_.over) return;
    const bool spells = *me.Text(0, 1) != '\0';
    Option(
        "[`bright yellow`A`dark green`]ttack Opponent / [`bright yellow`F`dark green`]ight to "
        "Death");
    Option("[`bright yellow`D`dark green`]efend Blow / [`bright yellow`U`dark green`]se Potions");
    if (spells) Option("[`bright yellow`C`dark green`]ast Spell");
    Option("[`bright yellow`B`dark green`]eg for Mercy!");
    od_printf("\n\r`bright red`%s `bright green`Thy Choice: ", kShades);
    switch (od_get_answer(spells ? "AFDCU=B." : "AFDU=B.")) {
      case 'A':
        ArenaStrike();
        break;
      case 'C':
        if (CastInArena(b_.opponent)) {
          OpponentFell();
        } else {
          ArenaStrike();
        }
        break;
      case 'D':
        OpponentStrike(true);
        break;
      case 'U':
        ArenaPotions();
        break;
      case 'F':
        ArenaFightToDeath();
        continue;
      case 'B':
        Beg();
        return;
      case '.':
        WhoOnline();
        continue;
      case '=':
        BeginChat();
        continue;
      default:  // the line is gone
        return;
    }
    if (b_.over) return;
    WaitKey();
    od_clr_scr();
    od_printf("\n\r`bright red`%s COMBAT ROUND CONTINUES %s", kShades, kShadesBack);
  }
}

void ArenaBout::ShowStatus() {
  const db::ResultTable me = player::CallerRow("PlayerName,HP,MaxHP,MagicPower,MaxMagicPower");
  const db::ResultTable them =
      db::Query(db::kPlayer, "SELECT MaxHP,MaxMagicPower FROM %s WHERE IDNum=%Q", Players(),
                b_.opponent.id.c_str());
  if (me.empty() || them.empty()) return Gone();
  ShowSide("\n\r`bright green`Challenger: ", CleanText(me.Text(0, 0)), me.Int(0, 1), me.Int(0, 2),
           me.Int(0, 3), me.Int(0, 4), b_.challenger_potions, b_.challenger_poison);
  ShowSide("\n\n\r`bright cyan`Your Opponent: ", CleanText(b_.opponent.name), b_.opponent.hp,
           them.Int(0, 0), b_.opponent.magic_points, them.Int(0, 1), b_.opponent_potions,
           b_.opponent_poison);
  od_printf("\n\r");
}

void ArenaBout::ArenaStrike() {
  const Side me = Challenger();
  const Side them = Opponent(b_.opponent.id);
  if (!me.found || !them.found) return Gone();
  const Blow blow = Swing(me, them, false, b_.opponent_poison);
  if (!blow.hit) {
    od_printf("\n\n\r`bright white`You swing at %s and miss..", them.name.c_str());
    if (b_.opponent_poison > 0) {
      od_printf("\n\n\r`dark green`   >> Ailing from poison, %s suffers %lld pts of damage..",
                them.name.c_str(), b_.opponent_poison);
      b_.opponent.hp = SaturatingSub(b_.opponent.hp, b_.opponent_poison);
    }
  } else {
    od_printf("\n\n\r`bright red`%s HIT %s", kShades, kShadesBack);
    od_printf(
        "\n\r`bright green`You hit `bright yellow`%s `bright green`for `bright white`%s "
        "`bright green`pts of damage sending blood flying!",
        them.name.c_str(), Grouped(blow.damage).c_str());
    if (blow.poison.newly_poisoned)
      od_printf("\n\r`bright magenta`   **** YOU HAVE POISONED %s ***", them.name.c_str());
    if (blow.poison.poison_added > 0)
      od_printf("\n\r`dark green`   >> Poison effects take an additional %lld pts of damage..",
                blow.poison.poison_added);
    b_.opponent_poison = blow.poison.victim_poison;
    b_.opponent.hp = SaturatingSub(b_.opponent.hp, blow.total());
  }
  if (b_.opponent.hp <= 0) return OpponentFell();
  if (b_.opponent.hp < them.max_hp && b_.opponent_potions > 0) OpponentPotions(them);
  OpponentStrike(false);
}

void ArenaBout::OpponentStrike(bool defending) {
  if (defending) {
    od_printf("\n\n\r`bright cyan`%s YOU DEFEND %s", kShades, kShadesBack);
    od_printf("\n\r`bright green`You gain a bonus on defense and parry attacks..");
  }
  const Side me = Challenger();
  const Side them = Opponent(b_.opponent.id);
  if (!me.found || !them.found) return Gone();
  if (b_.opponent.magic_points > 0 && OpponentCasts(b_.opponent)) return ChallengerFell();
  const char* name = them.name.c_str();
  const Blow blow = Swing(them, me, defending, b_.challenger_poison);
  if (!blow.hit) {
    switch (rand() % 5) {
      case 0:
        od_printf(
            "\n\n\r`bright red`%s `bright yellow`%s `bright white`misses your head by "
            "inches! WHIFFF...",
            kShades, name);
        break;
      case 1:
        od_printf("\n\n\r`bright red`%s `bright white`You quickly dodge a blow!", kShades);
        break;
      case 2:
        od_printf(
            "\n\n\r`bright red`%s `bright white`You expertly parry `bright yellow`%s's "
            "`bright white`attack!",
            kShades, name);
        break;
      case 3:
        od_printf(
            "\n\n\r`bright red`%s `bright white`You easily move around `bright yellow`%s's "
            "`bright white`swing!",
            kShades, name);
        break;
      default:
        od_printf(
            "\n\n\r`bright red`%s `bright yellow`%s's `bright white`swing knocks you back "
            "with force!",
            kShades, name);
        break;
    }
    if (b_.challenger_poison > 0) {
      od_printf(
          "\n\n\r`dark green`   >> Your body suffers from poison, %lld pts of damage occurs..",
          b_.challenger_poison);
      LoseHp(b_.challenger_poison);
    }
  } else {
    od_printf("\n\n\n\r`bright red`%s HIT %s", kShades, kShadesBack);
    od_printf(
        "\n\r`bright yellow`%s `bright red`hits you for `bright white`%s `bright red`"
        "sending blood flying!",
        name, Grouped(blow.damage).c_str());
    if (blow.poison.newly_poisoned)
      od_printf("\n\r`bright magenta`   **** YOU HAVE BEEN POISONED ***");
    if (blow.poison.poison_added > 0)
      od_printf(
          "\n\r`dark green`   >> Poison effects take an additional %lld pts of damage "
          "from you..",
          blow.poison.poison_added);
    b_.challenger_poison = blow.poison.victim_poison;
    LoseHp(blow.total());
  }
  if (player::CallerInt("HP") <= 0) ChallengerFell();
}

void ArenaBout::ArenaPotions() {
  const db::ResultTable row = player::CallerRow("HP,MaxHP,Guild,FirstClass,SecondClass");
  if (row.Int(0, 0) >= row.Int(0, 1)) {
    od_printf("\n\n\r`bright yellow`You are already at max health..");
    return;
  }
  if (b_.challenger_potions <= 0) {
    od_printf("\n\r`bright yellow`You are out of arena given healing potions!");
    return;
  }
  Draught draught;
  db::RunWriteUnit([&] {
    const db::ResultTable now = player::CallerRow("HP,MaxHP");
    const long long hp = now.Int(0, 0), max_hp = now.Int(0, 1);
    draught = Draught{};
    if (now.empty() || hp >= max_hp) return false;
    const long long per_potion =
        HealPerPotion(max_hp, IsHealer(row.Text(0, 2), row.Text(0, 3), row.Text(0, 4)));
    draught = Drink(hp, max_hp, b_.challenger_potions, per_potion);
    db::Exec(db::kPlayer, "UPDATE %s SET HP=%lld WHERE UserName=%Q", Players(), draught.hp_after,
             Me());
    return true;
  });
  if (draught.potions_used == 0) {  // healed meanwhile
    od_printf("\n\n\r`bright yellow`You are already at max health..");
    return;
  }
  b_.challenger_potions -= draught.potions_used;
  b_.challenger_poison = 0;  // any draught cures it
  if (draught.full) {
    od_printf("`bright yellow`\n\rYou quickly drink the potions and are fully healed!");
  } else {
    od_printf("`bright yellow`\n\rYou drink the potions and only gain partial health..");
  }
}

void ArenaBout::OpponentPotions(const Side& opponent) {
  const Draught draught = Drink(b_.opponent.hp, opponent.max_hp, b_.opponent_potions,
                                HealPerPotion(opponent.max_hp, opponent.healer));
  b_.opponent_potions -= draught.potions_used;
  b_.opponent.hp = draught.hp_after;  // its poison stays
  if (draught.full) {
    od_printf("`bright yellow`\n\n\r%s quickly drinks potions and is fully healed!",
              opponent.name.c_str());
  } else {
    od_printf("`bright yellow`\n\n\r%s drink's some potions and gains partial health back..",
              opponent.name.c_str());
  }
}

void ArenaBout::ArenaFightToDeath() {
  for (int strikes = 1; !b_.over; ++strikes) {
    const db::ResultTable me = player::CallerRow("HP,MaxHP");
    if (me.empty()) return Gone();
    if (me.Int(0, 0) < me.Int(0, 1)) ArenaPotions();
    ArenaStrike();
    if (b_.over) return;
    od_printf("\n\r");
    ShowStatus();
    if (b_.over || strikes % kStrikesBetweenQuestions != 0) continue;
    od_printf("`bright red`\n\n\rContinue Fighting? (y/n) ");
    if (od_get_answer("YN") != 'Y') return;  // back to the fight menu
  }
}

void ArenaBout::Beg() {
  od_printf("\n\n\r`bright red`You make a cowardly run for it!");
  b_.over = true;
  std::string user;
  const bool counted = db::RunWriteUnit([&] {
    const db::ResultTable them = db::Query(db::kPlayer, "SELECT UserName FROM %s WHERE IDNum=%Q",
                                           Players(), b_.opponent.id.c_str());
    if (them.empty() || player::CallerRow("IDNum").empty()) return false;
    user = them.Text(0, 0);
    db::Exec(db::kPlayer, "UPDATE %s SET PlayerDefeats=PlayerDefeats+1 WHERE UserName=%Q",
             Players(), Me());
    db::Exec(db::kPlayer, "UPDATE %s SET PlayerKills=PlayerKills+1 WHERE IDNum=%Q", Players(),
             b_.opponent.id.c_str());
    return true;
  });
  if (counted && !user.empty()) {
    const std::string line =
        CleanText(player::CallerPlayerName()) + " ran with their tale between their legs!";
    AddPersonal(user.c_str(), "`bright red`\260\261\262 ARENA WIN \262\261\260 `bright cyan`",
                line.c_str(), "");
  }
  WaitKey();
}

}  // namespace

void ArenaFight(Bout& bout) { ArenaBout(bout).Fight(); }

}  // namespace trv::combat
