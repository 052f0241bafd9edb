#include "game/maint/time_file.h"

#include <errno.h>
#include <string.h>

#include "game/db/exclusive_file.h"

namespace trv::maint {

std::string TimeRecord(const GameDate& date) {
  std::string record = date.Format("YYYYMMDD");
  record.append(kTimeRecordSize - record.size(), '\0');
  return record;
}

std::optional<GameDate> ParseTimeRecord(const char* bytes, size_t size) {
  if (size < kTimeRecordSize || bytes[8] != '\0') return std::nullopt;
  return GameDate::Parse(std::string(bytes, 8), "YYYYMMDD");
}

std::optional<GameDate> ReadTimeFile() {
  db::ExclusiveFile file(kTimeFile, "r+b");
  if (!file) return std::nullopt;
  char bytes[kTimeRecordSize];
  size_t got = fread(bytes, 1, sizeof bytes, file.get());
  return ParseTimeRecord(bytes, got);
}

bool WriteTimeFile(const GameDate& date, std::string* error) {
  errno = 0;
  db::ExclusiveFile file(kTimeFile, "w+b");
  if (!file) {
    *error = errno != 0 ? strerror(errno) : "the file is locked by another node";
    return false;
  }
  const std::string record = TimeRecord(date);
  bool ok = fwrite(record.data(), 1, record.size(), file.get()) == record.size() &&
            fflush(file.get()) == 0;
  if (!ok) *error = strerror(errno);
  file.Close();
  return ok;
}

}  // namespace trv::maint
