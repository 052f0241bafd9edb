#include "game/economy/screen_text.h"

#include <vector>

#include "doorkit/doorkit.h"
#include "game/money/money.h"
#include "game/player/gold.h"

namespace trv::economy {

std::string ReadDigits(int max_length) {
  std::vector<char> typed(static_cast<size_t>(max_length) + 1, '\0');
  od_input_str(typed.data(), max_length, '0', '9');
  return typed.data();
}

std::string Grouped(const Purenum::Integer& amount) { return AddCommas(amount.str()); }

std::string Grouped(const char* stored) { return Grouped(player::Amount(stored)); }

void Say(const std::string& markup) { od_printf("%s", markup.c_str()); }

}  // namespace trv::economy
