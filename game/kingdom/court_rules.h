// The court's rules without a screen: who may enter which menu, what a
// purchase may buy, what an offer, a deal or a gift needs, and what a covert
// operation does. The screens call these inside their write units.
#ifndef TRV_GAME_KINGDOM_COURT_RULES_H_
#define TRV_GAME_KINGDOM_COURT_RULES_H_

#include <string>

#include "game/money/Integer.h"

namespace trv::kingdom {

// Who the courtyard lets in, and to which menu.
enum class Role { kCitizen, kRuler, kNoble };

// A post in any kingdom makes a noble, even the ruler of the caller's own
// kingdom; only then does the throne count.
Role CourtRole(bool holds_noble_post, const std::string& player_name, const std::string& own_ruler);

// The most a purchase may buy: what the treasury pays for at `unit_price`,
// no more than the cap leaves; 0 when the cap is reached, the price is not
// positive or the treasury is empty or in debt.
long long MostAffordable(const Purenum::Integer& treasury, const Purenum::Integer& unit_price,
                         long long current, long long cap);

// The price of one point of civilian support: 100 per serf; 0 (nothing
// can be bought) for a kingdom without serfs.
Purenum::Integer SupportPointPrice(long long serfs);

// What a typed number on a purchase prompt leads to.
enum class Typed {
  kLeave,    // empty, or above the cap: back to the menu without a word
  kRefused,  // below 1 or above the most affordable: "You cannot do that!"
  kBuy,
};
Typed JudgePurchase(const std::string& typed, long long most, long long cap);

// The amount a deposit or an embezzlement moves: "1" means all of
// `available` (never below 0); any other digits are the amount itself.
Purenum::Integer AmountMeant(const std::string& typed, const Purenum::Integer& available);

// Plague deaths: a fifth of the serfs, none when there are none.
long long PlagueDeaths(long long serfs);
// Towers blown up: 2 % of them, and none below 50 towers.
long long TowersBlownUp(long long towers);

// What an offer's count or gold amount leads to.
enum class OfferEntry {
  kAborted,  // empty or 0
  kTooMany,  // above what the kingdom holds
  kOffered,
};
OfferEntry JudgeOffer(const std::string& typed, const Purenum::Integer& holds);

// Why a deal (land or army units for gold) or a gift cannot be done; the
// checks run in this order.
enum class DealCheck {
  kDone,
  kAtWar,        // "Trade route was closed due to war!"
  kNoRoute,      // "You need to establish a trade route first!"
  kBuyerShort,   // the reader's treasury is below the price
  kSellerShort,  // the sender no longer holds what it offered
  kOverCap,      // the reader would pass the cap
};
struct DealState {
  bool at_war = false;
  bool route = false;
  Purenum::Integer buyer_treasury;
  Purenum::Integer price;
  long long seller_holds = 0;
  long long count = 0;
  long long buyer_holds = 0;
  long long cap = 0;
};
DealCheck CheckDeal(const DealState& deal);

// A gift: the war and route checks, then the sender's treasury.
DealCheck CheckGift(bool at_war, bool route, const Purenum::Integer& sender_treasury,
                    const Purenum::Integer& amount);

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_COURT_RULES_H_
