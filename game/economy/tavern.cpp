// The tavern: the inn upstairs, the old man's game, the bartender and
// romantic mail, beside the ledger, the news pen and the letters of the
// messaging screens.
#include <stdlib.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/shops.h"
#include "game/economy/courtship.h"
#include "game/economy/economy.h"
#include "game/economy/screen_text.h"
#include "game/economy/town_rules.h"
#include "game/economy/town_units.h"
#include "game/messaging/messaging.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/player/investments.h"
#include "game/ui/closing.h"
#include "game/ui/ui.h"

namespace trv::economy {
namespace {

using player::CallerUserName;
using Purenum::Integer;

constexpr int kRomanticMail = 2;  // the request kind
constexpr char kSelection[] = "\n\n\r`dark green`Your Selection: ";
constexpr char kReturnToFloor[] = "\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Floor";
constexpr char kNotOnHand[] = "\n\n\r`dark red`Sorry, you don't have that much gold on hand..";

constexpr const char* kReadyLines[] = {
    "Do you have sex with strangers? Well, allow me to introduce myself!",
    "Damn! Could I have some fries with that shake?",
    "Want to play numbers? I'll be 6 you be 9!",
    "Oh sorry, I thought that was a Braille name tag!",
    "You must be related to the sun because you brighten my day!",
    "You must be a broom, because you just swept me off my feet..",
    "I'm an orgasm donor!",
    "Are you free tonight or will it cost me?",
    "I'm not drunk I'm just intoxicated by you.",
};

// A page of its own inside the tavern: no skin, no poll of its own.
PlaceScreen Page(void (*draw)()) {
  PlaceScreen page;
  page.draw = draw;
  page.poll_messages = false;
  return page;
}

// ---- The inn ----

void DrawInn() {
  Say("`bright magenta`The Inn Owner, `dark green`comes over to you after you");
  Say("\n\rring the bell. Rooms at the Inn can provide you with a safe heaven during");
  Say("\n\ryour travels..");
  Say("\n\n\r`yellow`Depending on how much you desire protection, the Inn can provide");
  Say("\n\rwith a guard at your door. For a price that is..");
  for (const InnGuard& guard : kInnGuards) {
    char row[160];
    snprintf(row, sizeof row,
             "\n\n\r`dark green`[`bright yellow`%c`dark green`] `bright white`%-22s `dark "
             "green`$`bright white`%s `dark green`a guard",
             guard.key, guard.name, Grouped(guard.price).c_str());
    Say(row);
  }
  Say(kReturnToFloor);
  Say(kSelection);
}

void HireGuards(const InnGuard& guard) {
  Say("\n\n\r`bright magenta`Formula: 1 x $" + Grouped(guard.price));
  Say("\n\r`dark green`Hire How Many Guards? [`grey`Max 6`dark green`]: ");
  char typed[2] = "";
  od_input_str(typed, 1, '0', '0' + kMaxGuards);
  const int count = typed[0] == '\0' ? 0 : typed[0] - '0';
  if (count <= 0) {
    Say("\n\n\r`bright red`Aborted!");
    od_get_key(TRUE);
    return;
  }
  Say("\r\n`bright green`Pay $" + Grouped(GuardsPrice(guard, count)) +
      " `dark green`(`bright yellow`y`dark green`/`bright yellow`N`dark green`)? ");
  if (!AnswerYes()) return;
  // The gold and the room in one unit: a caller who hangs up from here on
  // sleeps guarded, and one who could not pay sleeps nowhere.
  switch (TakeInnRoom(CallerUserName(), guard, count)) {
    case Outcome::kDone:
      break;
    case Outcome::kNoCharacter:
      return;
    case Outcome::kAlready:  // asleep upstairs in another session
      Say("\n\n\r`bright red`You already have a room at the Inn!");
      od_get_key(TRUE);
      return;
    default:
      Say("\n\n\r`bright red`You don't have enough gold!");
      od_get_key(TRUE);
      return;
  }
  Say("\n\n\r`grey`You snuggle up in bed and fall asleep!");
  Say(guard.posted);
  od_get_key(TRUE);
  ExitGame();
}

// ---- The old man's game ----

void DrawOldMan() {
  Say("`bright magenta`The old man in the corner welcomes anyone willing to");
  Say("\n\rtry their luck at a game or two. If you hit the big jackpot, you");
  Say("\n\rcould win some large sums of cash.");
  Say("\n\n\r`dark green`Game [`bright yellow`1`dark green`] `dark red`Guess The Number");
  Say(kReturnToFloor);
  Say(kSelection);
}

void GuessTheNumber() {
  // The deed pays for the game, played or not.
  switch (SpendGoodDeed(CallerUserName(), nullptr)) {
    case Outcome::kDone:
      break;
    case Outcome::kNoCharacter:
      return;
    default:
      Say("\n\n\r`bright red`You are out of good deeds today..");
      od_get_key(TRUE);
      return;
  }
  od_clr_scr();  // the game has the screen to itself
  Say("\n\n\r`dark magenta`The old man writes a number down on 1 card, putting it face");
  Say("\n\rdown. He explains the rules of the game, you must try and figure out");
  Say("\n\rwhat number is written on the other side of the card..");
  Say("\n\n\r`grey`NOTE: If you win, you get double your money, if you lose you lose it!..");
  const Integer gold = player::Amount(player::CallerText("Gold").c_str());
  Say("\n\n\r`dark green`Gold: $`bright white`" + Grouped(gold));
  Say("\n\n\r`dark green`Gamble How Much Gold?");
  Say("\n\rHow much?: ");
  const std::string typed = ReadDigits(120);
  if (typed.empty()) return;
  const Integer stake(typed);
  if (stake > gold) {
    Say(kNotOnHand);
    od_get_key(TRUE);
    return;
  }
  SeedRandom();
  const int draw = rand() % kCards;
  const char* const cards[kCards] = {"50", "100", "200", "500"};
  for (int card = 0; card < kCards; ++card)
    Say("\n\n\r`dark green`[`bright yellow`" + std::to_string(card) + "`dark green`] " +
        cards[card]);
  Say("\n\n\rYour Selection: ");
  od_get_answer("0123");  // the card named does not change the odds
  switch (SettleWager(CallerUserName(), stake, draw)) {
    case Outcome::kDone:
      if (draw == 0)
        Say("\n\n\r`bright blue`YOU WON! `yellow`The old man throws the money at you..damn you");
      else
        Say("\n\r`dark red`YOU LOSE! `yellow`The old man collects you money..muahaha");
      break;
    case Outcome::kNoCharacter:
      return;
    default:  // spent on another node meanwhile
      Say(kNotOnHand);
  }
  od_get_key(TRUE);
}

// ---- The bartender ----

void DrawBartender() {
  Say("`bright yellow`You walk over to the bartender, and decide to ask him some");
  Say("\n\rquestions. From what you can see from the establishment, the owner");
  Say("\n\rseems to do pretty good for himself.");
  Say("\n\n\r`dark green`[`bright yellow`1`dark green`] Ask how he made his fortune");
  Say("\n\r`dark green`[`bright yellow`2`dark green`] Ask about the militias");
  Say(kReturnToFloor);
  Say(kSelection);
}

std::string Price(char merchant_key) {
  for (const player::Investment& kind : player::kInvestments)
    if (kind.merchant_key == merchant_key)
      return "$`bright white`" + Grouped(kind.build_price) + "`dark green`, paying `bright white`" +
             std::to_string(kind.daily_percent) + "%`dark green` of it";
  return "";
}

void BartenderOnFortunes() {
  od_clr_scr();
  Say("`bright yellow`\260\261\262 The Bartender \262\261\260");
  Say("\n\n\r`dark green`The bartender polishes a mug and leans over the counter..");
  Say("\n\n\r`bright white`\"Gold in a purse is gold for the pickpockets. Gold in the ground");
  Say("\n\rgrows. Go down to the merchant wharves and start small: a housing");
  Say("\n\rdevelopment costs " + Price('H') + " every day.");
  Say("\n\rBuild them until you can afford water silos at " + Price('W') + ",");
  Say("\n\rthen granary silos at " + Price('G') + ".");
  Say("\n\n\rThe ore mines are the prize: " + Price('O') + ",");
  Say("\n\rand a mine never runs dry. That's how I bought this place, friend.\"");
  Say("\n\n\r`dark green`He winks, and warns you to keep the rest of it in the bank..");
  od_get_key(TRUE);
}

void BartenderOnMilitias() {
  od_clr_scr();
  Say("`bright yellow`\260\261\262 The Bartender \262\261\260");
  Say("\n\n\r`dark green`The bartender lowers his voice and looks around the room..");
  Say("\n\n\r`bright white`\"Not happy with your ruler? You're not the first. Anyone who doesn't");
  Say("\n\rsit on the throne can raise a militia of his own. Ask in the dark alley:");
  Say("\n\rcivilians join you for evil deeds, and gold buys soldiers, dragon riders,");
  Say("\n\rcannons, katapults and the gear to arm them.");
  Say("\n\n\rWhen you're strong enough, march on the castle. An empty throne is");
  Say("\n\ryours for the taking. A ruler who sits on it fights back with the royal");
  Say("\n\rarmy, three rounds of battle, and you pick a battle plan for each.");
  Say("\n\rWin and the kingdom is yours. Lose, and they won't leave you whole.\"");
  Say("\n\n\r`dark green`He goes back to polishing his mugs as if you'd never spoken..");
  od_get_key(TRUE);
}

void DrawReadyLines() {
  Say("\n\n\r`bright magenta`Choose the words for your letter:");
  for (size_t i = 0; i < sizeof kReadyLines / sizeof kReadyLines[0]; ++i)
    Say("\n\r`dark green`[`bright yellow`" + std::to_string(i + 1) +
        "`dark green`] `bright white`" + kReadyLines[i]);
  Say("\n\r`dark green`[`bright yellow`X`dark green`] Write your own");
  Say("\n\r`dark green`[`bright yellow`R`dark green`]eturn to Floor");
  Say(kSelection);
}

}  // namespace

void EnterTavern() {
  std::vector<PlaceKey> keys = {
      {'A', nullptr, TheInn},        {'G', nullptr, OldMansGame},
      {'T', nullptr, Bartender},     {'S', nullptr, WriteRomanticMail},
      {'C', nullptr, ChatLedger},    {'P', nullptr, PenNews},
      {'W', nullptr, WriteToPlayer}, {'R', nullptr, nullptr, true},
  };
  if (combat::StatusScreen() != nullptr) keys.push_back({'V', nullptr, combat::StatusScreen()});
  RunPlace(PlaceScreen("Visiting Tavern", "Skins/TAVERN.ANS", 14, 17), keys);
}

void TheInn() {
  std::vector<PlaceKey> keys = {{'R', nullptr, nullptr, true}};
  for (const InnGuard& guard : kInnGuards)
    keys.push_back({guard.key, nullptr, [&guard] { HireGuards(guard); }});
  RunPlace(Page(DrawInn), keys);
}

void OldMansGame() {
  static const std::vector<PlaceKey> kKeys = {
      {'1', nullptr, GuessTheNumber},
      {'R', nullptr, nullptr, true},
  };
  RunPlace(Page(DrawOldMan), kKeys);
}

void Bartender() {
  static const std::vector<PlaceKey> kKeys = {
      {'1', nullptr, BartenderOnFortunes},
      {'2', nullptr, BartenderOnMilitias},
      {'R', nullptr, nullptr, true},
  };
  RunPlace(Page(DrawBartender), kKeys);
}

void WriteRomanticMail() {
  const std::optional<Sweetheart> to =
      ChooseSweetheart("\n\r`bright red`You cannot send yourself romantic mail!");
  if (!to) return;
  Say("\r\n\n`dark green`Send message to `bright green`" + CleanText(to->name) +
      " `dark green`(`bright yellow`y`dark green`/`bright yellow`N`dark green`)? ");
  if (!AnswerYes()) return;
  DrawReadyLines();
  const char choice = od_get_answer("\rRX123456789");
  Letter letter;
  if (choice == 'X')
    letter = WriteLetter("bright magenta");
  else if (choice >= '1' && choice <= '9')
    letter.line[0] = kReadyLines[choice - '1'];
  else
    return;
  Say("\r\n\n`dark green`Send message (`bright yellow`y`dark green`/`bright yellow`N`dark "
      "green`)? ");
  if (!AnswerYes()) return;
  if (!SendToSweetheart(*to, letter, kRomanticMail)) return;
  Say("\n\n\r`bright white`\260\261\262 Romantic Mail Sent! \262\261\260");
  od_get_key(TRUE);
}

void RegisterTavern() { SetRomanticMailWriter(WriteRomanticMail); }

}  // namespace trv::economy
