#include "game/player/bounties.h"

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/player/gold.h"

namespace trv::player {

std::vector<Bounty> ReadBounties(const std::string& wanted) {
  const char* posters = db::TableName(db::kPoster);
  const db::ResultTable rows =
      wanted.empty()
          ? db::Query(db::kPoster,
                      "SELECT rowid,Wanted,Bounty,SetByUsername FROM %s ORDER BY rowid", posters)
          : db::Query(db::kPoster,
                      "SELECT rowid,Wanted,Bounty,SetByUsername FROM %s WHERE Wanted=%Q "
                      "ORDER BY rowid",
                      posters, wanted.c_str());
  std::vector<Bounty> bounties;
  for (int r = 0; r < rows.rows(); ++r)
    bounties.push_back(
        {rows.Int(r, 0), rows.Text(r, 1), NonNegativeAmount(rows.Text(r, 2)), rows.Text(r, 3)});
  return bounties;
}

void PostBounty(const std::string& wanted, const Purenum::Integer& amount,
                const std::string& set_by) {
  db::Exec(db::kPoster, "INSERT INTO %s (Wanted,Bounty,SetByUsername) VALUES (%Q,%Q,%Q)",
           db::TableName(db::kPoster), wanted.c_str(), amount.str().c_str(), set_by.c_str());
}

BountyPayout CollectBounties(const std::string& wanted, const std::string& collector_user) {
  BountyPayout payout;
  db::RunWriteUnit([&] {
    payout = BountyPayout{};
    std::vector<Bounty> posters = ReadBounties(wanted);
    if (posters.empty() || wanted.empty()) return false;
    for (const Bounty& poster : posters) payout.total += poster.amount;
    if (!AddGold(collector_user, payout.total)) {
      payout = BountyPayout{};
      return false;
    }
    for (const Bounty& poster : posters)
      db::Exec(db::kPoster, "DELETE FROM %s WHERE rowid=%lld", db::TableName(db::kPoster),
               poster.rowid);
    payout.paid = std::move(posters);
    return true;
  });
  return payout;
}

}  // namespace trv::player
