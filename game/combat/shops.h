// The weapon and armour shops of Main Street, the list-and-buy counter
// other shops reuse (the church's holy items), selling and dropping, and
// the equipment screen of the status pages.
//
// Every purchase and sale is one write unit that re-reads the caller's
// gold and slots, re-checks and writes, so a second session of the same
// user or a pickpocket on another node can neither make an item sell twice
// nor have its theft undone by a stale purse.
#ifndef TRV_GAME_COMBAT_SHOPS_H_
#define TRV_GAME_COMBAT_SHOPS_H_

#include <functional>
#include <string>

#include "game/combat/items.h"

namespace trv::combat {

// Main Street's W and A.
void WeaponShop();
void ArmorShop();

// The shops' V key opens the character status pages, which live in a
// higher layer; it registers them here. Until then the shops have no V.
// The hunt's Y key opens the same pages.
using StatusScreenFn = void (*)();
void SetStatusScreen(StatusScreenFn screen);
// The registered pages; nullptr until then.
StatusScreenFn StatusScreen();

// One counter: the items of one category, ten to a page, and the buy prompt.
struct ShopCounter {
  std::string category;  // as in the item file: "0" weapons, "2" armour ...
  // Prints the banner, the keeper's words and what the caller wears on
  // rows 1 to 8 of a cleared screen, so the list's heading is on row 12.
  std::function<void()> heading;
  const char* buy_prompt;  // colour markup, e.g. "\n\n\r`bright green`Buy which item: "
};
ShopCounter WeaponCounter();

// The armour shop's keys 1 to 8.
struct ArmourCounterKey {
  char key;
  int slot;              // the worn slot the counter's items go to
  const char* category;  // their category
};
inline constexpr ArmourCounterKey kArmourCounters[] = {
    {'1', 3, "2"}, {'2', 4, "3"},   {'3', 9, "8"},   {'4', 10, "9"},
    {'5', 5, "4"}, {'6', 13, "12"}, {'7', 14, "13"}, {'8', 6, "5"},
};
ShopCounter ArmourCounter(const ArmourCounterKey& key);

// Lists the counter's items and sells one: only a listed number is taken,
// and the price is checked before the placement step.
void ShopList(const ShopCounter& counter);

// The placement step of a purchase, given the item's number in the item
// file: offers to wear it (the first free worn slot of its kind, else the
// pack) and then, in one write unit, takes its price and puts it in place.
// Returns 1 when the item was placed and paid for; 0 when it was refused
// (no slot fits its category, the pack is full, the gold fell short),
// and then nothing changed.
int PlaceBoughtItem(int index);

// The shops' sell-or-drop screen, until Enter.
void SellOrDrop();

// The equipment page of the status screens. Handles E (equip), U
// (unequip), D (drop), * (drop the pack), '.' and '=' itself, and returns
// the key that leaves it: 'I' (investments), 'K' (kingdom) or '\r' (back);
// 0 when the line is gone.
char EquipmentScreen();
// Wears the item of pack slot 15-30 in a slot of its kind, swapping out
// what is worn there (weapons ask which hand); jewellery needs a free slot.
void EquipFromInventory(int slot);
// Empties the pack after a yes.
void DropAllInventory();

// Main Street's F: reminds a caller with both hands empty to buy weapons
// and armour first (after a key the hunt goes on all the same). Returns
// whether it reminded.
bool RemindOfEmptyHands();

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_SHOPS_H_
