// The news as a caller reads it from the title menu's Y key.
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

class TitleNewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kNews, db::kPlayer, db::kState}) dir_.Exec(db::CreationStatement(table));
  }

  std::unique_ptr<Session> AtTitle() {
    Caller caller;
    caller.user_name = "Reader";
    auto s = std::make_unique<Session>(dir_.CallerSession(launch_, caller));
    EXPECT_TRUE(s->WaitForCursor(17, 54));
    return s;
  }

  void AddItems(int count, const std::string& day) {
    for (int i = 1; i <= count; ++i)
      dir_.Exec("INSERT INTO news (day,Title,Line1,Line2) VALUES ('" + day +
                "','`bright cyan`ITEM " + std::to_string(i) + "','line " + std::to_string(i) +
                "','')");
  }

  void Quit(Session& s) {
    s.Send("q");
    EXPECT_TRUE(s.ExitsWith(10, kEndWait));
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(TitleNewsTest, TheTitleMenuOffersYesterdaysNews) {
  auto s = AtTitle();
  EXPECT_TRUE(s->WaitForScreen("[Y] Yesterday's news of the realm"));
  Quit(*s);
}

TEST_F(TitleNewsTest, WithoutNewsTheCrierScreenFlashesAndTheTitleReturns) {
  AddItems(2, "today");  // today's news is not yesterday's
  auto s = AtTitle();
  s->Send("y");
  EXPECT_TRUE(s->WaitFor("The Tarvessia Daily Crier"));
  EXPECT_TRUE(s->WaitFor("Your choice, traveller?"));
  EXPECT_TRUE(s->WaitForCursor(17, 54));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("ITEM"));
  Quit(*s);
}

TEST_F(TitleNewsTest, FiveItemsReadAsTwoPagesFromRowFive) {
  AddItems(5, "yesterday");
  auto s = AtTitle();
  s->Send("Y");
  ASSERT_TRUE(s->WaitFor("Continue (y/n)? "));
  EXPECT_EQ("ITEM 1", s->screen()->Row(5));
  EXPECT_EQ("line 1", s->screen()->Row(6));
  EXPECT_EQ("ITEM 4", s->screen()->Row(17));
  EXPECT_EQ("Continue (y/n)?", s->screen()->Row(21));
  EXPECT_TRUE(s->screen()->Row(2).find("The Tarvessia Daily Crier") != std::string::npos);
  s->Send("\r");
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  EXPECT_EQ("ITEM 5", s->screen()->Row(5));
  EXPECT_EQ("░▒▓ Press Any Key ▓▒░", s->screen()->Row(9));
  EXPECT_EQ("", s->screen()->Row(13)) << "the first page is gone";
  EXPECT_EQ("", s->screen()->Row(21));
  s->Send(" ");
  EXPECT_TRUE(s->WaitForCursor(17, 54));
  Quit(*s);
}

TEST_F(TitleNewsTest, NoAtTheQuestionGoesBackToTheTitle) {
  AddItems(8, "yesterday");
  auto s = AtTitle();
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Continue (y/n)? "));
  s->Send("n");
  EXPECT_TRUE(s->WaitForCursor(17, 54));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("ITEM 5"));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Press Any Key"));
  Quit(*s);
}

}  // namespace
}  // namespace trv::harness
