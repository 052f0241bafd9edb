// The game directory, found from the program path: the BBS (or the sysop,
// for TRVConfig) may start a program from anywhere and it still works on
// the database beside itself.
#ifndef TRV_GAME_UI_GAME_DIRECTORY_H_
#define TRV_GAME_UI_GAME_DIRECTORY_H_

#include <string>

extern "C" {

// Changes to the directory the program was started from (derived from the
// program path that begins the full command line). 1 on success, 0 after
// showing the "Door problem!" message.
int correctDirectory(const char* command_line);
}

namespace trv {

// The directory of the program path that begins `command_line`; "" when
// the path holds no directory (started by bare name from the game
// directory). *error is set when no directory can be derived; *shown_path
// then holds what the message names.
std::string GameDirectoryOf(const std::string& command_line, std::string* shown_path, bool* error);

// Changes to the game directory. On failure shows the "Door problem!"
// message and returns false.
bool EnterGameDirectory(const std::string& command_line);

}  // namespace trv

#endif  // TRV_GAME_UI_GAME_DIRECTORY_H_
