// The choices of a new character: races, classes and guilds, and the
// statements that store them on the caller's row.
#ifndef TRV_GAME_TOWN_CREATION_H_
#define TRV_GAME_TOWN_CREATION_H_

#include <string>

namespace trv::creation {

// Attribute values of a race, in menu-table column order. HP stands for HP
// and MaxHP, Magic for MagicPower and MaxMagicPower.
struct RaceValues {
  int agility, mental, intellect, leadership, stamina, strength, defense, hp, magic;
};

// Additions of a class (Mental is never changed by a class).
struct ClassValues {
  int hp, strength, defense, magic, agility, stamina, intellect, leadership;
};

struct Choice {
  char key;
  const char* name;
  const char* description;
};

// Menu order: 1 to 9, then 0.
inline constexpr int kChoices = 10;
extern const Choice kRaces[kChoices];
extern const Choice kClasses[kChoices];

struct Guild {
  char key;
  const char* label;  // padded for the menu column
  const char* description;
  const char* stored;  // player.Guild
};
inline constexpr int kGuildCount = 5;
extern const Guild kGuilds[kGuildCount];

// The race or class of a menu digit; nullptr for any other key.
const Choice* RaceFor(char key);
const Choice* ClassFor(char key);
const Guild* GuildFor(char key);

// Race values of a menu digit as father (first) or mother (second). The
// Mutant is drawn afresh from a newly seeded generator on every call.
RaceValues FirstRaceValues(char key);
RaceValues SecondRaceValues(char key);
ClassValues FirstClassValues(char key);
ClassValues SecondClassValues(char key);

// Each stores one choice on the row of `user_name` (the caller), which two
// callers picking the same character name cannot share.
void StoreFirstRace(const std::string& user_name, char key);
void StoreSecondRace(const std::string& user_name, char key);
void StoreFirstClass(const std::string& user_name, char key);
void StoreSecondClass(const std::string& user_name, char key);

// The starting values of the world options, then the emptied equipment and
// spell slots.
void StoreStartingValues(const std::string& user_name, char guild_key);

}  // namespace trv::creation

#endif  // TRV_GAME_TOWN_CREATION_H_
