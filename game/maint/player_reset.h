// The daily reset of every character: allowances, bank interest,
// investment returns, merchant taxes, attribute floors and a full heal.
#ifndef TRV_GAME_MAINT_PLAYER_RESET_H_
#define TRV_GAME_MAINT_PLAYER_RESET_H_

namespace trv::maint {

// Runs inside the maintenance transaction. Characters still being created
// (Kingdom NULL) are left alone.
void ResetPlayerDay();

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_PLAYER_RESET_H_
