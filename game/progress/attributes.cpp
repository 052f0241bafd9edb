#include "game/progress/attributes.h"

#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/money/money.h"

namespace trv::progress {
namespace {

// What each line says before the value.
constexpr const char* kLabels[kAttributeCount] = {
    "\n\n\r`dark green`Max hitpoints are now ",
    "\n\r`dark green`Strength is now ",
    "\n\r`dark green`Defense is now ",
    "\n\r`dark green`Agility is now ",
    "\n\r`dark green`Stamina is now ",
    "\n\r`dark green`Magic Points are now ",
    "\n\r`dark green`Charm is now ",
    "\n\r`dark green`Intellect is now ",
    "\n\r`dark green`Mental is now ",
    "\n\n\r`dark green`Leadership is now ",
};

}  // namespace

void AddAttributes(const std::string& user, const Attributes& g) {
  db::Exec(db::kPlayer,
           "UPDATE %s SET MaxHP=MaxHP+%lld,Strength=Strength+%lld,Defense=Defense+%lld,"
           "Agility=Agility+%lld,Stamina=Stamina+%lld,MaxMagicPower=MaxMagicPower+%lld,"
           "Charm=Charm+%lld,Intellect=Intellect+%lld,Mental=Mental+%lld,"
           "Leadership=Leadership+%lld WHERE UserName=%Q",
           db::TableName(db::kPlayer), g[0], g[1], g[2], g[3], g[4], g[5], g[6], g[7], g[8], g[9],
           user.c_str());
}

Attributes ReadAttributes(const std::string& user) {
  const db::ResultTable row = db::Query(
      db::kPlayer,
      "SELECT MaxHP,Strength,Defense,Agility,Stamina,MaxMagicPower,Charm,Intellect,Mental,"
      "Leadership FROM %s WHERE UserName=%Q",
      db::TableName(db::kPlayer), user.c_str());
  Attributes values{};
  for (int i = 0; i < kAttributeCount; ++i) values[i] = row.Int(0, i);
  return values;
}

std::string AttributeLines(const Attributes& now, const Attributes& gains) {
  std::string lines;
  for (int i = 0; i < kAttributeCount; ++i) {
    lines += kLabels[i];
    lines += "`bright cyan`" + AddCommas(std::to_string(now[i])) + " `grey`{+" +
             std::to_string(gains[i]) + "}";
  }
  return lines;
}

}  // namespace trv::progress
