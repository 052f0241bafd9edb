// The royal court: the courtyard's menus for a kingdom's ruler and nobles,
// what they buy with the treasury, its taxes, nobles and covert operations,
// and between kingdoms diplomacy, trade and the requests that carry them.
//
// Everything acts on rows other nodes change at the same time (a coup, a
// war, the other ruler accepting a deal), so each change is one write unit
// that reads the caller's seat again first: a ruler deposed or a noble
// demoted elsewhere changes nothing and loses the menu at its next pass.
#ifndef TRV_GAME_KINGDOM_COURT_H_
#define TRV_GAME_KINGDOM_COURT_H_

#include <functional>
#include <string>

#include "game/kingdom/court_rules.h"

namespace trv::kingdom {

// The courtyard: the noble menu (a post in any kingdom), the ruler menu
// (the throne of the caller's own kingdom), or the guards and a donation.
void EnterRoyalCourt();

// Who the caller is at court right now, read afresh.
struct Seat {
  Role role = Role::kCitizen;
  std::string kingdom;      // the caller's own kingdom, which the court acts on
  std::string player_name;  // the caller's character ("" when gone)
};
Seat CallerSeat();
// Whether the caller still has `role` at the court of `kingdom`. Every
// menu pass and every write unit of the court asks this first.
bool StillSeated(Role role, const std::string& kingdom);

// The kingdom slots 1 to 5.
inline constexpr int kFirstSlot = 1;
inline constexpr int kLastSlot = 5;

// One kingdom's relation to the kingdom in diplomacy slot `slot`. The flags
// count only while the slot still names `other`: a kingdom founded later
// in that slot starts with no relations.
struct Relation {
  bool war = false;
  bool peace = false;
  bool trade = false;
};
Relation RelationOf(const std::string& kingdom, int slot, const std::string& other);

// A kingdom in a slot, read afresh; slot 0 when the slot is empty.
struct KingdomRef {
  int slot = 0;
  std::string name;
  std::string ruler_user;  // "" when the throne is vacant
};
KingdomRef KingdomInSlot(int slot);
// A kingdom by name, read afresh; slot 0 when it is gone.
KingdomRef KingdomNamed(const std::string& name);
// The kingdom whose RulerUserName is the caller's; slot 0 when he rules
// none (abdicated, deposed, or never crowned).
KingdomRef OwnThrone();

// How the court lists the realm's kingdoms: the relation column of the
// diplomacy room (and the war room), of the trading room, or of the covert
// operations' target choice (which lists the own kingdom too).
enum class ListStyle { kDiplomacy, kTrading, kCovert };
// Writes one row per kingdom of `own`'s view: slot, name, soldiers and the
// relation. Rows start with "\n\r".
void ListKingdoms(const std::string& own, ListStyle style);
// Waits for a slot digit; '.' and '=' open the on-line list and the chat
// room and call `redraw` again. 0 for Enter or a dropped line.
int ChooseSlot(const std::function<void()>& redraw);

// The diplomacy room (ruler key D) and its screen for one kingdom.
void DiplomacyRoom();
void DiplomaticSolutions(const std::string& target, const std::string& target_ruler);
// The ruler's affairs (key M): abdication and the trading room.
void RulerAffairs();
void TradingRoom();
// One offer of `kind` (9 land, 10 gold, 11 soldiers, 12 cannons,
// 13 katapults) to the kingdom in `slot`.
void OfferDeal(int kind, int slot);

// Gives the request reader the handlers of kinds 3 to 13. Called once at
// start-up (PlayGame) and by tests; calling it again changes nothing.
void RegisterKingdomRequests();

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_COURT_H_
