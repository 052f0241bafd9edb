// Read-compute-write units: no lost update between nodes, and no partial
// unit left behind.
#include "game/db/transaction.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/money/Integer.h"
#include "tests/support/in_process.h"

namespace trv::db {
namespace {

using test::Signal;
using test::SpawnNode;
using test::WaitNode;

class WriteUnitTest : public test::DbTest {
 protected:
  void SetUp() override {
    test::DbTest::SetUp();
    Exec(kPlayer, "INSERT INTO %s (UserName,Gold) VALUES (%Q,%Q)", "player", "Bob",
         "99999999999999999999");
  }
  static std::string Gold() {
    return Query(kPlayer, "SELECT Gold FROM %s WHERE UserName=%Q", "player", "Bob").Text(0, 0);
  }
  // Adds to Bob's gold the way a money screen does: read, compute, write.
  static bool AddGold(long amount) {
    return RunWriteUnit([amount] {
      Purenum::Integer gold(Gold());
      gold += amount;
      Exec(kPlayer, "UPDATE %s SET Gold=%Q WHERE UserName=%Q", "player", gold.str().c_str(), "Bob");
      return true;
    });
  }
};

TEST_F(WriteUnitTest, NodesAddingAtOnceLoseNoUpdate) {
  constexpr int kNodes = 4;
  constexpr int kAdds = 200;
  Signal go;
  std::vector<pid_t> nodes;
  for (int i = 0; i < kNodes; ++i) {
    nodes.push_back(SpawnNode([&] {
      Open();
      if (!go.Wait(10000)) return 2;
      for (int n = 0; n < kAdds; ++n) AddGold(1);
      return 0;
    }));
  }
  go.Raise(kNodes);
  for (pid_t node : nodes) EXPECT_EQ(0, WaitNode(node, 120000));
  EXPECT_EQ("100000000000000000799", Gold());
}

TEST_F(WriteUnitTest, UnitThatDeclinesOrThrowsLeavesNothing) {
  EXPECT_FALSE(RunWriteUnit([] {
    Exec(kPlayer, "UPDATE %s SET Gold='0'", "player");
    return false;
  }));
  EXPECT_EQ("99999999999999999999", Gold());

  EXPECT_THROW(RunWriteUnit([]() -> bool {
                 Exec(kPlayer, "UPDATE %s SET Gold='0'", "player");
                 Purenum::Integer broken("12x");  // a corrupt gold text throws
                 return true;
               }),
               Purenum::Integer::exception);
  EXPECT_EQ("99999999999999999999", Gold());
  EXPECT_TRUE(sqlite3_get_autocommit(Handle()));
}

TEST_F(WriteUnitTest, UnitInsideTheCallersTransactionCommitsWithIt) {
  Exec(kNoTable, "BEGIN TRANSACTION");
  EXPECT_EQ("99999999999999999999", Gold());  // the caller has read
  EXPECT_TRUE(AddGold(1));
  // Declining undoes this unit only.
  EXPECT_FALSE(RunWriteUnit([] {
    Exec(kPlayer, "UPDATE %s SET Gold='0'", "player");
    return false;
  }));
  EXPECT_FALSE(sqlite3_get_autocommit(Handle()));
  Exec(kNoTable, "COMMIT TRANSACTION");
  EXPECT_EQ("100000000000000000000", Gold());
}

TEST_F(WriteUnitTest, UnitWaitsForAnotherNodesWriteLock) {
  Signal locked;
  pid_t other = SpawnNode([&] {
    Exec(kNoTable, "BEGIN IMMEDIATE");
    Exec(kPlayer, "UPDATE %s SET Gold='5' WHERE UserName=%Q", "player", "Bob");
    locked.Raise();
    usleep(1500 * 1000);
    Exec(kNoTable, "COMMIT");
    return 0;
  });
  ASSERT_TRUE(locked.Wait(10000));
  // The unit reads only after the other node's write is in.
  EXPECT_TRUE(AddGold(1));
  EXPECT_EQ(0, WaitNode(other, 20000));
  EXPECT_EQ("6", Gold());
}

}  // namespace
}  // namespace trv::db
