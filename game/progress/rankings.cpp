// The player rankings, the kingdom rankings and the kingdom players list.
#include "game/progress/rankings.h"

#include <string.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/progress/pages.h"
#include "game/progress/progress.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::progress {

const Ranking kRankings[kRankingCount] = {
    {'A', "Level", "Level Rankings", "Level", "PIECE OF CRAP!", "THE BEST!"},
    {'B', "MaxHP", "Hit Point Rankings", "Hit Points", "PIECE OF CRAP!", "THE BEST!"},
    {'C', "Strength", "Strength Rankings", "Strength", "CAN'T EVEN LIFT TOILET SEAT!",
     "ARRRNUUULD!"},
    {'D', "Defense", "Defense Rankings", "Defense", "PUSHOVER!", "D-FENCE IS THE NAME!"},
    {'E', "Agility", "Agility Rankings", "Agility", "AN OLD HOOGIE!", "MASTER OF EVASE!"},
    {'F', "Stamina", "Stamina Rankings", "Stamina", "CAN BARELY STAND!", "GREAT IN BED!"},
    {'G', "Mental", "Mental Rankings", "Mental", "DUH!", "THESSAMOR!"},
    {'H', "Charm", "Charm Rankings", "Charm", "FACE LIKE A DUCK!", "OOOHHH LA LA!"},
    {'I', "MaxMagicPower", "Magic Rankings", "Magic Points", "STREET MAGICIAN!",
     "ALMOST GOD-LIKE!"},
    // Fewest wins first; among equal wins, fewest losses first.
    {'J', "PlayerKills,PlayerDefeats", "Arena Rankings", "Wins - Losses", "BIG LOSER!",
     "MAXIMUS THE GLADIATOR!"},
    {'K', "Leadership", "Leadership Rankings", "Leadership Points", "TARD!", "MAXIMUS!"},
    {'L', "Intellect", "Intellect Rankings", "Intellect", "QUORVALIN!", "MIND OVER MATTER!"},
    {'M', "Divine", "Divine Rankings", "Divine Favor", "UNHOLY EVIL!", "POPE MATERIAL!"},
};

namespace {

using namespace ansi;

constexpr char kDarkYellow[] = "\x1b[2;33;40m";
constexpr char kRankingRule[] = "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-";
constexpr char kPlayersRule[] =
    "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-";

std::string Banner(const char* brackets, const char* colour, const char* title) {
  return std::string(brackets) + kShades + " " + colour + title + " " + brackets + kShadesBack;
}

void RankingHead(const Ranking& ranking) {
  od_clr_scr();
  Emu(Formatted("%sAs you can see player ranking goes from the lowest to the", kDarkYellow));
  Emu(Formatted("\n\r%shighest. This will show everyone that the person at the bottom",
                kDarkYellow));
  Emu(Formatted("\n\r%sreally does suck and shouldnt even be playing!!!", kDarkYellow));
  Emu("\n\n\r" + Banner(kBrightMagenta, kBrightGreen, ranking.banner));
  Emu(Formatted("\n\n\r%sPlayer Name            %s", kBrightYellow, ranking.value_name));
  Emu(Formatted("\n\r%s%s", kDarkGreen, kRankingRule));
  od_set_cursor(9, 1);
}

// The menu's two columns of letters.
void DrawRankingsMenu() {
  Emu(Banner(kBrightBlue, kBrightYellow, "Player Rankings"));
  Emu(Formatted("\n\n\r%sSo you want to see how you stack up against the competition eh?", kGrey));
  Emu(Formatted("\n\r%sThese are the available options for ranking, if you find yourself", kGrey));
  Emu(Formatted("\n\r%ssucking in the rankings, maybe you should just suicide!!! muahahaha!!",
                kGrey));
  static const char* const kLines[] = {
      "\n\n\r%s[%sA%s] Level        [%sH%s] Best Looking (Charm)",
      "\n\r%s[%sB%s] Hitpoints    [%sI%s] Magic Points",
      "\n\r%s[%sC%s] Strength     [%sJ%s] Arena Combat Ranking",
      "\n\r%s[%sD%s] Defense      [%sK%s] Leadership",
      "\n\r%s[%sE%s] Agility      [%sL%s] Intellect",
      "\n\r%s[%sF%s] Stamina      [%sM%s] Divine Favor",
  };
  for (const char* line : kLines) {
    char text[128];
    snprintf(text, sizeof text, line, kDarkGreen, kBrightYellow, kDarkGreen, kBrightYellow,
             kDarkGreen);
    Emu(text);
  }
  Emu(Formatted("\n\r%s[%sG%s] Mental", kDarkGreen, kBrightYellow, kDarkGreen));
  Emu(Formatted("\n\n\r%s[%sR%s]eturn to Main Street", kDarkGreen, kBrightYellow, kDarkGreen));
  Emu(Formatted("\n\n\r%sYour Selection: ", kGrey));
}

// One kingdom of the kingdom rankings.
void KingdomEntry(const db::ResultTable& k, int r) {
  auto text = [&](const char* column) { return CleanText(k.Text(r, column)); };
  auto grouped = [&](const char* column) { return GroupedNumber(k.Int(r, column)); };
  Emu(Formatted("\n\n\r%s%s", kBrightGreen, text("Name").c_str()));
  Emu(Formatted(" %s- %sKingdom Ruler: %s%s", kGrey, kBrightRed, kBrightCyan,
                text("Ruler").c_str()));
  Emu(Formatted("\n\r     %sSoldiers : %s%s", kBrightRed, kBrightYellow,
                grouped("Soldiers").c_str()));
  Emu(Formatted(" %sDragon Riders: %s%s", kBrightRed, kBrightYellow, text("DragonRiders").c_str()));
  Emu(Formatted(" %sCannons: %s%s", kBrightRed, kBrightYellow, text("Cannons").c_str()));
  Emu(Formatted("\n\r     %sCatapults: %s%s", kBrightRed, kBrightYellow,
                text("Katapults").c_str()));
  Emu(Formatted(" %sLand: %s%s", kBrightRed, kBrightYellow, grouped("Land").c_str()));
  Emu(Formatted(" %sMagic Towers: %s%s", kBrightRed, kBrightYellow, text("MagicTowers").c_str()));
  Emu(Formatted("\n\r     %sCivilians: %s%s", kBrightRed, kBrightYellow, grouped("Serfs").c_str()));
  Emu(Formatted(" %sTax Rate: %s%s%%", kBrightRed, kBrightYellow, text("TaxRate").c_str()));
  Emu(Formatted(" %sMerchant Tax Rate: %s%s%%", kBrightRed, kBrightYellow,
                text("MerchantTax").c_str()));
}

// The titles a character holds in any kingdom, found by its name.
std::string Titles(const std::string& name, bool male) {
  static const struct {
    const char* column;
    const char* colour;
    const char* title;
  } kPosts[] = {
      {"Ruler", nullptr, nullptr},  // King or Queen
      {"Baron", kBrightYellow, "Baron"}, {"Royal", kBrightBlue, "Royal"},
      {"Prince", kBrightCyan, "Prince"}, {"Princess", kBrightMagenta, "Princess"},
  };
  std::string titles;
  for (const auto& post : kPosts) {
    if (db::Query(db::kKingdom, "SELECT %s FROM %s WHERE %s=%Q", post.column,
                  db::TableName(db::kKingdom), post.column, name.c_str())
            .empty())
      continue;
    if (!post.title)
      titles += male ? std::string(" ") + kBrightWhite + "King"
                     : std::string(" ") + kBrightMagenta + "Queen";
    else
      titles += std::string(" ") + post.colour + post.title;
  }
  return titles.empty() ? std::string(" ") + kGrey + "Commoner" : titles;
}

void KingdomPlayersHead() {
  od_clr_scr();
  Emu(Banner(kBrightBlue, kBrightYellow, "Tarvessia Kingdom Players") + "\n\n\r");
  Emu(Formatted("%s   Player                Kingdom                   Social Status\n\r",
                kBrightWhite));
  Emu(Formatted("%s%s", kDarkGreen, kPlayersRule));
  od_set_cursor(4, 1);
}

}  // namespace

void ShowRanking(const Ranking& ranking) {
  const db::ResultTable rows = db::Query(
      db::kPlayer,
      "SELECT PlayerName,UserName,%s FROM %s WHERE Kingdom IS NOT NULL ORDER BY %s, IDNum",
      ranking.columns, db::TableName(db::kPlayer), ranking.columns);
  const std::string me = player::CallerUserName();
  auto row = [&](int r) {
    std::string value;
    for (int column = 2; column < rows.columns(); ++column)
      value += (column > 2 ? " - " : "") + GroupedNumber(rows.Int(r, column));
    Emu(Formatted("%s%-21s  %s%s", kBrightWhite, CleanText(rows.Text(r, 0)).c_str(), kGrey,
                  value.c_str()));
    if (r == 0) od_printf("    `bright magenta`(%s)", ranking.low_tag);
    if (r == rows.rows() - 1) od_printf("    `bright magenta`(%s)", ranking.high_tag);
    if (me == rows.Text(r, 1)) od_printf("  `bright yellow`<<==--YOU!!");
    od_printf("\n\r");
  };
  if (!ListInPages(
          rows.rows(), 10, "\n\r`bright red`Continue (y/n)? ",
          [&ranking](int) { RankingHead(ranking); }, row))
    return;
  if (rows.empty()) RankingHead(ranking);
  od_printf("\n\r`bright red`%s", ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
}

void PlayerRankings() {
  std::vector<PlaceKey> keys;
  for (const Ranking& ranking : kRankings)
    keys.push_back({ranking.key, nullptr, [&ranking] { ShowRanking(ranking); }});
  keys.push_back({'R', nullptr, nullptr, true});
  keys.push_back({'\r', nullptr, nullptr, true});
  PlaceScreen menu("Viewing Rankings");
  menu.draw = DrawRankingsMenu;
  RunPlace(menu, keys);
}

void KingdomRankingOptions() {
  static const std::vector<PlaceKey> kKeys = {
      {'K', nullptr, KingdomRankings, true},
      {'P', nullptr, KingdomPlayers, true},
      {'\r', nullptr, nullptr, true},
  };
  PlaceScreen options;
  options.draw = [] {
    Emu(Banner(kBrightBlue, kBrightYellow, "Kingdom Ranking Options"));
    Emu(
        Formatted("\n\n\r%sPress [%sK%s] for Kingdom Rankings, or Press [%sP%s] for Kingdom "
                  "Person Listing..",
                  kBrightRed, kBrightYellow, kBrightRed, kBrightYellow, kBrightRed));
    Emu(Formatted("\n\n\r%sThy Selection (%sEnter%s to quit): ", kBrightRed, kGrey, kBrightRed));
  };
  options.global_keys = false;  // only the three keys it names
  RunPlace(options, kKeys);
}

void KingdomRankings() {
  const db::ResultTable kingdoms = db::Query(
      db::kKingdom,
      "SELECT Name,Ruler,Soldiers,DragonRiders,Cannons,Katapults,Land,MagicTowers,Serfs,TaxRate,"
      "MerchantTax FROM %s ORDER BY Soldiers DESC, IDNum",
      db::TableName(db::kKingdom));
  od_clr_scr();
  Emu(Banner(kBrightBlue, kBrightYellow, "Kingdom Rankings"));
  for (int r = 0; r < kingdoms.rows(); ++r) {
    KingdomEntry(kingdoms, r);
    if (r == 3) {  // the screen holds four; the fifth comes after a question
      od_printf("\n\r`bright cyan`Continue Listing (y/n)? ");
      const char answer = od_get_answer("\rYN");
      if (answer == 'N' || answer == 0) return;
    }
  }
  od_printf("\n\n\r`dark green`%s", ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
}

void KingdomPlayers() {
  const db::ResultTable rows =
      db::Query(db::kPlayer,
                "SELECT Gender,PlayerName,Kingdom FROM %s WHERE Kingdom IS NOT NULL "
                "ORDER BY Kingdom, IDNum",
                db::TableName(db::kPlayer));
  auto row = [&rows](int r) {
    const bool female = strcmp(rows.Text(r, 0), "Female") == 0;
    Emu(female ? Formatted("\n\r%s F ", kBrightMagenta) : std::string("\n\r   "));
    Emu(Formatted("%s%-21s %s%-25s", kBrightRed, CleanText(rows.Text(r, 1)).c_str(), kBrightGreen,
                  CleanText(rows.Text(r, 2)).c_str()));
    Emu(Titles(rows.Text(r, 1), strcmp(rows.Text(r, 0), "Male") == 0));
  };
  if (!ListInPages(
          rows.rows(), 10, "\n\n\r`bright red`Continue (y/n)? ", [](int) { KingdomPlayersHead(); },
          row))
    return;
  if (rows.empty()) KingdomPlayersHead();
  od_printf("\n\n\r`bright red`%s", ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
}

}  // namespace trv::progress
