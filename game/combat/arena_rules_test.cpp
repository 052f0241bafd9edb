// The arena's rules as tables: the league, ratings, the hit test, blows,
// poison, the inn's door guards and what a victory moves.
#include "game/combat/arena_rules.h"

#include <gtest/gtest.h>
#include <limits.h>

namespace trv::combat {
namespace {

TEST(ArenaRulesTest, TheLeagueIsFortyFivePercentOfTheChallengersLevel) {
  const struct {
    long long challenger, opponent;
    bool in_league;
  } kCases[] = {{20, 9, true}, {20, 8, false},  {2, 1, true},     {3, 1, false},
                {1, 0, false}, {100, 45, true}, {100, 44, false}, {5, 50, true}};
  for (const auto& c : kCases)
    EXPECT_EQ(c.in_league, InLeague(c.challenger, c.opponent)) << c.challenger << " " << c.opponent;
}

TEST(ArenaRulesTest, RatingsDivideEachTermBeforeTheSum) {
  const Fighter fighter{/*mental=*/10, /*agility=*/5, /*strength=*/7, /*defense=*/7};
  EXPECT_EQ(10 * (2 + 2), AttackRating(fighter));
  EXPECT_EQ(10 * (4 + 6), DefenceRating(fighter, false));
  EXPECT_EQ(10 * (5 + 8), DefenceRating(fighter, true));
  const Fighter huge{LLONG_MAX, LLONG_MAX, LLONG_MAX, LLONG_MAX};
  EXPECT_EQ(LLONG_MAX, AttackRating(huge));
  EXPECT_EQ(LLONG_MAX, DefenceRating(huge, true));
}

TEST(ArenaRulesTest, TheHitTestReadsTheRatioAsTheWorkedExamplesDo) {
  const struct {
    long long attack, defence;
    int margin;
  } kCases[] = {
      {50, 100, 50},   // 0.5 hits when rand() % 100 < 50
      {100, 100, 0},   // exactly 1.0: t = 1000, never hits
      {123, 100, 30},  // 1.23: t = 1230, hits when rand() % 100 < 30
      {99, 100, 99},  {2, 1, 0},         {1, 100, 1},
      {0, 100, 0},    {-50, 100, -50},   {1, 0, 100},  // no defence: every blow hits
      {1, -7, 100},   {LLONG_MAX, 1, 0},               // clamped, no overflow
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.margin, HitMargin(c.attack, c.defence)) << c.attack << "/" << c.defence;
  EXPECT_TRUE(Hits(30, 29));
  EXPECT_FALSE(Hits(30, 30));
  EXPECT_FALSE(Hits(0, 0));
  EXPECT_TRUE(Hits(100, 99));
}

TEST(ArenaRulesTest, BlowsLoseTheArmoursShareOfTheWeaponAndNeverHeal) {
  EXPECT_EQ(1, BlowBound(0));
  EXPECT_EQ(1, BlowBound(-20));
  EXPECT_EQ(30, BlowBound(30));
  const struct {
    long long raw, weapon, armour, damage;
  } kCases[] = {
      {17, 0, 1000000, 17},                               // without weapons armour takes nothing
      {25, 10, 13025, 20},                                // half of 26050: half the weapon bonus
      {15, 10, 26050, 5},           {14, 10, 10000, 10},  // 14 - 3.84, truncated
      {5, 10, 2605000, 0},                                // never below 0: armour does not heal
      {LLONG_MAX, 1, 0, LLONG_MAX},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.damage, BlowDamage(c.raw, c.weapon, c.armour)) << c.raw << " " << c.armour;
}

TEST(ArenaRulesTest, APoisonLevelOfTwelvePoisonsAtOnceAndStingsEveryTurnAfter) {
  const PoisonedHit first = PoisonOnHit(12, 0);
  EXPECT_TRUE(first.newly_poisoned);
  EXPECT_EQ(12, first.victim_poison);
  EXPECT_EQ(12, first.poison_added);
  const PoisonedHit later = PoisonOnHit(30, first.victim_poison);  // a stronger one changes nothing
  EXPECT_FALSE(later.newly_poisoned);
  EXPECT_EQ(12, later.victim_poison);
  EXPECT_EQ(12, later.poison_added);
  EXPECT_EQ(12, PoisonOnHit(0, 12).poison_added);
  const PoisonedHit clean = PoisonOnHit(0, 0);
  EXPECT_FALSE(clean.newly_poisoned);
  EXPECT_EQ(0, clean.poison_added);
}

TEST(ArenaRulesTest, DoorGuardsAreMadeFromTheChallengersOwnFigures) {
  const FighterStats challenger{/*max_hp=*/100, /*strength=*/30, /*defense=*/20, /*max_magic=*/10};
  const struct {
    const char* inn;
    const char* name;
    const char *hp, *attack, *defence, *magic, *poison, *gold, *experience;
  } kCases[] = {
      {"1", "Human Bodyguard", "99", "29", "6", "0", "0", "10000", "5000"},
      {"2", "Gnoll Bodyguard", "200", "60", "60", "2", "40", "25000", "10000"},
      {"3", "Devil Hound Bodyguard", "400", "120", "60", "5", "60", "30000", "30000"},
      {"4", "Red Dragon Bodyguard", "700", "210", "100", "9", "200", "50000", "60000"},
  };
  for (const auto& c : kCases) {
    const std::optional<DoorGuards> guards = DoorGuardsFor(c.inn, challenger, 3);
    ASSERT_TRUE(guards) << c.inn;
    const Opponents& o = guards->opponents;
    EXPECT_EQ(c.name, o.name);
    EXPECT_EQ(c.hp, o.hit_points) << c.inn;
    EXPECT_EQ(c.attack, o.attack) << c.inn;
    EXPECT_EQ(c.defence, o.defence) << c.inn;
    EXPECT_EQ(c.magic, o.magic) << c.inn;
    EXPECT_EQ(c.poison, o.poison);
    EXPECT_EQ(c.gold, o.gold);
    EXPECT_EQ(c.experience, o.experience);
    EXPECT_EQ(3, o.count);
  }
  EXPECT_FALSE(DoorGuardsFor("", challenger, 3));
  EXPECT_FALSE(DoorGuardsFor("5", challenger, 3));
}

TEST(ArenaRulesTest, TheVerdictAndTheSpoilsOfAVictory) {
  const struct {
    bool executed, thumbs_up;
    long long divine, divine_loss, leadership;
  } kCases[] = {
      {true, true, 100, 2, -2},   // executed against the crowd's wish
      {true, false, 49, 0, 0},    // 2 % of 49 truncates to 0
      {false, false, 100, 0, 1},  // spared against its thumbs down
      {false, true, 100, 0, 0},
  };
  for (const auto& c : kCases) {
    const Verdict verdict = VerdictOf(c.executed, c.thumbs_up, c.divine);
    EXPECT_EQ(c.divine_loss, verdict.divine_loss) << c.divine;
    EXPECT_EQ(c.leadership, verdict.leadership) << c.executed << c.thumbs_up;
  }
  EXPECT_EQ(100, ArenaExperience(1005));
  EXPECT_EQ(0, ArenaExperience(9));
  EXPECT_EQ(0, ArenaExperience(-500));  // never a gain for the loser
  const Mutilation lost = MutilationOf({250, 99, 100, 1000, 50, 100});
  EXPECT_EQ(2, lost.max_hp);
  EXPECT_EQ(0, lost.strength);
  EXPECT_EQ(1, lost.defense);
  EXPECT_EQ(10, lost.mental);
  EXPECT_EQ(1, lost.max_magic);
  EXPECT_EQ(2, lost.leadership);
  EXPECT_EQ(0, MutilationOf({-300, 0, 0, 0, -60, 0}).max_hp);
}

}  // namespace
}  // namespace trv::combat
