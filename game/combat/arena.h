// The arena (Main Street's E) and the High Lord's title (the guild hall's
// X): a character fights another player's stored character, which need not
// be on-line; the game plays the opponent's side from its row.
//
// The winner takes the loser's gold on hand and a tenth of its experience,
// and a victory collects the bounties posted on the loser. Beating the High
// Lord takes the title too, which the record file keeps (high_lord.h).
// Every transfer is one write unit that moves what the loser holds at that
// moment, so two nodes beating the same off-line character at once take
// its gold once.
#ifndef TRV_GAME_COMBAT_ARENA_H_
#define TRV_GAME_COMBAT_ARENA_H_

#include <string>

#include "game/combat/arena_rules.h"
#include "game/money/Integer.h"
#include "game/player/bounties.h"

namespace trv::combat {

// Main Street's E: the rules, the list of opponents, the checks, the door
// guards of an inn patron and the fight.
void EnterArena();

// The guild hall's X: claims a vacant title without a fight, or challenges
// the holder (who must be off-line) to a title fight.
void ChallengeHighLord();

// --- The settlements of a fight's end, for the screens and for tests ---
// What moved, as it really moved.
struct Spoils {
  bool settled = false;  // false: a side is gone (deleted meanwhile), nothing moved
  std::string opponent_user;
  std::string opponent_name;  // as stored
  Purenum::Integer gold;
  long long experience = 0;
  Verdict verdict;  // what the victor's Divine and Leadership changed by
  player::BountyPayout bounties;
};
// How the victor of a plain arena fight dealt with the beaten opponent.
struct Judgement {
  bool executed = false;
  bool thumbs_up = false;  // the crowd's wish
};
// The caller beat the opponent (player.IDNum `opponent_id`): in one write
// unit the caller takes the opponent's gold on hand as it is now (a debt
// stays where it is), a tenth of its experience and 5 high experience,
// and counts the kill (the day's fight was spent as the fight began), the
// opponent counts a defeat, a
// `judgement` changes the caller's Divine and Leadership, and with
// `bounties` set the posters on the opponent are collected too.
Spoils SettleWin(const std::string& opponent_id, const Judgement* judgement, bool bounties);
// The opponent beat the caller: the same the other way round (no verdict,
// no bounties); the caller, fallen, rises again at full hit and magic
// points in the same unit.
Spoils SettleLoss(const std::string& opponent_id);

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_ARENA_H_
