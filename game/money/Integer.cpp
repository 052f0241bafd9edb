#include "game/money/Integer.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <ostream>
#include <utility>

namespace Purenum {

namespace {

using u128 = unsigned __int128;

constexpr uint64_t kTen19 = 10000000000000000000ull;
constexpr uint32_t kTen9 = 1000000000u;
constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";

// Operands at or above this many 64-bit words are multiplied by Karatsuba.
constexpr size_t kKaratsubaWords = 24;
// Halves of h + 1 words must shrink for the recursion to end.
static_assert(kKaratsubaWords >= 4, "Karatsuba threshold too small");

// Temporary words: on the stack for the usual sizes, on the heap beyond.
template <typename T, size_t N>
class Scratch {
 public:
  explicit Scratch(size_t n) : data_(n <= N ? inline_ : new T[n]) {}
  ~Scratch() {
    if (data_ != inline_) delete[] data_;
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  T* get() { return data_; }

 private:
  T inline_[N];
  T* data_;
};

uint32_t Normalised(const uint32_t* d, uint32_t n) {
  while (n > 1 && d[n - 1] == 0) --n;
  return n;
}

int CompareMagnitude(const uint32_t* a, uint32_t na, const uint32_t* b, uint32_t nb) {
  if (na != nb) return na < nb ? -1 : 1;
  for (uint32_t i = na; i-- > 0;) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

// r = a + b with na >= nb; r has room for na + 1 limbs unless it is a.
// Returns the count.
uint32_t AddMagnitude(uint32_t* r, const uint32_t* a, uint32_t na, const uint32_t* b, uint32_t nb) {
  uint64_t carry = 0;
  uint32_t i = 0;
  for (; i < nb; ++i) {
    carry += static_cast<uint64_t>(a[i]) + b[i];
    r[i] = static_cast<uint32_t>(carry);
    carry >>= 32;
  }
  for (; i < na; ++i) {
    carry += a[i];
    r[i] = static_cast<uint32_t>(carry);
    carry >>= 32;
  }
  if (carry != 0) {
    // In place (r == a) the caller grows the array and sets the top limb.
    if (r != a) r[na] = 1;
    ++na;
  }
  return na;
}

// r = a - b where |a| >= |b|; r has room for na limbs. Returns the
// normalised count.
uint32_t SubMagnitude(uint32_t* r, const uint32_t* a, uint32_t na, const uint32_t* b, uint32_t nb) {
  uint32_t borrow = 0;
  uint32_t i = 0;
  for (; i < nb; ++i) {
    uint64_t d = static_cast<uint64_t>(a[i]) - b[i] - borrow;
    r[i] = static_cast<uint32_t>(d);
    borrow = static_cast<uint32_t>(d >> 63);
  }
  for (; i < na; ++i) {
    uint64_t d = static_cast<uint64_t>(a[i]) - borrow;
    r[i] = static_cast<uint32_t>(d);
    borrow = static_cast<uint32_t>(d >> 63);
  }
  return Normalised(r, na);
}

// Limbs to 64-bit words and back; the word form halves the number of
// products in multiplication and division.
size_t Pack(const uint32_t* a, uint32_t n, uint64_t* w) {
  size_t nw = (n + 1) / 2;
  for (size_t i = 0; i < n / 2; ++i) {
    w[i] = a[2 * i] | static_cast<uint64_t>(a[2 * i + 1]) << 32;
  }
  if (n & 1) w[nw - 1] = a[n - 1];
  return nw;
}

void Unpack(const uint64_t* w, size_t nw, uint32_t* a) {
  for (size_t i = 0; i < nw; ++i) {
    a[2 * i] = static_cast<uint32_t>(w[i]);
    a[2 * i + 1] = static_cast<uint32_t>(w[i] >> 32);
  }
}

// r[0, na + nb) = a * b by rows; r must not overlap a or b.
void MulBasecase(uint64_t* r, const uint64_t* a, size_t na, const uint64_t* b, size_t nb) {
  std::fill(r, r + na + nb, 0);
  for (size_t i = 0; i < na; ++i) {
    uint64_t ai = a[i];
    uint64_t carry = 0;
    uint64_t* row = r + i;
    for (size_t j = 0; j < nb; ++j) {
      u128 t = static_cast<u128>(ai) * b[j] + row[j] + carry;
      row[j] = static_cast<uint64_t>(t);
      carry = static_cast<uint64_t>(t >> 64);
    }
    row[nb] = carry;
  }
}

// r[0, n) += a[0, n); returns the carry out.
uint64_t AddInPlace(uint64_t* r, const uint64_t* a, size_t n) {
  uint64_t carry = 0;
  for (size_t i = 0; i < n; ++i) {
    u128 t = static_cast<u128>(r[i]) + a[i] + carry;
    r[i] = static_cast<uint64_t>(t);
    carry = static_cast<uint64_t>(t >> 64);
  }
  return carry;
}

// r[0, n) -= a[0, n); returns the borrow out.
uint64_t SubInPlace(uint64_t* r, const uint64_t* a, size_t n) {
  uint64_t borrow = 0;
  for (size_t i = 0; i < n; ++i) {
    uint64_t x = r[i];
    uint64_t d = x - a[i] - borrow;
    borrow = (x < a[i]) || (x == a[i] && borrow) ? 1 : 0;
    r[i] = d;
  }
  return borrow;
}

// Propagates a carry into r[0, n).
void Carry(uint64_t* r, size_t n, uint64_t carry) {
  for (size_t i = 0; carry != 0 && i < n; ++i) {
    r[i] += carry;
    carry = r[i] < carry ? 1 : 0;
  }
}

// Propagates a borrow out of r[0, n).
void Borrow(uint64_t* r, size_t n, uint64_t borrow) {
  for (size_t i = 0; borrow != 0 && i < n; ++i) {
    borrow = r[i] == 0 ? 1 : 0;
    --r[i];
  }
}

// s[0, n) = a[0, n) + b[0, m) with m <= n; returns the carry out.
uint64_t AddWords(uint64_t* s, const uint64_t* a, size_t n, const uint64_t* b, size_t m) {
  uint64_t carry = 0;
  for (size_t i = 0; i < n; ++i) {
    u128 t = static_cast<u128>(a[i]) + (i < m ? b[i] : 0) + carry;
    s[i] = static_cast<uint64_t>(t);
    carry = static_cast<uint64_t>(t >> 64);
  }
  return carry;
}

size_t KaratsubaScratch(size_t n) {
  if (n < kKaratsubaWords) return 0;
  size_t h = (n + 1) / 2;
  return 4 * (h + 1) + KaratsubaScratch(h + 1);
}

// r[0, 2n) = a * b for two n-word operands; tmp holds KaratsubaScratch(n).
void MulSquare(uint64_t* r, const uint64_t* a, const uint64_t* b, size_t n, uint64_t* tmp) {
  if (n < kKaratsubaWords) {
    MulBasecase(r, a, n, b, n);
    return;
  }
  // a = a1 * B^h + a0; a*b = z2 B^2h + ((a0+a1)(b0+b1) - z0 - z2) B^h + z0.
  size_t h = (n + 1) / 2;
  size_t l = n - h;
  uint64_t* sa = tmp;
  uint64_t* sb = tmp + (h + 1);
  uint64_t* mid = tmp + 2 * (h + 1);
  uint64_t* rest = tmp + 4 * (h + 1);
  sa[h] = AddWords(sa, a, h, a + h, l);
  sb[h] = AddWords(sb, b, h, b + h, l);
  MulSquare(mid, sa, sb, h + 1, rest);
  MulSquare(r, a, b, h, rest);  // z0 in r[0, 2h)
  if (l == h) {
    MulSquare(r + 2 * h, a + h, b + h, l, rest);  // z2 in r[2h, 2n)
  } else {
    // Odd n: the high halves are one word shorter.
    MulBasecase(r + 2 * h, a + h, l, b + h, l);
  }
  // mid = (a0+a1)(b0+b1) - z0 - z2, which is never negative.
  size_t nm = 2 * (h + 1);
  Borrow(mid + 2 * h, nm - 2 * h, SubInPlace(mid, r, 2 * h));
  Borrow(mid + 2 * l, nm - 2 * l, SubInPlace(mid, r + 2 * h, 2 * l));
  // Add mid at B^h; the true product fits 2n words, so the top words of mid
  // beyond that are zero.
  size_t span = std::min(nm, 2 * n - h);
  uint64_t carry = AddInPlace(r + h, mid, span);
  Carry(r + h + span, 2 * n - h - span, carry);
}

// r[0, na + nb) = a * b with na >= nb; splits a into nb-word blocks so that
// balanced blocks can use Karatsuba.
void MulWords(uint64_t* r, const uint64_t* a, size_t na, const uint64_t* b, size_t nb) {
  if (nb < kKaratsubaWords) {
    MulBasecase(r, a, na, b, nb);
    return;
  }
  Scratch<uint64_t, 1> tmp(KaratsubaScratch(nb) + 2 * nb);
  uint64_t* block = tmp.get() + KaratsubaScratch(nb);
  std::fill(r, r + na + nb, 0);
  size_t i = 0;
  for (; i + nb <= na; i += nb) {
    MulSquare(block, a + i, b, nb, tmp.get());
    // r[i + nb, i + 2nb) is still zero and the block product is below
    // B^2nb - B^nb, so this cannot carry out.
    AddInPlace(r + i, block, 2 * nb);
  }
  if (i < na) {
    size_t rest = na - i;
    MulBasecase(block, b, nb, a + i, rest);
    AddInPlace(r + i, block, nb + rest);
  }
}

int LeadingZeros(uint64_t x) { return __builtin_clzll(x); }

// (hi:lo) / d for hi < d, so that the quotient fits one word. The compiler's
// 128-bit division is a library call that is several times slower.
inline uint64_t Div128(uint64_t hi, uint64_t lo, uint64_t d, uint64_t* rem) {
#if defined(__x86_64__)
  uint64_t q, r;
  __asm__("divq %4" : "=a"(q), "=d"(r) : "a"(lo), "d"(hi), "rm"(d));
  *rem = r;
  return q;
#else
  u128 num = static_cast<u128>(hi) << 64 | lo;
  *rem = static_cast<uint64_t>(num % d);
  return static_cast<uint64_t>(num / d);
#endif
}

// Knuth's algorithm D on 64-bit words. u has m words, v has n >= 2 words
// with a non-zero top word, m >= n. q gets m - n + 1 words and r gets n.
void DivWords(const uint64_t* u, size_t m, const uint64_t* v, size_t n, uint64_t* q, uint64_t* r) {
  Scratch<uint64_t, 64> vbuf(n);
  Scratch<uint64_t, 128> ubuf(m + 1);
  uint64_t* vn = vbuf.get();
  uint64_t* un = ubuf.get();
  // Normalise so that the divisor's top bit is set; the quotient estimate
  // is then at most two too large.
  int s = LeadingZeros(v[n - 1]);
  if (s == 0) {
    std::copy(v, v + n, vn);
    std::copy(u, u + m, un);
    un[m] = 0;
  } else {
    for (size_t i = n - 1; i > 0; --i) vn[i] = (v[i] << s) | (v[i - 1] >> (64 - s));
    vn[0] = v[0] << s;
    un[m] = u[m - 1] >> (64 - s);
    for (size_t i = m - 1; i > 0; --i) un[i] = (u[i] << s) | (u[i - 1] >> (64 - s));
    un[0] = u[0] << s;
  }
  const uint64_t vtop = vn[n - 1];
  const uint64_t vnext = vn[n - 2];
  for (size_t j = m - n + 1; j-- > 0;) {
    // Estimate from the top two words, corrected with the third.
    uint64_t hi = un[j + n];
    uint64_t qd, rhat;
    bool rhat_overflow = false;
    if (hi >= vtop) {
      // hi == vtop: the estimate is capped at B - 1.
      qd = ~uint64_t{0};
      u128 r = (static_cast<u128>(hi) << 64 | un[j + n - 1]) - static_cast<u128>(qd) * vtop;
      rhat_overflow = (r >> 64) != 0;
      rhat = static_cast<uint64_t>(r);
    } else {
      qd = Div128(hi, un[j + n - 1], vtop, &rhat);
    }
    if (!rhat_overflow) {
      while (static_cast<u128>(qd) * vnext > (static_cast<u128>(rhat) << 64 | un[j + n - 2])) {
        --qd;
        uint64_t old = rhat;
        rhat += vtop;
        if (rhat < old) break;
      }
    }
    uint64_t carry = 0;
    for (size_t i = 0; i < n; ++i) {
      u128 p = static_cast<u128>(qd) * vn[i] + carry;
      uint64_t lo = static_cast<uint64_t>(p);
      carry = static_cast<uint64_t>(p >> 64);
      uint64_t old = un[i + j];
      un[i + j] = old - lo;
      carry += old < lo ? 1 : 0;
    }
    uint64_t top = un[j + n];
    un[j + n] = top - carry;
    if (top < carry) {
      // The estimate was one too large: add the divisor back.
      --qd;
      un[j + n] += AddInPlace(un + j, vn, n);
    }
    q[j] = qd;
  }
  if (s == 0) {
    std::copy(un, un + n, r);
  } else {
    for (size_t i = 0; i < n - 1; ++i) r[i] = (un[i] >> s) | (un[i + 1] << (64 - s));
    r[n - 1] = un[n - 1] >> s;
  }
}

// Divides a[0, n) in place by a one-limb divisor; returns the remainder.
template <uint32_t kDivisor>
uint32_t DivLimbsBy(uint32_t* a, uint32_t n) {
  uint64_t rem = 0;
  for (uint32_t i = n; i-- > 0;) {
    uint64_t cur = rem << 32 | a[i];
    a[i] = static_cast<uint32_t>(cur / kDivisor);
    rem = cur % kDivisor;
  }
  return static_cast<uint32_t>(rem);
}

uint32_t DivLimbs(uint32_t* a, uint32_t n, uint32_t divisor) {
  uint64_t rem = 0;
  for (uint32_t i = n; i-- > 0;) {
    uint64_t cur = rem << 32 | a[i];
    a[i] = static_cast<uint32_t>(cur / divisor);
    rem = cur % divisor;
  }
  return static_cast<uint32_t>(rem);
}

// Writes the digits of x backwards ending at end; returns the first digit.
char* WriteU64(uint64_t x, char* end) {
  do {
    *--end = static_cast<char>('0' + x % 10);
    x /= 10;
  } while (x != 0);
  return end;
}

uint64_t ParseDigits(const char* p, size_t n) {
  uint64_t v = 0;
  for (size_t i = 0; i < n; ++i) v = v * 10 + static_cast<uint64_t>(p[i] - '0');
  return v;
}

}  // namespace

// A read-only magnitude and sign: an Integer's own limbs or a machine word
// spread over a small buffer.
struct Integer::View {
  const uint32_t* d;
  uint32_t n;
  bool neg;
};

namespace {

// Holds a long as up to two limbs without touching the heap.
class LongLimbs {
 public:
  explicit LongLimbs(long value) {
    neg_ = value < 0;
    uint64_t mag = neg_ ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    limbs_[0] = static_cast<uint32_t>(mag);
    limbs_[1] = static_cast<uint32_t>(mag >> 32);
    count_ = limbs_[1] != 0 ? 2 : 1;
  }
  const uint32_t* limbs() const { return limbs_; }
  uint32_t count() const { return count_; }
  bool negative() const { return neg_; }

 private:
  uint32_t limbs_[2];
  uint32_t count_;
  bool neg_;
};

}  // namespace

const char* Integer::exception::what() const noexcept { return "Purenum::Integer fault"; }
const char* Integer::divisionbyzero::what() const noexcept {
  return "Purenum::Integer division by zero";
}
const char* Integer::badstring::what() const noexcept {
  return "Purenum::Integer bad decimal text";
}
const char* Integer::outofrange::what() const noexcept {
  return "Purenum::Integer value out of range";
}
const char* Integer::outofmemory::what() const noexcept {
  return "Purenum::Integer limb count overflow";
}

Integer::Integer(long long value) : count_(1), negative_(false), limb_(0) {
  unsigned long long mag = static_cast<unsigned long long>(value);
  if (value < 0) mag = 0 - mag;
  SetMagnitude(value < 0, mag);
}

Integer::Integer(unsigned long long value) : count_(1), negative_(false), limb_(0) {
  SetMagnitude(false, value);
}

Integer::Integer(const char* text) : count_(1), negative_(false), limb_(0) {
  if (text == nullptr) throw badstring();
  Parse(text, std::strlen(text));
}

Integer::Integer(const std::string& text) : count_(1), negative_(false), limb_(0) {
  Parse(text.data(), text.size());
}

Integer::Integer(const Integer& other) : count_(other.count_), negative_(other.negative_) {
  if (count_ == 1) {
    limb_ = other.limb_;
  } else {
    limbs_ = new uint32_t[count_];
    std::copy(other.limbs_, other.limbs_ + count_, limbs_);
  }
}

Integer::Integer(Integer&& other) noexcept : count_(other.count_), negative_(other.negative_) {
  if (count_ == 1) {
    limb_ = other.limb_;
  } else {
    limbs_ = other.limbs_;
    other.count_ = 1;
    other.limb_ = 0;
    other.negative_ = false;
  }
}

Integer& Integer::operator=(const Integer& other) {
  if (this == &other) return *this;
  if (other.count_ == 1) {
    if (count_ > 1) delete[] limbs_;
    limb_ = other.limb_;
  } else if (count_ == other.count_) {
    std::copy(other.limbs_, other.limbs_ + count_, limbs_);
  } else {
    uint32_t* copy = new uint32_t[other.count_];
    std::copy(other.limbs_, other.limbs_ + other.count_, copy);
    if (count_ > 1) delete[] limbs_;
    limbs_ = copy;
  }
  count_ = other.count_;
  negative_ = other.negative_;
  return *this;
}

Integer& Integer::operator=(Integer&& other) noexcept {
  if (this == &other) return *this;
  if (count_ > 1) delete[] limbs_;
  count_ = other.count_;
  negative_ = other.negative_;
  if (count_ == 1) {
    limb_ = other.limb_;
  } else {
    limbs_ = other.limbs_;
    other.count_ = 1;
    other.limb_ = 0;
    other.negative_ = false;
  }
  return *this;
}

Integer& Integer::operator=(long value) {
  unsigned long long mag = static_cast<unsigned long long>(value);
  if (value < 0) mag = 0 - mag;
  SetMagnitude(value < 0, mag);
  return *this;
}

void Integer::SetMagnitude(bool negative, unsigned long long magnitude) {
  uint32_t lo = static_cast<uint32_t>(magnitude);
  uint32_t hi = static_cast<uint32_t>(magnitude >> 32);
  if (hi == 0) {
    if (count_ > 1) delete[] limbs_;
    count_ = 1;
    limb_ = lo;
  } else {
    if (count_ != 2) {
      uint32_t* d = new uint32_t[2];
      if (count_ > 1) delete[] limbs_;
      limbs_ = d;
      count_ = 2;
    }
    limbs_[0] = lo;
    limbs_[1] = hi;
  }
  negative_ = negative && magnitude != 0;
}

// Takes ownership of limbs (allocated with new[]) holding count limbs,
// normalising and falling back to the inline form for one limb.
void Integer::Adopt(uint32_t* limbs, uint32_t count, bool negative) {
  count = Normalised(limbs, count);
  if (count_ > 1) delete[] limbs_;
  count_ = count;
  if (count == 1) {
    limb_ = limbs[0];
    delete[] limbs;
  } else {
    limbs_ = limbs;
  }
  negative_ = negative && !IsZero();
}

Integer::View Integer::AsView() const { return View{Data(), count_, negative_}; }

void Integer::Parse(const char* text, size_t length) {
  size_t pos = 0;
  bool negative = length > 0 && text[0] == '-';
  if (negative) pos = 1;
  if (pos == length) throw badstring();
  for (size_t i = pos; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') throw badstring();
  }
  while (pos < length - 1 && text[pos] == '0') ++pos;
  const char* p = text + pos;
  size_t n = length - pos;
  if (n <= 19) {
    SetMagnitude(negative, ParseDigits(p, n));
    return;
  }
  // Chunks of 19 digits, each step w = w * 10^19 + chunk. log2(10) < 3.33,
  // so n digits need at most n * 3.33 / 64 + 1 words.
  size_t cap = n * 10 / 192 + 2;
  Scratch<uint64_t, 64> words(cap);
  uint64_t* w = words.get();
  size_t first = n % 19 == 0 ? 19 : n % 19;
  w[0] = ParseDigits(p, first);
  size_t nw = 1;
  for (size_t i = first; i < n; i += 19) {
    uint64_t carry = ParseDigits(p + i, 19);
    for (size_t k = 0; k < nw; ++k) {
      u128 t = static_cast<u128>(w[k]) * kTen19 + carry;
      w[k] = static_cast<uint64_t>(t);
      carry = static_cast<uint64_t>(t >> 64);
    }
    if (carry != 0) w[nw++] = carry;
  }
  uint32_t* limbs = new uint32_t[2 * nw];
  Unpack(w, nw, limbs);
  Adopt(limbs, static_cast<uint32_t>(2 * nw), negative);
}

void Integer::AddView(const View& rhs, bool subtract) {
  bool rneg = rhs.neg != subtract;
  if (count_ == 1 && rhs.n == 1) {
    int64_t a = negative_ ? -static_cast<int64_t>(limb_) : static_cast<int64_t>(limb_);
    int64_t b = rneg ? -static_cast<int64_t>(rhs.d[0]) : static_cast<int64_t>(rhs.d[0]);
    int64_t s = a + b;
    SetMagnitude(s < 0, s < 0 ? 0 - static_cast<uint64_t>(s) : static_cast<uint64_t>(s));
    return;
  }
  if (count_ > 1 && count_ >= rhs.n) {
    // The result fits the array this already owns unless a carry grows it.
    // Limb i of the result depends only on limbs up to i, so rhs may be
    // this object.
    uint32_t* a = limbs_;
    if (negative_ == rneg) {
      uint32_t count = AddMagnitude(a, a, count_, rhs.d, rhs.n);
      if (count > count_) {
        uint32_t* grown = new uint32_t[count];
        std::copy(a, a + count_, grown);
        grown[count_] = 1;
        delete[] limbs_;
        limbs_ = grown;
        count_ = count;
      }
      return;
    }
    bool negative = negative_;
    uint32_t count;
    if (CompareMagnitude(a, count_, rhs.d, rhs.n) >= 0) {
      count = SubMagnitude(a, a, count_, rhs.d, rhs.n);
    } else {
      count = SubMagnitude(a, rhs.d, rhs.n, a, count_);
      negative = rneg;
    }
    if (count == 1) {
      uint32_t low = a[0];
      delete[] limbs_;
      limb_ = low;
    }
    count_ = count;
    negative_ = negative && !IsZero();
    return;
  }
  const uint32_t* a = Data();
  uint32_t na = count_;
  uint32_t n = std::max(na, rhs.n) + 1;
  uint32_t* r = new uint32_t[n];
  uint32_t count;
  bool negative;
  if (negative_ == rneg) {
    count =
        na >= rhs.n ? AddMagnitude(r, a, na, rhs.d, rhs.n) : AddMagnitude(r, rhs.d, rhs.n, a, na);
    negative = negative_;
  } else if (CompareMagnitude(a, na, rhs.d, rhs.n) >= 0) {
    count = SubMagnitude(r, a, na, rhs.d, rhs.n);
    negative = negative_;
  } else {
    count = SubMagnitude(r, rhs.d, rhs.n, a, na);
    negative = rneg;
  }
  Adopt(r, count, negative);
}

void Integer::MulView(const View& rhs) {
  bool negative = negative_ != rhs.neg;
  if (count_ == 1 && rhs.n == 1) {
    SetMagnitude(negative, static_cast<uint64_t>(limb_) * rhs.d[0]);
    return;
  }
  const uint32_t* a = Data();
  uint32_t na = count_;
  const uint32_t* b = rhs.d;
  uint32_t nb = rhs.n;
  if ((na == 1 && a[0] == 0) || (nb == 1 && b[0] == 0)) {
    SetMagnitude(false, 0);
    return;
  }
  if (static_cast<uint64_t>(na) + nb + 2 > 0xFFFFFFFFu) throw outofmemory();
  if (na < nb) {
    std::swap(a, b);
    std::swap(na, nb);
  }
  size_t wa = (na + 1) / 2;
  size_t wb = (nb + 1) / 2;
  // Word products may run one limb past na + nb; that limb is zero.
  uint32_t* r = new uint32_t[2 * (wa + wb)];
  if (nb == 1) {
    uint64_t carry = 0;
    for (uint32_t i = 0; i < na; ++i) {
      carry += static_cast<uint64_t>(a[i]) * b[0];
      r[i] = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
    r[na] = static_cast<uint32_t>(carry);
    Adopt(r, na + 1, negative);
    return;
  }
  Scratch<uint64_t, 96> buf(2 * (wa + wb));
  uint64_t* x = buf.get();
  uint64_t* y = x + wa;
  uint64_t* p = y + wb;
  Pack(a, na, x);
  Pack(b, nb, y);
  MulWords(p, x, wa, y, wb);
  Unpack(p, wa + wb, r);
  Adopt(r, static_cast<uint32_t>(2 * (wa + wb)), negative);
}

void Integer::DivView(const View& rhs, bool remainder) {
  if (rhs.n == 1 && rhs.d[0] == 0) throw divisionbyzero();
  bool qneg = negative_ != rhs.neg;
  bool rneg = negative_;
  if (count_ == 1 && rhs.n == 1) {
    uint32_t a = limb_;
    uint32_t b = rhs.d[0];
    if (remainder) {
      limb_ = a % b;
      negative_ = rneg && limb_ != 0;
    } else {
      limb_ = a / b;
      negative_ = qneg && limb_ != 0;
    }
    return;
  }
  const uint32_t* a = Data();
  uint32_t na = count_;
  if (CompareMagnitude(a, na, rhs.d, rhs.n) < 0) {
    // |a| < |b|: the quotient is 0 and the remainder is a itself.
    if (!remainder) SetMagnitude(false, 0);
    return;
  }
  if (rhs.n == 1) {
    uint32_t* q = new uint32_t[na];
    std::copy(a, a + na, q);
    uint32_t r = DivLimbs(q, na, rhs.d[0]);
    if (remainder) {
      delete[] q;
      SetMagnitude(rneg, r);
    } else {
      Adopt(q, na, qneg);
    }
    return;
  }
  size_t m = (na + 1) / 2;
  size_t n = (rhs.n + 1) / 2;
  Scratch<uint64_t, 128> buf(2 * m + 2 * n + 1);
  uint64_t* u = buf.get();
  uint64_t* v = u + m;
  uint64_t* q = v + n;
  uint64_t* r = q + (m + 1);
  Pack(a, na, u);
  Pack(rhs.d, rhs.n, v);
  size_t nq = m - n + 1;
  if (n == 1) {
    uint64_t rem = 0;
    for (size_t i = m; i-- > 0;) q[i] = Div128(rem, u[i], v[0], &rem);
    r[0] = rem;
    nq = m;
  } else {
    DivWords(u, m, v, n, q, r);
  }
  if (remainder) {
    uint32_t* limbs = new uint32_t[2 * n];
    Unpack(r, n, limbs);
    Adopt(limbs, static_cast<uint32_t>(2 * n), rneg);
  } else {
    uint32_t* limbs = new uint32_t[2 * nq];
    Unpack(q, nq, limbs);
    Adopt(limbs, static_cast<uint32_t>(2 * nq), qneg);
  }
}

Integer& Integer::operator+=(const Integer& rhs) {
  AddView(rhs.AsView(), false);
  return *this;
}

Integer& Integer::operator-=(const Integer& rhs) {
  AddView(rhs.AsView(), true);
  return *this;
}

Integer& Integer::operator*=(const Integer& rhs) {
  MulView(rhs.AsView());
  return *this;
}

Integer& Integer::operator/=(const Integer& rhs) {
  DivView(rhs.AsView(), false);
  return *this;
}

Integer& Integer::operator%=(const Integer& rhs) {
  DivView(rhs.AsView(), true);
  return *this;
}

Integer& Integer::operator+=(long rhs) {
  LongLimbs l(rhs);
  AddView(View{l.limbs(), l.count(), l.negative()}, false);
  return *this;
}

Integer& Integer::operator-=(long rhs) {
  LongLimbs l(rhs);
  AddView(View{l.limbs(), l.count(), l.negative()}, true);
  return *this;
}

Integer& Integer::operator*=(long rhs) {
  LongLimbs l(rhs);
  MulView(View{l.limbs(), l.count(), l.negative()});
  return *this;
}

Integer& Integer::operator/=(long rhs) {
  LongLimbs l(rhs);
  DivView(View{l.limbs(), l.count(), l.negative()}, false);
  return *this;
}

Integer& Integer::operator%=(long rhs) {
  LongLimbs l(rhs);
  DivView(View{l.limbs(), l.count(), l.negative()}, true);
  return *this;
}

Integer& Integer::operator++() { return *this += 1L; }
Integer& Integer::operator--() { return *this -= 1L; }

Integer Integer::operator++(int) {
  Integer old(*this);
  *this += 1L;
  return old;
}

Integer Integer::operator--(int) {
  Integer old(*this);
  *this -= 1L;
  return old;
}

Integer Integer::operator-() const {
  Integer r(*this);
  r.negative_ = !negative_ && !IsZero();
  return r;
}

int Compare(const Integer& a, const Integer& b) {
  if (a.negative_ != b.negative_) return a.negative_ ? -1 : 1;
  int c = CompareMagnitude(a.Data(), a.count_, b.Data(), b.count_);
  return a.negative_ ? -c : c;
}

int Compare(const Integer& a, long b) {
  LongLimbs l(b);
  if (a.negative_ != l.negative()) return a.negative_ ? -1 : 1;
  int c = CompareMagnitude(a.Data(), a.count_, l.limbs(), l.count());
  return a.negative_ ? -c : c;
}

std::string Integer::str() const {
  if (count_ <= 2) {
    char buf[24];
    char* end = buf + sizeof(buf);
    uint64_t mag = count_ == 1 ? limb_ : static_cast<uint64_t>(limbs_[1]) << 32 | limbs_[0];
    char* p = WriteU64(mag, end);
    if (negative_) *--p = '-';
    return std::string(p, end);
  }
  // Ten decimal digits per 32 bits is an upper bound.
  size_t size = static_cast<size_t>(count_) * 10 + 1;
  Scratch<char, 128> text(size);
  Scratch<uint32_t, 32> work(count_);
  uint32_t* w = work.get();
  std::copy(limbs_, limbs_ + count_, w);
  uint32_t n = count_;
  char* end = text.get() + size;
  char* p = end;
  // Nine digits per division by 10^9; only the last group drops its zeros.
  while (n > 1) {
    uint32_t rem = DivLimbsBy<kTen9>(w, n);
    if (w[n - 1] == 0) --n;
    for (int i = 0; i < 9; ++i) {
      *--p = static_cast<char>('0' + rem % 10);
      rem /= 10;
    }
  }
  p = WriteU64(w[0], p);
  if (negative_) *--p = '-';
  return std::string(p, end);
}

std::string Integer::str(const Integer& radix) const {
  if (radix.count_ != 1 || radix.negative_ || radix.limb_ < 2 || radix.limb_ > 36) {
    throw outofrange();
  }
  const uint32_t base = radix.limb_;
  if (base == 10) return str();
  // Divide by the largest power of the radix that fits one limb and emit
  // that many digits per step.
  uint32_t chunk = base;
  int per_chunk = 1;
  while (static_cast<uint64_t>(chunk) * base <= 0xFFFFFFFFu) {
    chunk *= base;
    ++per_chunk;
  }
  // At least one bit per digit.
  size_t size = static_cast<size_t>(count_) * 32 + 1;
  Scratch<char, 128> text(size);
  Scratch<uint32_t, 32> work(count_);
  uint32_t* w = work.get();
  std::copy(Data(), Data() + count_, w);
  uint32_t n = count_;
  char* end = text.get() + size;
  char* p = end;
  while (n > 1 || w[0] >= chunk) {
    uint32_t rem = DivLimbs(w, n, chunk);
    if (n > 1 && w[n - 1] == 0) --n;
    for (int i = 0; i < per_chunk; ++i) {
      *--p = kDigits[rem % base];
      rem /= base;
    }
  }
  uint32_t last = w[0];
  do {
    *--p = kDigits[last % base];
    last /= base;
  } while (last != 0);
  if (negative_) *--p = '-';
  return std::string(p, end);
}

Integer& Integer::ShiftLeftLimbs(uint32_t k) {
  if (k == 0 || IsZero()) return *this;
  if (static_cast<uint64_t>(count_) + k > 0xFFFFFFFFu) throw outofmemory();
  uint32_t n = count_ + k;
  uint32_t* r = new uint32_t[n];
  std::fill(r, r + k, 0);
  std::copy(Data(), Data() + count_, r + k);
  Adopt(r, n, negative_);
  return *this;
}

Integer& Integer::ShiftRightLimbs(uint32_t k) {
  if (k == 0) return *this;
  if (k >= count_) {
    SetMagnitude(false, 0);
    return *this;
  }
  uint32_t n = count_ - k;
  uint32_t* r = new uint32_t[n];
  std::copy(limbs_ + k, limbs_ + count_, r);
  Adopt(r, n, negative_);
  return *this;
}

std::ostream& operator<<(std::ostream& os, const Integer& value) {
  if (value.LimbCount() == 1) {
    if (value.IsNegative()) os << '-';
    return os << static_cast<unsigned long>(value.Limb(0));
  }
  return os << value.str(Integer(10));
}

}  // namespace Purenum
