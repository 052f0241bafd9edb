#include "game/combat/monsters.h"

#include <stdint.h>

namespace trv::combat {

// The record limit is the area's, not the file's: every line is read.
const DataFormat kMonsterFormat{149, {27, 4, 19, 9, 9, 9, 9, 4, 99, 29}, SIZE_MAX};

namespace {

MonsterTable g_monsters_read;

}  // namespace

MonsterTable ReadMonsters(long long area_index, const char* path) {
  const DataFile file = ReadGameDataFile(path, kMonsterFormat);
  MonsterTable monsters;
  for (const DataRecord& r : file.records) {
    if (monsters.size() == kMaxDataRecords) break;
    if (DataNumber(r[1]) != area_index) continue;
    monsters.push_back({r[0], DataNumber(r[1]), DataNumber(r[2]), DataNumber(r[3]),
                        DataNumber(r[4]), DataNumber(r[5]), DataNumber(r[6]), DataNumber(r[7]),
                        r[8], DataNumber(r[9])});
  }
  return monsters;
}

const MonsterTable& MonstersRead() { return g_monsters_read; }

}  // namespace trv::combat

int read_monsterdata(int area_index, const char* path) {
  trv::combat::g_monsters_read = trv::combat::ReadMonsters(area_index, path);
  return static_cast<int>(trv::combat::g_monsters_read.size());
}
