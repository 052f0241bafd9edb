// Pieces every screen shares: banners, the key prompt, yes/no questions,
// cleaned text and the seeded generator.
#ifndef TRV_GAME_UI_UI_H_
#define TRV_GAME_UI_UI_H_

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

// Waits for Y or N (either case); true for Y. A dropped line answers N.
bool AnswerYes();

// The answer part of a question, "(y/N)? ", as colour markup for od_printf:
// the letters bright yellow, the rest in `colour` ("dark green").
std::string YesNoMarkup(const char* colour);
// The same as ANSI sequences for od_disp_emu, to follow text already in
// `colour_sequence`; `no_letter` is 'N' or 'n': "(y/N)? " or "(y/n)? ".
std::string YesNoAnsi(const char* colour_sequence, char no_letter = 'N');

// Writes `question` (colour markup; sent as text, never as a format) and
// "(y/N)? " in `colour`, then waits for the answer; true for Y.
bool AskYesNo(const std::string& question, const char* colour);

// Text that a caller typed, made safe to show to anyone: no colour markup
// (backquote) and no control byte can reach another caller's screen.
std::string CleanText(const char* text);
inline std::string CleanText(const std::string& text) { return CleanText(text.c_str()); }

// Seeds the C library generator from the clock, or from TRV_SEED when set
// so test sessions repeat.
void SeedRandom();
// The same, but only the first time in this process; later calls keep the
// sequence going. For draws a caller can repeat at will (a search): a
// generator seeded afresh from the clock would give the same draws to
// every repeat within one second.
void SeedRandomOnce();

}  // namespace trv

#endif  // TRV_GAME_UI_UI_H_
