// The church: candles, worship, gifts of gold, holy items and two sins.
// Marriage and divorce are marriage.cpp.
#include <stdlib.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/shops.h"
#include "game/economy/economy.h"
#include "game/economy/screen_text.h"
#include "game/economy/town_rules.h"
#include "game/economy/town_units.h"
#include "game/messaging/messaging.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::economy {
namespace {

using player::CallerUserName;
using Purenum::Integer;

constexpr char kNoGoodDeeds[] = "\n\n\r`bright red`You are out of good deeds today..";
constexpr char kNoEvilDeeds[] = "\n\n\r`bright red`Sorry, you are out of evil deeds for today..";
constexpr char kSelection[] = "\n\n\r`dark green`Your Selection: ";

void Refuse(const char* text) {
  Say(text);
  od_get_key(TRUE);
}

// ---- Candles ----

void DrawCandles() {
  Say("\n\n\r`bright cyan`\260\261\262 Burn Candles \262\261\260");
  Say("\n\n\r`dark green`Burning a candle and kneeling before the burning flame will");
  Say("\n\rallow you to focus on a specific ability that you have. This");
  Say("\n\rwill make you a bit stronger in that area once the candle burns");
  Say("\n\rdown to just wax..");
  Say("\n\n\r`grey`NOTE: Burning candles cost 1 good deed..");
  Say("\n\n\r`dark green`Good deeds left: `bright white`" +
      std::to_string(player::CallerInt("GoodDeeds")));
  Say("\n");
  for (const Candle& candle : kCandles)
    Say(std::string("\n\r`dark green`[`bright yellow`") + candle.key + "`dark green`] " +
        candle.name + " `dark green`- " + candle.gift);
  Say("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Church Hall");
  Say(kSelection);
}

void BurnCandle(const Candle& candle) {
  switch (SpendGoodDeed(CallerUserName(), candle.boon.assignments)) {
    case Outcome::kDone:
      Say(candle.boon.message);
      break;
    case Outcome::kNoCharacter:
      return;
    default:
      Say(kNoGoodDeeds);
  }
  od_get_key(TRUE);
}

// ---- Gifts ----

struct GiftPlace {
  const char* banner;
  const char* lines;
  char key;
  const char* key_line;
  const char* question;
  const char* thanks;
  const Boon* boons;
};

const GiftPlace kFamily = {"\n\n\r`bright cyan`\260\261\262 Give Tides \262\261\260",
                           "\n\n\r`dark green`A young poor family sits huddled in blankets at the"
                           "\n\rback of the church. They look at you with tears in their eyes, do"
                           "\n\ryou feel compassion to help out?",
                           'G',
                           "\n\n\r`dark green`[`bright yellow`G`dark green`]ive Tides",
                           "\n\n\r`dark green`How much would you like to give?",
                           "\n\r`bright blue`The children in the family give you kisses!",
                           kFamilyBoons};

const GiftPlace kChurch = {
    "\n\n\r`bright cyan`\260\261\262 Donation \262\261\260",
    "\n\n\r`dark green`You becon for a monk to come over to you, you tell him"
    "\n\ryou would like to give a donation to the church. He smiles"
    "\n\rand says `bright magenta`bless you, bless you`dark green`, this money is very much"
    "\n\rneeded to ease the poverty of the kingdoms people...",
    'D',
    "\n\n\r`dark green`[`bright yellow`D`dark green`]onate Tides",
    "\n\n\r`dark green`How much would you like to give? Asks the `bright magenta`Monk`dark "
    "green`...",
    "\n\r`bright blue`The monk thanks you and gives you a blessing!",
    kChurchBoons};

void Give(const GiftPlace& place) {
  od_clr_scr();
  db::ResultTable row = player::CallerRow("GoodDeeds,Gold");
  if (row.empty()) return;
  Say(place.banner);
  Say(place.lines);
  Say("\n\n\r`grey`NOTE: Donations cost 1 good deed..");
  Say("\n\n\r`dark green`Gold: $`bright white`" + Grouped(row.Text(0, 1)));
  Say(place.key_line);
  Say("\n\r`dark green`[`bright yellow`R`dark green`]eturn to Church Hall");
  Say(kSelection);
  const char keys[] = {place.key, 'R', '\0'};
  if (od_get_answer(keys) != place.key) return;
  if (row.Int(0, 0) <= 0) return Refuse(kNoGoodDeeds);
  Say(place.question);
  Say("\n\rHow much?: ");
  const std::string typed = ReadDigits(120);
  if (typed.empty()) return;
  const Integer amount(typed);
  if (amount > player::Amount(row.Text(0, 1)))
    return Refuse("\n\n\r`dark red`Sorry, you don't have that much gold on hand..");
  if (amount == 0) return Refuse("\n\n\r`dark red`Giving nothing? Thats rude!");
  // One draw whatever the amount: a single coin earns what a fortune does.
  SeedRandomOnce();
  const Boon& boon = place.boons[rand() % kBoonDraws];
  switch (GiveGold(CallerUserName(), amount, boon.assignments)) {
    case Outcome::kDone:
      Say(place.thanks);
      Say(boon.message);
      break;
    case Outcome::kNoDeeds:
      Say(kNoGoodDeeds);
      break;
    case Outcome::kRefused:
      Say("\n\n\r`dark red`Sorry, you don't have that much gold on hand..");
      break;
    case Outcome::kNoCharacter:
      return;
  }
  od_get_key(TRUE);
}

// ---- Holy items ----

// One of the church's two counters.
struct HolyCase {
  const char* category;  // in the item file
  const char* banner;
  const char* what;  // "rings"
  const char* worn;  // "Current Rings"
  const char* first_slot_label;
  const char* second_slot_label;
  int first_slot;   // the worn slot shown first
  int second_slot;  // and the one shown second
  const char* buy_prompt;
};

constexpr HolyCase kRings = {"10", "Blessed Rings", "rings", "Current Rings",
                             // Slot 11 is the right hand's ring, 12 the left's.
                             "Left Finger", "Right Finger", 12, 11,
                             "\n\n\r`bright green`Buy which ring: "};
constexpr HolyCase kNecklaces = {"6",
                                 "Holy Necklaces",
                                 "necklaces",
                                 "Current Necklaces",
                                 "First",
                                 "Second",
                                 7,
                                 8,
                                 "\n\n\r`bright green`Buy which necklace: "};

void HolyHeading(const HolyCase& holy) {
  Say(std::string("`bright cyan`\260\261\262 `bright yellow`") + holy.banner +
      " `bright cyan`\262\261\260");
  Say(std::string("\n\n\r`dark green`A monk unlocks the glass case and lays the blessed ") +
      holy.what);
  Say("\n\rout on purple velvet, one beside the other. Each was prayed over");
  Say("\n\rfor forty days and nights before it was put up for sale, and the");
  Say("\n\rmonks will not haggle over the price..");
  const std::string first = "Equip" + std::to_string(holy.first_slot);
  const std::string second = "Equip" + std::to_string(holy.second_slot);
  db::ResultTable worn = player::CallerRow((first + "," + second).c_str());
  Say(std::string("\n\n\r`dark green`") + holy.worn + ": `bright cyan`" + holy.first_slot_label +
      ": `bright white`" + CleanText(worn.Text(0, 0)) + " `bright cyan`" + holy.second_slot_label +
      ": `bright white`" + CleanText(worn.Text(0, 1)));
}

combat::ShopCounter HolyCounter(const HolyCase& holy) {
  return {holy.category, [&holy] { HolyHeading(holy); }, holy.buy_prompt};
}

void DrawHolyItems() {
  Say("`bright cyan`\260\261\262 `bright yellow`Holy Items `bright cyan`\262\261\260");
  Say("\n\n\r`bright magenta`The church offers several forms of protection for your");
  Say("\n\radventures. The items are are crafted by the finest monks and magic");
  Say("\n\rusers in the lands. These items have been blessed by the Gods and");
  Say("\n\rsome do provide some extra bonus rewards!");
  Say("\n\n\r`dark green`[`bright yellow`L`dark green`] Blessed Rings");
  Say("\n\r`dark green`[`bright yellow`H`dark green`] Holy Necklaces");
  Say("\n\r`dark green`[`bright yellow`S`dark green`] Sell or Drop Items");
  Say("\n\r`dark green`[`bright yellow`R`dark green`]eturn to Church Hall");
  Say(kSelection);
}

// ---- Sins ----

void SinBanner(const char* title) {
  od_clr_scr();
  Say(std::string("`bright red`\260\261\262 ") + title + " \262\261\260");
}

}  // namespace

void EnterChurch() {
  std::vector<PlaceKey> keys = {
      {'B', nullptr, BurnCandles},       {'W', nullptr, Worship},  {'G', nullptr, GiveToThePoor},
      {'D', nullptr, DonateToTheChurch}, {'M', nullptr, Marriage}, {'C', nullptr, MarriageRoll},
      {'P', nullptr, HolyItems},         {'K', nullptr, Murder},   {'S', nullptr, StealTheTithes},
      {'R', nullptr, nullptr, true},
  };
  if (combat::StatusScreen() != nullptr) keys.push_back({'V', nullptr, combat::StatusScreen()});
  RunPlace(PlaceScreen("Visiting Church", "Skins/CHURCH.ANS", 22, 16), keys);
}

void BurnCandles() {
  std::vector<PlaceKey> keys = {{'R', nullptr, nullptr, true}};
  for (const Candle& candle : kCandles)
    keys.push_back({candle.key, nullptr, [&candle] { BurnCandle(candle); }});
  PlaceScreen room;
  room.draw = DrawCandles;
  room.poll_messages = false;  // the church polled on the way in
  RunPlace(room, keys);
}

void Worship() {
  od_clr_scr();
  Say("`bright white`\260\261\262 Worship Gods \262\261\260");
  Say("\n\n\r`dark green`The ability to pray to your gods has it's advantages,");
  Say("\n\rsince the god's will grace your with different items");
  Say("\n\reach time..");
  Say("\n\n\r`grey`NOTE: Worship attempts cost 1 good deed..");
  Say("\n\n\r`dark green`Really worship (`bright yellow`y`dark green`/`bright yellow`N`dark "
      "green`)? ");
  if (od_get_answer("YN") != 'Y') return;
  if (player::CallerInt("GoodDeeds") <= 0) return Refuse(kNoGoodDeeds);
  SeedRandomOnce();
  const Boon& boon = kWorshipBoons[rand() % kBoonDraws];
  // The deed is checked again as it is spent: another session may have
  // spent it meanwhile.
  const Outcome outcome = SpendGoodDeed(CallerUserName(), boon.assignments);
  if (outcome == Outcome::kNoCharacter) return;
  if (outcome != Outcome::kDone) return Refuse(kNoGoodDeeds);
  Say("\n\n\r`dark green`You take a seat on a nearby pew, and clasp your");
  Say("\n\rhands together.");
  Say("\n\n\rWhispering the words `bright magenta`Rel Sanct`dark green`...");
  Say(boon.message);
  od_get_key(TRUE);
}

void GiveToThePoor() { Give(kFamily); }
void DonateToTheChurch() { Give(kChurch); }

void HolyItems() {
  static const std::vector<PlaceKey> kKeys = {
      {'L', nullptr, [] { combat::ShopList(HolyCounter(kRings)); }},
      {'H', nullptr, [] { combat::ShopList(HolyCounter(kNecklaces)); }},
      {'S', nullptr, combat::SellOrDrop},
      {'R', nullptr, nullptr, true},
  };
  PlaceScreen counter;
  counter.draw = DrawHolyItems;
  counter.poll_messages = false;
  counter.global_keys = false;
  RunPlace(counter, kKeys);
}

void Murder() {
  SinBanner("Murder");
  Say("\n\n\r`dark green`Deep in the shadows of the church you watch the faithful come and");
  Say("\n\rgo. Some of them carry more gold than any god would ask of them..");
  Say("\r\n\n`dark green`Use 1 of your evil deeds (`bright yellow`y`dark green`/`bright "
      "yellow`N`dark green`)? ");
  if (!AnswerYes()) return;
  if (player::CallerInt("EvilDeeds") < kMurderDeeds) return Refuse(kNoEvilDeeds);
  SeedRandom();
  const MurderScene& scene = kMurders[rand() % kMurderScenes];
  const Outcome outcome = Sin(CallerUserName(), kMurderDeeds, kMurderFavour, Integer(scene.loot));
  if (outcome == Outcome::kNoCharacter) return;
  if (outcome != Outcome::kDone) return Refuse(kNoEvilDeeds);
  for (const char* line : scene.story)
    if (line != nullptr) Say(line);
  Say("`dark green`\n\n\rDivine favor tumbles 3 points..");
  Say(scene.loot_line);
  od_get_key(TRUE);
}

void StealTheTithes() {
  SinBanner("Steal the Tides");
  Say("\r\n\n`dark green`Use 3 of your evil deeds (`bright yellow`y`dark green`/`bright "
      "yellow`N`dark green`)? ");
  if (!AnswerYes()) return;
  db::ResultTable me = player::CallerRow("EvilDeeds,PlayerName");
  if (me.empty()) return;
  if (me.Int(0, 0) < kTithesDeeds) return Refuse(kNoEvilDeeds);
  Say("\n\n\r`dark magenta`Deciding that money is more important then your soul, you");
  Say("\n\rset out to steal the church collections. You sneak up to the church safe and");
  Say("\n\rbegin to pry open the lock...");
  for (const char* prying : {"prying..", "prying....", "prying...the lock is almost broke.."}) {
    Say(std::string("\n\n\r`white`") + prying);
    od_get_key(TRUE);
  }
  SeedRandom();
  const bool stolen = TithesStolen(rand() % 10);
  // After the last key: the deeds are checked and spent with the loot.
  const Outcome outcome = Sin(CallerUserName(), kTithesDeeds, stolen ? kTithesFavour : 0,
                              Integer(stolen ? kTithesBox : "0"));
  if (outcome == Outcome::kNoCharacter) return;
  if (outcome != Outcome::kDone) return Refuse(kNoEvilDeeds);
  if (stolen) {
    Say("\n\n\r`bright red`\260\261\262 SUCCESSFUL ROBBERY \262\261\260");
    Say("\n\n\r`bright yellow`The tides box contained $3,000,000");
    Say("\n\n\r`grey`Your divine favor drops by 6!");
    AddNews("`bright cyan`CHURCH TIDES STOLEN",
            (CleanText(me.Text(0, 1)) + " decided to steal the tides from the church..").c_str(),
            "");
  } else {
    Say("\n\n\r`bright red`\260\261\262 YOU WERE CAUGHT! \262\261\260");
    Say("\n\n\r`bright yellow`You were escorted out of the church by a group of monks!");
  }
  od_get_key(TRUE);
}

}  // namespace trv::economy
