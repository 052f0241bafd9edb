// The experience a level costs, for the hunt's notice and the level masters.
#ifndef TRV_GAME_PLAYER_LEVEL_H_
#define TRV_GAME_PLAYER_LEVEL_H_

namespace trv::player {

// Experience a character of `level` needs for its next level: level ×
// config.LevelMultiplier, in 64 bits and saturating, so a high level under
// a large multiplier never wraps into an easy threshold. A level or a
// multiplier below 1 (an emptied options row, an edited character) counts
// as 1: a threshold of 0 would hand out levels for nothing.
long long LevelThreshold(long long level, long long multiplier);

// config.LevelMultiplier as stored (text, read leniently: 0 when missing).
long long LevelMultiplier();

// Whether the caller's Experience has reached the threshold of its Level.
bool CallerEligibleForLevelRaise();

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_LEVEL_H_
