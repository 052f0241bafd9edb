#include "game/town/creation.h"

#include <stdlib.h>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/ui/ui.h"

namespace trv::creation {
namespace {

using db::Exec;
using db::kPlayer;
using db::TableName;

// Indexed by menu digit.
const RaceValues kFirstRace[kChoices] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0},          // 0 Mutant: drawn
    {13, 50, 15, 35, 15, 7, 10, 20, 2},   // 1 Human
    {13, 80, 20, 35, 15, 5, 10, 20, 12},  // 2 Elf
    {20, 20, 2, 5, 30, 15, 15, 25, 2},    // 3 Orc
    {5, 70, 10, 10, 20, 20, 20, 26, 2},   // 4 Dwarf
    {5, 20, 3, 5, 20, 23, 12, 21, 2},     // 5 Troll
    {3, 90, 30, 3, 5, 5, 10, 13, 5},      // 6 Gnome
    {3, 15, 12, 3, 13, 7, 5, 17, 10},     // 7 Goblin
    {15, 110, 12, 3, 15, 15, 12, 25, 5},  // 8 Centaur
    {12, 50, 13, 2, 7, 6, 6, 15, 6},      // 9 Hobbit
};
const RaceValues kSecondRace[kChoices] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0},  // 0 Mutant: drawn
    {13, 1, 5, 5, 10, 3, 2, 2, 2}, {3, 1, 10, 3, 7, 2, 2, 2, 5}, {3, 1, 5, 1, 10, 5, 5, 4, 1},
    {3, 1, 5, 4, 5, 4, 3, 5, 1},   {3, 1, 5, 4, 5, 4, 3, 5, 1},  {2, 1, 10, 5, 3, 2, 3, 5, 5},
    {2, 1, 2, 2, 3, 5, 4, 3, 5},   {5, 1, 8, 5, 3, 5, 4, 4, 2},  {5, 1, 10, 5, 10, 3, 3, 2, 3},
};
const ClassValues kFirstClass[kChoices] = {
    {7, 3, 3, 5, 5, 3, 10, 10},  // 0 Paladin
    {5, 4, 6, 0, 13, 10, 5, 5},  // 1 Gladiator
    {2, 2, 4, 7, 5, 6, 11, 3},   // 2 Cleric
    {2, 2, 1, 0, 19, 2, 13, 2},  // 3 Assassin
    {1, 2, 2, 0, 14, 3, 5, 1},   // 4 Thief
    {5, 3, 3, 6, 5, 7, 5, 2},    // 5 Monk
    {5, 6, 6, 0, 5, 3, 10, 5},   // 6 Ranger
    {6, 1, 1, 20, 2, 1, 20, 8},  // 7 Sorcerer
    {5, 2, 1, 18, 2, 1, 18, 9},  // 8 Sage
    {5, 3, 3, 0, 5, 5, 13, 2},   // 9 Alchemist
};
const ClassValues kSecondClass[kChoices] = {
    {7, 1, 1, 5, 5, 3, 5, 10},   // 0 Paladin
    {2, 3, 5, 0, 13, 10, 5, 5},  // 1 Gladiator
    {5, 2, 5, 6, 5, 6, 11, 3},   // 2 Cleric
    {2, 3, 3, 0, 19, 2, 13, 2},  // 3 Assassin
    {5, 3, 3, 0, 14, 3, 5, 2},   // 4 Thief
    {4, 6, 5, 6, 5, 7, 5, 2},    // 5 Monk
    {5, 6, 6, 0, 5, 3, 10, 5},   // 6 Ranger
    {1, 1, 1, 13, 2, 1, 20, 2},  // 7 Sorcerer
    {5, 2, 1, 16, 2, 1, 18, 1},  // 8 Sage
    {5, 3, 3, 0, 5, 5, 13, 1},   // 9 Alchemist
};

int Digit(char key) { return key >= '0' && key <= '9' ? key - '0' : -1; }

const Choice* Find(const Choice* choices, char key) {
  for (int i = 0; i < kChoices; ++i)
    if (choices[i].key == key) return &choices[i];
  return nullptr;
}

// The draws come in the table's column order.
RaceValues DrawMutant(bool first) {
  SeedRandom();
  RaceValues v;
  if (first) {
    v.agility = rand() % 10;
    v.mental = rand() % 40;
    v.intellect = rand() % 12;
    v.leadership = rand() % 3;
    v.stamina = rand() % 15;
    v.strength = rand() % 10;
    v.defense = rand() % 10;
    v.hp = rand() % 50;
    v.magic = rand() % 10;
  } else {
    v.agility = rand() % 10;
    v.mental = rand() % 10;
    v.intellect = rand() % 10;
    v.leadership = rand() % 10;
    v.stamina = rand() % 10;
    v.strength = rand() % 10;
    v.defense = rand() % 10;
    v.hp = rand() % 3;
    v.magic = rand() % 10;
  }
  return v;
}

void StoreClass(const char* column, const std::string& user_name, char key, const ClassValues& c) {
  const Choice* chosen = ClassFor(key);
  if (!chosen) return;
  Exec(kPlayer,
       "UPDATE %s SET %s=%Q,MaxHP=MaxHP+%d,HP=HP+%d,Strength=Strength+%d,Defense=Defense+%d,"
       "MagicPower=MagicPower+%d,MaxMagicPower=MaxMagicPower+%d,Agility=Agility+%d,"
       "Stamina=Stamina+%d,Intellect=Intellect+%d,Leadership=Leadership+%d WHERE UserName=%Q",
       TableName(kPlayer), column, chosen->name, c.hp, c.hp, c.strength, c.defense, c.magic,
       c.magic, c.agility, c.stamina, c.intellect, c.leadership, user_name.c_str());
}

}  // namespace

const Choice kRaces[kChoices] = {
    {'1', "Human", "Intelligent, Well rounded stats"},
    {'2', "Elf", "Wise and gifted in magic, frail in a brawl"},
    {'3', "Orc", "Tough and quick to fight, slow of wit"},
    {'4', "Dwarf", "Sturdy, strong and hard to wound"},
    {'5', "Troll", "Brute strength, little else"},
    {'6', "Gnome", "Brilliant minds in small bodies"},
    {'7', "Goblin", "Sly little spell casters"},
    {'8', "Centaur", "Strong, hardy and deeply wise"},
    {'9', "Hobbit", "Small, clever and nimble"},
    {'0', "Mutant", "Anything can happen.."},
};

const Choice kClasses[kChoices] = {
    {'1', "Gladiator", "Very strong and fast moving! Lacks in magic.."},
    {'2', "Cleric", "Powerful healing abilities, average fighter.."},
    {'3', "Assassin", "Cunning and stealth are the keys to success.."},
    {'4', "Thief", "Average fighers, tough living.."},
    {'5', "Monk", "Above Average fighter and magic user."},
    {'6', "Ranger", "Smart and all around great fighter.."},
    {'7', "Sorcerer", "Prefers the Black Magic arts.."},
    {'8', "Sage", "Very wise, prefers the White Robed Magic arts.."},
    {'9', "Alchemist", "Average fighter, master of poison abilities.."},
    {'0', "Paladin", "Fighters of good, prefers the White Robed Magic arts.."},
};

const Guild kGuilds[kGuildCount] = {
    {'1', "Guild of Warriors       ", "Best leveling for those wishing to be fighters..",
     "Warrior"},
    {'2', "Guild of Black Arts     ", "Prefered for those wishing to use black magic..",
     "Black Art"},
    {'3', "Guild of White Arts     ", "Prefered for those wishing to use white magic..",
     "White Art"},
    {'4', "Guild of Rogues         ", "Hardest to succeed in, lacks in magic abilities..", "Rogue"},
    {'5', "Guild of Divine Spirits ", "Best suited for paladins and clerics...", "Divine"},
};

const Choice* RaceFor(char key) { return Find(kRaces, key); }
const Choice* ClassFor(char key) { return Find(kClasses, key); }

const Guild* GuildFor(char key) {
  for (const Guild& g : kGuilds)
    if (g.key == key) return &g;
  return nullptr;
}

RaceValues FirstRaceValues(char key) {
  return key == '0' ? DrawMutant(true) : kFirstRace[Digit(key) < 0 ? 1 : Digit(key)];
}

RaceValues SecondRaceValues(char key) {
  return key == '0' ? DrawMutant(false) : kSecondRace[Digit(key) < 0 ? 1 : Digit(key)];
}

ClassValues FirstClassValues(char key) { return kFirstClass[Digit(key) < 0 ? 1 : Digit(key)]; }
ClassValues SecondClassValues(char key) { return kSecondClass[Digit(key) < 0 ? 1 : Digit(key)]; }

void StoreFirstRace(const std::string& user_name, char key) {
  const Choice* race = RaceFor(key);
  if (!race) return;
  RaceValues v = FirstRaceValues(key);
  Exec(kPlayer,
       "UPDATE %s SET FirstRace=%Q,Agility=%d,Mental=%d,Intellect=%d,Leadership=%d,Stamina=%d,"
       "Strength=%d,Defense=%d,HP=%d,MaxHP=%d,MagicPower=%d,MaxMagicPower=%d WHERE UserName=%Q",
       TableName(kPlayer), race->name, v.agility, v.mental, v.intellect, v.leadership, v.stamina,
       v.strength, v.defense, v.hp, v.hp, v.magic, v.magic, user_name.c_str());
}

void StoreSecondRace(const std::string& user_name, char key) {
  const Choice* race = RaceFor(key);
  if (!race) return;
  RaceValues v = SecondRaceValues(key);
  Exec(kPlayer,
       "UPDATE %s SET SecondRace=%Q,MaxHP=MaxHP+%d,HP=HP+%d,Strength=Strength+%d,"
       "Defense=Defense+%d,MagicPower=MagicPower+%d,MaxMagicPower=MaxMagicPower+%d,"
       "Agility=Agility+%d,Stamina=Stamina+%d,Intellect=Intellect+%d,Mental=Mental+%d,"
       "Leadership=Leadership+%d WHERE UserName=%Q",
       TableName(kPlayer), race->name, v.hp, v.hp, v.strength, v.defense, v.magic, v.magic,
       v.agility, v.stamina, v.intellect, v.mental, v.leadership, user_name.c_str());
}

void StoreFirstClass(const std::string& user_name, char key) {
  StoreClass("FirstClass", user_name, key, FirstClassValues(key));
}

void StoreSecondClass(const std::string& user_name, char key) {
  StoreClass("SecondClass", user_name, key, SecondClassValues(key));
}

void StoreStartingValues(const std::string& user_name, char guild_key) {
  const Guild* guild = GuildFor(guild_key);
  if (!guild) return;
  const char* user = user_name.c_str();
  db::ResultTable config = db::Query(
      db::kConfig, "SELECT StartGold,MonsterFights,PlayerFights,GoodDeeds,EvilDeeds FROM %s",
      TableName(db::kConfig));
  Exec(kPlayer,
       "UPDATE %s SET Gold=%Q,MonsterFights=%d,PlayerFights=%d,GoodDeeds=%d,EvilDeeds=%d "
       "WHERE UserName=%Q",
       TableName(kPlayer), config.Text(0, 0), static_cast<int>(config.Int(0, 1)),
       static_cast<int>(config.Int(0, 2)), static_cast<int>(config.Int(0, 3)),
       static_cast<int>(config.Int(0, 4)), user);
  Exec(kPlayer,
       "UPDATE %s SET Guild=%Q,Disease='Your healthy!',ProfLevel=1,Potions=300,PoisonLevel=0,"
       "PlayerKills=0,PlayerDefeats=0,ProfExp=1,Inn='',Level=1,Experience=1,Divine=30,Charm=1,"
       "Smuggling='0',DrugTrade='0',FleshTrade='0',HouseTrade='0',WaterTower='0',OreMine='0',"
       "Granary='0',Soldiers=0,DragonRiders=0,Kannons=0,Katapults=0,EquipmentRating=0,"
       "BankGold='0',Depository='0' WHERE UserName=%Q",
       TableName(kPlayer), guild->stored, user);
  Exec(kPlayer,
       "UPDATE %s SET Equip1='',Equip2='',Equip3='',Equip4='',Equip5='',Equip6='',Equip7='',"
       "Equip8='',Equip9='',Equip10='',Equip11='',Equip12='',Equip13='',Equip14='',Equip15='',"
       "Equip16='',Equip17='',Equip18='',Equip19='',Equip20='',Equip21='',Equip22='',Equip23='',"
       "Equip24='',Equip25='',Equip26='',Equip27='',Equip28='',Equip29='',Equip30='' "
       "WHERE UserName=%Q",
       TableName(kPlayer), user);
  Exec(kPlayer, "UPDATE %s SET Magic1='',Magic2='',Magic3='',Magic4='' WHERE UserName=%Q",
       TableName(kPlayer), user);
}

}  // namespace trv::creation
