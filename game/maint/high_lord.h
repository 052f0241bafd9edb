// The High Lord's daily reward: who holds the title, by Data/trvlord.dat.
#ifndef TRV_GAME_MAINT_HIGH_LORD_H_
#define TRV_GAME_MAINT_HIGH_LORD_H_

#include <stddef.h>

#include <optional>
#include <string>

namespace trv::maint {

inline constexpr char kHighLordFile[] = "Data/trvlord.dat";
inline constexpr size_t kHighLordRecordSize = 87;

struct HighLordRecord {
  std::string player_name;  // bytes 0-20
  std::string user_name;    // bytes 21-56; empty: the title is vacant
};

// The fields of one 87-byte record; nullopt when it is short.
std::optional<HighLordRecord> ParseHighLordRecord(const char* bytes, size_t size);
// The record under the exclusive file lock; nullopt when there is no file,
// the record is short or the title is vacant.
std::optional<HighLordRecord> ReadHighLord();

// Posts the news that `player_name` earns the High Lord's rewards today.
void AnnounceHighLord(const std::string& player_name);

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_HIGH_LORD_H_
