// News paging and the tavern's pen and chat ledger.
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

class NewsTest : public MessagingTest {
 protected:
  static void AddItems(int count, const char* day) {
    for (int i = 1; i <= count; ++i)
      db::Exec(db::kNews, "INSERT INTO %s (day,Title,Line1,Line2) VALUES (%Q,%Q,%Q,'')",
               TableName(db::kNews), day, ("`bright cyan`ITEM " + std::to_string(i)).c_str(),
               ("line of item " + std::to_string(i)).c_str());
  }
  static size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }
};

TEST_F(NewsTest, ADayWithoutNewsShowsTheScreenAndReturnsWithoutAKey) {
  AddItems(3, "today");
  ShowNews("yesterday");  // a key wait here would run out of keys and fail the test
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("The Tarvessia Daily Crier"));
  EXPECT_EQ(std::string::npos, seen.find("ITEM"));
  EXPECT_EQ(std::string::npos, seen.find("Press Any Key"));
}

TEST_F(NewsTest, FourItemsFitOnePageWithoutTheQuestion) {
  AddItems(4, "yesterday");
  Type("k");
  ShowNews("yesterday");
  std::string raw = Screen();
  std::string seen = harness::StripAnsi(raw);
  EXPECT_NE(std::string::npos, seen.find("ITEM 1\r\nline of item 1\r\n\r\n\r\nITEM 2"));
  EXPECT_NE(std::string::npos, seen.find("ITEM 4"));
  EXPECT_EQ(std::string::npos, seen.find("Continue"));
  EXPECT_NE(std::string::npos, seen.find("\260\261\262 Press Any Key \262\261\260"));
  const auto title = Shown().Find("ITEM 1");
  ASSERT_TRUE(title);
  EXPECT_EQ(14, Shown().CellAt(title->row, title->column).colour) << "the title's bright cyan";
  EXPECT_EQ(0, od_get_key(FALSE));
}

TEST_F(NewsTest, AFifthItemOpensASecondPage) {
  AddItems(5, "today");
  Type("yk");
  ShowNews("today");
  std::string raw = Screen();
  std::string seen = harness::StripAnsi(raw);
  size_t question = seen.find("Continue (y/n)? ");
  ASSERT_NE(std::string::npos, question) << seen;
  EXPECT_LT(seen.find("ITEM 4"), question);
  EXPECT_GT(seen.find("ITEM 5"), question);
  EXPECT_EQ(1u, Occurrences(seen, "Continue"));
  EXPECT_NE(std::string::npos, seen.find("Press Any Key"));
  // The page area (rows 5 to 22) is cleared before each page.
  EXPECT_EQ(2u, Occurrences(raw, "\x1b[22;1H\x1b[K"));

  Type("n");
  ShowNews("today");
  seen = Seen();
  EXPECT_EQ(std::string::npos, seen.find("ITEM 5"));
  EXPECT_EQ(std::string::npos, seen.find("Press Any Key"));
}

TEST_F(NewsTest, AddedNewsIsTodaysAndStoredMarkupShowsButNoControlBytes) {
  AddNews("`bright red`HEADLINE", "a `bad` line\x1b[2J", nullptr);
  db::ResultTable news =
      Query(db::kNews, "SELECT day,Title,Line1,Line2 FROM %s", TableName(db::kNews));
  ASSERT_EQ(1, news.rows());
  EXPECT_STREQ("today", news.Text(0, 0));
  EXPECT_STREQ("", news.Text(0, 3));
  Type("k");
  ShowNews("today");
  std::string raw = Screen();
  const harness::Screen& shown = Shown();
  const auto headline = shown.Find("HEADLINE");
  ASSERT_TRUE(headline) << shown.Dump();
  EXPECT_EQ(9, shown.CellAt(headline->row, headline->column).colour) << "bright red";
  EXPECT_TRUE(shown.Contains("a bad line[2J"));
  EXPECT_EQ(std::string::npos, raw.find('`'));
}

TEST_F(NewsTest, ThePenSignsTheItemAndCleansWhatWasTyped) {
  AddPlayer("me", "Wanderer", 1, "Visiting Tavern");
  Type("The `bright red`king is ill\rpray\rn");
  PenNews();
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM news"));
  Type("The `bright red`king is ill\rpray\ryk");
  PenNews();
  EXPECT_NE(std::string::npos, Seen().find("Posted In Daily News!"));
  db::ResultTable news =
      Query(db::kNews, "SELECT day,Title,Line1,Line2 FROM %s", TableName(db::kNews));
  ASSERT_EQ(1, news.rows());
  EXPECT_STREQ("`bright cyan`** News Addition ** Posted By: `bright magenta`Wanderer",
               news.Text(0, 1));
  EXPECT_STREQ("The bright redking is ill", news.Text(0, 2));
  EXPECT_STREQ("pray", news.Text(0, 3));
}

TEST_F(NewsTest, TheLedgerShowsTheLastFivePostsAndPostsTheCallersLines) {
  AddPlayer("me", "Wanderer", 1, "Visiting Tavern");
  for (int i = 1; i <= 6; ++i)
    db::Exec(db::kChat, "INSERT INTO %s (WhoSent,Line1,Line2) VALUES (%Q,%Q,'')",
             TableName(db::kChat), i == 6 ? "Ev`bright red`e\x1b[5m" : "Ben",
             ("post " + std::to_string(i)).c_str());
  Type("\r");
  ChatLedger();
  std::string raw = Screen();
  std::string seen = harness::StripAnsi(raw);
  EXPECT_NE(std::string::npos, seen.find("The Tavern Chat Ledger"));
  EXPECT_EQ(std::string::npos, seen.find("post 1"));
  EXPECT_NE(std::string::npos, seen.find("Ben Posted:\n\r  post 2"));
  EXPECT_NE(std::string::npos, seen.find("Evbright rede[5m Posted:\n\r  post 6"));
  EXPECT_NE(std::string::npos, seen.find("Press [P] to Post:"));
  EXPECT_EQ(std::string::npos, raw.find("\x1b[5m"));

  Type("phello\rthere `grey`\ryk");
  ChatLedger();
  EXPECT_NE(std::string::npos, Seen().find("Posted!"));
  db::ResultTable posts =
      Query(db::kChat, "SELECT WhoSent,Line1,Line2 FROM %s WHERE IDNum=7", TableName(db::kChat));
  EXPECT_STREQ("Wanderer", posts.Text(0, 0));
  EXPECT_STREQ("hello", posts.Text(0, 1));
  EXPECT_STREQ("there `grey`", posts.Text(0, 2)) << "kept as typed, cleaned when read";
}

}  // namespace
}  // namespace trv::messaging::testing
