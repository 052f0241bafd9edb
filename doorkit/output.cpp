// Everything the caller sees: colour markup, ANSI, screen files.
#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <fstream>
#include <sstream>

#include "doorkit/internal.h"

namespace doorkit {

namespace {

const char* const kColourNames[8] = {"black", "red",     "green", "yellow",
                                     "blue",  "magenta", "cyan",  "white"};

// The ANSI sequence for a colour name such as "bright red", "dark green",
// "grey" or "yellow"; empty when the name is not a colour.
std::string ColourSequence(std::string name) {
  for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  name = name.substr(first, name.find_last_not_of(' ') - first + 1);
  if (name == "grey" || name == "gray") return "\x1b[0;37;40m";
  int bright = -1;  // -1: the colour's own default
  if (name.compare(0, 7, "bright ") == 0) {
    bright = 1;
    name = name.substr(7);
  } else if (name.compare(0, 5, "dark ") == 0) {
    bright = 0;
    name = name.substr(5);
  }
  name = name.substr(name.find_first_not_of(' '));
  if (name == "grey" || name == "gray") name = "white";
  if (name == "brown") {  // the dark yellow, also when named "dark brown"
    name = "yellow";
    if (bright < 0) bright = 0;
  }
  for (int colour = 0; colour < 8; ++colour) {
    if (name != kColourNames[colour]) continue;
    // Plain yellow and white are the bright ones; the rest are dark.
    if (bright < 0) bright = (colour == 3 || colour == 7) ? 1 : 0;
    char sequence[16];
    snprintf(sequence, sizeof sequence, "\x1b[%d;3%d;40m", bright, colour);
    return sequence;
  }
  return "";
}

std::string FormatV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int size = vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (size <= 0) return "";
  std::string text(static_cast<size_t>(size) + 1, '\0');
  vsnprintf(&text[0], text.size(), format, args);
  text.resize(static_cast<size_t>(size));
  return text;
}

}  // namespace

std::string ExpandMarkup(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 32);
  size_t i = 0;
  while (i < text.size()) {
    size_t open = text.find('`', i);
    if (open == std::string::npos) {
      out.append(text, i, std::string::npos);
      break;
    }
    out.append(text, i, open - i);
    size_t close = text.find('`', open + 1);
    if (close == std::string::npos) {  // unterminated: as written
      out.append(text, open, std::string::npos);
      break;
    }
    std::string sequence = ColourSequence(text.substr(open + 1, close - open - 1));
    if (sequence.empty())
      out.append(text, open, close - open + 1);  // not a colour: as written
    else
      out += sequence;
    i = close + 1;
  }
  return out;
}

std::string FilterAnsi(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '\x1b' || i + 1 >= text.size() || text[i + 1] != '[') {
      out += text[i++];
      continue;
    }
    size_t end = i + 2;
    while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == ';')) ++end;
    if (end >= text.size() || text[end] != 'm') {
      out += text[i++];
      continue;
    }
    // Intensity 2 means "normal" to BBS screens but "faint" to today's
    // terminals: write it as a reset (first place) or normal intensity.
    out += "\x1b[";
    std::string params = text.substr(i + 2, end - i - 2);
    size_t start = 0;
    bool first = true;
    for (;;) {
      size_t semi = params.find(';', start);
      std::string p =
          params.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
      if (!first) out += ';';
      out += (p == "2") ? (first ? "0" : "22") : p;
      first = false;
      if (semi == std::string::npos) break;
      start = semi + 1;
    }
    out += 'm';
    i = end + 1;
  }
  return out;
}

void Send(const std::string& text) {
  od_init();
  CheckEvents();
  ConnWrite(text.data(), text.size());
}

}  // namespace doorkit

using namespace doorkit;

void od_printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  Send(ExpandMarkup(text));
}

BOOL od_is_colour_name(const char* name) {
  return name != nullptr && !doorkit::ColourSequence(name).empty();
}

void od_disp_emu(const char* text, BOOL) { Send(FilterAnsi(text ? text : "")); }

void od_disp_str(const char* text) { Send(text ? text : ""); }

void od_disp(const char* buffer, size_t size, BOOL) { Send(std::string(buffer, size)); }

void od_putch(int ch) { Send(std::string(1, static_cast<char>(ch))); }

void od_clr_scr(void) { Send("\x1b[2J\x1b[H"); }

void od_clr_line(void) { Send("\x1b[K"); }

void od_set_cursor(int row, int column) {
  char sequence[32];
  snprintf(sequence, sizeof sequence, "\x1b[%d;%dH", row < 1 ? 1 : row, column < 1 ? 1 : column);
  Send(sequence);
}

void od_scroll(int left, int top, int right, int bottom, int distance, unsigned flags) {
  if (top < 1 || bottom < top || distance == 0) return;
  // Terminals scroll whole rows: the window's rows become the scroll region.
  char sequence[64];
  std::string out;
  snprintf(sequence, sizeof sequence, "\x1b[%d;%dr", top, bottom);
  out += sequence;
  if (distance > 0) {
    snprintf(sequence, sizeof sequence, "\x1b[%d;1H", bottom);
    out += sequence;
    for (int i = 0; i < distance && i <= bottom - top; ++i)
      out +=
          "\x1b"
          "D";
  } else {
    snprintf(sequence, sizeof sequence, "\x1b[%d;1H", top);
    out += sequence;
    for (int i = 0; i < -distance && i <= bottom - top; ++i)
      out +=
          "\x1b"
          "M";
  }
  out += "\x1b[r";
  Send(out);
}

BOOL od_send_file(const char* path) {
  std::ifstream in(path ? path : "", std::ios::binary);
  if (!in) return FALSE;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  size_t sauce = text.find('\x1a');  // the art's trailer starts here
  if (sauce != std::string::npos) text.resize(sauce);
  Send(FilterAnsi(text));
  return TRUE;
}
