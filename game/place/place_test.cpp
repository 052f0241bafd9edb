// The place menu as a caller walks it: the place text and the poll on every
// pass, the screen and its prompt cell, the table's keys in either case,
// the global keys and the key that leaves.
#include "game/place/place.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "tests/harness/text.h"
#include "tests/support/in_process.h"

namespace trv {
namespace {

using db::Exec;
using db::Query;
using db::TableName;

class PlaceTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    BeCaller("amy");
    test::Character amy("amy", "Amy");
    amy.status = 1;
    amy.where = "Main Street";
    test::AddCharacter(amy);
    ASSERT_EQ(0, mkdir("Skins", 0755));
    std::ofstream("Skins/TEST.ANS") << "\x1b[1;33mThe Test Hall\r\n(B)uy (R)eturn";
  }
  static std::string Where() {
    return Query(db::kPlayer, "SELECT WhereInGame FROM %s WHERE UserName='amy'",
                 TableName(db::kPlayer))
        .Text(0, 0);
  }

  std::vector<std::string> done_;
};

TEST_F(PlaceTest, EachPassMarksThePlacePollsDrawsAndRunsTheKeyInEitherCase) {
  std::vector<std::string> places_seen;
  const std::vector<PlaceKey> keys = {
      {'B', "Buying", [&] { places_seen.push_back(Where()); }},
      {'\r', nullptr, nullptr},
      {'R', nullptr, [&] { done_.push_back("R"); }, true},
  };
  PlaceScreen hall{"Test Hall", "Skins/TEST.ANS", 5, 7};
  hall.draw = [&] {
    places_seen.push_back(Where());
    od_set_cursor(3, 1);
    od_printf("Gold: 1,000");
  };
  Exec(db::kNode, "INSERT INTO %s (TypeOf,SentTo,SentBy) VALUES (1,'amy','Ben')",
       TableName(db::kNode));
  Type(" ");   // the node message's key
  Type("xb");  // not a key, then B in lower case
  Type("\rr");
  EXPECT_EQ('R', RunPlace(hall, keys));
  // The place text before every drawing, the key's own before its action.
  EXPECT_EQ((std::vector<std::string>{"Test Hall", "Buying", "Test Hall", "Test Hall"}),
            places_seen);
  EXPECT_EQ(std::vector<std::string>{"R"}, done_);
  EXPECT_EQ(0, Query(db::kNode, "SELECT COUNT(*) FROM %s", TableName(db::kNode)).Int(0, 0));
  const harness::Screen& shown = Shown();
  EXPECT_EQ("The Test Hall", shown.Row(1));
  EXPECT_EQ("Gold: 1,000", shown.Row(3));
  EXPECT_EQ(5, shown.CursorRow());
  EXPECT_EQ(7, shown.CursorColumn());
  EXPECT_NE(std::string::npos, harness::StripAnsi(Screen()).find("Ben has entered the realm!"));
}

TEST_F(PlaceTest, DotAndEqualsWorkEverywhereUnlessThePlaceTakesThem) {
  const std::vector<PlaceKey> keys = {{'Q', nullptr, nullptr, true}};
  PlaceScreen page;
  page.poll_messages = false;
  Type(".n");     // who is on-line, no telegram
  Type("=\x11");  // into the chat room and out (Ctrl-Q)
  Type("q");
  EXPECT_EQ('Q', RunPlace(page, keys));
  const std::string seen = harness::StripAnsi(Screen());
  EXPECT_NE(std::string::npos, seen.find("Send TeleGram"));
  EXPECT_NE(std::string::npos, seen.find("[Tarvessia Chat Room]"));
  EXPECT_EQ("Main Street", Where());  // a page leaves the place text alone

  const std::vector<PlaceKey> own = {{'.', nullptr, [&] { done_.push_back("dot"); }, true}};
  page.global_keys = false;
  Type("=.");  // '=' is no key here
  EXPECT_EQ('.', RunPlace(page, own));
  EXPECT_EQ(std::vector<std::string>{"dot"}, done_);
  EXPECT_EQ(std::string::npos, harness::StripAnsi(Screen()).find("Chat Room"));
}

}  // namespace
}  // namespace trv
