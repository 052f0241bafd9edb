#include "game/maint/player_reset.h"

#include <map>
#include <optional>
#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/maint/high_lord.h"
#include "game/maint/pause_point.h"
#include "game/maint/returns.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/player/gold.h"
#include "game/player/high_lord.h"
#include "game/player/investments.h"
#include "game/ui/ui.h"

namespace trv::maint {
namespace {

using db::Exec;
using db::Query;
using db::ResultTable;
using db::TableName;
using player::Amount;
using player::NonNegativeAmount;
using Purenum::Integer;

// A kingdom's side of the merchant tax. The treasury is added to in memory
// and written once after the loop: the run holds the write lock, so no
// other node can change it in between.
struct KingdomPurse {
  std::string ruler_user;
  std::string ruler;
  int merchant_tax = 0;
  Integer treasury;
  bool touched = false;
};

std::map<std::string, KingdomPurse> LoadPurses() {
  std::map<std::string, KingdomPurse> purses;
  ResultTable rows =
      Query(db::kKingdom, "SELECT Name,RulerUserName,MerchantTax,Ruler,Treasury FROM %s",
            TableName(db::kKingdom));
  for (int r = 0; r < rows.rows(); ++r) {
    KingdomPurse purse;
    purse.ruler_user = rows.Text(r, 1);
    purse.merchant_tax = static_cast<int>(rows.Int(r, 2));
    purse.ruler = rows.Text(r, 3);
    purse.treasury = Amount(rows.Text(r, 4));
    purses.emplace(rows.Text(r, 0), std::move(purse));  // the first of a name, as a lookup finds
  }
  return purses;
}

void SavePurses(const std::map<std::string, KingdomPurse>& purses) {
  for (const auto& [name, purse] : purses) {
    if (!purse.touched) continue;
    Exec(db::kKingdom, "UPDATE %s SET Treasury=%Q WHERE Name=%Q", TableName(db::kKingdom),
         purse.treasury.str().c_str(), name.c_str());
  }
}

// Allowances, quests, attribute floors and healing, for every finished
// character at once.
void ResetEveryone() {
  for (int table : {db::kSuicide, db::kNode, db::kChat})
    Exec(table, "DROP TABLE IF EXISTS %s", TableName(table));
  db::InsertConfigDefaults();
  ResultTable config =
      Query(db::kConfig, "SELECT MonsterFights,PlayerFights,GoodDeeds,EvilDeeds FROM %s",
            TableName(db::kConfig));
  Exec(db::kPlayer,
       "UPDATE %s SET Status=0,WhereInGame='',MonsterFights=%d,PlayerFights=%d,GoodDeeds=%d,"
       "EvilDeeds=%d WHERE Kingdom IS NOT NULL",
       TableName(db::kPlayer), static_cast<int>(config.Int(0, 0)),
       static_cast<int>(config.Int(0, 1)), static_cast<int>(config.Int(0, 2)),
       static_cast<int>(config.Int(0, 3)));
  Exec(db::kQuest, "UPDATE %s SET Today=0", TableName(db::kQuest));
  for (const char* column : {"MaxHP", "Strength", "Defense", "Agility", "MaxMagicPower"})
    Exec(db::kPlayer,
         "UPDATE %s SET %s=1 WHERE Kingdom IS NOT NULL AND IFNULL(CAST(%s AS INTEGER),0)<=0",
         TableName(db::kPlayer), column, column);
  Exec(db::kPlayer, "UPDATE %s SET HP=MaxHP,MagicPower=MaxMagicPower WHERE Kingdom IS NOT NULL",
       TableName(db::kPlayer));
}

// The returns of the legal or of the illegal kinds a character holds.
Integer SumReturns(const ResultTable& rows, int r, bool legal) {
  Integer sum;
  for (const player::Investment& kind : player::kInvestments) {
    if (kind.legal != legal) continue;
    const char* held = rows.Text(r, kind.column);
    if (*held != '\0') sum += InvestmentReturn(kind, Amount(held));
  }
  return sum;
}

std::string Dollars(const Integer& amount) { return "$" + AddCommas(amount.str()); }

void PayHighLord(int id, const char* user, const char* name, const char* gold_text) {
  AnnounceHighLord(name);
  AddPersonal(user, "`grey`-==[HIGH LORD REWARD]=-",
              "`bright cyan`For being thy Tarvessia High Lord:",
              "You earned $500,000 and 20 high experience pts!");
  Integer gold = NonNegativeAmount(gold_text) + 500000;
  Exec(db::kPlayer, "UPDATE %s SET Gold=%Q,ProfExp=ProfExp+20 WHERE IDNum=%d",
       TableName(db::kPlayer), gold.str().c_str(), id);
}

// One character's money for the day; rows come from the loop's query.
void PayCharacter(const ResultTable& rows, int r, const std::optional<player::HighLordRecord>& lord,
                  std::map<std::string, KingdomPurse>* purses) {
  // Updates go by IDNum: the rows have no index on UserName, and a lookup
  // by name per character would read the whole table each time.
  const int id = static_cast<int>(rows.Int(r, "IDNum"));
  const char* name = rows.Text(r, "PlayerName");
  const char* user = rows.Text(r, "UserName");

  if (lord && lord->player_name == name) PayHighLord(id, user, name, rows.Text(r, "Gold"));

  Integer bank = NonNegativeAmount(rows.Text(r, "BankGold"));
  Integer interest = BankInterest(bank);
  bank += interest;
  AddPersonal(user, "`bright cyan`BANK INTEREST",
              ("Bank interest earned off 2%: " + Dollars(interest)).c_str(), "");

  const Integer legal = SumReturns(rows, r, true);
  Integer tax;
  auto kingdom = purses->find(rows.Text(r, "Kingdom"));
  if (kingdom == purses->end()) {
    bank += legal;
  } else {
    KingdomPurse& purse = kingdom->second;
    if (!purse.ruler_user.empty() && purse.ruler_user == user) {
      Exec(db::kPlayer, "UPDATE %s SET ProfExp=ProfExp+8 WHERE IDNum=%d", TableName(db::kPlayer),
           id);
      AddPersonal(user, "`bright red`RULER - HIGH EXPERIENCE BONUS",
                  "`bright cyan`For being a ruler, you gain 8 pts of profession experience!", "");
      bank += legal;
    } else {
      MerchantSplit split = SplitMerchantTax(legal, purse.merchant_tax);
      tax = split.tax;
      bank += split.kept;
    }
    purse.treasury += tax;
    purse.touched = true;
    if (purse.ruler != name && tax > 0 && !purse.ruler_user.empty())
      AddPersonal(purse.ruler_user.c_str(), "`bright cyan`MERCHANT TAX RECEIVED",
                  (CleanText(name) + " paid " + Dollars(tax) + " in merchant taxes..").c_str(), "");
  }
  AddPersonal(user, "`bright cyan`LEGAL INVESTMENT RETURNS/TAXES",
              ("You earned: " + Dollars(legal)).c_str(),
              ("You paid in merchant taxes: " + Dollars(tax)).c_str());

  const Integer illegal = SumReturns(rows, r, false);
  bank += illegal;
  AddPersonal(user, "`bright cyan`ILLEGAL INVESTMENT RETURNS",
              ("`bright cyan`You earned: " + Dollars(illegal)).c_str(), "");
  Exec(db::kPlayer, "UPDATE %s SET BankGold=%Q WHERE IDNum=%d", TableName(db::kPlayer),
       bank.str().c_str(), id);
}

}  // namespace

void ResetPlayerDay() {
  ResetEveryone();
  const std::optional<player::HighLordRecord> lord = player::ReadHighLord();
  std::map<std::string, KingdomPurse> purses = LoadPurses();
  ResultTable rows = Query(db::kPlayer,
                           "SELECT IDNum,PlayerName,UserName,BankGold,Gold,HouseTrade,WaterTower,"
                           "OreMine,Granary,DrugTrade,FleshTrade,Smuggling,Kingdom FROM %s "
                           "WHERE Kingdom IS NOT NULL ORDER BY Level",
                           TableName(db::kPlayer));
  for (int r = 0; r < rows.rows(); ++r) {
    PayCharacter(rows, r, lord, &purses);
    if (r == 0) PausePoint("players");
  }
  SavePurses(purses);
}

}  // namespace trv::maint
