// The character status pages and the pager that moves between them.
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/shops.h"
#include "game/db/result_table.h"
#include "game/economy/economy.h"
#include "game/kingdom/kingdom.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/progress/pages.h"
#include "game/progress/professions.h"
#include "game/progress/progress.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::progress {
namespace {

using namespace ansi;

// Written after the profession title; each fits the 39 columns left of
// the line.
constexpr const char* kJests[] = {
    "Your not the best looking!",
    "You smell of cat fieces!",
    "Duck Duck, yeah your a DUCK!",
    "Your not very jolly today..",
    "Everyday above ground is a good one!",
    "Support your ruler [/BRAINWASH]",
    "Kingdom cheese is good for you..",
    "Are you talking to me??",
    "The tide waits for no one, nor for you!",
    "Bite me mutant one more time!",
    "An orc proposed marriage to you! Eww",
    "This one time at band camp!",
    "Tarvessia: Test of Patience..",
    "You are not a crook!",
    "He who laughs last thinks slowest",
    "You are batman!",
    "Even your shadow walks ahead of you..",
    "FREEEEEEEDOOOOOOOOM!!!",
    "WMD = NOT FOUND",
};
constexpr int kJestCount = sizeof kJests / sizeof kJests[0];
static_assert(kJestCount == 19);

constexpr bool JestsFit() {
  for (const char* jest : kJests)
    if (std::char_traits<char>::length(jest) > 39) return false;
  return true;
}
static_assert(JestsFit());

const char* Jest() {
  SeedRandomOnce();
  return kJests[rand() % kJestCount];
}

std::string Grouped(const db::ResultTable& row, const char* column) {
  return GroupedNumber(row.Int(0, column));
}

std::string Clean(const db::ResultTable& row, const char* column) {
  return CleanText(row.Text(0, column));
}

std::string GroupedGold(const db::ResultTable& row, const char* column) {
  return AddCommas(player::Amount(row.Text(0, column)).str());
}

void DrawStatus() {
  const db::ResultTable a = player::CallerRow(
      "PlayerName,FirstClass,SecondClass,Level,HP,MaxHP,MagicPower,MaxMagicPower,GoodDeeds,"
      "EvilDeeds,Divine,FirstRace,SecondRace,Guild,Charm,ProfLevel");
  const std::string title = ProfessionTitle(a.Text(0, "Guild"), a.Int(0, "ProfLevel"));
  Emu(std::string(kBrightYellow) + ShadeTitle(Clean(a, "PlayerName") + "'s Status") + "      " +
      kDarkRed + "Multi-Class: " + kGrey + Clean(a, "FirstClass") + "/" + Clean(a, "SecondClass") +
      "\n\r");
  Emu(Formatted("%s%s\n\n\r", kBrightMagenta, kShortRule));
  Emu(Formatted(
      "    %sCurrent Level:    %s%-4s             %sHitpoints:         %s%s%s of %s%s\n\r",
      kDarkGreen, kBrightCyan, Grouped(a, "Level").c_str(), kDarkGreen, kBrightCyan,
      Grouped(a, "HP").c_str(), kDarkGreen, kBrightCyan, Grouped(a, "MaxHP").c_str()));
  Emu(Formatted(
      "    %sGood/Evil Deeds:  %s%s%s/%s%s              %sMagic Points:      %s%s%s of %s%s\n\r",
      kDarkGreen, kBrightCyan, Clean(a, "GoodDeeds").c_str(), kDarkGreen, kBrightCyan,
      Clean(a, "EvilDeeds").c_str(), kDarkGreen, kBrightCyan, Grouped(a, "MagicPower").c_str(),
      kDarkGreen, kBrightCyan, Grouped(a, "MaxMagicPower").c_str()));
  Emu(Formatted("    %sDivine Favor:     %s%-7s          %sRace:              %s%s%s/%s%s\n\r",
                kDarkGreen, kBrightCyan, Grouped(a, "Divine").c_str(), kDarkGreen, kBrightCyan,
                Clean(a, "FirstRace").c_str(), kDarkGreen, kBrightCyan,
                Clean(a, "SecondRace").c_str()));
  Emu(Formatted("    %sGuild:            %s%-12s     %sCharm:             %s%s\n\r", kDarkGreen,
                kBrightCyan, Clean(a, "Guild").c_str(), kDarkGreen, kBrightRed,
                Grouped(a, "Charm").c_str()));
  Emu(Formatted("    %sProfession Title: %s%-17s%s %s%s\n\r", kDarkGreen, kBrightCyan,
                title.c_str(), kGrey, kBrightMagenta, Jest()));

  const db::ResultTable b = player::CallerRow(
      "MonsterFights,Agility,PlayerFights,Mental,Potions,Intellect,PlayerKills,Leadership,"
      "PlayerDefeats,Stamina,Strength,Defense,Disease,Gold,BankGold");
  Emu(Formatted("\n\r    %sMonster Fights:   %s%-2s %sleft          Agility:           %s%s\n\r",
                kDarkGreen, kBrightCyan, Grouped(b, "MonsterFights").c_str(), kDarkGreen,
                kBrightCyan, Grouped(b, "Agility").c_str()));
  Emu(Formatted("    %sArena Fights:     %s%-2s %sleft          Mental:            %s%s\n\r",
                kDarkGreen, kBrightCyan, Grouped(b, "PlayerFights").c_str(), kDarkGreen,
                kBrightCyan, Grouped(b, "Mental").c_str()));
  Emu(Formatted("    %sHealing Potions:  %s%-3s%s/%s300          %sIntellect:         %s%s\n\r",
                kDarkGreen, kBrightCyan, Grouped(b, "Potions").c_str(), kDarkGreen, kBrightCyan,
                kDarkGreen, kBrightCyan, Grouped(b, "Intellect").c_str()));
  Emu(Formatted("    %sArena Wins:       %s%-4s             %sLeadership:        %s%s\n\r",
                kDarkGreen, kBrightCyan, Grouped(b, "PlayerKills").c_str(), kDarkGreen, kBrightCyan,
                Grouped(b, "Leadership").c_str()));
  Emu(Formatted("    %sArena Losses:     %s%-4s             %sStamina:           %s%s\n\r",
                kDarkGreen, kBrightCyan, Grouped(b, "PlayerDefeats").c_str(), kDarkGreen,
                kBrightCyan, Grouped(b, "Stamina").c_str()));
  Emu(Formatted("    %sDisease:          %s%-15s  %sPhysical Strength: %s%s\n\r", kDarkGreen, kGrey,
                Clean(b, "Disease").c_str(), kDarkGreen, kBrightCyan,
                Grouped(b, "Strength").c_str()));
  Emu(Formatted("                                       %sDefense Abilities: %s%s\n\n\r",
                kDarkGreen, kBrightCyan, Grouped(b, "Defense").c_str()));
  Emu(Formatted("  %sGold: $%s%s\n\r", kDarkGreen, kBrightWhite, GroupedGold(b, "Gold").c_str()));
  Emu(Formatted("  %sBank: $%s%s\n\r", kDarkGreen, kBrightWhite,
                GroupedGold(b, "BankGold").c_str()));
  Emu(Formatted("\n\r  %s%s Press [%sE%s] for Equipment / Press [%sI%s] for Investments",
                kBrightRed, kShades, kBrightYellow, kBrightRed, kBrightYellow, kBrightRed));
  Emu(Formatted("\n\r  %s%s [%sK%s]ingdom Information / %sEnter: ", kBrightRed, kShades,
                kBrightYellow, kBrightRed, kGrey));
}

// The first page; returns the key that leaves it (0: the line is gone).
char ShowStatusPage() {
  static const std::vector<PlaceKey> kKeys = {
      {'E', nullptr, nullptr, true},
      {'I', nullptr, nullptr, true},
      {'K', nullptr, nullptr, true},
      {'\r', nullptr, nullptr, true},
  };
  PlaceScreen page;
  page.draw = DrawStatus;
  return RunPlace(page, kKeys);
}

// Each page returns the key of the next one; the loop below follows them,
// so moving between pages never nests calls however long the caller goes.
struct StatusPage {
  char key;
  char (*show)();
};
constexpr char kFirstPage = 'S';
constexpr StatusPage kPages[] = {
    {kFirstPage, ShowStatusPage},
    {'E', combat::EquipmentScreen},
    {'I', economy::ShowInvestments},
    {'K', kingdom::ShowKingdomPage},
};

const StatusPage* PageFor(char key) {
  for (const StatusPage& page : kPages)
    if (page.key == key) return &page;
  return nullptr;
}

}  // namespace

void StatusPages() {
  const StatusPage* page = PageFor(kFirstPage);
  while (page) {
    const char next = page->show();
    if (next == '\r' && page->key == kFirstPage) return;  // back to whoever opened it
    page = PageFor(next == '\r' ? kFirstPage : next);     // 0: the line is gone
  }
}

}  // namespace trv::progress
