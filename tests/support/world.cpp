#include "tests/support/world.h"

#include <sqlite3.h>

#include <utility>
#include <vector>

#include "game/db/schema.h"

namespace trv::test {
namespace {

// sqlite3_mprintf with its quoting, as a string.
template <typename... Args>
std::string Sql(const char* format, Args... args) {
  char* text = sqlite3_mprintf(format, args...);
  std::string sql = text ? text : "";
  sqlite3_free(text);
  return sql;
}

// Column names and SQL values of one row.
class Row {
 public:
  Row& Text(const char* column, const std::string& value) {
    return Raw(column, Sql("%Q", value.c_str()));
  }
  Row& Number(const char* column, long long value) { return Raw(column, std::to_string(value)); }
  Row& Raw(const char* column, const std::string& sql) {
    values_.emplace_back(column, sql);
    return *this;
  }
  std::string Insert(const char* table) const {
    std::string columns, values;
    for (const auto& [column, value] : values_) {
      columns += (columns.empty() ? "" : ",") + column;
      values += (values.empty() ? "" : ",") + value;
    }
    return std::string(";INSERT INTO ") + table + " (" + columns + ") VALUES (" + values + ")";
  }

 private:
  std::vector<std::pair<std::string, std::string>> values_;
};

}  // namespace

std::string InsertStatements(const Character& c) {
  Row row;
  if (c.id > 0) row.Number("IDNum", c.id);
  row.Text("UserName", c.user_name).Text("PlayerName", c.player_name);
  if (c.kingdom)
    row.Text("Kingdom", *c.kingdom);
  else
    row.Raw("Kingdom", "NULL");
  row.Text("Gender", c.gender)
      .Text("FirstRace", "Human")
      .Text("SecondRace", "Human")
      .Text("FirstClass", "Gladiator")
      .Text("SecondClass", "Gladiator")
      .Text("Guild", "Warrior")
      .Text("Disease", "Your healthy!")
      .Text("Inn", "")
      .Number("BodyGuards", 0)
      .Number("GoodDeeds", 3)
      .Number("EvilDeeds", c.evil_deeds)
      .Number("ProfLevel", 1)
      .Number("Potions", 300)
      .Number("MonsterFights", 17)
      .Number("PlayerFights", 3)
      .Number("PlayerKills", 0)
      .Number("PlayerDefeats", 0)
      .Number("ProfExp", 1)
      .Number("Level", c.level)
      .Number("Experience", 1)
      // Human and Human, Gladiator and Gladiator.
      .Number("Agility", 52)
      .Number("Mental", 51)
      .Number("Divine", 30)
      .Number("Charm", 1)
      .Number("Intellect", 30)
      .Number("Leadership", 50)
      .Number("Stamina", 45)
      .Number("Strength", 17)
      .Number("Defense", 23)
      .Number("PoisonLevel", 0)
      .Number("HP", c.hp)
      .Number("MaxHP", c.max_hp)
      .Number("MagicPower", 4)
      .Number("MaxMagicPower", 4);
  for (const char* holding :
       {"Smuggling", "DrugTrade", "FleshTrade", "HouseTrade", "WaterTower", "OreMine", "Granary"})
    row.Text(holding, "0");
  for (const char* army : {"Soldiers", "DragonRiders", "Kannons", "Katapults", "EquipmentRating"})
    row.Number(army, 0);
  row.Text("Gold", c.gold).Text("BankGold", c.bank_gold).Text("Depository", "0");
  static const char* const kSlots[] = {
      "Magic1",  "Magic2",  "Magic3",  "Magic4",  "Equip1",  "Equip2",  "Equip3",
      "Equip4",  "Equip5",  "Equip6",  "Equip7",  "Equip8",  "Equip9",  "Equip10",
      "Equip11", "Equip12", "Equip13", "Equip14", "Equip15", "Equip16", "Equip17",
      "Equip18", "Equip19", "Equip20", "Equip21", "Equip22", "Equip23", "Equip24",
      "Equip25", "Equip26", "Equip27", "Equip28", "Equip29", "Equip30"};
  for (const char* slot : kSlots) row.Text(slot, "");
  row.Number("Status", c.status).Text("WhereInGame", c.where);

  std::string sql = db::CreationStatement(db::kPlayer) + row.Insert("player");
  if (!c.more.empty())
    sql += Sql(";UPDATE player SET %s WHERE IDNum=last_insert_rowid()", c.more.c_str());
  return sql;
}

std::string InsertStatements(const Kingdom& k) {
  Row row;
  row.Number("IDNum", k.slot)
      .Text("Name", k.name)
      .Text("Ruler", k.ruler)
      .Text("RulerUserName", k.ruler_user);
  for (const char* post : {"Prince", "Princess", "Baron", "Royal"})
    row.Text(post, "").Text((std::string(post) + "UserName").c_str(), "");
  row.Number("SerfSupport", 75)
      .Number("TaxRate", k.tax_rate)
      .Number("MerchantTax", k.merchant_tax)
      .Number("CrimePrevention", 1)
      .Number("BorderGuardRating", k.border_guard_rating)
      .Number("EquipmentRating", 30)
      .Number("Training", 0)
      .Number("DragonRiders", 0)
      .Number("Katapults", 10)
      .Number("Cannons", 5)
      .Number("MagicTowers", 0)
      .Number("Soldiers", k.soldiers)
      .Number("Serfs", k.serfs)
      .Number("Land", k.land);
  std::vector<std::string> diplomacy;  // the columns outlive the row
  for (int slot = 1; slot <= 5; ++slot) {
    const std::string n = std::to_string(slot);
    for (const std::string& column :
         {"DipName" + n, "Dip" + n + "War", "Dip" + n + "Peace", "Dip" + n + "Trade"})
      diplomacy.push_back(column);
  }
  for (size_t i = 0; i < diplomacy.size(); ++i) {
    if (i % 4 == 0)
      row.Text(diplomacy[i].c_str(), "");
    else
      row.Number(diplomacy[i].c_str(), 0);
  }
  row.Text("Treasury", k.treasury).Text("HoldTaxes", "0");

  std::string sql = db::CreationStatement(db::kKingdom) + row.Insert("kingdom");
  if (!k.more.empty()) sql += Sql(";UPDATE kingdom SET %s WHERE IDNum=%d", k.more.c_str(), k.slot);
  return sql;
}

}  // namespace trv::test
