// The chat room: its frame, typing, the patrons, messages that arrive
// meanwhile, and conversations between nodes.
#include <string>
#include <vector>

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

constexpr char kCtrlP[] = "\x10";
constexpr char kCtrlQ[] = "\x11";
constexpr char kCtrlT[] = "\x14";

class ChatRoomTest : public MessagingTest {
 protected:
  static void Say(const char* who, const char* line) {
    db::Exec(db::kTavChat, "INSERT INTO %s (WhoSent,Line1) VALUES (%Q,%Q)", TableName(db::kTavChat),
             who, line);
  }
  static std::string Place(const char* user) {
    return Query(db::kPlayer, "SELECT WhereInGame FROM %s WHERE UserName=%Q",
                 TableName(db::kPlayer), user)
        .Text(0, 0);
  }
  static std::vector<std::string> Ledger() {
    db::ResultTable rows =
        Query(db::kTavChat, "SELECT Line1 FROM %s ORDER BY IDNum", TableName(db::kTavChat));
    std::vector<std::string> lines;
    for (int r = 0; r < rows.rows(); ++r) lines.push_back(rows.Text(r, 0));
    return lines;
  }
  static size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }
};

TEST_F(ChatRoomTest, ACallerAloneSeesTheFrameHimselfAsPatronAndNoOldLines) {
  AddPlayer("me", "Wanderer", 1, "In Chat Room");  // as Main Street sends him in
  AddPlayer("b", "Ben", 1, "Dark Alley");
  Say("Ghost", "left over from a dropped caller");
  Type(kCtrlQ);
  BeginChat();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("[Tarvessia Chat Room]"));
  EXPECT_NE(std::string::npos, seen.find("Chat Commands: \n\r     Ctrl-T - Send Global Telegram"
                                         "\n\r     Ctrl-Q - Quit Chat Area\n\r     Ctrl-P - "
                                         "List Patrons"));
  EXPECT_NE(std::string::npos, seen.find("[Chat]: "));
  EXPECT_NE(std::string::npos, seen.find("Currently 0 other patrons here.."));
  EXPECT_NE(std::string::npos, seen.find("Patrons: Wanderer the Human"));
  EXPECT_EQ(std::string::npos, seen.find("left over"));
  EXPECT_TRUE(Ledger().empty()) << "the last patron out empties the ledger";
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM node WHERE TypeOf=3 AND SentTo='b' AND "
                     "SentBy='Wanderer'"));
}

TEST_F(ChatRoomTest, TypedLinesGoToTheLedgerAndComeBack) {
  AddPlayer("me", "Wanderer", 1, "In Chat Room");
  AddPlayer("b", "Ben", 1, "In Chat Room");  // stays, so the ledger is kept
  Type("hello\r" + std::string(80, 'x') + "\r\rab\b\bcd\r" + kCtrlQ);
  BeginChat();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("Currently 1 other patrons here.."));
  EXPECT_NE(std::string::npos, seen.find("Wanderer: hello"));
  const std::vector<std::string> expected = {"`bright yellow`has joined chat", "hello",
                                             std::string(73, 'x'), "cd",
                                             "`bright yellow`has left chat"};
  EXPECT_EQ(expected, Ledger());
}

TEST_F(ChatRoomTest, CtrlTSendsATelegramThenShowsTheLastLinesAgain) {
  AddPlayer("me", "Wanderer", 1, "In Chat Room");
  AddPlayer("b", "Ben", 1, "In Chat Room");
  Say("Ben", "old news");
  Type(std::string(kCtrlT) + "n" + kCtrlQ);
  BeginChat();
  std::string seen = Seen();
  size_t list = seen.find("Tarvessia: Global Realm Vistors");
  size_t redraw = seen.find("[Tarvessia Chat Room]", list);
  ASSERT_NE(std::string::npos, redraw) << seen;
  EXPECT_EQ(std::string::npos, seen.substr(0, redraw).find("old news"));
  EXPECT_NE(std::string::npos, seen.find("Ben: old news", redraw));
}

TEST_F(ChatRoomTest, MessagesThatArriveMeanwhileShowFullScreenAndTheRoomIsDrawnAgain) {
  AddPlayer("me", "Wanderer", 1, "In Chat Room");
  db::Exec(db::kNode,
           "INSERT INTO %s (TypeOf,SentTo,Line1,SentBy) VALUES (2,'me','come to the alley','Ben')",
           TableName(db::kNode));
  AddPersonal("me", "A LETTER", "dear Wanderer", "");
  Type(std::string(kCtrlP) + "  " + kCtrlQ);  // a key each for the gram and the letter
  BeginChat();
  std::string seen = Seen();
  size_t gram = seen.find("come to the alley");
  size_t letter = seen.find("dear Wanderer");
  ASSERT_NE(std::string::npos, gram) << seen;
  ASSERT_NE(std::string::npos, letter) << seen;
  EXPECT_LT(gram, letter);
  EXPECT_NE(std::string::npos, seen.find("[Tarvessia Chat Room]", letter));
  EXPECT_EQ(2u, Occurrences(seen, "[Tarvessia Chat Room]"));
}

TEST_F(ChatRoomTest, ANoticeOfAnArrivalScrollsIntoTheMessageArea) {
  AddPlayer("me", "Wanderer", 1, "In Chat Room");
  AddPlayer("c", "Cat", 1, "In Chat Room");
  db::Exec(db::kNode, "INSERT INTO %s (TypeOf,SentTo,SentBy) VALUES (3,'me','Cat')",
           TableName(db::kNode));
  Type(std::string(kCtrlP) + kCtrlQ);
  BeginChat();
  EXPECT_EQ(1u, Occurrences(Screen(), "\x1b[2J"));
  // In the message area (rows 10 to 20), in bright red, never over the frame.
  const harness::Screen& room = Shown();
  const auto notice = room.Find("** Cat enters the chat room..");
  ASSERT_TRUE(notice) << room.Dump();
  EXPECT_EQ(1, notice->column);
  EXPECT_GE(notice->row, 10);
  EXPECT_LE(notice->row, 20);
  EXPECT_EQ(9, room.CellAt(notice->row, 1).colour);
}

TEST_F(ChatRoomTest, ACallerFromAPlaceMenuIsAPatronAndGetsHisPlaceBack) {
  AddPlayer("me", "Wanderer", 1, "At the Bank");
  Type(kCtrlQ);
  BeginChat();
  EXPECT_NE(std::string::npos, Seen().find("Patrons: Wanderer the Human"));
  EXPECT_EQ("At the Bank", Place("me"));
  EXPECT_TRUE(Ledger().empty()) << "counted, he was the last patron";

  AddPlayer("b", "Ben", 1, "In Chat Room");
  Type(kCtrlQ);
  BeginChat();
  EXPECT_NE(std::string::npos, Seen().find("Currently 1 other patrons here.."));
  EXPECT_EQ("At the Bank", Place("me"));
  EXPECT_EQ("`bright yellow`has left chat", Ledger().back());
}

TEST_F(ChatRoomTest, NamesAndLinesFromTheLedgerReachTheScreenClean) {
  AddPlayer("me", "Wanderer", 1, "In Chat Room");
  AddPlayer("b", "Ben", 1, "In Chat Room");
  Say("Ev`bright red`e\x1b[5m", "look `bright blue`here\a\x1b[31m");
  Type(std::string(kCtrlT) + "n" + kCtrlQ);  // Ctrl-T shows the last lines again
  BeginChat();
  std::string raw = Screen();
  EXPECT_NE(std::string::npos,
            harness::StripAnsi(raw).find("Evbright rede[5m: look bright bluehere[31m"));
  EXPECT_EQ(std::string::npos, raw.find("\x1b[5m"));
  EXPECT_EQ(std::string::npos, raw.find("\x1b[31m"));
  EXPECT_EQ(std::string::npos, raw.find('\a'));
  EXPECT_EQ(std::string::npos, raw.find('`'));
}

// Two callers on two nodes.
TEST_F(ChatRoomTest, ALineTypedOnOneNodeAppearsOnTheOther) {
  AddPlayer("a", "Ann", 1, "Main Street");
  AddPlayer("b", "Ben", 1, "Main Street");
  TestNode ann("a", [] { BeginChat(); });
  ASSERT_TRUE(ann.WaitFor("Currently 0 other patrons here.."));
  TestNode ben("b", [] { BeginChat(); });
  ASSERT_TRUE(ben.WaitFor("Currently 1 other patrons here.."));
  // The notice, the ledger line and the count come in one poll or two.
  EXPECT_TRUE(ann.WaitForAnywhere("** Ben enters the chat room.."));
  EXPECT_TRUE(ann.WaitForAnywhere("Ben: has joined chat"));
  EXPECT_TRUE(ann.WaitForAnywhere("Currently 1 other patrons here.."));
  ann.Type("well met, `bright red`Ben\r");
  EXPECT_TRUE(ben.WaitFor("Ann: well met, bright redBen"));
  EXPECT_TRUE(ann.WaitFor("Ann: well met, bright redBen"));
  ben.Type(kCtrlQ);
  EXPECT_EQ(0, ben.Finish());
  EXPECT_TRUE(ann.WaitFor("Ben: has left chat"));
  EXPECT_TRUE(ann.WaitUntil(
      [](const std::string& shown) {
        size_t last = shown.rfind("Currently ");
        return shown.compare(last, 12, "Currently 0 ") == 0;
      },
      "the count back at 0"));
  ann.Type(kCtrlQ);
  EXPECT_EQ(0, ann.Finish());
  EXPECT_TRUE(Ledger().empty());
  EXPECT_EQ("Main Street", Place("a"));
  EXPECT_EQ("Main Street", Place("b"));
}

// Line numbers start again at 1 once the ledger is empty; a patron who had
// seen higher numbers must still see the new lines.
TEST_F(ChatRoomTest, APatronKeepsSeeingLinesAfterTheLedgerIsEmptied) {
  AddPlayer("a", "Ann", 1, "Main Street");
  AddPlayer("b", "Ben", 1, "Main Street");
  AddPlayer("c", "Cat", 1, "Main Street");
  TestNode ann("a", [] { BeginChat(); });
  ASSERT_TRUE(ann.WaitFor("Patrons: Ann"));
  for (int i = 0; i < 30; ++i) ann.Type("chatter\r");
  for (int i = 0; i < 30; ++i) ASSERT_TRUE(ann.WaitFor("Ann: chatter"));
  ann.Type(kCtrlQ);
  EXPECT_EQ(0, ann.Finish());
  EXPECT_TRUE(Ledger().empty()) << "Ann was the last patron";

  for (int i = 0; i < 30; ++i) Say("Ann", "more chatter");  // a long talk before Ben came
  TestNode ben("b", [] { BeginChat(); });
  ASSERT_TRUE(ben.WaitFor("Patrons: Ben"));
  // Emptied under Ben's feet, as by a patron who did not count him.
  db::Exec(db::kTavChat, "DELETE FROM %s WHERE IDNum>0", TableName(db::kTavChat));
  TestNode cat("c", [] { BeginChat(); });
  ASSERT_TRUE(cat.WaitFor("Currently 1 other patrons here.."));
  cat.Type("anyone here?\r");
  EXPECT_TRUE(ben.WaitFor("Cat: has joined chat"));
  EXPECT_TRUE(ben.WaitFor("Cat: anyone here?"));
  ben.Type("me!\r");
  EXPECT_TRUE(cat.WaitFor("Ben: me!"));
  cat.Type(kCtrlQ);
  ben.Type(kCtrlQ);
  EXPECT_EQ(0, cat.Finish());
  EXPECT_EQ(0, ben.Finish());
}

}  // namespace
}  // namespace trv::messaging::testing
