// The bounty board (table poster): one row per bounty, posted in the dark
// alley and paid by the arena to whoever defeats the wanted character.
//
// A bounty is gold its setter has already paid: the row holds it until the
// arena hands it on, so posting takes the setter's gold and inserts the row
// in one write unit, and paying reads and deletes the rows in one.
#ifndef TRV_GAME_PLAYER_POSTERS_H_
#define TRV_GAME_PLAYER_POSTERS_H_

#include <string>
#include <vector>

#include "game/money/Integer.h"

namespace trv::player {

struct Poster {
  std::string wanted;       // the wanted character's PlayerName
  Purenum::Integer bounty;  // read leniently: NULL, '' or garbage is 0
  std::string set_by;       // the setter's PlayerName
};

// Every poster, oldest first.
std::vector<Poster> ReadPosters();

// Inserts a poster; the amount is stored as normalised decimal text (a
// typed "000100" is "100"). Run it inside the unit that took the gold.
void AddPoster(const std::string& wanted, const Purenum::Integer& bounty,
               const std::string& set_by);

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_POSTERS_H_
