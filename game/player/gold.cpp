#include "game/player/gold.h"

#include <ctype.h>

#include <optional>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"

namespace trv::player {
namespace {

using Purenum::Integer;

bool IsDecimal(const char* text) {
  if (text == nullptr) return false;
  if (*text == '-') ++text;
  if (*text == '\0') return false;
  for (; *text; ++text)
    if (!isdigit(static_cast<unsigned char>(*text))) return false;
  return true;
}

// How much a take may move; kNotEnough leaves *taken alone.
GoldOutcome Taking(const Integer& held, const Integer& amount, Shortfall shortfall,
                   Integer* taken) {
  if (amount < 0) return GoldOutcome::kNotEnough;
  if (held >= amount) {
    *taken = amount;
  } else if (shortfall == Shortfall::kRefuse) {
    return GoldOutcome::kNotEnough;
  } else {
    *taken = held < 0 ? Integer(0) : held;
  }
  return GoldOutcome::kMoved;
}

}  // namespace

Integer Amount(const char* text) { return IsDecimal(text) ? Integer(text) : Integer(0); }

Integer NonNegativeAmount(const char* text) {
  Integer value = Amount(text);
  return value < 0 ? Integer(0) : value;
}

std::optional<Integer> ReadPurse(const std::string& user_name, Purse purse) {
  db::ResultTable row =
      db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", PurseColumn(purse),
                db::TableName(db::kPlayer), user_name.c_str());
  if (row.empty()) return std::nullopt;
  return Amount(row.Text(0, 0));
}

void WritePurse(const std::string& user_name, Purse purse, const Integer& value) {
  db::Exec(db::kPlayer, "UPDATE %s SET %s=%Q WHERE UserName=%Q", db::TableName(db::kPlayer),
           PurseColumn(purse), value.str().c_str(), user_name.c_str());
}

const char* PurseColumn(Purse purse) {
  switch (purse) {
    case Purse::kBank:
      return "BankGold";
    case Purse::kDepository:
      return "Depository";
    case Purse::kOnHand:
      break;
  }
  return "Gold";
}

GoldMove AddGold(const std::string& user_name, const Integer& amount, Purse purse) {
  GoldMove result;
  if (amount < 0) {
    result.outcome = GoldOutcome::kNotEnough;
    return result;
  }
  db::RunWriteUnit([&] {
    std::optional<Integer> held = ReadPurse(user_name, purse);
    if (!held) return false;
    WritePurse(user_name, purse, *held + amount);
    result.outcome = GoldOutcome::kMoved;
    result.moved = amount;
    return true;
  });
  return result;
}

GoldMove TakeGold(const std::string& user_name, const Integer& amount, Purse purse,
                  Shortfall shortfall) {
  GoldMove result;
  db::RunWriteUnit([&] {
    std::optional<Integer> held = ReadPurse(user_name, purse);
    if (!held) return false;
    Integer taken;
    result.outcome = Taking(*held, amount, shortfall, &taken);
    if (result.outcome != GoldOutcome::kMoved) return false;
    WritePurse(user_name, purse, *held - taken);
    result.moved = taken;
    return true;
  });
  return result;
}

GoldMove MoveGold(const std::string& from_user, Purse from, const std::string& to_user, Purse to,
                  const Integer& amount, Shortfall shortfall) {
  GoldMove result;
  db::RunWriteUnit([&] {
    std::optional<Integer> held = ReadPurse(from_user, from);
    if (!held) return false;
    Integer taken;
    GoldOutcome outcome = Taking(*held, amount, shortfall, &taken);
    if (outcome != GoldOutcome::kMoved) {
      result.outcome = outcome;
      return false;
    }
    WritePurse(from_user, from, *held - taken);
    // Read after the write: the receiver may be the same purse.
    std::optional<Integer> receiver = ReadPurse(to_user, to);
    if (!receiver) return false;  // rolls the take back too
    WritePurse(to_user, to, *receiver + taken);
    result.outcome = GoldOutcome::kMoved;
    result.moved = taken;
    return true;
  });
  return result;
}

}  // namespace trv::player
