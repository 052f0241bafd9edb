// Outside the walls: the area list, the area menu, the search, the
// wandering healer and the level notice.
#include "game/combat/hunt.h"

#include <stdlib.h>

#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/shop_parts.h"
#include "game/combat/shops.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/player/level.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

constexpr char kHappyHunting[] = "Happy hunting..";

const Area kAreas[kAreaCount] = {
    {"Forest",
     "Very Easy",
     "Haunted Forest",
     {"Old oaks lean over a path that the wolves know better than you do.",
      "Something small scurries through the ferns, and a pale light drifts",
      "between the trunks where the woodcutters no longer go.."},
     kHappyHunting},
    {"Mountain Region",
     "3-5",
     "Frozen Mountain",
     {"The wind bites through your cloak as the trail climbs above the trees.",
      "Huge tracks cross the snow and vanish into a cave mouth, and high on",
      "the ridge a shape too big for a man watches you climb.."},
     kHappyHunting},
    {"River Of Blood",
     "6-10",
     "River of Blood",
     {"The water runs red and warm, and the reeds along its banks are stained",
      "to the tips. A ferry bell tolls somewhere downstream, though no ferry",
      "has crossed here since the old war.."},
     kHappyHunting},
    {"Dungeon Area",
     "11-14",
     "Deep Dungeon",
     {"Stone steps lead down past the last torch into a smell of mould and",
      "old bones. Chains rattle in the dark, and a slow wet sound drags",
      "itself along the corridor ahead of you.."},
     kHappyHunting},
    {"Desert Region",
     "15-19",
     "Desert Region",
     {"Dunes roll to the edge of sight under a sun that never seems to move.",
      "Half-buried tombs break the sand, vultures circle overhead, and the",
      "ground itself trembles now and then.."},
     kHappyHunting},
    {"Cavern",
     "20-23",
     "Cavern",
     {"Glowing fungus lights a cavern so vast your torch cannot find its roof.",
      "Bats stir above you, spores drift on the cold air, and somewhere a",
      "boulder moves that was never a boulder.."},
     kHappyHunting},
    {"Death Knight Cove",
     "24-27",
     "Death Knight Cove",
     {"Wrecked ships lie on the black rocks of the cove, their masts like",
      "gravestones. Armoured figures walk the tide line without leaving",
      "footprints, and the fog smells of rust and salt.."},
     kHappyHunting},
    {"Winter City",
     "28-31",
     "Winter City",
     {"A whole city stands frozen in the moment the cold took it: merchants",
      "at their stalls, guards at the gates, all of them rimed in ice. Some",
      "of them turn their heads as you pass.."},
     kHappyHunting},
    {"Orc Battle Field",
     "32-35",
     "Orc Battle Field",
     {"Broken banners and trampled mud stretch for a mile. War drums beat",
      "behind the far hill, the camp fires of the horde smoke on the ridge,",
      "and the orcs are not done fighting.."},
     kHappyHunting},
    {"Mordor Tower",
     "36-40",
     "Mordor Tower",
     {"The black tower rises from a plain of ash, and a red light burns at",
      "its crown. Wolves howl at its gate, and winged shadows wheel around",
      "the battlements, waiting for the foolish.."},
     kHappyHunting},
    {"The Plains",
     "41-44",
     "The Plains",
     {"Grass as high as your waist ripples to every horizon. Thunder rolls",
      "out of a clear sky, the herds run from something you cannot see, and",
      "the hunters of the plains have already caught your scent.."},
     kHappyHunting},
    {"Purgatory Dream",
     "45-48",
     "Purgatory Dream",
     {"You cannot remember falling asleep, yet here you stand in a grey",
      "land where the sky hangs too low. Lost souls wander without faces,",
      "and a distant bell tolls out the judgement of the dead.."},
     kHappyHunting},
    {"(not listed)",
     "",
     "The Hidden 13th Dimension",
     {"Muahaha, you have found the secret area of this game,",
      "a place between the worlds where nothing keeps its shape, and the",
      "things that live here have waited a very long time for company.."},
     "Happy hunting..muahahah!!"},
    {"Swamp Marsh",
     "49-52",
     "Swamp Marsh",
     {"Every step sinks to the ankle in black mud, and the air hums with",
      "biting insects. Eyes rise from the still water and sink again, and a",
      "many-headed shadow moves beneath the lilies.."},
     kHappyHunting},
    {"City of Ruins",
     "53-56",
     "City of Ruins",
     {"Toppled statues and roofless halls are all that is left of a city",
      "that once ruled the world. Gargoyles still keep its broken towers,",
      "and its dead still keep its empty streets.."},
     kHappyHunting},
    {"Graveyard",
     "57-60",
     "Graveyard",
     {"Crooked headstones crowd a hill under a moon that will not set. The",
      "earth of the newer graves is freshly turned, from the inside, and a",
      "banshee's wail rises from the mausoleum.."},
     kHappyHunting},
    {"Volcano",
     "61-64",
     "Volcano",
     {"Rivers of lava light the slopes, and the rock is hot through your",
      "boots. Imps dance in the sulphur smoke, and from the crater comes",
      "the slow breathing of something enormous.."},
     kHappyHunting},
    {"Devil's Playground",
     "65-68",
     "Devil's Playground",
     {"Swings of chain creak in a wind that smells of brimstone, and the",
      "laughter of devils echoes across a yard of red glass. Here the games",
      "are played for souls, and yours is the prize.."},
     kHappyHunting},
    {"Castle Of Death",
     "69-72",
     "Castle of Death",
     {"The drawbridge lowers for you by itself. Inside, the halls are cold",
      "as a tomb, the banners hang black, and every guard you pass has been",
      "dead for a hundred years and still stands watch.."},
     kHappyHunting},
    {"Castle of Leithis",
     "73-76",
     "Castle of Leithis",
     {"Crystal spires catch the light over the court of King Leithis, who",
      "never forgave the realm for outliving him. His guards, his mages and",
      "his assassins serve him still.."},
     kHappyHunting},
    {"Castle of Skeletons",
     "77-80",
     "Castle of Skeletons",
     {"Walls of bone, gates of bone, a throne of bone. The whole castle",
      "rattles as you enter, and from every doorway the skeletons come in",
      "their hundreds to greet their guest.."},
     kHappyHunting},
    {"Castle of Giants",
     "81-84",
     "Castle of Giants",
     {"The steps of this castle are taller than you are. The giants who",
      "built it still feast in its great hall, and the bones on their",
      "plates are the bones of heroes.."},
     kHappyHunting},
    {"Death River",
     "85-88",
     "Death River",
     {"The river of the dead flows black and silent toward no sea. Pale",
      "hands reach up from its depths, and something vast turns over in",
      "the current as you wade in.."},
     kHappyHunting},
    {"Endless Cave",
     "89-92",
     "Endless Cave",
     {"The cave goes down and down and never ends. Your light grows weaker",
      "with every turn, and the things that live in the deep have never",
      "needed eyes to find their prey.."},
     kHappyHunting},
    {"Outer Limits",
     "93-96",
     "Outer Limits",
     {"The stars are close enough to touch, and the ground beneath you is",
      "nothing at all. Shapes move between the stars that no sane mind was",
      "meant to see, and they have noticed you.."},
     kHappyHunting},
    {"Circus Of The Damned",
     "97-100",
     "Circus Of The Damned",
     {"The big top glows red in the night and a calliope plays out of tune.",
      "The clowns' smiles are painted on with blood, the knives of the",
      "jugglers are real, and the show has no end.."},
     kHappyHunting},
    {"Death Island",
     "Difficult",
     "Death Island",
     {"Your boat grinds onto a beach of skulls. Drums beat in the jungle,",
      "stone idols watch from the cliffs, and out in the bay a sea dragon",
      "rises to see what the tide brought.."},
     kHappyHunting},
    {"Lunatix Paradise",
     "Difficult",
     "Lunatix Paradise",
     {"Behind the asylum's broken gates the inmates have made their own",
      "paradise. Laughter rings from every cell, and Lunatix the Mad waits",
      "on his throne of straitjackets to welcome you home.."},
     kHappyHunting},
    {"Dark Elf Forest",
     "Difficult",
     "Dark Elf Forest",
     {"Trees of ironwood close overhead and shut out the day. Webs hang",
      "between the branches, and the dark elves move through the shadows",
      "without a sound, blades already drawn.."},
     kHappyHunting},
    {"Prophecy of Death",
     "Difficult",
     "Prophecy of Death",
     {"The sky burns, the sea boils and the prophets were right. At the end",
      "of the world its last horsemen ride, and Death himself waits at the",
      "gate for the one foolish enough to come.."},
     kHappyHunting},
};

const char* Players() { return db::TableName(db::kPlayer); }
const char* Me() { return player::CallerUserName(); }

// "[1] Forest                 Very Easy     " and the like: the menu
// number, the name and the level in columns that stay aligned whatever
// the number's width. `name_width` counts from the bracket.
std::string AreaColumn(int number, int name_width) {
  const Area& area = AreaOf(number);
  const std::string key = std::to_string(number);
  char text[160];
  snprintf(text, sizeof text, "`dark green`[`yellow`%s`dark green`] `bright green`%-*s`grey`%-9s",
           key.c_str(), static_cast<int>(name_width - key.size() - 3), area.list_name, area.level);
  return text;
}

void ShowAreaList() {
  od_clr_scr();
  od_printf(
      "`bright magenta`Here you choose where you are going to be fighting, try and choose\n\r"
      "ran area that is close to what level you are..If you find the monsters\n\r"
      "you are fighting are too easy, choose a higher level..");
  od_printf(
      "\n\n\r `bright cyan`Area                    Recommended Lvl  Area                "
      "Recommended "
      "Lvl");
  std::vector<int> listed;
  for (int number = 1; number <= kAreaCount; ++number)
    if (number != kSecretArea) listed.push_back(number);
  for (size_t i = 0; i < listed.size(); i += 2) {
    od_printf("\n\r %s", AreaColumn(listed[i], 27).c_str());
    if (i + 1 < listed.size()) od_printf("     %s", AreaColumn(listed[i + 1], 25).c_str());
  }
}

void ShowArea(int number) {
  const Area& area = AreaOf(number);
  const char* colour = number == kSecretArea ? "`bright magenta`" : "`bright green`";
  od_printf("`bright white`%s %s %s\n\n\r", kShades, area.banner, kShadesBack);
  od_printf("%s%s\n\r%s\n\r%s", colour, area.lines[0], area.lines[1], area.lines[2]);
  od_printf("\n\r%s", area.closing);
}

void DrawAreaMenu(int number, const Health& trip) {
  ShowArea(number);
  trip.WriteBack();
  LevelRaiseCheck();
  const db::ResultTable row = player::CallerRow("Potions,MonsterFights");
  od_printf("`bright green`\n\n\rYour hitpoints: `bright white`%s`dark green`/`bright white`%s",
            Grouped(trip.hp()).c_str(), Grouped(trip.max_hp()).c_str());
  od_printf("`bright green`\n\rHealing Potions: `bright white`%s`dark green`/`bright white`300",
            Grouped(row.Int(0, 0)).c_str());
  auto option = [](const char* breaks, char key, const char* rest) {
    od_printf("%s`dark green`[`bright yellow`%c`dark green`]`bright green`%s", breaks, key, rest);
  };
  option("\n\n\r", 'S', "earch for something to fight");
  if (StatusScreen() != nullptr) option("\n\r", 'Y', "our status and equipment");
  option("\n\r", 'P', "urchase potions from wandering healer");
  option("\n\r", 'U', "se healing potion(s)");
  option("\n\r", 'R', "etreat to safety");
  od_printf("\n\n\r`bright red`%s `bright green`Monster Fights Left: `bright white`%s", kShades,
            Grouped(row.Int(0, 1)).c_str());
  od_printf("\n\r`bright red`%s `bright green`Thou Choice : ", kShades);
}

// One search of the area. False when the caller is too tired to go on.
bool Search(int number, Health& trip) {
  if (player::CallerInt("MonsterFights") < 1) {
    od_printf("\n\n\r`bright yellow`You are too tired to fight anymore today..");
    WaitKey();
    return false;
  }
  // Seeded once: a generator seeded from the clock at every search would
  // repeat a find for every search within the same second.
  SeedRandomOnce();
  if (rand() % 15 == 2) {
    RandomFind();
    WaitKey();
    trip.Reload();  // the kidnapping fights on the row itself
    return true;
  }
  const MonsterTable monsters = ReadMonsters(number - 1);
  if (monsters.empty()) {  // an edited file without this area
    od_printf("\n\n\r`bright yellow`You search for hours, but nothing stirs out here..");
    WaitKey();
    return true;
  }
  const Monster& monster = monsters[rand() % monsters.size()];
  const int size = GroupSize(monster.group_bound);
  od_clr_scr();
  od_printf("\n\n\r`bright white`%s YOU PREPARE FOR COMBAT! %s", kShades, kShadesBack);
  MonsterFight(monster, size, trip);
  db::Exec(db::kPlayer, "UPDATE %s SET MagicPower=MaxMagicPower WHERE UserName=%Q", Players(),
           Me());
  return true;
}

enum class HealerSale { kBought, kSackFull, kTooMany };

}  // namespace

const Area& AreaOf(int number) {
  if (number < 1 || number > kAreaCount) number = 1;
  return kAreas[number - 1];
}

void HuntArea(int area, Health& trip) {
  trip.Reload();
  bool tired = false;
  PlaceScreen screen("Fighting Monsters");
  screen.draw = [&] { DrawAreaMenu(area, trip); };
  screen.open = [&] { return !tired; };
  std::vector<PlaceKey> keys = {
      {'S', nullptr, [&] { tired = !Search(area, trip); }},
      {'P', nullptr, WanderingHealer},
      {'U', nullptr,
       [&] {
         DrinkPotions(trip);
         WaitKey();
       }},
      {'R', nullptr, nullptr, true},
  };
  if (StatusScreenFn status = StatusScreen()) {
    keys.push_back({'Y', nullptr, [&trip, status] {
                      status();
                      trip.Reload();  // an unequipped jewel may have lowered MaxHP
                    }});
  }
  RunPlace(screen, keys);
}

void WanderingHealer() {
  od_clr_scr();
  od_printf("`bright blue`%s Wandering Healer %s", kShades, kShadesBack);
  od_printf(
      "\n\n\r`dark green`You motion for a `bright magenta`Wandering Healer`dark green`..A cloaked "
      "figure");
  od_printf("`dark green`\n\rfloats over to your location. Each potion will cost");
  od_printf("\n\r`dark green`you 4 gold..You realize the cost of potions from");
  od_printf("`dark green`\n\rthe healer in town are cheaper. But this person is");
  od_printf("`dark green`\n\ralready here..");
  const db::ResultTable row = player::CallerRow("Potions,Gold");
  const long long potions = row.Int(0, 0);
  od_printf(
      "`dark green`\n\n\rSack currently holds: `bright white`%s`dark green` of `bright "
      "cyan`300 `dark green`max",
      Grouped(potions).c_str());
  od_printf("`dark green`\n\rYou can purchase `bright white`%lld`dark green` potions",
            HealerOffer(potions, player::Amount(row.Text(0, 1))));
  od_printf("`dark green`\n\rPurchase how many healing potions? `bright white`");
  const int wanted = ReadTypedNumber(3);
  if (wanted <= 0) return;
  // What the caller can afford is checked again with the purse as it is
  // now: another node may have taken gold while the number was typed.
  HealerSale sale = HealerSale::kTooMany;
  db::RunWriteUnit([&] {
    const db::ResultTable now = player::CallerRow("Potions,Gold");
    if (now.empty()) return false;
    if (now.Int(0, 0) >= kMaxPotions) {
      sale = HealerSale::kSackFull;
      return false;
    }
    const Purenum::Integer gold = player::Amount(now.Text(0, 1));
    if (wanted > HealerOffer(now.Int(0, 0), gold)) {
      sale = HealerSale::kTooMany;
      return false;
    }
    const Purenum::Integer price = Purenum::Integer(wanted) * kWanderingPotionPrice;
    db::Exec(db::kPlayer, "UPDATE %s SET Gold=%Q,Potions=Potions+%d WHERE UserName=%Q", Players(),
             (gold - price).str().c_str(), wanted, Me());
    sale = HealerSale::kBought;
    return true;
  });
  switch (sale) {
    case HealerSale::kSackFull:
      od_printf("\n\r`bright red`You cannot carry more then 300 potions!");
      break;
    case HealerSale::kTooMany:
      od_printf("\n\r`bright red`You cannot purchase that many potions!");
      break;
    case HealerSale::kBought:
      od_printf("\n\r`bright yellow`%s Purchased %d potions! %s", kShades, wanted, kShadesBack);
      break;
  }
  WaitKey();
}

void LevelRaiseCheck() {
  if (player::CallerEligibleForLevelRaise())
    od_printf("\n\n\r`bright yellow`** ELIGIBLE FOR LEVEL RAISE! **");
}

}  // namespace trv::combat

void BeginOutside(void) {
  using namespace trv::combat;
  SummonedDemon();
  ShowAreaList();
  od_printf("\n\n\r`bright red`Choose Your Fate: <Press 0 to leave> ");
  const int area = ReadTypedNumber(2);
  if (area < 1 || area > kAreaCount) return;
  Health trip = Health::Cached();
  HuntArea(area, trip);
  trip.WriteBack();
}
