// The entry functions TRVDLL exports to the launcher.
#ifndef TRV_GAME_EXPORTS_TRVDLL_H_
#define TRV_GAME_EXPORTS_TRVDLL_H_

#include "game/db/db.h"
#include "game/maint/maint.h"
#include "game/money/money.h"
#include "game/session/frame.h"

#endif  // TRV_GAME_EXPORTS_TRVDLL_H_
