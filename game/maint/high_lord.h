// The High Lord's daily reward and the entry check that announces it.
#ifndef TRV_GAME_MAINT_HIGH_LORD_H_
#define TRV_GAME_MAINT_HIGH_LORD_H_

#include <string>

namespace trv::maint {

// Posts the news that `player_name` earns the High Lord's rewards today.
void AnnounceHighLord(const std::string& player_name);

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_HIGH_LORD_H_
