// The thirteen ranking lists of Main Street's L, one table row each.
#ifndef TRV_GAME_PROGRESS_RANKINGS_H_
#define TRV_GAME_PROGRESS_RANKINGS_H_

namespace trv::progress {

struct Ranking {
  char key;             // on the rankings menu
  const char* columns;  // ranked by, in this order, lowest first; shown joined by " - "
  const char* banner;
  const char* value_name;  // the column head's
  const char* low_tag;     // beside the lowest row
  const char* high_tag;    // beside the highest
};
inline constexpr int kRankingCount = 13;
extern const Ranking kRankings[kRankingCount];

// Shows one list, ten rows to a page, from the lowest to the highest.
void ShowRanking(const Ranking& ranking);

}  // namespace trv::progress

#endif  // TRV_GAME_PROGRESS_RANKINGS_H_
