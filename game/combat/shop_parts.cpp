#include "game/combat/shop_parts.h"

#include <ctype.h>

#include "doorkit/doorkit.h"
#include "game/db/transaction.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

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

bool ListPaged(size_t count, const ListPaging& paging, const std::function<bool(size_t)>& show) {
  const char keys[] = {'\r', 'Y', 'N', paging.stop, '\0'};
  int shown = 0;
  for (size_t i = 0; i < count; ++i) {
    if (!show(i) || ++shown % paging.rows != 0) continue;
    od_printf("%s", paging.question);
    const char key = od_get_answer(keys);
    if (key == paging.stop) return true;
    if (key != '\r' && key != 'Y') return false;
    if (paging.next_page) paging.next_page();
  }
  return true;
}

void ShowPriceRow(size_t index, const std::string& name, const std::string& price) {
  od_printf("`grey`\n\r%-3d %-25s $%s", static_cast<int>(index), CleanText(name).c_str(),
            GroupedPrice(price).c_str());
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

Payment PayFor(const std::string& price, const std::function<bool()>& deliver) {
  Payment payment = Payment::kGone;
  db::RunWriteUnit([&] {
    const player::GoldMove paid =
        player::TakeGold(player::CallerUserName(), player::Amount(price.c_str()));
    if (!paid) {
      if (paid.outcome == player::GoldOutcome::kNotEnough) payment = Payment::kCannotAfford;
      return false;
    }
    payment = deliver() ? Payment::kPaid : Payment::kNotDelivered;
    return payment == Payment::kPaid;  // else the gold goes back too
  });
  return payment;
}

void WaitKey() { od_get_key(TRUE); }

}  // namespace trv::combat
