// Which callers marked on-line are really in a running door.
//
// player.Status says a caller is on-line, but a door killed outright (kill
// -9, a crash, a back-stop exit) never runs its exit hook and leaves the
// mark behind. So each door also holds a shared advisory lock (flock) on a
// file of its caller's own under Data/Live/ for as long as it runs; the
// kernel drops the lock when the process ends, however it ends. A Status 1
// row whose user holds no such lock is a ghost.
#ifndef TRV_GAME_DB_LIVENESS_H_
#define TRV_GAME_DB_LIVENESS_H_

#include <string>
#include <vector>

namespace trv::db {

// Relative to the game directory.
inline constexpr char kLiveDirectory[] = "Data/Live";

// The lock file of a user name (its bytes in hex, so any name is a file
// name).
std::string LiveMarkPath(const std::string& user_name);

// Takes this process's mark for the user until the process ends (a second
// call for the same user keeps the first). False when the file cannot be
// made; the door then counts as alive to the others all the same, since a
// user without a lock file is never taken for a ghost.
bool HoldLiveMark(const std::string& user_name);

// False only when the user's lock file exists and no process holds it: a
// door took it once and is gone.
bool IsUserLive(const std::string& user_name);

// How many users have a running door (held lock files); doors still at the
// title menu count too.
int LiveDoorCount();

// Marks every ghost off-line (Status 0, no place) and sets
// state.NumPlayers to the live count, in one write unit that looks again
// under the lock. Does nothing (and writes nothing) when there is no
// ghost. Returns the user names it marked off-line.
std::vector<std::string> RepairGhosts();

}  // namespace trv::db

#endif  // TRV_GAME_DB_LIVENESS_H_
