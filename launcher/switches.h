// The door's own command-line switches.
#ifndef TRV_LAUNCHER_SWITCHES_H_
#define TRV_LAUNCHER_SWITCHES_H_

#include <string>

namespace trv::launcher {

// The arguments joined into one line; a word holding a blank is quoted so
// the door kit reads it back as one word.
std::string ArgumentLine(int argc, char** argv);

// The maintenance mode the switches ask for: 1 unless -nomaint (0),
// -forcemaint (2) or -runmaint (3), with - or /, in any case; the last
// switch wins. Only the first 32 words count.
int MaintenanceMode(const std::string& arguments);

}  // namespace trv::launcher

#endif  // TRV_LAUNCHER_SWITCHES_H_
