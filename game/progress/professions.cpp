#include "game/progress/professions.h"

#include <string.h>
#include <strings.h>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/player/gold.h"
#include "game/progress/progress.h"

namespace trv::progress {
namespace {

// Thirteen titles per guild and the one for every other level. The
// spellings are the guilds' own.
struct GuildTitles {
  const char* guild;
  const char* titles[14];
};
constexpr GuildTitles kGuildTitles[] = {
    {"Warrior",
     {"Aggressor", "Assailant", "Boxer", "Brawler", "Champion", "Duelist", "Gladiator", "Militant",
      "Soldier", "Extreme Warrior", "Enchanted Knight", "Sun Warrior", "Lord Knight",
      "Sky Gladiator"}},
    {"Rogue",
     {"Common Thug", "Hermit", "Wandarer", "Begger", "Bastard", "Bugger", "Common Thug", "Con Man",
      "Criminal", "Crook", "Hooligan", "Outlaw", "Trickster", "Terrorist"}},
    {"Divine",
     {"Advisest", "Clergyman", "Cleric", "Curate", "Divine", "Ecclesiastic", "Elder", "Father",
      "Friar", "Pontiff", "Preacher", "Rabbi", "Sage of Love", "Sky Priest"}},
    {"White Art",
     {"Astrologer", "Augurer", "Clairvoyant", "Conjurer", "Diviner", "Enchanter", "Fortuneteller",
      "Hypnotist", "Magician", "Magus", "Medium", "Necromancer", "Seer", "Sky Wizard"}},
    {"Black Art",
     {"Astrologer", "Augurer", "Clairvoyant", "Conjurer", "Diviner", "Enchanter", "Fortuneteller",
      "Hypnotist", "Magician", "Magus", "Medium", "Necromancer", "Seer", "Sky Wizard"}},
};

constexpr Sin kSins[] = {
    {"envy", "MonsterFights=MonsterFights+3",
     "`bright green`Your envy fades..you may fight `bright white`3 `bright green`more monsters "
     "today!"},
    {"sloth", "MaxHP=MaxHP+2",
     "`bright green`Your sloth melts away..your max hitpoints rise by `bright white`2`bright "
     "green`!"},
    {"gluttony", "PlayerFights=PlayerFights+1",
     "`bright green`Your hunger is stilled..you may fight `bright white`1 `bright green`more arena "
     "battle today!"},
    {"wrath", "Defense=Defense+3",
     "`bright green`Your rage cools..your defense rises by `bright white`3`bright green`!"},
    {"lust", "Charm=Charm+4",
     "`bright green`Your desires are tamed..your charm rises by `bright white`4`bright green`!"},
    {"greed", nullptr,
     "`bright green`The monks laugh and hand you `bright white`$20,000 `bright green`to test "
     "you!"},
    {"pride", "Mental=Mental+4",
     "`bright green`You are humbled..your mental rises by `bright white`4`bright green`!"},
};

}  // namespace

std::string ProfessionTitle(const std::string& guild, long long level) {
  for (const GuildTitles& g : kGuildTitles) {
    if (guild != g.guild) continue;
    return g.titles[level >= 1 && level <= 13 ? level - 1 : 13];
  }
  return "";
}

Promotion PromoteProfession(const std::string& user) {
  Promotion promotion;
  db::RunWriteUnit([&] {
    promotion = Promotion();
    const db::ResultTable row = db::Query(db::kPlayer, "SELECT ProfExp FROM %s WHERE UserName=%Q",
                                          db::TableName(db::kPlayer), user.c_str());
    if (row.empty()) return true;
    const long long high_experience = row.Int(0, 0);
    if (high_experience < kProfessionCost) {
      promotion.outcome = PromotionOutcome::kNotReady;
      promotion.needed_more = kProfessionCost - high_experience;
      return true;
    }
    db::Exec(db::kPlayer,
             "UPDATE %s SET ProfExp=ProfExp-%d,ProfLevel=ProfLevel+1 WHERE UserName=%Q",
             db::TableName(db::kPlayer), kProfessionCost, user.c_str());
    AddAttributes(user, kProfessionGains);
    const db::ResultTable now =
        db::Query(db::kPlayer, "SELECT ProfLevel,Guild FROM %s WHERE UserName=%Q",
                  db::TableName(db::kPlayer), user.c_str());
    promotion.new_level = now.Int(0, 0);
    promotion.guild = now.Text(0, 1);
    promotion.now = ReadAttributes(user);
    promotion.outcome = PromotionOutcome::kPromoted;
    return true;
  });
  return promotion;
}

const Sin* SinNamed(const std::string& answer) {
  for (const Sin& sin : kSins)
    if (strcasecmp(answer.c_str(), sin.name) == 0) return &sin;
  return nullptr;
}

Penance ConfessSin(const std::string& user, const std::string& answer) {
  Penance penance = Penance::kNoCharacter;
  db::RunWriteUnit([&] {
    const db::ResultTable row = db::Query(db::kPlayer, "SELECT GoodDeeds FROM %s WHERE UserName=%Q",
                                          db::TableName(db::kPlayer), user.c_str());
    if (row.empty()) {
      penance = Penance::kNoCharacter;
      return true;
    }
    if (row.Int(0, 0) < 1) {
      penance = Penance::kNoDeeds;
      return true;
    }
    db::Exec(db::kPlayer, "UPDATE %s SET GoodDeeds=GoodDeeds-1 WHERE UserName=%Q",
             db::TableName(db::kPlayer), user.c_str());
    const Sin* sin = SinNamed(answer);
    if (!sin) {
      penance = Penance::kWrong;
    } else if (sin->reward) {
      db::Exec(db::kPlayer, "UPDATE %s SET %s WHERE UserName=%Q", db::TableName(db::kPlayer),
               sin->reward, user.c_str());
      penance = Penance::kForgiven;
    } else {
      player::AddGold(user, kGreedGold);
      penance = Penance::kForgiven;
    }
    return true;
  });
  return penance;
}

}  // namespace trv::progress

void ViewProfession(char* title, const char* guild, int level) {
  if (!title) return;
  title[0] = '\0';  // an unknown guild leaves no title behind
  if (!guild) return;
  const std::string text = trv::progress::ProfessionTitle(guild, level);
  strncat(title, text.c_str(), trv::progress::kProfessionTitleSize - 1);
}
