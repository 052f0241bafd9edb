#include "game/player/high_lord.h"

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "game/db/db.h"
#include "game/db/exclusive_file.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/player/caller.h"
#include "game/ui/game_date.h"

namespace trv::player {
namespace {

// A NUL-terminated field of a fixed width (no NUL: the whole width).
std::string Field(const char* bytes, size_t width) {
  return std::string(bytes, strnlen(bytes, width));
}

// What of `text` a field of `width` keeps: its NUL always fits.
std::string Fit(const std::string& text, size_t width) { return text.substr(0, width - 1); }

bool SameUser(const std::string& a, const std::string& b) {
  return Fit(a, kHighLordUserWidth) == Fit(b, kHighLordUserWidth);
}

bool HasCharacter(const std::string& user_name) {
  return !db::Query(db::kPlayer, "SELECT IDNum FROM %s WHERE UserName=%Q",
                    db::TableName(db::kPlayer), user_name.c_str())
              .empty();
}

// The state a record read from the file gives; `got` bytes were read.
HighLordTitle TitleOf(const char* bytes, size_t got) {
  HighLordTitle title;
  std::optional<HighLordRecord> record = ParseHighLordRecord(bytes, got);
  if (!record || record->user_name.empty() || record->player_name.empty()) return title;
  // A holder whose character is gone (deleted on a node that could not
  // drop the file) leaves the title open.
  if (!HasCharacter(record->user_name)) return title;
  title.state = TitleState::kHeld;
  title.holder = std::move(*record);
  return title;
}

// Reads the record from the start of the locked file; false on a read
// error. Fewer bytes than a record (a new or damaged file) read as vacant.
bool ReadRecord(FILE* file, char (&bytes)[kHighLordRecordSize], size_t* got) {
  rewind(file);
  *got = fread(bytes, 1, sizeof bytes, file);
  return !ferror(file);
}

// The file opened for a read and a rewrite under the lock: created when
// missing, never emptied by the open. A lock won on a file that was
// deleted meanwhile (its holder's suicide, a world reset) is let go and the
// path opened again, so a crowning never lands in a deleted file. nullptr
// when no lock came in time.
std::unique_ptr<db::ExclusiveFile> LockForUpdate() {
  for (int attempt = 0; attempt < 3; ++attempt) {
    auto file = std::make_unique<db::ExclusiveFile>(kHighLordFile, "a+b");
    if (!*file) return nullptr;
    struct stat locked, named;
    if (fstat(file->descriptor(), &locked) == 0 && stat(kHighLordFile, &named) == 0 &&
        locked.st_ino == named.st_ino && locked.st_dev == named.st_dev)
      return file;
  }
  return nullptr;
}

// Replaces the whole content of the locked file by the record.
bool Rewrite(FILE* file, const std::string& record) {
  // The stream is in append mode: once emptied, the write lands at 0.
  if (fseek(file, 0, SEEK_SET) != 0 || ftruncate(fileno(file), 0) != 0) return false;
  return fwrite(record.data(), 1, record.size(), file) == record.size() && fflush(file) == 0;
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

std::string FormatHighLordRecord(const HighLordRecord& record) {
  std::string bytes(kHighLordRecordSize, '\0');
  auto put = [&](size_t offset, size_t width, const std::string& text) {
    const std::string kept = Fit(text, width);
    bytes.replace(offset, kept.size(), kept);
  };
  put(kHighLordNameOffset, kHighLordNameWidth, record.player_name);
  put(kHighLordUserOffset, kHighLordUserWidth, record.user_name);
  put(kHighLordDateOffset, kHighLordDateWidth, record.crowned_on);
  return bytes;
}

std::string CrownDate(const GameDate& date) { return date.Format("MMMMMMMMM DD, YYYY"); }

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

HighLordTitle ReadHighLordTitle() {
  HighLordTitle busy;
  busy.state = TitleState::kBusy;
  if (!fexist(kHighLordFile)) {
    // No file is a vacancy; anything else at the path (a directory) is not
    // a file we can read.
    struct stat info;
    return stat(kHighLordFile, &info) == 0 ? busy : HighLordTitle{};
  }
  db::ExclusiveFile file(kHighLordFile, "r+b");
  if (!file) return fexist(kHighLordFile) ? busy : HighLordTitle{};
  char bytes[kHighLordRecordSize];
  size_t got = 0;
  if (!ReadRecord(file.get(), bytes, &got)) return busy;
  return TitleOf(bytes, got);
}

Crowning WriteHighLord(const std::string& holder_user) {
  HighLordRecord successor;
  successor.user_name = CallerUserName();
  successor.player_name = CallerPlayerName();
  if (successor.player_name.empty()) return Crowning::kTitleMoved;  // no character to crown
  successor.crowned_on = CrownDate(GameDate::Today());

  std::unique_ptr<db::ExclusiveFile> file = LockForUpdate();
  if (!file) return Crowning::kBusy;
  char bytes[kHighLordRecordSize];
  size_t got = 0;
  if (!ReadRecord(file->get(), bytes, &got)) return Crowning::kBusy;
  const HighLordTitle title = TitleOf(bytes, got);
  const bool still_as_seen =
      title.state == TitleState::kVacant ||
      (!holder_user.empty() && SameUser(title.holder.user_name, holder_user));
  if (!still_as_seen) return Crowning::kTitleMoved;
  if (!Rewrite(file->get(), FormatHighLordRecord(successor))) return Crowning::kBusy;
  file->Close();
  return Crowning::kCrowned;
}

void DropHighLordTitle(const std::string& player_name) {
  if (!fexist(kHighLordFile)) return;
  db::ExclusiveFile file(kHighLordFile, "r+b");
  if (!file) return;
  // A short record still names its holder as far as it goes.
  char record[kHighLordRecordSize] = {};
  size_t got = fread(record, 1, sizeof record, file.get());
  if (got == 0) return;
  // Removed while the lock is held: a node crowning meanwhile waits for
  // the lock and then finds its file gone, and opens the path afresh.
  if (Field(record + kHighLordNameOffset, kHighLordNameWidth) == player_name) remove(kHighLordFile);
}

}  // namespace trv::player
