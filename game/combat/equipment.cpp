// Selling, dropping, wearing and taking off items: the shops' sell-or-drop
// screen and the equipment page of the status screens.
#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/shop_parts.h"
#include "game/combat/shops.h"
#include "game/db/db.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

using namespace ansi;

constexpr int kPackColumns = 3;
constexpr size_t kShownName = 22;  // a pack cell's width, so three fit a row

std::string Me() { return player::CallerUserName(); }

void Say(const char* colour, const std::string& text) { Emu(std::string("\n\r") + colour + text); }

std::string Shown(const std::string& stored, size_t width) {
  return CleanText(stored).substr(0, width);
}

// Slots 1-14 two to a row, then (after `between`) the pack three to a row.
void DrawSlots(const Slots& slots, const std::string& between) {
  std::string out;
  char cell[96];
  for (int slot = 1; slot <= kLastWornSlot; ++slot) {
    out += slot % 2 ? "\n\r" : " ";
    const std::string name = Shown(slots[slot], 23);
    snprintf(cell, sizeof cell, "%s%-15s%s%-22s", kDarkGreen, (SlotLabel(slot) + ": ").c_str(),
             name.empty() ? kGrey : kBrightWhite, name.empty() ? "<<nothing>>" : name.c_str());
    out += cell;
  }
  out += between;
  for (int slot = kFirstPackSlot; slot <= kLastSlot; ++slot) {
    if ((slot - kFirstPackSlot) % kPackColumns == 0) out += "\n\r";
    const std::string name = Shown(slots[slot], kShownName);
    snprintf(cell, sizeof cell, "%s%-2d: %s%-22s", kDarkGreen, slot,
             name.empty() ? kGrey : kBrightWhite, name.empty() ? "<<nothing>>" : name.c_str());
    out += cell;
  }
  Emu(out);
}

std::string InventoryBanner() {
  return std::string("\n\n\r") + kBrightCyan + kShades + " " + kBrightYellow + "Inventory Items " +
         kBrightCyan + kShadesBack;
}

std::string Option(const char* lead, char first, const char* first_text, char second,
                   const char* second_text) {
  return std::string(lead) + kBrightCyan + kShades + " Press [" + kBrightYellow + first +
         kBrightCyan + "] " + first_text + " / Press [" + kBrightYellow + second + kBrightCyan +
         "] " + second_text;
}

std::string EnterPrompt() {
  return std::string("\n\r") + kBrightCyan + kShades + " " + kGrey + "[Enter]: ";
}

// The slot number typed after `question`; -1 when nothing was typed.
int AskSlot(const char* question) {
  Emu(std::string("\n\n\r") + kBrightGreen + question);
  return ReadTypedNumber(2);
}

bool ReallyDo(const char* verb, const std::string& what) {
  Emu(std::string("\n\r") + kBrightGreen + verb + " " + CleanText(what) + "? (y/n)");
  return AnswerYes();
}

enum class Change { kDone, kChanged, kNoRoom, kNeedsFreeSlot };

// Runs `change` as one unit over the caller's slots, after checking that
// `slot` still holds `name` (another session may have sold or moved it).
Change ChangeSlots(int slot, const std::string& name,
                   const std::function<Change(const Slots&)>& change) {
  Change result = Change::kChanged;
  db::RunWriteUnit([&] {
    const Slots slots = ReadSlots(Me());
    if (name.empty() || slots[slot] != name) return false;
    result = change(slots);
    return result == Change::kDone;
  });
  return result;
}

void Clear(int slot) {
  db::Exec(db::kPlayer, "UPDATE %s SET Equip%d='' WHERE UserName=%Q", db::TableName(db::kPlayer),
           slot, Me().c_str());
}

// Taking a worn item off takes its bonuses away; what the lower maxima no
// longer hold is lost (no more hit points than the maximum), never healed.
void TakeOff(const ItemTable& items, int slot, const std::string& name) {
  if (!IsWornSlot(slot)) return;
  const Item* item = FindItem(items, name);
  if (item == nullptr || !item->bonus.any()) return;
  ApplyBonus(Me(), item->bonus, -1);
  db::Exec(db::kPlayer,
           "UPDATE %s SET HP=MIN(HP,MaxHP),MagicPower=MIN(MagicPower,MaxMagicPower) "
           "WHERE UserName=%Q",
           db::TableName(db::kPlayer), Me().c_str());
}

void RestoreHealth() {
  db::Exec(db::kPlayer, "UPDATE %s SET HP=MaxHP,MagicPower=MaxMagicPower WHERE UserName=%Q",
           db::TableName(db::kPlayer), Me().c_str());
}

void SellItem() {
  const int slot = AskSlot("Sell which item (Enter the #): ");
  if (slot < 0) return;
  const ItemTable items = ReadItems();
  const std::string name = IsSlot(slot) ? ReadSlots(Me())[slot] : "";
  const Item* item = FindItem(items, name);
  if (item == nullptr) {  // out of range, empty, or no longer sold anywhere
    Say(kBrightRed, "Invalid equipment item!");
    return;
  }
  const Purenum::Integer price = SalePrice(*item);
  Say(kBrightGreen, "Sell item for $" + Grouped(price) + "? (y/n)");
  if (!AnswerYes()) return;
  const Change sold = ChangeSlots(slot, name, [&](const Slots&) {
    TakeOff(items, slot, name);
    if (IsWornSlot(slot)) RestoreHealth();
    if (!player::AddGold(Me(), price)) return Change::kChanged;
    Clear(slot);
    return Change::kDone;
  });
  Say(sold == Change::kDone ? kBrightYellow : kBrightRed,
      sold == Change::kDone ? "Sold!" : "Invalid equipment item!");
}

void DropItem(const char* refusal) {
  const int slot = AskSlot("Drop which item (Enter the #): ");
  if (slot < 0) return;
  const std::string name = IsSlot(slot) ? ReadSlots(Me())[slot] : "";
  if (name.empty()) {
    Say(kBrightRed, refusal);
    return;
  }
  if (!ReallyDo("Really drop", name)) return;
  const ItemTable items = ReadItems();
  const Change dropped = ChangeSlots(slot, name, [&](const Slots&) {
    TakeOff(items, slot, name);
    Clear(slot);
    return Change::kDone;
  });
  if (dropped != Change::kDone) Say(kBrightRed, refusal);
}

void Unequip() {
  const int slot = AskSlot("Unequip which item (Enter the #): ");
  if (slot < 0) return;
  if (!IsWornSlot(slot)) {
    Say(kBrightRed, "Invalid entry!");
    return;
  }
  const std::string name = ReadSlots(Me())[slot];
  if (name.empty()) {
    Say(kBrightRed, "This item is already unequipped!");
    return;
  }
  if (!ReallyDo("Really unequip", name)) return;
  const ItemTable items = ReadItems();
  const Change moved = ChangeSlots(slot, name, [&](const Slots& slots) {
    const int pack = FirstEmptyPackSlot(slots);
    if (pack == 0) return Change::kNoRoom;
    db::Exec(db::kPlayer, "UPDATE %s SET Equip%d=%Q,Equip%d='' WHERE UserName=%Q",
             db::TableName(db::kPlayer), pack, name.c_str(), slot, Me().c_str());
    TakeOff(items, slot, name);
    RestoreHealth();
    return Change::kDone;
  });
  if (moved == Change::kDone) {
    od_printf("\n\n\rStored in your inventory..");
  } else if (moved == Change::kNoRoom) {
    od_printf("\n\n\r`bright red`Sorry, you need to sell or drop some of your current equipment!");
  } else {
    Say(kBrightRed, "Invalid entry!");
  }
}

void EquipChosen() {
  const int slot = AskSlot("Equip which inventory item (Enter the #): ");
  if (slot < 0) return;
  const std::string name = IsPackSlot(slot) ? ReadSlots(Me())[slot] : "";
  if (name.empty()) {
    Say(kBrightRed, "Invalid entry!");
    return;
  }
  if (ReallyDo("Really equip", name)) EquipFromInventory(slot);
}

void DrawEquipmentPage() {
  const Slots slots = ReadSlots(Me());
  const ItemTable items = ReadItems();
  Emu(std::string(kBrightCyan) + ShadeTitle("Equipment") + "\n\r");
  Emu(std::string(kBrightMagenta) + kShortRule);
  char totals[200];
  snprintf(totals, sizeof totals,
           "\n\r%sTotal Weapon Strength: %s%s   %sTotal Armor Strength: %s%s", kBrightGreen,
           kBrightWhite, Grouped(WeaponBonus(items, slots)).c_str(), kBrightGreen, kBrightWhite,
           Grouped(ArmourTotal(items, slots)).c_str());
  DrawSlots(slots, totals + InventoryBanner());
  Emu(Option("\n\n\r", 'E', "Equip Item", 'U', "Unequip Item"));
  Emu(Option("\n\r", 'D', "Drop Item", '*', "Drop All Inventory"));
  Emu(Option("\n\r", 'I', "for Investments", 'K', "for Kingdom Information"));
  Emu(EnterPrompt());
}

}  // namespace

void SellOrDrop() {
  for (;;) {
    od_clr_scr();
    Emu(std::string(kBrightCyan) + ShadeTitle("Equipment") + "\n\r");
    Emu(std::string(kBrightMagenta) + kShortRule);
    DrawSlots(ReadSlots(Me()), InventoryBanner());
    Emu(Option("\n\n\r", 'S', "Sell Item", 'D', "Drop Item"));
    Emu(EnterPrompt());
    const char key = od_get_answer("SD\r");
    if (key == 'S') {
      SellItem();
    } else if (key == 'D') {
      DropItem("Invalid selection!");
    } else {
      return;
    }
    PressAnyKey();
  }
}

char EquipmentScreen() {
  auto then_wait = [](void (*action)()) {
    return [action] {
      action();
      PressAnyKey();
    };
  };
  const std::vector<PlaceKey> keys = {
      {'E', nullptr, then_wait(EquipChosen)},
      {'U', nullptr, then_wait(Unequip)},
      {'D', nullptr, then_wait([] { DropItem("Invalid entry!"); })},
      {'*', nullptr, DropAllInventory},
      {'I', nullptr, nullptr, true},
      {'K', nullptr, nullptr, true},
      {'\r', nullptr, nullptr, true},
  };
  PlaceScreen page;
  page.draw = DrawEquipmentPage;
  return RunPlace(page, keys);
}

void EquipFromInventory(int slot) {
  const std::string name = IsPackSlot(slot) ? ReadSlots(Me())[slot] : "";
  const ItemTable items = ReadItems();
  const Item* item = FindItem(items, name);
  const std::vector<int> kind = item ? SlotsFor(item->category) : std::vector<int>();
  if (kind.empty()) {  // not in the item file, or nothing it can be worn as
    Say(kBrightRed, "Invalid entry!");
    return;
  }
  const bool jewellery = kind.size() == 2 && kind[0] != kRightHand;
  const bool kind_full = FirstEmpty(ReadSlots(Me()), kind) == 0;
  if (jewellery && kind_full) {
    od_printf(item->category == "6" ? "\n\n\rYou must first remove one of your necklaces."
                                    : "\n\n\rYou must first remove one of your rings.");
    return;
  }
  int hand = kind[0];
  if (kind_full && kind[0] == kRightHand) {
    od_printf("\n\r`bright red`Equip in which hand? (L/R)");
    const char answer = od_get_answer("LR");
    if (answer == 0) return;
    hand = answer == 'L' ? kLeftHand : kRightHand;
  }
  int worn = 0;
  const Change equipped = ChangeSlots(slot, name, [&](const Slots& slots) {
    worn = FirstEmpty(slots, kind);
    if (worn == 0 && jewellery) return Change::kNeedsFreeSlot;
    if (worn == 0) worn = hand;
    // What is worn there goes to the pack slot the item leaves.
    const std::string taken_off = slots[worn];
    db::Exec(db::kPlayer, "UPDATE %s SET Equip%d=%Q,Equip%d=%Q WHERE UserName=%Q",
             db::TableName(db::kPlayer), worn, name.c_str(), slot, taken_off.c_str(), Me().c_str());
    TakeOff(items, worn, taken_off);
    ApplyBonus(Me(), item->bonus, 1);
    return Change::kDone;
  });
  if (equipped != Change::kDone) {
    Say(kBrightRed, "Invalid entry!");
    return;
  }
  od_printf("%s", WornMessage(worn));
  if (Magical(*item)) ShowMagic();
}

void DropAllInventory() {
  od_printf("\n\n\r`bright green`Drop ALL Inventory (y/n)? ");
  if (!AnswerYes()) return;
  std::string empty;
  for (int slot = kFirstPackSlot; slot <= kLastSlot; ++slot)
    empty += (slot > kFirstPackSlot ? ",Equip" : "Equip") + std::to_string(slot) + "=''";
  db::Exec(db::kPlayer, "UPDATE %s SET %s WHERE UserName=%Q", db::TableName(db::kPlayer),
           empty.c_str(), Me().c_str());
}

}  // namespace trv::combat
