// The alchemist's poisons.
#include "doorkit/doorkit.h"
#include "game/combat/data_file.h"
#include "game/combat/magic.h"
#include "game/combat/shop_parts.h"
#include "game/db/db.h"
#include "game/db/schema.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace trv::combat {

const DataFormat kPoisonFormat{99, {28, 49, 4}};

namespace {

constexpr int kPoisonPage = 10;

PoisonTable g_poisons_read;

void CannotAfford() {
  od_printf("\n\r`bright red`Sorry, you can't afford this elixer...");
  WaitKey();
}

}  // namespace

PoisonTable ReadPoisons(const char* path) {
  const DataFile file = ReadGameDataFile(path, kPoisonFormat);
  PoisonTable poisons;
  poisons.reserve(file.records.size());
  for (const DataRecord& r : file.records) poisons.push_back({r[0], r[1], DataInt(r[2])});
  return poisons;
}

const PoisonTable& PoisonsRead() { return g_poisons_read; }

void PoisonShop() {
  od_clr_scr();
  od_printf("`dark blue`\260\261\262 `bright blue`Thy Deadly Poisons `dark blue`\262\261\260");
  od_printf("\n\n\r`bright cyan`The powerful elixers mixed by the best alchemist in");
  od_printf("\n\rthe lands. The cheaper poisons do very little damage yet are effective");
  od_printf("\n\rfor the money. Poisons can ONLY be used during Arena combat.");
  od_printf("\n\n\r`dark green`Gold: $`bright white`%s", Grouped(CallerGold()).c_str());
  od_printf("\n\n\r`bright yellow`## Name:          Poison Power:     Price:`bright green`");
  const PoisonTable poisons = ReadPoisons();
  const ListPaging paging{kPoisonPage, "\n\r`yellow`Continue? (Y/n) or (b)uy poison", 'B',
                          [] { od_printf("`bright green`"); }};
  const bool stayed = ListPaged(poisons.size(), paging, [&](size_t i) {
    od_printf("\n\r%-2d %-15s     %-3d          $%s", static_cast<int>(i),
              CleanText(poisons[i].name).c_str(), poisons[i].power,
              GroupedPrice(poisons[i].price).c_str());
    return true;
  });
  if (!stayed) return;
  od_printf("\n\n\r`yellow`Buy which poison: ");
  // Two digits: the first hundred poisons can be bought.
  const int index = ReadTypedNumber(2);
  if (index < 0 || index >= static_cast<int>(poisons.size())) return;
  const Poison& poison = poisons[index];
  od_printf("\n\r`dark green`Purchase thee `bright magenta`%s `dark green`poison %s",
            CleanText(poison.name).c_str(), YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  const Payment paid = PayFor(poison.price, [&] {
    db::Exec(db::kPlayer, "UPDATE %s SET PoisonLevel=%d WHERE UserName=%Q",
             db::TableName(db::kPlayer), poison.power, player::CallerUserName());
    return true;
  });
  if (paid == Payment::kCannotAfford) CannotAfford();
  if (paid != Payment::kPaid) return;
  od_printf("\n\n\r`bright magenta`Poison Level is now: %d", poison.power);
  od_printf("\n\r`bright yellow`Bought!");
  WaitKey();
}

}  // namespace trv::combat

int read_poisondata(const char* path) {
  trv::combat::g_poisons_read = trv::combat::ReadPoisons(path);
  return static_cast<int>(trv::combat::g_poisons_read.size());
}
