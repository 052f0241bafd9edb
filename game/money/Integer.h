// Arbitrary-precision signed integer for gold amounts and every other amount
// the game keeps as decimal text.
//
// The magnitude is an array of 32-bit limbs, least significant first. A value
// of one limb lives inside the object, so the common amounts (below 2^32)
// never touch the heap; larger values own an array of exactly their limbs.

#ifndef TRV_GAME_MONEY_INTEGER_H_
#define TRV_GAME_MONEY_INTEGER_H_

#include <cstdint>
#include <exception>
#include <iosfwd>
#include <string>

namespace Purenum {

class Integer {
 public:
  // All faults are thrown by value and derive from Integer::exception.
  class exception : public std::exception {
   public:
    const char* what() const noexcept override;
  };
  class divisionbyzero : public exception {
   public:
    const char* what() const noexcept override;
  };
  class badstring : public exception {
   public:
    const char* what() const noexcept override;
  };
  class outofrange : public exception {
   public:
    const char* what() const noexcept override;
  };
  class outofmemory : public exception {
   public:
    const char* what() const noexcept override;
  };

  Integer() : count_(1), negative_(false), limb_(0) {}
  Integer(int value) : Integer(static_cast<long long>(value)) {}
  Integer(long value) : Integer(static_cast<long long>(value)) {}
  Integer(long long value);
  Integer(unsigned value) : count_(1), negative_(false), limb_(value) {}
  Integer(unsigned long value) : Integer(static_cast<unsigned long long>(value)) {}
  Integer(unsigned long long value);

  // Decimal text: digits with an optional leading '-'. Anything else,
  // including an empty text, throws badstring.
  Integer(const char* text);
  Integer(const std::string& text);

  Integer(const Integer& other);
  Integer(Integer&& other) noexcept;
  ~Integer() {
    if (count_ > 1) delete[] limbs_;
  }

  Integer& operator=(const Integer& other);
  Integer& operator=(Integer&& other) noexcept;
  Integer& operator=(long value);

  Integer& operator+=(const Integer& rhs);
  Integer& operator-=(const Integer& rhs);
  Integer& operator*=(const Integer& rhs);
  Integer& operator/=(const Integer& rhs);
  Integer& operator%=(const Integer& rhs);
  Integer& operator+=(long rhs);
  Integer& operator-=(long rhs);
  Integer& operator*=(long rhs);
  Integer& operator/=(long rhs);
  Integer& operator%=(long rhs);

  Integer& operator++();
  Integer& operator--();
  Integer operator++(int);
  Integer operator--(int);
  Integer operator-() const;

  // Decimal text as stored in the database: leading '-' when negative,
  // no grouping, no leading zeros.
  std::string str() const;

  // Digits in the given radix (2 to 36, lower-case letters above 9);
  // any other radix throws outofrange.
  std::string str(const Integer& radix) const;

  // Appends k zero limbs below the magnitude (multiplies by 2^(32k)).
  // Throws outofmemory when the limb count would not fit 32 bits.
  Integer& ShiftLeftLimbs(uint32_t k);
  // Drops the k lowest limbs (truncating division of the magnitude).
  Integer& ShiftRightLimbs(uint32_t k);

  bool IsZero() const { return count_ == 1 && limb_ == 0; }
  bool IsNegative() const { return negative_; }
  uint32_t LimbCount() const { return count_; }
  // Limb i of the magnitude, least significant first.
  uint32_t Limb(uint32_t i) const { return Data()[i]; }

  friend int Compare(const Integer& a, const Integer& b);
  friend int Compare(const Integer& a, long b);

 private:
  struct View;

  const uint32_t* Data() const { return count_ == 1 ? &limb_ : limbs_; }
  uint32_t* Data() { return count_ == 1 ? &limb_ : limbs_; }
  View AsView() const;

  void SetMagnitude(bool negative, unsigned long long magnitude);
  void Adopt(uint32_t* limbs, uint32_t count, bool negative);
  void Parse(const char* text, size_t length);

  void AddView(const View& rhs, bool subtract);
  void MulView(const View& rhs);
  // this = this / rhs (quotient) or this % rhs (remainder), truncating.
  void DivView(const View& rhs, bool remainder);

  uint32_t count_;
  bool negative_;
  union {
    uint32_t limb_;
    uint32_t* limbs_;
  };
};

inline Integer operator+(Integer a, const Integer& b) { return a += b; }
inline Integer operator-(Integer a, const Integer& b) { return a -= b; }
inline Integer operator*(Integer a, const Integer& b) { return a *= b; }
inline Integer operator/(Integer a, const Integer& b) { return a /= b; }
inline Integer operator%(Integer a, const Integer& b) { return a %= b; }
inline Integer operator+(Integer a, long b) { return a += b; }
inline Integer operator-(Integer a, long b) { return a -= b; }
inline Integer operator*(Integer a, long b) { return a *= b; }
inline Integer operator/(Integer a, long b) { return a /= b; }
inline Integer operator%(Integer a, long b) { return a %= b; }
inline Integer operator+(long a, const Integer& b) { return Integer(a) += b; }
inline Integer operator-(long a, const Integer& b) { return Integer(a) -= b; }
inline Integer operator*(long a, const Integer& b) { return Integer(a) *= b; }
inline Integer operator/(long a, const Integer& b) { return Integer(a) /= b; }
inline Integer operator%(long a, const Integer& b) { return Integer(a) %= b; }

inline bool operator==(const Integer& a, const Integer& b) { return Compare(a, b) == 0; }
inline bool operator!=(const Integer& a, const Integer& b) { return Compare(a, b) != 0; }
inline bool operator<(const Integer& a, const Integer& b) { return Compare(a, b) < 0; }
inline bool operator>(const Integer& a, const Integer& b) { return Compare(a, b) > 0; }
inline bool operator<=(const Integer& a, const Integer& b) { return Compare(a, b) <= 0; }
inline bool operator>=(const Integer& a, const Integer& b) { return Compare(a, b) >= 0; }
inline bool operator==(const Integer& a, long b) { return Compare(a, b) == 0; }
inline bool operator!=(const Integer& a, long b) { return Compare(a, b) != 0; }
inline bool operator<(const Integer& a, long b) { return Compare(a, b) < 0; }
inline bool operator>(const Integer& a, long b) { return Compare(a, b) > 0; }
inline bool operator<=(const Integer& a, long b) { return Compare(a, b) <= 0; }
inline bool operator>=(const Integer& a, long b) { return Compare(a, b) >= 0; }
inline bool operator==(long a, const Integer& b) { return Compare(b, a) == 0; }
inline bool operator!=(long a, const Integer& b) { return Compare(b, a) != 0; }
inline bool operator<(long a, const Integer& b) { return Compare(b, a) > 0; }
inline bool operator>(long a, const Integer& b) { return Compare(b, a) < 0; }
inline bool operator<=(long a, const Integer& b) { return Compare(b, a) >= 0; }
inline bool operator>=(long a, const Integer& b) { return Compare(b, a) <= 0; }

// Decimal, as str(): one-limb values go through the stream's own
// unsigned output, longer ones through the radix writer.
std::ostream& operator<<(std::ostream& os, const Integer& value);

}  // namespace Purenum

#endif  // TRV_GAME_MONEY_INTEGER_H_
