// Screen pieces the sysop program's editors share.
#ifndef TRV_CONFIG_PROMPTS_H_
#define TRV_CONFIG_PROMPTS_H_

#include <string>

#include "game/ui/ui.h"

namespace trv::config {

// The dark green rule under every editor's head.
inline constexpr const char* kRule = kShortRule;

// Writes `lead` (line breaks, colour) and then `title` between shade brackets.
void Banner(const char* lead, const std::string& title);

// Reads up to `width` digits; "" when the sysop pressed Enter alone.
std::string ReadDigits(int width);

// The option banner an editor writes before its help lines and prompt.
void OptionBanner(const char* title);

// "[X] Go Back" and "Your Selection :" under the world options and the
// investments.
void GoBackAndSelection();

// Shown wherever a player ID is read and its row is gone; waits for a key.
void PlayerNotFound();

// Tells the sysop an entry was not stored and why; waits for a key.
void Refused(const std::string& why);

}  // namespace trv::config

#endif  // TRV_CONFIG_PROMPTS_H_
