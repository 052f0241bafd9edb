// The fight engine: the fight screen, the blows of both sides, the spell
// before combat, potions, victory, death and resurrection.
#include "game/combat/fight.h"

#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/items.h"
#include "game/combat/shop_parts.h"
#include "game/combat/spells.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/money/saturating.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/closing.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

using Purenum::Integer;

const char* Players() { return db::TableName(db::kPlayer); }
const char* Me() { return player::CallerUserName(); }

void RestoreMagic() {
  db::Exec(db::kPlayer, "UPDATE %s SET MagicPower=MaxMagicPower WHERE UserName=%Q", Players(),
           Me());
}

void UseMonsterFight() {
  db::Exec(db::kPlayer, "UPDATE %s SET MonsterFights=MonsterFights-1 WHERE UserName=%Q", Players(),
           Me());
}

// Adds (or with a negative amount takes) experience, saturating instead of
// letting SQLite turn an overflowing sum into a real number.
void AddExperience(long long amount) {
  db::RunWriteUnit([&] {
    const db::ResultTable row = player::CallerRow("Experience");
    if (row.empty()) return false;
    db::Exec(db::kPlayer, "UPDATE %s SET Experience=%lld WHERE UserName=%Q", Players(),
             SaturatingAdd(row.Int(0, 0), amount), Me());
    return true;
  });
}

// What a victory's gold came to after the kingdom's share.
struct Payout {
  bool royal = false;  // a royal post anywhere: no tax
  bool taxed = false;  // the character's kingdom took its share
  Integer tax;
};

// Pays a victory's gold in one write unit: a character holding a royal
// post in any kingdom keeps it all; otherwise the kingdom's TaxRate share
// goes to its HoldTaxes (added to what other members paid meanwhile) and
// the rest to the character. A kingdom that is gone takes nothing.
Payout PayVictor(const Integer& gold) {
  Payout payout;
  db::RunWriteUnit([&] {
    payout = Payout{};
    const std::string name = player::CallerPlayerName();
    const std::string kingdom = player::CallerText("Kingdom");
    const char* kingdoms = db::TableName(db::kKingdom);
    payout.royal =
        !name.empty() &&
        !db::Query(db::kKingdom,
                   "SELECT Ruler,Baron,Royal,Prince,Princess FROM %s WHERE Ruler=%Q OR "
                   "Baron=%Q OR Royal=%Q OR Prince=%Q OR Princess=%Q",
                   kingdoms, name.c_str(), name.c_str(), name.c_str(), name.c_str(), name.c_str())
             .empty();
    Integer kept = gold;
    if (!payout.royal) {
      const db::ResultTable row =
          db::Query(db::kKingdom, "SELECT TaxRate,HoldTaxes FROM %s WHERE Name=%Q", kingdoms,
                    kingdom.c_str());
      if (!row.empty()) {
        payout.taxed = true;
        payout.tax = HuntTax(gold, row.Int(0, 0));
        kept -= payout.tax;
        db::Exec(db::kKingdom, "UPDATE %s SET HoldTaxes=%Q WHERE Name=%Q", kingdoms,
                 (player::Amount(row.Text(0, 1)) + payout.tax).str().c_str(), kingdom.c_str());
      }
    }
    player::AddGold(Me(), kept);
    return true;
  });
  return payout;
}

class Fight {
 public:
  Fight(bool hunt, const Monster& monster, int size, Health& health)
      : hunt_(hunt),
        monster_(monster),
        name_(CleanText(monster.name)),
        hit_points_(static_cast<size_t>(size), monster.hit_points),
        live_(size),
        initial_(size),
        health_(health) {}

  // The fight screen, until the fight is over.
  FightOutcome Run();
  int alive() const { return live_; }

 private:
  void ListGroup() const;
  bool OfferSpellNow(const db::ResultTable& row) const;
  void PreCombatSpell(int target);
  void PlayerStrike(int target);
  void MonsterStrike();
  void FightToDeath();
  void Victory();
  void Die();
  void Won() { outcome_ = FightOutcome::kWon; }
  bool CannotRun() const { return !hunt_ && monster_.name == "Summoned Demon"; }

  const bool hunt_;
  const Monster monster_;
  const std::string name_;  // cleaned for the screen
  std::vector<long long> hit_points_;
  int live_;  // members 0 .. live_ - 1 are alive; the caller strikes the last
  const int initial_;
  Health& health_;
  bool spell_used_ = false;
  FightOutcome outcome_ = FightOutcome::kLeft;
};

void Fight::ListGroup() const {
  for (int i = 0; i < live_; ++i) {
    od_printf("%s%s  %s/%s", i == 0 ? "\n\n\r`bright red`" : "\n\r", name_.c_str(),
              Grouped(hit_points_[i]).c_str(), Grouped(monster_.hit_points).c_str());
  }
}

bool Fight::OfferSpellNow(const db::ResultTable& row) const {
  if (*row.Text(0, "Magic1") == '\0') return false;
  if (hunt_) return !spell_used_;
  return row.Int(0, "MagicPower") == row.Int(0, "MaxMagicPower");
}

FightOutcome Fight::Run() {
  for (;;) {
    Check_For_Msgs();
    if (live_ == 0) return outcome_;
    if (!health_.cached()) health_.Reload();
    ListGroup();
    db::ResultTable row = player::CallerRow("Magic1,Potions,MagicPower,MaxMagicPower");
    if (OfferSpellNow(row)) {
      PreCombatSpell(live_ - 1);
      if (live_ == 0) return outcome_;
      ListGroup();
      row = player::CallerRow("Magic1,Potions,MagicPower,MaxMagicPower");
    }
    od_printf("\n\n\r`bright green`Current Health: `bright white`%s`dark green`/`bright white`%s",
              Grouped(health_.hp()).c_str(), Grouped(health_.max_hp()).c_str());
    od_printf("\n\r`bright green`Potions Left: `bright white`%s`dark green`/`bright white`300",
              Grouped(row.Int(0, "Potions")).c_str());
    od_printf(
        "\n\r`bright red`%s `dark green`[`bright yellow`A`dark green`]ttack%s / "
        "[`bright yellow`F`dark green`]ight to Death",
        kShades, hunt_ ? " Creature" : "");
    od_printf(
        "\n\r`bright red`%s `dark green`[`bright yellow`U`dark green`]se Potions / "
        "[`bright yellow`R`dark green`]un Away!",
        kShades);
    od_printf("\n\r`bright red`%s `bright green`Thy Choice: ", kShades);
    switch (od_get_answer(hunt_ ? "AURF" : "AUFR")) {
      case 'A':
        PlayerStrike(live_ - 1);
        break;
      case 'U':
        DrinkPotions(health_);
        break;
      case 'F':
        FightToDeath();
        return outcome_;
      case 'R':
        if (CannotRun()) {
          od_printf("\n\n\r`bright red`You cannot run from a conjured demon!");
          WaitKey();
          break;
        }
        od_printf("\n\n\r`bright yellow`You make a cowardly run for it!");
        if (hunt_) UseMonsterFight();
        WaitKey();
        return FightOutcome::kLeft;
      default:  // the line is gone
        return FightOutcome::kLeft;
    }
  }
}

void Fight::PreCombatSpell(int target) {
  spell_used_ = true;
  const int slot = OfferSpell();
  if (slot == 0) return;
  std::string spell;
  const SpellCast cast = CallerCasts(slot, &spell);
  if (!cast.cast) return;
  od_printf("\n\n\r`bright blue`Your %s spell hits the %s for %s", CleanText(spell).c_str(),
            name_.c_str(), Grouped(cast.damage).c_str());
  hit_points_[target] = SaturatingSub(hit_points_[target], cast.damage);
  if (hit_points_[target] > 0) return;
  --live_;
  od_printf("\n\r`bright yellow`You have slain the %s...", name_.c_str());
  if (live_ == 0) Victory();
}

void Fight::PlayerStrike(int target) {
  const long long weapon_bonus = StrengthOf(Me()).weapon_bonus;
  if (rand() % 17 < 2) {
    od_printf("\n\n\r`bright white`You miss the %s..", name_.c_str());
  } else {
    // Strength 0 or below (a sysop's edit, a mutilation) strikes as 1.
    const long long strength = std::max<long long>(player::CallerInt("Strength"), 1);
    long long damage =
        SaturatingSub(SaturatingAdd(rand() % strength, weapon_bonus), monster_.defence);
    if (damage < 0) damage = 0;
    od_printf("\n\n\r`bright cyan`You hit the %s for %s", name_.c_str(), Grouped(damage).c_str());
    hit_points_[target] = SaturatingSub(hit_points_[target], damage);
  }
  if (hit_points_[target] > 0) {
    MonsterStrike();
    return;
  }
  --live_;
  od_printf("\n\r`bright blue`You have slain the %s...", name_.c_str());
  if (live_ == 0) {
    Victory();
  } else {
    MonsterStrike();
  }
}

void Fight::MonsterStrike() {
  const double armour = ArmourFactor(StrengthOf(Me()).armour_total);
  const long long attack = std::max<long long>(monster_.attack, 1);
  for (int i = 0; i < live_; ++i) {
    const long long blow = BlowAfterArmour(rand() % attack, armour);
    long long total = 0;
    auto magic = [&] {
      const long long bonus = (rand() % monster_.magic) / 5;
      if (bonus <= 0) return;
      total = SaturatingAdd(total, bonus);
      od_printf("\n\r`bright magenta` **A magic spell cast by %s hits you for %s pts",
                name_.c_str(), Grouped(bonus).c_str());
    };
    auto poison = [&] {
      const long long bonus = (rand() % monster_.poison) / 5;
      if (bonus <= 0) return;
      total = SaturatingAdd(total, bonus);
      od_printf("\n\r`dark red` **A poison bite hurts you for an additional %s pts",
                Grouped(bonus).c_str());
    };
    if (blow <= 0) {
      od_printf("\n\n\r`bright white`The %s whiffs and misses you..", name_.c_str());
      // Both draws are made in either kind of fight; only a hunt's monster
      // still hurts with magic or poison when its blow missed.
      const int magic_chance = rand() % 10;
      if (hunt_ && monster_.magic >= 1 && magic_chance < 5) magic();
      const int poison_chance = rand() % 20;
      if (hunt_ && monster_.poison >= 1 && poison_chance < 10) poison();
    } else {
      od_printf("\n\n\r`dark brown` %s hits you for %s", name_.c_str(), Grouped(blow).c_str());
      total = blow;
      if (i == 0 && player::CallerText("Disease") != "Your healthy!") {
        const int disease = rand() % 15;
        total = SaturatingAdd(total, disease);
        od_printf("\n\r`grey` **Your disease causes an additional %d hp loss..", disease);
      }
      if (monster_.poison > 0) poison();
      if (monster_.magic > 0) magic();
    }
    health_.Lose(total);
    if (health_.hp() < 1) {
      Die();
      return;
    }
  }
}

void Fight::FightToDeath() {
  int turns = 0;
  while (health_.hp() >= 1 && live_ > 0) {
    if (health_.hp() < health_.max_hp()) DrinkPotions(health_);
    PlayerStrike(live_ - 1);
    if (++turns % 25 != 0 || health_.hp() < 1 || live_ == 0) continue;
    od_printf("`bright red`\n\n\rContinue Fighting? (y/n) ");
    if (od_get_answer("YN") == 'Y') continue;
    if (hunt_) UseMonsterFight();
    od_printf("\n\n\r`bright green`You grow tired of this fight and retreat!");
    WaitKey();
    outcome_ = FightOutcome::kLeft;
    return;
  }
}

void Fight::Victory() {
  Won();
  od_printf("\n\n\r`bright red`%s `bright cyan`VICTORY! `bright red`%s", kShades, kShadesBack);
  WaitKey();
  od_printf(hunt_ ? "\n\n\r`grey`The %s quivers as it dies on the ground.."
                  : "\n\n\r`grey`You have defeated the %s..",
            name_.c_str());
  const Integer gold = player::Amount(monster_.gold.c_str()) * Integer(initial_);
  if (hunt_) {
    od_printf(
        "\n\n\r`bright green`%s You pick up `bright white`$%s `bright green`gold from the body",
        kShades, Grouped(gold).c_str());
  } else {
    od_printf(
        "\n\n\r`bright green`%s You pick up `bright white`$%s `bright green`gold from the "
        "aftermath..",
        kShades, Grouped(gold).c_str());
  }
  const long long experience = SaturatingMul(monster_.experience, initial_);
  AddExperience(experience);
  od_printf("\n\r`bright green`%s EXPERIENCE INCREASE OF `bright white`%s", kShades,
            Grouped(experience).c_str());
  if (hunt_) {
    db::Exec(db::kKingdom, "UPDATE %s SET Land=Land+1 WHERE Name=%Q", db::TableName(db::kKingdom),
             player::CallerText("Kingdom").c_str());
  }
  const Payout payout = PayVictor(gold);
  if (hunt_ && (payout.royal || payout.taxed)) {
    od_printf(
        "\n\r`bright yellow`%s For killing this creature, your kingdom gains `bright white`1 "
        "`bright yellow`acre of land",
        kShades);
  }
  if (payout.taxed) {
    od_printf(
        "\n\n\r`bright yellow`%s You pay `bright white`$%s `bright yellow`gold in taxes to your "
        "kingdom %s",
        kShades, Grouped(payout.tax).c_str(), kShadesBack);
  }
  if (hunt_) UseMonsterFight();
  WaitKey();
}

void Fight::Die() {
  outcome_ = FightOutcome::kDied;
  od_printf("\n\n\r    `grey`%s YOU ARE DEAD %s", kShades, kShadesBack);
  od_printf("\n\n\r`bright red`You fall to the ground in a heap of blood");
  od_printf("\n\r`bright red`%s", std::string(30, '\255').c_str());
  od_printf("\n\n\n\r`bright cyan`You have lost 10%% of your experience..");
  db::RunWriteUnit([&] {
    const long long loss = DeathLoss(player::CallerInt("Experience"));
    db::Exec(db::kPlayer, "UPDATE %s SET %sExperience=Experience-%lld WHERE UserName=%Q", Players(),
             hunt_ ? "MonsterFights=MonsterFights-1," : "", loss, Me());
    return true;
  });
  od_printf(
      "\n\n\r`bright green`Allow Wandering Healer To Resurrect Your Soul? (`bright yellow`y`bright "
      "green`/`bright yellow`N`bright green`) ");
  const std::string name = CleanText(player::CallerPlayerName());
  const std::string news_line = name + " was killed fighting monsters outside the kingdom walls";
  if (od_get_answer("YN") != 'Y') {
    od_printf("\n\n\r`dark red`Choosing not to be resurrected, your soul floats");
    od_printf("\n\rup towards a bright light..You may continue your adventures");
    od_printf("\n\rtommorrow...");
    od_printf("\n\n\r`bright blue`%s Press Any Key %s", kShades, kShadesBack);
    WaitKey();
    AddNews("`bright cyan`PLAYER DEATH", news_line.c_str(),
            "They choose not to be resurrected today..");
    db::Exec(db::kPlayer, "UPDATE %s SET HP=-1 WHERE UserName=%Q", Players(), Me());
    ExitGame();
  }
  Attributes lost;
  db::RunWriteUnit([&] {
    const db::ResultTable row =
        player::CallerRow("MaxHP,Strength,Defense,Agility,MaxMagicPower,Charm");
    lost = ResurrectionPenalty(
        {row.Int(0, 0), row.Int(0, 1), row.Int(0, 2), row.Int(0, 3), row.Int(0, 4), row.Int(0, 5)});
    db::Exec(db::kPlayer,
             "UPDATE %s SET HP=1,MaxHP=MaxHP-%lld,Strength=Strength-%lld,Defense=Defense-%lld,"
             "Agility=Agility-%lld,MaxMagicPower=MaxMagicPower-%lld,Charm=Charm-%lld WHERE "
             "UserName=%Q",
             Players(), lost.max_hp, lost.strength, lost.defense, lost.agility, lost.max_magic,
             lost.charm, Me());
    RestoreMagic();
    return true;
  });
  health_.Resurrected(lost.max_hp);
  od_printf("\n\n\r`bright white`The wandering healer chants a few words, while waving");
  od_printf("\n\rhis magic staff over your bloody corpse..");
  od_printf("\n\n\r`bright yellow`You see a bright light as you open your eyes...");
  od_printf("\n\n\r`bright red`%s RESURRECTION PENALTIES %s", kShades, kShadesBack);
  od_printf("\n\n\r`grey`You have lost %lld max hitpoints", lost.max_hp);
  od_printf("\n\r`grey`You have lost %lld strength points", lost.strength);
  od_printf("\n\r`grey`You have lost %lld defense points", lost.defense);
  od_printf("\n\r`grey`You have lost %lld agility points", lost.agility);
  od_printf("\n\n\r`grey`You have lost %lld max magic points", lost.max_magic);
  od_printf("\n\n\r`grey`You have also lost %lld charm point!", lost.charm);
  AddNews("`bright cyan`PLAYER DEATH", news_line.c_str(),
          "They were resurrected by a wandering healer..");
  live_ = 0;
  od_printf("\n\n\r`bright blue`%s Press Any Key %s", kShades, kShadesBack);
  WaitKey();
}

// A scripted group's member, read from LoadNPCS's text arguments.
Monster ScriptedMonster(const Opponents& o) {
  return {o.name,
          0,
          DataNumber(o.hit_points),
          DataNumber(o.attack),
          DataNumber(o.defence),
          DataNumber(o.magic),
          DataNumber(o.poison),
          0,
          o.gold,
          DataNumber(o.experience)};
}

}  // namespace

Health Health::Cached() {
  Health health(true);
  health.Reload();
  return health;
}

Health Health::Stored() {
  Health health(false);
  health.Reload();
  return health;
}

void Health::Reload() {
  const db::ResultTable row = player::CallerRow("HP,MaxHP");
  hp_ = row.Int(0, 0);
  max_hp_ = row.Int(0, 1);
}

void Health::Lose(long long points) {
  hp_ = SaturatingSub(hp_, points);
  if (!cached_)
    db::Exec(db::kPlayer, "UPDATE %s SET HP=HP-%lld WHERE UserName=%Q", Players(), points, Me());
}

void Health::Resurrected(long long max_hp_loss) {
  if (!cached_) {
    Reload();
    return;
  }
  hp_ = 1;
  max_hp_ = SaturatingSub(max_hp_, max_hp_loss);
}

void Health::WriteBack() const {
  if (cached_)
    db::Exec(db::kPlayer, "UPDATE %s SET HP=%lld WHERE UserName=%Q", Players(), hp_, Me());
}

void DrinkPotions(Health& health) {
  if (health.hp() >= health.max_hp()) {
    od_printf("`bright yellow`\n\n\rYou are already at max health..");
    return;
  }
  const db::ResultTable row = player::CallerRow("Guild,FirstClass,SecondClass");
  const long long per_potion =
      HealPerPotion(health.max_hp(), IsHealer(row.Text(0, 0), row.Text(0, 1), row.Text(0, 2)));
  bool none = false;
  Draught draught;
  db::RunWriteUnit([&] {
    const long long potions = player::CallerInt("Potions");
    none = potions <= 0;
    if (none) return false;
    draught = Drink(health.hp(), health.max_hp(), potions, per_potion);
    const long long gained = SaturatingSub(draught.hp_after, health.hp());
    if (draught.full) {
      db::Exec(db::kPlayer, "UPDATE %s SET Potions=Potions-%lld%s WHERE UserName=%Q", Players(),
               draught.potions_used, health.cached() ? "" : ",HP=MaxHP", Me());
    } else if (health.cached()) {
      db::Exec(db::kPlayer, "UPDATE %s SET Potions=0 WHERE UserName=%Q", Players(), Me());
    } else {
      db::Exec(db::kPlayer, "UPDATE %s SET Potions=0,HP=HP+%lld WHERE UserName=%Q", Players(),
               gained, Me());
    }
    return true;
  });
  if (none) {
    od_printf("`bright red`\n\rYou need to purchase some healing potions!");
    return;
  }
  health.SetHp(draught.hp_after);
  if (draught.full) {
    od_printf("`bright green`\n\rYou quickly drink the potions and are fully healed!");
  } else {
    od_printf("`bright cyan`\n\rYou drink the potions and only gain partial health gains");
  }
}

FightOutcome MonsterFight(const Monster& monster, int size, Health& health) {
  Fight fight(true, monster, std::clamp(size, 1, kMaxGroup), health);
  return fight.Run();
}

ScriptedResult ScriptedFight(const Opponents& opponents) {
  const int count = ScriptedGroupSize(opponents.count);
  if (count == 0) return {FightOutcome::kWon, 0};
  RestoreMagic();
  Health health = Health::Stored();
  Fight fight(false, ScriptedMonster(opponents), count, health);
  const FightOutcome outcome = fight.Run();
  RestoreMagic();
  return {outcome, fight.alive()};
}

}  // namespace trv::combat

int LoadNPCS(const char* owner, const char* name, const char* hit_points, const char* attack,
             const char* defence, const char* magic, const char* poison, int count,
             const char* gold, const char* experience) {
  using namespace trv::combat;
  auto text = [](const char* value) { return std::string(value ? value : ""); };
  const ScriptedResult result =
      ScriptedFight({text(name), text(hit_points), text(attack), text(defence), text(magic),
                     text(poison), count, text(gold), text(experience)});
  const long long owner_id = DataNumber(text(owner));
  if (owner_id > 0) {
    trv::db::Exec(trv::db::kPlayer, "UPDATE %s SET BodyGuards=%d WHERE IDNum=%lld",
                  trv::db::TableName(trv::db::kPlayer), result.alive, owner_id);
  }
  return result.outcome == FightOutcome::kDied ? 0 : 1;
}
