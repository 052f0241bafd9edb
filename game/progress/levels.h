// Level raises: the level masters' eight trainings, the raise itself as one
// write unit, and the tournament a raise can win.
#ifndef TRV_GAME_PROGRESS_LEVELS_H_
#define TRV_GAME_PROGRESS_LEVELS_H_

#include <string>

#include "game/progress/attributes.h"

namespace trv::progress {

// High experience that every level raise earns.
inline constexpr int kRaiseProfExp = 2;

struct Training {
  char key;          // '1' to '8' on the menu
  const char* name;  // padded to one column
  const char* description;
  Attributes gains;  // fixed gains; the random training draws its own
  bool random = false;
};
inline constexpr int kTrainingCount = 8;
extern const Training kTrainings[kTrainingCount];

// The training of a menu key; nullptr for any other key.
const Training* TrainingFor(char key);

// The random training's gains, drawn in attribute order: rand() % 6 for
// each, except Agility % 3 and Magic Points % 8.
Attributes RandomGains();

enum class RaiseOutcome {
  kRaised,
  kNotReady,     // the experience falls short of the threshold
  kNoCharacter,  // the row is gone
};

struct LevelRaise {
  RaiseOutcome outcome = RaiseOutcome::kNoCharacter;
  long long needed_more = 0;  // kNotReady: experience still missing
  long long new_level = 0;
  Attributes gains{};  // what the raise added
  Attributes now{};    // the attributes after it
};

// The raise of `user` with a training, as one write unit: the options row
// is ensured, Level and Experience are read again, and only when the
// experience reaches Level × LevelMultiplier does the level rise by one,
// the gains (relative) and the high experience go on, health and magic
// fill up and the threshold's experience is spent. A second session or an
// arena loss between the menu and the unit can therefore neither buy two
// levels with one threshold nor leave the experience below zero. Random
// gains are drawn inside the unit, only for a raise that happens.
LevelRaise RaiseLevel(const std::string& user, const Training& training);

// Whether a raise to `new_level` wins the running tournament: in
// tournament mode "1", with a MaxLevel of 1 or more (a date tournament
// stores 0 and is won by nobody's level), once the new level reaches it.
bool CrownsTournament(const std::string& mode, long long max_level, long long new_level);

}  // namespace trv::progress

#endif  // TRV_GAME_PROGRESS_LEVELS_H_
