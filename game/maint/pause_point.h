// Named points in the maintenance run where a test can hold the process
// (to kill it there, or to make another node meet its locks).
#ifndef TRV_GAME_MAINT_PAUSE_POINT_H_
#define TRV_GAME_MAINT_PAUSE_POINT_H_

namespace trv::maint {

// Environment variable naming the point to hold at; unset in play.
inline constexpr char kPauseVariable[] = "TRV_MAINT_PAUSE";

// When TRV_MAINT_PAUSE names `point`, creates the file "<point>.paused" in
// the game directory and waits until it is removed. Does nothing otherwise.
void PausePoint(const char* point);

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_PAUSE_POINT_H_
