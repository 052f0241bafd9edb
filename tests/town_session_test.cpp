// The church, the healer's hut and the tavern as a caller walks them
// through TRVLaunch: a night at the inn ends the game and the next entry
// wakes there; two sessions of one user taking one room at once.
#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

class TownSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews,
                      db::kMarriage})
      dir_.Exec(db::CreationStatement(table));
    dir_.AddKingdom(test::Kingdom(1, "Avalon", "Rex", "rex"));
    test::Character amy("amy", "Amy");
    amy.gender = "Female";
    amy.gold = "1000101";
    amy.more = "Potions=250";
    dir_.AddCharacter(amy);
    dir_.AddCharacter(test::Character("ben", "Ben"));
  }

  std::unique_ptr<Session> OnMainStreet(int node = 1, bool others_online = false,
                                        const std::string& user = "amy") {
    Caller caller;
    caller.user_name = user;
    caller.node = node;
    return EnterMainStreet(dir_, launch_, caller, others_online, 5);
  }

  // From Main Street to the inn's question whether to pay for two humans.
  static void AskForTwoHumans(Session& s) {
    s.Send("t");
    ASSERT_TRUE(s.WaitForCursor(14, 17));
    s.Send("a");
    ASSERT_TRUE(s.WaitFor("Your Selection: "));
    s.Send("1");
    ASSERT_TRUE(s.WaitFor("Hire How Many Guards? [Max 6]: "));
    s.SendLine("2");
    ASSERT_TRUE(s.WaitFor("Pay $1,000,000 (y/N)? "));
  }

  std::string Amy(const std::string& column) {
    return dir_.Query("SELECT " + column + " FROM player WHERE UserName='amy'");
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(TownSessionTest, ACallerPraysBuysPotionsAnswersLettersAndSleepsAtTheInn) {
  auto s = OnMainStreet();
  s->Send("c");
  ASSERT_TRUE(s->WaitForCursor(22, 16));
  EXPECT_EQ("Visiting Church", Amy("WhereInGame"));
  s->Send("b");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("Divine Favor increases by 3!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Good deeds left: 2"));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(22, 16));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  s->Send("h");
  ASSERT_TRUE(s->WaitForCursor(16, 62));
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("You can purchase 50 potions"));
  s->SendLine("50");
  ASSERT_TRUE(s->WaitFor("Purchased 50 potions!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(16, 62));
  s->Send("r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  EXPECT_EQ("1000001", Amy("Gold"));
  EXPECT_EQ("300", Amy("Potions"));
  EXPECT_EQ("33", Amy("Divine"));

  // Ben's romantic letter comes with the next poll; the tavern's writer,
  // registered at start-up, answers it.
  dir_.Exec(
      "INSERT INTO usernews (UserName,TypeOfReq,Line1,Line2,Line3,SenderPlayerName,"
      "SenderUserName) VALUES ('amy',2,'Are you free tonight or will it cost me?','','','Ben',"
      "'ben')");
  s->Send("\r");
  ASSERT_TRUE(s->WaitFor("Respond w/Romantic Mail (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>: "));
  s->SendLine(dir_.Query("SELECT IDNum FROM player WHERE UserName='ben'"));
  ASSERT_TRUE(s->WaitFor("Send message to Ben (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Your Selection: "));
  s->Send("3");
  ASSERT_TRUE(s->WaitFor("Send message (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Romantic Mail Sent!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM usernews WHERE UserName='ben' AND "
                             "TypeOfReq=2 AND Line1='Want to play numbers? I''ll be 6 you be 9!' "
                             "AND SenderUserName='amy'"));

  ASSERT_NO_FATAL_FAILURE(AskForTwoHumans(*s));
  EXPECT_EQ("Visiting Tavern", Amy("WhereInGame"));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("You snuggle up in bed and fall asleep!"));
  ASSERT_TRUE(s->WaitFor("A human stands guard at the door.."));
  s->Send(" ");
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ("1", Amy("Gold"));
  EXPECT_EQ("1", Amy("Inn"));
  EXPECT_EQ("2", Amy("BodyGuards"));
  EXPECT_EQ("0", Amy("Status"));

  // The next entry wakes at the inn, which frees the room.
  Caller caller;
  caller.user_name = "amy";
  SessionOptions o = dir_.CallerSession(launch_, caller);
  o.args.push_back("-nomaint");
  Session again(std::move(o));
  ASSERT_TRUE(again.WaitForCursor(17, 54));
  again.Send("e");
  ASSERT_TRUE(again.WaitFor("No one else is online.."));
  again.Send(" ");
  ASSERT_TRUE(again.WaitFor("Read Daily Realm News (y/n)? "));
  again.Send("n");
  ASSERT_TRUE(again.WaitFor("Would you like to leave the Inn (y/n)? "));
  again.Send("y");
  ASSERT_TRUE(again.WaitFor("You wake up after a restful stay at the inn.."));
  again.Send(" ");
  ASSERT_TRUE(again.WaitForCursor(21, 26));
  EXPECT_EQ("", Amy("Inn"));
  EXPECT_EQ("0", Amy("BodyGuards"));
}

// Gold enough for two rooms: the user still sleeps in one and pays once.
TEST_F(TownSessionTest, TwoSessionsOfOneUserPayForOneRoomOnce) {
  dir_.Exec("UPDATE player SET Gold='2500000' WHERE UserName='amy'");
  auto one = OnMainStreet(1);
  auto two = OnMainStreet(2, true);
  ASSERT_NO_FATAL_FAILURE(AskForTwoHumans(*one));
  ASSERT_NO_FATAL_FAILURE(AskForTwoHumans(*two));
  one->Send("y");
  two->Send("y");
  int slept = 0;
  for (Session* s : {one.get(), two.get()}) {
    ASSERT_TRUE(s->WaitUntil(
        [](const Screen&, const std::string& text) {
          return text.find("fall asleep!") != std::string::npos ||
                 text.find("You already have a room at the Inn!") != std::string::npos;
        },
        "a night at the inn or the refusal"));
    if (s->ScreenText().find("fall asleep!") != std::string::npos) {
      // The line drops at the guard line: the room is already paid for.
      ++slept;
      s->HangUp();
      EXPECT_TRUE(s->ExitsWith(10, kEndWait));
    } else {
      s->Send(" ");
      EXPECT_TRUE(s->WaitFor("Your Selection: "));  // still at the inn's counter
    }
  }
  EXPECT_EQ(1, slept);
  EXPECT_EQ("1500000", Amy("Gold"));
  EXPECT_EQ("1", Amy("Inn"));
  EXPECT_EQ("2", Amy("BodyGuards"));
}

TEST_F(TownSessionTest, BothPartnersDivorcingAtOnceEndTheMarriageOnce) {
  dir_.Exec(
      "INSERT INTO marriage (Partner1,Partner1UserName,Partner2,Partner2UserName,Kids,"
      "DateMarried) VALUES ('Ben','ben','Amy','amy',3,'March     02, 2025')");
  std::unique_ptr<Session> partners[2];
  const char* const users[2] = {"amy", "ben"};
  for (int i = 0; i < 2; ++i) {
    partners[i] = OnMainStreet(i + 1, i > 0, users[i]);
    Session& s = *partners[i];
    s.Send("c");
    ASSERT_TRUE(s.WaitForCursor(22, 16));
    s.Send("m");
    ASSERT_TRUE(s.WaitFor("Number of kids: 3"));
    s.Send("d");
    ASSERT_TRUE(s.WaitFor("Really go through with divorce (y/N)? "));
  }
  for (auto& s : partners) s->Send("y");
  int divorced = 0;
  for (auto& s : partners) {
    ASSERT_TRUE(s->WaitUntil(
        [](const Screen&, const std::string& text) {
          return text.find("marriage papers in two") != std::string::npos ||
                 text.find("Your not currently married!") != std::string::npos;
        },
        "the divorce or the news that there is none"));
    divorced += s->ScreenText().find("marriage papers in two") != std::string::npos;
  }
  EXPECT_EQ(1, divorced);
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM marriage"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM news WHERE Title LIKE '%MARRIAGE NEWS'"));
  EXPECT_EQ(2, dir_.QueryInt("SELECT COUNT(DISTINCT UserName) FROM usernews WHERE "
                             "Line1='DIVORCED'"));
}

}  // namespace
}  // namespace trv::harness
