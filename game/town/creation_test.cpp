#include "game/town/creation.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "tests/support/in_process.h"

namespace trv::creation {
namespace {

using db::Exec;
using db::Query;
using db::TableName;

class CreationTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    unsetenv("TRV_SEED");
    NewRow("maker", "Hero");
  }
  void TearDown() override {
    unsetenv("TRV_SEED");
    DbTest::TearDown();
  }
  void NewRow(const char* user, const char* name) {
    Exec(db::kPlayer, "INSERT INTO %s (UserName,PlayerName,Gender) VALUES (%Q,%Q,'Male')",
         TableName(db::kPlayer), user, name);
  }
  long long Value(const char* column, const char* user = "maker") {
    return Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", column, TableName(db::kPlayer),
                 user)
        .Int(0, 0);
  }
  std::string Text(const char* column, const char* user = "maker") {
    return Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", column, TableName(db::kPlayer),
                 user)
        .Text(0, 0);
  }
};

TEST_F(CreationTest, HumanHumanGladiatorGladiatorAddsUpAsTheTablesSay) {
  StoreFirstRace("maker", '1');
  StoreSecondRace("maker", '1');
  StoreFirstClass("maker", '1');
  StoreSecondClass("maker", '1');
  EXPECT_EQ(13 + 13 + 13 + 13, Value("Agility"));
  EXPECT_EQ(50 + 1, Value("Mental"));  // classes leave Mental alone
  EXPECT_EQ(20 + 2 + 5 + 2, Value("HP"));
  EXPECT_EQ(Value("HP"), Value("MaxHP"));
  EXPECT_EQ(2 + 2, Value("MagicPower"));
  EXPECT_EQ(Value("MagicPower"), Value("MaxMagicPower"));
  EXPECT_EQ(7 + 3 + 4 + 3, Value("Strength"));
  EXPECT_EQ(10 + 2 + 6 + 5, Value("Defense"));
  EXPECT_EQ(15 + 10 + 10 + 10, Value("Stamina"));
  EXPECT_EQ(15 + 5 + 5 + 5, Value("Intellect"));
  EXPECT_EQ(35 + 5 + 5 + 5, Value("Leadership"));
  EXPECT_EQ("Human", Text("FirstRace"));
  EXPECT_EQ("Human", Text("SecondRace"));
  EXPECT_EQ("Gladiator", Text("FirstClass"));
  EXPECT_EQ("Gladiator", Text("SecondClass"));
}

TEST_F(CreationTest, ElfSorcererHasItsMagicBeforeTheSecondChoices) {
  StoreFirstRace("maker", '2');
  StoreFirstClass("maker", '7');
  EXPECT_EQ(12 + 20, Value("MagicPower"));
  EXPECT_EQ(12 + 20, Value("MaxMagicPower"));
  StoreSecondRace("maker", '2');
  StoreSecondClass("maker", '8');  // Sage
  EXPECT_EQ(12 + 20 + 5 + 16, Value("MagicPower"));
  EXPECT_EQ(80 + 1, Value("Mental"));
  EXPECT_EQ("Sage", Text("SecondClass"));
}

TEST_F(CreationTest, EveryMenuDigitHasARaceAndAClassAndPaladinIsZero) {
  for (char key = '0'; key <= '9'; ++key) {
    ASSERT_NE(nullptr, RaceFor(key)) << key;
    ASSERT_NE(nullptr, ClassFor(key)) << key;
  }
  EXPECT_STREQ("Mutant", RaceFor('0')->name);
  EXPECT_STREQ("Paladin", ClassFor('0')->name);
  EXPECT_EQ(nullptr, RaceFor('x'));
  EXPECT_EQ(nullptr, GuildFor('6'));
  StoreFirstRace("maker", '9');  // Hobbit
  StoreFirstClass("maker", '0');
  EXPECT_EQ(15 + 7, Value("HP"));
  EXPECT_EQ(6 + 5, Value("MagicPower"));
  EXPECT_EQ(2 + 10, Value("Leadership"));
}

TEST_F(CreationTest, MutantDrawsStayInTheirRangesAndRepeatWithTheSeed) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    setenv("TRV_SEED", std::to_string(seed).c_str(), 1);
    RaceValues f = FirstRaceValues('0');
    RaceValues s = SecondRaceValues('0');
    ASSERT_TRUE(f.agility >= 0 && f.agility < 10 && f.mental < 40 && f.intellect < 12 &&
                f.leadership < 3 && f.stamina < 15 && f.strength < 10 && f.defense < 10 &&
                f.hp >= 0 && f.hp < 50 && f.magic < 10)
        << seed;
    ASSERT_TRUE(s.agility < 10 && s.mental < 10 && s.defense < 10 && s.hp >= 0 && s.hp < 3 &&
                s.magic < 10)
        << seed;
  }
  setenv("TRV_SEED", "42", 1);
  RaceValues a = FirstRaceValues('0');
  RaceValues b = FirstRaceValues('0');  // seeded afresh on every choice
  EXPECT_EQ(a.hp, b.hp);
  EXPECT_EQ(a.mental, b.mental);
  StoreFirstRace("maker", '0');
  EXPECT_EQ(a.hp, Value("HP"));
  EXPECT_EQ("Mutant", Text("FirstRace"));
}

TEST_F(CreationTest, ChoicesReachOnlyTheCallersRowEvenUnderTheSameName) {
  NewRow("other", "Hero");  // the same name chosen on another node
  StoreFirstRace("maker", '3');
  StoreFirstRace("other", '6');
  StoreFirstClass("maker", '1');
  EXPECT_EQ("Orc", Text("FirstRace"));
  EXPECT_EQ("Gnome", Text("FirstRace", "other"));
  EXPECT_EQ(13, Value("HP", "other"));
  EXPECT_EQ("", Text("FirstClass", "other"));
}

TEST_F(CreationTest, StartingValuesComeFromTheWorldOptions) {
  db::ConfigDefaults options;
  options.start_gold = "25000";
  options.monster_fights = 20;
  options.evil_deeds = 5;
  db::InsertConfigDefaults(options);
  Exec(db::kPlayer, "UPDATE %s SET Equip7='Old Sword',Magic2='Spark' WHERE UserName='maker'",
       TableName(db::kPlayer));
  StoreStartingValues("maker", '2');
  EXPECT_EQ("25000", Text("Gold"));
  EXPECT_EQ(20, Value("MonsterFights"));
  EXPECT_EQ(3, Value("PlayerFights"));
  EXPECT_EQ(3, Value("GoodDeeds"));
  EXPECT_EQ(5, Value("EvilDeeds"));
  EXPECT_EQ("Black Art", Text("Guild"));
  EXPECT_EQ("Your healthy!", Text("Disease"));
  EXPECT_EQ(300, Value("Potions"));
  EXPECT_EQ(30, Value("Divine"));
  EXPECT_EQ(1, Value("Level"));
  EXPECT_EQ("0", Text("BankGold"));
  EXPECT_EQ("0", Text("Granary"));
  EXPECT_EQ("", Text("Equip7"));
  EXPECT_EQ("", Text("Magic2"));
  EXPECT_FALSE(Query(db::kPlayer, "SELECT Equip30 FROM %s", TableName(db::kPlayer)).IsNull(0, 0));
  EXPECT_EQ("", Text("Inn"));
}

}  // namespace
}  // namespace trv::creation
