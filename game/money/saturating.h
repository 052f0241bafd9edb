// Whole numbers that stop at the 64-bit limits instead of overflowing.
//
// Stored values (hit points, experience, attributes) come from files and
// rows that a sysop may edit, so a sum or product of them can exceed any
// range; a saturated figure is still a sensible one for a fight or a
// threshold, where a wrapped one is not.
#ifndef TRV_GAME_MONEY_SATURATING_H_
#define TRV_GAME_MONEY_SATURATING_H_

#include <limits.h>

namespace trv {

inline long long SaturatingAdd(long long a, long long b) {
  long long sum;
  if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? LLONG_MAX : LLONG_MIN;
  return sum;
}

inline long long SaturatingSub(long long a, long long b) {
  long long difference;
  if (__builtin_sub_overflow(a, b, &difference)) return b > 0 ? LLONG_MIN : LLONG_MAX;
  return difference;
}

inline long long SaturatingMul(long long a, long long b) {
  long long product;
  if (__builtin_mul_overflow(a, b, &product)) return (a < 0) != (b < 0) ? LLONG_MIN : LLONG_MAX;
  return product;
}

// value × factor truncated toward zero, kept within the 64-bit range.
inline long long ScaledDown(long long value, double factor) {
  const double product = static_cast<double>(value) * factor;
  if (product >= 9.2e18) return LLONG_MAX;
  if (product <= -9.2e18) return LLONG_MIN;
  return static_cast<long long>(product);
}

}  // namespace trv

#endif  // TRV_GAME_MONEY_SATURATING_H_
