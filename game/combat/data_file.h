// The reader of the game's data files (items, spells, poisons, monsters,
// quests): plain text, one record a line, fields split at commas.
//
// The files are edited by sysops with any editor, so the reader is strict
// about what makes a record and lenient about the rest: a line with the
// wrong number of fields or an empty field is skipped (an empty name could
// otherwise match an empty equipment slot), the tail of an over-long line
// is thrown away rather than read as a record of its own, CR/LF endings
// work, and numbers are read as atol reads them, saturating instead of
// overflowing. Each file declares its format once:
//
//   const DataFormat kPoisons{99, {28, 49, 4}};
//   DataFile poisons = ReadGameDataFile("Data/poison.dat", kPoisons);
#ifndef TRV_GAME_COMBAT_DATA_FILE_H_
#define TRV_GAME_COMBAT_DATA_FILE_H_

#include <stddef.h>

#include <optional>
#include <string>
#include <vector>

namespace trv::combat {

// Records a reader keeps at most; the rest of the file is ignored.
inline constexpr size_t kMaxDataRecords = 1200;

struct DataFormat {
  // The reader's line buffer: a line, its line break included, may hold
  // line_limit - 1 bytes; the rest of a longer line is thrown away.
  size_t line_limit;
  // One width per field: the longest value kept (a longer one is cut).
  std::vector<size_t> widths;
  size_t record_limit = kMaxDataRecords;
  // The last field may be followed by one comma (the quest list was
  // written that way, for a reader that kept the line break).
  bool trailing_comma = false;
};

using DataRecord = std::vector<std::string>;

struct DataFile {
  std::vector<DataRecord> records;  // file order
  int skipped_lines = 0;            // text that made no record
  int cut_lines = 0;                // over-long lines whose tail was thrown away
};

// Reads the file; nullopt when it cannot be opened. Blank lines are
// passed over silently.
std::optional<DataFile> ReadDataFile(const char* path, const DataFormat& format);

// The game's readers: a file that cannot be opened is a broken
// installation, so it prints "Cannot open input file - <path>" to the
// caller and the BBS's log and ends the door with status 1 (the exit hook
// still marks the caller off-line).
DataFile ReadGameDataFile(const char* path, const DataFormat& format);

// The first record whose name is `name`; nullptr for "" (an empty slot
// never matches) and for a name the file does not hold. Names are exact.
template <class Record>
const Record* FindByName(const std::vector<Record>& records, const std::string& name) {
  if (name.empty()) return nullptr;
  for (const Record& record : records)
    if (record.name == name) return &record;
  return nullptr;
}

// A number field as atol reads it (blanks, a sign, digits up to the first
// other character; no digits is 0), saturating at the 64-bit limits.
long long DataNumber(const std::string& field);
// The same, kept within int (for values bound into statements with %d).
int DataInt(const std::string& field);

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_DATA_FILE_H_
