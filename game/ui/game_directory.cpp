#include "game/ui/game_directory.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "doorkit/doorkit.h"

namespace trv {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Where the program path of a command line ends: at the closing quote of
// a quoted path, else at the first blank.
size_t ProgramPathEnd(const std::string& command_line) {
  if (!command_line.empty() && command_line[0] == '"') {
    size_t quote = command_line.find('"', 1);
    return quote == std::string::npos ? command_line.size() : quote + 1;
  }
  size_t blank = command_line.find(' ');
  return blank == std::string::npos ? command_line.size() : blank;
}

std::string& Remembered() {
  static std::string directory;
  return directory;
}

// Long enough to read before the door hangs up the screen.
constexpr long kReadMessageMs = 3000;

void ShowDoorProblem(const std::string& shown) {
  char text[768];
  snprintf(text, sizeof text,
           "Error: Directory auto-parsed as %s, which is invalid.  Please e-mail door author!",
           shown.c_str());
  fprintf(stderr, "Door problem!: %s\n", text);
  od_disp_str("\r\n");
  od_disp_str(text);
  od_disp_str("\r\n");
  od_sleep(kReadMessageMs);
}

}  // namespace

std::string GameDirectoryOf(const std::string& command_line, std::string* shown_path, bool* error) {
  *error = false;
  if (command_line.size() >= 150) {
    *shown_path = "<too long>";
    *error = true;
    return "";
  }
  std::string path = command_line.substr(0, ProgramPathEnd(command_line));
  if (!path.empty() && path[0] == '"') {
    path.erase(0, 1);
    if (!path.empty() && path.back() == '"') path.pop_back();
  }
  if (path.find_first_of("/\\:") == std::string::npos) return "";
  while (path.size() > 2 && !IsSeparator(path.back())) path.pop_back();
  *shown_path = path;
  if (path.size() > 2) {
    path.pop_back();
    return path;
  }
  // "./TRVLaunch" leaves "./", too short to lose its separator, but still
  // a directory.
  if (!path.empty() && path.back() == '/') return path;
  *error = true;
  return "";
}

std::string WithProgramPath(const std::string& command_line, const std::string& program) {
  const std::string quoted =
      program.find(' ') != std::string::npos ? "\"" + program + "\"" : program;
  return quoted + command_line.substr(ProgramPathEnd(command_line));
}

std::string RealProgramPath() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  return std::string(path, static_cast<size_t>(n));
}

bool FindGameDirectory(const std::string& command_line, std::string* directory,
                       std::string* shown_path) {
  const std::string program = RealProgramPath();
  const std::string text = program.empty() ? command_line : WithProgramPath(command_line, program);
  bool error = false;
  std::string derived = GameDirectoryOf(text, shown_path, &error);
  if (error) return false;
  char absolute[PATH_MAX];
  if (realpath(derived.empty() ? "." : derived.c_str(), absolute) == nullptr) {
    *shown_path = derived;
    return false;
  }
  *directory = absolute;
  return true;
}

bool EnterGameDirectory(const std::string& command_line) {
  std::string& directory = Remembered();
  std::string shown;
  if (directory.empty() && !FindGameDirectory(command_line, &directory, &shown)) {
    directory.clear();
    ShowDoorProblem(shown);
    return false;
  }
  if (chdir(directory.c_str()) == 0) return true;
  ShowDoorProblem(directory);
  return false;
}

}  // namespace trv

int correctDirectory(const char* command_line) {
  return trv::EnterGameDirectory(command_line ? command_line : "") ? 1 : 0;
}
