#include "game/money/money.h"

#include <cstring>

namespace {

// Writes the grouped form of in[0, n) to out (without a terminator) and
// returns its length.
size_t Group(const char* in, size_t n, char* out) {
  size_t o = 0;
  size_t i = 0;
  if (n > 0 && in[0] == '-') out[o++] = in[i++];
  size_t digits = n - i;
  for (size_t k = 0; k < digits; ++k) {
    // A comma goes before every digit that starts a group of three, except
    // the first one.
    if (k > 0 && (digits - k) % 3 == 0) out[o++] = ',';
    out[o++] = in[i + k];
  }
  return o;
}

size_t GroupedLength(size_t n, bool negative) {
  size_t digits = negative ? n - 1 : n;
  return n + (digits > 0 ? (digits - 1) / 3 : 0);
}

}  // namespace

extern "C" void AddCommas(const char* in, char* out) {
  size_t n = std::strlen(in);
  out[Group(in, n, out)] = '\0';
}

std::string AddCommas(const std::string& in) {
  std::string out(GroupedLength(in.size(), !in.empty() && in[0] == '-'), '\0');
  out.resize(Group(in.data(), in.size(), &out[0]));
  return out;
}

Purenum::Integer percentage(Purenum::Integer value, Purenum::Integer percent, bool rounded) {
  // One extra decimal digit so that the rounding step sees the tenths.
  Purenum::Integer t = value * 10L;
  t *= percent;
  t /= 100L;
  if (rounded) t += 5L;
  t /= 10L;
  return t;
}

Purenum::Integer PercentOfHolding(const Purenum::Integer& holding, int percent) {
  if (holding <= 0) return Purenum::Integer(0);
  return percentage(holding, Purenum::Integer(static_cast<long>(percent)), false);
}
