// The rules of items and spells that need no screen.
#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>

#include "game/combat/items.h"
#include "game/combat/shops.h"
#include "game/combat/spells.h"

namespace trv::combat {
namespace {

Item MakeItem(const char* name, const char* price, long long power, const char* category) {
  Item item;
  item.name = name;
  item.price = price;
  item.power = power;
  item.category = category;
  return item;
}

TEST(ItemRulesTest, SalePriceIsHalfRoundedDown) {
  const struct {
    const char* price;
    const char* sale;
  } kCases[] = {{"1001", "500"},
                {"1", "0"},
                {"0", "0"},
                {"junk", "0"},
                {"123456789012345678901", "61728394506172839450"}};
  for (const auto& c : kCases)
    EXPECT_EQ(c.sale, SalePrice(MakeItem("X", c.price, 0, "0")).str()) << c.price;
}

TEST(ItemRulesTest, WeaponBonusAndArmourTotalSumTheWornSlots) {
  const ItemTable items = {
      MakeItem("Dagger", "1", 7, "0"),       MakeItem("Vest", "1", 30, "2"),
      MakeItem("Amulet", "1", 9, "6"),       MakeItem("Ring", "1", 11, "10"),
      MakeItem("Helm", "1", 12, "4"),        MakeItem("Helm", "1", 3, "4"),  // named twice
      MakeItem("Huge", "1", LLONG_MAX, "0"),
  };
  Slots slots;
  slots[1] = slots[2] = "Dagger";  // the same weapon in both hands counts twice
  slots[3] = "Vest";
  slots[5] = "Helm";
  slots[7] = "Amulet";
  slots[12] = "Ring";
  slots[14] = "Gone From The File";
  slots[15] = "Vest";  // the pack does not count
  EXPECT_EQ(14, WeaponBonus(items, slots));
  EXPECT_EQ(30 + 12 + 3 + 9 + 11, ArmourTotal(items, slots));
  slots[2] = "Huge";
  EXPECT_EQ(LLONG_MAX, WeaponBonus(items, slots));
}

TEST(ItemRulesTest, ArmourKeysSlotsAndPlacementOrder) {
  // The armour shop's keys: the slot and the category each counter sells.
  const struct {
    char key;
    int slot;
    const char* category;
  } kArmour[] = {{'1', 3, "2"}, {'2', 4, "3"},   {'3', 9, "8"},   {'4', 10, "9"},
                 {'5', 5, "4"}, {'6', 13, "12"}, {'7', 14, "13"}, {'8', 6, "5"}};
  ASSERT_EQ(std::size(kArmour), std::size(kArmourCounters));
  for (size_t i = 0; i < std::size(kArmour); ++i) {
    EXPECT_EQ(kArmour[i].key, kArmourCounters[i].key);
    EXPECT_EQ(kArmour[i].slot, kArmourCounters[i].slot);
    EXPECT_STREQ(kArmour[i].category, kArmourCounters[i].category);
    EXPECT_EQ(std::vector<int>{kArmour[i].slot}, SlotsFor(kArmour[i].category));
  }
  // Pairs fill their first slot first; some categories have none.
  const struct {
    const char* category;
    int first, second;
  } kPairs[] = {{"0", 1, 2}, {"6", 7, 8}, {"10", 11, 12}};
  for (const auto& pair : kPairs) {
    Slots slots;
    EXPECT_EQ(pair.first, FirstEmpty(slots, SlotsFor(pair.category)));
    slots[pair.first] = "Worn";
    EXPECT_EQ(pair.second, FirstEmpty(slots, SlotsFor(pair.category)));
    slots[pair.second] = "Worn";
    EXPECT_EQ(0, FirstEmpty(slots, SlotsFor(pair.category)));
  }
  for (const char* none : {"1", "7", "11", "14", "00", ""})
    EXPECT_TRUE(SlotsFor(none).empty()) << none;

  Slots pack;
  for (int slot = kFirstPackSlot; slot < kLastSlot; ++slot) pack[slot] = "Stuff";
  EXPECT_EQ(kLastSlot, FirstEmptyPackSlot(pack));
  pack[kLastSlot] = "Stuff";
  EXPECT_EQ(0, FirstEmptyPackSlot(pack));
  EXPECT_EQ("01 Right Hand", SlotLabel(1));
  EXPECT_EQ("14 Hands", SlotLabel(14));
  EXPECT_EQ("15", SlotLabel(15));
}

TEST(SpellRulesTest, NewSpellsFillTheFirstFreeSlotAndTheFifthReplacesMagic1) {
  EXPECT_EQ(1, SlotForNewSpell({"", "", "", ""}));
  EXPECT_EQ(2, SlotForNewSpell({"Zap", "", "Fire", ""}));
  EXPECT_EQ(4, SlotForNewSpell({"Zap", "Zap", "Fire", ""}));  // the same spell twice is fine
  EXPECT_EQ(1, SlotForNewSpell({"Zap", "Zap", "Fire", "Ice"}));
}

TEST(SpellRulesTest, CastingRule) {
  srand(7);
  const Spell weak{"Spark", "1", 1, 5, "0"};
  const Spell broken{"Dud", "1", 0, 5, "0"};  // an edited file's power of 0
  const Spell strong{"Storm", "1", 50, 20, "2"};
  const struct {
    const Spell& spell;
    long long magic_points;
    bool cast;
    long long cost;
  } kCases[] = {{weak, 5, true, 5},
                {weak, 4, false, 0},
                {broken, 9, true, 5},
                {strong, 19, false, 0},
                {strong, 20, true, 20}};
  for (const auto& c : kCases) {
    const SpellCast cast = CastSpell(c.spell, c.magic_points);
    EXPECT_EQ(c.cast, cast.cast) << c.spell.name << " " << c.magic_points;
    EXPECT_EQ(c.cost, cast.cost) << c.spell.name;
    if (&c.spell != &strong) {
      EXPECT_EQ(0, cast.damage) << c.spell.name;
    }
  }
  long long highest = 0;
  for (int i = 0; i < 500; ++i) highest = std::max(highest, CastSpell(strong, 20).damage);
  EXPECT_EQ(49, highest);  // rand() % power: 0 to power - 1
}

}  // namespace
}  // namespace trv::combat
