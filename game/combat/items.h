// The items of the realm (Data/item.dat) and the thirty equipment slots.
//
// A character's slots (player.Equip1 to Equip30) hold only item names; an
// item's price, power and bonuses are looked up by name in the item file
// every time, so an edited file changes owned items at once. Slots 1-14
// are worn (see SlotLabel), 15-30 are the pack. An item's category names
// the worn slots it fits (SlotsFor); categories 1, 7 and 11 fit none.
//
// Fights use the two strengths: the weapon bonus (the powers of what is in
// the hands) and the armour total (the powers of everything else worn,
// jewellery included); see StrengthOf.
#ifndef TRV_GAME_COMBAT_ITEMS_H_
#define TRV_GAME_COMBAT_ITEMS_H_

#include <array>
#include <string>
#include <vector>

#include "game/combat/data_file.h"
#include "game/money/Integer.h"

namespace trv::combat {

inline constexpr char kItemFile[] = "Data/item.dat";
// name, price, power, category, then the six bonuses.
extern const DataFormat kItemFormat;

// The six attribute bonuses of worn jewellery, in the file's column order.
struct StatBonus {
  int agility = 0;
  int max_hp = 0;
  int max_magic = 0;
  int strength = 0;
  int defense = 0;
  int mental = 0;
  bool any() const { return agility || max_hp || max_magic || strength || defense || mental; }
};

struct Item {
  std::string name;      // matched exactly against a slot's text
  std::string price;     // gold text; read it with player::Amount
  long long power = 0;   // weapon strength (category 0) or armour strength
  std::string category;  // compared as text: "0" weapons, "2" armour ...
  StatBonus bonus;
};
using ItemTable = std::vector<Item>;

// The item file read afresh; a missing file ends the door.
ItemTable ReadItems(const char* path = kItemFile);
// The table of the last read_data call.
const ItemTable& ItemsRead();
// The first item of the name; nullptr for "" and for a name not in the table.
const Item* FindItem(const ItemTable& items, const std::string& name);
// What a shop pays for an item: half its price, rounded down.
Purenum::Integer SalePrice(const Item& item);

// --- Slots ---
inline constexpr int kRightHand = 1;
inline constexpr int kLeftHand = 2;
inline constexpr int kLastWornSlot = 14;
inline constexpr int kFirstPackSlot = 15;
inline constexpr int kLastSlot = 30;

inline bool IsSlot(int slot) { return slot >= 1 && slot <= kLastSlot; }
inline bool IsWornSlot(int slot) { return slot >= 1 && slot <= kLastWornSlot; }
inline bool IsPackSlot(int slot) { return slot >= kFirstPackSlot && slot <= kLastSlot; }

// "01 Right Hand" ... "14 Hands" for the worn slots, "15" ... "30" for the pack.
std::string SlotLabel(int slot);
// The worn slots an item of the category fits, in the order they are
// filled: {1, 2} for weapons, {7, 8} necklaces, {11, 12} rings, one slot
// for the other armour; empty for a category without a slot.
std::vector<int> SlotsFor(const std::string& category);

// A character's slot texts, indexed 1 to 30 (index 0 unused).
using Slots = std::array<std::string, kLastSlot + 1>;
// The slots of a character by user name or by IDNum; all "" when the row
// is gone.
Slots ReadSlots(const std::string& user_name);
Slots ReadSlotsById(const std::string& id);

// The first empty slot of `candidates`; 0 when all are taken.
int FirstEmpty(const Slots& slots, const std::vector<int>& candidates);
// The first empty pack slot, 0 when the pack is full.
int FirstEmptyPackSlot(const Slots& slots);

// --- Strength in a fight ---
// The sum of the power of every item whose name is in the slot; an item
// in both hands counts twice, a name no longer in the file counts 0.
// Saturates instead of overflowing.
long long WeaponBonus(const ItemTable& items, const Slots& slots);  // slots 1-2
long long ArmourTotal(const ItemTable& items, const Slots& slots);  // slots 3-14

struct EquipmentStrength {
  long long weapon_bonus = 0;
  long long armour_total = 0;
};
// Reads the item file and the character's row (a gone row is 0, 0).
EquipmentStrength StrengthOf(const std::string& user_name);
EquipmentStrength StrengthOfId(const std::string& id);

// --- The caller's pack ---
// True when the caller's slots 15-30 all hold something.
bool InventoryFull();
// Puts the name into the caller's first empty pack slot, in one write unit;
// returns the slot, 0 (nothing written) when the pack is full.
int StoreInInventory(const std::string& name);

// Adds (sign 1) or takes away (sign -1) an item's attribute bonuses on
// the caller's row; nothing when it has none. Inside a write unit.
void ApplyBonus(const std::string& user_name, const StatBonus& bonus, int sign);

}  // namespace trv::combat

extern "C" {
// Reads the item file at `path` into the table kept until the next call
// and returns the number of items; a missing file ends the door.
int read_data(const char* path);
}

#endif  // TRV_GAME_COMBAT_ITEMS_H_
