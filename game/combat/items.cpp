#include "game/combat/items.h"

#include "game/combat/data_file.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/money/saturating.h"
#include "game/player/caller.h"
#include "game/player/gold.h"

namespace trv::combat {

const DataFormat kItemFormat{99, {23, 99, 19, 2, 9, 9, 9, 9, 9, 9}};

namespace {

ItemTable g_items_read;

ItemTable ToItems(const DataFile& file) {
  ItemTable items;
  items.reserve(file.records.size());
  for (const DataRecord& r : file.records) {
    Item item;
    item.name = r[0];
    item.price = r[1];
    item.power = DataNumber(r[2]);
    item.category = r[3];
    item.bonus = {DataInt(r[4]), DataInt(r[5]), DataInt(r[6]),
                  DataInt(r[7]), DataInt(r[8]), DataInt(r[9])};
    items.push_back(std::move(item));
  }
  return items;
}

// Every matching entry counts, as the file may name an item twice.
long long PowerOfSlots(const ItemTable& items, const Slots& slots, int first, int last) {
  long long total = 0;
  for (int slot = first; slot <= last; ++slot) {
    if (slots[slot].empty()) continue;
    for (const Item& item : items)
      if (item.name == slots[slot]) total = SaturatingAdd(total, item.power);
  }
  return total;
}

std::string SlotColumns() {
  std::string columns;
  for (int slot = 1; slot <= kLastSlot; ++slot)
    columns += (slot > 1 ? ",Equip" : "Equip") + std::to_string(slot);
  return columns;
}

Slots SlotsOfRow(const db::ResultTable& row) {
  Slots slots;
  for (int slot = 1; slot <= kLastSlot; ++slot) slots[slot] = row.Text(0, slot - 1);
  return slots;
}

}  // namespace

ItemTable ReadItems(const char* path) { return ToItems(ReadGameDataFile(path, kItemFormat)); }

const ItemTable& ItemsRead() { return g_items_read; }

const Item* FindItem(const ItemTable& items, const std::string& name) {
  return FindByName(items, name);
}

Purenum::Integer SalePrice(const Item& item) { return player::Amount(item.price.c_str()) / 2; }

std::string SlotLabel(int slot) {
  static const char* const kWorn[] = {"",       "Right Hand", "Left Hand", "Armor",    "Shield",
                                      "Helmet", "Cloak",      "Necklace",  "Necklace", "Arms",
                                      "Legs",   "Ring",       "Ring",      "Feet",     "Hands"};
  char number[4];
  snprintf(number, sizeof number, "%02d", slot);
  if (IsWornSlot(slot)) return std::string(number) + " " + kWorn[slot];
  return number;
}

std::vector<int> SlotsFor(const std::string& category) {
  static const struct {
    const char* category;
    std::vector<int> slots;
  } kFits[] = {
      {"0", {1, 2}}, {"2", {3}},  {"3", {4}},       {"4", {5}},   {"5", {6}},   {"6", {7, 8}},
      {"8", {9}},    {"9", {10}}, {"10", {11, 12}}, {"12", {13}}, {"13", {14}},
  };
  for (const auto& fit : kFits)
    if (category == fit.category) return fit.slots;
  return {};
}

Slots ReadSlots(const std::string& user_name) {
  return SlotsOfRow(db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q",
                              SlotColumns().c_str(), db::TableName(db::kPlayer),
                              user_name.c_str()));
}

Slots ReadSlotsById(const std::string& id) {
  return SlotsOfRow(db::Query(db::kPlayer, "SELECT %s FROM %s WHERE IDNum=%Q",
                              SlotColumns().c_str(), db::TableName(db::kPlayer), id.c_str()));
}

int FirstEmpty(const Slots& slots, const std::vector<int>& candidates) {
  for (int slot : candidates)
    if (IsSlot(slot) && slots[slot].empty()) return slot;
  return 0;
}

int FirstEmptyPackSlot(const Slots& slots) {
  for (int slot = kFirstPackSlot; slot <= kLastSlot; ++slot)
    if (slots[slot].empty()) return slot;
  return 0;
}

long long WeaponBonus(const ItemTable& items, const Slots& slots) {
  return PowerOfSlots(items, slots, kRightHand, kLeftHand);
}

long long ArmourTotal(const ItemTable& items, const Slots& slots) {
  return PowerOfSlots(items, slots, 3, kLastWornSlot);
}

EquipmentStrength StrengthOf(const std::string& user_name) {
  const ItemTable items = ReadItems();
  const Slots slots = ReadSlots(user_name);
  return {WeaponBonus(items, slots), ArmourTotal(items, slots)};
}

EquipmentStrength StrengthOfId(const std::string& id) {
  const ItemTable items = ReadItems();
  const Slots slots = ReadSlotsById(id);
  return {WeaponBonus(items, slots), ArmourTotal(items, slots)};
}

bool InventoryFull() { return FirstEmptyPackSlot(ReadSlots(player::CallerUserName())) == 0; }

int StoreInInventory(const std::string& name) {
  int stored = 0;
  db::RunWriteUnit([&] {
    const Slots slots = ReadSlots(player::CallerUserName());
    stored = FirstEmptyPackSlot(slots);
    if (stored == 0) return false;
    db::Exec(db::kPlayer, "UPDATE %s SET Equip%d=%Q WHERE UserName=%Q", db::TableName(db::kPlayer),
             stored, name.c_str(), player::CallerUserName());
    return true;
  });
  return stored;
}

void ApplyBonus(const std::string& user_name, const StatBonus& b, int sign) {
  if (!b.any()) return;
  // Relative, so a change another node makes meanwhile (a mutilation) stays;
  // each value in brackets, so a negative bonus never makes "--" (a comment).
  const long long s = sign < 0 ? -1 : 1;
  db::Exec(db::kPlayer,
           "UPDATE %s SET Agility=Agility+(%lld),Strength=Strength+(%lld),"
           "Defense=Defense+(%lld),MaxMagicPower=MaxMagicPower+(%lld),MaxHP=MaxHP+(%lld),"
           "Mental=Mental+(%lld) WHERE UserName=%Q",
           db::TableName(db::kPlayer), s * b.agility, s * b.strength, s * b.defense,
           s * b.max_magic, s * b.max_hp, s * b.mental, user_name.c_str());
}

}  // namespace trv::combat

int read_data(const char* path) {
  trv::combat::g_items_read = trv::combat::ReadItems(path);
  return static_cast<int>(trv::combat::g_items_read.size());
}
