// The game data files as a sysop's editor may leave them: every reader
// (items, spells, poisons, monsters) takes any bytes without a crash, keeps
// at most its record limit, never a field wider than the format allows,
// and reads numbers without overflow. The first byte picks the file.
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "fuzz/fuzz.h"
#include "game/combat/data_file.h"
#include "game/combat/items.h"
#include "game/combat/magic.h"
#include "game/combat/monsters.h"
#include "game/combat/spells.h"

namespace {

using namespace trv::combat;

// One scratch file per process, in TMPDIR when it is set: the readers
// take a path, and on tmpfs (TMPDIR=/dev/shm) the target runs more than
// twice as fast as on disk.
const std::string& ScratchFile() {
  static const std::string path = [] {
    const char* dir = getenv("TMPDIR");
    std::string name =
        std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/trv_data_fuzz_XXXXXX";
    int fd = mkstemp(name.data());
    if (fd < 0) abort();
    close(fd);
    return name;
  }();
  return path;
}

void Write(const uint8_t* data, size_t size) {
  FILE* file = fopen(ScratchFile().c_str(), "wb");
  if (file == nullptr) abort();
  fwrite(data, 1, size, file);
  fclose(file);
}

void CheckFile(const DataFormat& format) {
  std::optional<DataFile> file = ReadDataFile(ScratchFile().c_str(), format);
  FUZZ_CHECK(file.has_value());
  FUZZ_CHECK(file->records.size() <= format.record_limit);
  for (const DataRecord& record : file->records) {
    FUZZ_CHECK(record.size() == format.widths.size());
    for (size_t i = 0; i < record.size(); ++i) {
      FUZZ_CHECK(!record[i].empty() && record[i].size() <= format.widths[i]);
      DataNumber(record[i]);
      DataInt(record[i]);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 1 << 16) return 0;
  Write(data + 1, size - 1);
  const char* path = ScratchFile().c_str();
  switch (data[0] % 4) {
    case 0:
      CheckFile(kItemFormat);
      FUZZ_CHECK(ReadItems(path).size() <= kMaxDataRecords);
      break;
    case 1:
      CheckFile(kSpellFormat);
      FUZZ_CHECK(ReadSpells(path).size() <= kMaxDataRecords);
      break;
    case 2:
      CheckFile(kPoisonFormat);
      FUZZ_CHECK(ReadPoisons(path).size() <= kMaxDataRecords);
      break;
    default:
      CheckFile(kMonsterFormat);
      for (long long area : {0LL, 1LL, 29LL, -1LL, 1LL << 40})
        FUZZ_CHECK(ReadMonsters(area, path).size() <= kMaxDataRecords);
      break;
  }
  return 0;
}
