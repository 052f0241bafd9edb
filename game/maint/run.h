// One maintenance run: the progress screen and the order of its steps,
// and the day the database knows it has paid.
#ifndef TRV_GAME_MAINT_RUN_H_
#define TRV_GAME_MAINT_RUN_H_

#include <string>

#include "game/ui/game_date.h"

namespace trv::maint {

// The day (YYYYMMDD) whose maintenance the database holds; 0 for none.
// Kept in the database header (user_version), so it commits or rolls back
// with the run itself.
int PaidDay();

// Runs the day's maintenance inside the BEGIN IMMEDIATE transaction the
// caller opened, and commits it: nothing of the day is kept unless all of
// it is, together with the paid day and an empty session count. Then
// compacts the database when no other node is reading it and writes
// Data/time.dat.
void RunMaintenance(const GameDate& today);

// Writes Data/time.dat, telling the screen when it cannot.
void SaveRunDate(const GameDate& today);

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_RUN_H_
