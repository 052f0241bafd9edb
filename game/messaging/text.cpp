#include "game/messaging/text.h"

#include <vector>

#include "doorkit/doorkit.h"

namespace trv::messaging {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F || c == 0xFF; }

}  // namespace

std::string ShowableMarkup(const char* text) {
  std::string plain;
  for (const char* p = text ? text : ""; *p; ++p)
    if (!IsControl(static_cast<unsigned char>(*p))) plain += *p;
  std::string out;
  size_t i = 0;
  while (i < plain.size()) {
    size_t open = plain.find('`', i);
    if (open == std::string::npos) {
      out.append(plain, i, std::string::npos);
      break;
    }
    out.append(plain, i, open - i);
    size_t close = plain.find('`', open + 1);
    if (close != std::string::npos &&
        od_is_colour_name(plain.substr(open + 1, close - open - 1).c_str())) {
      out.append(plain, open, close - open + 1);
      i = close + 1;
    } else {
      i = open + 1;  // a stray backquote: dropped, the text after it kept
    }
  }
  return out;
}

void ClearRows(int first, int last) {
  for (int row = first; row <= last; ++row) {
    od_set_cursor(row, 1);
    od_clr_line();
  }
  od_set_cursor(first, 1);
}

std::string ClipToColumns(const std::string& ansi_text, int columns) {
  std::string out;
  int shown = 0;
  for (size_t i = 0; i < ansi_text.size(); ++i) {
    const char c = ansi_text[i];
    if (c == '\x1b' && i + 1 < ansi_text.size() && ansi_text[i + 1] == '[') {
      size_t end = i + 2;
      while (end < ansi_text.size() && !(ansi_text[end] >= 0x40 && ansi_text[end] <= 0x7E)) ++end;
      out.append(ansi_text, i, end + 1 - i);
      i = end;
      continue;
    }
    if (shown == columns) continue;  // later colour changes still apply
    out += c;
    ++shown;
  }
  return out;
}

std::string ReadLine(int max_length) {
  std::vector<char> buffer(static_cast<size_t>(max_length) + 1, '\0');
  od_input_str(buffer.data(), max_length, 32, 122);
  return buffer.data();
}

}  // namespace trv::messaging
