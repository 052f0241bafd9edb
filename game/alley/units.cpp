#include "game/alley/units.h"

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/economy/accounts.h"
#include "game/money/money.h"
#include "game/money/saturating.h"
#include "game/player/bounties.h"

namespace trv::alley {
namespace {

using db::Exec;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;
using player::Purse;
using Purenum::Integer;

// Columns of one character's row by user name; empty when he is gone.
ResultTable Row(const std::string& user_name, const char* columns) {
  return Query(kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", columns, TableName(kPlayer),
               user_name.c_str());
}

const player::Investment* InvestmentIn(const char* column) {
  for (const player::Investment& kind : player::kInvestments)
    if (std::string(kind.column) == column) return &kind;
  return nullptr;
}

}  // namespace

std::optional<Victim> VictimWithId(const std::string& id, bool online_only) {
  ResultTable row =
      Query(kPlayer, "SELECT UserName,PlayerName FROM %s WHERE IDNum=%Q AND Kingdom IS NOT NULL%s",
            TableName(kPlayer), id.c_str(), online_only ? " AND Status=1" : "");
  if (row.empty()) return std::nullopt;
  return Victim{id, row.Text(0, 0), row.Text(0, 1)};
}

std::optional<Wounds> Assassinate(const std::string& caller, const std::string& victim) {
  std::optional<Wounds> dealt;
  db::RunWriteUnit([&] {
    ResultTable row = Row(victim, "MaxHP,Strength,Defense,Mental,MaxMagicPower,Leadership");
    if (row.empty()) return false;
    const long long max_hp = row.Int(0, 0), strength = row.Int(0, 1), defense = row.Int(0, 2),
                    mental = row.Int(0, 3), magic = row.Int(0, 4), leadership = row.Int(0, 5);
    Wounds w;
    w.max_hp = AssassinationLoss(max_hp, true);
    w.strength = AssassinationLoss(strength, false);
    w.defense = AssassinationLoss(defense, false);
    w.mental = AssassinationLoss(mental, false);
    w.magic = AssassinationLoss(magic, false);
    w.leadership = AssassinationLoss(leadership, false);
    Exec(kPlayer,
         "UPDATE %s SET MaxHP=%lld,Strength=%lld,Defense=%lld,Mental=%lld,MaxMagicPower=%lld,"
         "Leadership=%lld WHERE UserName=%Q",
         TableName(kPlayer), SaturatingSub(max_hp, w.max_hp), SaturatingSub(strength, w.strength),
         SaturatingSub(defense, w.defense), SaturatingSub(mental, w.mental),
         SaturatingSub(magic, w.magic), SaturatingSub(leadership, w.leadership), victim.c_str());
    Exec(kPlayer, "UPDATE %s SET Divine=COALESCE(Divine,0)-15 WHERE UserName=%Q",
         TableName(kPlayer), caller.c_str());
    dealt = w;
    return true;
  });
  return dealt;
}

bool Infect(const std::string& victim) {
  return db::RunWriteUnit([&] {
    if (Row(victim, "IDNum").empty()) return false;
    Exec(kPlayer, "UPDATE %s SET Disease='Plague' WHERE UserName=%Q", TableName(kPlayer),
         victim.c_str());
    return true;
  });
}

std::optional<BlastLosses> BlowUpInvestments(const std::string& victim) {
  std::optional<BlastLosses> destroyed;
  db::RunWriteUnit([&] {
    BlastLosses losses;
    for (size_t i = 0; i < kBlastKinds; ++i) {
      const player::Investment* kind = InvestmentIn(kBlasts[i].column);
      std::optional<Integer> held = economy::ReadHolding(victim, *kind);
      if (!held) return false;
      losses[i] = PercentOfHolding(*held, kBlasts[i].percent);
      if (losses[i] != 0) economy::WriteHolding(victim, *kind, *held - losses[i]);
    }
    destroyed = losses;
    return true;
  });
  return destroyed;
}

std::optional<Integer> BurnBankAccount(const std::string& victim) {
  std::optional<Integer> burned;
  db::RunWriteUnit([&] {
    std::optional<Integer> account = player::ReadPurse(victim, Purse::kBank);
    if (!account) return false;
    burned = *account > 0 ? *account : Integer(0);
    if (*burned != 0) player::WritePurse(victim, Purse::kBank, 0);
    return true;
  });
  return burned;
}

player::GoldMove PickPurse(const std::string& thief, const std::string& victim) {
  player::GoldMove move;
  db::RunWriteUnit([&] {
    std::optional<Integer> pouch = player::ReadPurse(victim, Purse::kOnHand);
    if (!pouch) return false;
    move = player::MoveGold(victim, Purse::kOnHand, thief, Purse::kOnHand,
                            *pouch > 0 ? *pouch : Integer(0));
    return static_cast<bool>(move);
  });
  return move;
}

DemonOutcome ConjureDemon(const std::string& caller, const Victim& victim) {
  DemonOutcome outcome = DemonOutcome::kNoCaller;
  db::RunWriteUnit([&] {
    if (!Query(db::kDemon, "SELECT IDNum FROM %s WHERE UserName=%Q", TableName(db::kDemon),
               victim.user_name.c_str())
             .empty()) {
      outcome = DemonOutcome::kAlreadySummoned;
      return false;
    }
    if (Row(victim.user_name, "IDNum").empty()) {
      outcome = DemonOutcome::kNoVictim;
      return false;
    }
    ResultTable me = Row(caller, "EvilDeeds");
    if (me.empty()) return false;  // kNoCaller
    if (me.Int(0, 0) < 1) {
      outcome = DemonOutcome::kNoDeed;
      return false;
    }
    player::GoldMove paid = player::TakeGold(caller, Integer(kDemonPrice));
    if (!paid) {
      outcome = DemonOutcome::kNotEnoughGold;
      return false;
    }
    Exec(kPlayer, "UPDATE %s SET EvilDeeds=EvilDeeds-1 WHERE UserName=%Q", TableName(kPlayer),
         caller.c_str());
    Exec(db::kDemon, "INSERT INTO %s (UserName,SentByUserName) VALUES (%Q,%Q)",
         TableName(db::kDemon), victim.user_name.c_str(), caller.c_str());
    outcome = DemonOutcome::kConjured;
    return true;
  });
  return outcome;
}

BountyOutcome PostBounty(const std::string& caller, const Victim& victim, const Integer& amount,
                         std::string* wanted) {
  BountyOutcome outcome = BountyOutcome::kNoCaller;
  db::RunWriteUnit([&] {
    ResultTable target = Row(victim.user_name, "PlayerName");
    if (target.empty()) {
      outcome = BountyOutcome::kNoVictim;
      return false;
    }
    ResultTable me = Row(caller, "PlayerName");
    if (me.empty()) return false;
    player::GoldMove paid = player::TakeGold(caller, amount);
    if (!paid) {
      outcome = BountyOutcome::kNotEnoughGold;
      return false;
    }
    *wanted = target.Text(0, 0);
    player::PostBounty(*wanted, amount, me.Text(0, 0));
    outcome = BountyOutcome::kPosted;
    return true;
  });
  return outcome;
}

VicePurchase PayForVice(const std::string& user_name, const ViceShop& shop, const Vice& vice) {
  VicePurchase purchase;
  db::RunWriteUnit([&] {
    const std::string columns = std::string("EvilDeeds,Mental,") + shop.gain_column;
    ResultTable me = Row(user_name, columns.c_str());
    if (me.empty()) return false;
    if (me.Int(0, 0) < 1) {
      purchase.outcome = VicePurchase::kNoDeed;
      return false;
    }
    if (!player::TakeGold(user_name, Integer(vice.price))) {
      purchase.outcome = VicePurchase::kNotEnoughGold;
      return false;
    }
    purchase.mental = SaturatingAdd(me.Int(0, 1), vice.mental);
    Exec(kPlayer, "UPDATE %s SET Mental=%lld,%s=%lld,EvilDeeds=EvilDeeds-1 WHERE UserName=%Q",
         TableName(kPlayer), purchase.mental, shop.gain_column,
         SaturatingAdd(me.Int(0, 2), vice.gain), user_name.c_str());
    purchase.outcome = VicePurchase::kBought;
    return true;
  });
  return purchase;
}

bool Recruit(const std::string& user_name, long long recruits) {
  return db::RunWriteUnit([&] {
    if (!economy::SpendEvilDeeds(user_name, 1)) return false;
    Exec(kPlayer, "UPDATE %s SET Soldiers=COALESCE(Soldiers,0)+%lld WHERE UserName=%Q",
         TableName(kPlayer), recruits, user_name.c_str());
    return true;
  });
}

}  // namespace trv::alley
