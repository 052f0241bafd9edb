#include "game/player/character.h"

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"

namespace trv::player {

bool CharacterNameTaken(const std::string& name) {
  return !db::Query(db::kPlayer, "SELECT PlayerName FROM %s WHERE PlayerName=%Q COLLATE NOCASE",
                    db::TableName(db::kPlayer), name.c_str())
              .empty();
}

std::string UserNameOf(const std::string& player_name) {
  return db::Query(db::kPlayer, "SELECT UserName FROM %s WHERE PlayerName=%Q",
                   db::TableName(db::kPlayer), player_name.c_str())
      .Text(0, 0);
}

void ClearPosts(const std::string& user_name, Posts posts) {
  const char* user = user_name.c_str();
  const char* kingdom = db::TableName(db::kKingdom);
  db::Exec(db::kKingdom, "UPDATE %s SET Prince='',PrinceUserName='' WHERE PrinceUserName=%Q",
           kingdom, user);
  db::Exec(db::kKingdom, "UPDATE %s SET Princess='',PrincessUserName='' WHERE PrincessUserName=%Q",
           kingdom, user);
  db::Exec(db::kKingdom, "UPDATE %s SET Baron='',BaronUserName='' WHERE BaronUserName=%Q", kingdom,
           user);
  db::Exec(db::kKingdom, "UPDATE %s SET Royal='',RoyalUserName='' WHERE RoyalUserName=%Q", kingdom,
           user);
  if (posts == Posts::kNoblesAndThrone)
    db::Exec(db::kKingdom, "UPDATE %s SET Ruler='',RulerUserName='' WHERE RulerUserName=%Q",
             kingdom, user);
}

}  // namespace trv::player
