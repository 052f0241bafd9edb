#include "game/maint/kingdom_update.h"

#include <stdlib.h>
#include <string.h>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/maint/returns.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::maint {
namespace {

using db::Exec;
using db::Query;
using db::ResultTable;
using db::TableName;
using player::Amount;
using Purenum::Integer;

// One kingdom as the day's first query read it.
struct KingdomDay {
  std::string ruler_user;
  std::string name;
  long long border_guard = 0;
  long long crime_prevention = 0;
  Integer treasury;
  Integer hold_taxes;
  Integer serfs;
  bool support_set = false;  // a kingdom founded without taxes set has none
  long long support = 0;
  std::string ruler;

  // Personal mail to the ruler, when there is one.
  void Tell(const char* title, const std::string& line1, const std::string& line2) const {
    if (!ruler_user.empty()) AddPersonal(ruler_user.c_str(), title, line1.c_str(), line2.c_str());
  }
};

const char* Kingdoms() { return TableName(db::kKingdom); }

void ApplyCaps(const KingdomDay& k, Integer* land) {
  ResultTable army =
      Query(db::kKingdom, "SELECT Soldiers,Land FROM %s WHERE Name=%Q", Kingdoms(), k.name.c_str());
  if (SoldiersOverCap(army.Text(0, 0)))
    Exec(db::kKingdom, "UPDATE %s SET Soldiers=%d WHERE Name=%Q", Kingdoms(), kSoldierCap,
         k.name.c_str());
  if (LandOverCap(army.Text(0, 1)))
    Exec(db::kKingdom, "UPDATE %s SET Land=%d WHERE Name=%Q", Kingdoms(), kLandCap, k.name.c_str());
  *land = Amount(army.Text(0, 1));  // growth counts the land before the cap
}

void GrowSerfs(const KingdomDay& k, const Integer& land) {
  Integer growth = SerfGrowth(land);
  k.Tell("`bright cyan`Serf Population Increases!",
         "Your kingdom sees a serf population growth of " + AddCommas(growth.str()), "");
  Exec(db::kKingdom, "UPDATE %s SET Serfs=%Q WHERE Name=%Q", Kingdoms(),
       (k.serfs + growth).str().c_str(), k.name.c_str());
}

void DecayDefences(const KingdomDay& k) {
  Decay decay = DecayFor(rand() % 10, k.border_guard, k.crime_prevention);
  if (decay.border_guard_loss > 0) {
    k.Tell("`bright cyan`Border Guard News", "Some of your border guards die of maleria!",
           "Border guard rate drops by 3%");
    Exec(db::kKingdom, "UPDATE %s SET BorderGuardRating=BorderGuardRating-%d WHERE Name=%Q",
         Kingdoms(), decay.border_guard_loss, k.name.c_str());
  }
  if (decay.crime_prevention_loss > 0) {
    k.Tell("`bright cyan`Crime Prevention News", "Due to local rumors of war..",
           "Crime prevention rate drops by 7%");
    Exec(db::kKingdom, "UPDATE %s SET CrimePrevention=CrimePrevention-%d WHERE Name=%Q", Kingdoms(),
         decay.crime_prevention_loss, k.name.c_str());
  }
}

void CollectTaxes(const KingdomDay& k) {
  Integer treasury = k.treasury < 0 ? Integer(0) : k.treasury;
  k.Tell("`bright cyan`KINGDOM TAX COLLECTIONS",
         "Taxes collected from monster fights total: $" + AddCommas(k.hold_taxes.str()), "");
  treasury += k.hold_taxes;
  Exec(db::kKingdom, "UPDATE %s SET HoldTaxes='0' WHERE Name=%Q", Kingdoms(), k.name.c_str());
  Integer tax = SerfTax(k.serfs);
  treasury += tax;
  k.Tell("`bright cyan`SERF TAX COLLECTION",
         "Taxes collected from serf's: $" + AddCommas(tax.str()), "");
  Exec(db::kKingdom, "UPDATE %s SET Treasury=%Q WHERE Name=%Q", Kingdoms(), treasury.str().c_str(),
       k.name.c_str());
}

void AnswerLowSupport(const KingdomDay& k) {
  if (!k.support_set || k.support >= kExodusSupport || k.ruler.empty()) return;
  Integer loss = ExodusLoss(k.serfs);
  Exec(db::kKingdom, "UPDATE %s SET Serfs=%Q WHERE Name=%Q", Kingdoms(),
       (k.serfs - loss).str().c_str(), k.name.c_str());
  k.Tell("`bright cyan`SERF EXODUS",
         "Due to a low serf support level your kingdom has an exodus of people..",
         "Your kingdom loses: " + AddCommas(loss.str()) + " serfs..");
  if (k.support >= kRevoltSupport) return;
  k.Tell("`bright red`YOU WERE OVERTHROWN!",
         "Due to the extremely low serf support, your citizens have",
         "overthrown you and your regime..");
  // By name: a ruler's user name may be '' and would match other kingdoms.
  Exec(db::kKingdom, "UPDATE %s SET Ruler='',RulerUserName='' WHERE Name=%Q", Kingdoms(),
       k.name.c_str());
  AddNews("`bright red`SERF REVOLT!",
          (CleanText(k.ruler.c_str()) + " was overthrown as a result of low serf support!").c_str(),
          "The serfs have made a regime change..");
}

}  // namespace

bool SoldiersOverCap(const char* soldiers) {
  return strlen(soldiers) > 8 || Amount(soldiers) > kSoldierCap;
}

bool LandOverCap(const char* land) { return strlen(land) > 8; }

Integer SerfGrowth(const Integer& land) { return percentage(land, kSerfGrowthPercent, false); }

Integer SerfTax(const Integer& serfs) { return serfs * kSerfTaxPerSerf; }

Integer ExodusLoss(const Integer& serfs) { return percentage(serfs, kExodusPercent, false); }

Decay DecayFor(int roll, long long border_guard_rating, long long crime_prevention) {
  Decay decay;
  if (roll < 3 && border_guard_rating > 2) decay.border_guard_loss = 3;
  if (roll == 5 && crime_prevention > 1) decay.crime_prevention_loss = 7;
  return decay;
}

void UpdateKingdomsDaily() {
  ResultTable rows = Query(db::kKingdom,
                           "SELECT RulerUserName,Name,BorderGuardRating,CrimePrevention,Treasury,"
                           "HoldTaxes,Serfs,SerfSupport,Ruler,Land FROM %s",
                           Kingdoms());
  for (int r = 0; r < rows.rows(); ++r) {
    KingdomDay k;
    k.ruler_user = rows.Text(r, 0);
    k.name = rows.Text(r, 1);
    k.border_guard = rows.Int(r, 2);
    k.crime_prevention = rows.Int(r, 3);
    k.treasury = Amount(rows.Text(r, 4));
    k.hold_taxes = Amount(rows.Text(r, 5));
    k.serfs = Amount(rows.Text(r, 6));
    k.support_set = *rows.Text(r, 7) != '\0';
    k.support = rows.Int(r, 7);
    k.ruler = rows.Text(r, 8);

    Integer land;
    ApplyCaps(k, &land);
    GrowSerfs(k, land);
    DecayDefences(k);
    CollectTaxes(k);
    AnswerLowSupport(k);
  }
}

}  // namespace trv::maint
