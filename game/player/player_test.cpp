// The character-and-gold module: lenient amounts, the gold units and their
// refusals, the session count, posts and the High Lord record.
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/player/bounties.h"
#include "game/player/caller.h"
#include "game/player/character.h"
#include "game/player/gold.h"
#include "game/player/high_lord.h"
#include "game/ui/game_date.h"
#include "tests/support/in_process.h"

namespace trv::player {
namespace {

using db::Exec;
using db::Query;
using db::TableName;
using Purenum::Integer;

TEST(Amount, DamagedTextIsNothingAndRealAmountsKeepEveryDigit) {
  const struct {
    const char* stored;
    const char* amount;
    const char* non_negative;
  } kCases[] = {
      {nullptr, "0", "0"},
      {"", "0", "0"},
      {"abc", "0", "0"},
      {"12x", "0", "0"},
      {"-", "0", "0"},
      {"+3", "0", "0"},
      {"1e5", "0", "0"},
      {" 7", "0", "0"},
      {"-5", "-5", "0"},
      {"007", "7", "7"},
      {"123456789012345678901234567890", "123456789012345678901234567890",
       "123456789012345678901234567890"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.amount, Amount(c.stored).str()) << (c.stored ? c.stored : "NULL");
    EXPECT_EQ(c.non_negative, NonNegativeAmount(c.stored).str()) << (c.stored ? c.stored : "NULL");
  }
}

TEST(HighLordRecord, FieldsOfTheRecord) {
  std::string record(kHighLordRecordSize, '\0');
  record.replace(0, 4, "Lord");
  record.replace(21, 5, "sysop");
  auto parsed = ParseHighLordRecord(record.data(), record.size());
  ASSERT_TRUE(parsed);
  EXPECT_EQ("Lord", parsed->player_name);
  EXPECT_EQ("sysop", parsed->user_name);
  EXPECT_FALSE(ParseHighLordRecord(record.data(), 86));
  record.replace(0, 21, std::string(21, 'x'));  // a name without its terminator stops at 21
  EXPECT_EQ(std::string(21, 'x'), ParseHighLordRecord(record.data(), 87)->player_name);
}

TEST(HighLordRecord, WrittenFieldsAreCutToKeepTheirTerminatorAndZeroed) {
  const std::string bytes = FormatHighLordRecord(
      {std::string(30, 'n'), std::string(40, 'u'), CrownDate(*GameDate::Of(2024, 5, 5))});
  ASSERT_EQ(kHighLordRecordSize, bytes.size());
  const HighLordRecord back = *ParseHighLordRecord(bytes.data(), bytes.size());
  EXPECT_EQ(std::string(20, 'n'), back.player_name);
  EXPECT_EQ(std::string(35, 'u'), back.user_name);
  EXPECT_EQ("May       05, 2024", back.crowned_on);
  EXPECT_EQ(std::string(12, '\0'), bytes.substr(75));  // the date field's rest
  EXPECT_EQ("September 30, 1999", CrownDate(*GameDate::Of(1999, 9, 30)));
}

class PlayerTest : public test::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    BeCaller("amy");
    test::Character amy("amy", "Amy");
    amy.gold = "1000";
    amy.bank_gold = "50";
    test::AddCharacter(amy);
    test::AddCharacter(test::Character("ben", "Ben"));
  }
  static std::string Column(const char* column, const char* user) {
    return Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", column, TableName(db::kPlayer),
                 user)
        .Text(0, 0);
  }
  static std::string Gold(const char* user) { return Column("Gold", user); }
};

TEST_F(PlayerTest, TheCallersRowIsReadByHisUserName) {
  EXPECT_STREQ("amy", CallerUserName());
  EXPECT_EQ("Amy", CallerPlayerName());
  EXPECT_EQ("1000", CallerText("Gold"));
  EXPECT_EQ(1, CallerInt("Level"));
  SetCallerPlace("At the Bank");
  EXPECT_EQ("At the Bank", CallerPlace());
  EXPECT_EQ("", Column("WhereInGame", "ben"));
  EXPECT_TRUE(CharacterNameTaken("aMY"));
  EXPECT_FALSE(CharacterNameTaken("Amy2"));
  BeCaller("nobody");
  EXPECT_EQ("", CallerPlayerName());
  EXPECT_EQ(0, CallerInt("Level"));
  EXPECT_TRUE(CallerRow("PlayerName,Level").empty());
}

TEST_F(PlayerTest, TakesAreRefusedOrCutToWhatThePurseHolds) {
  const struct {
    const char* held;
    long amount;
    Shortfall shortfall;
    GoldOutcome outcome;
    const char* moved;
    const char* left;
  } kCases[] = {
      {"1000", 400, Shortfall::kRefuse, GoldOutcome::kMoved, "400", "600"},
      {"1000", 1000, Shortfall::kRefuse, GoldOutcome::kMoved, "1000", "0"},
      {"1000", 1001, Shortfall::kRefuse, GoldOutcome::kNotEnough, "0", "1000"},
      {"1000", 1001, Shortfall::kTakeWhatThereIs, GoldOutcome::kMoved, "1000", "0"},
      {"-20", 5, Shortfall::kTakeWhatThereIs, GoldOutcome::kMoved, "0", "-20"},  // a debt stays
      {"-20", 5, Shortfall::kRefuse, GoldOutcome::kNotEnough, "0", "-20"},
      {"junk", 5, Shortfall::kRefuse, GoldOutcome::kNotEnough, "0", "junk"},
      {"junk", 0, Shortfall::kRefuse, GoldOutcome::kMoved, "0", "0"},  // read as 0, written back
      {"1000", -5, Shortfall::kTakeWhatThereIs, GoldOutcome::kNotEnough, "0", "1000"},
  };
  for (const auto& c : kCases) {
    Exec(db::kPlayer, "UPDATE %s SET Gold=%Q WHERE UserName='amy'", TableName(db::kPlayer), c.held);
    GoldMove move = TakeGold("amy", c.amount, Purse::kOnHand, c.shortfall);
    EXPECT_EQ(c.outcome, move.outcome) << c.held << " - " << c.amount;
    EXPECT_EQ(c.moved, move.moved.str()) << c.held << " - " << c.amount;
    EXPECT_EQ(c.left, Gold("amy")) << c.held << " - " << c.amount;
  }
}

TEST_F(PlayerTest, AddsAndMovesGoReadUnderTheLockAndToTheRightPurse) {
  EXPECT_TRUE(AddGold("ben", Integer("99999999999999999999"), Purse::kBank));
  EXPECT_EQ("1", AddGold("ben", 1, Purse::kBank).moved.str());
  EXPECT_EQ("100000000000000000000", Column("BankGold", "ben"));
  EXPECT_EQ(GoldOutcome::kNotEnough, AddGold("ben", -1).outcome);

  // A deposit: one character, two purses.
  EXPECT_EQ("600", MoveGold("amy", Purse::kOnHand, "amy", Purse::kBank, 600).moved.str());
  EXPECT_EQ("400", Gold("amy"));
  EXPECT_EQ("650", Column("BankGold", "amy"));
  // A theft of more than there is takes what there is.
  GoldMove theft =
      MoveGold("amy", Purse::kOnHand, "ben", Purse::kOnHand, 1000, Shortfall::kTakeWhatThereIs);
  EXPECT_EQ("400", theft.moved.str());
  EXPECT_EQ("0", Gold("amy"));
  EXPECT_EQ("500", Gold("ben"));
  EXPECT_EQ(GoldOutcome::kNotEnough,
            MoveGold("ben", Purse::kOnHand, "amy", Purse::kOnHand, 501).outcome);
  EXPECT_EQ("500", Gold("ben"));
}

TEST_F(PlayerTest, ACharacterDeletedMeanwhileMovesNothing) {
  EXPECT_EQ(GoldOutcome::kNoCharacter, AddGold("gone", 5).outcome);
  EXPECT_EQ(GoldOutcome::kNoCharacter, TakeGold("gone", 5).outcome);
  // The receiver is gone: the take is rolled back with it.
  GoldMove move = MoveGold("amy", Purse::kOnHand, "gone", Purse::kOnHand, 300);
  EXPECT_FALSE(move);
  EXPECT_EQ(GoldOutcome::kNoCharacter, move.outcome);
  EXPECT_EQ("0", move.moved.str());
  EXPECT_EQ("1000", Gold("amy"));
}

TEST_F(PlayerTest, TwoNodesTakingAtOnceTakeWhatIsThereOnce) {
  test::Signal go;
  std::vector<pid_t> nodes;
  for (int i = 0; i < 2; ++i) {
    nodes.push_back(test::SpawnNode([&] {
      db::Open();
      if (!go.Wait(10000)) return 2;
      return TakeGold("amy", 600) ? 10 : 11;
    }));
  }
  go.Raise(2);
  std::vector<int> results;
  for (pid_t node : nodes) results.push_back(test::WaitNode(node, 20000));
  std::sort(results.begin(), results.end());
  EXPECT_EQ((std::vector<int>{10, 11}), results);
  EXPECT_EQ("400", Gold("amy"));
}

TEST_F(PlayerTest, TheSessionIsUncountedOnceAndNeverBelowZero) {
  auto count = [] {
    return Query(db::kState, "SELECT NumPlayers FROM %s", TableName(db::kState)).Int(0, 0);
  };
  Exec(db::kState, "UPDATE %s SET NumPlayers=2", TableName(db::kState));
  UncountSession();  // never counted
  EXPECT_EQ(2, count());
  SetSessionCounted(true);
  UncountSession();
  UncountSession();
  EXPECT_EQ(1, count());
  EXPECT_FALSE(SessionCounted());
  // A forced maintenance run cleared the count while the caller played.
  Exec(db::kState, "UPDATE %s SET NumPlayers=0", TableName(db::kState));
  SetSessionCounted(true);
  UncountSession();
  EXPECT_EQ(0, count());
}

TEST_F(PlayerTest, PostsAreClearedInEveryKingdomAndTheThroneOnlyWhenAsked) {
  test::Kingdom avalon(1, "Avalon", "Amy", "amy");
  avalon.more = "Baron='Amy',BaronUserName='amy',Royal='Ben',RoyalUserName='ben'";
  test::AddKingdom(avalon);
  test::Kingdom bree(2, "Bree", "Ben", "ben");
  bree.more = "Prince='Amy',PrinceUserName='amy',Princess='Amy',PrincessUserName='amy'";
  test::AddKingdom(bree);
  auto posts = [] {
    db::ResultTable k = Query(db::kKingdom,
                              "SELECT group_concat(RulerUserName||'/'||PrinceUserName||'/'||"
                              "PrincessUserName||'/'||BaronUserName||'/'||RoyalUserName,' ') "
                              "FROM (SELECT * FROM %s ORDER BY IDNum)",
                              TableName(db::kKingdom));
    return std::string(k.Text(0, 0));
  };
  ClearPosts("amy");
  EXPECT_EQ("amy////ben ben////", posts());
  ClearPosts("ben", Posts::kNoblesAndThrone);
  EXPECT_EQ("amy//// ////", posts());
}

TEST_F(PlayerTest, TheTitleDiesOnlyWithItsHolder) {
  auto write = [](const std::string& bytes) {
    FILE* f = fopen(kHighLordFile, "wb");
    ASSERT_NE(nullptr, f);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  };
  std::string record(kHighLordRecordSize, '\0');
  record.replace(0, 3, "Amy");
  record.replace(21, 3, "amy");
  write(record);
  ASSERT_TRUE(ReadHighLord());
  EXPECT_EQ("amy", ReadHighLord()->user_name);
  DropHighLordTitle("Ben");
  EXPECT_EQ(0, access(kHighLordFile, F_OK));
  DropHighLordTitle("Amy");
  EXPECT_NE(0, access(kHighLordFile, F_OK));
  DropHighLordTitle("Amy");  // no file: nothing to do
  write("Amy");              // a short record still names its holder
  EXPECT_FALSE(ReadHighLord());
  DropHighLordTitle("Amy");
  EXPECT_NE(0, access(kHighLordFile, F_OK));
}

TEST_F(PlayerTest, TheTitlePassesOnlyFromTheHolderJustSeen) {
  EXPECT_EQ(TitleState::kVacant, ReadHighLordTitle().state);  // no file
  EXPECT_EQ(Crowning::kCrowned, WriteHighLord(""));
  HighLordTitle title = ReadHighLordTitle();
  ASSERT_EQ(TitleState::kHeld, title.state);
  EXPECT_EQ("Amy", title.holder.player_name);
  EXPECT_EQ(CrownDate(GameDate::Today()), title.holder.crowned_on);
  EXPECT_EQ(CrownDate(GameDate::Today()), ReadHighLord()->crowned_on);

  BeCaller("ben");
  EXPECT_EQ(Crowning::kTitleMoved, WriteHighLord(""));  // no longer vacant
  EXPECT_EQ(Crowning::kTitleMoved, WriteHighLord("cat"));
  EXPECT_EQ(Crowning::kCrowned, WriteHighLord("amy"));  // he beat her
  BeCaller("amy");
  EXPECT_EQ(Crowning::kTitleMoved, WriteHighLord("amy"));
  EXPECT_EQ("Ben", ReadHighLordTitle().holder.player_name);

  // A holder whose character is gone leaves the title open.
  Exec(db::kPlayer, "DELETE FROM %s WHERE UserName='ben'", TableName(db::kPlayer));
  EXPECT_EQ(TitleState::kVacant, ReadHighLordTitle().state);
  EXPECT_EQ(Crowning::kCrowned, WriteHighLord(""));
  EXPECT_EQ("amy", ReadHighLord()->user_name);

  // A file that cannot be read is not a vacancy.
  ASSERT_EQ(0, remove(kHighLordFile));
  ASSERT_EQ(0, mkdir(kHighLordFile, 0700));
  EXPECT_EQ(TitleState::kBusy, ReadHighLordTitle().state);
  EXPECT_EQ(Crowning::kBusy, WriteHighLord(""));
  rmdir(kHighLordFile);
}

TEST_F(PlayerTest, BountiesArePaidOncePosterByPosterAndTheRestStay) {
  auto post = [](const char* wanted, const char* bounty, const char* by) {
    Exec(db::kPoster, "INSERT INTO %s (Wanted,Bounty,SetByUsername) VALUES (%Q,%Q,%Q)",
         TableName(db::kPoster), wanted, bounty, by);
  };
  post("Ben", "300", "Amy");
  post("Cat", "50", "Amy");
  post("Ben", "12x", "Dan");  // damaged: worth nothing, still taken down
  post("Ben", "1000000000000000000000", "Eve");
  const BountyPayout payout = CollectBounties("Ben", "amy");
  EXPECT_EQ("1000000000000000000300", payout.total.str());
  ASSERT_EQ(3u, payout.paid.size());
  EXPECT_EQ("Dan", payout.paid[1].set_by);
  EXPECT_EQ("1000000000000000001300", Gold("amy"));
  ASSERT_EQ(1u, ReadBounties().size());
  EXPECT_EQ("Cat", ReadBounties()[0].wanted);
  EXPECT_TRUE(CollectBounties("Ben", "amy").paid.empty());
  EXPECT_TRUE(CollectBounties("Cat", "nobody").paid.empty());  // no collector: nothing moves
  EXPECT_EQ(1u, ReadBounties("Cat").size());
  EXPECT_EQ("amy", UserNameOf("Amy"));
  EXPECT_EQ("", UserNameOf("Nobody"));
}

}  // namespace
}  // namespace trv::player
