// Colour sequences for texts built in memory and sent through od_disp_emu.
#ifndef TRV_GAME_UI_ANSI_H_
#define TRV_GAME_UI_ANSI_H_

namespace trv::ansi {

inline constexpr char kBrightRed[] = "\x1b[1;31;40m";
inline constexpr char kBrightGreen[] = "\x1b[1;32;40m";
inline constexpr char kBrightYellow[] = "\x1b[1;33;40m";
inline constexpr char kBrightBlue[] = "\x1b[1;34;40m";
inline constexpr char kBrightMagenta[] = "\x1b[1;35;40m";
inline constexpr char kBrightCyan[] = "\x1b[1;36;40m";
inline constexpr char kBrightWhite[] = "\x1b[1;37;40m";
inline constexpr char kDarkRed[] = "\x1b[2;31;40m";
inline constexpr char kDarkGreen[] = "\x1b[2;32;40m";
inline constexpr char kGrey[] = "\x1b[2;37;40m";

}  // namespace trv::ansi

#endif  // TRV_GAME_UI_ANSI_H_
