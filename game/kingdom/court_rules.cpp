#include "game/kingdom/court_rules.h"

#include <stdlib.h>

#include <algorithm>

namespace trv::kingdom {
namespace {

using Purenum::Integer;

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// A non-negative Integer known to be small enough for 64 bits.
long long Small(const Integer& value) { return strtoll(value.str().c_str(), nullptr, 10); }

}  // namespace

Role CourtRole(bool holds_noble_post, const std::string& player_name,
               const std::string& own_ruler) {
  if (holds_noble_post) return Role::kNoble;
  if (!player_name.empty() && player_name == own_ruler) return Role::kRuler;
  return Role::kCitizen;
}

long long MostAffordable(const Integer& treasury, const Integer& unit_price, long long current,
                         long long cap) {
  if (current >= cap || Compare(unit_price, 0L) <= 0 || Compare(treasury, 0L) <= 0) return 0;
  const long long room = cap - current;
  const Integer units = treasury / unit_price;
  if (Compare(units, Integer(room)) > 0) return room;
  return Small(units);
}

Integer SupportPointPrice(long long serfs) {
  if (serfs <= 0) return Integer(0);
  return Integer(serfs) * 100L;
}

Typed JudgePurchase(const std::string& typed, long long most, long long cap) {
  if (!AllDigits(typed)) return Typed::kLeave;
  const Integer number(typed);
  if (Compare(number, Integer(cap)) > 0) return Typed::kLeave;
  if (Compare(number, 1L) < 0 || Compare(number, Integer(most)) > 0) return Typed::kRefused;
  return Typed::kBuy;
}

Integer AmountMeant(const std::string& typed, const Integer& available) {
  if (typed == "1") return Compare(available, 0L) > 0 ? available : Integer(0);
  if (!AllDigits(typed)) return Integer(0);
  return Integer(typed);
}

long long PlagueDeaths(long long serfs) { return serfs > 0 ? serfs / 5 : 0; }

long long TowersBlownUp(long long towers) { return towers < 50 ? 0 : towers * 2 / 100; }

OfferEntry JudgeOffer(const std::string& typed, const Integer& holds) {
  if (!AllDigits(typed)) return OfferEntry::kAborted;
  const Integer number(typed);
  if (number.IsZero()) return OfferEntry::kAborted;
  if (Compare(number, holds) > 0) return OfferEntry::kTooMany;
  return OfferEntry::kOffered;
}

DealCheck CheckDeal(const DealState& deal) {
  if (deal.at_war) return DealCheck::kAtWar;
  if (!deal.route) return DealCheck::kNoRoute;
  if (Compare(deal.buyer_treasury, deal.price) < 0) return DealCheck::kBuyerShort;
  if (deal.seller_holds < deal.count) return DealCheck::kSellerShort;
  if (Integer(std::max(deal.buyer_holds, 0LL)) + Integer(deal.count) > Integer(deal.cap))
    return DealCheck::kOverCap;
  return DealCheck::kDone;
}

DealCheck CheckGift(bool at_war, bool route, const Integer& sender_treasury,
                    const Integer& amount) {
  if (at_war) return DealCheck::kAtWar;
  if (!route) return DealCheck::kNoRoute;
  if (Compare(sender_treasury, amount) < 0) return DealCheck::kSellerShort;
  return DealCheck::kDone;
}

}  // namespace trv::kingdom
