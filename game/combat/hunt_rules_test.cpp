// The rules of a fight outside, with the worked examples of the hunt.
#include "game/combat/hunt_rules.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>

#include "game/player/level.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

TEST(HuntRulesTest, ArmourTakesItsShareOfEveryBlow) {
  const struct {
    long long armour;
    long long raw;
    long long lands;
  } kCases[] = {
      {13025, 10, 5}, {13025, 3, 1},   {13025, 1, 0},       // half of 26050 halves, truncated
      {1, 1, 0},                                            // any armour turns a raw 1 into a miss
      {0, 7, 7},      {26050, 500, 0}, {40000, 500, -267},  // a factor of 1 or more: all miss
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.lands, BlowAfterArmour(c.raw, ArmourFactor(c.armour))) << c.armour << " " << c.raw;
}

TEST(HuntRulesTest, PotionsHealAShareOfTheMaximumAndAreCountedDown) {
  EXPECT_EQ(1, HealPerPotion(50, true));    // 1.5 truncated
  EXPECT_EQ(1, HealPerPotion(50, false));   // 0.5 raised to 1
  EXPECT_EQ(6, HealPerPotion(200, true));   // 6
  EXPECT_EQ(2, HealPerPotion(299, false));  // 2.99
  EXPECT_EQ(1, HealPerPotion(-5, false));
  EXPECT_EQ(3, PotionsNeeded(7, 2));  // rounded down: 3 potions heal the 7 missing points
  EXPECT_EQ(1, PotionsNeeded(1, 6));  // at least one

  const struct {
    long long hp, max_hp, potions, per;
    long long used, hp_after;
    bool full;
  } kDraughts[] = {
      {43, 50, 10, 2, 3, 50, true},  // enough: fully healed
      {10, 50, 5, 2, 5, 20, false},  // too few: all of them for a part
      {0, 50, 300, 1, 50, 50, true},
  };
  for (const auto& d : kDraughts) {
    const Draught draught = Drink(d.hp, d.max_hp, d.potions, d.per);
    EXPECT_EQ(d.used, draught.potions_used) << d.hp;
    EXPECT_EQ(d.hp_after, draught.hp_after) << d.hp;
    EXPECT_EQ(d.full, draught.full) << d.hp;
  }
  EXPECT_TRUE(IsHealer("Divine", "Gladiator", "Thief"));
  EXPECT_TRUE(IsHealer("Warrior", "Thief", "Cleric"));
  EXPECT_FALSE(IsHealer("Warrior", "Paladin", "Sage"));
}

TEST(HuntRulesTest, TheWanderingHealerSellsWhatTheGoldAndTheSackAllow) {
  const struct {
    long long potions;
    const char* gold;
    long long offer;
  } kCases[] = {
      {298, "1000000", 2},  // the sack holds 300
      {300, "1000000", 0}, {0, "7", 1},   {0, "1200", 300},   {0, "1204", 300},
      {100, "1000", 200},  {0, "-80", 0}, {-5, "99999", 300}, {0, "999999999999999999999999", 300},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.offer, HealerOffer(c.potions, Purenum::Integer(c.gold))) << c.potions << c.gold;
}

TEST(HuntRulesTest, DeathAndResurrectionCostTheirShares) {
  EXPECT_EQ(123, DeathLoss(1234));
  EXPECT_EQ(0, DeathLoss(9));
  EXPECT_EQ(0, DeathLoss(-50));  // a debt of experience is not paid back by dying
  const Attributes lost = ResurrectionPenalty({1250, 340, 99, 200, 149, 51});
  EXPECT_EQ(12, lost.max_hp);
  EXPECT_EQ(3, lost.strength);
  EXPECT_EQ(0, lost.defense);
  EXPECT_EQ(2, lost.agility);
  EXPECT_EQ(2, lost.max_magic);
  EXPECT_EQ(1, lost.charm);
  EXPECT_EQ(0, ResurrectionPenalty({-300, -1, 0, 0, -100, -50}).max_hp);
}

TEST(HuntRulesTest, TheKingdomTakesItsRateTruncated) {
  EXPECT_EQ("100", HuntTax(1000, 10).str());
  EXPECT_EQ("99", HuntTax(999, 10).str());
  EXPECT_EQ("0", HuntTax(1000, 0).str());
  EXPECT_EQ("6000000000000000000000",
            HuntTax(Purenum::Integer("20000000000000000000000"), 30).str());
}

TEST(HuntRulesTest, KidnappersAndDemonsAreMadeFromTheCharacter) {
  const FighterStats hero{500, 17, 23, 40};
  const Opponents orcs = KidnappersFor(hero);
  EXPECT_EQ("Orcs", orcs.name);
  EXPECT_EQ("400", orcs.hit_points);
  EXPECT_EQ("15", orcs.attack);   // 15.3
  EXPECT_EQ("18", orcs.defence);  // 18.4
  EXPECT_EQ("8", orcs.magic);
  EXPECT_EQ("0", orcs.poison);
  EXPECT_EQ(6, orcs.count);
  EXPECT_EQ("20000", orcs.gold);
  EXPECT_EQ("500", orcs.experience);

  const Opponents demon = DemonFor(hero);
  EXPECT_EQ("Summoned Demon", demon.name);
  EXPECT_EQ("1500", demon.hit_points);
  EXPECT_EQ("34", demon.attack);
  EXPECT_EQ("21", demon.defence);  // 21.85
  EXPECT_EQ("32", demon.magic);
  EXPECT_EQ(1, demon.count);
  EXPECT_EQ("0", demon.gold);
  EXPECT_EQ("0", demon.experience);
  EXPECT_EQ(std::to_string(LLONG_MAX), DemonFor({LLONG_MAX, 1, 1, 1}).hit_points);
}

TEST(HuntRulesTest, GroupsRunFromOneToBelowTheBoundAndNeverPastFifteen) {
  srand(11);
  int sizes[3] = {0, 0, 0};
  for (int i = 0; i < 3000; ++i) {
    EXPECT_EQ(1, GroupSize(1));
    const int size = GroupSize(3);
    ASSERT_TRUE(size == 1 || size == 2) << size;
    ++sizes[size];
    EXPECT_LE(GroupSize(40), kMaxGroup);
  }
  EXPECT_GT(sizes[1], sizes[2] * 3 / 2);  // two draws of three give one member
  // A bound of 0 or below is one member and takes no draw.
  srand(5);
  const int next = rand();
  srand(5);
  EXPECT_EQ(1, GroupSize(0));
  EXPECT_EQ(1, GroupSize(-4));
  EXPECT_EQ(next, rand());
  EXPECT_EQ(15, ScriptedGroupSize(16));
  EXPECT_EQ(0, ScriptedGroupSize(-2));
  EXPECT_EQ(5, ScriptedGroupSize(5));
}

TEST(HuntRulesTest, TheLevelThresholdIsLevelTimesTheMultiplierIn64Bits) {
  EXPECT_EQ(3000, player::LevelThreshold(3, 1000));
  EXPECT_EQ(5000000000LL, player::LevelThreshold(500000, 10000));  // past 32 bits
  EXPECT_EQ(LLONG_MAX, player::LevelThreshold(LLONG_MAX / 2, 3));
}

TEST(HuntRulesTest, TheGeneratorIsSeededOncePerProcess) {
  SeedRandomOnce();
  srand(42);
  const int first = rand();
  const int second = rand();
  srand(42);
  rand();
  SeedRandomOnce();  // a search after the first: the sequence goes on
  EXPECT_EQ(second, rand());
  EXPECT_NE(first, second);
}

}  // namespace
}  // namespace trv::combat
