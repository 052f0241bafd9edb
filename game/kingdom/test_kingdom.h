// What the in-process tests of the court and the war share: the caller "me"
// in a scratch game directory with every table, and the rows they set up,
// change and read.
#ifndef TRV_GAME_KINGDOM_TEST_KINGDOM_H_
#define TRV_GAME_KINGDOM_TEST_KINGDOM_H_

#include <gtest/gtest.h>

#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "tests/support/in_process.h"
#include "tests/support/test_node.h"

namespace trv::kingdom {

class KingdomTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    BeCaller("me");
    for (int table = 0; table < db::kTableCount; ++table)
      db::Exec(db::kNoTable, "%s", db::CreationStatement(table));
  }

  static void AddPlayer(const char* user, const char* name, const char* kingdom,
                        const std::string& more = "") {
    test::Character c(user, name);
    c.kingdom = kingdom;
    c.more = more;
    test::AddCharacter(c);
  }
  static void Set(const char* table_and_change) {
    db::Exec(db::kNoTable, "UPDATE %s", table_and_change);
  }
  static std::string Kingdom(const char* column, const char* name) {
    return db::Query(db::kKingdom, "SELECT %s FROM %s WHERE Name=%Q", column,
                     db::TableName(db::kKingdom), name)
        .Text(0, 0);
  }
  static std::string Player(const char* column, const char* user = "me") {
    return db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", column,
                     db::TableName(db::kPlayer), user)
        .Text(0, 0);
  }
  static long long Count(int table, const char* where) {
    return db::Query(table, "SELECT COUNT(*) FROM %s WHERE %s", db::TableName(table), where)
        .Int(0, 0);
  }
};

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_TEST_KINGDOM_H_
