#include "game/ui/closing.h"

#include <string>

#include "doorkit/doorkit.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

using namespace trv;

void ExitGame(void) {
  od_clr_scr();
  Emu(std::string("\n\r") + ansi::kBrightWhite + "Thank you for playing!!\n\r");
  Emu(std::string("\n\r") + ansi::kBrightBlue + "  " + kShades + " " + ansi::kBrightYellow +
      "Tarvessia: Turn of Tide v4.5" + ansi::kBrightBlue + " " + kShadesBack);
  Emu(std::string("\n\n\r") + ansi::kBrightGreen +
      "Tarvessia lives on in Linux BBS doors - may the tide turn your way.");
  Emu(std::string("\n\n\r") + ansi::kGrey + "[Compile Date: 06/24/2005]");
  Emu(std::string("\n\n\r") + ansi::kDarkGreen + "Credits:");
  const char* const credits[4][2] = {
      {"Programmed/Designed: ", "The Tarvessia Development Team"},
      {"Storyboard Concept : ", "The Tidewardens"},
      {"Coding Support     : ", "The Linux Door Crew"},
      {"Testing/Support    : ", "Every caller who braved the realm"},
  };
  for (int i = 0; i < 4; ++i)
    Emu(std::string("\n\r") + ansi::kBrightRed + credits[i][0] + ansi::kBrightWhite +
        credits[i][1] + (i == 3 ? "\n\r" : ""));
  od_sleep(2000);
  od_exit(10, FALSE);
}
