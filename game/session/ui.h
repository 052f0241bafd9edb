// Pieces every screen shares: banners, the key prompt, cleaned text.
#ifndef TRV_GAME_SESSION_UI_H_
#define TRV_GAME_SESSION_UI_H_

#include <string>

namespace trv {

// The shade run that frames banners, and its reverse.
inline constexpr char kShades[] = "\260\261\262";
inline constexpr char kShadesBack[] = "\262\261\260";

// The two rules that frame many screens.
inline constexpr char kShortRule[] =
    "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-";
inline constexpr char kLongRule[] =
    "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-";

// "\260\261\262 title \262\261\260".
std::string ShadeTitle(const std::string& title);

// Sends text holding ANSI sequences built in memory through the kit's
// terminal emulation.
void Emu(const std::string& text);

// The "Press Any Key" banner in bright red, then waits for a key.
void PressAnyKey();

// Text that a caller typed, made safe to show to anyone: no colour markup
// (backquote) and no control byte can reach another caller's screen.
std::string CleanText(const char* text);

// Seeds the C library generator from the clock, or from TRV_SEED when set
// so test sessions repeat.
void SeedRandom();

}  // namespace trv

#endif  // TRV_GAME_SESSION_UI_H_
