#include "launcher/switches.h"

#include <ctype.h>
#include <strings.h>

#include <sstream>

namespace trv::launcher {

std::string ArgumentLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    bool blank = false;
    for (char c : word) blank = blank || isspace(static_cast<unsigned char>(c));
    if (!line.empty()) line += ' ';
    line += blank ? "\"" + word + "\"" : word;
  }
  return line;
}

int MaintenanceMode(const std::string& arguments) {
  int mode = 1;
  std::istringstream words(arguments);
  std::string word;
  for (int count = 0; count < 32 && words >> word; ++count) {
    if (word[0] != '-' && word[0] != '/') continue;
    const char* name = word.c_str() + 1;
    if (strcasecmp(name, "nomaint") == 0) mode = 0;
    if (strcasecmp(name, "forcemaint") == 0) mode = 2;
    if (strcasecmp(name, "runmaint") == 0) mode = 3;
  }
  return mode;
}

}  // namespace trv::launcher
