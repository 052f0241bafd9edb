// Entering the realm: the world options, the character, the session count
// and the arrival notices, then the entry checks before Main Street.
#include "game/session/play.h"

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/kingdom/kingdom.h"
#include "game/maint/maint.h"
#include "game/messaging/messaging.h"
#include "game/session/ansi.h"
#include "game/session/frame.h"
#include "game/session/ui.h"

namespace trv {
namespace {

using db::Exec;
using db::kKingdom;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;

const char* Me() { return od_control.user_name; }

// "(y/n)? " questions of the entry steps, in their colours.
bool AskYesNo(const char* lead, const char* question) {
  Emu(std::string(lead) + ansi::kBrightGreen + question + " (" + ansi::kBrightYellow + "y" +
      ansi::kBrightGreen + "/" + ansi::kBrightYellow + "n" + ansi::kBrightGreen + ")? ");
  return AnswerYes();
}

void OfferNews() {
  od_clr_scr();
  Emu(std::string(ansi::kBrightRed) + kShades + " " + ansi::kBrightCyan + "N E W S" +
      ansi::kBrightRed + " " + kShadesBack);
  if (AskYesNo("\n\n\r", "Read Daily Realm News")) ShowNews("today");
}

void RefuseTheDead() {
  ResultTable hp = Query(kPlayer, "SELECT HP FROM %s WHERE UserName=%Q", TableName(kPlayer), Me());
  if (hp.Int(0, 0) > 0) return;
  od_clr_scr();
  od_printf("\n\n\r`bright red`%s", ShadeTitle("YOU ARE DEAD").c_str());
  od_printf("\n\n\r`grey`You are dead until tommorrow when you soul will re-enter you body!");
  od_get_key(TRUE);
  ExitGame();
}

void LeaveTheInn() {
  ResultTable inn =
      Query(kPlayer, "SELECT Inn FROM %s WHERE UserName=%Q", TableName(kPlayer), Me());
  if (*inn.Text(0, 0) == '\0') return;
  Check_For_Msgs();
  od_clr_scr();
  if (!AskYesNo("\n\n\r", "Would you like to leave the Inn")) ExitGame();
  Exec(kPlayer, "UPDATE %s SET Inn='',BodyGuards=0 WHERE UserName=%Q", TableName(kPlayer), Me());
  od_printf("\n\n\r`grey`You wake up after a restful stay at the inn..");
  od_get_key(TRUE);
}

void OfferVacantThrone() {
  ResultTable me = Query(kPlayer, "SELECT PlayerName,Kingdom FROM %s WHERE UserName=%Q",
                         TableName(kPlayer), Me());
  ResultTable ruler =
      Query(kKingdom, "SELECT Ruler FROM %s WHERE Name=%Q", TableName(kKingdom), me.Text(0, 1));
  if (ruler.empty() || *ruler.Text(0, 0) != '\0') return;
  od_clr_scr();
  od_printf("`yellow`-=-=-=-=-=-=-=-=-=-");
  od_printf("\n\r`bright red` Become New Ruler?");
  od_printf("\n\r`yellow`-=-=-=-=-=-=-=-=-=-");
  od_printf("\n\n\r`bright cyan`Your old ruler decided to abdicate the throne..You seem");
  od_printf("\n\rto be eligible to take over as leader of this great kingdom.");
  if (AskYesNo("\n\n\r", "Would you like the position of Ruler")) kingdom::TakeOverDyingKingdom();
}

}  // namespace
}  // namespace trv

void PlayGame(void) {
  using namespace trv;
  db::InsertConfigDefaults();
  CheckTournamentEnd();  // a finished tournament ends the door here
  // A row without a kingdom is a creation that never finished.
  if (Query(kPlayer, "SELECT * FROM %s WHERE UserName=%Q AND Kingdom IS NOT NULL",
            TableName(kPlayer), Me())
          .empty())
    NewPlayer();
  Exec(db::kState, "UPDATE %s SET NumPlayers=NumPlayers+1", TableName(db::kState));
  SetSessionCounted(true);
  Broadcast(1);
  ListOnlineAtEntry();
  Exec(kPlayer, "UPDATE %s SET Status=1,WhereInGame='Main Street' WHERE UserName=%Q",
       TableName(kPlayer), Me());
  OfferNews();
  RefuseTheDead();
  LeaveTheInn();
  OfferVacantThrone();
  MainStreet();
}
