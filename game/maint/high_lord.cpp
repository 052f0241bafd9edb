#include "game/maint/high_lord.h"

#include <string.h>

#include "game/db/db.h"
#include "game/db/exclusive_file.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/maint/maint.h"
#include "game/messaging/messaging.h"
#include "game/session/ui.h"

namespace trv::maint {
namespace {

// A NUL-terminated field of a fixed width (no NUL: the whole width).
std::string Field(const char* bytes, size_t width) {
  return std::string(bytes, strnlen(bytes, width));
}

}  // namespace

std::optional<HighLordRecord> ParseHighLordRecord(const char* bytes, size_t size) {
  if (size < kHighLordRecordSize) return std::nullopt;
  HighLordRecord record;
  record.player_name = Field(bytes, 21);
  record.user_name = Field(bytes + 21, 36);
  return record;
}

std::optional<HighLordRecord> ReadHighLord() {
  if (!fexist(kHighLordFile)) return std::nullopt;
  db::ExclusiveFile file(kHighLordFile, "r+b");
  if (!file) return std::nullopt;
  char bytes[kHighLordRecordSize];
  size_t got = fread(bytes, 1, sizeof bytes, file.get());
  std::optional<HighLordRecord> record = ParseHighLordRecord(bytes, got);
  if (!record || record->user_name.empty() || record->player_name.empty()) return std::nullopt;
  return record;
}

void AnnounceHighLord(const std::string& player_name) {
  AddNews("`grey`--==[Tarvessia High Lord]==--`dark green`",
          (CleanText(player_name.c_str()) + " earns the rewards for today..").c_str(), "");
}

}  // namespace trv::maint

bool IsHighLordToday(const char* userName) {
  using namespace trv;
  std::optional<maint::HighLordRecord> lord = maint::ReadHighLord();
  if (!lord) return false;
  db::ResultTable me = db::Query(db::kPlayer, "SELECT PlayerName FROM %s WHERE UserName=%Q",
                                 db::TableName(db::kPlayer), userName);
  if (me.empty() || lord->player_name != me.Text(0, 0)) return false;
  maint::AnnounceHighLord(lord->player_name);
  return true;
}
