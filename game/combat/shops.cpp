// The weapon and armour shops and their list-and-buy counter.
#include "game/combat/shops.h"

#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/shop_parts.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

StatusScreenFn g_status_screen = nullptr;

// The list's rows: the heading is on row 12, so every page of ten fills
// rows 13 to 22 and asks on row 23; a later page clears them first.
constexpr int kPageRows = 10;
constexpr int kFirstListRow = 13;
constexpr int kLastListRow = 23;

void DrawGold(int row, int column) {
  od_set_cursor(row, column);
  od_printf("`dark green`$`bright white`%s", Grouped(CallerGold()).c_str());
}

// What a shop front offers besides its counters.
std::vector<PlaceKey> FrontKeys(std::vector<PlaceKey> keys) {
  keys.push_back({'S', nullptr, SellOrDrop});
  if (g_status_screen != nullptr) keys.push_back({'V', nullptr, g_status_screen});
  keys.push_back({'R', nullptr, nullptr, true});
  return keys;
}

// Told when the item's worn slots are all taken and it went to the pack.
const char* FullSetMessage(const std::string& category) {
  static const struct {
    const char* category;
    const char* text;
  } kFull[] = {
      {"0", "\n\n\rYour hands are full, stored in your inventory.."},
      {"2", "\n\n\rYour already wearing armor, stored in your inventory.."},
      {"3", "\n\n\rYour already using a shield, stored in your inventory.."},
      {"4", "\n\n\rYour already using a helmet, stored in your inventory.."},
      {"5", "\n\n\rYour already wearing a cloak, stored in your inventory.."},
      {"6", "\n\n\rYour neck has enough jewelry on, stored in your inventory.."},
      {"8", "\n\n\rYour arms are already covered, stored in your inventory.."},
      {"9", "\n\n\rYour legs are already covered, stored in your inventory.."},
      {"10", "\n\n\rYour fingers already have rings, stored in your inventory.."},
      {"12", "\n\n\rYour feet are already covered, stored in your inventory.."},
      {"13", "\n\n\rYour hands are already covered, stored in your inventory.."},
  };
  for (const auto& full : kFull)
    if (category == full.category) return full.text;
  return "\n\n\rStored in your inventory..";
}

void RefuseFullPack() {
  od_printf("\n\n\r`bright red`Sorry, you need to sell or drop some of your current equipment!");
  WaitKey();
}

void RefuseShortPurse() {
  od_printf("\n\n\r`bright red`Sorry, you can't afford this item...");
  WaitKey();
}

// Puts the bought item in the first free worn slot of its kind (when
// `wear`) or else the first free pack slot; 0 when there is none.
int Place(const Item& item, bool wear) {
  const std::string me = player::CallerUserName();
  const Slots slots = ReadSlots(me);
  int slot = wear ? FirstEmpty(slots, SlotsFor(item.category)) : 0;
  if (slot == 0) slot = FirstEmptyPackSlot(slots);
  if (slot == 0) return 0;
  db::Exec(db::kPlayer, "UPDATE %s SET Equip%d=%Q WHERE UserName=%Q", db::TableName(db::kPlayer),
           slot, item.name.c_str(), me.c_str());
  if (IsWornSlot(slot)) ApplyBonus(me, item.bonus, 1);
  return slot;
}

int PlaceBought(const Item& item) {
  const std::vector<int> kind = SlotsFor(item.category);
  if (kind.empty()) return 0;  // nowhere to put it: not sold
  const Slots slots = ReadSlots(player::CallerUserName());
  const bool kind_full = FirstEmpty(slots, kind) == 0;
  const bool pack_full = FirstEmptyPackSlot(slots) == 0;
  if (kind_full && pack_full) {
    RefuseFullPack();
    return 0;
  }
  od_printf("\n\n\r`bright blue`Purchased!");
  od_printf("\n\r`dark green`Equip this item %s", YesNoMarkup("dark green").c_str());
  const bool wear = AnswerYes();
  if (!wear && pack_full) {
    RefuseFullPack();
    return 0;
  }
  int slot = 0;
  switch (PayFor(item.price, [&] { return (slot = Place(item, wear)) != 0; })) {
    case Payment::kPaid:
      break;
    case Payment::kCannotAfford:
      RefuseShortPurse();
      return 0;
    case Payment::kNotDelivered:
      RefuseFullPack();
      return 0;
    case Payment::kGone:
      return 0;
  }
  if (IsWornSlot(slot)) {
    od_printf("%s", WornMessage(slot));
    if (Magical(item)) ShowMagic();
  } else if (wear) {
    od_printf("%s", FullSetMessage(item.category));
  } else if (!kind_full) {
    od_printf("\n\n\rStored in your inventory..");
  } else {
    return 1;  // declined to wear what could not be worn anyway: no wait
  }
  WaitKey();
  return 1;
}

void WeaponHeading() {
  od_printf("`bright blue`%s `bright yellow`Weapon Purchase `bright blue`%s", kShades, kShadesBack);
  od_printf(
      "\n\n\r`bright magenta`Azrail`dark green`, begins to show you the weapons and their price "
      "tags.");
  od_printf("\n\rEvery edge is honed and every haft is sound. He taps each tag with a");
  od_printf("\n\rscarred finger: the cheap steel for the new blood, the runed blades for");
  od_printf("\n\rthose who have walked the castles and lived..");
  db::ResultTable row = player::CallerRow("Equip1,Equip2");
  od_printf(
      "\n\n\r`dark green`Current Weapons: `bright cyan`Left Hand: `bright white`%s `bright "
      "cyan`Right Hand: `bright white`%s",
      CleanText(row.Text(0, 1)).c_str(), CleanText(row.Text(0, 0)).c_str());
}

void ArmourHeading(int slot) {
  od_printf("`bright blue`%s `bright yellow`Armor Items `bright blue`%s", kShades, kShadesBack);
  od_printf("\n\n\r`dark green`Looking around at the different armor types available");
  od_printf("\n\ryou notice leather for the new blood, plate for the seasoned, and pieces");
  od_printf("\n\rforged by dwarven smiths that only the wealthiest can afford. A few give");
  od_printf("\n\rsome extra special abilities..");
  const std::string column = "Equip" + std::to_string(slot);
  od_printf("\n\n\r`dark green`Currently Wearing: `bright white`%s",
            CleanText(player::CallerText(column.c_str())).c_str());
}

}  // namespace

void SetStatusScreen(StatusScreenFn screen) { g_status_screen = screen; }

StatusScreenFn StatusScreen() { return g_status_screen; }

ShopCounter WeaponCounter() {
  return {"0", WeaponHeading, "\n\n\r`bright green`Buy which weapon: "};
}

ShopCounter ArmourCounter(const ArmourCounterKey& key) {
  const int slot = key.slot;
  return {key.category, [slot] { ArmourHeading(slot); }, "\n\n\r`bright green`Buy which item: "};
}

void ShopList(const ShopCounter& counter) {
  od_clr_scr();
  counter.heading();
  od_printf("\n\n\r`dark green`Gold: $`bright white`%s", Grouped(CallerGold()).c_str());
  od_printf("\n\n\r`bright yellow`### Name:                     Price:");
  const ItemTable items = ReadItems();
  std::vector<bool> listed(items.size(), false);
  const ListPaging paging{kPageRows, "\n\r`yellow`Continue? (Y/n) or (b)uy", 'B', [] {
                            for (int row = kFirstListRow; row <= kLastListRow; ++row) {
                              od_set_cursor(row, 1);
                              od_clr_line();
                            }
                            od_set_cursor(kFirstListRow - 1, 1);
                          }};
  const bool stayed = ListPaged(items.size(), paging, [&](size_t i) {
    if (items[i].category != counter.category) return false;
    ShowPriceRow(i, items[i].name, items[i].price);
    listed[i] = true;
    return true;
  });
  if (!stayed) return;
  od_printf("%s", counter.buy_prompt);
  const int index = ReadTypedNumber(3);
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  if (!listed[index]) {
    od_printf("\n\n\r`bright red`Sorry, that item is not in the list...");
    WaitKey();
    return;
  }
  const Item& item = items[index];
  od_printf("\n\r`dark green`Purchase a `bright magenta`%s `dark green`%s",
            CleanText(item.name).c_str(), YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  if (player::Amount(item.price.c_str()) > CallerGold()) {
    RefuseShortPurse();
    return;
  }
  PlaceBought(item);
}

int PlaceBoughtItem(int index) {
  const ItemTable items = ReadItems();
  if (index < 0 || index >= static_cast<int>(items.size())) return 0;
  return PlaceBought(items[index]);
}

void WeaponShop() {
  PlaceScreen front{"Weapon Shop", "Skins/WEAPON.ANS", 19, 28};
  front.draw = [] { DrawGold(17, 20); };
  RunPlace(front, FrontKeys({{'L', nullptr, [] { ShopList(WeaponCounter()); }}}));
}

void ArmorShop() {
  std::vector<PlaceKey> counters;
  for (const ArmourCounterKey& key : kArmourCounters)
    counters.push_back({key.key, nullptr, [&key] { ShopList(ArmourCounter(key)); }});
  PlaceScreen front{"Armor Shop", "Skins/ARMOR.ANS", 22, 34};
  front.draw = [] { DrawGold(20, 27); };
  RunPlace(front, FrontKeys(std::move(counters)));
}

bool RemindOfEmptyHands() {
  db::ResultTable hands = player::CallerRow("Equip1,Equip2");
  if (*hands.Text(0, 0) != '\0' || *hands.Text(0, 1) != '\0') return false;
  od_clr_scr();
  od_printf("\n\r`bright blue`%s `bright yellow`REMINDER! `bright blue` %s", kShades, kShadesBack);
  od_printf("\n\n\r`bright green`Be sure to purchase weapons and armor before");
  od_printf("\n\rventuring any further!");
  WaitKey();
  return true;
}

}  // namespace trv::combat
