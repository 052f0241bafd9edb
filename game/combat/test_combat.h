// What the in-process tests of the combat screens share: the caller "me"
// in a scratch game directory, data files the test writes, and the rows
// it reads and changes.
#ifndef TRV_GAME_COMBAT_TEST_COMBAT_H_
#define TRV_GAME_COMBAT_TEST_COMBAT_H_

#include <gtest/gtest.h>
#include <stdio.h>

#include <string>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "tests/support/in_process.h"

namespace trv::combat {

class CombatTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    BeCaller("me");
  }
  // A file of the game directory (Data/item.dat ...), written whole.
  static void Write(const char* path, const std::string& text) {
    FILE* f = fopen(path, "w");
    ASSERT_NE(nullptr, f);
    fputs(text.c_str(), f);
    fclose(f);
  }
  // An SQL assignment list on a character's row.
  static void Set(const std::string& assignments, const char* user = "me") {
    db::Exec(db::kPlayer, "UPDATE %s SET %s WHERE UserName=%Q", db::TableName(db::kPlayer),
             assignments.c_str(), user);
  }
  static std::string Player(const char* column, const char* user = "me") {
    return db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", column,
                     db::TableName(db::kPlayer), user)
        .Text(0, 0);
  }
  // Whether the caller was sent `text` since the last look.
  bool Saw(const std::string& text) { return Screen().find(text) != std::string::npos; }
};

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_TEST_COMBAT_H_
