// The news roll: today's news becomes yesterday's and a new day begins.
#ifndef TRV_GAME_MAINT_NEWS_ROLL_H_
#define TRV_GAME_MAINT_NEWS_ROLL_H_

#include <string>

namespace trv::maint {

struct NewsItem {
  const char* title;
  const char* line1;
  const char* line2;
};

// The day's opening item for a roll of rand() % 7.
const NewsItem& NewDayItem(int roll);

// The tournament's news lines: the leader (empty without characters) and
// how it ends (empty when neither a level nor a date is set).
std::string TournamentLeaderLine(const char* player_name, const char* level, bool has_leader);
std::string TournamentEndLine(const char* max_level, const char* end_date);

// Drops yesterday's news, relabels today's, posts the tournament's state
// when one runs, and opens the new day with one of seven items. Seeds the
// random generator.
void RollNewsDay();

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_NEWS_ROLL_H_
