#include "game/combat/shop_parts.h"

#include <ctype.h>

#include "doorkit/doorkit.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/player/gold.h"

namespace trv::combat {

int ReadTypedNumber(int digits) {
  char typed[8] = "";
  od_input_str(typed, digits < 7 ? digits : 7, '0', '9');
  if (typed[0] == '\0') return -1;
  int value = 0;
  for (const char* p = typed; *p; ++p) {
    if (!isdigit(static_cast<unsigned char>(*p))) return -1;
    value = value * 10 + (*p - '0');
  }
  return value;
}

Purenum::Integer CallerGold() { return player::Amount(player::CallerText("Gold").c_str()); }

std::string Grouped(const Purenum::Integer& amount) { return AddCommas(amount.str()); }

std::string GroupedPrice(const std::string& price) {
  return Grouped(player::Amount(price.c_str()));
}

char PageQuestion(const char* question, char stop_key) {
  od_printf("%s", question);
  const char keys[] = {'\r', 'Y', 'N', stop_key, '\0'};
  const char key = od_get_answer(keys);
  return key == '\r' ? 'Y' : key;
}

const char* WornMessage(int slot) {
  switch (slot) {
    case kRightHand:
      return "\n\n\rEquiped in your right hand!";
    case kLeftHand:
      return "\n\n\rEquiped in your left hand!";
    case 7:
    case 8:
      return "\n\n\rEquiped around your neck!";
    case 11:
      return "\n\n\rEquiped on your right hand!";
    case 12:
      return "\n\n\rEquiped on your left hand!";
    default:
      return "\n\n\rEquiped!";
  }
}

bool Magical(const Item& item) {
  return item.category == "6" || item.category == "10" || item.bonus.any();
}

void ShowMagic() { od_printf("\n\n\r`bright red`** A little magic happens! **"); }

void WaitKey() { od_get_key(TRUE); }

}  // namespace trv::combat
