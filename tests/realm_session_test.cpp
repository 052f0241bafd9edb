// Entering the realm as callers do: a first-time caller's character and
// kingdom, the entry checks, Main Street, and several callers at once.
#include <stdio.h>

#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // the closing screen pauses 2 s

struct Hero {
  std::string name = "Galahad";
  char gender = 'm';
  char father = '1', mother = '1', first_class = '1', second_class = '1', guild = '1';
};

class RealmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVLaunch");
    ASSERT_FALSE(built.empty()) << "TRVLaunch was not built";
    launch_ = dir_.LinkProgram(built);
    for (int table : {db::kPlayer, db::kState, db::kNode, db::kKingdom, db::kNews, db::kUserNews})
      dir_.Exec(db::CreationStatement(table));
  }

  std::unique_ptr<Session> AtTitle(const std::string& user) {
    Caller caller;
    caller.user_name = user;
    SessionOptions o = dir_.CallerSession(launch_, caller);
    o.args.push_back("-nomaint");
    o.seed = 11;
    auto s = std::make_unique<Session>(std::move(o));
    EXPECT_TRUE(s->WaitForCursor(17, 54));
    return s;
  }

  // A title screen, then E.
  std::unique_ptr<Session> Enter(const std::string& user) {
    auto s = AtTitle(user);
    s->Send("e");
    return s;
  }

  // A finished character, off-line.
  void AddCharacter(const std::string& user, const std::string& name, const std::string& kingdom,
                    const std::string& extra = "") {
    test::Character c(user, name);
    c.kingdom = kingdom;
    c.more = extra;
    dir_.AddCharacter(c);
  }

  void AddKingdom(int slot, const std::string& name, const std::string& ruler,
                  const std::string& ruler_user) {
    test::Kingdom k(slot, name, ruler, ruler_user);
    k.tax_rate = 20;
    dir_.AddKingdom(k);
  }

  // Creation from the Join question to the kingdom selection.
  static void CreateCharacter(Session& s, const Hero& h) {
    ASSERT_TRUE(s.WaitFor("Join the Realm"));
    s.Send("y");
    ASSERT_TRUE(s.WaitForCursor(7, 17));
    s.SendLine(h.name);
    ASSERT_TRUE(s.WaitFor("is what you want"));
    s.Send("y");
    ASSERT_TRUE(s.WaitFor("emale? "));
    s.Send(std::string(1, h.gender));
    ChooseStats(s, h);
  }

  static void ChooseStats(Session& s, const Hero& h) {
    ASSERT_TRUE(s.WaitFor("Select First Race:"));
    ASSERT_TRUE(s.WaitFor("Your Selection:"));
    s.Send(std::string(1, h.father));
    ASSERT_TRUE(s.WaitFor("Your father was a "));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("Your Selection:"));
    s.Send(std::string(1, h.mother));
    ASSERT_TRUE(s.WaitFor("Your selected race: "));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("it's time to choose your player classes.."));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("Your Selection:"));
    s.Send(std::string(1, h.first_class));
    ASSERT_TRUE(s.WaitFor("Your First Class Selection: "));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("Your Selection:"));
    s.Send(std::string(1, h.second_class));
    ASSERT_TRUE(s.WaitFor("Your Class Selections: "));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("it's time to choose your guild membership.."));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("Select Guild:"));
    ASSERT_TRUE(s.WaitFor("Your Selection:"));
    s.Send(std::string(1, h.guild));
    ASSERT_TRUE(s.WaitFor("guild!"));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("Choose Kingdom: "));
  }

  // From the kingdom selection to the tax screen.
  static void NameKingdom(Session& s, const std::string& name) {
    s.Send("c");
    ASSERT_TRUE(s.WaitFor("Name Thy Kingdom: "));
    s.SendLine(name);
    ASSERT_TRUE(s.WaitFor("is what you want"));
  }

  static void SetTaxes(Session& s, const std::string& tax, const std::string& merchant,
                       char advantage) {
    ASSERT_TRUE(s.WaitFor("Tax Rate (0-60): "));
    s.SendLine(tax);
    ASSERT_TRUE(s.WaitFor("Merchant Rate (0-40): "));
    s.SendLine(merchant);
    ASSERT_TRUE(s.WaitFor("Your Choice: "));
    s.Send(std::string(1, advantage));
  }

  static void Join(Session& s, char slot) {
    s.Send(std::string(1, slot));
    ASSERT_TRUE(s.WaitFor(")? "));
    s.Send("y");
  }

  // The story pages and the commands page, then the entry list.
  static void StoryPages(Session& s) {
    for (const char* page : {"Part One:", "Part Two:", "Part Three:", "Before you begin:"}) {
      ASSERT_TRUE(s.WaitFor(page));
      ASSERT_TRUE(s.WaitFor(page[0] == 'B' ? "BBS door game..." : "."));
      // Each page prints below the art of Skins/INFO.ANS, from row 6.
      EXPECT_NE(std::string::npos, s.screen()->Row(6).find(page)) << s.screen()->Row(6);
      s.Send(" ");
    }
    ASSERT_TRUE(s.WaitFor("New Global Commands"));
    ASSERT_TRUE(s.WaitFor("Continue"));
    s.Send(" ");
  }

  // From the entry list to Main Street (no dead, inn or throne stops).
  static void ToMainStreet(Session& s, bool others_online = false) {
    ASSERT_TRUE(s.WaitFor(others_online ? "Press Any Key" : "No one else is online.."));
    s.Send(" ");
    ASSERT_TRUE(s.WaitFor("Read Daily Realm News (y/n)? "));
    s.Send("n");
    ASSERT_TRUE(s.WaitForCursor(21, 26));
  }

  static void Quit(Session& s) {
    s.Send("q");
    ASSERT_TRUE(s.WaitFor("Thank you for playing!!"));
    ASSERT_TRUE(s.ExitsWith(10, kEndWait));
  }

  std::string Query(const std::string& sql) { return dir_.Query(sql); }
  long long Count(const std::string& sql) { return dir_.QueryInt(sql); }
  std::string Player(const std::string& column, const std::string& user) {
    return Query("SELECT " + column + " FROM player WHERE UserName='" + user + "'");
  }

  GameDir dir_;
  std::string launch_;
};

TEST_F(RealmTest, NewCallerFoundsAKingdomAndReachesMainStreet) {
  auto s = Enter("alice");
  ASSERT_NO_FATAL_FAILURE(CreateCharacter(*s, Hero{}));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM config"));  // the world options came first
  ASSERT_NO_FATAL_FAILURE(NameKingdom(*s, "Avalon"));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Tax Rate (0-60): "));
  s->SendLine("61");
  ASSERT_TRUE(s->WaitFor("Invalid number!"));
  s->Send("\r");
  ASSERT_TRUE(s->WaitFor("Tax Rate (0-60): "));
  s->SendLine("60");
  s->SendLine("41");
  ASSERT_TRUE(s->WaitFor("Invalid number!"));
  s->Send("\r");
  ASSERT_NO_FATAL_FAILURE(SetTaxes(*s, "60", "40", '2'));
  ASSERT_NO_FATAL_FAILURE(StoryPages(*s));
  EXPECT_NE(std::string::npos, s->ScreenText().find("$10,000 gold"));
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*s));
  EXPECT_NE(std::string::npos, s->screen()->Row(21).find("Where to, adventurer?"));
  // The legend offers the places that exist, and nothing else.
  std::string street;
  for (int row = 8; row <= 18; ++row) street += s->screen()->Row(row);
  EXPECT_NE(std::string::npos, street.find("[1] World Options"));
  EXPECT_NE(std::string::npos, street.find("[Q] Quit to the BBS"));

  // Human, Human, Gladiator, Gladiator.
  EXPECT_EQ("52", Player("Agility", "alice"));
  EXPECT_EQ("51", Player("Mental", "alice"));
  EXPECT_EQ("29", Player("HP", "alice"));
  EXPECT_EQ("29", Player("MaxHP", "alice"));
  EXPECT_EQ("4", Player("MagicPower", "alice"));
  EXPECT_EQ("Warrior", Player("Guild", "alice"));
  EXPECT_EQ("10000", Player("Gold", "alice"));
  EXPECT_EQ("Avalon", Player("Kingdom", "alice"));
  EXPECT_EQ("1", Player("Status", "alice"));
  EXPECT_EQ("Main Street", Player("WhereInGame", "alice"));
  EXPECT_EQ(1, Count("SELECT NumPlayers FROM state"));
  auto k = dir_.QueryRows(
      "SELECT IDNum,Ruler,RulerUserName,TaxRate,MerchantTax,Soldiers,Serfs,Treasury FROM kingdom");
  ASSERT_EQ(1u, k.size());
  EXPECT_EQ(
      (std::vector<std::string>{"1", "Galahad", "alice", "60", "40", "6000", "10000", "50000000"}),
      k[0]);
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM news WHERE Title LIKE '%NEW PLAYER - Galahad' AND "
                     "Line2='Ruler of Kingdom Avalon'"));
  ASSERT_NO_FATAL_FAILURE(Quit(*s));
  EXPECT_EQ(0, Count("SELECT NumPlayers FROM state"));
}

TEST_F(RealmTest, ASecondCallerJoinsAndTheRealmSeesTheArrivalAndTheDeparture) {
  AddKingdom(1, "Avalon", "Galahad", "alice");
  AddCharacter("alice", "Galahad", "Avalon");
  auto a = Enter("alice");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*a));

  auto b = Enter("bob");
  Hero elf;
  elf.name = "Bree";
  elf.gender = 'f';
  elf.father = elf.mother = '2';
  elf.first_class = '7';
  elf.second_class = '8';
  elf.guild = '2';
  ASSERT_NO_FATAL_FAILURE(CreateCharacter(*b, elf));
  ASSERT_NO_FATAL_FAILURE(Join(*b, '1'));
  ASSERT_NO_FATAL_FAILURE(StoryPages(*b));
  ASSERT_TRUE(b->WaitFor("Galahad"));  // the entry list shows who is here
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*b, true));
  EXPECT_EQ("Avalon", Player("Kingdom", "bob"));
  EXPECT_EQ("Female", Player("Gender", "bob"));
  EXPECT_EQ(std::to_string(12 + 5 + 20 + 16), Player("MagicPower", "bob"));
  EXPECT_EQ("Black Art", Player("Guild", "bob"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM news WHERE Line2='New citizen of Kingdom Avalon'"));
  EXPECT_EQ(2, Count("SELECT NumPlayers FROM state"));

  a->Send("\r");  // Main Street polls on its next turn
  ASSERT_TRUE(a->WaitFor("Realm News"));
  ASSERT_TRUE(a->WaitFor("Bree has entered the realm!"));
  a->Send(" ");
  ASSERT_TRUE(a->WaitForCursor(21, 26));

  ASSERT_NO_FATAL_FAILURE(Quit(*b));
  a->Send("\r");
  ASSERT_TRUE(a->WaitFor("Bree has left the realm.."));
  a->Send(" ");
  ASSERT_TRUE(a->WaitForCursor(21, 26));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
  ASSERT_NO_FATAL_FAILURE(Quit(*a));
}

TEST_F(RealmTest, NamesAreTrimmedUniqueInAnyCaseAndFreeOfMarkup) {
  AddKingdom(1, "Avalon", "Galahad", "alice");
  AddCharacter("alice", "Galahad", "Avalon");
  auto s = Enter("carol");
  ASSERT_TRUE(s->WaitFor("Join the Realm"));
  s->Send("y");
  ASSERT_TRUE(s->WaitForCursor(7, 17));
  s->SendLine("   ");  // blank: creation starts over
  ASSERT_TRUE(s->WaitFor("Join the Realm"));
  s->Send("y");
  ASSERT_TRUE(s->WaitForCursor(7, 17));
  s->SendLine("  gALAHAD ");
  ASSERT_TRUE(s->WaitFor("Sorry, that name is already in use.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Join the Realm"));
  s->Send("y");
  ASSERT_TRUE(s->WaitForCursor(7, 17));
  s->SendLine("Bad`bright red`Name");
  ASSERT_TRUE(s->WaitFor("Sorry, a name cannot hold that character.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Join the Realm"));
  s->Send("y");
  ASSERT_TRUE(s->WaitForCursor(7, 17));
  s->SendLine("Sir Percival of Wales");  // 21 characters: the input stops at 20
  ASSERT_TRUE(s->WaitFor("Sir Percival of Wale is what you want"));
  s->Send("n");
  ASSERT_TRUE(s->WaitFor("Join the Realm"));
  s->Send("y");
  ASSERT_TRUE(s->WaitForCursor(7, 17));
  s->SendLine("  Percival  ");
  ASSERT_TRUE(s->WaitFor("Percival is what you want"));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("emale? "));
  s->Send("m");
  ASSERT_TRUE(s->WaitFor("Select First Race:"));
  EXPECT_EQ("Percival", Player("PlayerName", "carol"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM player WHERE PlayerName LIKE 'gal%' AND "
                     "UserName='carol'"));
  // A line dropped during creation leaves no half-made character.
  s->HangUp();
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM player WHERE UserName='carol'"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM player"));
  EXPECT_EQ(0, Count("SELECT NumPlayers FROM state"));
}

TEST_F(RealmTest, ADroppedLineLeavesNoHalfMadeKingdom) {
  // At the naming prompt: nothing is made.
  auto s = Enter("dave");
  ASSERT_NO_FATAL_FAILURE(CreateCharacter(*s, Hero{}));
  ASSERT_NO_FATAL_FAILURE(NameKingdom(*s, "Lost Cause"));
  s->HangUp();
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM player"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM kingdom"));

  // At the tax screen: the kingdom is complete with the recommended taxes
  // and its founder is a complete character.
  auto t = Enter("dave");
  ASSERT_NO_FATAL_FAILURE(CreateCharacter(*t, Hero{}));
  ASSERT_NO_FATAL_FAILURE(NameKingdom(*t, "Half Built"));
  t->Send("y");
  ASSERT_TRUE(t->WaitFor("Tax Rate (0-60): "));
  t->HangUp();
  ASSERT_TRUE(t->ExitsWith(10, kEndWait));
  auto k = dir_.QueryRows(
      "SELECT Name,RulerUserName,TaxRate,MerchantTax,Soldiers,Serfs,Land,Treasury,Dip3War "
      "FROM kingdom");
  ASSERT_EQ(1u, k.size());
  EXPECT_EQ((std::vector<std::string>{"Half Built", "dave", "25", "15", "1000", "10000", "1200",
                                      "50000000", "0"}),
            k[0]);
  EXPECT_EQ("Half Built", Player("Kingdom", "dave"));
  EXPECT_EQ("Warrior", Player("Guild", "dave"));
}

TEST_F(RealmTest, TwoCallersFoundingTheLastSlotAtOnceGetOneKingdom) {
  for (int slot = 1; slot <= 4; ++slot) AddKingdom(slot, "Realm" + std::to_string(slot), "X", "x");
  auto a = Enter("amy");
  auto b = Enter("ben");
  Hero ha, hb;
  ha.name = "Amy";
  hb.name = "Ben";
  ASSERT_NO_FATAL_FAILURE(CreateCharacter(*a, ha));
  ASSERT_NO_FATAL_FAILURE(CreateCharacter(*b, hb));
  ASSERT_NO_FATAL_FAILURE(NameKingdom(*a, "Amyland"));
  ASSERT_NO_FATAL_FAILURE(NameKingdom(*b, "Benland"));
  a->Send("y");
  b->Send("y");
  // One founds the fifth kingdom; the other goes back to the selection.
  ASSERT_TRUE(a->WaitUntil(
      [](const Screen&, const std::string& text) {
        return text.find("Tax Rate (0-60): ") != std::string::npos ||
               text.find("Please join an existing one.") != std::string::npos;
      },
      "a founding outcome"));
  const bool amy_won = a->TextAfterMark().find("Tax Rate (0-60)") != std::string::npos;
  Session& winner = amy_won ? *a : *b;
  Session& loser = amy_won ? *b : *a;
  ASSERT_TRUE(loser.WaitFor("Sorry, cannot create anymore kingdoms. Please join an existing one."));
  loser.Send(" ");
  ASSERT_TRUE(loser.WaitFor("Choose Kingdom: "));
  ASSERT_NO_FATAL_FAILURE(Join(loser, '5'));
  ASSERT_NO_FATAL_FAILURE(SetTaxes(winner, "25", "15", '1'));
  ASSERT_NO_FATAL_FAILURE(StoryPages(winner));
  ASSERT_NO_FATAL_FAILURE(StoryPages(loser));
  const std::string won = amy_won ? "Amyland" : "Benland";
  EXPECT_EQ(5, Count("SELECT COUNT(*) FROM kingdom"));
  EXPECT_EQ(won, Query("SELECT Name FROM kingdom WHERE IDNum=5"));
  EXPECT_EQ("40000", Query("SELECT Serfs FROM kingdom WHERE IDNum=5"));
  EXPECT_EQ(2, Count("SELECT COUNT(*) FROM player WHERE Kingdom='" + won + "'"));
}

TEST_F(RealmTest, TwoCallersChoosingOneNameAtOnceGetItOnce) {
  auto a = Enter("amy");
  auto b = Enter("ben");
  for (Session* s : {a.get(), b.get()}) {
    ASSERT_TRUE(s->WaitFor("Join the Realm"));
    s->Send("y");
    ASSERT_TRUE(s->WaitForCursor(7, 17));
    s->SendLine("Twin");
    ASSERT_TRUE(s->WaitFor("is what you want"));
    s->Send("y");
    ASSERT_TRUE(s->WaitFor("emale? "));
  }
  a->Send("m");
  b->Send("f");
  ASSERT_TRUE(a->WaitUntil(
      [](const Screen&, const std::string& text) {
        return text.find("Select First Race:") != std::string::npos ||
               text.find("already in use") != std::string::npos;
      },
      "a naming outcome"));
  const bool amy_won = a->TextAfterMark().find("Select First Race") != std::string::npos;
  Session& winner = amy_won ? *a : *b;
  Session& loser = amy_won ? *b : *a;
  ASSERT_TRUE(loser.WaitFor("Sorry, that name is already in use.."));
  loser.Send(" ");
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM player WHERE PlayerName='Twin'"));
  EXPECT_EQ(amy_won ? "amy" : "ben", Query("SELECT UserName FROM player WHERE PlayerName='Twin'"));

  // The same kingdom name at the same moment, with room for both.
  Hero h;
  h.name = "Other";
  ASSERT_NO_FATAL_FAILURE(CreateCharacter(loser, h));
  ASSERT_NO_FATAL_FAILURE(ChooseStats(winner, Hero{}));
  ASSERT_NO_FATAL_FAILURE(NameKingdom(winner, "Twinholm"));
  ASSERT_NO_FATAL_FAILURE(NameKingdom(loser, "Twinholm"));
  winner.Send("y");
  loser.Send("y");
  ASSERT_TRUE(winner.WaitUntil(
      [](const Screen&, const std::string& text) {
        return text.find("Tax Rate (0-60)") != std::string::npos ||
               text.find("kingdom name is already in use") != std::string::npos;
      },
      "a founding outcome"));
  const bool first_won = winner.TextAfterMark().find("Tax Rate (0-60)") != std::string::npos;
  Session& founder = first_won ? winner : loser;
  Session& second = first_won ? loser : winner;
  ASSERT_TRUE(second.WaitFor("Sorry, that kingdom name is already in use.."));
  second.Send(" ");
  ASSERT_TRUE(second.WaitFor("Name Thy Kingdom: "));
  second.SendLine("Elsewhere");
  ASSERT_TRUE(second.WaitFor("is what you want"));
  second.Send("y");
  ASSERT_NO_FATAL_FAILURE(SetTaxes(founder, "1", "2", '3'));
  ASSERT_NO_FATAL_FAILURE(SetTaxes(second, "3", "4", '4'));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM kingdom WHERE Name='Twinholm' COLLATE NOCASE"));
  EXPECT_EQ(2, Count("SELECT COUNT(*) FROM kingdom"));
}

TEST_F(RealmTest, TwoMembersTakingTheVacantThroneAtOnceCrownOne) {
  AddKingdom(1, "Old Realm", "", "");
  AddCharacter("amy", "Amy", "Old Realm");
  AddCharacter("ben", "Ben", "Old Realm");
  auto a = Enter("amy");
  ASSERT_TRUE(a->WaitFor("No one else is online.."));
  a->Send(" ");
  ASSERT_TRUE(a->WaitFor("Read Daily Realm News"));
  auto b = Enter("ben");
  ASSERT_TRUE(b->WaitFor("Press Any Key"));
  b->Send(" ");
  ASSERT_TRUE(b->WaitFor("Read Daily Realm News"));
  for (Session* s : {a.get(), b.get()}) {
    s->Send("n");
    ASSERT_TRUE(s->WaitFor("Become New Ruler?"));
    ASSERT_TRUE(s->WaitFor("Would you like the position of Ruler (y/n)? "));
    s->Send("y");
    ASSERT_TRUE(s->WaitFor("CONTINUE TO NAME KINGDOM"));
    s->Send(" ");
    ASSERT_TRUE(s->WaitFor("Name Thy Kingdom: "));
  }
  a->SendLine("Amy Reach");
  b->SendLine("Ben Hold");
  ASSERT_TRUE(a->WaitFor("is what you want"));
  ASSERT_TRUE(b->WaitFor("is what you want"));
  a->Send("y");
  b->Send("y");
  ASSERT_TRUE(a->WaitUntil(
      [](const Screen&, const std::string& text) {
        return text.find("Good luck as the new ruler!!!") != std::string::npos ||
               text.find("Too late!") != std::string::npos;
      },
      "a takeover outcome"));
  const bool amy_won = a->TextAfterMark().find("Good luck") != std::string::npos;
  Session& loser = amy_won ? *b : *a;
  Session& winner = amy_won ? *a : *b;
  ASSERT_TRUE(loser.WaitFor("Too late! Another citizen has already taken the throne.."));
  // The loser can learn of the lost race while the winner still writes its news and letters.
  ASSERT_TRUE(winner.WaitFor("Good luck as the new ruler!!!"));
  const std::string won = amy_won ? "Amy Reach" : "Ben Hold";
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM kingdom"));
  EXPECT_EQ(won, Query("SELECT Name FROM kingdom"));
  EXPECT_EQ(amy_won ? "amy" : "ben", Query("SELECT RulerUserName FROM kingdom"));
  EXPECT_EQ(2, Count("SELECT COUNT(*) FROM player WHERE Kingdom='" + won + "'"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM usernews WHERE UserName='" +
                     std::string(amy_won ? "ben" : "amy") + "'"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM news WHERE Line2='They have now established their "
                     "new kingdom: " +
                     won + "'"));
}

TEST_F(RealmTest, TheThroneQuestionComesOnlyWhileTheThroneIsVacant) {
  AddKingdom(1, "Old Realm", "", "");
  AddKingdom(2, "Ruled", "Rex", "rex");
  AddCharacter("amy", "Amy", "Old Realm");
  AddCharacter("ben", "Ben", "Ruled");
  auto a = Enter("amy");
  ASSERT_TRUE(a->WaitFor("No one else is online.."));
  a->Send(" ");
  ASSERT_TRUE(a->WaitFor("Read Daily Realm News"));
  a->Send("n");
  ASSERT_TRUE(a->WaitFor("Would you like the position of Ruler (y/n)? "));
  a->Send("n");
  ASSERT_TRUE(a->WaitForCursor(21, 26));
  ASSERT_NO_FATAL_FAILURE(Quit(*a));
  auto again = Enter("amy");
  ASSERT_TRUE(again->WaitFor("No one else is online.."));
  again->Send(" ");
  ASSERT_TRUE(again->WaitFor("Read Daily Realm News"));
  again->Send("n");
  ASSERT_TRUE(again->WaitFor("Would you like the position of Ruler"));
  again->Send("n");
  ASSERT_TRUE(again->WaitForCursor(21, 26));
  ASSERT_NO_FATAL_FAILURE(Quit(*again));
  auto b = Enter("ben");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*b));
  EXPECT_EQ(std::string::npos, b->ScreenText().find("Become New Ruler?"));
  EXPECT_EQ("", Query("SELECT Ruler FROM kingdom WHERE IDNum=1"));
  ASSERT_NO_FATAL_FAILURE(Quit(*b));
}

TEST_F(RealmTest, TheDeadAreTurnedAwayAfterTheNews) {
  AddKingdom(1, "Avalon", "X", "x");
  AddCharacter("amy", "Amy", "Avalon", "HP=0");
  auto s = Enter("amy");
  ASSERT_TRUE(s->WaitFor("No one else is online.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Read Daily Realm News"));
  s->Send("n");
  ASSERT_TRUE(s->WaitFor("YOU ARE DEAD"));
  ASSERT_TRUE(s->WaitFor("You are dead until tommorrow when you soul will re-enter you body!"));
  EXPECT_EQ(1, Count("SELECT NumPlayers FROM state"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Thank you for playing!!"));
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Count("SELECT NumPlayers FROM state"));
  EXPECT_EQ("0", Player("Status", "amy"));
  EXPECT_EQ("0", Player("HP", "amy"));
}

TEST_F(RealmTest, AnInnGuestStaysOnNoAndWakesOnYes) {
  AddKingdom(1, "Avalon", "X", "x");
  AddCharacter("amy", "Amy", "Avalon", "Inn='3',BodyGuards=4");
  auto s = Enter("amy");
  ASSERT_TRUE(s->WaitFor("No one else is online.."));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Read Daily Realm News"));
  s->Send("n");
  ASSERT_TRUE(s->WaitFor("Would you like to leave the Inn (y/n)? "));
  s->Send("n");
  ASSERT_TRUE(s->WaitFor("Thank you for playing!!"));
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ("3", Player("Inn", "amy"));
  EXPECT_EQ("4", Player("BodyGuards", "amy"));

  auto t = Enter("amy");
  ASSERT_TRUE(t->WaitFor("No one else is online.."));
  t->Send(" ");
  ASSERT_TRUE(t->WaitFor("Read Daily Realm News"));
  t->Send("n");
  ASSERT_TRUE(t->WaitFor("Would you like to leave the Inn (y/n)? "));
  t->Send("Y");
  ASSERT_TRUE(t->WaitFor("You wake up after a restful stay at the inn.."));
  t->Send(" ");
  ASSERT_TRUE(t->WaitForCursor(21, 26));
  EXPECT_EQ("", Player("Inn", "amy"));
  EXPECT_EQ("0", Player("BodyGuards", "amy"));
  ASSERT_NO_FATAL_FAILURE(Quit(*t));
}

TEST_F(RealmTest, MainStreetKeysWorkInEitherCaseAndTheWorldOptionsShow) {
  dir_.Exec(db::CreationStatement(db::kConfig));
  dir_.Exec(
      "INSERT INTO config (MonsterFights,PlayerFights,StartGold,LevelMultiplier,GoodDeeds,"
      "EvilDeeds,Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) VALUES "
      "(21,4,'25000',9000,5,6,1,0,1,50,'')");
  AddKingdom(1, "Avalon", "X", "x");
  AddCharacter("amy", "Amy", "Avalon");
  auto s = Enter("amy");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*s));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM config"));  // the sysop's row is kept
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("Game World Options"));
  ASSERT_TRUE(s->WaitFor("Monster Fights       : 21"));
  ASSERT_TRUE(s->WaitFor("Player Fights        : 4"));
  ASSERT_TRUE(s->WaitFor("Player Starting Gold : 25000"));
  ASSERT_TRUE(s->WaitFor("Good Deeds : 5"));
  ASSERT_TRUE(s->WaitFor("Evil Deeds : 6"));
  ASSERT_TRUE(s->WaitFor("Assassinations : Allowed"));
  ASSERT_TRUE(s->WaitFor("Mutilations : Not Allowed"));
  ASSERT_TRUE(s->WaitFor("Tournament Mode : On"));
  ASSERT_TRUE(s->WaitFor("[Ends When A Player Reaches Level 50]"));
  ASSERT_TRUE(s->WaitFor("Level Multiplier : 9000"));
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  dir_.Exec("UPDATE config SET MaxLevel=0,EndDate='12/31/2027'");
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("[Ends On 12/31/2027]"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(21, 26));

  s->Send("d");  // no news today: back at once
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  s->Send(".");
  ASSERT_TRUE(s->WaitFor("Send TeleGram (y/N)? "));
  s->Send("n");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  s->Send("j");  // not a Main Street key
  s->Send("\r");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  EXPECT_EQ("Main Street", Player("WhereInGame", "amy"));
  ASSERT_NO_FATAL_FAILURE(Quit(*s));
}

TEST_F(RealmTest, SuicideDeletesTheCharacterAndIsRefusedTheSameDay) {
  AddKingdom(1, "Avalon", "Amy", "amy");
  AddKingdom(2, "Bree", "Ben", "ben");
  dir_.Exec("UPDATE kingdom SET Prince='Amy',PrinceUserName='amy' WHERE IDNum=2");
  AddCharacter("amy", "Amy", "Avalon");
  AddCharacter("ben", "Ben", "Bree");
  dir_.Exec(db::CreationStatement(db::kMarriage));
  dir_.Exec(db::CreationStatement(db::kPoster));
  dir_.Exec(db::CreationStatement(db::kQuest));
  dir_.Exec("INSERT INTO marriage (Partner1,Partner2) VALUES ('Ben','Amy')");
  dir_.Exec("INSERT INTO poster (Wanted,Bounty,SetByUsername) VALUES ('Ben','5','amy')");
  dir_.Exec("INSERT INTO quest (UserName,QuestName) VALUES ('amy','Dragon')");
  dir_.Exec(
      "INSERT INTO usernews (UserName,TypeOfReq,Line1,SenderPlayerName,SenderUserName) "
      "VALUES ('ben',1,'Marry me','Amy','amy')");
  dir_.Exec("INSERT INTO usernews (UserName,TypeOfReq,Line1) VALUES ('ben',0,'Plain mail')");
  auto s = Enter("amy");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*s));
  s->Send("*");
  ASSERT_TRUE(s->WaitFor("Leave this cruel world [y/N]? "));
  s->Send("n");
  ASSERT_TRUE(s->WaitFor("Thank goodness!! We woulda missed ya!"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitForCursor(21, 26));
  s->Send("*");
  ASSERT_TRUE(s->WaitFor("Leave this cruel world [y/N]? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("ARE YOU REALLY SURE [y/N]?? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Player Record Deleted...."));
  ASSERT_TRUE(s->WaitFor("Thank you for playing!!"));
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM player WHERE UserName='amy'"));
  EXPECT_EQ(0, Count("SELECT NumPlayers FROM state"));  // taken once, not again on exit
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM suicide WHERE UserName='amy'"));
  EXPECT_EQ("", Query("SELECT RulerUserName FROM kingdom WHERE IDNum=1"));
  EXPECT_EQ("", Query("SELECT PrinceUserName FROM kingdom WHERE IDNum=2"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM marriage"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM poster"));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM quest"));
  // The proposal Amy sent is gone; Ben's other mail stays.
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM usernews"));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM news WHERE Title='`bright cyan`SUICIDE' AND Line1="
                     "'Amy committed suicide today..They threw themselves off a cliff..'"));

  // The same day: a new character, but no second suicide.
  auto t = Enter("amy");
  Hero h;
  h.name = "Amy Again";
  ASSERT_NO_FATAL_FAILURE(CreateCharacter(*t, h));
  ASSERT_NO_FATAL_FAILURE(Join(*t, '2'));
  ASSERT_NO_FATAL_FAILURE(StoryPages(*t));
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*t));
  t->Send("*");
  ASSERT_TRUE(t->WaitFor("You have already suicided once today.."));
  ASSERT_TRUE(t->WaitFor("You cannot commit suicide until tommorrow.."));
  t->Send(" ");
  ASSERT_TRUE(t->WaitForCursor(21, 26));
  EXPECT_EQ(1, Count("SELECT COUNT(*) FROM player WHERE UserName='amy'"));
  ASSERT_NO_FATAL_FAILURE(Quit(*t));
}

// A maintenance run forced while the caller played (-forcemaint) cleared
// the session count; the caller's suicide must not take it below zero, or
// the next caller would count to 0 while on-line and the day's maintenance
// would run under him.
TEST_F(RealmTest, SuicideAfterAForcedMaintenanceLeavesTheCountAtZero) {
  AddKingdom(1, "Avalon", "Ben", "ben");
  AddCharacter("amy", "Amy", "Avalon");
  auto s = Enter("amy");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*s));
  EXPECT_EQ(1, Count("SELECT NumPlayers FROM state"));
  dir_.Exec("UPDATE state SET NumPlayers=0");
  s->Send("*");
  ASSERT_TRUE(s->WaitFor("Leave this cruel world [y/N]? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("ARE YOU REALLY SURE [y/N]?? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Thank you for playing!!"));
  ASSERT_TRUE(s->ExitsWith(10, kEndWait));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM player WHERE UserName='amy'"));
  EXPECT_EQ(0, Count("SELECT NumPlayers FROM state"));
}

TEST_F(RealmTest, ATelegramGoesFromOneCharacterToAnother) {
  AddKingdom(1, "Avalon", "X", "x");
  AddCharacter("amy", "Amy", "Avalon");
  AddCharacter("ben", "Ben", "Avalon");
  auto a = Enter("amy");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*a));
  auto b = Enter("ben");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*b, true));
  b->Send(".");
  ASSERT_TRUE(b->WaitFor("Send TeleGram (y/N)? "));
  b->Send("y");
  ASSERT_TRUE(b->WaitFor("Enter Player ID# "));
  b->SendLine(Player("IDNum", "amy"));
  ASSERT_TRUE(b->WaitFor("Line 1: "));
  b->SendLine("Meet me at the tavern");
  ASSERT_TRUE(b->WaitFor("Line 2: "));
  b->SendLine("/s");
  ASSERT_TRUE(b->WaitFor("Send this TeleGram (y/N)? "));
  b->Send("y");
  ASSERT_TRUE(b->WaitFor("Tele-Gram Dispatched!"));
  b->Send(" ");
  ASSERT_TRUE(b->WaitForCursor(21, 26));

  a->Send("\r");
  ASSERT_TRUE(a->WaitFor("Ben has entered the realm!"));
  a->Send(" ");
  ASSERT_TRUE(a->WaitFor("Tele-Gram Received!"));
  ASSERT_TRUE(a->WaitFor("Ben wrote:"));
  ASSERT_TRUE(a->WaitFor("Meet me at the tavern"));
  a->Send(" ");
  ASSERT_TRUE(a->WaitForCursor(21, 26));
  EXPECT_EQ(0, Count("SELECT COUNT(*) FROM node"));
  ASSERT_NO_FATAL_FAILURE(Quit(*b));
  ASSERT_NO_FATAL_FAILURE(Quit(*a));
}

TEST_F(RealmTest, TwoCharactersTalkInTheChatRoom) {
  AddKingdom(1, "Avalon", "X", "x");
  AddCharacter("amy", "Amy", "Avalon");
  AddCharacter("ben", "Ben", "Avalon");
  auto a = Enter("amy");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*a));
  a->Send("=");
  ASSERT_TRUE(a->WaitFor("[Tarvessia Chat Room]"));
  EXPECT_EQ("In Chat Room", Player("WhereInGame", "amy"));
  auto b = Enter("ben");
  ASSERT_NO_FATAL_FAILURE(ToMainStreet(*b, true));
  // The arrival notice reaches Amy inside the room, full screen.
  ASSERT_TRUE(a->WaitFor("Ben has entered the realm!"));
  a->Send(" ");
  ASSERT_TRUE(a->WaitFor("[Tarvessia Chat Room]"));
  b->Send("=");
  ASSERT_TRUE(b->WaitFor("[Tarvessia Chat Room]"));
  ASSERT_TRUE(a->WaitFor("Ben enters the chat room.."));
  b->SendLine("Hail, Amy!");
  ASSERT_TRUE(a->WaitFor("Hail, Amy!"));
  a->SendLine("Well met, Ben.");
  ASSERT_TRUE(b->WaitFor("Well met, Ben."));
  a->Send("\x11");  // Ctrl-Q leaves the room
  ASSERT_TRUE(a->WaitForCursor(21, 26));
  EXPECT_EQ("Main Street", Player("WhereInGame", "amy"));
  b->Send("\x11");
  ASSERT_TRUE(b->WaitForCursor(21, 26));
  ASSERT_NO_FATAL_FAILURE(Quit(*a));
  ASSERT_NO_FATAL_FAILURE(Quit(*b));
}

}  // namespace
}  // namespace trv::harness
