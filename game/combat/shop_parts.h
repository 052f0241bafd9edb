// Pieces the item, spell and poison screens share (not for other folders).
#ifndef TRV_GAME_COMBAT_SHOP_PARTS_H_
#define TRV_GAME_COMBAT_SHOP_PARTS_H_

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

// Asks "Continue?" after every `page` rows of a list. Returns 'Y' to go
// on, the stop key to stop listing, 'N' to leave; 0 when the line is gone.
char PageQuestion(const char* question, char stop_key);

// What the caller is told when an item goes on at a worn slot.
const char* WornMessage(int slot);
// Whether wearing the item changes attributes (jewellery): then "A little
// magic happens!" is shown.
bool Magical(const Item& item);
void ShowMagic();

// A key wait after a message the caller must read before a screen redraws.
void WaitKey();

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_SHOP_PARTS_H_
