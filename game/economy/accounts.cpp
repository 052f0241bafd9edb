#include "game/economy/accounts.h"

#include <ctype.h>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"

namespace trv::economy {

using player::GoldMove;
using player::GoldOutcome;
using player::Investment;
using player::kInvestmentKinds;
using player::kInvestments;
using Purenum::Integer;

Integer AmountToMove(const Integer& typed, const Integer& held) {
  if (typed != 1) return typed;
  return held < 0 ? Integer(0) : held;
}

Integer AffordableUnits(const Integer& gold, const char* price) {
  if (gold <= 0) return 0;
  return gold / Integer(price);
}

const Investment* InvestmentByKey(char key) {
  for (const Investment& kind : kInvestments)
    if (kind.merchant_key == toupper(static_cast<unsigned char>(key))) return &kind;
  return nullptr;
}

std::optional<Integer> ReadHolding(const std::string& user_name, const Investment& kind) {
  db::ResultTable row = db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", kind.column,
                                  db::TableName(db::kPlayer), user_name.c_str());
  if (row.empty()) return std::nullopt;
  return player::Amount(row.Text(0, 0));
}

void WriteHolding(const std::string& user_name, const Investment& kind, const Integer& count) {
  db::Exec(db::kPlayer, "UPDATE %s SET %s=%Q WHERE UserName=%Q", db::TableName(db::kPlayer),
           kind.column, count.str().c_str(), user_name.c_str());
}

const Integer& Holdings::of(const Investment& kind) const { return count[&kind - kInvestments]; }

std::optional<Holdings> ReadHoldings(const std::string& user_name) {
  std::string columns;
  for (const Investment& kind : kInvestments)
    columns += std::string(columns.empty() ? "" : ",") + kind.column;
  db::ResultTable row = db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q",
                                  columns.c_str(), db::TableName(db::kPlayer), user_name.c_str());
  if (row.empty()) return std::nullopt;
  Holdings holdings;
  for (size_t i = 0; i < kInvestmentKinds; ++i)
    holdings.count[i] = player::Amount(row.Text(0, static_cast<int>(i)));
  return holdings;
}

GoldMove MoveBetweenPurses(const std::string& user_name, Purse from, Purse to,
                           const Integer& typed) {
  GoldMove result;
  db::RunWriteUnit([&] {
    std::optional<Integer> held = player::ReadPurse(user_name, from);
    if (!held) return false;
    result = player::MoveGold(user_name, from, user_name, to, AmountToMove(typed, *held));
    return static_cast<bool>(result);
  });
  return result;
}

TransferOutcome TransferGold(const std::string& sender, const std::string& receiver_id,
                             const std::string& receiver_user, const Integer& amount) {
  TransferOutcome outcome = TransferOutcome::kNoSender;
  db::RunWriteUnit([&] {
    // The ID must still be the character chosen: a deleted one's number may
    // have gone to someone else since.
    db::ResultTable receiver =
        db::Query(db::kPlayer, "SELECT UserName FROM %s WHERE IDNum=%Q AND Kingdom IS NOT NULL",
                  db::TableName(db::kPlayer), receiver_id.c_str());
    if (receiver.empty() || receiver_user != receiver.Text(0, 0)) {
      outcome = TransferOutcome::kNoReceiver;
      return false;
    }
    GoldMove move = player::MoveGold(sender, Purse::kBank, receiver_user, Purse::kBank, amount);
    switch (move.outcome) {
      case GoldOutcome::kMoved:
        outcome = TransferOutcome::kTransferred;
        return true;
      case GoldOutcome::kNotEnough:
        outcome = TransferOutcome::kNotEnough;
        return false;
      case GoldOutcome::kNoCharacter:
        break;
    }
    outcome = TransferOutcome::kNoSender;
    return false;
  });
  return outcome;
}

TradeOutcome BuyUnits(const std::string& user_name, const Investment& kind, const Integer& units) {
  TradeOutcome outcome = TradeOutcome::kNoCharacter;
  db::RunWriteUnit([&] {
    std::optional<Integer> owned = ReadHolding(user_name, kind);
    if (!owned) return false;
    GoldMove paid = player::TakeGold(user_name, units * Integer(kind.build_price));
    if (!paid) {
      outcome = paid.outcome == GoldOutcome::kNotEnough ? TradeOutcome::kRefused
                                                        : TradeOutcome::kNoCharacter;
      return false;
    }
    WriteHolding(user_name, kind, *owned + units);
    outcome = TradeOutcome::kDone;
    return true;
  });
  return outcome;
}

TradeOutcome SellUnits(const std::string& user_name, const Investment& kind, const Integer& units) {
  TradeOutcome outcome = TradeOutcome::kRefused;
  if (kind.sale_price == nullptr || units < 0) return outcome;
  db::RunWriteUnit([&] {
    std::optional<Integer> owned = ReadHolding(user_name, kind);
    if (!owned) {
      outcome = TradeOutcome::kNoCharacter;
      return false;
    }
    if (units > *owned) return false;
    WriteHolding(user_name, kind, *owned - units);
    player::AddGold(user_name, units * Integer(kind.sale_price));
    outcome = TradeOutcome::kDone;
    return true;
  });
  return outcome;
}

bool SpendEvilDeeds(const std::string& user_name, int deeds) {
  return db::RunWriteUnit([&] {
    db::ResultTable row = db::Query(db::kPlayer, "SELECT EvilDeeds FROM %s WHERE UserName=%Q",
                                    db::TableName(db::kPlayer), user_name.c_str());
    if (row.empty() || row.Int(0, 0) < deeds) return false;
    db::Exec(db::kPlayer,
             "UPDATE %s SET EvilDeeds=EvilDeeds-%d WHERE UserName=%Q AND EvilDeeds>=%d",
             db::TableName(db::kPlayer), deeds, user_name.c_str(), deeds);
    return true;
  });
}

}  // namespace trv::economy
