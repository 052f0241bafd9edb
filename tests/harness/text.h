// Byte-level helpers for what a door sends: CP437 art, ANSI sequences,
// telnet commands. Tests compare against literals, so everything here works
// on raw bytes and never guesses at an encoding.
#ifndef TRV_TESTS_HARNESS_TEXT_H_
#define TRV_TESTS_HARNESS_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

namespace trv::harness {

// Unicode code point of a CP437 byte (0x00-0x7F map to themselves).
char32_t Cp437ToCodepoint(unsigned char byte);
// CP437 byte of a code point, or '?' when the code page has none.
unsigned char CodepointToCp437(char32_t codepoint);
void AppendUtf8(std::string& out, char32_t codepoint);
// CP437 text as UTF-8 ("\xB0" -> "░"); control bytes are kept as they are.
std::string Cp437ToUtf8(std::string_view cp437);

// Drops ANSI escape sequences (CSI, OSC, two-byte ESC) from a byte stream.
// Keeps its state between calls, so a sequence split over two reads is
// still removed.
class AnsiStripper {
 public:
  void Feed(std::string_view bytes, std::string& out);

 private:
  enum class State { kText, kEscape, kEscapeIntermediate, kCsi, kOsc, kOscEscape };
  State state_ = State::kText;
};

// Removes telnet commands from what a door sends over a socket, keeping
// IAC IAC as one 0xFF. Commands are kept in readable form for tests that
// look at the negotiation ("DO 31", "WILL 1", "SB 31").
class TelnetDecoder {
 public:
  void Feed(std::string_view bytes, std::string& out);
  const std::vector<std::string>& commands() const { return commands_; }

 private:
  enum class State { kData, kIac, kOption, kSub, kSubIac };
  State state_ = State::kData;
  unsigned char verb_ = 0;
  std::string sub_;
  std::vector<std::string> commands_;
};

// One-shot helpers over a whole text.
std::string StripAnsi(std::string_view bytes);
// Bytes made readable for a failure message: ESC as \e, CR as \r, other
// control and high bytes as \xNN; a new line follows each LF.
std::string Visible(std::string_view bytes);
// Lines of a text split at LF, with CRs removed.
std::vector<std::string> Lines(std::string_view text);
// The figure right after the first match of the regular expression
// `label` in the text, digit grouping removed ("$1,250" after "\\$" is
// 1250); -1 when there is none.
long long FigureAfter(const std::string& text, const std::string& label);

}  // namespace trv::harness

#endif  // TRV_TESTS_HARNESS_TEXT_H_
