#include "game/economy/town_units.h"

#include <functional>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/player/gold.h"

namespace trv::economy {
namespace {

using db::Exec;
using db::kPlayer;
using db::Query;
using db::TableName;
using player::Amount;
using Purenum::Integer;

// Runs `unit` in one write unit and returns what it decided; a unit that
// refuses has written nothing, so it commits all the same.
Outcome Decide(const std::function<Outcome()>& unit) {
  Outcome outcome = Outcome::kNoCharacter;
  db::RunWriteUnit([&] {
    outcome = unit();
    return true;
  });
  return outcome;
}

// The row's columns, or an empty table when the character is gone.
db::ResultTable Row(const std::string& user_name, const char* columns) {
  return Query(kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", columns, TableName(kPlayer),
               user_name.c_str());
}

}  // namespace

Outcome SpendGoodDeed(const std::string& user_name, const char* boon) {
  return Decide([&] {
    db::ResultTable row = Row(user_name, "GoodDeeds");
    if (row.empty()) return Outcome::kNoCharacter;
    const long long deeds = row.Int(0, 0);
    if (deeds <= 0) return Outcome::kNoDeeds;
    Exec(kPlayer, "UPDATE %s SET %s%sGoodDeeds=%lld WHERE UserName=%Q", TableName(kPlayer),
         boon ? boon : "", boon ? "," : "", deeds - 1, user_name.c_str());
    return Outcome::kDone;
  });
}

Outcome GiveGold(const std::string& user_name, const Integer& amount, const char* boon) {
  return Decide([&] {
    db::ResultTable row = Row(user_name, "GoodDeeds,Gold");
    if (row.empty()) return Outcome::kNoCharacter;
    const long long deeds = row.Int(0, 0);
    if (deeds <= 0) return Outcome::kNoDeeds;
    const Integer gold = Amount(row.Text(0, 1));
    if (amount <= 0 || amount > gold) return Outcome::kRefused;
    Exec(kPlayer, "UPDATE %s SET Gold=%Q,%s,GoodDeeds=%lld WHERE UserName=%Q", TableName(kPlayer),
         (gold - amount).str().c_str(), boon, deeds - 1, user_name.c_str());
    return Outcome::kDone;
  });
}

Outcome Sin(const std::string& user_name, int deeds, int favour, const Integer& loot) {
  return Decide([&] {
    db::ResultTable row = Row(user_name, "EvilDeeds,Gold");
    if (row.empty()) return Outcome::kNoCharacter;
    const long long left = row.Int(0, 0);
    if (left < deeds) return Outcome::kNoDeeds;
    // A debt stays a debt: the loot is added to what is stored.
    const Integer gold = Amount(row.Text(0, 1)) + loot;
    Exec(kPlayer, "UPDATE %s SET EvilDeeds=%lld,Gold=%Q,Divine=Divine-%d WHERE UserName=%Q",
         TableName(kPlayer), left - deeds, gold.str().c_str(), favour, user_name.c_str());
    return Outcome::kDone;
  });
}

Outcome BuyPotions(const std::string& user_name, long long count) {
  return Decide([&] {
    db::ResultTable row = Row(user_name, "Potions,Gold");
    if (row.empty()) return Outcome::kNoCharacter;
    const long long potions = row.Int(0, 0);
    const Integer gold = Amount(row.Text(0, 1));
    if (count <= 0 || count > PotionsPurchasable(gold, potions)) return Outcome::kRefused;
    Exec(kPlayer, "UPDATE %s SET Gold=%Q,Potions=%lld WHERE UserName=%Q", TableName(kPlayer),
         (gold - Integer(count) * kPotionPrice).str().c_str(), potions + count, user_name.c_str());
    return Outcome::kDone;
  });
}

Outcome PayForCure(const std::string& user_name, const Integer& price) {
  return Decide([&] {
    db::ResultTable row = Row(user_name, "Disease,Gold");
    if (row.empty()) return Outcome::kNoCharacter;
    if (!Diseased(row.Text(0, 0))) return Outcome::kDone;
    const Integer gold = Amount(row.Text(0, 1));
    if (gold < price) return Outcome::kRefused;
    Exec(kPlayer, "UPDATE %s SET Gold=%Q,Disease=%Q WHERE UserName=%Q", TableName(kPlayer),
         (gold - price).str().c_str(), kHealthy, user_name.c_str());
    return Outcome::kDone;
  });
}

Outcome TakeInnRoom(const std::string& user_name, const InnGuard& guard, int count) {
  return Decide([&] {
    db::ResultTable row = Row(user_name, "Inn");
    if (row.empty()) return Outcome::kNoCharacter;
    if (*row.Text(0, 0) != '\0') return Outcome::kAlready;
    switch (player::TakeGold(user_name, GuardsPrice(guard, count)).outcome) {
      case player::GoldOutcome::kMoved:
        break;
      case player::GoldOutcome::kNotEnough:
        return Outcome::kRefused;
      case player::GoldOutcome::kNoCharacter:
        return Outcome::kNoCharacter;
    }
    const char inn[2] = {guard.key, '\0'};
    Exec(kPlayer, "UPDATE %s SET Inn=%Q,BodyGuards=%d WHERE UserName=%Q", TableName(kPlayer), inn,
         count, user_name.c_str());
    return Outcome::kDone;
  });
}

Outcome SettleWager(const std::string& user_name, const Integer& stake, int draw) {
  return Decide([&] {
    const std::optional<Integer> gold = player::ReadPurse(user_name, player::Purse::kOnHand);
    if (!gold) return Outcome::kNoCharacter;
    if (stake < 0 || stake > *gold) return Outcome::kRefused;
    player::WritePurse(user_name, player::Purse::kOnHand, *gold + WagerChange(stake, draw));
    return Outcome::kDone;
  });
}

namespace {

db::ResultTable MarriageRow(const std::string& player_name) {
  return Query(db::kMarriage,
               "SELECT Partner1,Partner2,Partner1UserName,Partner2UserName FROM %s "
               "WHERE Partner1=%Q OR Partner2=%Q LIMIT 1",
               TableName(db::kMarriage), player_name.c_str(), player_name.c_str());
}

Couple CoupleOf(const db::ResultTable& row) {
  return {row.Text(0, 0), row.Text(0, 1), row.Text(0, 2), row.Text(0, 3)};
}

// A stored value for %Q: NULL stays NULL, so `IS` matches it.
const char* Stored(const db::ResultTable& row, int column) {
  return row.IsNull(0, column) ? nullptr : row.Text(0, column);
}

}  // namespace

std::optional<Couple> MarriageOf(const std::string& player_name) {
  if (player_name.empty()) return std::nullopt;
  db::ResultTable row = MarriageRow(player_name);
  if (row.empty()) return std::nullopt;
  return CoupleOf(row);
}

std::optional<Couple> Divorce(const std::string& player_name) {
  std::optional<Couple> couple;
  if (player_name.empty()) return couple;
  db::RunWriteUnit([&] {
    db::ResultTable row = MarriageRow(player_name);
    if (row.empty()) return true;
    couple = CoupleOf(row);
    Exec(db::kMarriage,
         "DELETE FROM %s WHERE Partner1 IS %Q AND Partner2 IS %Q AND Partner1UserName IS %Q AND "
         "Partner2UserName IS %Q",
         TableName(db::kMarriage), Stored(row, 0), Stored(row, 1), Stored(row, 2), Stored(row, 3));
    return true;
  });
  return couple;
}

}  // namespace trv::economy
