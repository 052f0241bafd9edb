// Data/trvlord.dat: the one High Lord of the realm, an 87-byte record that
// every node reads under the exclusive file lock.
//
// Bytes 0-20 hold the character name, 21-56 the user name, 57-86 the day
// of the crowning as text ("May       05, 2024"), each NUL-padded (a
// reader takes a full field without its NUL as it stands; a writer always
// leaves one). No file, a short record or an empty name means the title is
// vacant. This is the one place that knows the layout: maintenance pays
// the holder, the guild hall shows him, the arena crowns the next one.
#ifndef TRV_GAME_PLAYER_HIGH_LORD_H_
#define TRV_GAME_PLAYER_HIGH_LORD_H_

#include <stddef.h>

#include <optional>
#include <string>

#include "game/player/world_files.h"

namespace trv {
struct GameDate;
}

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
  std::string crowned_on;  // as written, for display only
};

// The fields of one record; nullopt when it is short.
std::optional<HighLordRecord> ParseHighLordRecord(const char* bytes, size_t size);
// The 87 bytes of a record: each text cut to leave its field's NUL, the
// rest of every field zeroed.
std::string FormatHighLordRecord(const HighLordRecord& record);
// The crowning date as the record keeps it: the month name blank-padded
// to nine letters, the day in two digits ("May       05, 2024").
std::string CrownDate(const GameDate& date);

// The holder of the title, read under the exclusive file lock; nullopt
// when there is no file, the record is short, the title is vacant or the
// file cannot be read now.
std::optional<HighLordRecord> ReadHighLord();

// The title as a challenger must see it: a file that cannot be locked or
// read in time is not a vacancy.
enum class TitleState {
  kHeld,    // `holder` has it
  kVacant,  // no file, an empty record, or a user who has no character
  kBusy,    // the lock timed out or the file could not be read
};
struct HighLordTitle {
  TitleState state = TitleState::kVacant;
  HighLordRecord holder;  // when kHeld
};
HighLordTitle ReadHighLordTitle();

enum class Crowning {
  kCrowned,     // the record now names the caller
  kTitleMoved,  // the title was no longer as the caller saw it: unchanged
  kBusy,        // the lock timed out or a read or write failed: unchanged
};
// Crowns the caller (his PlayerName and UserName, today's date), deciding
// under one exclusive lock of the file: it is opened without emptying it,
// re-read, and rewritten whole only when the title is vacant or still held
// by `holder_user` (the one just beaten; "" when the caller claims a
// vacancy). Only kCrowned may be announced. Two nodes claiming or winning
// at once thus crown exactly one.
Crowning WriteHighLord(const std::string& holder_user);

// The title dies with its holder: deletes the file when its record names
// `player_name` (a deleted character).
void DropHighLordTitle(const std::string& player_name);

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_HIGH_LORD_H_
