// Tournament setup: the world options editor's T.
#ifndef TRV_CONFIG_TOURNAMENT_H_
#define TRV_CONFIG_TOURNAMENT_H_

namespace trv::config {

// Asks whether to run a tournament and, if so, until which level or date.
// Mode, level and date are always written by one statement, so a door
// never reads a tournament that is half set.
void TournamentOption();

}  // namespace trv::config

#endif  // TRV_CONFIG_TOURNAMENT_H_
