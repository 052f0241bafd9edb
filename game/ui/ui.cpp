#include "game/ui/ui.h"

#include <stdlib.h>
#include <time.h>

#include "doorkit/doorkit.h"
#include "game/ui/ansi.h"

namespace trv {

std::string ShadeTitle(const std::string& title) {
  return std::string(kShades) + " " + title + " " + kShadesBack;
}

void Emu(const std::string& text) { od_disp_emu(text.c_str(), TRUE); }

void PressAnyKey() {
  od_printf("\n\n\r`bright red`%s", ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
}

bool AnswerYes() { return od_get_answer("YN") == 'Y'; }

std::string YesNoMarkup(const char* colour) {
  const std::string c = std::string("`") + colour + "`";
  return "(`bright yellow`y" + c + "/`bright yellow`N" + c + ")? ";
}

std::string YesNoAnsi(const char* colour_sequence, char no_letter) {
  return std::string("(") + ansi::kBrightYellow + "y" + colour_sequence + "/" +
         ansi::kBrightYellow + no_letter + colour_sequence + ")? ";
}

bool AskYesNo(const std::string& question, const char* colour) {
  od_printf("%s%s", question.c_str(), YesNoMarkup(colour).c_str());
  return AnswerYes();
}

std::string CleanText(const char* text) {
  std::string clean;
  if (!text) return clean;
  for (const char* p = text; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c == 0x7F || c == 0xFF || c == '`') continue;
    clean += static_cast<char>(c);
  }
  return clean;
}

void SeedRandom() {
  const char* seed = getenv("TRV_SEED");
  srand(seed && *seed ? static_cast<unsigned>(strtoul(seed, nullptr, 10))
                      : static_cast<unsigned>(time(nullptr)));
}

void SeedRandomOnce() {
  static bool seeded = false;
  if (seeded) return;
  seeded = true;
  SeedRandom();
}

}  // namespace trv
