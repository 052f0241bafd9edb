// The world a test starts from: characters and kingdoms as the game leaves
// them, each a struct whose fields a test overrides before adding it.
//
//   test::Character amy("amy", "Amy");
//   amy.kingdom = "Bree";
//   amy.more = "Inn='3',BodyGuards=2";  // any other column, as SQL
//   AddCharacter(amy);                     // in-process (in_process.h)
//   dir_.AddCharacter(amy);                // a session's game directory
//
// The statements create their table when it is missing.
#ifndef TRV_TESTS_SUPPORT_WORLD_H_
#define TRV_TESTS_SUPPORT_WORLD_H_

#include <optional>
#include <string>

namespace trv::test {

// A finished character as creation leaves it (a level-1 human gladiator of
// the warriors' guild with the default world options), off-line.
struct Character {
  Character(std::string user, std::string name)
      : user_name(std::move(user)), player_name(std::move(name)) {}

  std::string user_name;
  std::string player_name;
  // nullopt: NULL, a character whose creation has not finished.
  std::optional<std::string> kingdom = std::string("Avalon");
  std::string gender = "Male";
  int level = 1;
  int hp = 29;
  int max_hp = 29;
  std::string gold = "100";
  std::string bank_gold = "0";
  int evil_deeds = 3;
  int status = 0;     // 1: in the realm
  std::string where;  // WhereInGame
  int id = 0;         // IDNum; 0: the next one
  // Further columns as an SQL assignment list: "Inn='3',Soldiers=5".
  std::string more;
};

// A kingdom as founding leaves it, with its recommended taxes.
struct Kingdom {
  Kingdom(int slot_number, std::string kingdom_name, std::string ruler_name,
          std::string ruler_user_name)
      : slot(slot_number),
        name(std::move(kingdom_name)),
        ruler(std::move(ruler_name)),
        ruler_user(std::move(ruler_user_name)) {}

  int slot;  // IDNum, 1 to 5
  std::string name;
  std::string ruler;       // '' for a vacant throne
  std::string ruler_user;  // RulerUserName
  int tax_rate = 25;
  int merchant_tax = 15;
  long long soldiers = 1000;
  long long land = 1200;
  long long serfs = 10000;
  std::string treasury = "50000000";
  int border_guard_rating = 1;
  // Further columns as an SQL assignment list: "Prince='Ann',Training=5".
  std::string more;
};

// The statements that add them (table creation included).
std::string InsertStatements(const Character& character);
std::string InsertStatements(const Kingdom& kingdom);

}  // namespace trv::test

#endif  // TRV_TESTS_SUPPORT_WORLD_H_
