// The world options as the sysop set them: Main Street's 1 key shows them,
// and TRVConfig's options editor draws the same list.
#ifndef TRV_GAME_UI_WORLD_OPTIONS_H_
#define TRV_GAME_UI_WORLD_OPTIONS_H_

namespace trv {

// Clears the screen and draws the list: banner, A to G, T with its
// tournament line, 1.
void DrawWorldOptions();

// The list, then the Press Any Key banner.
void ShowWorldOptions();

}  // namespace trv

#endif  // TRV_GAME_UI_WORLD_OPTIONS_H_
