// Names that callers choose for characters and kingdoms.
#ifndef TRV_GAME_UI_NAMES_H_
#define TRV_GAME_UI_NAMES_H_

#include <string>

namespace trv {

// The typed name without blanks at either end.
std::string TrimName(const char* typed);

// Whether a trimmed name may be stored: not blank, and free of the
// backquote that colour markup uses (a name is shown on other callers'
// screens) and of control bytes.
bool UsableName(const std::string& name);

}  // namespace trv

#endif  // TRV_GAME_UI_NAMES_H_
