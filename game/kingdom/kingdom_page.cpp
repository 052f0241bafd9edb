// The kingdom page of the character status screens.
#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/kingdom/kingdom.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::Query;
using db::ResultTable;
using db::TableName;

void StatLine(const char* label, const std::string& value, const char* unit) {
  Emu(std::string("\n\r            ") + ansi::kBrightMagenta + label + ansi::kBrightCyan + value +
      unit);
}

void DrawPage() {
  Emu(std::string(ansi::kGrey) + ShadeTitle("Kingdom Information") + "\n\r");
  Emu(std::string(ansi::kBrightMagenta) + kShortRule + "\n\r");
  ResultTable k = Query(kKingdom,
                        "SELECT Name,Ruler,Land,Serfs,TaxRate,MerchantTax,Soldiers,DragonRiders,"
                        "Training,EquipmentRating FROM %s WHERE Name=%Q",
                        TableName(kKingdom), player::CallerText("Kingdom").c_str());
  auto text = [&k](const char* column) { return CleanText(k.Text(0, column)); };
  auto grouped = [&k](const char* column) { return AddCommas(std::string(k.Text(0, column))); };
  Emu(std::string("\n\r") + ansi::kBrightGreen + text("Name"));
  Emu(std::string("\n\r") + ansi::kBrightGreen + text("Ruler"));
  Emu(std::string("\n\n\r") + ansi::kBrightMagenta + kShades + ansi::kBrightCyan +
      " Kingdom Acres: " + ansi::kBrightWhite + grouped("Land"));
  Emu(std::string("\n\r") + ansi::kBrightMagenta + kShades + ansi::kBrightCyan +
      " Civilians: " + ansi::kBrightWhite + grouped("Serfs"));
  Emu(std::string("\n\n\r") + ansi::kBrightBlue + ShadeTitle("More Kingdom Information"));
  StatLine("Tax Rate         : ", text("TaxRate"), "%");
  StatLine("Merchant Rate    : ", text("MerchantTax"), "%");
  StatLine("Soldiers         : ", grouped("Soldiers"), "");
  StatLine("Dragon Riders    : ", text("DragonRiders"), "");
  StatLine("Army Training    : ", text("Training"), "%");
  StatLine("Equipment Rating : ", text("EquipmentRating"), "%");
  Emu(std::string("\n\n\r") + ansi::kBrightRed + "      " + kShades + " Press [" +
      ansi::kBrightYellow + "E" + ansi::kBrightRed + "] for Equipment / Press [" +
      ansi::kBrightYellow + "I" + ansi::kBrightRed + "] for Investments");
  Emu(std::string("\n\r") + ansi::kBrightRed + "      " + kShades + " " + ansi::kGrey +
      "[Enter]: ");
}

}  // namespace

char ShowKingdomPage() {
  static const std::vector<PlaceKey> kKeys = {
      {'E', nullptr, nullptr, true},
      {'I', nullptr, nullptr, true},
      {'\r', nullptr, nullptr, true},
  };
  // A page of the status screens, which polled as they were drawn.
  PlaceScreen page;
  page.draw = DrawPage;
  page.poll_messages = false;
  return RunPlace(page, kKeys);
}

}  // namespace trv::kingdom
