// Pieces the bank's and the wharves' screens share.
#ifndef TRV_GAME_ECONOMY_SCREEN_TEXT_H_
#define TRV_GAME_ECONOMY_SCREEN_TEXT_H_

#include <string>

#include "game/money/Integer.h"

namespace trv::economy {

// Reads up to `max_length` digits; "" when the caller pressed Enter alone.
std::string ReadDigits(int max_length);

// An amount digit-grouped; stored text is read leniently first.
std::string Grouped(const Purenum::Integer& amount);
std::string Grouped(const char* stored);

// Writes text with the game's colour markup (never used as a format).
void Say(const std::string& markup);

}  // namespace trv::economy

#endif  // TRV_GAME_ECONOMY_SCREEN_TEXT_H_
