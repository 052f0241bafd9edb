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

// The dialog, then the rename of the row `key` selects (its Name, and for
// a coup also its ruler) under one write lock. `vacant` asks that the
// throne still be empty; `also` runs inside the unit after the rename.
struct RowKey {
  std::string name;
  std::string ruler_user;  // "" : any ruler (with `vacant`, none)
  bool by_ruler = false;
};

ResultTable FindRow(const RowKey& key) {
  if (key.by_ruler)
    return Query(kKingdom, "SELECT Name,Ruler FROM %s WHERE Name=%Q AND RulerUserName=%Q",
                 TableName(kKingdom), key.name.c_str(), key.ruler_user.c_str());
  return Query(kKingdom, "SELECT Name,Ruler FROM %s WHERE Name=%Q", TableName(kKingdom),
               key.name.c_str());
}

Renaming Rename(const RowKey& key, bool vacant, const RenameAlso& also) {
  // A coup renames the kingdom of the ruler it fought; a vacant throne is
  // claimed, never renamed by "its ruler" '' (that would be every vacant
  // kingdom at once).
  if (key.by_ruler && key.ruler_user.empty()) return Renaming::kGone;
  std::string name = AskKingdomName(kBeingCreated);
  if (name.empty()) return Renaming::kAgain;
  const std::string me = player::CallerPlayerName();
  Renaming result = Renaming::kGone;
  db::RunWriteUnit([&] {
    ResultTable row = FindRow(key);
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
    if (key.by_ruler)
      Exec(kKingdom,
           "UPDATE %s SET Name=%Q,Ruler=%Q,RulerUserName=%Q WHERE Name=%Q AND RulerUserName=%Q",
           TableName(kKingdom), name.c_str(), me.c_str(), player::CallerUserName(),
           old_name.c_str(), key.ruler_user.c_str());
    else
      Exec(kKingdom, "UPDATE %s SET Name=%Q,Ruler=%Q,RulerUserName=%Q WHERE Name=%Q",
           TableName(kKingdom), name.c_str(), me.c_str(), player::CallerUserName(),
           old_name.c_str());
    if (also) also(old_name, name);
    result = Renaming::kRenamed;
    return true;
  });
  if (result == Renaming::kAgain) TellNameInUse();
  return result;
}

}  // namespace

Renaming RenameKingdomByName(const std::string& old_name) {
  return Rename(RowKey{old_name, "", false}, true, nullptr);
}

Renaming RenameKingdomByRuler(const std::string& old_name, const std::string& ruler_user_name,
                              const RenameAlso& also) {
  return Rename(RowKey{old_name, ruler_user_name, true}, false, also);
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
    result = Rename(RowKey{old_name, "", false}, true, TakeOverRows);
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
