// The write units of the church, the healer's hut and the tavern.
//
// Each re-reads what it changes under the write lock, re-checks the deed,
// the gold or the row a screen showed, and writes everything of one action
// together, so a second session of the same user, a pickpocket or a
// divorce on another node is neither lost nor counted twice. Screens call
// them after their last question and tell what the outcome says.
#ifndef TRV_GAME_ECONOMY_TOWN_UNITS_H_
#define TRV_GAME_ECONOMY_TOWN_UNITS_H_

#include <optional>
#include <string>

#include "game/economy/town_rules.h"
#include "game/money/Integer.h"

namespace trv::economy {

enum class Outcome {
  kDone,
  kNoDeeds,      // not enough good or evil deeds left: nothing changed
  kRefused,      // the gold or the sack does not allow it: nothing changed
  kNoCharacter,  // the character is gone
  kAlready,      // already so: a room taken by another session of the user
};

// One good deed for a candle or a prayer, with its boon (nullptr: none,
// the old man's game).
Outcome SpendGoodDeed(const std::string& user_name, const char* boon);

// A gift of `amount` gold (above 0) with a good deed and the boon it earns.
Outcome GiveGold(const std::string& user_name, const Purenum::Integer& amount, const char* boon);

// A sin: `deeds` evil deeds and `favour` points of divine favour for `loot`
// gold (0 for a robbery that failed).
Outcome Sin(const std::string& user_name, int deeds, int favour, const Purenum::Integer& loot);

// `count` potions at the healer's price, as far as gold and sack allow.
Outcome BuyPotions(const std::string& user_name, long long count);

// The cure at `price`; a character cured meanwhile pays nothing.
Outcome PayForCure(const std::string& user_name, const Purenum::Integer& price);

// A night at the inn: `count` guards of the kind paid and posted, the room
// taken (Inn, BodyGuards) in the same unit. A character who has a room
// already (taken in another session) pays nothing: kAlready.
Outcome TakeInnRoom(const std::string& user_name, const InnGuard& guard, int count);

// The old man's game settled: `stake` (no more than the gold on hand now)
// won or lost by the draw.
Outcome SettleWager(const std::string& user_name, const Purenum::Integer& stake, int draw);

// A married couple as its row stores it.
struct Couple {
  std::string partner1, partner2;  // character names
  std::string user1, user2;        // their user names
  // The other partner of `player_name`.
  const std::string& Other(const std::string& player_name) const {
    return player_name == partner1 ? partner2 : partner1;
  }
  const std::string& OtherUser(const std::string& player_name) const {
    return player_name == partner1 ? user2 : user1;
  }
};

// The marriage of `player_name`, either partner; nullopt for none.
std::optional<Couple> MarriageOf(const std::string& player_name);
// Ends the marriage of `player_name`, whichever partner he is: its row is
// deleted by its own values. The couple that was divorced; nullopt when
// there was no marriage (any more).
std::optional<Couple> Divorce(const std::string& player_name);

}  // namespace trv::economy

#endif  // TRV_GAME_ECONOMY_TOWN_UNITS_H_
