#include "tests/harness/screen.h"

#include <vterm.h>

#include <cstdio>
#include <stdexcept>

#include "tests/harness/text.h"

namespace trv::harness {

Screen::Screen(int rows, int cols, Encoding encoding)
    : rows_(rows), cols_(cols), encoding_(encoding), vt_(vterm_new(rows, cols)) {
  if (vt_ == nullptr) throw std::runtime_error("vterm_new failed");
  // Always UTF-8 inside: CP437 is translated on the way in, so bytes
  // 0x80-0x9F are never taken for C1 controls.
  vterm_set_utf8(vt_, 1);
  vterm_output_set_callback(vt_, &Screen::OnOutput, this);
  screen_ = vterm_obtain_screen(vt_);
  state_ = vterm_obtain_state(vt_);
  vterm_screen_reset(screen_, 1);
}

Screen::~Screen() { vterm_free(vt_); }

void Screen::OnOutput(const char* bytes, size_t len, void* self) {
  auto* screen = static_cast<Screen*>(self);
  if (screen->reply_) screen->reply_(std::string_view(bytes, len));
}

void Screen::SetReplyCallback(std::function<void(std::string_view)> reply) {
  reply_ = std::move(reply);
}

namespace {

// ESC[...m with every parameter 2 made 22: normal intensity, as a BBS
// terminal reads it (libvterm takes 2 for "faint" and keeps the bold).
std::string DimToNormal(const std::string& sgr) {
  std::string out = "\x1b[";
  const std::string params = sgr.substr(2, sgr.size() - 3);
  size_t start = 0;
  for (;;) {
    const size_t end = params.find(';', start);
    const std::string p = params.substr(start, end == std::string::npos ? end : end - start);
    out += p == "2" ? "22" : p;
    if (end == std::string::npos) break;
    out += ';';
    start = end + 1;
  }
  return out + "m";
}

}  // namespace

void Screen::Feed(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    if (pending_.empty()) {
      if (c == '\x1b') {
        pending_ = c;
      } else {
        out += c;
      }
      continue;
    }
    if (pending_.size() == 1 && c != '[') {  // not a CSI: nothing to change
      out += pending_;
      pending_.clear();
      if (c == '\x1b') {
        pending_ = c;
      } else {
        out += c;
      }
      continue;
    }
    pending_ += c;
    if (pending_.size() > 2 && c >= 0x40 && c <= 0x7E) {
      out += c == 'm' ? DimToNormal(pending_) : pending_;
      pending_.clear();
    } else if (pending_.size() > 64) {
      out += pending_;
      pending_.clear();
    }
  }
  Write(out);
}

void Screen::Write(std::string_view bytes) {
  if (encoding_ == Encoding::kUtf8) {
    vterm_input_write(vt_, bytes.data(), bytes.size());
  } else {
    std::string utf8 = Cp437ToUtf8(bytes);
    vterm_input_write(vt_, utf8.data(), utf8.size());
  }
  vterm_screen_flush_damage(screen_);
}

Cell Screen::CellAt(int row, int column) const {
  Cell cell;
  if (row < 1 || row > rows_ || column < 1 || column > cols_) return cell;
  VTermScreenCell vc;
  VTermPos pos{row - 1, column - 1};
  if (!vterm_screen_get_cell(screen_, pos, &vc)) return cell;
  cell.text.clear();
  for (int i = 0; i < VTERM_MAX_CHARS_PER_CELL && vc.chars[i] != 0; ++i) {
    AppendUtf8(cell.text, vc.chars[i]);
  }
  if (cell.text.empty()) cell.text = " ";
  cell.bold = vc.attrs.bold;
  cell.blink = vc.attrs.blink;
  cell.reverse = vc.attrs.reverse;
  if (VTERM_COLOR_IS_DEFAULT_FG(&vc.fg) || !VTERM_COLOR_IS_INDEXED(&vc.fg)) {
    cell.colour = 7;
  } else {
    cell.colour = vc.fg.indexed.idx;
  }
  if (cell.bold && cell.colour < 8) cell.colour += 8;
  if (VTERM_COLOR_IS_DEFAULT_BG(&vc.bg) || !VTERM_COLOR_IS_INDEXED(&vc.bg)) {
    cell.background = 0;
  } else {
    cell.background = vc.bg.indexed.idx;
  }
  return cell;
}

std::string Screen::Text(int row, int column, int length) const {
  std::string out;
  for (int c = column; c < column + length && c <= cols_; ++c) out += CellAt(row, c).text;
  return out;
}

std::string Screen::At(int row, int column) const { return CellAt(row, column).text; }

std::string Screen::Row(int row) const {
  std::string out = Text(row, 1, cols_);
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string Screen::RowCp437(int row) const {
  std::string out;
  for (int c = 1; c <= cols_; ++c) {
    const std::string text = CellAt(row, c).text;
    // Decode the cell's first code point.
    char32_t cp = 0;
    auto b = static_cast<unsigned char>(text[0]);
    if (b < 0x80) {
      cp = b;
    } else if ((b & 0xE0) == 0xC0 && text.size() >= 2) {
      cp = ((b & 0x1F) << 6) | (text[1] & 0x3F);
    } else if ((b & 0xF0) == 0xE0 && text.size() >= 3) {
      cp = ((b & 0x0F) << 12) | ((text[1] & 0x3F) << 6) | (text[2] & 0x3F);
    } else {
      cp = '?';
    }
    out += static_cast<char>(CodepointToCp437(cp));
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string Screen::AllText() const {
  std::string out;
  int last = rows_;
  while (last > 0 && Row(last).empty()) --last;
  for (int r = 1; r <= last; ++r) {
    out += Row(r);
    if (r < last) out += '\n';
  }
  return out;
}

bool Screen::Contains(std::string_view utf8) const {
  for (int r = 1; r <= rows_; ++r) {
    if (Row(r).find(utf8) != std::string::npos) return true;
  }
  return false;
}

std::optional<Screen::Position> Screen::Find(std::string_view utf8) const {
  for (int r = 1; r <= rows_; ++r) {
    const std::string row = Row(r);
    const size_t at = row.find(utf8);
    if (at == std::string::npos) continue;
    int column = 1;  // one cell per character: count the characters before
    for (size_t i = 0; i < at; ++i)
      if ((static_cast<unsigned char>(row[i]) & 0xC0) != 0x80) ++column;
    return Position{r, column};
  }
  return std::nullopt;
}

int Screen::CursorRow() const {
  VTermPos pos;
  vterm_state_get_cursorpos(state_, &pos);
  return pos.row + 1;
}

int Screen::CursorColumn() const {
  VTermPos pos;
  vterm_state_get_cursorpos(state_, &pos);
  return pos.col + 1;
}

std::string Screen::Dump() const {
  std::string out;
  char head[96];
  std::snprintf(head, sizeof head, "screen %dx%d, cursor at row %d column %d\n", cols_, rows_,
                CursorRow(), CursorColumn());
  out += head;
  for (int r = 1; r <= rows_; ++r) {
    char num[16];
    std::snprintf(num, sizeof num, "%2d|", r);
    out += num;
    out += Row(r);
    out += '\n';
  }
  return out;
}

}  // namespace trv::harness
