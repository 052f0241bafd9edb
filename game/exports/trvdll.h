// The entry functions TRVDLL exports to the launcher.
#ifndef TRV_GAME_EXPORTS_TRVDLL_H_
#define TRV_GAME_EXPORTS_TRVDLL_H_

#include "game/db/db.h"
#include "game/kingdom/kingdom.h"
#include "game/maint/maint.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/session/frame.h"
#include "game/session/play.h"

#endif  // TRV_GAME_EXPORTS_TRVDLL_H_
