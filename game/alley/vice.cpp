// The vice shops of the alley and the militia's recruiting speech.
#include <stdlib.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/alley/alley.h"
#include "game/alley/rules.h"
#include "game/alley/screens.h"
#include "game/alley/units.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/screen_text.h"
#include "game/messaging/messaging.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/closing.h"
#include "game/ui/ui.h"

namespace trv::alley {
namespace {

using economy::Grouped;
using economy::Say;
using player::CallerUserName;

void DrawShop(const ViceShop& shop) {
  for (const char* const* line = shop.description; *line; ++line) Say(*line);
  Say(shop.banner);
  db::ResultTable me = player::CallerRow("Gold,Gender,Mental");
  // The purse as a plain number, as the shops have always shown it.
  Say("\n\n\r`dark green`Gold: $`bright white`" + player::Amount(me.Text(0, 0)).str());
  if (shop.shows_mental) od_printf("`grey`\n\n\rMental State : `yellow`%lld", me.Int(0, 2));
  const Vice* wares = WaresFor(shop, me.Text(0, 1));
  const int width = wares == shop.other_wares ? 44 : 43;
  for (int i = 0; i < kVicesPerShop; ++i)
    od_printf("%s`bright cyan`[%d] %s%s$%s", i == 0 ? "\n\n\r" : "\n\r", i + 1,
              Padded(wares[i].name, 15).c_str(), Padded(wares[i].description, width).c_str(),
              Grouped(wares[i].price).c_str());
  od_printf("\n\n\r`dark green`Your Selection (`grey`Enter`dark green` to exit) : ");
}

// A shop's menu until Enter: its digits buy.
void Shop(const ViceShop& shop) {
  PlaceScreen screen;
  screen.draw = [&shop] { DrawShop(shop); };
  screen.global_keys = false;
  std::vector<PlaceKey> keys = {{'\r', nullptr, nullptr, true}};
  for (int n = 1; n <= kVicesPerShop; ++n)
    keys.push_back({static_cast<char>('0' + n), nullptr, [&shop, n] { BuyVice(shop, n); }});
  RunPlace(screen, keys);
}

void Overdose(const ViceShop& shop) {
  db::Exec(db::kPlayer, "UPDATE %s SET HP=0,Mental=1 WHERE UserName=%Q", db::TableName(db::kPlayer),
           CallerUserName());
  AddNews(shop.overdose_title, (CleanText(player::CallerPlayerName()) + shop.overdose_news).c_str(),
          "");
  od_clr_scr();
  od_printf("\n\r`dark red`%s", ShadeTitle("YOU OVERDOSED!!").c_str());
  for (int i = 0; i < 3; ++i) Say(shop.overdose[i]);
  od_get_key(TRUE);
  ExitGame();  // dead for the day
}

void CatchDisease() {
  od_clr_scr();
  od_printf("\n\r`dark red`%s", ShadeTitle("YOU FEEL SICK").c_str());
  od_printf("\n\n\r`grey`After your little sex romp, you seem to not be feeling");
  od_printf("\n\rvery well..You wonder if that whore had some disease!!");
  db::Exec(db::kPlayer, "UPDATE %s SET Disease='Genital Crabs' WHERE UserName=%Q",
           db::TableName(db::kPlayer), CallerUserName());
  od_get_key(TRUE);
}

}  // namespace

void TemptationWorld() { Shop(kTemptationWorld); }
void DrugPalace() { Shop(kDrugPalace); }
void SteroidShop() { Shop(kSteroidShop); }

void BuyVice(const ViceShop& shop, int n) {
  if (n < 1 || n > kVicesPerShop) return;
  Check_For_Msgs();
  if (player::CallerInt("EvilDeeds") < 1) return Tell(kNoDeedsLeft);
  od_printf("\n\n\r`grey`Use 1 evil deed [`bright yellow`y`grey`/`bright yellow`N`grey`]? ");
  if (!AnswerYes()) return;
  const Vice& vice = WaresFor(shop, player::CallerText("Gender").c_str())[n - 1];
  od_printf(shop.price_question, Grouped(vice.price).c_str());
  if (!AnswerYes()) return;
  // Paid before the story: the gold and the deed as they are now.
  const VicePurchase bought = PayForVice(CallerUserName(), shop, vice);
  switch (bought.outcome) {
    case VicePurchase::kBought:
      break;
    case VicePurchase::kNoDeed:
      return Tell(kNoDeedsLeft);
    case VicePurchase::kNotEnoughGold:
      return Tell(shop.not_enough_gold);
    case VicePurchase::kNoCharacter:
      return;
  }
  const char* const* story = vice.story ? vice.story : shop.story;
  od_clr_scr();
  Say(story[0]);
  od_get_key(TRUE);
  Say(story[1]);
  od_get_key(TRUE);
  Say(story[2]);
  od_printf(shop.gain_line, vice.gain);
  od_printf(shop.mental_line, abs(vice.mental));
  od_get_key(TRUE);
  if (shop.kind == ViceShopKind::kBordello) {
    SeedRandom();
    if (CaughtDisease(rand())) CatchDisease();
  } else if (Overdosed(bought.mental)) {
    Overdose(shop);
  }
}

void MilitiaSpeech() {
  Check_For_Msgs();
  od_clr_scr();
  if (player::CallerInt("EvilDeeds") < 1) return Tell(kNoDeedsLeft);
  od_printf("\n\n\r`bright yellow`\260\262 LEND ME YOUR EARS \262\261\260");
  od_printf(
      "\n\n\r`grey`Use 1 evil deed for speech [`bright yellow`y`grey`/`bright yellow`N`grey`]? ");
  if (!AnswerYes()) return;
  SeedRandom();
  od_printf("\n\n\r`dark green`You decide to try and convince some everyday civilians to");
  od_printf("\n\rjoin your cause. You gather a bunch of people your militia");
  od_printf("\n\rheadquarters and explain to them how the ruler of your kindom");
  od_printf("\n\ris a tyrant and should be toppled..");
  od_printf("\n\n\rAfter hearing your explainations about how taxes are to high");
  od_printf("\n\rand how the kingdom ruler has embezzeled their money..");
  const long long recruits = MilitiaRecruits(rand(), player::CallerInt("Leadership"));
  if (!Recruit(CallerUserName(), recruits)) return Tell(kNoDeedsLeft);
  od_printf("\n\n\r`bright cyan`%lld `dark green`civilians decide to join up!", recruits);
  PressKeyIn("dark red");
}

}  // namespace trv::alley
