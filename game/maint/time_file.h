// Data/time.dat: the date of the last maintenance run, 13 bytes: eight
// digits YYYYMMDD, a NUL and four zero bytes.
#ifndef TRV_GAME_MAINT_TIME_FILE_H_
#define TRV_GAME_MAINT_TIME_FILE_H_

#include <stddef.h>

#include <optional>
#include <string>

#include "game/player/world_files.h"
#include "game/ui/game_date.h"

namespace trv::maint {

inline constexpr size_t kTimeRecordSize = 13;

// The 13 bytes that record `date`.
std::string TimeRecord(const GameDate& date);
// The date in a record; nullopt for a short or garbled one (the day is
// then due).
std::optional<GameDate> ParseTimeRecord(const char* bytes, size_t size);

// Reads Data/time.dat under the exclusive file lock; nullopt when it is
// missing, short or garbled.
std::optional<GameDate> ReadTimeFile();
// Writes `date` under the exclusive file lock. On failure returns false
// with the reason in *error.
bool WriteTimeFile(const GameDate& date, std::string* error);

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_TIME_FILE_H_
