#include "game/ui/names.h"

namespace trv {

std::string TrimName(const char* typed) {
  std::string name = typed ? typed : "";
  size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  size_t last = name.find_last_not_of(' ');
  return name.substr(first, last - first + 1);
}

bool UsableName(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c == '`' || c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

}  // namespace trv
