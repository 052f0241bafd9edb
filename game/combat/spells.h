// Spells (Data/magic.dat): the one casting rule every fighter follows, the
// caller's spell offer before or during a fight, and the arena's casts.
//
// A character knows up to four spells (player.Magic1 to Magic4, by name)
// and casts them with magic points (player.MagicPower). A spell's record
// is looked up by name in the spell file at each cast.
#ifndef TRV_GAME_COMBAT_SPELLS_H_
#define TRV_GAME_COMBAT_SPELLS_H_

#include <array>
#include <string>
#include <vector>

#include "game/combat/data_file.h"

namespace trv::combat {

inline constexpr char kSpellFile[] = "Data/magic.dat";
inline constexpr int kSpellSlots = 4;
// name, price, power, cost, book.
extern const DataFormat kSpellFormat;

struct Spell {
  std::string name;     // stored in Magic1..Magic4
  std::string price;    // gold text
  long long power = 0;  // a cast deals rand() % power
  long long cost = 0;   // magic points a cast spends
  std::string book;     // the spell book's number, as text
};
using SpellTable = std::vector<Spell>;

// The spell file read afresh; a missing file ends the door.
SpellTable ReadSpells(const char* path = kSpellFile);
// The table of the last read_magicdata call.
const SpellTable& SpellsRead();
// The first spell of the name; nullptr for "" and unknown names.
const Spell* FindSpell(const SpellTable& spells, const std::string& name);

// --- The casting rule, for every fighter ---
struct SpellCast {
  bool cast = false;  // false: too few magic points, nothing spent
  long long damage = 0;
  long long cost = 0;  // spent when cast
};
// With fewer magic points than the cost nothing happens. Otherwise the
// damage is rand() % power (one draw; a power below 1 deals 0 without a
// draw) and the cost is spent.
SpellCast CastSpell(const Spell& spell, long long magic_points);

// The slot (1-4) a newly learned spell goes to: the first empty one, or
// Magic1 when all four are known (the oldest is forgotten).
int SlotForNewSpell(const std::array<std::string, kSpellSlots>& known);

// --- The caller's casts ---
// The offer before hand-to-hand combat: lists the known spells with their
// keys and the magic points, reads 1-4 or Enter. Returns the slot of a
// known spell, 0 for Enter, an empty slot or a caller without spells.
int OfferSpell();
// Casts the caller's spell of slot 1-4 by the rule, re-reading and
// spending the magic points in one write unit; tells the caller when the
// points fall short. The spell's name comes back in *spell_name.
SpellCast CallerCasts(int slot, std::string* spell_name);

// An arena opponent's side of a fight: its row and what it has left.
struct ArenaOpponent {
  std::string id;    // player.IDNum
  std::string name;  // player.PlayerName
  long long hp = 0;
  long long magic_points = 0;
};
// The challenger's spell (the offer, then the cast). Lowers the opponent's
// hit points; returns true when they fell to 0 or below. The caller
// decides what the fall means (a win, a title).
bool CastInArena(ArenaOpponent& opponent);
// The opponent casts the spell of its highest known slot when its magic
// points reach the cost; the caller's HP drop. Returns true when the
// caller's HP fell to 0 or below.
bool OpponentCasts(ArenaOpponent& opponent);

}  // namespace trv::combat

extern "C" {
// Reads the spell file at `path` into the table kept until the next call
// and returns the number of spells; a missing file ends the door.
int read_magicdata(const char* path);
}

#endif  // TRV_GAME_COMBAT_SPELLS_H_
