// A first-time caller's character: consent, name, gender, races, classes,
// guild, starting values, kingdom and the story pages.
#include <stdio.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/kingdom.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/player/character.h"
#include "game/town/creation.h"
#include "game/town/play.h"
#include "game/ui/ansi.h"
#include "game/ui/closing.h"
#include "game/ui/names.h"
#include "game/ui/ui.h"

namespace trv {
namespace {

using creation::Choice;
using db::Exec;
using db::kPlayer;
using db::TableName;
using player::CallerUserName;

// One column of the caller's row, fit to show.
std::string MyColumn(const char* column) { return CleanText(player::CallerText(column)); }

void Heading(const char* title) {
  od_clr_scr();
  od_printf("`bright yellow`%s\n\r\n", ShadeTitle(title).c_str());
  od_printf("`dark green`%s\n\r", kShortRule);
}

bool JoinTheRealm() {
  od_clr_scr();
  od_printf("`yellow`-=-=-=-=-=-=-=-=-=-");
  od_printf("\n\r`bright red`  Enter Thy Realm");
  od_printf("\n\r`yellow`-=-=-=-=-=-=-=-=-=-");
  od_printf("\n\n\r`bright cyan`You seem to be new to the realm. We invite you to join");
  od_printf("\n\ron spectacular adventures, heroic monster fights and");
  od_printf("\n\rcompetitive kingdom building..We hope you enjoy your stay!");
  od_printf(
      "\n\n\r`bright green`Join the Realm [`bright yellow`y`bright green`/`bright "
      "yellow`N`bright green`]? ");
  return AnswerYes();
}

// The name as typed and checked, or "" to start over.
std::string AskName() {
  od_clr_scr();
  od_printf("`bright yellow`%s\n\r\n", ShadeTitle("Name Thy Character").c_str());
  od_printf("`dark green`%s\n\r", kShortRule);
  od_printf("`bright cyan`Before entering the lands of Tarvessia, and embarking on adventures\n\r");
  od_printf("you'll need a name...\n\r\n");
  od_printf("`bright red`Character Name: \n\r");
  od_printf("`dark green`%s`bright green`\n\r", kShortRule);
  od_set_cursor(7, 17);
  char typed[21] = "";
  od_input_str(typed, 20, 32, 122);
  std::string name = TrimName(typed);
  if (name.empty()) return "";
  if (!UsableName(name)) {
    od_printf("\n\n\r`bright red`Sorry, a name cannot hold that character..");
    od_get_key(TRUE);
    return "";
  }
  if (player::CharacterNameTaken(name)) {
    od_printf("\n\n\r`bright red`Sorry, that name is already in use..");
    od_get_key(TRUE);
    return "";
  }
  od_printf(
      "\n\n`bright green`%s `dark green`is what you want [`bright yellow`y`dark green`/`bright "
      "yellow`N`dark green`]? ",
      name.c_str());
  return AnswerYes() ? name : "";
}

const char* AskGender() {
  od_printf("\n\n\r`bright white`%s", ShadeTitle("Gender Selection").c_str());
  od_printf(
      "\r\n\n`dark green`Play as a (`bright magenta`M`dark green`)ale or (`bright "
      "magenta`F`dark green`)emale? ");
  return od_get_answer("MF") == 'F' ? "Female" : "Male";
}

// The first row of the character. The name is checked again under the
// write lock, so two callers choosing it at the same moment cannot both
// have it.
bool InsertCharacter(const std::string& name, const char* gender) {
  return db::RunWriteUnit([&] {
    if (player::CharacterNameTaken(name)) return false;
    // A creation that ended without the exit hook (a killed process) left
    // its unfinished row behind.
    Exec(kPlayer, "DELETE FROM %s WHERE UserName=%Q AND Kingdom IS NULL", TableName(kPlayer),
         CallerUserName());
    Exec(kPlayer, "INSERT INTO %s (UserName,PlayerName,Gender) VALUES (%Q,%Q,%Q)",
         TableName(kPlayer), CallerUserName(), name.c_str(), gender);
    return true;
  });
}

void MenuLine(char key, const char* name, const char* gap, const char* description) {
  char line[256];
  snprintf(line, sizeof line, "\n\r%s[%s%c%s] %s%s%s%s%s", ansi::kBrightYellow,
           ansi::kBrightMagenta, key, ansi::kBrightYellow, ansi::kBrightGreen, name, ansi::kGrey,
           gap, description);
  od_disp_emu(line, TRUE);
}

char ChooseFrom(const Choice* choices) {
  for (int i = 0; i < creation::kChoices; ++i) {
    char name[16];
    snprintf(name, sizeof name, "%-11s", choices[i].name);
    MenuLine(choices[i].key, name, "      - ", choices[i].description);
  }
  od_printf("\n\n\r`dark green`Your Selection:");
  return od_get_answer("1234567890");
}

char ChooseRace(const char* title, const char* parent) {
  Heading(title);
  od_printf(
      "`bright cyan`Now you must choose what race your %s was..With most people we can just\n\r",
      parent);
  od_printf("tell, but you're kind of ugly and well...\n\r");
  od_printf("\n`bright red`%s:", title);
  return ChooseFrom(creation::kRaces);
}

char ChooseClass(const char* title) {
  Heading(title);
  od_printf("`bright cyan`When you were growing up, you trained hard to become somebody.\n\r");
  od_printf("You trained to be a:\n\r");
  return ChooseFrom(creation::kClasses);
}

void ChooseRaces(const std::string& name) {
  creation::StoreFirstRace(CallerUserName(), ChooseRace("Select First Race", "father"));
  std::string father = MyColumn("FirstRace");
  od_printf("\n\n\r`dark cyan`%s",
            ShadeTitle("Your father was a `bright yellow`" + father + " `dark cyan`").c_str());
  od_get_key(TRUE);

  creation::StoreSecondRace(CallerUserName(), ChooseRace("Select Second Race", "mother"));
  std::string mother = MyColumn("SecondRace");
  od_printf("\n\n\r`dark cyan`%s",
            ShadeTitle("Your mother was a `bright yellow`" + mother + " `dark cyan`").c_str());
  od_printf("\n\n\r`dark green`Your selected race: `bright yellow`%s`dark green`/`bright yellow`%s",
            father.c_str(), mother.c_str());
  od_get_key(TRUE);
  od_printf("\n\n\r`bright yellow`%s`bright cyan`, it's time to choose your player classes..",
            name.c_str());
  od_get_key(TRUE);
}

void ChooseClasses(const std::string& name) {
  creation::StoreFirstClass(CallerUserName(), ChooseClass("Select First Class"));
  std::string first = MyColumn("FirstClass");
  od_printf(
      "\n\n\r`dark cyan`%s",
      ShadeTitle("Your First Class Selection: `bright yellow`" + first + " `dark cyan`").c_str());
  od_get_key(TRUE);

  creation::StoreSecondClass(CallerUserName(), ChooseClass("Select Second Class"));
  std::string second = MyColumn("SecondClass");
  od_printf(
      "\n\n\r`dark cyan`%s",
      ShadeTitle("Your Second Class Selection: `bright yellow`" + second + " `dark cyan`").c_str());
  od_printf(
      "\n\n\r`dark green`Your Class Selections: `bright yellow`%s`dark green`/`bright yellow`%s",
      first.c_str(), second.c_str());
  od_get_key(TRUE);
  od_printf("\n\n\r`bright yellow`%s`bright cyan`, it's time to choose your guild membership..",
            name.c_str());
  od_get_key(TRUE);
}

void ChooseGuild() {
  Heading("Guild Selection");
  od_printf("`bright cyan`Time to honor your god, and forge your destiny. Will you choose to\n\r");
  od_printf("possess brute strength, volatile magic, stealth, faith...Choose your path..\n\r");
  od_printf("\n`bright red`Select Guild:");
  for (const creation::Guild& g : creation::kGuilds) MenuLine(g.key, g.label, "- ", g.description);
  od_printf("\n\n\r`dark green`Your Selection:");
  creation::StoreStartingValues(CallerUserName(), od_get_answer("12345"));
  od_printf("\n\n\r`dark cyan`%s", ShadeTitle("You have joined the `bright yellow`" +
                                              MyColumn("Guild") + " `dark cyan`guild!")
                                       .c_str());
  od_get_key(TRUE);
}

void StoryPage(const char* head, const std::string& text) {
  od_clr_scr();
  od_send_file("Skins/INFO.ANS");
  od_set_cursor(6, 1);
  od_printf("`bright magenta`%s %s", kShades, head);
  od_printf("%s", text.c_str());
  od_get_key(TRUE);
}

void StoryPages() {
  StoryPage("Tarvessia's History Part One:\n\n\r",
            "`bright yellow`You have joined in a epic race for immoratality, and to become the\n\r"
            "supreme warrior of a world in chaos.\n\n\r"
            "One thousand years ago, a great war ravaged the land of Tarvessia.\n\r"
            "The god's being powerless to interfere in the lives of mortals, called\n\r"
            "out for a soverign lord. A warrior rose up from the ashes of war, to\n\r"
            "endure the Turn of Tide. He surpassed the unbelievable power of the\n\r"
            "Avatar (the mortal form of a god) and gained his immortality.");
  StoryPage("Tarvessia's History Part Two:\n\n\r",
            "`bright yellow`Peace returned to the land of Tarvessia under his reign, until his\n\r"
            "death at the hands of a lesser deity.\n\n\r"
            "A hundred years have passed...chaos has burned across the land.\n\n\r"
            "The time for a new soverign leader is at hand.");
  StoryPage("Tarvessia's History Part Three:\n\n\r",
            "`bright yellow`Now the Turn of Tide has been issued again, to all who wish\n\r"
            "to answer the call.\n\n\r"
            "It is time to prove your guilds worth, nay your worth...");
  db::ResultTable config =
      db::Query(db::kConfig, "SELECT StartGold FROM %s", TableName(db::kConfig));
  char gold[160];
  snprintf(gold, sizeof gold,
           "`bright white`Young adventurer, you have been given $%s gold to buy\n\r",
           AddCommas(std::string(config.Text(0, 0))).c_str());
  StoryPage("Before you begin:\n\n\r",
            std::string(gold) +
                "armor and a weapon. Do this before venturing to far outside the kingdom!\n\n\r"
                "We hope you enjoy your stay in the NEWEST fantasy BBS door game...");
}

void GlobalCommands() {
  od_clr_scr();
  char banner[128];
  snprintf(banner, sizeof banner, "\n\r%s%s %sNew Global Commands %s%s", ansi::kBrightGreen,
           kShades, ansi::kGrey, ansi::kBrightGreen, kShadesBack);
  od_disp_emu(banner, TRUE);
  od_printf("\n\n\r`bright magenta`To see who is playing or to send a telegram:");
  od_printf("\n\r       `bright white`Press the '.' key from anywhere..");
  od_printf("\n\n\r`bright magenta`To join a global chat room:");
  od_printf("\n\r       `bright white`Press the '=' key from anywhere..");
  od_printf("\n\n\r`bright red`%s", ShadeTitle("Continue").c_str());
  od_get_key(TRUE);
}

}  // namespace

}  // namespace trv

void NewPlayer(void) {
  using namespace trv;
  std::string name;
  for (;;) {
    if (!JoinTheRealm()) ExitGame();
    name = AskName();
    if (name.empty()) continue;
    if (InsertCharacter(name, AskGender())) break;
    od_printf("\n\n\r`bright red`Sorry, that name is already in use..");
    od_get_key(TRUE);
  }
  ChooseRaces(name);
  ChooseClasses(name);
  ChooseGuild();
  while (!KingdomSelect(name.c_str())) {
  }
  StoryPages();
  GlobalCommands();
}
