// Main Street: the town menu from which every place is reached.
#include <vector>

#include "game/alley/alley.h"
#include "game/combat/arena.h"
#include "game/combat/hunt.h"
#include "game/combat/quests.h"
#include "game/combat/shops.h"
#include "game/economy/economy.h"
#include "game/kingdom/court.h"
#include "game/messaging/messaging.h"
#include "game/place/place.h"
#include "game/progress/progress.h"
#include "game/town/play.h"
#include "game/ui/closing.h"
#include "game/ui/world_options.h"

namespace trv {
namespace {

void TodaysNews() { ShowNews("today"); }

void GoOutside() {
  combat::RemindOfEmptyHands();  // and out all the same
  BeginOutside();
}

// The places that exist, one row each: the key (also in Skins/MAIN.ANS),
// the place text written before going (nullptr: none), and the place. '.'
// and '=' are every place's own.
const std::vector<PlaceKey>& Places() {
  static const std::vector<PlaceKey> kPlaces = {
      {'\r', nullptr, nullptr},  // redraw
      {'1', nullptr, ShowWorldOptions},
      {'*', nullptr, Suicide},
      {'D', "Reading News", TodaysNews},
      {'Q', nullptr, ExitGame},
      {'B', "At the Bank", economy::EnterBank},
      {'M', "Merchant Wharves", economy::EnterMerchant},
      {'K', "Kingdom Courtyard", kingdom::EnterRoyalCourt},
      {'W', "Weapon Shop", combat::WeaponShop},
      {'A', "Armor Shop", combat::ArmorShop},
      {'F', "Fighting Monsters", GoOutside},
      {'V', "Leveling Area", Leveling},
      {'Y', "Viewing Stats", progress::StatusPages},
      {'G', "Guild Hall", progress::GuildHall},
      {'L', "Viewing Rankings", progress::PlayerRankings},
      {'X', "Viewing Rankings", progress::KingdomRankingOptions},
      {'S', "Dark Alley", EnterAlley},
      {'E', "Arena Combat", combat::EnterArena},
      {'C', "Visiting Church", economy::EnterChurch},
      {'H', "Healer Hut", economy::EnterHealer},
      {'T', "Visiting Tavern", economy::EnterTavern},
      {'O', "On Quest", ListQuests},
  };
  return kPlaces;
}

}  // namespace

void MainStreet() {
  const PlaceScreen street{"Main Street", "Skins/MAIN.ANS", 21, 26};
  for (;;) RunPlace(street, Places());
}

}  // namespace trv
