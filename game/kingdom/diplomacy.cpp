// The diplomacy room: war, peace and trade routes between kingdoms, and
// the notices and proposals (request kinds 3 to 8) that carry them.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/court_screens.h"
#include "game/messaging/messaging.h"
#include "game/messaging/text.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::Query;
using db::ResultTable;
using db::TableName;

enum Kind {
  kWarDeclared = 3,
  kRouteNullified = 4,
  kRouteProposed = 5,
  kRouteAccepted = 6,
  kPeaceProposed = 7,
  kPeaceAccepted = 8,
};

const char kDispatched[] =
    "\n\n\r`dark green`A request has been dispatched to `yellow`%s`dark green`..";

// Makes slot `slot` of kingdom `kingdom` name `other`; when it named
// another kingdom before, that kingdom's flags go with its name.
void ClaimSlot(const std::string& kingdom, int slot, const std::string& other) {
  db::Exec(kKingdom,
           "UPDATE %s SET DipName%d=%Q,Dip%dWar=0,Dip%dPeace=0,Dip%dTrade=0 WHERE Name=%Q AND "
           "DipName%d IS NOT %Q",
           TableName(kKingdom), slot, other.c_str(), slot, slot, slot, kingdom.c_str(), slot,
           other.c_str());
}

// Sets the flags of two kingdoms toward each other, each in the slot of
// the other's number; nullptr leaves a flag as it is.
void SetBoth(const KingdomRef& a, const KingdomRef& b, const char* war, const char* peace,
             const char* trade) {
  for (int side = 0; side < 2; ++side) {
    const KingdomRef& self = side == 0 ? a : b;
    const KingdomRef& other = side == 0 ? b : a;
    ClaimSlot(self.name, other.slot, other.name);
    const int k = other.slot;
    if (war)
      db::Exec(kKingdom, "UPDATE %s SET Dip%dWar=%s WHERE Name=%Q", TableName(kKingdom), k, war,
               self.name.c_str());
    if (peace)
      db::Exec(kKingdom, "UPDATE %s SET Dip%dPeace=%s WHERE Name=%Q", TableName(kKingdom), k, peace,
               self.name.c_str());
    if (trade)
      db::Exec(kKingdom, "UPDATE %s SET Dip%dTrade=%s WHERE Name=%Q", TableName(kKingdom), k, trade,
               self.name.c_str());
  }
}

// Sends a request to a kingdom's ruler, or says that there is none.
bool TellRuler(const KingdomRef& to, const std::string& line1, const std::string& line2, int kind,
               const std::string& own) {
  if (to.ruler_user.empty()) {
    od_printf("\n\n\r`bright red`Kingdom %s has no ruler to receive it; nothing was sent..",
              CleanText(to.name).c_str());
    return false;
  }
  AddRequest(to.ruler_user.c_str(), line1.c_str(), line2.c_str(), own.c_str(), kind);
  return true;
}

// A change between the caller's kingdom and `target` as one unit: the
// throne and the target again, then `change`. False when either is gone.
bool BetweenUs(const std::string& target, KingdomRef* own, KingdomRef* other,
               const std::function<void()>& change) {
  return db::RunWriteUnit([&] {
    *own = OwnThrone();
    *other = KingdomNamed(target);
    if (own->slot == 0 || other->slot == 0 || own->slot == other->slot) return false;
    change();
    return true;
  });
}

void SolutionsPage(const std::string& target) {
  const KingdomRef own = OwnThrone();
  const KingdomRef other = KingdomNamed(target);
  const Relation relation = RelationOf(own.name, other.slot, target);
  od_clr_scr();
  od_printf("`bright blue`%s `bright yellow`Diplomatic Solutions `bright blue`%s", kShades,
            kShadesBack);
  od_printf("\n\n\r`bright magenta`Here you can select which proposal to send to another kingdom");
  od_printf("\n\rRemember, some of the options below will not go into effect");
  od_printf("\n\runtil they have been dispatched and the other ruler has seen the change.");
  od_printf("\n\n\r`dark green`Relationship with `bright cyan`Kingdom %s`dark green`: ",
            CleanText(target).c_str());
  od_printf(relation.war     ? "`bright red`** AT WAR **"
            : relation.peace ? "`bright magenta`** PEACE **"
                             : "`yellow`{No Formal Relations}");
  od_printf("\n\n\r`dark green`Trade route: ");
  od_printf(relation.trade ? "`bright yellow`Established!" : "`grey`{No Trade Route Established}");
  od_printf("\n\n\r`bright cyan`Solutions:");
  od_printf(
      "\n\n\r`dark green`[`bright red`D`dark green`]`bright red`eclare War             `dark "
      "green`Peace [`bright yellow`T`dark green`]reaty");
  od_printf(
      "\n\r`dark green`[`bright yellow`P`dark green`]ropose Trade Route     `dark green`[`bright "
      "yellow`N`dark green`]ullify Trade Route");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\rYour Selection: ");
}

Relation Toward(const std::string& target) {
  const KingdomRef own = OwnThrone();
  return RelationOf(own.name, KingdomNamed(target).slot, target);
}

void DeclareWar(const std::string& target) {
  if (Toward(target).war) {
    od_printf("\n\n\r`bright red`You are currently at war with %s already!",
              CleanText(target).c_str());
    return;
  }
  od_printf("\r\n\n`dark red`Really declare WAR?? `dark green`%s",
            YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  KingdomRef own, other;
  if (!BetweenUs(target, &own, &other, [&] { SetBoth(own, other, "1", "0", "0"); }))
    return SaySeatLost();
  if (TellRuler(other,
                "Kingdom " + own.name +
                    " has declared `bright red`WAR `bright cyan`against your kingdom!",
                "Appropriate measures must be taken to defend your kingdom..", kWarDeclared,
                own.name))
    od_printf("\n\n\r`dark green`A message has been dispatched to `dark red`%s`dark green`!!",
              CleanText(target).c_str());
}

void ProposePeace(const std::string& target) {
  od_printf("\r\n\n`dark green`Propose Peace Treaty `dark green`%s",
            YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  KingdomRef own, other;
  if (!BetweenUs(target, &own, &other, [&] { ClaimSlot(own.name, other.slot, other.name); }))
    return SaySeatLost();
  if (!TellRuler(other, "Kingdom " + own.name + " is requesting to declare a peace treaty..", "",
                 kPeaceProposed, own.name))
    return;
  od_printf(kDispatched, CleanText(target).c_str());
  od_printf("\n\r`grey`Their ruler will need to accept or refuse the offer, before peace begins..");
}

void ProposeRoute(const std::string& target) {
  if (Toward(target).war) {
    od_printf("\n\n\r`bright red`You are currently at war with %s! You cannot trade with them..",
              CleanText(target).c_str());
    return;
  }
  od_printf("\r\n\n`dark green`Propose Trade Route `dark green`%s",
            YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  KingdomRef own, other;
  if (!BetweenUs(target, &own, &other, [&] { ClaimSlot(own.name, other.slot, other.name); }))
    return SaySeatLost();
  if (!TellRuler(other,
                 "Kingdom " + own.name + " is requesting to open a trade route with your kingdom..",
                 "", kRouteProposed, own.name))
    return;
  od_printf(kDispatched, CleanText(target).c_str());
  od_printf("\n\r`grey`Their ruler will need to accept or refuse the offer, before trade starts..");
}

void NullifyRoute(const std::string& target) {
  if (!Toward(target).trade) {
    od_printf("\n\n\r`bright red`You do not have a trade route with %s!",
              CleanText(target).c_str());
    return;
  }
  od_printf("\r\n\n`dark green`Really NULLIFY Trade Route?? `dark green`%s",
            YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  KingdomRef own, other;
  if (!BetweenUs(target, &own, &other, [&] { SetBoth(own, other, nullptr, nullptr, "0"); }))
    return SaySeatLost();
  if (TellRuler(other,
                "Kingdom " + own.name + " has nullified their trade route with your kingdom!", "",
                kRouteNullified, own.name))
    od_printf("\n\n\r`dark green`A message has been dispatched to `yellow`%s`dark green`..",
              CleanText(target).c_str());
}

// ---- Requests ----

// The reader still rules a kingdom and the sender's kingdom is still there:
// else the request is gone unseen.
bool StillMeaningful(const char* sender_kingdom, KingdomRef* reader, KingdomRef* sender) {
  *reader = OwnThrone();
  *sender = KingdomNamed(sender_kingdom ? sender_kingdom : "");
  return reader->slot != 0 && sender->slot != 0;
}

void Notice(const char* banner, const char* line1, const char* line2, const char* line3,
            const char* sender_player) {
  KingdomRef reader, sender;
  if (!StillMeaningful(line3, &reader, &sender)) return;
  od_printf("\n\r`bright red`%s %s %s", kShades, banner, kShadesBack);
  od_printf("\n\n\r`bright green`Ruler %s `dark green`has sent notice..",
            CleanText(sender_player).c_str());
  od_printf("\n\n\r`bright cyan`%s", messaging::ShowableMarkup(line1).c_str());
  od_printf("\n\r%s", messaging::ShowableMarkup(line2).c_str());
  PressAnyKeyIn("dark green");
}

void Proposal(bool trade, const char* line1, const char* line2, const char* line3,
              const char* sender_player, const char* sender_user) {
  KingdomRef reader, sender;
  if (!StillMeaningful(line3, &reader, &sender)) return;
  od_printf("\n\r`bright yellow`%s %s %s", kShades, trade ? "KINGDOM TRADE ROUTE" : "KINGDOM PEACE",
            kShadesBack);
  od_printf("\n\n\r`bright green`Ruler %s `dark green`has sent you a request..",
            CleanText(sender_player).c_str());
  od_printf("\n\n\r`bright white`%s", messaging::ShowableMarkup(line1).c_str());
  od_printf("\n\r%s", messaging::ShowableMarkup(line2).c_str());
  od_printf("\n\r`dark green`Accept %s", YesNoMarkup("dark green").c_str());
  const std::string me = player::CallerPlayerName();
  const std::string sender_user_name = sender_user ? sender_user : "";
  if (!AnswerYes()) {
    if (!sender_user_name.empty())
      AddPersonal(
          sender_user_name.c_str(), "KINGDOM NEWS",
          (me + (trade ? " turned down your trade route proposal!" : " turned down peace treaty!"))
              .c_str(),
          "");
    return;
  }
  enum { kDone, kWar, kGone } outcome = kGone;
  db::RunWriteUnit([&] {
    reader = OwnThrone();
    sender = KingdomNamed(line3);
    // The proposal binds only the ruler who sent it.
    if (reader.slot == 0 || sender.slot == 0 || sender.ruler_user != sender_user_name ||
        sender.slot == reader.slot)
      return false;
    if (trade && (RelationOf(reader.name, sender.slot, sender.name).war ||
                  RelationOf(sender.name, reader.slot, reader.name).war)) {
      outcome = kWar;
      return false;
    }
    if (trade)
      SetBoth(reader, sender, nullptr, nullptr, "1");
    else
      SetBoth(reader, sender, "0", "1", nullptr);
    outcome = kDone;
    return true;
  });
  if (outcome == kGone) {
    od_printf("\n\n\r`bright red`Whoever sent this no longer rules Kingdom %s; nothing changes..",
              CleanText(line3).c_str());
  } else if (outcome == kWar) {
    od_printf("\n\n\r`bright red`Trade route was closed due to war!");
  } else if (trade) {
    od_printf("\n\n\r`bright yellow`TRADE ROUTE ESTABLISHED!");
    AddRequest(
        sender_user_name.c_str(),
        ("Kingdom " + reader.name + " accepted your trade route proposal! You can now now trade!")
            .c_str(),
        "", reader.name.c_str(), kRouteAccepted);
  } else {
    AddRequest(
        sender_user_name.c_str(),
        ("Kingdom " + reader.name + " accepted your peace treaty! Tranquility begins..").c_str(),
        "", reader.name.c_str(), kPeaceAccepted);
  }
  PressAnyKeyIn("dark green");
}

void ListPage(const std::string& own) {
  Check_For_Msgs();
  od_clr_scr();
  od_printf("`bright blue`%s `bright yellow`Diplomacy Room `bright blue`%s", kShades, kShadesBack);
  od_printf("\n\r`dark green`%s", kLongRule);
  od_printf(
      "\n\r`bright magenta`Your kingdoms relationship to other kingdoms, is setup in this part");
  od_printf("\n\rof your courtyard. Before going to war or dealing with trade, you");
  od_printf("\n\rmust have a formal diplomacy line opened up with the other kingdoms ruler..");
  od_printf("\n\r`dark green`%s", kLongRule);
  od_printf(
      "\n\n\r`grey`NOTE: `bright yellow`Offering peace or building trade routes will not take");
  od_printf("\n\reffect until the other ruler accepts/rejects the offer.");
  od_printf(
      "\n\n\r`bright white`%s ##  Kingdom                   Soldiers      Kingdom Relationship",
      kShades);
  ListKingdoms(own, ListStyle::kDiplomacy);
  od_printf("\n\n\r`dark green`%s Confer With ? <`grey`Enter to exit`dark green`>: ", kShades);
}

}  // namespace

void DiplomacyRoom() {
  const KingdomRef own = OwnThrone();
  if (own.slot == 0) return;
  ListPage(own.name);
  const KingdomRef target = KingdomInSlot(ChooseSlot([&] { ListPage(own.name); }));
  if (target.slot == 0 || target.slot == own.slot) return;
  od_printf("\r\n\n`dark green`Change Diplomacy With `bright green`%s `dark green`%s",
            CleanText(target.name).c_str(), YesNoMarkup("dark green").c_str());
  if (AnswerYes()) DiplomaticSolutions(target.name, target.ruler_user);
}

void DiplomaticSolutions(const std::string& target, const std::string& /*target_ruler*/) {
  const Seat seat = CallerSeat();
  if (seat.role != Role::kRuler) return;
  // Each action reads the target's ruler afresh; the one named when the
  // screen opened may have gone meanwhile.
  auto act = [&](void (*action)(const std::string&)) {
    return [&target, action] {
      action(target);
      od_get_key(TRUE);
    };
  };
  PlaceScreen screen;
  screen.draw = [&] { SolutionsPage(target); };
  screen.open = [seat, target] {
    return StillSeated(seat.role, seat.kingdom) && KingdomNamed(target).slot != 0;
  };
  RunPlace(screen, {{'D', nullptr, act(DeclareWar)},
                    {'T', nullptr, act(ProposePeace)},
                    {'P', nullptr, act(ProposeRoute)},
                    {'N', nullptr, act(NullifyRoute)},
                    {'R', nullptr, nullptr, /*leaves=*/true},
                    {'\r', nullptr, nullptr}});
}

void RegisterDiplomacyRequests() {
  auto notice = [](const char* banner) {
    return [banner](const char* l1, const char* l2, const char* l3, const char* sp, const char*) {
      Notice(banner, l1, l2, l3, sp);
    };
  };
  SetRequestHandler(kWarDeclared, notice("DECLARATION OF WAR"));
  SetRequestHandler(kRouteNullified, notice("TRADE ROUTE LOST"));
  SetRequestHandler(kRouteAccepted, notice("TRADE ROUTE BUILT"));
  SetRequestHandler(kPeaceAccepted, notice("PEACE TREATY ACCEPTED!"));
  SetRequestHandler(kRouteProposed,
                    [](const char* l1, const char* l2, const char* l3, const char* sp,
                       const char* su) { Proposal(true, l1, l2, l3, sp, su); });
  SetRequestHandler(kPeaceProposed,
                    [](const char* l1, const char* l2, const char* l3, const char* sp,
                       const char* su) { Proposal(false, l1, l2, l3, sp, su); });
}

}  // namespace trv::kingdom
