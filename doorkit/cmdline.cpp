// The kit's own command-line options.
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include "doorkit/internal.h"

namespace doorkit {

ExtraOptions& Extra() {
  static ExtraOptions extra;
  return extra;
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false, quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (!quoted && isspace(static_cast<unsigned char>(c))) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

namespace {

// Reads a whole number, clamped to [low, high]; fallback when not a number.
long Number(const std::string& text, long low, long high, long fallback) {
  char* end = nullptr;
  errno = 0;
  long value = strtol(text.c_str(), &end, 10);
  if (end == text.c_str()) return fallback;
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

void CopyField(char* field, size_t size, const std::string& value) {
  snprintf(field, size, "%s", value.c_str());
}

}  // namespace

void ApplyOptions(const std::vector<std::string>& words) {
  ExtraOptions& extra = Extra();
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() < 2 || (word[0] != '-' && word[0] != '/')) continue;
    const char* name = word.c_str() + 1;
    bool has_value = i + 1 < words.size();
    const std::string value = has_value ? words[i + 1] : std::string();
    auto is = [name](const char* option) { return strcasecmp(name, option) == 0; };
    if (is("D") && has_value) {
      CopyField(od_control.info_path, sizeof od_control.info_path, value);
      ++i;
    } else if (is("N") && has_value) {
      od_control.od_node = static_cast<int>(Number(value, 0, 65535, od_control.od_node));
      extra.node_given = true;
      ++i;
    } else if (is("L") || is("LOCAL")) {
      od_control.od_force_local = TRUE;
    } else if (is("USERNAME") && has_value) {
      extra.user_name = value;
      ++i;
    } else if (is("SOCKET") && has_value) {
      od_control.od_socket = static_cast<int>(Number(value, -1, 1 << 20, -1));
      ++i;
    } else if (is("STDIO")) {
      extra.stdio = true;
    } else if (is("TIMELEFT") && has_value) {
      extra.time_left = Number(value, 1, 1440, 60);
      ++i;
    } else if (is("MAXTIME") && has_value) {
      od_control.od_maxtime = Number(value, 0, 1440, 0);
      ++i;
    } else if (is("INACTIVITY") && has_value) {
      od_control.od_inactivity = Number(value, 1, 24 * 3600, od_control.od_inactivity);
      ++i;
    } else if (is("CP437UTF8")) {
      od_control.od_cp437_utf8 = TRUE;
      od_control.od_cp437_utf8_set = TRUE;
    }
  }
}

}  // namespace doorkit

using doorkit::ApplyOptions;
using doorkit::SplitWords;

void od_parse_cmd_line(const char* line) { ApplyOptions(SplitWords(line ? line : "")); }

void od_parse_cmd_argv(int argc, char** argv) {
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.push_back(argv[i]);
  ApplyOptions(words);
}
