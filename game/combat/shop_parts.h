// Pieces the item, spell and poison screens share (not for other folders).
#ifndef TRV_GAME_COMBAT_SHOP_PARTS_H_
#define TRV_GAME_COMBAT_SHOP_PARTS_H_

#include <functional>
#include <string>

#include "game/combat/items.h"
#include "game/money/Integer.h"

namespace trv::combat {

// Reads up to `digits` digits; -1 when the caller typed none.
int ReadTypedNumber(int digits);

// The caller's gold on hand (read leniently) and the same digit-grouped.
Purenum::Integer CallerGold();
std::string Grouped(const Purenum::Integer& amount);
// A price text of the data files, grouped (garbage reads as 0).
std::string GroupedPrice(const std::string& price);

// How a shop's list pages: after every `rows` rows it asks `question`;
// Enter or Y go on (after `next_page`), the `stop` key ends the list for
// the choice, N leaves.
struct ListPaging {
  int rows;
  const char* question;
  char stop;
  std::function<void()> next_page;
};
// Lists rows 0 to count - 1 through `show`, which prints a row and returns
// true, or returns false for a row this list skips. False when the caller
// left (N, or the line is gone).
bool ListPaged(size_t count, const ListPaging& paging, const std::function<bool(size_t)>& show);
// A list row of the item and spell counters: number, name and price.
void ShowPriceRow(size_t index, const std::string& name, const std::string& price);

// What the caller is told when an item goes on at a worn slot.
const char* WornMessage(int slot);
// Whether wearing the item changes attributes (jewellery): then "A little
// magic happens!" is shown.
bool Magical(const Item& item);
void ShowMagic();

// A sale: the caller's gold pays `price` (gold text) and `deliver` writes
// what was bought, in one write unit that re-reads and re-checks the gold.
// When `deliver` returns false (no room after all) nothing changes.
enum class Payment { kPaid, kCannotAfford, kNotDelivered, kGone };
Payment PayFor(const std::string& price, const std::function<bool()>& deliver);

// A key wait after a message the caller must read before a screen redraws.
void WaitKey();

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_SHOP_PARTS_H_
