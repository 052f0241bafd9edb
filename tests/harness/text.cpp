#include "tests/harness/text.h"

#include <algorithm>
#include <cstdio>
#include <regex>

namespace trv::harness {
namespace {

// Code page 437, upper half.
constexpr char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kIac = 255;

}  // namespace

char32_t Cp437ToCodepoint(unsigned char byte) {
  return byte < 0x80 ? byte : kCp437High[byte - 0x80];
}

unsigned char CodepointToCp437(char32_t codepoint) {
  if (codepoint < 0x80) return static_cast<unsigned char>(codepoint);
  for (int i = 0; i < 128; ++i) {
    if (kCp437High[i] == codepoint) return static_cast<unsigned char>(0x80 + i);
  }
  return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string Cp437ToUtf8(std::string_view cp437) {
  std::string out;
  out.reserve(cp437.size());
  for (unsigned char c : cp437) AppendUtf8(out, Cp437ToCodepoint(c));
  return out;
}

void AnsiStripper::Feed(std::string_view bytes, std::string& out) {
  for (unsigned char c : bytes) {
    switch (state_) {
      case State::kText:
        if (c == kEsc) {
          state_ = State::kEscape;
        } else {
          out += static_cast<char>(c);
        }
        break;
      case State::kEscape:
        if (c == '[') {
          state_ = State::kCsi;
        } else if (c == ']') {
          state_ = State::kOsc;
        } else if (c >= 0x20 && c <= 0x2F) {
          state_ = State::kEscapeIntermediate;  // ESC ( B and the like
        } else {
          state_ = State::kText;
        }
        break;
      case State::kEscapeIntermediate:
        if (c < 0x20 || c > 0x2F) state_ = State::kText;
        break;
      case State::kCsi:
        if (c >= 0x40 && c <= 0x7E) {
          state_ = State::kText;
        } else if (c == kEsc) {
          state_ = State::kEscape;  // a broken sequence; the next one starts
        } else if (c < 0x20 || c > 0x3F) {
          state_ = State::kText;  // not a sequence after all: keep the byte
          out += static_cast<char>(c);
        }
        break;
      case State::kOsc:
        if (c == 0x07) {
          state_ = State::kText;
        } else if (c == kEsc) {
          state_ = State::kOscEscape;
        }
        break;
      case State::kOscEscape:
        state_ = c == '\\' ? State::kText : State::kOsc;
        break;
    }
  }
}

void TelnetDecoder::Feed(std::string_view bytes, std::string& out) {
  static const char* const kVerbs[] = {"WILL", "WONT", "DO", "DONT"};
  for (unsigned char c : bytes) {
    switch (state_) {
      case State::kData:
        if (c == kIac) {
          state_ = State::kIac;
        } else {
          out += static_cast<char>(c);
        }
        break;
      case State::kIac:
        if (c == kIac) {
          out += static_cast<char>(kIac);
          state_ = State::kData;
        } else if (c >= 251 && c <= 254) {
          verb_ = c;
          state_ = State::kOption;
        } else if (c == 250) {
          sub_.clear();
          state_ = State::kSub;
        } else {
          commands_.push_back("CMD " + std::to_string(c));
          state_ = State::kData;
        }
        break;
      case State::kOption:
        commands_.push_back(std::string(kVerbs[verb_ - 251]) + " " + std::to_string(c));
        state_ = State::kData;
        break;
      case State::kSub:
        if (c == kIac) {
          state_ = State::kSubIac;
        } else {
          sub_ += static_cast<char>(c);
        }
        break;
      case State::kSubIac:
        if (c == 240) {  // SE
          commands_.push_back("SB " + (sub_.empty()
                                           ? std::string("?")
                                           : std::to_string(static_cast<unsigned char>(sub_[0]))));
          state_ = State::kData;
        } else {
          sub_ += static_cast<char>(c);
          state_ = State::kSub;
        }
        break;
    }
  }
}

std::string StripAnsi(std::string_view bytes) {
  AnsiStripper stripper;
  std::string out;
  stripper.Feed(bytes, out);
  return out;
}

std::string Visible(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (unsigned char c : bytes) {
    if (c == '\n') {
      out += "\\n\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == kEsc) {
      out += "\\e";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

long long FigureAfter(const std::string& text, const std::string& label) {
  std::smatch match;
  if (!std::regex_search(text, match, std::regex(label + R"(([0-9,]+))"))) return -1;
  std::string digits = match[1];
  digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
  return std::stoll(digits);
}

}  // namespace trv::harness
