#include "config/tournament.h"

#include <string>

#include "config/prompts.h"
#include "config/values.h"
#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/schema.h"

namespace trv::config {
namespace {

using db::Exec;
using db::kConfig;
using db::TableName;

constexpr char kResetNote[] =
    "\n\n\r`bright red`(NOTE: You need to reset the game once the tournament is over!)";

void TournamentOff() {
  Exec(kConfig, "UPDATE %s SET TournamentMode=0,MaxLevel=0,EndDate=''", TableName(kConfig));
}

// True when a tournament was started.
bool RaceToLevel() {
  od_printf(
      "\n\n\r`bright magenta`(Enter the level that you wish to have a winner selected when "
      "reached.)");
  od_printf("%s", kResetNote);
  od_printf("\n\n\r`bright white`(Recommended: 100 or greater)");
  od_printf("\n\n\r`dark green`Enter Level: `bright white`");
  std::optional<int> level = EnteredNumber(ReadDigits(4));
  if (!level || *level < 1) {
    TournamentOff();
    return false;
  }
  Exec(kConfig, "UPDATE %s SET TournamentMode=1,MaxLevel=%d,EndDate=''", TableName(kConfig),
       *level);
  return true;
}

bool EndOnDate() {
  od_printf("\n\n\r`bright magenta`(Enter a date that the tournament will end on.)");
  od_printf("%s", kResetNote);
  od_printf("\n\n\r`bright white`(Example: MMDDYYYY - 01052006)");
  od_printf("\n\n\r`dark cyan`Enter Date : `bright white`");
  char date[16] = "";
  if (od_edit_str(date, "####'20'##", 20, 14, 0x03, 0x21, static_cast<char>(0xB0),
                  EDIT_FLAG_EDIT_STRING | EDIT_FLAG_FILL_REQUIRED) != EDIT_RETURN_ACCEPT)
    return false;
  // A date the calendar does not have would never match the game's day.
  if (!IsRealDate(date)) {
    Refused(std::string(date) + " is not a real date; the tournament was not changed.");
    return false;
  }
  Exec(kConfig, "UPDATE %s SET TournamentMode=1,EndDate=%Q,MaxLevel=0", TableName(kConfig), date);
  return true;
}

}  // namespace

void TournamentOption() {
  OptionBanner("Tournament Mode");
  od_printf("\n\n\r`bright white`(Turns On or Off Tournament Mode.)");
  od_printf(
      "\r\n\n `dark green`Turn on Tournament Mode "
      "(`bright yellow`y`dark green`/`bright yellow`N`dark green`)? ");
  const char answer = od_get_answer("YN");
  if (answer == 0) return;
  if (answer == 'N') {
    TournamentOff();
    return;
  }
  od_clr_scr();
  OptionBanner("Type of Tournament");
  od_printf(
      "\n\n\r`bright white`(Select whether or not to end the tournament on a entered date "
      "or)");
  od_printf("\n\r`bright white`(when a player reaches a certain level.)");
  od_printf("\n\n\r`bright yellow`[1] Race to Level Tournament");
  od_printf("\n\n\r`bright yellow`[2] End Tournament On Date");
  od_printf("\n\n\r`dark green`Enter Selection: `bright white`");
  const char kind = od_get_answer("12");
  bool started = false;
  if (kind == '1') started = RaceToLevel();
  if (kind == '2') started = EndOnDate();
  if (!started) return;
  od_printf("\n\n\r`bright yellow`** Tournament Started! **");
  od_get_key(TRUE);
}

}  // namespace trv::config
