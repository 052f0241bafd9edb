// Data/trvlord.dat: the one High Lord of the realm, an 87-byte record that
// every node reads under the exclusive file lock.
//
// Bytes 0-20 hold the character name, 21-56 the user name, 57-86 the day
// of the crowning ("December  7, 2026"), each NUL-padded (a full field has
// no NUL). No file, a short record or an empty name means the title is
// vacant.
#ifndef TRV_GAME_PLAYER_HIGH_LORD_H_
#define TRV_GAME_PLAYER_HIGH_LORD_H_

#include <stddef.h>

#include <optional>
#include <string>

#include "game/player/world_files.h"

namespace trv::player {

inline constexpr size_t kHighLordRecordSize = 87;
inline constexpr size_t kHighLordNameOffset = 0;
inline constexpr size_t kHighLordNameWidth = 21;
inline constexpr size_t kHighLordUserOffset = 21;
inline constexpr size_t kHighLordUserWidth = 36;
inline constexpr size_t kHighLordDateOffset = 57;
inline constexpr size_t kHighLordDateWidth = 30;

struct HighLordRecord {
  std::string player_name;
  std::string user_name;
  std::string crowned_on;
};

// The fields of one record; nullopt when it is short.
std::optional<HighLordRecord> ParseHighLordRecord(const char* bytes, size_t size);

// The holder of the title, read under the exclusive file lock; nullopt
// when there is no file, the record is short or the title is vacant.
std::optional<HighLordRecord> ReadHighLord();

// The title dies with its holder: deletes the file when its record names
// `player_name` (a deleted character).
void DropHighLordTitle(const std::string& player_name);

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_HIGH_LORD_H_
