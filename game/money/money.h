// Money text for screens and the arithmetic the money screens share.

#ifndef TRV_GAME_MONEY_MONEY_H_
#define TRV_GAME_MONEY_MONEY_H_

#include <string>

#include "game/money/Integer.h"

// Copies decimal text to out with a ',' between each group of three digits
// counted from the right; a leading '-' stays in front. out must hold the
// text, one comma per three digits and the terminator.
extern "C" void AddCommas(const char* in, char* out);

// The same grouping without a buffer to size: 1234567 gives 1,234,567.
std::string AddCommas(const std::string& in);

// percent % of value, truncated toward zero; with rounded set, a
// non-negative result is rounded half up. Computed as
// ((value * 10 * percent) / 100 [+ 5]) / 10 with truncation at each step.
Purenum::Integer percentage(Purenum::Integer value, Purenum::Integer percent, bool rounded);

// What a blast, a fire or a plunder destroys of a holding: percent % of it,
// truncated; nothing of a holding at or below 0 (a debt is never eased).
Purenum::Integer PercentOfHolding(const Purenum::Integer& holding, int percent);

#endif  // TRV_GAME_MONEY_MONEY_H_
