// What the caller sees: the door's output rendered by a real terminal
// emulator (libvterm) at 80x24. Rows and columns are 1-based, like
// od_set_cursor. It behaves as BBS terminals do: CP437 glyphs, and SGR 2
// (how BBS art asks for normal intensity) drops the bold.
#ifndef TRV_TESTS_HARNESS_SCREEN_H_
#define TRV_TESTS_HARNESS_SCREEN_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct VTerm;
struct VTermScreen;
struct VTermState;

namespace trv::harness {

// One character cell. Colours are the 16 ANSI colours, 0-15, with bold
// folded in (bold red 31 is 9, like a BBS terminal shows it); the terminal's
// default colours count as grey (7) on black (0).
struct Cell {
  std::string text;  // UTF-8; " " for an empty cell
  int colour = 7;
  int background = 0;
  bool bold = false;
  bool blink = false;
  bool reverse = false;
};

class Screen {
 public:
  // kCp437: the door sends CP437 bytes (the usual case); they are shown as
  // the Unicode characters a BBS terminal draws. kUtf8: the door translates
  // to UTF-8 itself (-CP437UTF8).
  enum class Encoding { kCp437, kUtf8 };

  explicit Screen(int rows = 24, int cols = 80, Encoding encoding = Encoding::kCp437);
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // Bytes from the door. Replies the terminal would send back (cursor
  // position reports and the like) go to the reply callback.
  void Feed(std::string_view bytes);
  void SetReplyCallback(std::function<void(std::string_view)> reply);

  int rows() const { return rows_; }
  int cols() const { return cols_; }

  // A row as UTF-8, trailing blanks removed.
  std::string Row(int row) const;
  // The same row as CP437 bytes, to compare with the game's byte literals.
  std::string RowCp437(int row) const;
  // `length` cells from (row, column) as UTF-8, blanks kept.
  std::string Text(int row, int column, int length) const;
  // The character at (row, column) as UTF-8.
  std::string At(int row, int column) const;
  Cell CellAt(int row, int column) const;
  // All rows joined by "\n", trailing blank rows removed.
  std::string AllText() const;
  // True when any row holds the text.
  bool Contains(std::string_view utf8) const;
  // Where the text first shows (top row first), to look at its cells'
  // colours; nullopt when no row holds it.
  struct Position {
    int row;
    int column;
  };
  std::optional<Position> Find(std::string_view utf8) const;

  int CursorRow() const;
  int CursorColumn() const;

  // The screen as a numbered dump for failure messages.
  std::string Dump() const;

 private:
  static void OnOutput(const char* bytes, size_t len, void* self);
  void Write(std::string_view bytes);

  int rows_;
  int cols_;
  Encoding encoding_;
  VTerm* vt_;
  VTermScreen* screen_;
  VTermState* state_;
  std::function<void(std::string_view)> reply_;
  std::string pending_;  // an escape sequence not complete yet
};

}  // namespace trv::harness

#endif  // TRV_TESTS_HARNESS_SCREEN_H_
