// Drop files: how the BBS tells the door who the caller is.
#include <ctype.h>
#include <dirent.h>
#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "doorkit/internal.h"

namespace doorkit {

namespace {

enum class Kind { kDoor32, kDoorSys, kDorInfo, kUnknown };

Kind KindOf(const std::string& file_name) {
  std::string base = file_name.substr(file_name.find_last_of('/') + 1);
  if (strcasecmp(base.c_str(), "DOOR32.SYS") == 0) return Kind::kDoor32;
  if (strcasecmp(base.c_str(), "DOOR.SYS") == 0) return Kind::kDoorSys;
  if (base.size() >= 12 && strncasecmp(base.c_str(), "DORINFO", 7) == 0 &&
      strcasecmp(base.c_str() + base.size() - 4, ".DEF") == 0)
    return Kind::kDorInfo;
  return Kind::kUnknown;
}

// Splits on LF, CR LF or a lone CR; a missing last line break is fine.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Line n (1-based), or "" when the file is shorter.
std::string Line(const std::vector<std::string>& lines, size_t n) {
  return n <= lines.size() ? lines[n - 1] : std::string();
}

long Number(const std::string& text, long low, long high, long fallback) {
  const char* p = text.c_str();
  while (isspace(static_cast<unsigned char>(*p))) ++p;
  char* end = nullptr;
  long value = strtol(p, &end, 10);
  if (end == p) return fallback;
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

// Minutes left, kept within a day; files that say 0 or less leave one minute.
long Minutes(const std::string& text) { return Number(text, 1, 1440, -1); }

bool ReadFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  *text = buffer.str();
  return true;
}

// The drop file inside a directory, found by name in any case.
std::string FindInDirectory(const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (!d) return "";
  std::string best;
  int best_rank = 99;
  while (dirent* entry = readdir(d)) {
    Kind kind = KindOf(entry->d_name);
    int rank = kind == Kind::kDoor32    ? 0
               : kind == Kind::kDoorSys ? 1
               : kind == Kind::kDorInfo ? 2
                                        : 99;
    if (rank < best_rank) {
      best_rank = rank;
      best = dir + "/" + entry->d_name;
    }
  }
  closedir(d);
  return best;
}

}  // namespace

std::string CleanName(const std::string& raw) {
  std::string name;
  for (char c : raw) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || u == 0xFF || c == '`') continue;
    name += c;
  }
  size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  name = name.substr(first, name.find_last_not_of(' ') - first + 1);
  if (name.size() > sizeof od_control.user_name - 1) {
    name.resize(sizeof od_control.user_name - 1);
    name.erase(name.find_last_not_of(' ') + 1);
  }
  return name;
}

bool ParseDropFile(const std::string& file_name, const std::string& text, DropInfo* info,
                   std::string* error) {
  std::vector<std::string> lines = Lines(text);
  switch (KindOf(file_name)) {
    case Kind::kDoor32:
      info->comm_type = static_cast<int>(Number(Line(lines, 1), 0, 2, -1));
      info->comm_handle = Number(Line(lines, 2), -1, 1 << 20, -1);
      info->real_name = CleanName(Line(lines, 6));
      info->user_name = CleanName(Line(lines, 7));
      info->minutes_left = Minutes(Line(lines, 9));
      info->node = static_cast<int>(Number(Line(lines, 11), 0, 65535, -1));
      break;
    case Kind::kDoorSys:
      info->node = static_cast<int>(Number(Line(lines, 4), 0, 65535, -1));
      info->real_name = CleanName(Line(lines, 10));
      info->minutes_left = Minutes(Line(lines, 19));
      info->user_name = CleanName(Line(lines, 36));
      if (info->user_name.empty()) info->user_name = info->real_name;
      break;
    case Kind::kDorInfo: {
      std::string base = file_name.substr(file_name.find_last_of('/') + 1);
      char digit = base[7];
      if (isdigit(static_cast<unsigned char>(digit))) info->node = digit - '0';
      std::string first = CleanName(Line(lines, 7)), last = CleanName(Line(lines, 8));
      info->user_name = CleanName(last.empty() ? first : first + " " + last);
      info->real_name = info->user_name;
      info->minutes_left = Minutes(Line(lines, 12));
      break;
    }
    case Kind::kUnknown:
      *error = "Unknown drop file type: " + file_name;
      return false;
  }
  if (info->user_name.empty()) {
    *error = "Drop file " + file_name + " names no user";
    return false;
  }
  return true;
}

bool ReadDropFile(const std::string& path, DropInfo* info, std::string* error) {
  std::string where = path.empty() ? "." : path;
  struct stat st;
  if (stat(where.c_str(), &st) != 0) {
    *error = "Drop file not found: " + where;
    return false;
  }
  std::string file = where;
  if (S_ISDIR(st.st_mode)) {
    file = FindInDirectory(where);
    if (file.empty()) {
      *error = "No DOOR32.SYS, DOOR.SYS or DORINFOx.DEF drop file in " + where;
      return false;
    }
  }
  // A FIFO or a device would hang the door or never end.
  if (stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    *error = "Drop file is not a regular file: " + file;
    return false;
  }
  std::string text;
  if (!ReadFile(file, &text)) {
    *error = "Cannot read drop file " + file;
    return false;
  }
  return ParseDropFile(file, text, info, error);
}

}  // namespace doorkit
