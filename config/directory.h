// The game directory, found from the program path as the door finds it:
// the sysop may start TRVConfig from anywhere and it still edits the
// database beside itself.
#ifndef TRV_CONFIG_DIRECTORY_H_
#define TRV_CONFIG_DIRECTORY_H_

#include <string>

namespace trv::config {

// The directory of the program path that begins `command_line`; "" when
// the path holds no directory (started by bare name from the game
// directory). *error is set when no directory can be derived; *shown_path
// then holds what the message names.
std::string GameDirectoryOf(const std::string& command_line, std::string* shown_path, bool* error);

// Changes to the game directory. On failure shows the "Door problem!"
// message and returns false.
bool EnterGameDirectory(const std::string& command_line);

}  // namespace trv::config

#endif  // TRV_CONFIG_DIRECTORY_H_
