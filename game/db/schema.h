// The fourteen tables of the game database and their numbers.
//
// Every statement names the table it works on by number, so that the
// statement runner can create the table when it meets it missing. The door
// and the sysop program share these numbers and creation statements.
#ifndef TRV_GAME_DB_SCHEMA_H_
#define TRV_GAME_DB_SCHEMA_H_

namespace trv::db {

enum Table : int {
  kChat = 0,      // the tavern's chat ledger; dropped daily
  kKingdom = 1,   // at most five kingdoms, IDNum 1 to 5
  kPlayer = 2,    // one row per character
  kMarriage = 3,  // one row per married couple
  kPoster = 4,    // wanted posters
  kNews = 5,      // the realm news of today and yesterday
  kUserNews = 6,  // personal mail and requests
  kNode = 7,      // node-to-user messages; dropped daily
  kState = 8,     // one row: sessions in the realm
  kTavChat = 9,   // the chat room's lines
  kQuest = 10,    // one row per user on a quest
  kSuicide = 11,  // users who deleted a character today; dropped daily
  kDemon = 12,    // demons sent against a user
  kConfig = 13,   // one row: the world options
  kTableCount = 14,
  // For statements that touch no table (BEGIN, COMMIT ...).
  kNoTable = -1
};

// "player" for kPlayer; nullptr for a number outside 0 to 13.
const char* TableName(int table);

// The statement that creates the table (and, for state, its one row) when
// it is missing. Safe to run again and from two nodes at once: an existing
// table and an existing row are left alone. nullptr outside 0 to 13.
const char* CreationStatement(int table);

// The world options a fresh realm starts with.
struct ConfigDefaults {
  int monster_fights = 17;
  int player_fights = 3;
  const char* start_gold = "10000";
  int level_multiplier = 10000;
  int good_deeds = 3;
  int evil_deeds = 3;
  int assassinations = 1;
  int mutilations = 1;
  int tournament_mode = 0;
  int max_level = 0;
  const char* end_date = "";
};

// Inserts the world options row when `config` holds none, as one write
// unit so two nodes starting at once insert it once. Returns true when it
// inserted the row.
bool InsertConfigDefaults(const ConfigDefaults& defaults = ConfigDefaults());

}  // namespace trv::db

#endif  // TRV_GAME_DB_SCHEMA_H_
