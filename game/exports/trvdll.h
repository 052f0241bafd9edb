// The entry functions TRVDLL exports to the launcher.
#ifndef TRV_GAME_EXPORTS_TRVDLL_H_
#define TRV_GAME_EXPORTS_TRVDLL_H_

#include "game/alley/alley.h"
#include "game/combat/fight.h"
#include "game/combat/hunt.h"
#include "game/combat/items.h"
#include "game/combat/magic.h"
#include "game/combat/monsters.h"
#include "game/combat/quests.h"
#include "game/combat/spells.h"
#include "game/db/db.h"
#include "game/db/exclusive_file.h"
#include "game/kingdom/kingdom.h"
#include "game/maint/maint.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/progress/progress.h"
#include "game/town/frame.h"
#include "game/town/play.h"
#include "game/ui/closing.h"
#include "game/ui/game_directory.h"

#endif  // TRV_GAME_EXPORTS_TRVDLL_H_
