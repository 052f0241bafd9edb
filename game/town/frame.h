// The session frame TRVDLL exports for the door beside the game directory
// (game/ui/game_directory.h) and the closing screen (game/ui/closing.h):
// the exit hook and the title menu's player listing.
#ifndef TRV_GAME_TOWN_FRAME_H_
#define TRV_GAME_TOWN_FRAME_H_

extern "C" {

// The door kit's exit hook: marks the caller off-line and tells the others.
void BeforeExitFunction(void);

// The title menu's listing of every character, ten to a page.
void ShowPlayerFile(void);
}

#endif  // TRV_GAME_TOWN_FRAME_H_
