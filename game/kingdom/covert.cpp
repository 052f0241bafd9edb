// Covert operations paid from the treasury: a spy's report, the plague
// and the bombing of another kingdom's towers of sorcery.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/court_screens.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;
using Purenum::Integer;

constexpr long long kSpyPrice = 1000000;
constexpr long long kPlaguePrice = 100000000;
constexpr long long kBombPrice = 95000000;

void CovertPage() {
  od_clr_scr();
  od_printf("`grey`So your interested in causing trouble for your other");
  od_printf("\n\rkingdom rulers. These acts are covert and could");
  od_printf("\n\rhelp you in your efforts for a regime change..");
  od_printf("\n\n\r`bright red`%s Espionage/Terrorism %s", kShades, kShadesBack);
  od_printf("\n\n\r`dark green`[`bright yellow`S`dark green`]end Spy");
  od_printf("\n\r`dark green`[`bright yellow`U`dark green`]se Bioterrorism");
  od_printf("\n\r`dark green`[`bright yellow`B`dark green`]low Up Kingdom Defenses");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\rYour Selection: ");
}

// The target: any kingdom, the caller's own too. Slot 0 when the caller
// left, chose an empty slot or declined.
KingdomRef ChooseTarget(const Seat& seat, const char* question) {
  auto draw = [&] {
    od_clr_scr();
    od_printf("`bright red`%s Espionage/Terrorism %s\n\r", kShades, kShadesBack);
    ListKingdoms(seat.kingdom, ListStyle::kCovert);
    od_printf("\n\n\r`dark green`%s Choose Kingdom <`grey`Enter to exit`dark green`>: ", kShades);
  };
  draw();
  const KingdomRef target = KingdomInSlot(ChooseSlot(draw));
  if (target.slot == 0) return target;
  od_printf("\r\n\n`dark green`%s `bright green`%s `dark green`%s", question,
            CleanText(target.name).c_str(), YesNoMarkup("dark green").c_str());
  return AnswerYes() ? target : KingdomRef{};
}

bool PriceAccepted(const char* what, const char* price) {
  od_printf("\r\n\n`dark red`It will cost %s to send %s, is this ok `dark green`%s", price, what,
            YesNoMarkup("dark green").c_str());
  return AnswerYes();
}

enum class Paid { kDone, kPoor, kNoDeeds, kGone, kLost };

// One unit: the seat, the evil deed when the operation takes one, the
// treasury against the price, the target still there; then `act` on the
// target's row, the price and the deed.
Paid PayAndAct(const Seat& seat, const KingdomRef& target, long long price, bool takes_deed,
               const std::function<void()>& act) {
  Paid outcome = Paid::kLost;
  db::RunWriteUnit([&] {
    if (!StillSeated(seat.role, seat.kingdom)) return false;
    if (takes_deed && player::CallerInt("EvilDeeds") < 1) {
      outcome = Paid::kNoDeeds;
      return false;
    }
    const Integer treasury = TreasuryOf(seat.kingdom);
    if (treasury < Integer(price)) {
      outcome = Paid::kPoor;
      return false;
    }
    if (Query(kKingdom, "SELECT IDNum FROM %s WHERE Name=%Q", TableName(kKingdom),
              target.name.c_str())
            .empty()) {
      outcome = Paid::kGone;
      return false;
    }
    act();
    AddToTreasury(seat.kingdom, -Integer(price));
    if (takes_deed)
      db::Exec(kPlayer, "UPDATE %s SET EvilDeeds=EvilDeeds-1 WHERE UserName=%Q", TableName(kPlayer),
               player::CallerUserName());
    outcome = Paid::kDone;
    return true;
  });
  switch (outcome) {
    case Paid::kLost:
      TellSeatLost();
      break;
    case Paid::kPoor:
      Refuse("\n\n\r`bright red`You don't have enough gold in the treasury!");
      break;
    case Paid::kNoDeeds:
      Refuse("\n\n\r`bright red`Sorry, you are out of evil deeds for today..");
      break;
    case Paid::kGone:
    case Paid::kDone:
      break;
  }
  return outcome;
}

// The target's relations, slot by slot, to the kingdoms there now.
void ShowRelations(const std::string& kingdom) {
  od_printf("\n\n\r`dark green`Diplomatic Relations:");
  for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    const KingdomRef other = KingdomInSlot(slot);
    if (other.slot == 0 || other.name == kingdom) continue;
    const Relation relation = RelationOf(kingdom, slot, other.name);
    od_printf("\n\r    `bright white`Kingdom %s:", CleanText(other.name).c_str());
    if (relation.war)
      od_printf("   `bright red`** AT WAR **");
    else if (relation.peace)
      od_printf("   `bright magenta`** PEACE **");
    else if (!relation.trade)
      od_printf("    `yellow`{No Formal Relations}");
    if (!relation.trade && (relation.war || relation.peace))
      od_printf("    `grey`{No Trade Route Established}");
  }
}

void SpyReport(const std::string& target) {
  ResultTable k = Query(kKingdom,
                        "SELECT Name,Ruler,Soldiers,DragonRiders,Cannons,Katapults,Land,"
                        "MagicTowers,Serfs,TaxRate,MerchantTax,Prince,Princess,Baron,Royal FROM "
                        "%s WHERE Name=%Q",
                        TableName(kKingdom), target.c_str());
  auto n = [&](int column) { return AddCommas(std::to_string(k.Int(0, column))); };
  od_printf("\n\n\r`bright green`%s", CleanText(k.Text(0, 0)).c_str());
  od_printf(" `grey`- `bright red`Kingdom Ruler: `bright cyan`%s", CleanText(k.Text(0, 1)).c_str());
  od_printf("\n\r     `bright red`Soldiers : `bright yellow`%s", n(2).c_str());
  od_printf(" `bright red`Dragon Riders: `bright yellow`%s", n(3).c_str());
  od_printf(" `bright red`Cannons: `bright yellow`%s", n(4).c_str());
  od_printf("\n\r     `bright red`Catapults: `bright yellow`%s", n(5).c_str());
  od_printf(" `bright red`Land: `bright yellow`%s", n(6).c_str());
  od_printf(" `bright red`Magic Towers: `bright yellow`%s", n(7).c_str());
  od_printf("\n\r     `bright red`Civilians: `bright yellow`%s", n(8).c_str());
  od_printf(" `bright red`Tax Rate: `bright yellow`%lld%%", k.Int(0, 9));
  od_printf(" `bright red`Merchant Tax Rate: `bright yellow`%lld%%", k.Int(0, 10));
  static const char* const kLabels[] = {"Prince  ", "Princess", "Baron   ", "Royal   "};
  for (int i = 0; i < 4; ++i) {
    const std::string name = CleanText(k.Text(0, 11 + i));
    if (name.empty())
      od_printf("\n\r     %s: `grey`{Nobody}`dark green`", kLabels[i]);
    else
      od_printf("\n\r     %s: `bright yellow`%s`dark green`", kLabels[i], name.c_str());
  }
  ShowRelations(target);
}

void SendSpy(const Seat& seat) {
  const KingdomRef target = ChooseTarget(seat, "Send Spy to");
  if (target.slot == 0 || !PriceAccepted("this spy", "$1,000,000")) return;
  if (PayAndAct(seat, target, kSpyPrice, false, [] {}) != Paid::kDone) return;
  SpyReport(target.name);
  PressAnyKeyIn("dark green");
}

void Bioterrorism(const Seat& seat) {
  const KingdomRef target = ChooseTarget(seat, "Spread the plague in");
  if (target.slot == 0) return;
  od_printf(
      "\r\n\n`grey`Use 1 of your evil deeds (`bright yellow`y`dark green`/`bright "
      "yellow`N`grey`)? ");
  if (!AnswerYes()) return;
  if (player::CallerInt("EvilDeeds") < 1)
    return Refuse("\n\n\r`bright red`Sorry, you are out of evil deeds for today..");
  if (!PriceAccepted("this biological agent", "$100,000,000")) return;
  long long deaths = 0;
  const auto plague = [&] {
    deaths = PlagueDeaths(Query(kKingdom, "SELECT Serfs FROM %s WHERE Name=%Q", TableName(kKingdom),
                                target.name.c_str())
                              .Int(0, 0));
    db::Exec(kKingdom, "UPDATE %s SET Serfs=Serfs-%lld WHERE Name=%Q", TableName(kKingdom), deaths,
             target.name.c_str());
  };
  if (PayAndAct(seat, target, kPlaguePrice, true, plague) != Paid::kDone) return;
  const std::string name = CleanText(target.name);
  const std::string dead = AddCommas(std::to_string(deaths));
  od_printf("\n\n\r`dark red`You order your mercenaries to find some bum on the");
  od_printf("\n\rstreet and inject him with the plague virus. They ship him off");
  od_printf("\n\rto Kingdom %s and order him to touch as many people as he can", name.c_str());
  od_printf("\n\n\r`grey`%s people died of the plague!", dead.c_str());
  AddNews("`bright red`PLAGUE OUTBREAK`bright cyan`",
          ("Kingdom " + target.name + " suffered an outbreak of the plague!").c_str(),
          (dead + " people lost their lives in this act of terrorism..").c_str());
  if (!target.ruler_user.empty())
    AddPersonal(target.ruler_user.c_str(), "`bright red`PLAGUE OUTBREAK`bright cyan`",
                "Your kingdom suffered an outbreak of the plague..",
                (dead + " lost their lives..Terrorism seems to be to blame!").c_str());
  PressAnyKeyIn("dark green");
}

void BlowUpDefenses(const Seat& seat) {
  const KingdomRef target = ChooseTarget(seat, "Blow up the defenses of");
  if (target.slot == 0 || !PriceAccepted("this agent", "$95,000,000")) return;
  long long destroyed = 0;
  const auto bomb = [&] {
    destroyed = TowersBlownUp(Query(kKingdom, "SELECT MagicTowers FROM %s WHERE Name=%Q",
                                    TableName(kKingdom), target.name.c_str())
                                  .Int(0, 0));
    db::Exec(kKingdom, "UPDATE %s SET MagicTowers=MagicTowers-%lld WHERE Name=%Q",
             TableName(kKingdom), destroyed, target.name.c_str());
  };
  if (PayAndAct(seat, target, kBombPrice, false, bomb) != Paid::kDone) return;
  const std::string count = std::to_string(destroyed);
  od_printf("\n\n\r`dark blue`Deciding to sent out an covert soldier to blow up and");
  od_printf("\n\rweaken the defenses of another kingdom. The soldier was dispatched");
  od_printf("\n\rto Kingdom %s and set gunpowder explosives around the Towers Of Sorcery..",
            CleanText(target.name).c_str());
  od_printf("\n\n\r`grey`%lld Towers were destroyed!", destroyed);
  AddNews("`bright red`TERRORISM`bright cyan`",
          ("Kingdom " + target.name + "'s citizens woke up to explosions!").c_str(),
          (count + " Towers of Sorcery were blown up during the night..").c_str());
  if (!target.ruler_user.empty())
    AddPersonal(target.ruler_user.c_str(), "`bright red`TERRORISM`bright cyan`",
                "An act of terrorism befalled your kingdom..",
                (count + " Towers of Sorcery were blown up last night..").c_str());
  PressAnyKeyIn("dark green");
}

}  // namespace

void CovertMenu(const Seat& seat) {
  PlaceScreen screen;
  screen.draw = CovertPage;
  screen.open = [seat] { return StillSeated(seat.role, seat.kingdom); };
  RunPlace(screen, {{'S', nullptr, [&] { SendSpy(seat); }},
                    {'U', nullptr, [&] { Bioterrorism(seat); }},
                    {'B', nullptr, [&] { BlowUpDefenses(seat); }},
                    {'R', nullptr, nullptr, /*leaves=*/true}});
}

}  // namespace trv::kingdom
