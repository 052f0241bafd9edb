#include "game/session/ui.h"

#include <stdlib.h>
#include <time.h>

#include "doorkit/doorkit.h"

namespace trv {

std::string ShadeTitle(const std::string& title) {
  return std::string(kShades) + " " + title + " " + kShadesBack;
}

void Emu(const std::string& text) { od_disp_emu(text.c_str(), TRUE); }

void PressAnyKey() {
  od_printf("\n\n\r`bright red`%s", ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
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

}  // namespace trv
