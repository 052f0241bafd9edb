// The sysop's health check (TRVConfig -check): what a sysop wants to know
// about a realm without starting a door, fit for cron and scripts.
#ifndef TRV_CONFIG_HEALTH_H_
#define TRV_CONFIG_HEALTH_H_

#include <stdio.h>

namespace trv::config {

// True when the argument words ask for the check ("-check" or "/check",
// any case); *repair is set by "-repair" too.
bool WantsHealthCheck(int argc, char** argv, bool* repair);

// Reports on the game in the current directory to `out`: the callers
// marked on-line and whether each one's door runs, the session count
// against the running doors, the last maintenance and whether today's is
// due, the database's integrity, size and journal mode. With `repair`,
// marks the ghosts off-line and recounts the sessions first. Returns the
// exit status: 0 when all is well, 1 when something needs the sysop, 2
// when the database cannot be read.
int HealthCheck(bool repair, FILE* out);

}  // namespace trv::config

#endif  // TRV_CONFIG_HEALTH_H_
