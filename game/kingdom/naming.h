// The kingdom naming dialog shared by founding and renaming.
#ifndef TRV_GAME_KINGDOM_NAMING_H_
#define TRV_GAME_KINGDOM_NAMING_H_

#include <string>

namespace trv::kingdom {

// Shows the naming screen with its explaining line, reads a name, refuses
// a blank, unusable or taken one and asks for confirmation. The confirmed
// name, or "" when the caller must be asked again.
std::string AskKingdomName(const char* explaining_line);

// Said when the name was taken between the question and the storing.
void TellNameInUse();

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_NAMING_H_
