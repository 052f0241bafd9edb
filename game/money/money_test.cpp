#include "game/money/money.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Purenum::Integer;
using i128 = __int128;

std::string Text(i128 v) {
  if (v == 0) return "0";
  bool negative = v < 0;
  unsigned __int128 mag = negative ? -static_cast<unsigned __int128>(v) : v;
  std::string s;
  for (; mag != 0; mag /= 10) s.insert(s.begin(), static_cast<char>('0' + int(mag % 10)));
  return negative ? "-" + s : s;
}

std::string CommasC(const std::string& in) {
  std::vector<char> out(in.size() * 2 + 2, 'X');
  AddCommas(in.c_str(), out.data());
  return std::string(out.data());
}

TEST(AddCommasTest, GroupsOfThreeFromTheRight) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"0", "0"},
      {"12", "12"},
      {"123", "123"},
      {"1000", "1,000"},
      {"12345", "12,345"},
      {"123456", "123,456"},
      {"1234567", "1,234,567"},
      {"18446744073709551616", "18,446,744,073,709,551,616"},
      {"-1", "-1"},
      {"-100", "-100"},
      {"-1000", "-1,000"},
      {"-12345", "-12,345"},
      {"-123456", "-123,456"},
      {"-1234567", "-1,234,567"},
  };
  for (const auto& [in, want] : cases) {
    EXPECT_EQ(AddCommas(std::string(in)), want) << in;
    EXPECT_EQ(CommasC(in), want) << in;
  }
}

TEST(AddCommasTest, HundredsOfDigits) {
  std::mt19937_64 rng(3);
  for (size_t n = 298; n <= 303; ++n) {
    std::string digits(1, '1' + rng() % 9);
    while (digits.size() < n) digits += static_cast<char>('0' + rng() % 10);
    for (const std::string& in : {digits, "-" + digits}) {
      std::string out = AddCommas(in);
      size_t lead = in[0] == '-' ? 1 : 0;
      // Dropping the commas gives the input back; every group but the first
      // has three digits and the first has one to three.
      std::string stripped;
      std::vector<size_t> groups(1, 0);
      for (size_t i = lead; i < out.size(); ++i) {
        if (out[i] == ',') {
          groups.push_back(0);
        } else {
          stripped += out[i];
          ++groups.back();
        }
      }
      EXPECT_EQ(out.substr(0, lead) + stripped, in);
      EXPECT_GE(groups[0], 1u);
      EXPECT_LE(groups[0], 3u);
      for (size_t g = 1; g < groups.size(); ++g) EXPECT_EQ(groups[g], 3u);
      EXPECT_EQ(groups.size(), (n + 2) / 3);

      // The C form writes exactly the text, one comma per three digits and
      // the terminator into a buffer of that size.
      size_t size = in.size() + (n - 1) / 3 + 1;
      std::vector<char> buf(size + 8, 'X');
      AddCommas(in.c_str(), buf.data());
      EXPECT_EQ(std::string(buf.data()), out);
      EXPECT_EQ(buf[size], 'X');
    }
  }
}

TEST(PercentageTest, TruncatedAndRounded) {
  EXPECT_EQ(percentage(199, 50, false).str(), "99");
  EXPECT_EQ(percentage(199, 50, true).str(), "100");
  EXPECT_EQ(percentage(33, 15, false).str(), "4");
  EXPECT_EQ(percentage(33, 15, true).str(), "5");
  EXPECT_EQ(percentage(0, 15, true).str(), "0");
  EXPECT_EQ(percentage(1000, 2, false).str(), "20");
  // Only the tenths take part in rounding: 14.49 gives 14, 14.50 gives 15.
  EXPECT_EQ(percentage(1449, 1, true).str(), "14");
  EXPECT_EQ(percentage(1450, 1, true).str(), "15");
  EXPECT_EQ(percentage(-199, 50, false).str(), "-99");
  EXPECT_EQ(percentage(-199, 50, true).str(), "-99");
  EXPECT_EQ(percentage(Integer("1" + std::string(40, '0')), 2, false).str(),
            "2" + std::string(38, '0'));
}

// The same five steps on 128-bit machine integers.
i128 Reference(i128 value, i128 percent, bool rounded) {
  i128 t = value * 10;
  t *= percent;
  t /= 100;
  if (rounded) t += 5;
  return t / 10;
}

TEST(PercentageTest, MatchesInt128Steps) {
  std::mt19937_64 rng(8);
  for (int i = 0; i < 20000; ++i) {
    i128 value;
    switch (rng() % 4) {
      case 0:
        value = rng() % 100000;
        break;
      case 1:
        value = (i128(1) << 32) + i128(rng() % 2001) - 1000;
        break;
      case 2:
        value = (i128(1) << 64) + i128(rng() % 2001) - 1000;
        break;
      default:
        value = i128(rng()) << (rng() % 40);
        break;
    }
    if (rng() % 3 == 0) value = -value;
    i128 percent = i128(rng() % 601) - 100;
    bool rounded = rng() % 2;
    ASSERT_EQ(percentage(Integer(Text(value)), Integer(Text(percent)), rounded).str(),
              Text(Reference(value, percent, rounded)))
        << Text(value) << " " << Text(percent) << " " << rounded;
  }
}

}  // namespace
