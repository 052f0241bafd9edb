#include "game/maint/high_lord.h"

#include <optional>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/maint/maint.h"
#include "game/messaging/messaging.h"
#include "game/player/high_lord.h"
#include "game/ui/ui.h"

namespace trv::maint {

void AnnounceHighLord(const std::string& player_name) {
  AddNews("`grey`--==[Tarvessia High Lord]==--`dark green`",
          (CleanText(player_name.c_str()) + " earns the rewards for today..").c_str(), "");
}

}  // namespace trv::maint

bool IsHighLordToday(const char* userName) {
  using namespace trv;
  std::optional<player::HighLordRecord> lord = player::ReadHighLord();
  if (!lord) return false;
  db::ResultTable me = db::Query(db::kPlayer, "SELECT PlayerName FROM %s WHERE UserName=%Q",
                                 db::TableName(db::kPlayer), userName);
  if (me.empty() || lord->player_name != me.Text(0, 0)) return false;
  maint::AnnounceHighLord(lord->player_name);
  return true;
}
