// Wanted posters (table poster): gold set on a character's head in the
// alley, collected by whoever beats that character in the arena.
//
// A poster's Wanted and SetByUsername are character names (the setter's
// too, despite the column's name); Bounty is gold text (the alley stores
// it normalised: a typed "000100" is "100").
#ifndef TRV_GAME_PLAYER_BOUNTIES_H_
#define TRV_GAME_PLAYER_BOUNTIES_H_

#include <string>
#include <vector>

#include "game/money/Integer.h"

namespace trv::player {

struct Bounty {
  long long rowid = 0;  // the poster's own row
  std::string wanted;
  Purenum::Integer amount;  // read leniently; a debt or garbage is 0
  std::string set_by;       // the setter's character name
};

// The posters on `wanted` in the order they were put up; every poster
// when `wanted` is empty.
std::vector<Bounty> ReadBounties(const std::string& wanted = "");

// Puts up a poster of `amount` on `wanted`, set by the character named
// `set_by`. Run it inside the unit that took the setter's gold: a poster
// is gold already paid.
void PostBounty(const std::string& wanted, const Purenum::Integer& amount,
                const std::string& set_by);

struct BountyPayout {
  Purenum::Integer total;
  std::vector<Bounty> paid;  // what was paid, poster by poster
};
// Pays every poster on `wanted` to the gold on hand of `collector_user`
// and takes exactly those posters down (by their rows), in one write unit
// that joins an enclosing one: two nodes collecting at once pay each
// poster once, and a poster put up meanwhile stays for the next win.
// Nothing moves when the collector is gone.
BountyPayout CollectBounties(const std::string& wanted, const std::string& collector_user);

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_BOUNTIES_H_
