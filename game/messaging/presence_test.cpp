// Presence: the broadcasts, the node message reader, the poll and the
// player lists, on one node and across nodes.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/messaging/test_nodes.h"

namespace trv::messaging::testing {
namespace {

using db::Exec;
using db::kNode;
using db::Query;
using db::TableName;

class PresenceTest : public MessagingTest {
 protected:
  static void PostNode(int type, const char* to, const char* by, const char* line1 = nullptr) {
    Exec(kNode, "INSERT INTO %s (TypeOf,SentTo,SentBy,Line1) VALUES (%d,%Q,%Q,%Q)",
         TableName(kNode), type, to, by, line1);
  }
  static size_t Find(const std::string& text, const std::string& what, size_t from = 0) {
    return text.find(what, from);
  }
};

TEST_F(PresenceTest, BroadcastReachesExactlyTheOthersOnLine) {
  Broadcast(kEnteredRealm);  // no character yet: nobody is told
  AddPlayer("me", "Wanderer", 1, "Main Street");
  Broadcast(kEnteredRealm);  // alone: nobody to tell
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));

  AddPlayer("a", "Ann", 1, "Main Street");
  AddPlayer("b", "Ben", 1, "At the Bank");
  AddPlayer("c", "Cat", 1, "In Chat Room");
  AddPlayer("d", "Dan", 0);
  Broadcast(kEnteredChat);
  db::ResultTable rows =
      Query(kNode, "SELECT TypeOf,SentTo,SentBy FROM %s ORDER BY SentTo", TableName(kNode));
  ASSERT_EQ(3, rows.rows());
  const char* told[] = {"a", "b", "c"};
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(3, rows.Int(r, 0));
    EXPECT_STREQ(told[r], rows.Text(r, 1));
    EXPECT_STREQ("Wanderer", rows.Text(r, 2));
  }
}

TEST_F(PresenceTest, MessagesShowInPostingOrderEachOnItsOwnScreenAndAreGoneAfter) {
  AddPlayer("me", "Wanderer", 1, "Main Street");
  PostNode(kEnteredRealm, "me", "Ben");
  PostNode(kLeftRealm, "me", "Cat");
  Exec(kNode,
       "INSERT INTO %s (TypeOf,SentTo,Line1,Line2,Line3,Line4,Line5,SentBy) VALUES "
       "(2,'me','one','two','three','four','five','Dan')",
       TableName(kNode));
  PostNode(kEnteredRealm, "someone else", "Eve");
  Type("abc");  // a key for each screen
  NodeMsgs();
  std::string raw = Screen();
  std::string seen = harness::StripAnsi(raw);
  size_t ben = Find(seen, "Ben has entered the realm!");
  size_t cat = Find(seen, "Cat has left the realm..");
  size_t gram = Find(seen, "Tele-Gram Received!");
  ASSERT_NE(std::string::npos, ben) << seen;
  ASSERT_NE(std::string::npos, cat) << seen;
  ASSERT_NE(std::string::npos, gram) << seen;
  EXPECT_LT(ben, cat);
  EXPECT_LT(cat, gram);
  EXPECT_NE(std::string::npos, Find(seen, "\260\261\262 Realm News \262\261\260"));
  EXPECT_NE(std::string::npos, Find(seen, "Dan wrote:\n\rone\n\rtwo\n\rthree\n\rfour\n\rfive"));
  EXPECT_EQ(std::string::npos, Find(seen, "Eve"));
  size_t clears = 0;
  for (size_t at = raw.find("\x1b[2J"); at != std::string::npos; at = raw.find("\x1b[2J", at + 1))
    ++clears;
  EXPECT_EQ(3u, clears);
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node WHERE SentTo='me'"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM node"));
  EXPECT_EQ(0, od_get_key(FALSE)) << "every screen took exactly one key";
}

TEST_F(PresenceTest, ChatNoticesAndUnknownTypesOutsideTheRoomGoUnseen) {
  AddPlayer("me", "Wanderer", 1, "At the Bank");
  PostNode(kEnteredChat, "me", "Ben");
  PostNode(kLeftChat, "me", "Ben");
  PostNode(7, "me", "Ben");
  NodeMsgs();
  EXPECT_EQ("", Screen());
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
}

TEST_F(PresenceTest, InsideTheChatRoomNoticesPrintInPlaceAndATelegramRedrawsTheFrame) {
  AddPlayer("me", "Wanderer", 1, "In Chat Room");
  PostNode(kEnteredChat, "me", "Ben");
  PostNode(kLeftChat, "me", "Cat");
  PostNode(kTelegram, "me", "Dan", "psst");
  Type("k");
  NodeMsgs();
  std::string raw = Screen();
  std::string seen = harness::StripAnsi(raw);
  size_t enters = Find(seen, "** Ben enters the chat room..");
  size_t left = Find(seen, "** Cat left the chat room..");
  size_t gram = Find(seen, "psst");
  size_t frame = Find(seen, "[Tarvessia Chat Room]");
  ASSERT_NE(std::string::npos, enters) << seen;
  ASSERT_NE(std::string::npos, left) << seen;
  ASSERT_NE(std::string::npos, frame) << seen;
  EXPECT_LT(enters, left);
  EXPECT_LT(gram, frame);
  EXPECT_GT(raw.find("\x1b[2J"), raw.find("left the chat room"))
      << "the chat notices do not clear the screen";
}

TEST_F(PresenceTest, NamesAndTelegramLinesReachTheScreenClean) {
  AddPlayer("me", "Wanderer", 1, "Main Street");
  Exec(kNode,
       "INSERT INTO %s (TypeOf,SentTo,Line1,Line2,SentBy) VALUES "
       "(2,'me','hi `bright blue`there\a','\x1b[2Jgone','Ev`bright red`il\x1b[31m')",
       TableName(kNode));
  Type("k");
  NodeMsgs();
  std::string raw = Screen();
  std::string seen = harness::StripAnsi(raw);
  EXPECT_NE(std::string::npos, Find(seen, "Evbright redil[31m wrote:")) << seen;
  EXPECT_NE(std::string::npos, Find(seen, "hi bright bluethere\n\r[2Jgone")) << seen;
  EXPECT_EQ(std::string::npos, raw.find('\a'));
  EXPECT_EQ(std::string::npos, raw.find('`'));
  EXPECT_EQ(std::string::npos, raw.find("\x1b[31m"));
  EXPECT_EQ(raw.find("\x1b[2J"), raw.rfind("\x1b[2J")) << "only the reader's own clear";
}

TEST_F(PresenceTest, ThePollHandsOutNodeMessagesThenMailThenRequests) {
  AddPlayer("me", "Wanderer", 1, "Main Street");
  std::string handled;
  SetRequestHandler(
      5, [&handled](const char* line1, const char*, const char*, const char*, const char*) {
        od_printf("handled %s", line1);
        handled = line1;
      });
  Exec(db::kUserNews,
       "INSERT INTO %s (UserName,TypeOfReq,Line1,SenderPlayerName,SenderUserName) VALUES "
       "('me',5,'the offer','Ben','b')",
       TableName(db::kUserNews));
  AddPersonal("me", "A LETTER", "dear me", "");
  PostNode(kEnteredRealm, "me", "Ben");
  Type("kk");  // the notice's key and the mail's
  Check_For_Msgs();
  SetRequestHandler(5, nullptr);
  std::string seen = Seen();
  size_t notice = Find(seen, "Ben has entered the realm!");
  size_t letter = Find(seen, "dear me");
  size_t request = Find(seen, "handled the offer");
  ASSERT_NE(std::string::npos, notice) << seen;
  ASSERT_NE(std::string::npos, letter) << seen;
  ASSERT_NE(std::string::npos, request) << seen;
  EXPECT_LT(notice, letter);
  EXPECT_LT(letter, request);
  EXPECT_EQ("the offer", handled);
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews"));

  Check_For_Msgs();  // nothing waits: nothing shows
  EXPECT_EQ("", Screen());
}

// Three callers on their own nodes: one enters and later leaves the realm;
// the two others on-line see both notices, the one off-line nothing.
TEST_F(PresenceTest, EnteringAndLeavingNoticesReachTheCallersOnLineOnOtherNodes) {
  AddPlayer("a", "Ann", 1, "Main Street");
  AddPlayer("b", "Ben", 1, "Main Street");
  AddPlayer("c", "Cat", 1, "Main Street");
  AddPlayer("d", "Dan", 0);
  auto polling = [] {
    for (;;) {
      Check_For_Msgs();
      if (od_get_key(FALSE) == 'q') return;
      od_sleep(20);
    }
  };
  TestNode ben("b", polling);
  TestNode cat("c", polling);
  TestNode ann("a", [] {
    Broadcast(kEnteredRealm);
    od_get_key(TRUE);
    Broadcast(kLeftRealm);
  });
  EXPECT_TRUE(ben.WaitFor("Ann has entered the realm!"));
  EXPECT_TRUE(cat.WaitFor("Ann has entered the realm!"));
  ben.Type("k");
  cat.Type("k");
  ann.Type("k");
  EXPECT_EQ(0, ann.Finish());
  EXPECT_TRUE(ben.WaitFor("Ann has left the realm.."));
  EXPECT_TRUE(cat.WaitFor("Ann has left the realm.."));
  ben.Type("kq");
  cat.Type("kq");
  EXPECT_EQ(0, ben.Finish());
  EXPECT_EQ(0, cat.Finish());
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
}

}  // namespace
}  // namespace trv::messaging::testing
