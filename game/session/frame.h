// The session frame TRVDLL exports for the door: the game directory, the
// exit hook, the closing screen and the title menu's player listing.
#ifndef TRV_GAME_SESSION_FRAME_H_
#define TRV_GAME_SESSION_FRAME_H_

#include <string>

extern "C" {

// Changes to the directory the program was started from (derived from the
// program path that begins the full command line). 1 on success, 0 after
// showing the "Door problem!" message.
int correctDirectory(const char* command_line);

// The door kit's exit hook: marks the caller off-line and tells the others.
void BeforeExitFunction(void);

// The closing screen, then od_exit(10, FALSE).
[[noreturn]] void ExitGame(void);

// The title menu's listing of every character, ten to a page.
void ShowPlayerFile(void);
}

namespace trv {

// Set once this process has added its session to state.NumPlayers; the
// exit hook takes it away again exactly once.
void SetSessionCounted(bool counted);
bool SessionCounted();

// Called when the database file was replaced under the door (the sysop's
// world reset): a caller in the realm whose character is gone is sent back
// to the BBS with a one-line notice instead of playing on with nothing.
void EndSessionAfterReset();

}  // namespace trv

#endif  // TRV_GAME_SESSION_FRAME_H_
