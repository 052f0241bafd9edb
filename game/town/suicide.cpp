// Main Street's * key: deleting the caller's character, once a day.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/player/character.h"
#include "game/player/high_lord.h"
#include "game/town/play.h"
#include "game/ui/closing.h"
#include "game/ui/ui.h"

namespace trv {
namespace {

using db::Exec;
using db::Query;
using db::TableName;

bool Relieved() {
  od_printf("\n\n\r`bright yellow`%s", ShadeTitle("Thank goodness!! We woulda missed ya!").c_str());
  od_get_key(TRUE);
  return false;
}

bool Resolved() {
  od_printf("`yellow`-=-=-=-=-=-=-");
  od_printf("\n\r`bright red`  SUICIDE");
  od_printf("\n\r`yellow`-=-=-=-=-=-=-");
  od_printf("\n\n\r`bright green`You do know that suicide is forever right??");
  od_printf(
      "\n\n\r`dark green`Leave this cruel world [`bright yellow`y`dark green`/`bright "
      "yellow`N`dark green`]? ");
  if (!AnswerYes()) return Relieved();
  od_printf(
      "\n\n\r`bright red`ARE YOU REALLY SURE [`bright yellow`y`bright red`/`bright "
      "yellow`N`bright red`]?? ");
  if (!AnswerYes()) return Relieved();
  return true;
}

void DeleteCharacter(const std::string& user, const std::string& player_name) {
  const char* u = user.c_str();
  const char* name = player_name.c_str();
  const bool counted = player::SessionCounted();
  db::RunWriteUnit([&] {
    // Requests the character sent go too: nobody may later accept a
    // proposal from a character that no longer exists.
    Exec(db::kUserNews, "DELETE FROM %s WHERE UserName=%Q OR SenderUserName=%Q",
         TableName(db::kUserNews), u, u);
    Exec(db::kQuest, "DELETE FROM %s WHERE UserName=%Q", TableName(db::kQuest), u);
    player::ClearPosts(user, player::Posts::kNoblesAndThrone);
    Exec(db::kMarriage, "DELETE FROM %s WHERE Partner1=%Q OR Partner2=%Q", TableName(db::kMarriage),
         name, name);
    // SetByUsername holds a user name, though older rows may hold the
    // character's name: either way the poster goes.
    Exec(db::kPoster, "DELETE FROM %s WHERE Wanted=%Q OR SetByUsername=%Q OR SetByUsername=%Q",
         TableName(db::kPoster), name, name, u);
    Exec(db::kPlayer, "DELETE FROM %s WHERE UserName=%Q", TableName(db::kPlayer), u);
    Exec(db::kDemon, "DELETE FROM %s WHERE SentByUserName=%Q OR UserName=%Q", TableName(db::kDemon),
         u, u);
    Exec(db::kSuicide, "INSERT INTO %s (UserName) VALUES (%Q)", TableName(db::kSuicide), u);
    if (counted) player::TakeSessionFromCount();
    return true;
  });
  // The exit hook finds no character and no counted session to take away.
  player::SetSessionCounted(false);
}

}  // namespace
}  // namespace trv

void Suicide(void) {
  using namespace trv;
  const std::string user = player::CallerUserName();
  od_clr_scr();
  if (!Query(db::kSuicide, "SELECT * FROM %s WHERE UserName=%Q", TableName(db::kSuicide),
             user.c_str())
           .empty()) {
    od_printf("`bright red`You have already suicided once today..");
    od_printf("\r\n\nYou cannot commit suicide until tommorrow..");
    od_get_key(TRUE);
    return;
  }
  if (!Resolved()) return;
  od_printf("\n\n\r`bright magenta`You fight the nearest cliff and throw yourself off it!");
  od_printf("\n\rThe fall pushes your head clean through your ass!!");
  od_printf("\n\n\r`bright red`Player Record Deleted....");
  const std::string player_name = player::CallerPlayerName();
  AddNews("`bright cyan`SUICIDE",
          (player_name + " committed suicide today..They threw themselves off a cliff..").c_str(),
          "");
  player::DropHighLordTitle(player_name);
  DeleteCharacter(user, player_name);
  ExitGame();
}
