#include "config/player_fields.h"

#include <iterator>

#include "config/prompts.h"
#include "config/values.h"
#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/player/investments.h"
#include "game/ui/ui.h"

namespace trv::config {
namespace {

using db::Exec;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;

struct Field {
  char key;
  const char* label;   // on the editor's list
  const char* column;  // read for the list
  const char* banner;
  const char* prompt;
  int width;
  const char* statement;  // %s the table, the value (%d, or %Q for gold), then IDNum %Q
  int minimum;
};

// Three to a line, in the order of the list.
const Field kFields[] = {
    // A character below level 1 has no place in the level tables.
    {'B', "Level", "Level", "Modify Level", "Level", 6, "UPDATE %s SET Level=%d WHERE IDNum=%Q", 1},
    {'C', "Hit Points", "MaxHP", "Modify Hit Points", "Max HP", 6,
     "UPDATE %s SET MaxHP=%d WHERE IDNum=%Q", 0},
    {'D', "Magic Points", "MaxMagicPower", "Modify Magic Points", "Max MP", 6,
     "UPDATE %s SET MaxMagicPower=%d WHERE IDNum=%Q", 0},
    {'E', "Good Deeds", "GoodDeeds", "Modify Good Deeds", "Good Deeds", 1,
     "UPDATE %s SET GoodDeeds=%d WHERE IDNum=%Q", 0},
    {'F', "Evil Deeds", "EvilDeeds", "Modify Evil Deeds", "Evil Deeds", 1,
     "UPDATE %s SET EvilDeeds=%d WHERE IDNum=%Q", 0},
    {'G', "Profession Level", "ProfLevel", "Modify Profession Level", "Profession Level", 6,
     "UPDATE %s SET ProfLevel=%d WHERE IDNum=%Q", 0},
    {'H', "Potions", "Potions", "Modify Potions", "Potions", 3,
     "UPDATE %s SET Potions=%d WHERE IDNum=%Q", 0},
    {'I', "Monster Fights", "MonsterFights", "Modify Monster Fights", "Monster Fights", 2,
     "UPDATE %s SET MonsterFights=%d WHERE IDNum=%Q", 0},
    {'J', "Player Fights", "PlayerFights", "Modify Player Fights", "Player Fights", 2,
     "UPDATE %s SET PlayerFights=%d WHERE IDNum=%Q", 0},
    {'K', "Agility", "Agility", "Modify Agility", "Agility", 6,
     "UPDATE %s SET Agility=%d WHERE IDNum=%Q", 0},
    {'L', "Mental", "Mental", "Modify Mental", "Mental", 6,
     "UPDATE %s SET Mental=%d WHERE IDNum=%Q", 0},
    {'M', "Divine", "Divine", "Modify Divine", "Divine", 6,
     "UPDATE %s SET Divine=%d WHERE IDNum=%Q", 0},
    {'N', "Charm", "Charm", "Modify Charm", "Charm", 6, "UPDATE %s SET Charm=%d WHERE IDNum=%Q", 0},
    {'O', "Intellect", "Intellect", "Modify Intellect", "Intellect", 6,
     "UPDATE %s SET Intellect=%d WHERE IDNum=%Q", 0},
    {'P', "Leadership", "Leadership", "Modify Leadership", "Leadership", 6,
     "UPDATE %s SET Leadership=%d WHERE IDNum=%Q", 0},
    {'Q', "Stamina", "Stamina", "Modify Stamina", "Stamina", 6,
     "UPDATE %s SET Stamina=%d WHERE IDNum=%Q", 0},
    {'R', "Strength", "Strength", "Modify Strength", "Strength", 6,
     "UPDATE %s SET Strength=%d WHERE IDNum=%Q", 0},
    {'S', "Defense", "Defense", "Modify Defense", "Defense", 6,
     "UPDATE %s SET Defense=%d WHERE IDNum=%Q", 0},
};

// The editor's words for the holdings, A to G in the catalogue's order.
struct InvestmentLine {
  char key;
  const char* label;  // padded so the values line up
  const char* banner;
};

const InvestmentLine kInvestmentLines[] = {
    {'A', "Smuggling Investments   ", "Modify Smuggling Investments"},
    {'B', "Drug House Investments  ", "Modify Drug House Investments"},
    {'C', "Whore House Investments ", "Modify Whore House Investments"},
    {'D', "House Investments       ", "Modify House Investments"},
    {'E', "Water Tower Investments ", "Modify Water Tower Investments"},
    {'F', "Ore Mine Investments    ", "Modify Ore Mine Investments"},
    {'G', "Granary Silo Investments", "Modify Granary Investments"},
};
static_assert(std::size(kInvestmentLines) == player::kInvestmentKinds);

// The character's names and the rule, under both screens' banners.
void Head(const ResultTable& p) {
  od_printf("\n\n\r`bright cyan`Config Options For: `bright yellow`%s",
            CleanText(p.Text(0, "PlayerName")).c_str());
  od_printf("\n\r`bright cyan`BBS UserName: `bright yellow`%s",
            CleanText(p.Text(0, "UserName")).c_str());
  od_printf("\n\r`dark green`%s", kRule);
}

void DrawFields(const ResultTable& p) {
  od_clr_scr();
  Banner("`bright red`", "Tarvessia Player Editor: v1.2");
  Head(p);
  od_printf("\n\n\r`bright white`A. `dark green`Player Name: `grey`%s",
            CleanText(p.Text(0, "PlayerName")).c_str());
  int i = 0;
  for (const Field& f : kFields) {
    od_printf("%s`bright white`%c. `dark green`%s: `grey`%-6s", i % 3 == 0 ? "\n\n\r" : "   ",
              f.key, f.label, CleanText(p.Text(0, f.column)).c_str());
    ++i;
  }
  od_printf("\n\n\r`bright white`Z. `dark green`Gold: $`grey`%s",
            CleanText(p.Text(0, "Gold")).c_str());
  od_printf("\n\n\r`bright red`[`bright yellow`X`bright red`]`bright yellow` Exit");
  od_printf("   `bright red`[`bright yellow`.`bright red`]`bright yellow` More Options");
  od_printf("\n\r`dark green`Your Selection :");
}

void EditField(const Field& f, const std::string& id) {
  OptionBanner(f.banner);
  od_printf("\n\n\r`dark green`%s: `bright white`", f.prompt);
  std::optional<int> value = EnteredNumber(ReadDigits(f.width));
  if (!value) return;
  if (*value < f.minimum) {
    Refused(std::string(f.prompt) + " must be at least " + std::to_string(f.minimum) +
            "; nothing was changed.");
    return;
  }
  Exec(kPlayer, f.statement, TableName(kPlayer), *value, id.c_str());
}

void EditGold(const std::string& id) {
  OptionBanner("Modify Gold On Hand");
  od_printf("\n\n\r`dark green`Gold: $`bright white`");
  const std::string gold = ReadDigits(500);
  if (gold.empty()) return;
  Exec(kPlayer, "UPDATE %s SET Gold=%Q WHERE IDNum=%Q", TableName(kPlayer), gold.c_str(),
       id.c_str());
}

void DrawInvestments(const ResultTable& p) {
  od_clr_scr();
  Banner("`bright red`", "Additional Options");
  Head(p);
  for (size_t i = 0; i < player::kInvestmentKinds; ++i)
    od_printf("%s`bright white`%c. `dark green`%s: `grey`%s", i == 0 ? "\n\n\r" : "\n\r",
              kInvestmentLines[i].key, kInvestmentLines[i].label,
              CleanText(p.Text(0, player::kInvestments[i].column)).c_str());
  GoBackAndSelection();
}

void EditInvestment(size_t kind, const std::string& id) {
  OptionBanner(kInvestmentLines[kind].banner);
  od_printf("\n\n\r`dark green`Enter #: `bright white`");
  const std::string amount = ReadDigits(50);
  if (amount.empty()) return;
  Exec(kPlayer, "UPDATE %s SET %s=%Q WHERE IDNum=%Q", TableName(kPlayer),
       player::kInvestments[kind].column, amount.c_str(), id.c_str());
}

}  // namespace

void FieldEditor(const std::string& id) {
  for (;;) {
    ResultTable p = Query(kPlayer,
                          "SELECT PlayerName,UserName,Level,MaxHP,MaxMagicPower,GoodDeeds,"
                          "EvilDeeds,ProfLevel,Potions,MonsterFights,PlayerFights,Agility,Mental,"
                          "Divine,Charm,Intellect,Leadership,Stamina,Strength,Defense,Gold FROM "
                          "%s WHERE IDNum=%Q",
                          TableName(kPlayer), id.c_str());
    if (p.empty()) return PlayerNotFound();
    DrawFields(p);
    const char key = od_get_answer("BCDEFGHIJKLMNOPQRSZX.");
    if (key == 'X' || key == 0) return;
    if (key == '.') {
      if (!InvestmentsEditor(id)) return;
    } else if (key == 'Z') {
      EditGold(id);
    } else {
      for (const Field& f : kFields)
        if (f.key == key) EditField(f, id);
    }
  }
}

bool InvestmentsEditor(const std::string& id) {
  for (;;) {
    ResultTable p = Query(kPlayer,
                          "SELECT PlayerName,UserName,Smuggling,DrugTrade,FleshTrade,HouseTrade,"
                          "WaterTower,OreMine,Granary FROM %s WHERE IDNum=%Q",
                          TableName(kPlayer), id.c_str());
    if (p.empty()) {
      PlayerNotFound();
      return false;
    }
    DrawInvestments(p);
    const char key = od_get_answer("ABCDEFGX");
    if (key == 'X' || key == 0) return true;
    for (size_t i = 0; i < player::kInvestmentKinds; ++i)
      if (kInvestmentLines[i].key == key) EditInvestment(i, id);
  }
}

}  // namespace trv::config
