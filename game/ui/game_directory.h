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
// directory). A path in double quotes ends at the closing quote, so it may
// hold blanks; an unquoted one ends at the first blank. *error is set when
// no directory can be derived; *shown_path then holds what the message
// names.
std::string GameDirectoryOf(const std::string& command_line, std::string* shown_path, bool* error);

// `command_line` with its program path (the first word, or the quoted
// text) replaced by `program`, which is quoted when it holds a blank.
std::string WithProgramPath(const std::string& command_line, const std::string& program);

// The running program's own file with every symlink resolved; "" when the
// system does not tell.
std::string RealProgramPath();

// Derives the game directory once: from the program's real path in place
// of the one on `command_line`, by the rule above, made absolute. On
// failure returns false with the path the message names in *shown_path.
bool FindGameDirectory(const std::string& command_line, std::string* directory,
                       std::string* shown_path);

// Changes to the game directory, derived on the first call and remembered,
// so a later call no longer depends on the directory it is made from. On
// failure shows the "Door problem!" message on the screen and on stderr and
// returns false.
bool EnterGameDirectory(const std::string& command_line);

}  // namespace trv

#endif  // TRV_GAME_UI_GAME_DIRECTORY_H_
