// The daily maintenance check the door runs once at start.
#ifndef TRV_GAME_MAINT_MAINT_H_
#define TRV_GAME_MAINT_MAINT_H_

extern "C" {

// Maintenance modes, set by the door's switches.
enum {
  kMaintNone = 0,   // -nomaint: no day check
  kMaintCheck = 1,  // default: check for a new day at start
  kMaintForce = 2,  // -forcemaint: run now, then end the door
  kMaintWait = 3,   // -runmaint: wait for an empty realm, run, then end
};

// Changes to the game directory, opens Data/game.db and does the day check
// of the mode; modes 2 and 3 end the process.
void CheckForMaint(int mode, const char* command_line);
}

#endif  // TRV_GAME_MAINT_MAINT_H_
