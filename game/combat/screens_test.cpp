// The item, spell and poison screens driven in-process with typed keys.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "game/combat/magic.h"
#include "game/combat/shops.h"
#include "game/combat/spells.h"
#include "game/combat/test_combat.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"

namespace trv::combat {
namespace {

constexpr char kItems[] =
    "Dagger,1001,7,0,0,0,0,0,0,0\n"      // 0
    "Sword,3000,20,0,0,0,0,0,0,0\n"      // 1
    "Vest,500,30,2,0,0,0,0,0,0\n"        // 2
    "Amulet,600,9,6,0,5,0,0,0,0\n"       // 3: five more hit points
    "Idol,100,0,7,0,0,0,0,0,0\n"         // 4: no slot takes it
    "Odd Ring,100,5,10,4,0,0,0,-2,0\n";  // 5: a sysop's negative bonus

constexpr char kSpells[] =
    "Spark0,100,1,5,0\nSpark1,100,1,5,0\nSpark2,100,1,5,0\nSpark3,100,1,5,0\n"
    "Spark4,100,1,5,0\nSpark5,100,1,5,0\nSpark6,100,1,5,0\n"  // 0-6: book 0
    "Flame,100,90,10,1\n"                                     // 7: book 1
    "Bolt,100,1000,10,10\n";                                  // 8: book 10

class ScreensTest : public CombatTest {
 protected:
  void SetUp() override {
    CombatTest::SetUp();
    Write("Data/item.dat", kItems);
    Write("Data/magic.dat", kSpells);
    test::Character me("me", "Hero");
    me.gold = "5000";
    test::AddCharacter(me);
  }
  static void FillPack() {
    std::string all;
    for (int slot = kFirstPackSlot; slot <= kLastSlot; ++slot)
      all += (all.empty() ? "Equip" : ",Equip") + std::to_string(slot) + "='Idol'";
    Set(all);
  }
};

TEST_F(ScreensTest, PurchasesThatCannotBePlacedTakeNoGold) {
  const ShopCounter armour = ArmourCounter(kArmourCounters[0]);
  Set("Equip3='Vest'");
  FillPack();
  Type("2\ry ");  // worn slot and pack full
  ShopList(armour);
  EXPECT_TRUE(Saw("Sorry, you need to sell or drop some of your current equipment!"));
  EXPECT_EQ("5000", Player("Gold"));

  Set("Equip3=''");
  Type("2\ryn ");  // the slot is free but the pack is not: N would keep it nowhere
  ShopList(armour);
  EXPECT_TRUE(Saw("Sorry, you need to sell"));
  EXPECT_EQ("5000", Player("Gold"));
  EXPECT_EQ("", Player("Equip3"));

  Type("2\r ");  // not listed at the weapon counter
  ShopList(WeaponCounter());
  EXPECT_TRUE(Saw("Sorry, that item is not in the list..."));
  EXPECT_EQ(0, PlaceBoughtItem(4));  // no slot for its category
  EXPECT_EQ(0, PlaceBoughtItem(99));
  EXPECT_EQ("5000", Player("Gold"));

  Type("2\ryy ");
  ShopList(armour);
  EXPECT_TRUE(Saw("Equiped!"));
  EXPECT_EQ("Vest", Player("Equip3"));
  EXPECT_EQ("4500", Player("Gold"));
}

TEST_F(ScreensTest, SellingWornJewelleryTakesItsBonusAndHeals) {
  Set("Equip7='Amulet',MaxHP=34,HP=10,MagicPower=0,MaxMagicPower=12");
  Type("S7\ry \r");
  SellOrDrop();
  EXPECT_TRUE(Saw("Sell item for $300? (y/n)"));
  EXPECT_EQ("", Player("Equip7"));
  EXPECT_EQ("5300", Player("Gold"));
  EXPECT_EQ("29", Player("MaxHP"));
  EXPECT_EQ("29", Player("HP"));
  EXPECT_EQ("12", Player("MagicPower"));

  // A negative bonus stays inside its own statement: nobody else changes.
  test::AddCharacter(test::Character("you", "Other"));
  Set("Equip11='Odd Ring',Agility=14,Defense=3");
  Type("S11\ry \r");
  SellOrDrop();
  EXPECT_EQ("10", Player("Agility"));
  EXPECT_EQ("5", Player("Defense"));
  EXPECT_EQ("52", std::string(db::Query(db::kPlayer, "SELECT Agility FROM %s WHERE UserName='you'",
                                        db::TableName(db::kPlayer))
                                  .Text(0, 0)));
}

TEST_F(ScreensTest, SlotNumbersOutOfRangeOrEmptyChangeNothing) {
  Set("Equip1='Dagger',Equip15='Sword'");
  Type("S0\r S31\r S16\r D99\r \r");
  SellOrDrop();
  const std::string sell = Screen();
  EXPECT_EQ(3u, [&] {
    size_t n = 0;
    for (size_t at = sell.find("Invalid equipment item!"); at != std::string::npos;
         at = sell.find("Invalid equipment item!", at + 1))
      ++n;
    return n;
  }());
  EXPECT_NE(std::string::npos, sell.find("Invalid selection!"));
  Type("U0\r U15\r U4\r D31\r E14\r \r");
  EXPECT_EQ('\r', EquipmentScreen());
  const std::string page = Screen();
  EXPECT_NE(std::string::npos, page.find("Invalid entry!"));
  EXPECT_NE(std::string::npos, page.find("This item is already unequipped!"));
  EXPECT_EQ("Dagger", Player("Equip1"));
  EXPECT_EQ("Sword", Player("Equip15"));
  EXPECT_EQ("5000", Player("Gold"));
}

TEST_F(ScreensTest, EquipmentScreenWearsSwapsAndTakesOff) {
  Set("Equip1='Dagger',Equip15='Sword',Equip16='Dagger',Equip17='Idol',Equip18='Lost Blade',"
      "Equip19='Amulet'");
  Type("E15\ry E16\ryL E17\ry E18\ry E19\ry \r");
  EXPECT_EQ('\r', EquipmentScreen());
  EXPECT_TRUE(Shown().Contains("Total Weapon Strength: 14"));
  EXPECT_EQ("Dagger", Player("Equip1"));
  EXPECT_EQ("Dagger", Player("Equip2"));  // swapped in for the sword
  EXPECT_EQ("Sword", Player("Equip16"));
  EXPECT_EQ("Idol", Player("Equip17"));  // neither could be worn
  EXPECT_EQ("Lost Blade", Player("Equip18"));
  EXPECT_EQ("Amulet", Player("Equip7"));
  EXPECT_EQ("34", Player("MaxHP"));

  Type("U7\ry K");
  EXPECT_EQ('K', EquipmentScreen());
  EXPECT_EQ("Amulet", Player("Equip15"));
  EXPECT_EQ("29", Player("MaxHP"));

  Set("Equip8='Amulet',MaxHP=34,HP=34");  // dropped: its hit points go, none are healed
  Type("D8\ry \r");
  EXPECT_EQ('\r', EquipmentScreen());
  EXPECT_EQ("", Player("Equip8"));
  EXPECT_EQ("29", Player("MaxHP"));
  EXPECT_EQ("29", Player("HP"));

  FillPack();
  Type("U1\ry \r");
  EXPECT_EQ('\r', EquipmentScreen());
  EXPECT_TRUE(Saw("Sorry, you need to sell or drop some of your current equipment!"));
  EXPECT_EQ("Dagger", Player("Equip1"));
  Type("*y\r");
  EXPECT_EQ('\r', EquipmentScreen());
  EXPECT_EQ("", Player("Equip30"));

  Set("Equip1=''");
  EXPECT_FALSE(RemindOfEmptyHands());  // a weapon in the left hand is enough
  Set("Equip2=''");
  Type(" ");
  EXPECT_TRUE(RemindOfEmptyHands());
}

TEST_F(ScreensTest, SpellPlacesTeachOnlyTheirOwnBooks) {
  Set("Magic1='Old',Magic2='Zap',Magic3='Zap',Magic4='Ice'");
  // The seventh spell of the book brings the page question; the book-1
  // spell is refused there; the first is learned over Magic1.
  Type("Iy7\ry IL0\ry R");
  PublicMagic();
  EXPECT_TRUE(Saw("Continue? (Y/n) or (L)earn Spell"));
  EXPECT_EQ("Spark0", Player("Magic1"));
  EXPECT_EQ("Zap", Player("Magic2"));
  EXPECT_EQ("Ice", Player("Magic4"));
  EXPECT_EQ("4900", Player("Gold"));

  Set("Guild='Warriors'");
  Type(" ");
  BlackMagicGuild();
  EXPECT_TRUE(Saw("Denied Entrance"));
  Set("Guild='White Art'");
  Type("H\rR");
  WhiteMagicGuild();
  EXPECT_TRUE(Saw("Bolt"));
  EXPECT_EQ("4900", Player("Gold"));
}

TEST_F(ScreensTest, CastsSpendMagicPointsAndTellWhetherTheTargetFell) {
  test::Character villain("them", "Villain");
  villain.more = "Magic1='Spark0',Magic2='Bolt'";
  test::AddCharacter(villain);
  test::Character mute("mute", "Mute");
  test::AddCharacter(mute);
  const std::string villain_id =
      db::Query(db::kPlayer, "SELECT IDNum FROM %s WHERE UserName='them'",
                db::TableName(db::kPlayer))
          .Text(0, 0);
  Set("Magic1='Spark0',Magic3='Bolt',MagicPower=12");
  srand(3);
  Type("2\r");
  EXPECT_EQ(0, OfferSpell());  // an empty slot and Enter cast nothing
  EXPECT_EQ(0, OfferSpell());
  const SpellCast spark = CallerCasts(1, nullptr);
  EXPECT_TRUE(spark.cast);
  EXPECT_EQ(0, spark.damage);  // power 1
  EXPECT_EQ("7", Player("MagicPower"));

  ArenaOpponent opponent{villain_id, "Villain", 1, 10};
  Type("3");
  EXPECT_FALSE(CastInArena(opponent));  // 7 points, the bolt costs 10
  EXPECT_TRUE(Saw("You do not have enough magic points to cast this spell!"));
  EXPECT_EQ("7", Player("MagicPower"));
  Set("MagicPower=100");
  Type("3");
  EXPECT_TRUE(CastInArena(opponent));
  EXPECT_LE(opponent.hp, 0);
  EXPECT_EQ("90", Player("MagicPower"));

  // The opponent casts its highest slot's spell while its points last.
  Set("HP=1");
  EXPECT_TRUE(OpponentCasts(opponent));
  EXPECT_EQ(0, opponent.magic_points);
  EXPECT_FALSE(OpponentCasts(opponent));
  ArenaOpponent without{"3", "Mute", 1, 1000};
  EXPECT_FALSE(OpponentCasts(without));
}

TEST_F(ScreensTest, PoisonShopPagesTenAndAWeakerPoisonLowersTheLevel) {
  std::string poisons;
  for (int i = 0; i <= 10; ++i)
    poisons += "Venom" + std::to_string(i) + ",100," + std::to_string(i + 2) + "\n";
  Write("Data/poison.dat", poisons);
  Set("PoisonLevel=20");
  Type("y10\ry ");
  PoisonShop();
  EXPECT_TRUE(Saw("Continue? (Y/n) or (b)uy poison"));
  EXPECT_EQ("12", Player("PoisonLevel"));
  EXPECT_EQ("4900", Player("Gold"));
  Set("Gold='50'");
  Type("b0\ry b77\r");
  PoisonShop();
  EXPECT_TRUE(Saw("Sorry, you can't afford this elixer..."));
  PoisonShop();  // beyond the list: leaves
  EXPECT_EQ("12", Player("PoisonLevel"));
  EXPECT_EQ("50", Player("Gold"));
}

}  // namespace
}  // namespace trv::combat
