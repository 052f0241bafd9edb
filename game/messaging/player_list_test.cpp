// The player lists: row layout and paging, telegram writing, the entry
// list and personal-message writing.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/messaging/test_nodes.h"

namespace trv::messaging::testing {
namespace {

using db::Query;
using db::TableName;

class PlayerListTest : public MessagingTest {
 protected:
  void SetUp() override {
    MessagingTest::SetUp();
    AddPlayer("me", "Wanderer", 1, "Main Street");  // IDNum 1
  }
  static db::ResultTable Telegrams() {
    return Query(db::kNode,
                 "SELECT SentTo,Line1,Line2,Line3,Line4,Line5,SentBy FROM %s WHERE TypeOf=2",
                 TableName(db::kNode));
  }
};

TEST_F(PlayerListTest, RowsShowIdSexNameGroupedLevelAndPlace) {
  AddPlayer("f", "Freya", 1, "At the Bank", 1234, "Female");
  AddPlayer("o", "Otto", 0, "", 7);
  Type("n");
  WhoOnline();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("\260\261\262 Tarvessia: Global Realm Vistors \262\261\260"
                                         "\n\n\r ID      Player               Level       Where "
                                         "Are They?\n\r-=-=-"))
      << seen;
  EXPECT_NE(std::string::npos,
            seen.find("\n\r [1  ] M Wanderer              1          Main Street"));
  EXPECT_NE(std::string::npos,
            seen.find("\n\r [2  ] F Freya                 1,234      At the Bank"));
  EXPECT_EQ(std::string::npos, seen.find("Otto")) << "off-line callers are not listed";
  EXPECT_NE(std::string::npos, seen.find("Send TeleGram (y/N)? "));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
}

TEST_F(PlayerListTest, TwentyFiveRowsPageByTenAndNoEndsTheList) {
  for (int i = 2; i <= 25; ++i)
    AddPlayer("u" + std::to_string(i), "Hero" + std::to_string(i), 1, "Main Street");
  Type("yyn");
  WhoOnline();
  std::string seen = Seen();
  size_t first = seen.find("Continue (y/n)? ");
  size_t second = seen.find("Continue (y/n)? ", first + 1);
  ASSERT_NE(std::string::npos, second) << seen;
  EXPECT_EQ(std::string::npos, seen.find("Continue", second + 1));
  EXPECT_LT(seen.find("Hero10"), first);
  EXPECT_GT(seen.find("Hero11"), first);
  EXPECT_LT(seen.find("Hero20"), second);
  EXPECT_GT(seen.find("Hero25"), second);
  // Each page has its heads.
  size_t heads = 0;
  for (size_t at = seen.find("Where Are They?"); at != std::string::npos;
       at = seen.find("Where Are They?", at + 1))
    ++heads;
  EXPECT_EQ(3u, heads);

  Type("nn");  // n at the first question, and no telegram
  WhoOnline();
  seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("Hero10"));
  EXPECT_EQ(std::string::npos, seen.find("Hero11"));
  EXPECT_NE(std::string::npos, seen.find("Send TeleGram")) << "n ends only the list";
}

TEST_F(PlayerListTest, SlashSEndsATelegramOnlyOnLinesTwoToFour) {
  AddPlayer("b", "Ben", 1, "Main Street");  // IDNum 2
  Type("y2\rfirst\r/S\ry ");
  WhoOnline();
  Type("y2\r/s\rsecond\r/s\ry ");
  WhoOnline();
  Type("y2\ra\rb\rc\rd\r/s\ry ");
  WhoOnline();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("Tele-Gram Dispatched!")) << seen;
  db::ResultTable grams = Telegrams();
  ASSERT_EQ(3, grams.rows());
  for (int r = 0; r < 3; ++r) {
    EXPECT_STREQ("b", grams.Text(r, 0));
    EXPECT_STREQ("Wanderer", grams.Text(r, 6));
  }
  EXPECT_STREQ("first", grams.Text(0, 1));
  for (int c = 2; c <= 5; ++c) EXPECT_STREQ("", grams.Text(0, c));
  EXPECT_STREQ("/s", grams.Text(1, 1));
  EXPECT_STREQ("second", grams.Text(1, 2));
  EXPECT_STREQ("", grams.Text(1, 3));
  EXPECT_STREQ("d", grams.Text(2, 4));
  EXPECT_STREQ("/s", grams.Text(2, 5));
}

TEST_F(PlayerListTest, TelegramsGoOnlyToCallersOnLineAndOnlyWhenConfirmed) {
  AddPlayer("o", "Otto", 0);                // IDNum 2, off-line
  AddPlayer("b", "Ben", 1, "Main Street");  // IDNum 3
  Type("y2\rk");
  WhoOnline();
  EXPECT_NE(std::string::npos, Seen().find("That player is currently not online!"));
  Type("y\r");  // Enter at the ID
  WhoOnline();
  Type("y3\rhello\r/s\rn");  // written, then not sent
  WhoOnline();
  EXPECT_EQ(std::string::npos, Seen().find("Dispatched"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
}

TEST_F(PlayerListTest, TheEntryListListsTheOthersOrSaysNobodyIsThere) {
  db::Exec(db::kPlayer, "UPDATE %s SET Status=0", TableName(db::kPlayer));
  Type("k");
  ListOnlineAtEntry();
  EXPECT_NE(std::string::npos, Seen().find("No one else is online.."));
  AddPlayer("b", "Ben", 1, "Dark Alley");
  Type("k");
  ListOnlineAtEntry();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("Tarvessia: Global Realm Vistors"));
  EXPECT_NE(std::string::npos, seen.find("Ben                   1          Dark Alley"));
  EXPECT_EQ(std::string::npos, seen.find("Wanderer"));
  EXPECT_NE(std::string::npos, seen.find("Press Any Key"));
}

TEST_F(PlayerListTest, PersonalMessagesReachCallersOffLineWithTheTypedTextClean) {
  AddPlayer("o", "Otto", 0, "", 3);  // IDNum 2
  Type("y2\rmeet me `bright red`at dawn\rby the `well\ry ");
  WriteToPlayer();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("\260\261\262 Tarvessia: Message Writing \262\261\260"
                                         "\n\n\r ID      Player"))
      << seen;
  EXPECT_NE(std::string::npos, seen.find("Otto                  3          Offline"));
  EXPECT_NE(std::string::npos, seen.find("Message Dispatched!"));
  db::ResultTable mail = Query(db::kUserNews, "SELECT UserName,TypeOfReq,Line1,Line2,Line3 FROM %s",
                               TableName(db::kUserNews));
  ASSERT_EQ(1, mail.rows());
  EXPECT_STREQ("o", mail.Text(0, 0));
  EXPECT_EQ(0, mail.Int(0, 1));
  EXPECT_STREQ("`dark green`MESSAGE FROM: `bright cyan`Wanderer", mail.Text(0, 2));
  EXPECT_STREQ("meet me bright redat dawn", mail.Text(0, 3));
  EXPECT_STREQ("by the well", mail.Text(0, 4));

  Type("y9\rk");
  WriteToPlayer();
  EXPECT_NE(std::string::npos, Seen().find("That player was not found!"));
  Type("y2\rx\ry\rn");
  WriteToPlayer();
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM usernews"));
}

// The writer on one node, the recipient polling on another.
TEST_F(PlayerListTest, ATelegramFromOneNodeShowsOnAnother) {
  AddPlayer("b", "Ben", 1, "Main Street");  // IDNum 2
  TestNode ben("b", [] {
    for (;;) {
      Check_For_Msgs();
      if (od_get_key(FALSE) == 'q') return;
      od_sleep(20);
    }
  });
  TestNode me("me", [] { WhoOnline(); });
  me.Type("y2\rmeet me at the `bright red`wharves\x01\r/s\r");
  ASSERT_TRUE(me.WaitFor("Send this TeleGram (y/N)? "));
  me.Type("y");
  ASSERT_TRUE(me.WaitFor("Tele-Gram Dispatched!"));
  me.Type("k");
  EXPECT_EQ(0, me.Finish());
  EXPECT_TRUE(ben.WaitFor("Tele-Gram Received!"));
  EXPECT_TRUE(ben.WaitFor("Wanderer wrote:\n\rmeet me at the bright redwharves\n\r"));
  ben.Type("kq");
  EXPECT_EQ(0, ben.Finish());
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
}

TEST_F(PlayerListTest, ARecipientWhoLeavesWhileTheGramIsWrittenGetsNothing) {
  AddPlayer("b", "Ben", 1, "Main Street");  // IDNum 2
  TestNode me("me", [] { WhoOnline(); });
  me.Type("y2\rare you there?\r/s\r");
  ASSERT_TRUE(me.WaitFor("Send this TeleGram (y/N)? "));
  db::Exec(db::kPlayer, "UPDATE %s SET Status=0 WHERE UserName='b'", TableName(db::kPlayer));
  me.Type("y");
  EXPECT_TRUE(me.WaitFor("That player must have logged off!"));
  me.Type("k");
  EXPECT_EQ(0, me.Finish());
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
}

}  // namespace
}  // namespace trv::messaging::testing
