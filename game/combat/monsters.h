// The monsters of the thirty hunting areas (Data/monster.dat).
//
// One monster a line: name, area field (area number minus one), hit
// points, attack, defence, magic, poison, group bound, gold, experience.
// A search reads the file afresh and keeps the monsters of its area only.
#ifndef TRV_GAME_COMBAT_MONSTERS_H_
#define TRV_GAME_COMBAT_MONSTERS_H_

#include <string>
#include <vector>

#include "game/combat/data_file.h"

namespace trv::combat {

inline constexpr char kMonsterFile[] = "Data/monster.dat";
extern const DataFormat kMonsterFormat;

struct Monster {
  std::string name;
  long long area = 0;        // the area field: area number minus one
  long long hit_points = 0;  // of each member, at the start
  long long attack = 0;      // the raw blow is a draw below it
  long long defence = 0;     // taken from every blow of the player
  long long magic = 0;       // bound of the spell bonus; 0 casts none
  long long poison = 0;      // bound of the poison bonus; 0 has none
  long long group_bound = 0;
  std::string gold;  // carried by one member; text read with player::Amount
  long long experience = 0;
};
using MonsterTable = std::vector<Monster>;

// The monsters whose area field is `area_index`, in file order, at most
// kMaxDataRecords of them; a missing file ends the door.
MonsterTable ReadMonsters(long long area_index, const char* path = kMonsterFile);
// The table of the last read_monsterdata call.
const MonsterTable& MonstersRead();

}  // namespace trv::combat

extern "C" {
// Reads the monsters of one area (area number minus one) into the table
// kept until the next call and returns how many there are.
int read_monsterdata(int area_index, const char* path);
}

#endif  // TRV_GAME_COMBAT_MONSTERS_H_
