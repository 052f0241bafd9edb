// What the church's proposal and the tavern's romantic mail share: the
// list of the characters of the other sex to choose from, and letters of
// three lines. Not for other folders.
#ifndef TRV_GAME_ECONOMY_COURTSHIP_H_
#define TRV_GAME_ECONOMY_COURTSHIP_H_

#include <optional>
#include <string>

namespace trv::economy {

struct Sweetheart {
  std::string id;    // IDNum
  std::string name;  // PlayerName as stored
  std::string user;  // UserName
};

// Lists the characters of the other sex with their charm, ten to a page,
// and asks for an ID. `self_refusal` (colour markup) is told when the caller
// names himself. nullopt for Enter, the caller's own ID or one not listed.
std::optional<Sweetheart> ChooseSweetheart(const char* self_refusal);

// Three lines typed by the caller (cleaned), each after "LineN: " with the
// text in `colour` ("bright white").
struct Letter {
  std::string line[3];
};
Letter WriteLetter(const char* colour);

// Sends request `kind` from the caller to the sweetheart when the character
// is still his (not deleted meanwhile); false otherwise.
bool SendToSweetheart(const Sweetheart& to, const Letter& letter, int kind);

}  // namespace trv::economy

#endif  // TRV_GAME_ECONOMY_COURTSHIP_H_
