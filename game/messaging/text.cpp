#include "game/messaging/text.h"

#include <ctype.h>

#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"

namespace trv::messaging {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F || c == 0xFF; }

}  // namespace

// The door kit's own reading of a colour name: any case, blanks around it
// and after "bright" or "dark" do not matter.
bool IsColourName(const std::string& raw) {
  std::string name;
  for (char c : raw) name += static_cast<char>(tolower(static_cast<unsigned char>(c)));
  size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  name = name.substr(first, name.find_last_not_of(' ') - first + 1);
  if (name == "grey" || name == "gray" || name == "brown") return true;
  for (const char* prefix : {"bright ", "dark "}) {
    const std::string p(prefix);
    if (name.compare(0, p.size(), p) == 0) {
      name = name.substr(name.find_first_not_of(' ', p.size()));
      break;
    }
  }
  static const char* const kBase[] = {"black",   "red",  "green", "yellow", "blue",
                                      "magenta", "cyan", "white", "grey",   "gray"};
  for (const char* base : kBase)
    if (name == base) return true;
  return false;
}

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
    if (close != std::string::npos && IsColourName(plain.substr(open + 1, close - open - 1))) {
      out.append(plain, open, close - open + 1);
      i = close + 1;
    } else {
      i = open + 1;  // a stray backquote: dropped, the text after it kept
    }
  }
  return out;
}

const char* CallerUserName() { return od_control.user_name; }

std::string CallerPlayerName() {
  db::ResultTable me = db::Query(db::kPlayer, "SELECT PlayerName FROM %s WHERE UserName=%Q",
                                 db::TableName(db::kPlayer), CallerUserName());
  return me.Text(0, 0);
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
