// The spell places of the guild road and the alchemist's poisons.
//
// The guild hall opens them; each is a menu of spell books, and a book is
// a counter that sells its spells (one write unit: gold re-read and
// re-checked, the spell written to the first free of Magic1..Magic4, or
// over Magic1 when all four are known).
#ifndef TRV_GAME_COMBAT_MAGIC_H_
#define TRV_GAME_COMBAT_MAGIC_H_

#include <string>
#include <vector>

#include "game/combat/data_file.h"

namespace trv::combat {

// Open to all: the Ice, Fireball and Lighting books (0-2).
void PublicMagic();
// Guild "Black Art" only: books 3-6.
void BlackMagicGuild();
// Guild "White Art" only: books 7-10.
void WhiteMagicGuild();
// Lists the spells of one book (0-10), six to a page, and teaches one.
void SpellShop(int book);
// The caller's four known spells.
void MagicBook();

// --- Poisons (Data/poison.dat), an arena weapon ---
inline constexpr char kPoisonFile[] = "Data/poison.dat";
// name, price, poison power.
extern const DataFormat kPoisonFormat;

struct Poison {
  std::string name;
  std::string price;  // gold text
  int power = 0;      // damage added every turn once it took
};
using PoisonTable = std::vector<Poison>;

// The poison file read afresh; a missing file ends the door.
PoisonTable ReadPoisons(const char* path = kPoisonFile);
const PoisonTable& PoisonsRead();

// Lists the poisons ten to a page and sells one: the caller's PoisonLevel
// becomes its power, also when that is lower than before.
void PoisonShop();

}  // namespace trv::combat

extern "C" {
// Reads the poison file at `path` into the table kept until the next call
// and returns the number of poisons; a missing file ends the door.
int read_poisondata(const char* path);
}

#endif  // TRV_GAME_COMBAT_MAGIC_H_
