#include "game/ui/game_directory.h"

#include <stdio.h>
#include <unistd.h>

#include "doorkit/doorkit.h"

namespace trv {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::string GameDirectoryOf(const std::string& command_line, std::string* shown_path, bool* error) {
  *error = false;
  if (command_line.size() >= 150) {
    *shown_path = "<too long>";
    *error = true;
    return "";
  }
  std::string path = command_line;
  if (!path.empty() && path[0] == '"') path.erase(0, 1);
  size_t blank = path.find(' ');
  if (blank != std::string::npos) path.resize(blank);
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

bool EnterGameDirectory(const std::string& command_line) {
  std::string shown;
  bool error = false;
  std::string dir = GameDirectoryOf(command_line, &shown, &error);
  if (!error && (dir.empty() || chdir(dir.c_str()) == 0)) return true;
  char text[512];
  snprintf(text, sizeof text,
           "Error: Directory auto-parsed as %s, which is invalid.  Please e-mail door author!",
           shown.c_str());
  fprintf(stderr, "Door problem!: %s\n", text);
  od_disp_str("\r\n");
  od_disp_str(text);
  od_disp_str("\r\n");
  return false;
}

}  // namespace trv

int correctDirectory(const char* command_line) {
  return trv::EnterGameDirectory(command_line ? command_line : "") ? 1 : 0;
}
