// Gold: stored amounts read leniently, and the write units that move gold
// into, out of and between characters.
//
// Gold is decimal text of any length computed with Purenum::Integer. Other
// nodes change the same purses at the same time (a pickpocket, an arena
// win, a second session of the same user), so every change re-reads the
// purse under the write lock, re-checks and writes in one unit, and reports
// what really moved: a screen shows that, not what it asked for.
#ifndef TRV_GAME_PLAYER_GOLD_H_
#define TRV_GAME_PLAYER_GOLD_H_

#include <optional>
#include <string>

#include "game/money/Integer.h"

namespace trv::player {

// An amount stored as text: NULL, '' and anything that is not a decimal
// integer ("12a", "1e5", "+3") count as 0, so one damaged row cannot stop
// a screen or the day. Purenum::Integer itself throws on such text; use it
// only for what the caller typed and checked.
Purenum::Integer Amount(const char* text);
// The same with a negative value (a debt) raised to 0.
Purenum::Integer NonNegativeAmount(const char* text);

// Where a character keeps gold.
enum class Purse {
  kOnHand,      // player.Gold
  kBank,        // player.BankGold
  kDepository,  // player.Depository
};
const char* PurseColumn(Purse purse);

// The purse as stored, read leniently; nullopt when the character has no
// row. With WritePurse, for a place that reads, decides and writes inside
// its own write unit (burning an account, "all" of a purse).
std::optional<Purenum::Integer> ReadPurse(const std::string& user_name, Purse purse);
void WritePurse(const std::string& user_name, Purse purse, const Purenum::Integer& value);

// What a take does when the purse holds less than asked.
enum class Shortfall {
  kRefuse,           // nothing moves (a purchase, a deposit)
  kTakeWhatThereIs,  // what there is moves, down to 0; a debt stays as it
                     // is and nothing is taken from it (a theft, a loss)
};

enum class GoldOutcome {
  kMoved,        // `moved` went (it may be 0 with kTakeWhatThereIs)
  kNotEnough,    // refused: the purse holds less, or the amount was negative
  kNoCharacter,  // a character is gone (deleted meanwhile): nothing changed
};

struct GoldMove {
  GoldOutcome outcome = GoldOutcome::kNoCharacter;
  Purenum::Integer moved;  // 0 unless kMoved
  explicit operator bool() const { return outcome == GoldOutcome::kMoved; }
};

// Each is one write unit (BEGIN IMMEDIATE): re-read, re-check, write.
// Inside a unit the caller already runs they join it (as a savepoint), so
// a place can move gold and write its own columns atomically. No screen
// and no key wait happens inside.
//
// Adds `amount` (0 or more) to the purse of `user_name`.
GoldMove AddGold(const std::string& user_name, const Purenum::Integer& amount,
                 Purse purse = Purse::kOnHand);
// Takes `amount` (0 or more) from the purse of `user_name`.
GoldMove TakeGold(const std::string& user_name, const Purenum::Integer& amount,
                  Purse purse = Purse::kOnHand, Shortfall shortfall = Shortfall::kRefuse);
// Takes from one purse and adds what was taken to another, of the same
// character (a deposit) or of another (a theft, winnings). When the
// receiver is gone nothing moves at all.
GoldMove MoveGold(const std::string& from_user, Purse from, const std::string& to_user, Purse to,
                  const Purenum::Integer& amount, Shortfall shortfall = Shortfall::kRefuse);

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_GOLD_H_
