// The one way out of the door in normal play: the closing screen.
#ifndef TRV_GAME_UI_CLOSING_H_
#define TRV_GAME_UI_CLOSING_H_

extern "C" {

// The closing screen, then od_exit(10, FALSE), which runs the exit hook.
// Also what the statement runner ends the door with after an SQL error.
[[noreturn]] void ExitGame(void);
}

#endif  // TRV_GAME_UI_CLOSING_H_
