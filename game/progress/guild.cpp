// The guild road: the hall, the profession office and ranking, the
// monastery and the alchemist lab.
#include <string.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/arena.h"
#include "game/combat/magic.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/messaging/text.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/player/high_lord.h"
#include "game/progress/pages.h"
#include "game/progress/professions.h"
#include "game/progress/progress.h"
#include "game/ui/ui.h"

namespace trv::progress {
namespace {

void WaitWithDarkBanner() {
  od_printf("\n\n\r`dark red`%s", ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
}

// The High Lord's name and crowning day over the hall's picture; a record
// naming a user whose character is gone shows the title open.
void DrawHighLord() {
  const player::HighLordTitle title = player::ReadHighLordTitle();
  const player::HighLordRecord* lord =
      title.state == player::TitleState::kHeld ? &title.holder : nullptr;
  od_set_cursor(15, 26);
  od_printf("`yellow`%s", lord ? CleanText(lord->player_name).c_str() : "{Nobody}");
  od_set_cursor(16, 26);
  od_printf("`bright red`%s", lord ? CleanText(lord->crowned_on).c_str() : "The position is open!");
}

bool HasClass(const char* wanted) {
  const db::ResultTable row = player::CallerRow("FirstClass,SecondClass");
  return strcmp(row.Text(0, 0), wanted) == 0 || strcmp(row.Text(0, 1), wanted) == 0;
}

// --- The profession office ---

void DrawOffice() {
  const db::ResultTable row = player::CallerRow("Guild,ProfLevel");
  od_printf("`bright green`Think you are ready to better your profession? This");
  od_printf("\n\ris where you do it..It takes 30 high experience pts");
  od_printf("\n\rto improve in your profession.");
  od_printf("\n\n\r`dark green`Current Profession Guild: `bright cyan`%s",
            CleanText(row.Text(0, 0)).c_str());
  od_printf(
      "\n\r`dark green`Current Profession Title: `bright cyan`%s `dark green`[`bright "
      "yellow`%s`dark green`]",
      ProfessionTitle(row.Text(0, 0), row.Int(0, 1)).c_str(), GroupedNumber(row.Int(0, 1)).c_str());
  od_printf("\n\n\r`dark green`[`bright yellow`A`dark green`]sk for Profession Level Up");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Guild Road");
  od_printf("\n\n\r`dark green`Thou Selection: ");
}

void ShowPromotion(const Promotion& promotion) {
  Check_For_Msgs();
  const std::string title = ProfessionTitle(promotion.guild, promotion.new_level);
  od_clr_scr();
  od_printf("\n\r`bright magenta`%s `bright yellow`Promotion to %s `bright magenta`%s\n\n\r",
            kShades, title.c_str(), kShadesBack);
  od_printf("`dark green`Profession Level Raised to `bright yellow`%s",
            GroupedNumber(promotion.new_level).c_str());
  od_printf("%s", AttributeLines(promotion.now, kProfessionGains).c_str());
  const std::string line = CleanText(player::CallerPlayerName()) +
                           " worked hard and earned a promotion to " + title + " [" +
                           std::to_string(promotion.new_level) + "]..";
  AddNews("`bright cyan`Profession Promotion!", line.c_str(), "");
  WaitWithDarkBanner();
}

void AskForPromotion() {
  const Promotion promotion = PromoteProfession(player::CallerUserName());
  if (promotion.outcome == PromotionOutcome::kNoCharacter) return;
  if (promotion.outcome == PromotionOutcome::kPromoted) {
    ShowPromotion(promotion);
    return;
  }
  od_printf("\n\n\r`bright red`You are not ready for a profession level up!");
  od_printf("\n\n\rYou still need %lld more high experience points..", promotion.needed_more);
  od_printf("\n\r`bright yellow`             Varies - Use and abuse drugs!!");
  od_printf("\n\r      5 pts per win - Win an arena fight");
  od_printf("\n\r      8 pts per day - Being a Kingdom Ruler..");
  od_printf("\n\r     20 pts per day - Being Tarvessia High Lord");
  WaitWithDarkBanner();
}

// --- The monastery and the lab ---

void DenyEntrance(const char* guild, const char* beyond_the_door) {
  od_clr_scr();
  od_printf("\n\n\r`bright green`You are not a member of the %s guild, and were denied entrance",
            guild);
  od_printf("%s", beyond_the_door);
  WaitWithDarkBanner();
}

void DrawLab() {
  od_printf("\n\n\r`bright cyan`Thee alchemist lab is only open to those who are open");
  od_printf("\n\rto the art of poisons. Brew them here, coat your blade with");
  od_printf("\n\rthem, and let the arena taste your work..");
  od_printf("\n\n\r`dark red`[`bright yellow`L`dark red`]ist Available Poisons");
  od_printf("\n\n\r`dark red`[`bright yellow`V`dark red`]iew Current Poison Level");
  od_printf("\n\n\r`dark red`[`bright yellow`R`dark red`]eturn to Guild Road");
  od_printf("\n\n\r`dark green`Your Selection: ");
}

void ShowPoisonLevel() {
  od_printf("\n\n\r`dark green`Your current poison level is: `bright white`%s",
            GroupedNumber(player::CallerInt("PoisonLevel")).c_str());
  od_get_key(TRUE);
}

}  // namespace

const std::vector<PlaceKey>& GuildHallKeys() {
  static const std::vector<PlaceKey> kKeys = {
      {'Z', nullptr, ProfessionOffice},
      {'H', nullptr, ProfessionRanking},
      {'M', nullptr, Monastery},
      {'A', nullptr, AlchemistLab},
      {'V', nullptr, StatusPages},
      {'P', nullptr, combat::PublicMagic},
      {'W', nullptr, combat::WhiteMagicGuild},
      {'B', nullptr, combat::BlackMagicGuild},
      {'S', nullptr, combat::MagicBook},
      {'X', nullptr, combat::ChallengeHighLord},
      {'R', nullptr, nullptr, true},
  };
  return kKeys;
}

void GuildHall() {
  PlaceScreen hall("Guild Hall", "Skins/GUILD.ANS", 23, 9);
  hall.draw = DrawHighLord;
  RunPlace(hall, GuildHallKeys());
}

void ProfessionOffice() {
  static const std::vector<PlaceKey> kKeys = {
      {'A', nullptr, AskForPromotion},
      {'R', nullptr, nullptr, true},
  };
  PlaceScreen office;
  office.draw = DrawOffice;
  RunPlace(office, kKeys);
}

void ProfessionRanking() {
  const db::ResultTable rows =
      db::Query(db::kPlayer,
                "SELECT Gender,PlayerName,ProfLevel,Guild FROM %s WHERE Kingdom IS NOT NULL "
                "ORDER BY ProfLevel DESC, IDNum",
                db::TableName(db::kPlayer));
  auto head = [](int) {
    od_clr_scr();
    od_printf(
        "`bright white`   Player               Profession Level       Profession`dark "
        "green`\n\r");
    od_printf("%s", kShortRule);
  };
  auto row = [&rows](int r) {
    od_printf(strcmp(rows.Text(r, 0), "Female") == 0 ? "\n\r`bright magenta` F " : "\n\r   ");
    od_printf("`bright red`%-21s      `grey`%-5s", CleanText(rows.Text(r, 1)).c_str(),
              GroupedNumber(rows.Int(r, 2)).c_str());
    od_printf("            `bright cyan`%s",
              ProfessionTitle(rows.Text(r, 3), rows.Int(r, 2)).c_str());
  };
  if (ListInPages(rows.rows(), 10, "\n\n\r`bright red`Continue (y/n)?", head, row))
    WaitWithDarkBanner();
}

void Monastery() {
  if (!HasClass("Monk")) {
    DenyEntrance("monk",
                 "\n\rby the guards. You hear hymns and heavenly music creeping out"
                 "\n\rfrom inside the monastery..");
    return;
  }
  od_clr_scr();
  od_printf("\n\n\r`bright green`Here you can meditate with monks, and concentrate on certain");
  od_printf("\n\rsins that the god''s have forbidden. Clear your minds of these");
  od_printf("\n\rsins and receive enlightenment!");
  od_printf(
      "\n\n\r`dark green`Use 1 good deed? (`bright yellow`y`dark green`/`bright "
      "yellow`n`dark green`)");
  if (!AnswerYes()) return;
  if (player::CallerInt("GoodDeeds") < 1) {
    od_printf("\n\n\r`bright red`You are out of good deeds today..");
    WaitWithDarkBanner();
    return;
  }
  od_printf("\n\n\r`grey`<Hint: There are 7 of them!>");
  od_printf("\n\r`bright white`Which sin would you like forgiveness for?: ");
  const std::string answer = messaging::ReadLine(20);
  switch (ConfessSin(player::CallerUserName(), answer)) {
    case Penance::kForgiven:
      od_printf("\n\n\r%s", SinNamed(answer)->told);
      break;
    case Penance::kWrong:
      od_printf("\n\n\r`bright red`Your answer was incorrect!");
      break;
    case Penance::kNoDeeds:  // spent on another node meanwhile
      od_printf("\n\n\r`bright red`You are out of good deeds today..");
      break;
    case Penance::kNoCharacter:
      return;
  }
  WaitWithDarkBanner();
}

void AlchemistLab() {
  if (!HasClass("Alchemist")) {
    DenyEntrance("alchemist",
                 "\n\rby the guards. You can smell the elixer of poisons coming from"
                 "\n\rinside the labatory....");
    return;
  }
  static const std::vector<PlaceKey> kKeys = {
      {'L', nullptr, combat::PoisonShop},
      {'V', nullptr, ShowPoisonLevel},
      {'\r', nullptr, nullptr},  // look again
      {'R', nullptr, nullptr, true},
  };
  PlaceScreen lab;
  lab.draw = DrawLab;
  RunPlace(lab, kKeys);
}

}  // namespace trv::progress
