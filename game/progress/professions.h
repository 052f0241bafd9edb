// Professions: the titles of the five guilds, the profession raise that
// high experience buys, and the monastery's sins.
#ifndef TRV_GAME_PROGRESS_PROFESSIONS_H_
#define TRV_GAME_PROGRESS_PROFESSIONS_H_

#include <string>

#include "game/progress/attributes.h"

namespace trv::progress {

// High experience one profession level costs.
inline constexpr int kProfessionCost = 30;
// What every profession level adds, in every guild.
inline constexpr Attributes kProfessionGains = {2, 1, 1, 1, 3, 2, 3, 7, 5, 0};

// The title of `guild` at profession level `level`: levels 1 to 13 have
// their own, any other level the guild's last; "" for an unknown guild.
std::string ProfessionTitle(const std::string& guild, long long level);

enum class PromotionOutcome { kPromoted, kNotReady, kNoCharacter };

struct Promotion {
  PromotionOutcome outcome = PromotionOutcome::kNoCharacter;
  long long needed_more = 0;  // kNotReady: high experience still missing
  long long new_level = 0;
  std::string guild;
  Attributes now{};
};

// One write unit: re-reads ProfExp and, when it holds the cost, spends it,
// raises ProfLevel by one and adds kProfessionGains.
Promotion PromoteProfession(const std::string& user);

// One of the seven sins the monks forgive, with the reward it brings.
struct Sin {
  const char* name;    // as typed, in any case
  const char* reward;  // the assignment it adds to the row; nullptr: gold
  const char* told;    // what the caller is told (colour markup)
};
// The sin an answer names (in any case); nullptr when it names none.
const Sin* SinNamed(const std::string& answer);

// Gold that the sin of greed brings.
inline constexpr int kGreedGold = 20000;

enum class Penance {
  kForgiven,     // the sin's reward was given
  kWrong,        // no sin: the deed is spent all the same
  kNoDeeds,      // no good deed left: nothing changed
  kNoCharacter,  // the row is gone
};
// One write unit: re-reads GoodDeeds, and with one left spends it and
// gives the reward of the sin `answer` names.
Penance ConfessSin(const std::string& user, const std::string& answer);

}  // namespace trv::progress

#endif  // TRV_GAME_PROGRESS_PROFESSIONS_H_
