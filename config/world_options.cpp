#include "config/world_options.h"

#include <string.h>

#include "config/prompts.h"
#include "config/tournament.h"
#include "config/values.h"
#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/ui/ui.h"
#include "game/ui/world_options.h"

namespace trv::config {
namespace {

using db::Exec;
using db::kConfig;
using db::Query;
using db::ResultTable;
using db::TableName;

// One typed option of the editor.
struct TypedOption {
  char key;
  const char* banner;
  const char* help[3];  // the first help line, then the default or advice lines
  const char* prompt;
  int width;
  const char* statement;  // %s the table, then %d (number) or %Q (gold text)
  bool gold;              // stored as typed text
  int minimum;            // smaller numbers would break the game
};

const TypedOption kTypedOptions[] = {
    {'A',
     "Modify Monster Fights",
     {"(The amount of monster fights that a player receives each new day.)", "(Default: 17)"},
     "Enter # (Max 99): ",
     2,
     "UPDATE %s SET MonsterFights=%d",
     false,
     0},
    {'B',
     "Modify Player Fights",
     {"(The amount of player fights that a player receives each new day.)", "(Default: 3)"},
     "Enter # (Max 99): ",
     2,
     "UPDATE %s SET PlayerFights=%d",
     false,
     0},
    {'C',
     "Modify Player Starting Gold",
     {"(The starting gold that a new player will receive when joining the game.)",
      "(Default: $10,000)"},
     "Gold: $",
     50,
     "UPDATE %s SET StartGold=%Q",
     true,
     0},
    {'D',
     "Modify Good Deeds",
     {"(The amount of good deeds given to a player each day.)", "(Default: 3)"},
     "Enter # (Max 9): ",
     1,
     "UPDATE %s SET GoodDeeds=%d",
     false,
     0},
    {'E',
     "Modify Evil Deeds",
     {"(The amount of evil deeds given to a player each day.)", "(Default: 3)"},
     "Enter # (Max 9): ",
     1,
     "UPDATE %s SET EvilDeeds=%d",
     false,
     0},
    // Level L needs L times the multiplier to rise: 0 would level for nothing.
    {'1',
     "Modify Level Multiplier",
     {"(A lower multiplier setting will speed up player leveling.)",
      "(Example: PlayerLevel * LevelMultipler)", "(Recommended: 30000 or lower.)"},
     "Enter #: ",
     5,
     "UPDATE %s SET LevelMultiplier=%d",
     false,
     1},
};

void HelpLines(const char* const* lines, int count) {
  for (int i = 0; i < count && lines[i] != nullptr; ++i)
    od_printf("%s`bright white`%s", i == 0 ? "\n\n\r" : "\n\r", lines[i]);
}

void EditTyped(const TypedOption& option) {
  OptionBanner(option.banner);
  HelpLines(option.help, 3);
  od_printf("\n\n\r`dark green`%s`bright white`", option.prompt);
  const std::string typed = ReadDigits(option.width);
  if (typed.empty()) return;
  if (option.gold) {
    Exec(kConfig, option.statement, TableName(kConfig), typed.c_str());
    return;
  }
  std::optional<int> value = EnteredNumber(typed);
  if (!value) return;
  if (*value < option.minimum) {
    Refused("The value must be at least " + std::to_string(option.minimum) +
            "; nothing was changed.");
    return;
  }
  Exec(kConfig, option.statement, TableName(kConfig), *value);
}

// F and G: an Allowed / Not Allowed switch.
void EditSwitch(const char* banner, const char* help, const char* question, const char* statement) {
  OptionBanner(banner);
  const char* lines[] = {help, "(Default: On)"};
  HelpLines(lines, 2);
  od_printf("\r\n\n `dark green`%s (`bright yellow`y`dark green`/`bright yellow`N`dark green`)? ",
            question);
  const char answer = od_get_answer("YN");
  if (answer == 0) return;
  Exec(kConfig, statement, TableName(kConfig), answer == 'Y' ? 1 : 0);
}

}  // namespace

void WorldOptionsEditor() {
  db::Open();
  db::InsertConfigDefaults();
  for (;;) {
    DrawWorldOptions();
    GoBackAndSelection();
    const char key = od_get_answer("ABCDEFGT1X");
    switch (key) {
      case 'F':
        EditSwitch("Assassinations",
                   "(Turns On or Off the ability for players to Assassinate one another.)",
                   "Allow Assassinations", "UPDATE %s SET Assassinations=%d");
        break;
      case 'G':
        EditSwitch("Mutilations",
                   "(Turns On or Off the ability for players to Mutilation one another.)",
                   "Allow Mutilations", "UPDATE %s SET Mutilations=%d");
        break;
      case 'T':
        TournamentOption();
        break;
      case 'X':
      case 0:  // the line is gone
        return;
      default:
        for (const TypedOption& option : kTypedOptions)
          if (option.key == key) EditTyped(option);
        break;
    }
  }
}

}  // namespace trv::config
