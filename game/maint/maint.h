// The daily maintenance the door runs at start, and the two checks the
// play session makes when a caller enters the realm.
#ifndef TRV_GAME_MAINT_MAINT_H_
#define TRV_GAME_MAINT_MAINT_H_

extern "C" {

// Maintenance modes, set by the door's switches.
enum {
  kMaintNone = 0,   // -nomaint: no day check
  kMaintCheck = 1,  // default: run the day's maintenance when it is due
  kMaintForce = 2,  // -forcemaint: run now, then end the door
  kMaintWait = 3,   // -runmaint: wait for an empty realm, run, then end
};

// Changes to the game directory, opens Data/game.db and does the day check
// of the mode; modes 2 and 3 end the process.
void CheckForMaint(int mode, const char* command_line);

// True when the character of `userName` holds the High Lord title (by
// Data/trvlord.dat); then also posts the High Lord news.
bool IsHighLordToday(const char* userName);

// Ends the door with the winner screen when the tournament is over.
void CheckTournamentEnd(void);
}

#endif  // TRV_GAME_MAINT_MAINT_H_
