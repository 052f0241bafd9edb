// The mail reader: its pages, its markup, and two readers at once.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/messaging/test_nodes.h"

namespace trv::messaging::testing {
namespace {

class MailTest : public MessagingTest {
 protected:
  static void Letters(const char* user, int count) {
    for (int i = 1; i <= count; ++i)
      AddPersonal(user, ("LETTER " + std::to_string(i)).c_str(), "first line", "second line");
  }
  static size_t Occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }
};

TEST_F(MailTest, NineLettersShowFourFourAndOneThenTheKeyPrompt) {
  Letters("me", 9);
  Type("yyk");
  Personal();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("Letters For You"));
  EXPECT_NE(std::string::npos, seen.find("LETTER 1\r\nfirst line\r\nsecond line\r\n\r\nLETTER 2"));
  size_t first = seen.find("Continue (y/n)? ");
  size_t second = seen.find("Continue (y/n)? ", first + 1);
  ASSERT_NE(std::string::npos, second) << seen;
  EXPECT_LT(seen.find("LETTER 4"), first);
  EXPECT_GT(seen.find("LETTER 5"), first);
  EXPECT_LT(seen.find("LETTER 8"), second);
  EXPECT_GT(seen.find("LETTER 9"), second);
  EXPECT_EQ(2u, Occurrences(seen, "Continue"));
  EXPECT_GT(seen.find("Press Any Key"), seen.find("LETTER 9"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews"));
  EXPECT_EQ(0, od_get_key(FALSE));
}

TEST_F(MailTest, FourLettersNeedNoQuestionAndEightAskOnce) {
  Letters("me", 4);
  Type("k");
  Personal();
  std::string seen = Seen();
  EXPECT_EQ(std::string::npos, seen.find("Continue"));
  EXPECT_NE(std::string::npos, seen.find("Press Any Key"));
  Letters("me", 8);
  Type("yk");
  Personal();
  EXPECT_EQ(1u, Occurrences(Seen(), "Continue"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews"));
}

TEST_F(MailTest, NoAtTheQuestionDeletesTheRestUnreadButLeavesRequestsAndOthersMail) {
  Letters("me", 10);
  Letters("you", 2);
  AddRequest("me", "will you?", "", "", 1);
  Type("n");
  Personal();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("LETTER 4"));
  EXPECT_EQ(std::string::npos, seen.find("LETTER 5"));
  EXPECT_EQ(std::string::npos, seen.find("Press Any Key"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews WHERE UserName='me' AND TypeOfReq=0"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM usernews WHERE UserName='me' AND TypeOfReq=1"));
  EXPECT_EQ(2, Count("SELECT COUNT(*) FROM usernews WHERE UserName='you'"));
}

TEST_F(MailTest, TheGamesColoursShowAndStrayMarkupAndControlBytesDoNot) {
  AddPersonal("me", "`bright cyan`Bank Transfer", "Ben`s gift `nocolour` arrived\x1b[2J",
              "You gain an extra `bright green`3`bright yellow` fights!\a");
  Type("k");
  Personal();
  std::string raw = Screen();
  const harness::Screen& shown = Shown();
  const auto title = shown.Find("Bank Transfer");
  ASSERT_TRUE(title) << shown.Dump();
  EXPECT_EQ(14, shown.CellAt(title->row, title->column).colour) << "bright cyan";
  EXPECT_TRUE(shown.Contains("Bens gift nocolour arrived[2J")) << shown.Dump();
  const auto fights = shown.Find("You gain an extra 3 fights!");
  ASSERT_TRUE(fights);
  EXPECT_EQ(10, shown.CellAt(fights->row, fights->column + 18).colour) << "a bright green 3";
  EXPECT_EQ(std::string::npos, raw.find('`'));
  EXPECT_EQ(std::string::npos, raw.find('\a'));
}

// The reader must not hold a transaction while it waits at its question:
// two callers paging through their mail at once both get to the end.
TEST_F(MailTest, TwoCallersReadNineLettersEachAtTheSameMoment) {
  Letters("ann", 9);
  Letters("ben", 9);
  test::Signal go;
  auto reader = [&go] {
    if (!go.Wait(5000)) return;
    Personal();
  };
  TestNode ann("ann", reader);
  TestNode ben("ben", reader);
  ann.Type("yyk");
  ben.Type("yyk");
  go.Raise(2);
  EXPECT_TRUE(ann.WaitFor("LETTER 9", 10000));
  EXPECT_TRUE(ben.WaitFor("LETTER 9", 10000));
  EXPECT_EQ(0, ann.Finish(10000));
  EXPECT_EQ(0, ben.Finish(10000));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews"));
}

}  // namespace
}  // namespace trv::messaging::testing
