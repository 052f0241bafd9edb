// Requests: claiming, dispatch by kind, and the two handlers of this library.
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

class RequestTest : public MessagingTest {
 protected:
  void SetUp() override {
    MessagingTest::SetUp();
    AddPlayer("me", "Wanderer", 1, "Main Street");
    AddPlayer("b", "Ben", 1, "Visiting Church");
  }
  void TearDown() override {
    for (int kind = 3; kind <= 13; ++kind) SetRequestHandler(kind, nullptr);
    SetRomanticMailWriter(nullptr);
    MessagingTest::TearDown();
  }
  // A request from Ben to the caller.
  static void FromBen(int kind, const char* line1, const char* line2 = "", const char* line3 = "") {
    BeCaller("b");
    AddRequest("me", line1, line2, line3, kind);
    BeCaller("me");
  }
  static db::ResultTable MailTo(const char* user) {
    return Query(db::kUserNews,
                 "SELECT Line1,Line2,Line3 FROM %s WHERE TypeOfReq=0 AND UserName=%Q",
                 TableName(db::kUserNews), user);
  }
};

TEST_F(RequestTest, ARequestCarriesTheSendersNamesAndReachesItsHandlerOnce) {
  FromBen(5, "trade route", "Avalon", "Brisk");
  db::ResultTable row =
      Query(db::kUserNews, "SELECT UserName,TypeOfReq,SenderPlayerName,SenderUserName FROM %s",
            TableName(db::kUserNews));
  EXPECT_STREQ("me", row.Text(0, 0));
  EXPECT_EQ(5, row.Int(0, 1));
  EXPECT_STREQ("Ben", row.Text(0, 2));
  EXPECT_STREQ("b", row.Text(0, 3));

  int runs = 0;
  long long left_in_table = -1;
  std::string got;
  SetRequestHandler(
      5, [&](const char* l1, const char* l2, const char* l3, const char* by, const char* by_user) {
        ++runs;
        left_in_table = Count("SELECT COUNT(*) FROM usernews");
        got = std::string(l1) + "|" + l2 + "|" + l3 + "|" + by + "|" + by_user;
        Check_For_Msgs();  // a handler's screen polls again
      });
  Request();
  EXPECT_EQ(1, runs) << "a request runs once, even when its handler polls";
  EXPECT_EQ(0, left_in_table) << "claimed before its handler runs";
  EXPECT_EQ("trade route|Avalon|Brisk|Ben|b", got);
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews"));
}

TEST_F(RequestTest, MailPostedWhileAHandlerWaitsIsLeftForTheMailReader) {
  FromBen(10, "a gift of gold");
  SetRequestHandler(10, [](const char*, const char*, const char*, const char*, const char*) {
    AddPersonal("me", "LETTER", "arrived meanwhile", "");
  });
  Request();
  EXPECT_EQ(1, MailTo("me").rows());
  Type("k");
  Personal();
  EXPECT_NE(std::string::npos, Seen().find("arrived meanwhile"));
}

TEST_F(RequestTest, RequestsPostedWhileAHandlerRunsRunInTheSameTurn) {
  FromBen(5, "proposal");
  std::string order;
  SetRequestHandler(5, [&order](const char*, const char*, const char*, const char*, const char*) {
    order += "5";
    FromBen(6, "answer");
  });
  SetRequestHandler(6, [&order](const char*, const char*, const char*, const char*, const char*) {
    order += "6";
  });
  Request();
  EXPECT_EQ("56", order);
}

TEST_F(RequestTest, KindsWithoutAHandlerAreDeletedUnread) {
  for (int kind : {3, 13, 14, 99, -1}) FromBen(kind, "unread");
  Request();
  EXPECT_EQ(std::string::npos, Seen().find("unread"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews"));
  EXPECT_FALSE(
      SetRequestHandler(0, [](const char*, const char*, const char*, const char*, const char*) {}));
  EXPECT_FALSE(SetRequestHandler(
      14, [](const char*, const char*, const char*, const char*, const char*) {}));
}

TEST_F(RequestTest, AnAcceptedProposalMarriesTellsTheProposerAndTheRealm) {
  FromBen(1, "Will you", "marry", "me?");
  Type("yk");
  Request();
  std::string seen = Seen();
  EXPECT_NE(std::string::npos, seen.find("\260\261\262 MARRIAGE PROPOSAL!! \262\261\260"));
  EXPECT_NE(std::string::npos, seen.find("Ben sent you a marriage proposal.."));
  EXPECT_NE(std::string::npos, seen.find("Will you\n\rmarry\n\rme?"));
  EXPECT_NE(std::string::npos, seen.find("Agree to marry Ben (y/N)? "));
  EXPECT_NE(std::string::npos, seen.find("CONGRATULATIONS!!"));
  db::ResultTable wed =
      Query(db::kMarriage,
            "SELECT Partner1,Partner2,Partner1UserName,Partner2UserName,Kids,DateMarried FROM %s",
            TableName(db::kMarriage));
  ASSERT_EQ(1, wed.rows());
  EXPECT_STREQ("Wanderer", wed.Text(0, 0));
  EXPECT_STREQ("Ben", wed.Text(0, 1));
  EXPECT_STREQ("me", wed.Text(0, 2));
  EXPECT_STREQ("b", wed.Text(0, 3));
  EXPECT_EQ(0, wed.Int(0, 4));
  EXPECT_EQ(LongDate(), wed.Text(0, 5));
  db::ResultTable mail = MailTo("b");
  ASSERT_EQ(1, mail.rows());
  EXPECT_STREQ("`bright white`PROPOSAL NEWS", mail.Text(0, 0));
  EXPECT_STREQ("Wanderer ACCEPTED YOUR MARRIAGE PROPOSAL!! CONGRATS!!!", mail.Text(0, 1));
  db::ResultTable news = Query(db::kNews, "SELECT day,Title,Line1 FROM %s", TableName(db::kNews));
  ASSERT_EQ(1, news.rows());
  EXPECT_STREQ("`bright magenta`MARRIAGE NEWS`bright yellow`", news.Text(0, 1));
  EXPECT_STREQ("Wanderer accepted a marriage proposal from Ben..Wish them luck!!", news.Text(0, 2));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews WHERE UserName='me'"));
}

TEST_F(RequestTest, ADeclinedProposalOnlyTellsTheProposer) {
  FromBen(1, "Marry me!");
  Type("n");
  Request();
  db::ResultTable mail = MailTo("b");
  ASSERT_EQ(1, mail.rows());
  EXPECT_STREQ("PROPOSAL NEWS", mail.Text(0, 0));
  EXPECT_STREQ("Wanderer turned down your marriage proposal!", mail.Text(0, 1));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM marriage"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM news"));
}

TEST_F(RequestTest, NobodyMarriesTwice) {
  db::Exec(db::kMarriage, "INSERT INTO %s (Partner1,Partner2,Kids) VALUES ('Zed','Wanderer',0)",
           TableName(db::kMarriage));
  FromBen(1, "Marry me!");
  Type("yk");
  Request();
  EXPECT_NE(std::string::npos, Seen().find("You are already married!"));
  EXPECT_EQ(0, MailTo("b").rows()) << "the proposer hears nothing";
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM usernews"));

  db::Exec(db::kMarriage, "UPDATE %s SET Partner2='Ben'", TableName(db::kMarriage));
  FromBen(1, "Marry me!");
  Type("yk");
  Request();
  EXPECT_NE(std::string::npos,
            Seen().find("That person already married someone since they proposed to you!"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM marriage"));
}

TEST_F(RequestTest, RomanticMailIsShownAndAnsweredWithTheTavernsWriter) {
  FromBen(2, "Roses are red", "`bright red`violets\x1b[2J", "");
  Type("k");
  Request();
  std::string raw = Screen();
  std::string seen = harness::StripAnsi(raw);
  EXPECT_NE(std::string::npos, seen.find("\260\261\262 ROMANTIC MAIL \262\261\260"));
  EXPECT_NE(std::string::npos, seen.find("Ben wrote you a letter, the outside of the letter"));
  EXPECT_NE(std::string::npos, seen.find("Roses are red\n\rbright redviolets[2J"));
  EXPECT_EQ(std::string::npos, seen.find("Respond")) << "no writer to answer with";
  EXPECT_NE(std::string::npos, seen.find("Press Any Key"));

  int answered = 0;
  SetRomanticMailWriter([&answered] { ++answered; });
  FromBen(2, "again");
  Type("n");
  Request();
  FromBen(2, "and again");
  Type("y");
  Request();
  EXPECT_NE(std::string::npos, Seen().find("Respond w/Romantic Mail (y/N)? "));
  EXPECT_EQ(1, answered);
}

}  // namespace
}  // namespace trv::messaging::testing
