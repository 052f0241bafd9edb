// The figures of the day that a session cannot reach easily: truncation,
// every draw of the decay and the tournament's end.
#include <gtest/gtest.h>

#include <string>

#include "game/maint/kingdom_update.h"
#include "game/maint/returns.h"
#include "game/maint/tournament.h"

namespace trv::maint {
namespace {

using Purenum::Integer;

std::string Str(const Integer& value) { return value.str(); }

const player::Investment& Kind(const std::string& column) {
  for (const player::Investment& kind : player::kInvestments)
    if (column == kind.column) return kind;
  ADD_FAILURE() << "no investment in " << column;
  return player::kInvestments[0];
}

TEST(ReturnsTest, InvestmentReturnsAreTruncatedPerKind) {
  const struct {
    const char* column;
    bool legal;
    int count;
    const char* daily;
  } kDays[] = {
      {"HouseTrade", true, 3, "24000"},    {"WaterTower", true, 1, "2000000"},
      {"OreMine", true, 1, "50000000"},    {"Granary", true, 1, "11250000"},
      {"DrugTrade", false, 1, "54000000"}, {"FleshTrade", false, 1, "1750000"},
      {"Smuggling", false, 2, "600000"},
  };
  for (const auto& day : kDays) {
    EXPECT_EQ(day.legal, Kind(day.column).legal) << day.column;
    EXPECT_EQ(day.daily, Str(InvestmentReturn(Kind(day.column), day.count))) << day.column;
  }
  // Counts past any machine word.
  EXPECT_EQ("2000000000000000000000000000000",
            Str(InvestmentReturn(Kind("WaterTower"), Integer("1000000000000000000000000"))));
}

TEST(ReturnsTest, MerchantTaxSplitsTheLegalReturns) {
  MerchantSplit split = SplitMerchantTax(24000, 10);
  EXPECT_EQ("2400", Str(split.tax));
  EXPECT_EQ("21600", Str(split.kept));
  split = SplitMerchantTax(999, 15);  // 149.85 truncated
  EXPECT_EQ("149", Str(split.tax));
  EXPECT_EQ("850", Str(split.kept));
  split = SplitMerchantTax(5000, 0);
  EXPECT_EQ("0", Str(split.tax));
}

TEST(ReturnsTest, InterestIsTwoPercentTruncatedAndNoneOnDebt) {
  EXPECT_EQ("20", Str(BankInterest(1000)));
  EXPECT_EQ("246", Str(BankInterest(12345)));
  EXPECT_EQ("0", Str(BankInterest(49)));
  EXPECT_EQ("0", Str(BankInterest(-500)));
}

TEST(KingdomRulesTest, CapsOnSoldiersAndLand) {
  EXPECT_TRUE(SoldiersOverCap("10000001"));
  EXPECT_FALSE(SoldiersOverCap("10000000"));
  EXPECT_TRUE(SoldiersOverCap("000000001"));  // nine characters
  EXPECT_FALSE(SoldiersOverCap(""));
  EXPECT_FALSE(LandOverCap("99999999"));
  EXPECT_TRUE(LandOverCap("100000000"));
  EXPECT_FALSE(LandOverCap(""));
}

TEST(KingdomRulesTest, DecayByTheDraw) {
  for (int roll = 0; roll < 10; ++roll) {
    Decay d = DecayFor(roll, 3, 2);
    EXPECT_EQ(roll < 3 ? 3 : 0, d.border_guard_loss) << roll;
    EXPECT_EQ(roll == 5 ? 7 : 0, d.crime_prevention_loss) << roll;
  }
  EXPECT_EQ(0, DecayFor(0, 2, 9).border_guard_loss);
  EXPECT_EQ(0, DecayFor(5, 9, 1).crime_prevention_loss);
}

TEST(TournamentRulesTest, LevelEndIsPassedNotReached) {
  const GameDate today = *GameDate::Of(2026, 6, 1);
  TournamentSettings level{"1", 20, ""};
  EXPECT_FALSE(TournamentOver(level, 20, today));
  EXPECT_TRUE(TournamentOver(level, 21, today));
  EXPECT_FALSE(TournamentOver(level, std::nullopt, today));  // nobody plays yet
  TournamentSettings off{"0", 20, ""};
  EXPECT_FALSE(TournamentOver(off, 99, today));
}

TEST(TournamentRulesTest, DateEndCountsTheDayItself) {
  const GameDate today = *GameDate::Of(2026, 6, 1);
  EXPECT_TRUE(TournamentOver({"1", 0, "06012026"}, 1, today));
  EXPECT_TRUE(TournamentOver({"1", 0, "05312026"}, 1, today));
  EXPECT_FALSE(TournamentOver({"1", 0, "06022026"}, 1, today));
  // A level set takes the place of the date.
  EXPECT_FALSE(TournamentOver({"1", 5, "01012000"}, 5, today));
  // No real eight-digit date: no end.
  for (const char* bad : {"", "13452024", "0601202", "June 1st", "02302024"})
    EXPECT_FALSE(TournamentOver({"1", 0, bad}, 1, today)) << bad;
}

}  // namespace
}  // namespace trv::maint
