#include "game/maint/marriages.h"

#include <stdlib.h>

#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/ui/ui.h"

namespace trv::maint {
namespace {

using db::Exec;
using db::Query;
using db::ResultTable;
using db::TableName;

void Birth(const std::string& partner1, const std::string& partner2, const char* user1,
           const char* user2) {
  AddNews("`bright magenta`HAPPY PARENTS`bright blue`",
          (partner1 + " and " + partner2 + " are the proud parents of a new baby!!").c_str(), "");
  AddPersonal(
      user1, "`bright magenta`ROMANTIC NIGHT",
      ("`yellow`You and " + partner2 + " spent the night shagging! Out pops a kid!").c_str(), "");
  AddPersonal(
      user2, "`bright magenta`ROMANTIC NIGHT",
      ("`yellow`You and " + partner1 + " spent the night shagging! Out pops a kid!").c_str(), "");
  Exec(db::kMarriage,
       "UPDATE %s SET Kids=IFNULL(Kids,0)+1 WHERE Partner1UserName=%Q AND Partner2UserName=%Q",
       TableName(db::kMarriage), user1, user2);
  ResultTable kids =
      Query(db::kMarriage, "SELECT Kids FROM %s WHERE Partner1UserName=%Q OR Partner2UserName=%Q",
            TableName(db::kMarriage), user1, user2);
  int extra = ExtraFightsForKids(kids.Int(0, 0));
  if (extra <= 0) return;
  Exec(db::kPlayer, "UPDATE %s SET MonsterFights=MonsterFights+%d WHERE UserName=%Q OR UserName=%Q",
       TableName(db::kPlayer), extra, user1, user2);
  const std::string gain = "You gain an extra `bright green`" + std::to_string(extra) +
                           "`bright yellow` monster fights!";
  for (const char* user : {user1, user2})
    AddPersonal(user, "`bright red`EXTRA MONSTER FIGHTS!",
                "`bright yellow`Your kids make you feel so proud of them!", gain.c_str());
}

}  // namespace

bool ChildBorn(int roll) { return roll < 3; }

int ExtraFightsForKids(long long kids) { return static_cast<int>(kids / 4); }

void UpdateMarriages() {
  SeedRandom();
  ResultTable couples =
      Query(db::kMarriage, "SELECT Partner1, Partner2, Partner1UserName, Partner2UserName FROM %s",
            TableName(db::kMarriage));
  for (int r = 0; r < couples.rows(); ++r) {
    if (!ChildBorn(rand() % 10)) continue;
    Birth(CleanText(couples.Text(r, 0)), CleanText(couples.Text(r, 1)), couples.Text(r, 2),
          couples.Text(r, 3));
  }
}

}  // namespace trv::maint
