// What the caller types: single keys, answers, lines and formatted fields.
#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "doorkit/internal.h"

using namespace doorkit;

namespace {

bool IsErase(unsigned char key) { return key == 0x08 || key == 0x7F; }

// Whether key may stand at a field position of the given format character.
bool FitsFormat(char format, unsigned char key) {
  switch (format) {
    case '#':
      return isdigit(key);
    case '%':
      return isdigit(key) || key == ' ';
    case '9':
      return isdigit(key) || key == '+' || key == '-';
    case 'A':
    case 'L':
    case 'U':
    case 'M':
      return isalpha(key);
    case 'H':
      return isxdigit(key);
    case 'X':
      return key >= 0x20 && key != 0x7F && key != 0xFF;
    default:
      return false;
  }
}

unsigned char Shaped(char format, unsigned char key, bool word_start) {
  if (format == 'L') return static_cast<unsigned char>(tolower(key));
  if (format == 'U' || (format == 'M' && word_start))
    return static_cast<unsigned char>(toupper(key));
  return key;
}

struct Field {
  char format;  // 0 for a fixed character
  char fixed;   // the fixed character itself
};

std::vector<Field> ParseFormat(const char* format) {
  std::vector<Field> fields;
  for (const char* p = format; *p; ++p) {
    if (*p == '\'') {
      for (++p; *p && *p != '\''; ++p) fields.push_back({0, *p});
      if (!*p) break;
    } else {
      fields.push_back({*p, 0});
    }
  }
  return fields;
}

std::string Colour(unsigned char attribute) {
  static const int kAnsi[8] = {0, 4, 2, 6, 1, 5, 3, 7};  // PC colour order to ANSI
  char sequence[32];
  snprintf(sequence, sizeof sequence, "\x1b[0;%s%s3%d;4%dm", attribute & 0x08 ? "1;" : "",
           attribute & 0x80 ? "5;" : "", kAnsi[attribute & 7], kAnsi[(attribute >> 4) & 7]);
  return sequence;
}

}  // namespace

char od_get_key(BOOL wait) {
  od_init();
  return static_cast<char>(WaitKey(wait));
}

char od_get_answer(const char* keys) {
  od_init();
  for (;;) {
    unsigned char key = WaitKey(true);
    if (key == 0 && !od_carrier()) return 0;
    for (const char* k = keys; *k; ++k) {
      unsigned char allowed = static_cast<unsigned char>(*k);
      if (key == allowed || (isalpha(key) && tolower(key) == tolower(allowed))) return *k;
    }
  }
}

void od_input_str(char* buffer, int max_length, unsigned char lowest, unsigned char highest) {
  od_init();
  std::string line;
  if (lowest < 0x20) lowest = 0x20;  // control bytes never reach the game
  for (;;) {
    unsigned char key = WaitKey(true);
    if (key == 0 && !od_carrier()) break;
    if (key == '\r') break;
    if (IsErase(key)) {
      if (!line.empty()) {
        line.pop_back();
        od_disp_str("\b \b");
      }
      continue;
    }
    if (key < lowest || key > highest || key == 0x7F || static_cast<int>(line.size()) >= max_length)
      continue;
    line += static_cast<char>(key);
    od_disp(reinterpret_cast<const char*>(&key), 1, TRUE);
  }
  od_disp_str("\r\n");
  memcpy(buffer, line.c_str(), line.size() + 1);
}

unsigned od_edit_str(char* buffer, const char* format, int row, int column,
                     unsigned char normal_colour, unsigned char highlight_colour, char blank,
                     unsigned flags) {
  od_init();
  if (!buffer || !format) return EDIT_RETURN_ERROR;
  std::vector<Field> fields = ParseFormat(format);
  if (fields.empty()) return EDIT_RETURN_ERROR;
  // Positions the caller types into; fixed characters stand between them.
  std::string value(fields.size(), blank);
  std::vector<size_t> slots;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].format == 0)
      value[i] = fields[i].fixed;
    else
      slots.push_back(i);
  }
  size_t filled = 0;
  if (flags & EDIT_FLAG_EDIT_STRING) {
    size_t len = strlen(buffer);
    for (size_t s = 0; s < slots.size() && slots[s] < len; ++s) {
      unsigned char c = static_cast<unsigned char>(buffer[slots[s]]);
      if (!FitsFormat(fields[slots[s]].format, c)) break;
      value[slots[s]] = static_cast<char>(c);
      filled = s + 1;
    }
  }
  auto redraw = [&]() {
    od_set_cursor(row, column);
    od_disp_str(Colour(highlight_colour).c_str());
    od_disp(value.data(), value.size(), TRUE);
    size_t at = filled < slots.size() ? slots[filled] : fields.size();
    od_set_cursor(row, column + static_cast<int>(at));
  };
  redraw();
  unsigned result = EDIT_RETURN_ACCEPT;
  for (;;) {
    unsigned char key = WaitKey(true);
    if (key == 0 && !od_carrier()) {
      result = EDIT_RETURN_CANCEL;
      break;
    }
    if (key == '\r') {
      if ((flags & EDIT_FLAG_FILL_REQUIRED) && filled < slots.size()) continue;
      break;
    }
    if (IsErase(key)) {
      if (filled > 0) value[slots[--filled]] = blank;
    } else if (filled < slots.size() && FitsFormat(fields[slots[filled]].format, key)) {
      size_t at = slots[filled];
      bool word_start = at == 0 || value[at - 1] == ' ';
      value[at] = static_cast<char>(Shaped(fields[at].format, key, word_start));
      ++filled;
    } else {
      continue;
    }
    redraw();
  }
  // The result holds what was typed; unfilled positions stay blank spaces.
  std::string out = value;
  for (size_t s = filled; s < slots.size(); ++s) out[slots[s]] = ' ';
  out.erase(out.find_last_not_of(' ') + 1);
  od_set_cursor(row, column);
  od_disp_str(Colour(normal_colour).c_str());
  od_disp(value.data(), value.size(), TRUE);
  memcpy(buffer, out.c_str(), out.size() + 1);
  return result;
}
