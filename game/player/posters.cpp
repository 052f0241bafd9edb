#include "game/player/posters.h"

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/player/gold.h"

namespace trv::player {

std::vector<Poster> ReadPosters() {
  db::ResultTable rows =
      db::Query(db::kPoster, "SELECT Wanted,Bounty,SetByUsername FROM %s ORDER BY rowid",
                db::TableName(db::kPoster));
  std::vector<Poster> posters;
  for (int r = 0; r < rows.rows(); ++r)
    posters.push_back({rows.Text(r, 0), Amount(rows.Text(r, 1)), rows.Text(r, 2)});
  return posters;
}

void AddPoster(const std::string& wanted, const Purenum::Integer& bounty,
               const std::string& set_by) {
  db::Exec(db::kPoster, "INSERT INTO %s (Wanted,Bounty,SetByUsername) VALUES (%Q,%Q,%Q)",
           db::TableName(db::kPoster), wanted.c_str(), bounty.str().c_str(), set_by.c_str());
}

}  // namespace trv::player
