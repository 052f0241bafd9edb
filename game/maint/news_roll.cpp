#include "game/maint/news_roll.h"

#include <stdlib.h>
#include <string.h>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/ui/ui.h"

namespace trv::maint {
namespace {

using db::Exec;
using db::Query;
using db::ResultTable;
using db::TableName;

const NewsItem kNewDay[7] = {
    {"`bright yellow`A New Day Begins!", "`bright green`The dwarves are cranky as usual!",
     "They seem to be upset at being so short!"},
    {"`bright yellow`A New Day Begins!", "`bright green`The royals are enjoying tea and crumpets..",
     "Ah, the enjoyments of a noble.."},
    {"`grey`A Cold Winter Day", "`bright yellow`Animals take shelter during the cold months..", ""},
    {"`bright yellow`A Bright Summer Day", "`bright green`Rulers begin cracking down on militias..",
     "People seem to now be shying away from joining them.."},
    {"`bright yellow`A Disturbing Find!",
     "`bright green`A child is found dead in the town square..",
     "The body was mauled by wolves and monsters.."},
    {"`bright yellow`A New Day Begins!", "`bright green`Festivals and Carnivals!",
     "Children enjoy themselves among the festivities.."},
    {"`bright yellow`Death And Destruction!", "`bright red`Dead Bodies Everywhere!",
     "The bodies of dead monsters litters the countryside.."},
};

void PostTournamentNews() {
  ResultTable leader = Query(db::kPlayer, "SELECT PlayerName,Level FROM %s ORDER BY Level DESC",
                             TableName(db::kPlayer));
  ResultTable ends = Query(db::kConfig, "SELECT MaxLevel,EndDate FROM %s", TableName(db::kConfig));
  std::string line1 = TournamentLeaderLine(leader.Text(0, 0), leader.Text(0, 1), !leader.empty());
  std::string line2 = TournamentEndLine(ends.Text(0, 0), ends.Text(0, 1));
  std::string title = std::string("`bright red`") + kShades +
                      " `bright yellow`Tournament Mode Running `bright red`" + kShadesBack;
  AddNews(title.c_str(), line1.c_str(), line2.c_str());
}

}  // namespace

const NewsItem& NewDayItem(int roll) { return kNewDay[((roll % 7) + 7) % 7]; }

std::string TournamentLeaderLine(const char* player_name, const char* level, bool has_leader) {
  if (!has_leader) return "";
  return "`bright cyan`Current Leader: `bright white`" + CleanText(player_name) +
         "`bright cyan` at level `bright white`" + level;
}

std::string TournamentEndLine(const char* max_level, const char* end_date) {
  if (*max_level != '\0' && strcmp(max_level, "0") != 0)
    return std::string("`bright cyan`Tournament Ends At Level: `bright white`") + max_level;
  if (*end_date != '\0')
    return "`bright cyan`Tournament Ends On: `bright white`" + CleanText(end_date);
  return "";
}

void RollNewsDay() {
  Exec(db::kNews, "DELETE FROM %s WHERE day != %Q", TableName(db::kNews), "today");
  Exec(db::kNews, "UPDATE %s SET day=%Q", TableName(db::kNews), "yesterday");
  ResultTable config =
      Query(db::kConfig, "SELECT TournamentMode,MaxLevel,EndDate FROM %s", TableName(db::kConfig));
  if (strcmp(config.Text(0, 0), "1") == 0) PostTournamentNews();
  SeedRandom();
  const NewsItem& item = NewDayItem(rand() % 7);
  AddNews(item.title, item.line1, item.line2);
}

}  // namespace trv::maint
