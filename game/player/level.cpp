#include "game/player/level.h"

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/money/saturating.h"
#include "game/player/caller.h"

namespace trv::player {

long long LevelThreshold(long long level, long long multiplier) {
  return SaturatingMul(level < 1 ? 1 : level, multiplier < 1 ? 1 : multiplier);
}

long long LevelMultiplier() {
  return db::Query(db::kConfig, "SELECT LevelMultiplier FROM %s", db::TableName(db::kConfig))
      .Int(0, 0);
}

bool CallerEligibleForLevelRaise() {
  const db::ResultTable row = CallerRow("Level,Experience");
  if (row.empty()) return false;
  return row.Int(0, 1) >= LevelThreshold(row.Int(0, 0), LevelMultiplier());
}

}  // namespace trv::player
