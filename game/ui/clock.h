// The one monotonic clock of the game: timeouts and polling intervals.
#ifndef TRV_GAME_UI_CLOCK_H_
#define TRV_GAME_UI_CLOCK_H_

namespace trv {

// Milliseconds on a clock that never jumps (the wall clock may).
long long NowMs();

}  // namespace trv

#endif  // TRV_GAME_UI_CLOCK_H_
