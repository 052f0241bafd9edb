// The flat files of the world beside Data/game.db, and what a world reset
// deletes. Paths are relative to the game directory, which the door and
// TRVConfig change to first.
#ifndef TRV_GAME_PLAYER_WORLD_FILES_H_
#define TRV_GAME_PLAYER_WORLD_FILES_H_

#include "game/db/connection.h"

namespace trv {

// The High Lord's record (see high_lord.h).
inline constexpr char kHighLordFile[] = "Data/trvlord.dat";
// The date of the last maintenance run.
inline constexpr char kTimeFile[] = "Data/time.dat";
// Kept from older worlds; a reset removes it with the rest.
inline constexpr char kPosterFile[] = "Data/poster.dat";

// What a world reset deletes, in this order: the side files, then the
// database, then what SQLite keeps beside it (a journal or log left behind
// could be taken for the next database's own). A file a new kind of world
// data adds belongs here.
inline constexpr const char* kWorldResetFiles[] = {
    kHighLordFile,          kPosterFile,        kTimeFile,          db::kDatabasePath,
    "Data/game.db-journal", "Data/game.db-wal", "Data/game.db-shm",
};

}  // namespace trv

#endif  // TRV_GAME_PLAYER_WORLD_FILES_H_
