// Joining or founding a kingdom, and the new kingdom's taxes.
#include <stdlib.h>
#include <string.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/kingdom.h"
#include "game/kingdom/naming.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/player/character.h"
#include "game/ui/names.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::Exec;
using db::kKingdom;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;

constexpr char kLandFullJoin[] =
    "\n\n\r`bright yellow`Sorry, cannot create anymore kingdoms. Please join an existing one.";

void KingdomRow(const ResultTable& list, int r) {
  od_printf("   [%s]  ", list.Text(r, 0));
  od_printf("%-25s", CleanText(list.Text(r, 1)).c_str());
  od_printf("%-2s%%", list.Text(r, 2));
  od_printf("        %-9s", AddCommas(std::string(list.Text(r, 3))).c_str());
  od_printf("     %-9s\n\r", AddCommas(std::string(list.Text(r, 4))).c_str());
}

// The statement that gives a kingdom its taxes and starting statistics.
void StartingStatistics(const char* tax_rate, const char* merchant_tax) {
  Exec(kKingdom,
       "UPDATE %s SET TaxRate=%Q,MerchantTax=%Q,SerfSupport=75,CrimePrevention=1,"
       "BorderGuardRating=1,EquipmentRating=30,Training=0,MagicTowers=0,DragonRiders=0,"
       "Soldiers=1000,Serfs=10000,Katapults=10,Cannons=5,Prince='',PrinceUserName='',"
       "Princess='',PrincessUserName='',Royal='',RoyalUserName='',Baron='',BaronUserName='',"
       "HoldTaxes='0',Treasury='50000000',Land=1200 WHERE RulerUserName=%Q",
       TableName(kKingdom), tax_rate, merchant_tax, player::CallerUserName());
}

void SelectionScreen() {
  od_clr_scr();
  od_printf("`bright magenta`%s Thy Kingdom Selection %s\n\r\n", kShades, kShadesBack);
  od_printf("`dark green`%s\n\r", kLongRule);
  od_printf(
      "`bright cyan`Here you have the option of joining an already existing Kingdom or if\n\r");
  od_printf("there is room in the land, you could build your own Kingdom. Each Kingdom\n\r");
  od_printf("below has it's own set of pros and cons. Some kingdoms will have a unruly\n\r");
  od_printf(
      "`bright red`King `bright cyan`or `bright magenta`Queen `bright cyan`who set high tax "
      "rates ");
  od_printf("or are always at war with other \n\rKingdom's. Others may set the ");
  od_printf("tax rate low to increase population growth.\n\r");
  od_printf(
      "\n\r`grey`NOTE: `bright yellow`If you join someones Kingdom, you have the option to build "
      "a");
  od_printf("\n\rgrand militia to overthrow the ruler!");
}

// Joins the kingdom in the slot; its name is read again as the caller is
// stored, so a kingdom renamed meanwhile is joined under its new name.
// Returns false when the slot is empty or the caller declines.
bool Join(const std::string& player_name, int slot) {
  ResultTable kingdom =
      Query(kKingdom, "SELECT Name FROM %s WHERE IDNum=%d", TableName(kKingdom), slot);
  if (kingdom.empty()) return false;
  od_printf(
      "\r\n\n`dark green`Join `bright green`%s `dark green`(`bright yellow`y`dark "
      "green`/`bright yellow`N`dark green`)? ",
      CleanText(kingdom.Text(0, 0)).c_str());
  if (!AnswerYes()) return false;
  std::string joined;
  db::RunWriteUnit([&] {
    ResultTable now =
        Query(kKingdom, "SELECT Name FROM %s WHERE IDNum=%d", TableName(kKingdom), slot);
    if (now.empty()) return false;
    joined = now.Text(0, 0);
    Exec(kPlayer, "UPDATE %s SET Kingdom=%Q WHERE UserName=%Q", TableName(kPlayer), joined.c_str(),
         player::CallerUserName());
    return true;
  });
  if (joined.empty()) return false;
  AddNews(("`bright cyan`NEW PLAYER - " + player_name).c_str(),
          "Please welcome a new realm inhabitant to Tarvessia!",
          ("New citizen of Kingdom " + joined).c_str());
  return true;
}

bool FoundFromSelection(const std::string& player_name) {
  if (!FoundUntilDone(player_name, kLandFullJoin)) return false;
  AddNews(("`bright cyan`NEW PLAYER - " + player_name).c_str(),
          "Please welcome a new realm inhabitant to Tarvessia!",
          ("Ruler of Kingdom " + player::CallerText("Kingdom")).c_str());
  while (!SetTaxes()) {
  }
  return true;
}

void AdvantageScreen() {
  od_clr_scr();
  od_printf("`yellow`%s Kingdom Options %s\n\r\n", kShades, kShadesBack);
  od_printf("\n\r`grey`Choose Kingdom Starting Stats:");
  od_printf("\n\n\r`bright green`   [`bright yellow`1`bright green`] Higher Population Count");
  od_printf("\n\n\r`bright green`   [`bright yellow`2`bright green`] Strong Military");
  od_printf("\n\n\r`bright green`   [`bright yellow`3`bright green`] Larger beginning Treasury");
  od_printf("\n\n\r`bright green`   [`bright yellow`4`bright green`] Well-Rounded");
  od_printf("`bright cyan`\n\n\r%s Your Choice: ", kShades);
  const char* user = player::CallerUserName();
  switch (od_get_answer("1234")) {
    case '1':
      Exec(kKingdom, "UPDATE %s SET Serfs=40000 WHERE RulerUserName=%Q", TableName(kKingdom), user);
      break;
    case '2':
      Exec(kKingdom, "UPDATE %s SET Soldiers=6000 WHERE RulerUserName=%Q", TableName(kKingdom),
           user);
      break;
    case '3':
      Exec(kKingdom, "UPDATE %s SET Treasury='80000000' WHERE RulerUserName=%Q",
           TableName(kKingdom), user);
      break;
    case '4':
      Exec(kKingdom, "UPDATE %s SET CrimePrevention=30,BorderGuardRating=25 WHERE RulerUserName=%Q",
           TableName(kKingdom), user);
      break;
  }
}

int InvalidNumber() {
  od_printf("\n\r`dark red`Invalid number!");
  od_get_answer("\r");
  return 0;
}

}  // namespace

void ShowTaxLimits() {
  od_printf("`grey`NOTE:\n\r");
  od_printf("`bright green`Setting low taxes will help bring in more people to your\n\r");
  od_printf("kingdom, however you'll not pull in as much gold..\n\n\r");
  od_printf("`bright magenta`Tax Rate: ( 0%% to 60%% )\n\r");
  od_printf("         - Recommend: 25%%\n\r");
  od_printf("Merchant Tax: ( 0%% to 40%% )\n\r");
  od_printf("         - Recommend: 15%%\n\n\r");
}

bool RateAccepted(const char* typed, int limit, int* rate) {
  if (!typed || !*typed) return false;
  int value = 0;
  for (const char* p = typed; *p; ++p) {
    if (*p < '0' || *p > '9' || value > limit) return false;
    value = value * 10 + (*p - '0');
  }
  if (value > limit) return false;
  if (rate) *rate = value;
  return true;
}

bool KingdomNameTaken(const std::string& name) {
  return !Query(kKingdom, "SELECT Name FROM %s WHERE Name=%Q COLLATE NOCASE", TableName(kKingdom),
                name.c_str())
              .empty();
}

void TellNameInUse() {
  od_printf("\n\n\r`bright red`Sorry, that kingdom name is already in use..");
  od_get_key(TRUE);
}

std::string AskKingdomName(const char* explaining_line) {
  od_clr_scr();
  od_printf("`bright yellow`%s Thy Kingdom Name %s\n\r\n", kShades, kShadesBack);
  od_printf("`dark green`%s\n\r", kLongRule);
  od_printf("%s", explaining_line);
  od_printf("name for your realm, more people may join your kingdom. If you will be\n\r");
  od_printf("involved in corruption or run a warlike realm, choose a powerful sounding name..\n\r");
  od_printf("`bright red`%s Name Thy Kingdom: `bright green`", kShades);
  char typed[26] = "";
  od_input_str(typed, 25, 32, 122);
  std::string name = TrimName(typed);
  if (name.empty()) return "";
  if (!UsableName(name)) {
    od_printf("\n\n\r`bright red`Sorry, a kingdom name cannot hold that character..");
    od_get_key(TRUE);
    return "";
  }
  if (KingdomNameTaken(name)) {
    TellNameInUse();
    return "";
  }
  od_printf(
      "\n`bright green`%s `dark green`is what you want [`bright yellow`y`dark green`/`bright "
      "yellow`N`dark green`]? ",
      name.c_str());
  return AnswerYes() ? name : "";
}

int ShowKingdomList(const std::string& excluded, bool heading) {
  ResultTable list =
      excluded.empty()
          ? Query(kKingdom,
                  "SELECT IDNum,Name,TaxRate,Soldiers,Land FROM %s WHERE IDNum > (SELECT "
                  "max(IDNum) FROM %s)-5 ORDER BY IDNum",
                  TableName(kKingdom), TableName(kKingdom))
          : Query(kKingdom,
                  "SELECT IDNum,Name,TaxRate,Soldiers,Land FROM %s WHERE IDNum > (SELECT "
                  "max(IDNum) FROM %s)-5 AND Name!=%Q ORDER BY IDNum",
                  TableName(kKingdom), TableName(kKingdom), excluded.c_str());
  if (heading)
    od_printf(
        "\n\n\r`bright white`%s ##  Kingdom               Tax Rate      Soldiers      "
        "Land\n\n\r`bright cyan`",
        kShades);
  for (int r = 0; r < list.rows(); ++r) KingdomRow(list, r);
  return list.rows();
}

Founding Found(const std::string& player_name) {
  std::string name = AskKingdomName(
      "`bright cyan`A glorious kingdom has been created in your honor. By using an attractive\n\r");
  if (name.empty()) return Founding::kAgain;
  // The slot, the name and the row are settled under one write lock, so two
  // callers founding at once get two slots and two names. The row is
  // complete from the start: a caller whose line drops before the tax
  // screen leaves a kingdom with the recommended taxes.
  Founding result = Founding::kLandFull;
  db::RunWriteUnit([&] {
    if (KingdomNameTaken(name)) {
      result = Founding::kAgain;
      return false;
    }
    int slot = 0;
    for (int k = 1; k <= kMaxKingdoms && slot == 0; ++k) {
      if (Query(kKingdom, "SELECT IDNum FROM %s WHERE IDNum=%d", TableName(kKingdom), k).empty())
        slot = k;
    }
    if (slot == 0) return false;
    const char* user = player::CallerUserName();
    Exec(kPlayer, "UPDATE %s SET Kingdom=%Q WHERE UserName=%Q", TableName(kPlayer), name.c_str(),
         user);
    player::ClearPosts(user);
    Exec(kKingdom, "INSERT INTO %s (IDNum,Name,Ruler,RulerUserName) VALUES (%d,%Q,%Q,%Q)",
         TableName(kKingdom), slot, name.c_str(), player_name.c_str(), user);
    Exec(kKingdom,
         "UPDATE %s SET DipName1='',Dip1War=0,Dip1Peace=0,Dip1Trade=0,DipName2='',Dip2War=0,"
         "Dip2Peace=0,Dip2Trade=0,DipName3='',Dip3War=0,Dip3Peace=0,Dip3Trade=0,DipName4='',"
         "Dip4War=0,Dip4Peace=0,Dip4Trade=0,DipName5='',Dip5War=0,Dip5Peace=0,Dip5Trade=0 "
         "WHERE RulerUserName=%Q",
         TableName(kKingdom), user);
    StartingStatistics("25", "15");
    result = Founding::kFounded;
    return true;
  });
  if (result == Founding::kAgain) TellNameInUse();
  return result;
}

bool FoundUntilDone(const std::string& player_name, const char* land_full_message) {
  for (;;) {
    switch (Found(player_name)) {
      case Founding::kFounded:
        return true;
      case Founding::kLandFull:
        od_printf("%s", land_full_message);
        od_get_key(TRUE);
        return false;
      case Founding::kAgain:
        break;
    }
  }
}

}  // namespace trv::kingdom

using namespace trv;
using namespace trv::kingdom;

int KingdomSelect(const char* playerName) {
  const std::string player_name = playerName ? playerName : "";
  SelectionScreen();
  int rows = ShowKingdomList();
  od_printf("\n\r`bright green`Press [`yellow`C`bright green`] To build your own kingdom!");
  od_printf("\n\r`bright magenta`%s Choose Kingdom: ", kShades);
  char key = od_get_answer("12345C");
  if (key >= '1' && key <= '5') return Join(player_name, key - '0') ? 1 : 0;
  if (rows >= kMaxKingdoms) {
    od_printf("%s", kLandFullJoin);
    od_get_key(TRUE);
    return 0;
  }
  return FoundFromSelection(player_name) ? 1 : 0;
}

int CreateKingdom(const char* playerName) {
  return Found(playerName ? playerName : "") == Founding::kFounded ? 1 : 0;
}

int SetTaxes(void) {
  od_clr_scr();
  od_printf("`bright yellow`%s Set Kingdom Tax Rates %s\n\r\n", kShades, kShadesBack);
  ShowTaxLimits();
  od_printf("`white`Tax Rate (0-60): ");
  char tax[3] = "";
  od_input_str(tax, 2, '0', '9');
  if (!RateAccepted(tax, kMaxTaxRate)) return InvalidNumber();
  od_printf("\n\r`white`Merchant Rate (0-40): ");
  char merchant[3] = "";
  od_input_str(merchant, 2, '0', '9');
  if (!RateAccepted(merchant, kMaxMerchantTax)) return InvalidNumber();
  StartingStatistics(tax, merchant);
  AdvantageScreen();
  return 1;
}
