// The alley's menu, its crime menus, the bounty board's listing and the
// escape over the border.
#include "game/alley/alley.h"

#include <stdlib.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/alley/rules.h"
#include "game/alley/screens.h"
#include "game/combat/shops.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/accounts.h"
#include "game/economy/screen_text.h"
#include "game/kingdom/kingdom.h"
#include "game/kingdom/war.h"
#include "game/place/place.h"
#include "game/player/bounties.h"
#include "game/player/caller.h"
#include "game/player/character.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::alley {
namespace {

using economy::Grouped;

// "[K]" with the rest of the option's words, as the crime menus show it.
void Option(const char* lead, char key, const char* rest) {
  Emu(std::string(lead) + ansi::kDarkGreen + "[" + ansi::kBrightYellow + key + ansi::kDarkGreen +
      "]" + rest);
}

void Selection() { Emu(std::string("\n\n\r") + ansi::kDarkGreen + "Your Selection: "); }

void DrawCriminalActions() {
  od_printf("`dark green`Happening upon the criminal elements of the kingdom");
  od_printf("\n\ryou find people here that will carry out certain deeds for");
  od_printf("\n\ra price..");
  od_printf("\n\n\r`yellow`Kingdom Crime Prevention: `bright cyan`%lld%%",
            KingdomRating(player::CallerText("Kingdom"), "CrimePrevention"));
  Emu(std::string("\n\n\r") + ansi::kDarkRed + ShadeTitle("Criminal Actions"));
  Option("\n\n\r", 'A', "ssassinate Foe");
  Option("\n\r", 'C', "onjure Evil Demon");
  Option("\n\r", 'I', "nfect Player w/Virus");
  Option("\n\r", 'B', "low up Investments");
  Option("\n\r", 'D', "estroy Bank Account");
  Option("\n\n\r", 'R', "eturn to Alley");
  Selection();
}

void DrawRogueGuild() {
  od_printf("`dark green`The scum of the earth, rogues are the only people");
  od_printf("\n\rallowed to enter. Here you have access to criminal actions");
  od_printf("\n\rnot available to other people in the realm!");
  od_printf("\n\n\r`yellow`NOTE: Crime prevention does not interfere with rogue guild actions!");
  Emu(std::string("\n\n\r") + ansi::kGrey + ShadeTitle("Rogue Guild"));
  Option("\n\n\r", 'A', "ssassinate Foe");
  Option("\n\r", 'I', "nfect Player w/Virus");
  Option("\n\r", 'P', "ick-Pocket Online Player");
  Option("\n\n\r", 'R', "eturn to Alley");
  Selection();
}

void DrawBountyBoard() {
  Emu(std::string(ansi::kDarkGreen) + "This is the place to put up a bounty or view bounties");
  Emu(std::string(ansi::kDarkGreen) +
      "\n\rthat are available. When a bounty is placed on someones head, to");
  Emu(std::string(ansi::kDarkGreen) +
      "\n\rcollect someone must kill the person in an arena match..");
  Emu(std::string("\n\n\r") + ansi::kBrightYellow + ShadeTitle("Wanted Posters"));
  Option("\n\n\r", 'A', "dd Bounty to List");
  Option("\n\r", 'V', "iew All Bounties");
  Option("\n\n\r", 'R', "eturn to Alley");
  Selection();
}

void BountyListHead() {
  od_clr_scr();
  od_printf("`bright red`\260\261\262 Listing of Bounties \262\261\260");
  od_printf("\n\n\r`grey`Below is the listing of the people on the bounty list. To collect");
  od_printf("\n\rthe bounties, challenge the person in the Tarvessia Arena, and win!");
  od_printf("\n\rYou will collect any bounties that are set on that person..");
  od_printf("\n\n\r`yellow` ### Person                 Bounty");
}

void ListBounties() {
  const std::vector<player::Bounty> posters = player::ReadBounties();
  BountyListHead();
  for (size_t i = 0; i < posters.size(); ++i) {
    od_printf("\n\r `grey`[`yellow`%zu`grey`] `bright magenta`%s  `grey`$%s", i + 1,
              Padded(CleanText(posters[i].wanted), 21).c_str(), Grouped(posters[i].amount).c_str());
    if ((i + 1) % 10 == 0) {
      od_printf("\n\n\r`dark green`\260\261\262 More \262\261\260");
      od_get_key(TRUE);
      BountyListHead();
    }
  }
  PressAnyKey();
}

// A crime menu's screen: drawn over a cleared screen, the alley's place
// text kept; R and Enter go back.
void CrimeMenu(void (*draw)(), std::vector<PlaceKey> keys) {
  PlaceScreen screen;
  screen.draw = draw;
  keys.push_back({'R', nullptr, nullptr, true});
  keys.push_back({'\r', nullptr, nullptr, true});
  RunPlace(screen, keys);
}

void Immigration() { kingdom::Immigrate(BorderEscape); }

}  // namespace

void Tell(const char* text) {
  od_printf("%s", text);
  od_get_key(TRUE);
}

void PressKeyIn(const char* colour) {
  od_printf("\n\n\r`%s`%s", colour, ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
}

long long KingdomRating(const std::string& kingdom, const char* column) {
  return db::Query(db::kKingdom, "SELECT %s FROM %s WHERE Name=%Q", column,
                   db::TableName(db::kKingdom), kingdom.c_str())
      .Int(0, 0);
}

std::string Padded(const std::string& text, int width) {
  std::string padded = text;
  if (static_cast<int>(padded.size()) < width) padded.resize(static_cast<size_t>(width), ' ');
  return padded;
}

void CriminalActions() {
  CrimeMenu(DrawCriminalActions, {
                                     {'A', nullptr, [] { CommitCrime(kAssassination); }},
                                     {'C', nullptr, [] { CommitCrime(kConjureDemon); }},
                                     {'I', nullptr, [] { CommitCrime(kInfection); }},
                                     {'B', nullptr, [] { CommitCrime(kBlowUpInvestments); }},
                                     {'D', nullptr, [] { CommitCrime(kBurnBankAccount); }},
                                 });
}

void RogueGuild() {
  if (player::CallerText("Guild") != "Rogue") {
    od_clr_scr();
    od_printf("`bright blue`%s `bright yellow`Denied Entrance `bright blue`%s", kShades,
              kShadesBack);
    od_printf(
        "\n\n\r`bright green`You are not a member of the rogue guild, and were denied entrance");
    od_printf("\n\rby the bum guards. You can smell beer and hear loud music from the guild..");
    Tell("\n\n\r`bright yellow`");
    return;
  }
  CrimeMenu(DrawRogueGuild, {
                                {'A', nullptr, [] { CommitCrime(kRogueAssassination); }},
                                {'I', nullptr, [] { CommitCrime(kRogueInfection); }},
                                {'P', nullptr, Pickpocket},
                            });
}

void BountyBoard() {
  CrimeMenu(DrawBountyBoard, {
                                 {'A', nullptr, [] { CommitCrime(kPostBounty); }},
                                 {'V', nullptr, ListBounties},
                             });
}

bool BorderEscape(const std::string& from, const std::string& to) {
  SeedRandom();
  const int roll = rand();
  od_clr_scr();
  od_printf("\n\n\r`dark green`%s", ShadeTitle("Attempting Escape").c_str());
  const long long guards = KingdomRating(from, "BorderGuardRating");
  // Taken whether the guards catch him or not; checked, so a second
  // session cannot spend the last deed again.
  if (!economy::SpendEvilDeeds(player::CallerUserName(), 1)) {
    Tell(kNoDeedsLeft);
    return false;
  }
  od_printf("\n\n\r`dark red`You decide to sneak out at night, you take all your");
  od_printf("\n\rwordly possesions, and attempt to sneak over a border wall..");
  od_get_key(TRUE);
  if (BorderCaught(roll, guards)) {
    od_printf("\n\n\r`bright red`YOU WERE CAUGHT! You were beaten by the guards and");
    od_printf("\n\rsent back to town..");
    od_get_key(TRUE);
    return false;
  }
  od_printf("\n\n\r`bright red`YOU MADE IT! The stupid border guards were asleep");
  od_printf("\n\rat their posts!! Welcome to your new home! And good luck!");
  player::ClearPosts(player::CallerUserName(), player::Posts::kNobles);
  od_get_key(TRUE);
  return true;
}

}  // namespace trv::alley

using namespace trv;

void EnterAlley(void) {
  std::vector<PlaceKey> keys = {
      {'I', nullptr, alley::Immigration},
      {'E', nullptr, alley::TemptationWorld},
      {'T', nullptr, alley::RogueGuild},
      {'W', nullptr, alley::BountyBoard},
      {'C', nullptr, alley::CriminalActions},
      {'S', nullptr, alley::SteroidShop},
      {'P', nullptr, alley::DrugPalace},
      {'R', nullptr, nullptr, true},
      {'M', nullptr, [] { kingdom::MilitiaScreen(alley::MilitiaSpeech); }},
  };
  if (combat::StatusScreenFn status = combat::StatusScreen())
    keys.push_back({'V', nullptr, status});
  RunPlace(PlaceScreen("Dark Alley", "Skins/ALLEY.ANS", 18, 27), keys);
}
