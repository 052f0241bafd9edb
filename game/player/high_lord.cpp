#include "game/player/high_lord.h"

#include <stdio.h>
#include <string.h>

#include "game/db/exclusive_file.h"

namespace trv::player {
namespace {

// A NUL-terminated field of a fixed width (no NUL: the whole width).
std::string Field(const char* bytes, size_t width) {
  return std::string(bytes, strnlen(bytes, width));
}

}  // namespace

std::optional<HighLordRecord> ParseHighLordRecord(const char* bytes, size_t size) {
  if (size < kHighLordRecordSize) return std::nullopt;
  HighLordRecord record;
  record.player_name = Field(bytes + kHighLordNameOffset, kHighLordNameWidth);
  record.user_name = Field(bytes + kHighLordUserOffset, kHighLordUserWidth);
  record.crowned_on = Field(bytes + kHighLordDateOffset, kHighLordDateWidth);
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

void DropHighLordTitle(const std::string& player_name) {
  if (!fexist(kHighLordFile)) return;
  db::ExclusiveFile file(kHighLordFile, "r+b");
  if (!file) return;
  // A short record still names its holder as far as it goes.
  char record[kHighLordRecordSize] = {};
  size_t got = fread(record, 1, sizeof record, file.get());
  file.Close();
  if (got == 0) return;
  if (Field(record + kHighLordNameOffset, kHighLordNameWidth) == player_name) remove(kHighLordFile);
}

}  // namespace trv::player
