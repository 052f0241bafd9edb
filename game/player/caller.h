// The caller of this process and his character: who he is, his row, where
// he is, and whether his session counts in the realm.
//
// The caller is found by the BBS user name the door kit read from the drop
// file (player.UserName); other players see his character name
// (player.PlayerName). Nothing here is cached: every read goes to the
// database, so a change made by another node is seen at once.
#ifndef TRV_GAME_PLAYER_CALLER_H_
#define TRV_GAME_PLAYER_CALLER_H_

#include <string>

#include "game/db/result_table.h"

namespace trv::player {

// The caller's BBS user name, as the door kit read it.
const char* CallerUserName();

// The caller's character name; "" when the caller has no character (not
// yet created, or deleted meanwhile).
std::string CallerPlayerName();

// Columns of the caller's row, named as in a SELECT ("PlayerName,Kingdom").
// Empty when the caller has no row: read it with Text/Int, which give ""
// and 0 there. The column list is code, never what a caller typed.
db::ResultTable CallerRow(const char* columns);
// One column of the caller's row as stored ("" for none or NULL).
std::string CallerText(const char* column);
// One column read as a number (0 for none, NULL or text).
long long CallerInt(const char* column);

// The caller's place text (player.WhereInGame) that the on-line lists show.
std::string CallerPlace();
void SetCallerPlace(const std::string& place);

// The session count (state.NumPlayers). PlayGame counts the caller in once
// and marks it; the exit hook and the character's deletion take it away
// again through UncountSession, which does so at most once per count and
// never below zero (a forced maintenance run may have cleared the count
// while callers played).
void SetSessionCounted(bool counted);
bool SessionCounted();
// Its own write unit; call it outside (after) any other unit, so a failing
// statement before it leaves the session still counted for the exit hook.
void UncountSession();
// The statement alone, for a unit that also marks the caller off-line: a
// door killed between the two would otherwise stay counted for good.
void TakeSessionFromCount();

// What the door does once the statement runner has followed a database
// file replaced under it (the sysop's world reset): a caller in the realm
// whose character is gone goes back to the BBS with a one-line notice
// instead of playing on with nothing. Registered with
// db::SetReplacedFileHandler.
void EndSessionAfterReset();

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_CALLER_H_
