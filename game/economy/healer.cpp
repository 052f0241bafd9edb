// Artio's healer hut: potions, healing and the cure of diseases.
#include <stdlib.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/schema.h"
#include "game/economy/economy.h"
#include "game/economy/screen_text.h"
#include "game/economy/town_rules.h"
#include "game/economy/town_units.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::economy {

using player::CallerUserName;
using Purenum::Integer;

void EnterHealer() {
  static const std::vector<PlaceKey> kKeys = {
      {'P', nullptr, BuyHealingPotions},
      {'A', nullptr, Heal},
      {'C', nullptr, CureDisease},
      {'R', nullptr, nullptr, true},
  };
  RunPlace(PlaceScreen("Healer Hut", "Skins/HEALER.ANS", 16, 62), kKeys);
}

void BuyHealingPotions() {
  od_clr_scr();
  Say("`bright blue`\260\261\262 `bright yellow`Artio's Potions `bright blue`\262\261\260");
  Say("\n\n\r`bright white`Looking to purchase potions are you? `bright magenta`Artio `dark "
      "green`asks..");
  Say("\n\r`dark green`You nod in agreement. Artio's offers his potions at");
  Say("\n\ra large discount compared to the wandering healers..");
  Say("\n\r`bright magenta`Artio `dark green`recommends buying as many as you can before "
      "venturing");
  Say("\n\routside the kingdom walls..");
  db::ResultTable row = player::CallerRow("Potions,Gold");
  if (row.empty()) return;
  const long long potions = row.Int(0, 0);
  const long long purchasable = PotionsPurchasable(player::Amount(row.Text(0, 1)), potions);
  Say("\n\n\rSack currently holds: `bright white`" + std::to_string(potions) +
      "`dark green` of `bright cyan`300 `dark green`max");
  Say("\n\rYou can purchase `bright white`" + std::to_string(purchasable) + "`dark green` potions");
  Say("\n\rPurchase how many healing potions? ");
  const std::string typed = ReadDigits(3);
  const long long count = typed.empty() ? 0 : std::stoll(typed);
  if (count == 0) return;
  if (potions >= kSackSize) {
    Say("\n\r`bright red`You cannot carry more then 300 potions!");
  } else if (count > purchasable) {
    Say("\n\r`bright red`You cannot purchase that many potions!");
  } else {
    switch (BuyPotions(CallerUserName(), count)) {
      case Outcome::kDone:
        Say("\n\r`bright yellow`\260\261\262 Purchased " + std::to_string(count) +
            " potions! \262\261\260");
        break;
      case Outcome::kNoCharacter:
        return;
      default:  // the gold or the sack changed meanwhile
        Say("\n\r`bright red`You cannot purchase that many potions!");
    }
  }
  od_get_key(TRUE);
}

void Heal() {
  od_clr_scr();
  db::ResultTable row = player::CallerRow("HP,MaxHP");
  if (row.empty()) return;
  if (row.Int(0, 1) <= row.Int(0, 0)) {
    Say("`grey`\260\261\262 Your Already Healthy! \262\261\260");
    Say("\n\n\r   `dark green`By the grace of gods!");
    od_get_key(TRUE);
    return;
  }
  Say("`bright yellow`\260\261\262 Healing \262\261\260");
  Say("\n\n\r`bright white`My My, you appear to be quite hurt`dark green`..");
  Say("\n\r`dark green`Allow me to use my healing cocktails to help you?");
  Say("\n\n\r`dark green`Allow `bright magenta`Artio `dark green`to heal you (`bright "
      "yellow`y`dark green`/`bright yellow`N`dark green`)? ");
  if (!AnswerYes()) return;
  db::Exec(db::kPlayer, "UPDATE %s SET HP=MaxHP WHERE UserName=%Q", db::TableName(db::kPlayer),
           CallerUserName());
  Say("\n\n\r`bright white`Arito hands you a boiling hot cup of green water..");
  Say("\n\n\rYou try your best to gulp it down, choking at the end..");
  Say("\n\n\rEx Nos De Sea is said over and over by Arito");
  Say("\n\n\r`bright yellow`You feel refreshed!");
  od_get_key(TRUE);
}

void CureDisease() {
  od_clr_scr();
  const std::string disease = player::CallerText("Disease");
  if (!Diseased(disease.c_str())) {
    Say("`grey`\260\261\262 Your Fine! \262\261\260");
    Say("\n\n\r`dark green`Stop wasting this old man's time!");
    od_get_key(TRUE);
    return;
  }
  Say("`bright yellow`\260\261\262 Cure Disease \262\261\260");
  Say("\n\n\r`dark green`It appears you have been infected with a disease known as `bright "
      "magenta`" +
      CleanText(disease));
  Say("\n\r`dark green`This can be cured quite easily but the ingredients I will have to use");
  Say("\n\rare very expensive.");
  Say("\n\n\r`grey`HINT: Prices go up and down depending on the ingredients supply and demand.");
  SeedRandomOnce();
  const Integer price = rand() % kCureDraws;
  Say("\n\n\r`dark green`To cure this disease it will cost: $`bright white`" + Grouped(price));
  Say("\n\n\r`dark green`Pay `bright magenta`Artio `dark green`to cure disease (`bright "
      "yellow`y`dark green`/`bright yellow`N`dark green`)? ");
  if (!AnswerYes()) return;
  switch (PayForCure(CallerUserName(), price)) {
    case Outcome::kDone:
      Say("\n\n\r`bright white`Arito starts throwing some ingredients into a pot..");
      Say("\n\rAs he stirs the pot he says some words that seem to be magic");
      Say("\n\rAn Nox is said over and over");
      Say("\n\n\rYou slowly drink the contents of the pot...gulp gulp");
      Say("\n\n\rYou feel free of disease, and ready to take on the world!");
      break;
    case Outcome::kNoCharacter:
      return;
    default:
      Say("\n\n\r`dark red`You don't have enough gold!");
  }
  od_get_key(TRUE);
}

}  // namespace trv::economy
