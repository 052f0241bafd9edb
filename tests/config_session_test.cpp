// TRVConfig as the sysop meets it, run locally beside the game's data: the
// main menu, the world options and tournament setup, the player editor,
// and the world reset, also while a door runs on another node.
#include <stdio.h>

#include <memory>
#include <string>

#include "game/db/schema.h"
#include "tests/harness/harness.h"

namespace trv::harness {
namespace {

constexpr Millis kEndWait = 8000ms;  // a door's closing screen pauses 2 s

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string built = ProgramPath("TRVConfig");
    ASSERT_FALSE(built.empty()) << "TRVConfig was not built";
    config_ = dir_.LinkProgram(built);
  }

  // The sysop's own terminal: no drop file, started from elsewhere.
  SessionOptions Local() {
    SessionOptions o;
    o.program = config_;
    o.args = {"-L"};
    o.work_dir = "/";
    o.env["LC_ALL"] = "C";  // the art goes out as CP437
    return o;
  }

  std::unique_ptr<Session> AtMenu() {
    auto s = std::make_unique<Session>(Local());
    EXPECT_TRUE(BackAtMenu(*s));
    return s;
  }

  static ::testing::AssertionResult BackAtMenu(Session& s) {
    auto shown = s.WaitFor("Sysop Configuration");
    if (!shown) return shown;
    return s.WaitForCursor(16, 23);
  }

  // Waits for the world options list to be drawn (again).
  static ::testing::AssertionResult AtOptions(Session& s) {
    auto shown = s.WaitFor("Game World Options");
    if (!shown) return shown;
    return s.WaitFor("Your Selection :");
  }

  // A character whose every edited field has a value of its own.
  void AddPlayer(int id, const std::string& user, const std::string& name, int level,
                 const char* gender = "Male", const char* where = "", int status = 0) {
    test::Character c(user, name);
    c.id = id;
    c.level = level;
    c.gender = gender;
    c.where = where;
    c.status = status;
    c.hp = 40;
    c.max_hp = 50;
    c.gold = "2500";
    c.more =
        "MagicPower=5,MaxMagicPower=6,GoodDeeds=3,ProfLevel=1,Potions=2,MonsterFights=17,"
        "PlayerFights=3,Agility=11,Mental=12,Divine=13,Charm=14,Intellect=15,Leadership=16,"
        "Stamina=17,Strength=18,Defense=19,Smuggling='1',DrugTrade='2',FleshTrade='3',"
        "HouseTrade='4',WaterTower='5',OreMine='6',Granary='7'";
    dir_.AddCharacter(c);
  }

  std::string Player(int id, const std::string& column) {
    return dir_.Query("SELECT " + column + " FROM player WHERE IDNum=" + std::to_string(id));
  }

  std::string Config(const std::string& column) {
    return dir_.Query("SELECT " + column + " FROM config");
  }

  // Opens the field editor of the character with this ID.
  static ::testing::AssertionResult ToFieldEditor(Session& s, const std::string& id,
                                                  const std::string& name) {
    s.Send("p");
    auto prompt = s.WaitFor("Enter Player ID# <Enter to Exit>:");
    if (!prompt) return prompt;
    s.SendLine(id);
    auto ask = s.WaitFor("Edit " + name + " (y/N)? ");
    if (!ask) return ask;
    s.Send("y");
    return s.WaitFor("Your Selection :");
  }

  GameDir dir_;
  std::string config_;
};

// ---- Main menu ----

TEST_F(ConfigTest, MenuLeavesTheCursorAtRow16Column23AndXEndsWithLevel10) {
  auto s = AtMenu();
  EXPECT_TRUE(s->screen()->Contains("Reset the game world"));
  s->Send("q");  // not a menu key
  s->Send("X");
  EXPECT_TRUE(s->ExitsWith(10));
  // Only an editor opens the database.
  EXPECT_FALSE(dir_.Exists("Data/game.db"));
}

// ---- World options ----

TEST_F(ConfigTest, FirstEditorEntryStoresTheDefaultsOnceAndListsThemAsTheGameDoes) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  // Started from elsewhere, it found its own game directory.
  EXPECT_TRUE(dir_.Exists("Data/game.db"));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM config"));
  EXPECT_EQ("17|3|10000|10000|3|3|1|1|0|0|",
            dir_.Query("SELECT MonsterFights||'|'||PlayerFights||'|'||StartGold||'|'||"
                       "LevelMultiplier||'|'||GoodDeeds||'|'||EvilDeeds||'|'||Assassinations||"
                       "'|'||Mutilations||'|'||TournamentMode||'|'||MaxLevel||'|'||EndDate "
                       "FROM config"));
  auto screen = s->screen();
  EXPECT_EQ("[A]. Monster Fights       : 17", screen->Row(4));
  EXPECT_EQ("[B]. Player Fights        : 3", screen->Row(5));
  EXPECT_EQ("[C]. Player Starting Gold : 10000", screen->Row(6));
  EXPECT_EQ("[D]. Good Deeds : 3", screen->Row(8));
  EXPECT_EQ("[E]. Evil Deeds : 3", screen->Row(9));
  EXPECT_EQ("[F]. Assassinations : Allowed", screen->Row(11));
  EXPECT_EQ("[G]. Mutilations : Allowed", screen->Row(12));
  EXPECT_EQ("[T]. Tournament Mode : Off", screen->Row(14));
  EXPECT_EQ("[1]. Level Multiplier : 10000", screen->Row(16));
  EXPECT_EQ("[X] Go Back", screen->Row(18));
}

TEST_F(ConfigTest, EditorLeftAndEnteredAgainInsertsNoSecondRow) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("x");
  ASSERT_TRUE(BackAtMenu(*s));
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM config"));
}

TEST_F(ConfigTest, CountsStoreTheTypedNumberAndAnEmptyEntryKeepsIt) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("a");
  ASSERT_TRUE(s->WaitFor("Modify Monster Fights"));
  ASSERT_TRUE(s->WaitFor("(Default: 17)"));
  ASSERT_TRUE(s->WaitFor("Enter # (Max 99): "));
  s->SendLine("05");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("5", Config("MonsterFights"));
  EXPECT_EQ("integer", Config("typeof(MonsterFights)"));
  EXPECT_EQ("[A]. Monster Fights       : 5", s->screen()->Row(4));

  s->Send("a");
  ASSERT_TRUE(s->WaitFor("Enter # (Max 99): "));
  s->SendLine("");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("5", Config("MonsterFights"));

  // The deeds take one digit: a second is not even echoed.
  s->Send("d");
  ASSERT_TRUE(s->WaitFor("Enter # (Max 9): "));
  s->SendLine("78");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("7", Config("GoodDeeds"));
  s->Send("b");
  ASSERT_TRUE(s->WaitFor("Modify Player Fights"));
  s->SendLine("99");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("e");
  ASSERT_TRUE(s->WaitFor("Modify Evil Deeds"));
  s->SendLine("0");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("99|7|0", dir_.Query("SELECT PlayerFights||'|'||GoodDeeds||'|'||EvilDeeds "
                                 "FROM config"));
}

TEST_F(ConfigTest, StartingGoldIsStoredAsTypedText) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("c");
  ASSERT_TRUE(s->WaitFor("(Default: $10,000)"));
  ASSERT_TRUE(s->WaitFor("Gold: $"));
  s->SendLine("000100");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("000100", Config("StartGold"));
  EXPECT_EQ("text", Config("typeof(StartGold)"));
  EXPECT_EQ("[C]. Player Starting Gold : 000100", s->screen()->Row(6));
  // Letters never reach the field.
  s->Send("c");
  ASSERT_TRUE(s->WaitFor("Gold: $"));
  s->SendLine("12ab34");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("1234", Config("StartGold"));
}

TEST_F(ConfigTest, LevelMultiplierBelowOneIsRefused) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("(Recommended: 30000 or lower.)"));
  ASSERT_TRUE(s->WaitFor("Enter #: "));
  s->SendLine("00000");
  ASSERT_TRUE(s->WaitFor("must be at least 1"));
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  EXPECT_EQ("10000", Config("LevelMultiplier"));
  s->Send(" ");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("Enter #: "));
  s->SendLine("300001");  // five digits at most
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ(30000, dir_.QueryInt("SELECT LevelMultiplier FROM config"));
  EXPECT_EQ("[1]. Level Multiplier : 30000", s->screen()->Row(16));
}

TEST_F(ConfigTest, AssassinationsAndMutilationsSwitchOffAndOn) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("f");
  ASSERT_TRUE(s->WaitFor("Allow Assassinations (y/N)? "));
  s->Send("n");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("g");
  ASSERT_TRUE(s->WaitFor("(Turns On or Off the ability for players to Mutilation one another.)"));
  ASSERT_TRUE(s->WaitFor("Allow Mutilations (y/N)? "));
  s->Send("N");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("0|0", dir_.Query("SELECT Assassinations||'|'||Mutilations FROM config"));
  EXPECT_EQ("[F]. Assassinations : Not Allowed", s->screen()->Row(11));
  EXPECT_EQ("[G]. Mutilations : Not Allowed", s->screen()->Row(12));
  s->Send("f");
  ASSERT_TRUE(s->WaitFor("Allow Assassinations (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("1|0", dir_.Query("SELECT Assassinations||'|'||Mutilations FROM config"));
}

// ---- Tournament ----

TEST_F(ConfigTest, RaceToLevelStartsOnlyOnceTheLevelIsTyped) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("t");
  ASSERT_TRUE(s->WaitFor("Turn on Tournament Mode (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Type of Tournament"));
  ASSERT_TRUE(s->WaitFor("Enter Selection: "));
  s->Send("1");
  ASSERT_TRUE(s->WaitFor("(NOTE: You need to reset the game once the tournament is over!)"));
  ASSERT_TRUE(s->WaitFor("Enter Level: "));
  // A door reading now finds no tournament rather than one without an end.
  EXPECT_EQ("0|0|", dir_.Query("SELECT TournamentMode||'|'||MaxLevel||'|'||EndDate FROM config"));
  s->SendLine("150");
  ASSERT_TRUE(s->WaitFor("** Tournament Started! **"));
  EXPECT_EQ("1|150|", dir_.Query("SELECT TournamentMode||'|'||MaxLevel||'|'||EndDate FROM config"));
  s->Send(" ");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("[T]. Tournament Mode : On", s->screen()->Row(14));
  EXPECT_EQ("[Ends When A Player Reaches Level 150]", s->screen()->Row(15).substr(5));
  EXPECT_EQ("[1]. Level Multiplier : 10000", s->screen()->Row(17));
}

TEST_F(ConfigTest, TournamentLevelZeroOrEmptyTurnsTheModeOff) {
  for (const char* typed : {"0", ""}) {
    SCOPED_TRACE(std::string("level typed: '") + typed + "'");
    dir_.Exec(db::CreationStatement(db::kConfig));
    dir_.Exec("DELETE FROM config");
    dir_.Exec(
        "INSERT INTO config (MonsterFights,PlayerFights,StartGold,LevelMultiplier,"
        "GoodDeeds,EvilDeeds,Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) "
        "VALUES (17,3,'10000',10000,3,3,1,1,1,0,'12312030')");
    auto s = AtMenu();
    s->Send("c");
    ASSERT_TRUE(AtOptions(*s));
    EXPECT_EQ("[Ends On 12312030]", s->screen()->Row(15).substr(5));
    s->Send("t");
    ASSERT_TRUE(s->WaitFor("Turn on Tournament Mode (y/N)? "));
    s->Send("y");
    ASSERT_TRUE(s->WaitFor("Enter Selection: "));
    s->Send("1");
    ASSERT_TRUE(s->WaitFor("Enter Level: "));
    s->SendLine(typed);
    ASSERT_TRUE(AtOptions(*s));
    EXPECT_EQ("0|0|", dir_.Query("SELECT TournamentMode||'|'||MaxLevel||'|'||EndDate FROM config"));
    EXPECT_EQ("[T]. Tournament Mode : Off", s->screen()->Row(14));
    EXPECT_EQ(std::string::npos, s->ScreenText().find("Tournament Started"));
    s->Send("x");
    ASSERT_TRUE(BackAtMenu(*s));
    s->Send("x");
    EXPECT_TRUE(s->ExitsWith(10));
  }
}

TEST_F(ConfigTest, NoToTheTournamentQuestionEndsARunningTournament) {
  dir_.Exec(db::CreationStatement(db::kConfig));
  dir_.Exec(
      "INSERT INTO config (MonsterFights,PlayerFights,StartGold,LevelMultiplier,GoodDeeds,"
      "EvilDeeds,Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) VALUES "
      "(17,3,'10000',10000,3,3,1,1,1,200,'')");
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("[Ends When A Player Reaches Level 200]", s->screen()->Row(15).substr(5));
  s->Send("t");
  ASSERT_TRUE(s->WaitFor("Turn on Tournament Mode (y/N)? "));
  s->Send("n");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("0|0|", dir_.Query("SELECT TournamentMode||'|'||MaxLevel||'|'||EndDate FROM config"));
}

TEST_F(ConfigTest, EndDateIsEditedInItsFieldWithTheCenturyFixed) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("t");
  ASSERT_TRUE(s->WaitFor("Turn on Tournament Mode (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Enter Selection: "));
  s->Send("2");
  ASSERT_TRUE(s->WaitFor("(Example: MMDDYYYY - 01052006)"));
  // The field is drawn over the blank after the prompt, at row 20 column 14.
  ASSERT_TRUE(s->WaitForScreen("Enter Date : ░░░░20░░"));
  EXPECT_EQ("Enter Date : ░░░░20░░", s->screen()->Row(20));
  ASSERT_TRUE(s->WaitForCursor(20, 14));
  s->Send("0105");
  ASSERT_TRUE(s->WaitForCursor(20, 20));  // past the fixed 20
  s->Send("\r");                          // every position must be filled first
  s->Send("06");
  ASSERT_TRUE(s->WaitForCursor(20, 22));
  EXPECT_EQ("0|0|", dir_.Query("SELECT TournamentMode||'|'||MaxLevel||'|'||EndDate FROM config"));
  s->Send("\r");
  ASSERT_TRUE(s->WaitFor("** Tournament Started! **"));
  EXPECT_EQ("1|0|01052006",
            dir_.Query("SELECT TournamentMode||'|'||MaxLevel||'|'||EndDate FROM config"));
  EXPECT_EQ("Enter Date : 01052006", s->screen()->Row(20));
  s->Send(" ");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("[Ends On 01052006]", s->screen()->Row(15).substr(5));
}

TEST_F(ConfigTest, ADateTheCalendarLacksIsRefusedAndChangesNothing) {
  auto s = AtMenu();
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  s->Send("t");
  ASSERT_TRUE(s->WaitFor("Turn on Tournament Mode (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Enter Selection: "));
  s->Send("2");
  ASSERT_TRUE(s->WaitForCursor(20, 14));
  s->Send("023024\r");
  ASSERT_TRUE(s->WaitFor("02302024 is not a real date"));
  ASSERT_TRUE(s->WaitFor("Press Any Key"));
  EXPECT_EQ("0|0|", dir_.Query("SELECT TournamentMode||'|'||MaxLevel||'|'||EndDate FROM config"));
  s->Send(" ");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("[T]. Tournament Mode : Off", s->screen()->Row(14));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Tournament Started"));
}

// ---- Player editor ----

TEST_F(ConfigTest, TwentyFiveCharactersListInPagesOfTenTenAndFive) {
  for (int i = 1; i <= 25; ++i)
    AddPlayer(i, "user" + std::to_string(i), "Hero" + std::to_string(i), i * 1000,
              i == 2 ? "Female" : "Male", i == 3 ? "Main Street" : "", i == 3);
  auto s = AtMenu();
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Hero10"));
  ASSERT_TRUE(s->WaitFor("Continue (y/n)?"));
  {
    auto screen = s->screen();
    EXPECT_NE(std::string::npos, screen->Row(1).find("Tarvessia: Player Editor"));
    EXPECT_EQ(" ID      Player               Level       Where Are They?", screen->Row(3));
    EXPECT_EQ(" [1  ] M Hero1                 1,000Offline", screen->Row(5));
    EXPECT_EQ(" [2  ] F Hero2                 2,000Offline", screen->Row(6));
    EXPECT_EQ(" [3  ] M Hero3                 3,000Main Street", screen->Row(7));
    EXPECT_EQ(" [10 ] M Hero10                10,000Offline", screen->Row(14));
  }
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Hero11"));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Hero11"));
  ASSERT_TRUE(s->WaitFor("Hero20"));
  ASSERT_TRUE(s->WaitFor("Continue (y/n)?"));
  const size_t last_page = s->Mark();
  EXPECT_EQ(std::string::npos, s->TextAfterMark().find("Hero21"));
  s->Send("\r");
  ASSERT_TRUE(s->WaitFor("Hero21"));
  ASSERT_TRUE(s->WaitFor("Hero25"));
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>:"));
  EXPECT_EQ(std::string::npos, s->ScreenText().substr(last_page).find("Continue"));
  s->SendLine("");
  ASSERT_TRUE(BackAtMenu(*s));
}

TEST_F(ConfigTest, NoAtTheFirstContinueGoesStraightToTheIdPrompt) {
  for (int i = 1; i <= 25; ++i)
    AddPlayer(i, "user" + std::to_string(i), "Hero" + std::to_string(i), i);
  auto s = AtMenu();
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Continue (y/n)?"));
  s->Send("n");
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>:"));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Hero11"));
}

TEST_F(ConfigTest, AnEmptyRealmStillShowsTheHeadAndTheIdPrompt) {
  auto s = AtMenu();
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Where Are They?"));
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>:"));
  s->SendLine("");
  ASSERT_TRUE(BackAtMenu(*s));
}

TEST_F(ConfigTest, AnIdWithNoCharacterIsNotFound) {
  AddPlayer(1, "alice", "Alice", 3);
  auto s = AtMenu();
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>:"));
  s->SendLine("9999");
  ASSERT_TRUE(s->WaitFor("That player was not found!"));
  s->Send(" ");
  ASSERT_TRUE(BackAtMenu(*s));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("(y/N)"));
}

TEST_F(ConfigTest, NoToTheEditQuestionChangesNothing) {
  AddPlayer(4, "alice", "Alice", 3);
  auto s = AtMenu();
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Enter Player ID# <Enter to Exit>:"));
  s->SendLine("4");
  ASSERT_TRUE(s->WaitFor("Edit Alice (y/N)? "));
  s->Send("n");
  ASSERT_TRUE(BackAtMenu(*s));
  EXPECT_EQ("3", Player(4, "Level"));
}

TEST_F(ConfigTest, FieldEditorShowsTheCharacterAndStoresEachField) {
  AddPlayer(7, "bob", "Bobbin", 3);
  auto s = AtMenu();
  ASSERT_TRUE(ToFieldEditor(*s, "0007", "Bobbin"));  // the ID is compared as typed text
  {
    auto screen = s->screen();
    EXPECT_NE(std::string::npos, screen->Row(1).find("Tarvessia Player Editor: v1.2"));
    EXPECT_EQ("Config Options For: Bobbin", screen->Row(3));
    EXPECT_EQ("BBS UserName: bob", screen->Row(4));
    EXPECT_EQ("A. Player Name: Bobbin", screen->Row(7));
    EXPECT_EQ("B. Level: 3        C. Hit Points: 50       D. Magic Points: 6", screen->Row(9));
    EXPECT_EQ("E. Good Deeds: 3        F. Evil Deeds: 3        G. Profession Level: 1",
              screen->Row(11));
    EXPECT_EQ("H. Potions: 2        I. Monster Fights: 17       J. Player Fights: 3",
              screen->Row(13));
    EXPECT_EQ("K. Agility: 11       L. Mental: 12       M. Divine: 13", screen->Row(15));
    EXPECT_EQ("Z. Gold: $2500", screen->Row(21));
    EXPECT_EQ("[X] Exit   [.] More Options", screen->Row(23));
  }
  struct Edit {
    const char* key;
    const char* banner;
    const char* prompt;
    const char* typed;
    const char* column;
    const char* stored;
  };
  const Edit edits[] = {
      {"b", "Modify Level", "Level: ", "0250", "Level", "250"},
      {"c", "Modify Hit Points", "Max HP: ", "9999999", "MaxHP", "999999"},
      {"d", "Modify Magic Points", "Max MP: ", "77", "MaxMagicPower", "77"},
      {"e", "Modify Good Deeds", "Good Deeds: ", "5", "GoodDeeds", "5"},
      {"g", "Modify Profession Level", "Profession Level: ", "4", "ProfLevel", "4"},
      {"h", "Modify Potions", "Potions: ", "1234", "Potions", "123"},
      {"i", "Modify Monster Fights", "Monster Fights: ", "40", "MonsterFights", "40"},
      {"m", "Modify Divine", "Divine: ", "66", "Divine", "66"},
      {"s", "Modify Defense", "Defense: ", "", "Defense", "19"},  // empty keeps it
      {"z", "Modify Gold On Hand", "Gold: $", "000123456789012345678901234567890", "Gold",
       "000123456789012345678901234567890"},
  };
  for (const Edit& e : edits) {
    SCOPED_TRACE(e.banner);
    s->Send(e.key);
    ASSERT_TRUE(s->WaitFor(e.banner));
    ASSERT_TRUE(s->WaitFor(e.prompt));
    s->SendLine(e.typed);
    ASSERT_TRUE(s->WaitFor("Config Options For: Bobbin"));
    ASSERT_TRUE(s->WaitFor("Your Selection :"));
    EXPECT_EQ(e.stored, Player(7, e.column));
  }
  EXPECT_EQ("text", Player(7, "typeof(Gold)"));
  EXPECT_EQ("40", Player(7, "HP"));  // only the maximum changes
  EXPECT_EQ("5", Player(7, "MagicPower"));
  // The name is shown, not edited.
  s->Send("a");
  s->Send("x");
  ASSERT_TRUE(BackAtMenu(*s));
  EXPECT_EQ("Bobbin", Player(7, "PlayerName"));
}

TEST_F(ConfigTest, LevelBelowOneIsRefused) {
  AddPlayer(2, "bob", "Bobbin", 8);
  auto s = AtMenu();
  ASSERT_TRUE(ToFieldEditor(*s, "2", "Bobbin"));
  s->Send("b");
  ASSERT_TRUE(s->WaitFor("Level: "));
  s->SendLine("0");
  ASSERT_TRUE(s->WaitFor("must be at least 1"));
  s->Send(" ");
  ASSERT_TRUE(s->WaitFor("Your Selection :"));
  EXPECT_EQ("8", Player(2, "Level"));
}

TEST_F(ConfigTest, InvestmentsAreStoredAsTypedText) {
  AddPlayer(3, "cat", "Catrin", 5);
  auto s = AtMenu();
  ASSERT_TRUE(ToFieldEditor(*s, "3", "Catrin"));
  s->Send(".");
  ASSERT_TRUE(s->WaitFor("Additional Options"));
  ASSERT_TRUE(s->WaitFor("Your Selection :"));
  {
    auto screen = s->screen();
    EXPECT_EQ("A. Smuggling Investments   : 1", screen->Row(7));
    EXPECT_EQ("C. Whore House Investments : 3", screen->Row(9));
    EXPECT_EQ("G. Granary Silo Investments: 7", screen->Row(13));
  }
  const char* keys = "abcdefg";
  const char* columns[] = {"Smuggling",  "DrugTrade", "FleshTrade", "HouseTrade",
                           "WaterTower", "OreMine",   "Granary"};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(columns[i]);
    s->Send(std::string(1, keys[i]));
    ASSERT_TRUE(s->WaitFor("Enter #: "));
    const std::string typed = "00" + std::to_string(i + 1) + "000";
    s->SendLine(typed);
    ASSERT_TRUE(s->WaitFor("Additional Options"));
    EXPECT_EQ(typed, Player(3, columns[i]));
    EXPECT_EQ("text", Player(3, std::string("typeof(") + columns[i] + ")"));
  }
  s->Send("a");
  ASSERT_TRUE(s->WaitFor("Modify Smuggling Investments"));
  s->SendLine("");  // keeps it
  ASSERT_TRUE(s->WaitFor("Additional Options"));
  EXPECT_EQ("001000", Player(3, "Smuggling"));
  s->Send("x");
  ASSERT_TRUE(s->WaitFor("Config Options For: Catrin"));
  s->Send("x");
  ASSERT_TRUE(BackAtMenu(*s));
}

TEST_F(ConfigTest, ACharacterDeletedWhileEditedIsNotFound) {
  AddPlayer(5, "dee", "Deirdre", 5);
  AddPlayer(6, "eve", "Evelyn", 5);
  auto s = AtMenu();
  ASSERT_TRUE(ToFieldEditor(*s, "5", "Deirdre"));
  dir_.Exec("DELETE FROM player WHERE IDNum=5");  // a door's suicide meanwhile
  s->Send("b");
  ASSERT_TRUE(s->WaitFor("Level: "));
  s->SendLine("9");
  ASSERT_TRUE(s->WaitFor("That player was not found!"));
  s->Send(" ");
  ASSERT_TRUE(BackAtMenu(*s));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM player WHERE IDNum=5"));

  // The same in the investments.
  ASSERT_TRUE(ToFieldEditor(*s, "6", "Evelyn"));
  s->Send(".");
  ASSERT_TRUE(s->WaitFor("Additional Options"));
  ASSERT_TRUE(s->WaitFor("Your Selection :"));
  dir_.Exec("DELETE FROM player WHERE IDNum=6");
  s->Send("b");
  ASSERT_TRUE(s->WaitFor("Enter #: "));
  s->SendLine("100");
  ASSERT_TRUE(s->WaitFor("That player was not found!"));
  s->Send(" ");
  ASSERT_TRUE(BackAtMenu(*s));
  // Once each time: the field editor does not repeat the investments' message.
  const std::string text = s->ScreenText();
  size_t shown = 0;
  for (size_t at = text.find("not found!"); at != std::string::npos;
       at = text.find("not found!", at + 1))
    ++shown;
  EXPECT_EQ(2u, shown);
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM player"));
}

TEST_F(ConfigTest, NamesCannotCarryColourOrControlsIntoTheEditor) {
  AddPlayer(1, "m`bright red`al", "Ev`bright red`il\x1b[2J", 5, "Male", "Main`red` Street", 1);
  auto s = AtMenu();
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Evbright redil[2J"));
  ASSERT_TRUE(s->WaitFor("Mainred Street"));
  ASSERT_TRUE(s->WaitFor("Enter Player ID#"));
  s->SendLine("1");
  ASSERT_TRUE(s->WaitFor("Edit Evbright redil[2J (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("BBS UserName: mbright redal"));
}

// ---- World reset ----

class ResetTest : public ConfigTest {
 protected:
  const char* const kFiles[7] = {"Data/trvlord.dat", "Data/poster.dat",      "Data/time.dat",
                                 "Data/game.db",     "Data/game.db-journal", "Data/game.db-wal",
                                 "Data/game.db-shm"};

  // A door writes Data/time.dat itself when it finds none.
  void FillWorld(bool time_file = true) {
    AddPlayer(1, "alice", "Alice", 12);
    dir_.Exec(db::CreationStatement(db::kConfig));
    dir_.Exec(
        "INSERT INTO config (MonsterFights,PlayerFights,StartGold,LevelMultiplier,"
        "GoodDeeds,EvilDeeds,Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) "
        "VALUES (40,3,'10000',10000,3,3,1,1,0,0,'')");
    dir_.WriteFile("Data/trvlord.dat", std::string(87, 'L'));
    dir_.WriteFile("Data/poster.dat", "posters");
    if (time_file) dir_.WriteFile("Data/time.dat", "20261207");
  }

  static ::testing::AssertionResult AskedTwice(Session& s) {
    s.Send("*");
    auto first = s.WaitFor("Really reset game world (y/N)? ");
    if (!first) return first;
    s.Send("y");
    return s.WaitFor("ARE YOU REALLY SURE (y/N)? ");
  }
};

TEST_F(ResetTest, NoAtEitherQuestionDeletesNothing) {
  FillWorld();
  auto s = AtMenu();
  s->Send("*");
  ASSERT_TRUE(s->WaitFor("GAME WORLD RESET"));
  ASSERT_TRUE(s->WaitFor("Really reset game world (y/N)? "));
  s->Send("n");
  ASSERT_TRUE(BackAtMenu(*s));
  ASSERT_TRUE(AskedTwice(*s));
  s->Send("n");
  ASSERT_TRUE(BackAtMenu(*s));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Resetting"));
  for (const char* file : {"Data/trvlord.dat", "Data/poster.dat", "Data/time.dat"})
    EXPECT_TRUE(dir_.Exists(file)) << file;
  EXPECT_EQ("Alice", dir_.Query("SELECT PlayerName FROM player"));
}

TEST_F(ResetTest, ResetDeletesTheWorldAndTheNextEditorStartsAFreshOne) {
  FillWorld();
  auto s = AtMenu();
  // The options editor leaves its connection open.
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("[A]. Monster Fights       : 40", s->screen()->Row(4));
  s->Send("x");
  ASSERT_TRUE(BackAtMenu(*s));
  ASSERT_TRUE(AskedTwice(*s));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Resetting game world..Please Wait"));
  ASSERT_TRUE(s->WaitFor("GAME RESET"));
  for (const char* file : kFiles) EXPECT_FALSE(dir_.Exists(file)) << file;
  // Game data stays.
  EXPECT_TRUE(dir_.Exists("Skins/SETUP.ANS"));
  s->Send(" ");
  ASSERT_TRUE(BackAtMenu(*s));
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("[A]. Monster Fights       : 17", s->screen()->Row(4));
  EXPECT_EQ(1, dir_.QueryInt("SELECT COUNT(*) FROM config"));
  s->Send("x");
  ASSERT_TRUE(BackAtMenu(*s));
  s->Send("p");
  ASSERT_TRUE(s->WaitFor("Enter Player ID#"));
  EXPECT_EQ(std::string::npos, s->TextAfterMark().find("Alice"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM player"));
}

TEST_F(ResetTest, SideFilesLeftBehindGoToo) {
  // What a crash can leave: SQLite's files without their database.
  dir_.WriteFile("Data/game.db-journal", "journal");
  dir_.WriteFile("Data/game.db-wal", "log");
  dir_.WriteFile("Data/game.db-shm", "index");
  auto s = AtMenu();
  ASSERT_TRUE(AskedTwice(*s));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("GAME RESET"));
  for (const char* file : kFiles) EXPECT_FALSE(dir_.Exists(file)) << file;
}

TEST_F(ResetTest, CallersInTheRealmAreNamedAndTheSysopIsAskedOnceMore) {
  FillWorld();
  AddPlayer(2, "bob", "Bobbin", 3, "Male", "Main Street", 1);
  AddPlayer(3, "cat", "Catrin", 3, "Female", "At the Bank", 1);
  auto s = AtMenu();
  ASSERT_TRUE(AskedTwice(*s));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("2 callers are in the realm right now"));
  ASSERT_TRUE(s->WaitFor("Bobbin, Catrin"));
  ASSERT_TRUE(s->WaitFor("Reset anyway (y/N)? "));
  s->Send("n");
  ASSERT_TRUE(BackAtMenu(*s));
  for (const char* file : {"Data/trvlord.dat", "Data/poster.dat", "Data/time.dat"})
    EXPECT_TRUE(dir_.Exists(file)) << file;
  EXPECT_EQ(3, dir_.QueryInt("SELECT COUNT(*) FROM player"));

  ASSERT_TRUE(AskedTwice(*s));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("Reset anyway (y/N)? "));
  s->Send("y");
  ASSERT_TRUE(s->WaitFor("GAME RESET"));
  for (const char* file : kFiles) EXPECT_FALSE(dir_.Exists(file)) << file;
}

TEST_F(ResetTest, ResetWhileADoorWaitsAtItsTitleOnAnotherNode) {
  const std::string launch_built = ProgramPath("TRVLaunch");
  ASSERT_FALSE(launch_built.empty()) << "TRVLaunch was not built";
  const std::string launch = dir_.LinkProgram(launch_built);
  FillWorld(false);
  Caller caller;
  caller.user_name = "alice";
  caller.node = 2;
  Session door(dir_.CallerSession(launch, caller));
  ASSERT_TRUE(door.WaitForCursor(17, 54));  // the door holds its own connection

  auto s = AtMenu();
  ASSERT_TRUE(AskedTwice(*s));
  s->Send("y");
  // The door at its title is not in the realm: no third question.
  ASSERT_TRUE(s->WaitFor("GAME RESET"));
  EXPECT_EQ(std::string::npos, s->ScreenText().find("Reset anyway"));
  for (const char* file : kFiles) EXPECT_FALSE(dir_.Exists(file)) << file;

  // The next door to start finds an empty realm.
  caller.user_name = "newcomer";
  caller.node = 3;
  Session next(dir_.CallerSession(launch, caller));
  ASSERT_TRUE(next.WaitForCursor(17, 54));
  next.Send("l");
  ASSERT_TRUE(next.WaitFor("Tarvessia Player Listing"));
  ASSERT_TRUE(next.WaitFor("Press Any Key"));
  EXPECT_EQ(std::string::npos, next.TextAfterMark().find("Alice"));
  next.Send(" ");
  ASSERT_TRUE(next.WaitForCursor(17, 54));
  next.Send("q");
  EXPECT_TRUE(next.ExitsWith(10, kEndWait));

  // The door that outlived the reset leaves nothing in the new world: no
  // journal beside it, no row of the old one.
  door.HangUp();
  EXPECT_TRUE(door.ExitsWith(10, kEndWait));
  EXPECT_FALSE(dir_.Exists("Data/game.db-journal"));
  EXPECT_EQ(0, dir_.QueryInt("SELECT COUNT(*) FROM player"));
  s->Send(" ");
  ASSERT_TRUE(BackAtMenu(*s));
  s->Send("c");
  ASSERT_TRUE(AtOptions(*s));
  EXPECT_EQ("[A]. Monster Fights       : 17", s->screen()->Row(4));
}

}  // namespace
}  // namespace trv::harness
