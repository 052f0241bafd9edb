// The courtyard: who gets which menu, the two menus, and the pieces the
// court's screens share (the kingdom list, relations, the treasury).
#include "game/kingdom/court.h"

#include <ctype.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/kingdom/court_screens.h"
#include "game/kingdom/war.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::Query;
using db::ResultTable;
using db::TableName;

constexpr char kCourtPlace[] = "Kingdom Courtyard";

bool HoldsNoblePost(const std::string& player_name) {
  if (player_name.empty()) return false;
  const char* name = player_name.c_str();
  return !Query(kKingdom,
                "SELECT Baron,Royal,Prince,Princess FROM %s WHERE Baron=%Q OR Royal=%Q OR "
                "Prince=%Q OR Princess=%Q",
                TableName(kKingdom), name, name, name, name)
              .empty();
}

// A menu that stays open while the caller keeps the seat it opened with.
char RunCourtMenu(PlaceScreen screen, const Seat& seat, const std::vector<PlaceKey>& keys) {
  screen.open = [seat] { return StillSeated(seat.role, seat.kingdom); };
  return RunPlace(screen, keys);
}

void RulerMenu(const Seat& seat) {
  const std::vector<PlaceKey> keys = {
      {'\r', nullptr, nullptr},
      {'A', nullptr, [&] { LandScreen(seat); }},
      {'B', nullptr, [&] { RoyalArmyMenu(seat); }},
      {'D', nullptr, DiplomacyRoom},
      {'E', nullptr, [&] { CovertMenu(seat); }},
      {'K', nullptr, [&] { ImprovementsMenu(seat); }},
      {'M', nullptr, RulerAffairs},
      {'N', nullptr, [&] { TreasuryScreen(seat); }},
      {'P', nullptr, [&] { NoblesScreen(seat); }},
      {'S', nullptr, [&] { TaxScreen(seat); }},
      {'T', nullptr, [&] { TowersScreen(seat); }},
      {'W', nullptr, WarRoom},
      {'R', nullptr, nullptr, /*leaves=*/true},
  };
  RunCourtMenu(PlaceScreen(kCourtPlace, "Skins/KINGDOM.ANS", 23, 21), seat, keys);
}

void NobleMenu(const Seat& seat) {
  const std::vector<PlaceKey> keys = {
      {'\r', nullptr, nullptr},
      {'T', nullptr, [&] { TowersScreen(seat); }},
      {'E', nullptr, [&] { CovertMenu(seat); }},
      {'B', nullptr, [&] { RoyalArmyMenu(seat); }},
      {'N', nullptr, [&] { TreasuryScreen(seat); }},
      {'R', nullptr, nullptr, /*leaves=*/true},
  };
  RunCourtMenu(PlaceScreen(kCourtPlace, "Skins/NOBLE.ANS", 20, 11), seat, keys);
}

void Guards(const Seat& seat) {
  od_clr_scr();
  od_printf("\n\n\r`bright red`%s The kingdom courtyard is only for those of royal stature! %s",
            kShades, kShadesBack);
  od_printf("\n\n\r`bright yellow`You are stopped by the royal guards!");
  od_printf("\n\n\r`dark green`The guards ask if you would like to donate to the royal treasury..");
  od_printf("\n\rThe bigger the royal treasury is the bigger of an army that,");
  od_printf("\n\ryour king can build to protect your land and investments..");
  od_printf("\n\n\r`dark green`Treasury: $`bright white`%s",
            AddCommas(TreasuryOf(seat.kingdom).str()).c_str());
  od_printf("\r\n\n`dark green`Donate to treasury? %s", YesNoMarkup("dark green").c_str());
  const char answer = od_get_key(TRUE);
  if (answer == 0 || toupper(static_cast<unsigned char>(answer)) == 'N') return;
  TreasuryScreen(seat);
}

}  // namespace

Seat CallerSeat() {
  Seat seat;
  ResultTable me = player::CallerRow("PlayerName,Kingdom");
  if (me.empty()) return seat;
  seat.player_name = me.Text(0, 0);
  seat.kingdom = me.Text(0, 1);
  if (HoldsNoblePost(seat.player_name)) {
    seat.role = Role::kNoble;
    return seat;
  }
  ResultTable own = Query(kKingdom, "SELECT Ruler FROM %s WHERE Name=%Q", TableName(kKingdom),
                          seat.kingdom.c_str());
  seat.role = CourtRole(false, seat.player_name, own.Text(0, 0));
  return seat;
}

bool StillSeated(Role role, const std::string& kingdom) {
  const Seat now = CallerSeat();
  if (now.player_name.empty() || now.role != role || now.kingdom != kingdom) return false;
  if (role == Role::kCitizen)  // a donation needs the kingdom to be there
    return !Query(kKingdom, "SELECT IDNum FROM %s WHERE Name=%Q", TableName(kKingdom),
                  kingdom.c_str())
                .empty();
  return true;
}

void EnterRoyalCourt() {
  const Seat seat = CallerSeat();
  if (seat.player_name.empty()) return;
  switch (seat.role) {
    case Role::kNoble:
      NobleMenu(seat);
      return;
    case Role::kRuler:
      RulerMenu(seat);
      return;
    case Role::kCitizen:
      if (StillSeated(Role::kCitizen, seat.kingdom)) Guards(seat);
      return;
  }
}

Relation RelationOf(const std::string& kingdom, int slot, const std::string& other) {
  Relation relation;
  if (slot < kFirstSlot || slot > kLastSlot || other.empty()) return relation;
  ResultTable row = Query(
      kKingdom, "SELECT Dip%dWar,Dip%dPeace,Dip%dTrade FROM %s WHERE Name=%Q AND DipName%d=%Q",
      slot, slot, slot, TableName(kKingdom), kingdom.c_str(), slot, other.c_str());
  relation.war = row.Int(0, 0) == 1;
  relation.peace = row.Int(0, 1) == 1;
  relation.trade = row.Int(0, 2) == 1;
  return relation;
}

KingdomRef KingdomInSlot(int slot) {
  KingdomRef ref;
  if (slot < kFirstSlot || slot > kLastSlot) return ref;
  ResultTable row = Query(kKingdom, "SELECT Name,RulerUserName FROM %s WHERE IDNum=%d",
                          TableName(kKingdom), slot);
  if (row.empty()) return ref;
  ref.slot = slot;
  ref.name = row.Text(0, 0);
  ref.ruler_user = row.Text(0, 1);
  return ref;
}

KingdomRef OwnThrone() {
  KingdomRef own;
  ResultTable row = Query(kKingdom, "SELECT IDNum,Name FROM %s WHERE RulerUserName=%Q",
                          TableName(kKingdom), player::CallerUserName());
  if (row.empty()) return own;
  own.slot = static_cast<int>(row.Int(0, 0));
  own.name = row.Text(0, 1);
  own.ruler_user = player::CallerUserName();
  return own;
}

KingdomRef KingdomNamed(const std::string& name) {
  KingdomRef ref;
  ResultTable row = Query(kKingdom, "SELECT IDNum,RulerUserName FROM %s WHERE Name=%Q",
                          TableName(kKingdom), name.c_str());
  if (row.empty()) return ref;
  ref.slot = static_cast<int>(row.Int(0, 0));
  ref.name = name;
  ref.ruler_user = row.Text(0, 1);
  return ref;
}

void ListKingdoms(const std::string& own, ListStyle style) {
  ResultTable list =
      Query(kKingdom, "SELECT IDNum,Name,Soldiers FROM %s ORDER BY IDNum", TableName(kKingdom));
  for (int r = 0; r < list.rows(); ++r) {
    const std::string name = list.Text(r, 1);
    if (style != ListStyle::kCovert && name == own) continue;
    od_printf("\n\r`bright cyan`   [%s]  ", list.Text(r, 0));
    od_printf("%-25s", CleanText(name).c_str());
    od_printf(style == ListStyle::kTrading ? " %-9s" : " %-10s",
              AddCommas(std::to_string(list.Int(r, 2))).c_str());
    const Relation relation = RelationOf(own, static_cast<int>(list.Int(r, 0)), name);
    if (style == ListStyle::kTrading) {
      od_printf(relation.trade ? "     `bright yellow`Established!"
                               : "     `grey`{No Trade Route Established}");
    } else if (relation.war) {
      od_printf("     `bright red`** AT WAR **");
    } else if (relation.peace) {
      od_printf("     `bright magenta`** PEACE **");
    } else {
      od_printf("     `yellow`{No Formal Relations}");
    }
  }
}

int ChooseSlot(const std::function<void()>& redraw) {
  for (;;) {
    const char key = od_get_answer("12345.=\r");
    if (key == '.' || key == '=') {
      if (key == '.')
        WhoOnline();
      else
        BeginChat();
      redraw();
      continue;
    }
    if (key >= '1' && key <= '5') return key - '0';
    return 0;
  }
}

void PressAnyKeyIn(const char* colour) {
  od_printf("\n\n\r`%s`%s Press Any Key %s", colour, kShades, kShadesBack);
  od_get_key(TRUE);
}

void Refuse(const char* text) {
  od_printf("%s", text);
  od_get_key(TRUE);
}

void SaySeatLost() {
  od_printf("\n\n\r`bright red`You no longer hold that seat at court; nothing was done..");
}

void TellSeatLost() {
  SaySeatLost();
  od_get_key(TRUE);
}

std::string ReadDigits(int digits) {
  char typed[64] = "";
  if (digits >= static_cast<int>(sizeof typed)) digits = sizeof typed - 1;
  od_input_str(typed, digits, '0', '9');
  return typed;
}

Purenum::Integer TreasuryOf(const std::string& kingdom) {
  return player::Amount(
      Query(kKingdom, "SELECT Treasury FROM %s WHERE Name=%Q", TableName(kKingdom), kingdom.c_str())
          .Text(0, 0));
}

void AddToTreasury(const std::string& kingdom, const Purenum::Integer& delta) {
  const Purenum::Integer treasury = TreasuryOf(kingdom) + delta;
  db::Exec(kKingdom, "UPDATE %s SET Treasury=%Q WHERE Name=%Q", TableName(kKingdom),
           treasury.str().c_str(), kingdom.c_str());
}

void RegisterKingdomRequests() {
  RegisterDiplomacyRequests();
  RegisterTradeRequests();
}

}  // namespace trv::kingdom
