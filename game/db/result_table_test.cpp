// Reading results: empty results, SQL NULL and the raw layout of DoSQL.
#include "game/db/result_table.h"

#include <gtest/gtest.h>

#include "game/db/db.h"
#include "game/db/schema.h"
#include "tests/support/in_process.h"

namespace trv::db {
namespace {

using ResultTableTest = test::DbTest;

TEST_F(ResultTableTest, EmptyResultReadsAsNothingAnywhere) {
  ResultTable none = Query(kPlayer, "SELECT Gold FROM %s WHERE UserName=%Q", "player", "Nobody");
  EXPECT_TRUE(none.empty());
  EXPECT_FALSE(none.HasRow(0));
  ASSERT_NE(nullptr, none.Text(0, 0));
  EXPECT_STREQ("", none.Text(0, 0));
  EXPECT_STREQ("", none.Text(0, "Gold"));
  EXPECT_EQ(0, none.Int(0, 0));
  EXPECT_FALSE(none.IsNull(0, 0));
  // The raw table exists all the same and must be freed.
  EXPECT_NE(nullptr, none.get());
}

TEST_F(ResultTableTest, NullReadsAsEmptyTextAndZero) {
  Exec(kPlayer, "INSERT INTO %s (UserName,Kingdom,Level,Gold) VALUES (%Q,%Q,NULL,%Q)", "player",
       "Bob", nullptr, "123456789012345");
  ResultTable row =
      Query(kPlayer, "SELECT Kingdom,Level,Gold FROM %s WHERE UserName=%Q", "player", "Bob");
  ASSERT_EQ(1, row.rows());
  ASSERT_EQ(3, row.columns());
  EXPECT_TRUE(row.IsNull(0, 0));
  EXPECT_STREQ("", row.Text(0, "Kingdom"));
  EXPECT_EQ(0, row.Int(0, "Level"));
  EXPECT_FALSE(row.IsNull(0, 2));
  EXPECT_EQ(123456789012345LL, row.Int(0, "Gold"));
  EXPECT_STREQ("Gold", row.ColumnName(2));
  EXPECT_EQ(-1, row.ColumnIndex("Nope"));
  EXPECT_STREQ("", row.Text(0, "Nope"));
}

TEST_F(ResultTableTest, ReadsStopAtTheEdgesOfTheResult) {
  Exec(kNews, "INSERT INTO %s (day,Title) VALUES ('today','one'),('today','two')", "news");
  ResultTable rows = Query(kNews, "SELECT day,Title FROM %s ORDER BY Title", "news");
  ASSERT_EQ(2, rows.rows());
  EXPECT_STREQ("one", rows.Text(0, 1));
  EXPECT_STREQ("two", rows.Text(1, 1));
  EXPECT_STREQ("", rows.Text(2, 0));   // past the last row
  EXPECT_STREQ("", rows.Text(-1, 0));  // the header row is not data
  EXPECT_STREQ("", rows.Text(0, 2));
  EXPECT_STREQ("", rows.Text(0, -1));
}

TEST_F(ResultTableTest, RawTableKeepsTheRunnersLayout) {
  Exec(kPlayer, "INSERT INTO %s (UserName,Level) VALUES (%Q,7),(%Q,NULL)", "player", "A", "B");
  int rows = 0;
  int columns = 0;
  char** raw =
      DoSQL(kPlayer, sqlite3_mprintf("SELECT UserName,Level FROM %s ORDER BY UserName", "player"),
            &rows, &columns);
  ASSERT_EQ(2, rows);
  ASSERT_EQ(2, columns);
  // Data row r (from 1), column c: entry r * columns + c.
  EXPECT_STREQ("Level", raw[1]);
  EXPECT_STREQ("A", raw[columns]);
  EXPECT_STREQ("7", raw[columns + 1]);
  EXPECT_EQ(nullptr, raw[2 * columns + 1]);

  ResultTable owned(raw, rows, columns);
  ResultTable moved(std::move(owned));
  EXPECT_TRUE(owned.empty());
  EXPECT_STREQ("B", moved.Text(1, 0));
  EXPECT_TRUE(moved.IsNull(1, 1));
}

}  // namespace
}  // namespace trv::db
