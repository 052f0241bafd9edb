// Purenum::Integer against GMP: the text constructor accepts exactly the
// decimal texts (an optional '-' and digits) and every operation and every
// conversion back to text gives GMP's answer. The first byte picks the
// operation and whether the rest is taken as it is or mapped to digits; a
// zero byte or ',' splits the two operands.
#include <gmp.h>

#include <string>

#include "fuzz/fuzz.h"
#include "game/money/Integer.h"
#include "game/money/money.h"

namespace {

using Purenum::Integer;

bool IsDecimal(const std::string& text) {
  size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  if (start == text.size()) return false;
  return text.find_first_not_of("0123456789", start) == std::string::npos;
}

class Reference {
 public:
  explicit Reference(const std::string& text) {
    mpz_init(value_);
    mpz_set_str(value_, text.c_str(), 10);
  }
  Reference() { mpz_init(value_); }
  ~Reference() { mpz_clear(value_); }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;
  mpz_t& get() { return value_; }
  std::string Text(int radix = 10) const {
    char* text = mpz_get_str(nullptr, radix, value_);
    std::string result(text);
    void (*release)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &release);
    release(text, result.size() + 1);
    return result;
  }

 private:
  mpz_t value_;
};

// A parsed operand, or nothing when the text is not a number; then the
// constructor must have refused it.
bool Parse(const std::string& text, Integer* out) {
  bool taken = true;
  try {
    *out = Integer(text);
  } catch (const Integer::badstring&) {
    taken = false;
  }
  FUZZ_CHECK(taken == IsDecimal(text));
  return taken;
}

int Sign(int value) { return (value > 0) - (value < 0); }

std::string Grouped(const std::string& text) {
  size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
  std::string digits = text.substr(sign), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return text.substr(0, sign) + out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 4096) return 0;
  const uint8_t op = data[0];
  std::string a, b;
  bool second = false;
  for (size_t i = 1; i < size; ++i) {
    char c = static_cast<char>(data[i]);
    if (!second && (c == '\0' || c == ',')) {
      second = true;
      continue;
    }
    // The high bit of the first byte maps bytes to digits, so most inputs
    // reach the arithmetic; a '-' stays where it is.
    if (op & 0x80 && c != '-') c = static_cast<char>('0' + static_cast<uint8_t>(c) % 10);
    (second ? b : a) += c;
  }
  Integer x, y;
  if (!Parse(a, &x)) return 0;
  Reference rx(a);
  FUZZ_CHECK(x.str() == rx.Text());
  FUZZ_CHECK(AddCommas(x.str()) == Grouped(rx.Text()));
  const int radix = 2 + (op >> 3) % 35;
  FUZZ_CHECK(x.str(Integer(radix)) == rx.Text(radix));
  if (!Parse(b, &y)) return 0;
  Reference ry(b), expected;
  FUZZ_CHECK(Sign(Compare(x, y)) == Sign(mpz_cmp(rx.get(), ry.get())));
  Integer result;
  switch (op & 7) {
    case 0:
      result = x + y;
      mpz_add(expected.get(), rx.get(), ry.get());
      break;
    case 1:
      result = x - y;
      mpz_sub(expected.get(), rx.get(), ry.get());
      break;
    case 2:
      result = x * y;
      mpz_mul(expected.get(), rx.get(), ry.get());
      break;
    case 3:
    case 4: {
      const bool remainder = (op & 7) == 4;
      bool refused = false;
      try {
        result = remainder ? x % y : x / y;
      } catch (const Integer::divisionbyzero&) {
        refused = true;
      }
      FUZZ_CHECK(refused == (mpz_sgn(ry.get()) == 0));
      if (refused) return 0;
      if (remainder)
        mpz_tdiv_r(expected.get(), rx.get(), ry.get());
      else
        mpz_tdiv_q(expected.get(), rx.get(), ry.get());
      break;
    }
    case 5: {  // compound forms on one object, the way the screens chain them
      result = x;
      result += y;
      result -= x;
      result *= y;
      mpz_mul(expected.get(), ry.get(), ry.get());
      break;
    }
    case 6:
      result = -x;
      ++result;
      result--;
      result = result + y;
      mpz_sub(expected.get(), ry.get(), rx.get());
      break;
    default:
      result = x;
      {
        const Integer& same = result;
        result = same;  // assignment to itself keeps the value
      }
      mpz_set(expected.get(), rx.get());
      break;
  }
  FUZZ_CHECK(result.str() == expected.Text());
  FUZZ_CHECK(result.IsNegative() == (mpz_sgn(expected.get()) < 0));
  FUZZ_CHECK(result.IsZero() == (mpz_sgn(expected.get()) == 0));
  return 0;
}
