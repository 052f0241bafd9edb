#include "config/prompts.h"

#include "doorkit/doorkit.h"
#include "game/ui/ui.h"

namespace trv::config {

void Banner(const char* lead, const std::string& title) {
  od_printf("%s%s", lead, ShadeTitle(title).c_str());
}

std::string ReadDigits(int width) {
  char typed[512] = "";
  if (width > static_cast<int>(sizeof typed) - 1) width = sizeof typed - 1;
  od_input_str(typed, width, '0', '9');
  return typed;
}

void OptionBanner(const char* title) { Banner("\n\n\r`bright magenta`", title); }

void GoBackAndSelection() {
  od_printf("\n\n\r`bright red`[`bright yellow`X`bright red`]`bright yellow` Go Back");
  od_printf("\n\r`dark green`Your Selection :");
}

void PlayerNotFound() {
  od_printf("\n\r`bright red`That player was not found!");
  od_get_key(TRUE);
}

void Refused(const std::string& why) {
  od_printf("\n\r`bright red`%s", why.c_str());
  PressAnyKey();
}

}  // namespace trv::config
