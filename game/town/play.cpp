// Entering the realm: the world options, the character, the session count
// and the arrival notices, then the entry checks before Main Street.
#include "game/town/play.h"

#include <string>

#include "doorkit/doorkit.h"
#include "game/combat/shops.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/economy/economy.h"
#include "game/kingdom/court.h"
#include "game/kingdom/kingdom.h"
#include "game/maint/maint.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/progress/progress.h"
#include "game/ui/ansi.h"
#include "game/ui/closing.h"
#include "game/ui/ui.h"

namespace trv {
namespace {

using db::Exec;
using db::kPlayer;
using db::TableName;
using player::CallerUserName;

// "(y/n)? " questions of the entry steps, in their colours.
bool AskEntryQuestion(const char* question) {
  Emu(std::string("\n\n\r") + ansi::kBrightGreen + question + " " +
      YesNoAnsi(ansi::kBrightGreen, 'n'));
  return AnswerYes();
}

void OfferNews() {
  od_clr_scr();
  Emu(std::string(ansi::kBrightRed) + kShades + " " + ansi::kBrightCyan + "N E W S" +
      ansi::kBrightRed + " " + kShadesBack);
  if (AskEntryQuestion("Read Daily Realm News")) ShowNews("today");
}

void RefuseTheDead() {
  if (player::CallerInt("HP") > 0) return;
  od_clr_scr();
  od_printf("\n\n\r`bright red`%s", ShadeTitle("YOU ARE DEAD").c_str());
  od_printf("\n\n\r`grey`You are dead until tommorrow when you soul will re-enter you body!");
  od_get_key(TRUE);
  ExitGame();
}

void LeaveTheInn() {
  if (player::CallerText("Inn").empty()) return;
  Check_For_Msgs();
  od_clr_scr();
  if (!AskEntryQuestion("Would you like to leave the Inn")) ExitGame();
  Exec(kPlayer, "UPDATE %s SET Inn='',BodyGuards=0 WHERE UserName=%Q", TableName(kPlayer),
       CallerUserName());
  od_printf("\n\n\r`grey`You wake up after a restful stay at the inn..");
  od_get_key(TRUE);
}

void OfferVacantThrone() {
  db::ResultTable ruler = db::Query(db::kKingdom, "SELECT Ruler FROM %s WHERE Name=%Q",
                                    TableName(db::kKingdom), player::CallerText("Kingdom").c_str());
  if (ruler.empty() || *ruler.Text(0, 0) != '\0') return;
  od_clr_scr();
  od_printf("`yellow`-=-=-=-=-=-=-=-=-=-");
  od_printf("\n\r`bright red` Become New Ruler?");
  od_printf("\n\r`yellow`-=-=-=-=-=-=-=-=-=-");
  od_printf("\n\n\r`bright cyan`Your old ruler decided to abdicate the throne..You seem");
  od_printf("\n\rto be eligible to take over as leader of this great kingdom.");
  if (AskEntryQuestion("Would you like the position of Ruler")) kingdom::TakeOverDyingKingdom();
}

}  // namespace
}  // namespace trv

void PlayGame(void) {
  using namespace trv;
  db::InsertConfigDefaults();
  kingdom::RegisterKingdomRequests();
  economy::RegisterTavern();
  combat::SetStatusScreen(progress::StatusPages);  // the shops' V, the hunt's Y
  CheckTournamentEnd();                            // a finished tournament ends the door here
  // A row without a kingdom is a creation that never finished.
  if (db::Query(kPlayer, "SELECT * FROM %s WHERE UserName=%Q AND Kingdom IS NOT NULL",
                TableName(kPlayer), CallerUserName())
          .empty())
    NewPlayer();
  Broadcast(kEnteredRealm);
  ListOnlineAtEntry();
  // Counted and on-line in one unit: a ghost repair takes away one count
  // for each caller it finds on-line with no door.
  db::RunWriteUnit([] {
    Exec(db::kState, "UPDATE %s SET NumPlayers=NumPlayers+1", TableName(db::kState));
    Exec(kPlayer, "UPDATE %s SET Status=1,WhereInGame='Main Street' WHERE UserName=%Q",
         TableName(kPlayer), CallerUserName());
    return true;
  });
  player::SetSessionCounted(true);
  OfferNews();
  RefuseTheDead();
  LeaveTheInn();
  OfferVacantThrone();
  MainStreet();
}
