// Renaming a kingdom under a new ruler, and taking a vacant throne.
#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/kingdom.h"
#include "game/kingdom/naming.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/player/character.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::Exec;
using db::kKingdom;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;

constexpr char kBeingCreated[] =
    "`bright cyan`A glorious kingdom is being created in your honor. By using an attractive\n\r";

// What the takeover changes beyond the rename, in the same write unit as
// the rename, so the citizens never hold a name the kingdom lost.
void TakeOverRows(const std::string& old_name, const std::string& new_name) {
  const char* user = player::CallerUserName();
  int slot = static_cast<int>(
      Query(kKingdom, "SELECT IDNum FROM %s WHERE Name=%Q", TableName(kKingdom), new_name.c_str())
          .Int(0, 0));
  Exec(kKingdom,
       "UPDATE %s SET DipName%d=%Q,Dip%dWar=0,Dip%dPeace=0,Dip%dTrade=0 WHERE DipName%d=%Q",
       TableName(kKingdom), slot, new_name.c_str(), slot, slot, slot, slot, old_name.c_str());
  Exec(kPlayer, "UPDATE %s SET Soldiers=0 WHERE UserName=%Q", TableName(kPlayer), user);
  player::ClearPosts(user);
  Exec(kPlayer, "UPDATE %s SET Kingdom=%Q WHERE Kingdom=%Q", TableName(kPlayer), new_name.c_str(),
       old_name.c_str());
}

// The dialog, then the rename of the row `where` selects (a format with
// one %Q, given `key`) under one write lock. `vacant` asks that the throne
// still be empty; `also` runs inside the unit after the rename.
Renaming Rename(const char* select, const char* update, const std::string& key, bool vacant,
                void (*also)(const std::string&, const std::string&)) {
  std::string name = AskKingdomName(kBeingCreated);
  if (name.empty()) return Renaming::kAgain;
  const std::string me = player::CallerPlayerName();
  Renaming result = Renaming::kGone;
  db::RunWriteUnit([&] {
    ResultTable row = Query(kKingdom, select, TableName(kKingdom), key.c_str());
    if (row.empty() || (vacant && *row.Text(0, "Ruler") != '\0')) return false;
    const std::string old_name = row.Text(0, "Name");
    ResultTable clash =
        Query(kKingdom, "SELECT Name FROM %s WHERE Name=%Q COLLATE NOCASE AND Name<>%Q",
              TableName(kKingdom), name.c_str(), old_name.c_str());
    if (!clash.empty()) {
      result = Renaming::kAgain;
      return false;
    }
    Exec(kPlayer, "UPDATE %s SET Kingdom=%Q WHERE UserName=%Q", TableName(kPlayer), name.c_str(),
         player::CallerUserName());
    Exec(kKingdom, update, TableName(kKingdom), name.c_str(), me.c_str(), player::CallerUserName(),
         key.c_str());
    if (also) also(old_name, name);
    result = Renaming::kRenamed;
    return true;
  });
  if (result == Renaming::kAgain) TellNameInUse();
  return result;
}

}  // namespace

Renaming RenameKingdomByName(const std::string& old_name) {
  return Rename("SELECT Name,Ruler FROM %s WHERE Name=%Q",
                "UPDATE %s SET Name=%Q,Ruler=%Q,RulerUserName=%Q WHERE Name=%Q", old_name, true,
                nullptr);
}

Renaming RenameKingdomByRuler(const std::string& ruler_user_name) {
  return Rename("SELECT Name,Ruler FROM %s WHERE RulerUserName=%Q",
                "UPDATE %s SET Name=%Q,Ruler=%Q,RulerUserName=%Q WHERE RulerUserName=%Q",
                ruler_user_name, false, nullptr);
}

bool TakeOverDyingKingdom() {
  od_clr_scr();
  od_printf("\n\n\r`bright yellow`%s CONGRATULATIONS!!! %s", kShades, kShadesBack);
  od_printf("\n\n\r`bright blue`You have decided to take over a dying kingdom, and");
  od_printf("\n\rnow try to lead the kingdom in a better direction.");
  od_printf("\n\n\r`bright green`%s CONTINUE TO NAME KINGDOM %s", kShades, kShadesBack);
  od_get_key(TRUE);

  const char* user = player::CallerUserName();
  const std::string old_name = player::CallerText("Kingdom");
  Renaming result;
  do {
    result = Rename("SELECT Name,Ruler FROM %s WHERE Name=%Q",
                    "UPDATE %s SET Name=%Q,Ruler=%Q,RulerUserName=%Q WHERE Name=%Q", old_name, true,
                    TakeOverRows);
  } while (result == Renaming::kAgain);
  if (result == Renaming::kGone) {
    od_printf("\n\n\r`bright red`Too late! Another citizen has already taken the throne..");
    PressAnyKey();
    return false;
  }

  ResultTable mine = Query(kKingdom, "SELECT Name,IDNum FROM %s WHERE RulerUserName=%Q",
                           TableName(kKingdom), user);
  const std::string new_name = mine.Text(0, 0);
  const std::string me = player::CallerPlayerName();
  AddNews(
      (std::string("`bright red`") + kShades + " KINGDOM RE-BORN " + kShadesBack + "`bright cyan`")
          .c_str(),
      (me + " has taken over the abdicated throne of " + old_name).c_str(),
      ("They have now established their new kingdom: " + new_name).c_str());
  ResultTable citizens =
      Query(kPlayer, "SELECT UserName FROM %s WHERE UserName<>%Q AND Kingdom=%Q ORDER BY IDNum",
            TableName(kPlayer), user, new_name.c_str());
  const std::string line2 = "Your new kingdom name is: " + new_name + ", ruled by " + me;
  for (int r = 0; r < citizens.rows(); ++r)
    AddPersonal(citizens.Text(r, 0), "`bright cyan`KINGDOM RULER CHANGE!",
                "After your old ruler abdicated the throne, a new ruler is in place!",
                line2.c_str());

  od_printf("\n\n\r`yellow`Good luck as the new ruler!!!");
  od_printf("\n\n\rMake sure to set taxes, and other kingdom duties!");
  od_printf("\n\n\r`dark green`%s Press Any Key %s", kShades, kShadesBack);
  od_get_key(TRUE);
  return true;
}

}  // namespace trv::kingdom
