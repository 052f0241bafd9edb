// Pieces the alley's screens share. Only game/alley includes this.
#ifndef TRV_GAME_ALLEY_SCREENS_H_
#define TRV_GAME_ALLEY_SCREENS_H_

#include <string>

namespace trv::alley {

inline constexpr char kOutOfDeeds[] = "\n\n\r`dark red`You are out of evil deeds for today!";
inline constexpr char kNoDeedsLeft[] =
    "\n\n\r`dark red`You don't have enough evil deeds left today!";

// Writes `text` (colour markup, never a format), then waits for a key: a
// refusal, or news the caller should read before going on.
void Tell(const char* text);

// The "Press Any Key" banner in `colour` (a colour name), then a key.
void PressKeyIn(const char* colour);

// A whole-percent rating of a kingdom ("CrimePrevention"), read
// leniently; 0 for a kingdom that is gone.
long long KingdomRating(const std::string& kingdom, const char* column);

// `text` padded with blanks to `width` columns.
std::string Padded(const std::string& text, int width);

}  // namespace trv::alley

#endif  // TRV_GAME_ALLEY_SCREENS_H_
