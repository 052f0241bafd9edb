// The end of a tournament, checked as each caller enters the realm.
#ifndef TRV_GAME_MAINT_TOURNAMENT_H_
#define TRV_GAME_MAINT_TOURNAMENT_H_

#include <optional>

#include "game/ui/game_date.h"

namespace trv::maint {

struct TournamentSettings {
  const char* mode;      // "1" while a tournament runs
  long long max_level;   // ends when the leader passes it (1 or more)
  const char* end_date;  // MMDDYYYY; ends on that day
};

// True when the tournament is over for a leader at `leader_level`
// (nullopt: no character yet, so nobody can have won). An end date that
// is not eight digits of a real date sets no end.
bool TournamentOver(const TournamentSettings& settings, std::optional<long long> leader_level,
                    const GameDate& today);

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_TOURNAMENT_H_
