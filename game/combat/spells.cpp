#include "game/combat/spells.h"

#include <stdlib.h>

#include "doorkit/doorkit.h"
#include "game/combat/data_file.h"
#include "game/combat/shop_parts.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/money/saturating.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::combat {

const DataFormat kSpellFormat{99, {28, 99, 14, 14, 2}};

namespace {

using namespace ansi;

SpellTable g_spells_read;

std::string SlotColumn(int slot) { return "Magic" + std::to_string(slot); }

}  // namespace

SpellTable ReadSpells(const char* path) {
  const DataFile file = ReadGameDataFile(path, kSpellFormat);
  SpellTable spells;
  spells.reserve(file.records.size());
  for (const DataRecord& r : file.records)
    spells.push_back({r[0], r[1], DataNumber(r[2]), DataNumber(r[3]), r[4]});
  return spells;
}

const SpellTable& SpellsRead() { return g_spells_read; }

const Spell* FindSpell(const SpellTable& spells, const std::string& name) {
  return FindByName(spells, name);
}

SpellCast CastSpell(const Spell& spell, long long magic_points) {
  SpellCast result;
  if (magic_points < spell.cost) return result;
  result.cast = true;
  result.cost = spell.cost;
  // A power of 0 (or text) in an edited file deals nothing instead of
  // dividing by zero; the cost is still spent.
  if (spell.power >= 1) result.damage = rand() % spell.power;
  return result;
}

int SlotForNewSpell(const std::array<std::string, kSpellSlots>& known) {
  for (int slot = 1; slot <= kSpellSlots; ++slot)
    if (known[slot - 1].empty()) return slot;
  return 1;
}

int OfferSpell() {
  db::ResultTable row = player::CallerRow("Magic1,Magic2,Magic3,Magic4,MagicPower,MaxMagicPower");
  od_printf("\n\n\r`bright yellow`Before hand to hand combat begins, you have a small amount");
  od_printf(
      "\n\rtime to cast a spell! \n\n\rNext to the spell name is the # key to press to cast..");
  std::string list;
  for (int slot = 1; slot <= kSpellSlots; ++slot) {
    const std::string name = CleanText(row.Text(0, slot - 1));
    if (name.empty()) continue;
    list += std::string(list.empty() ? "\n\n\r" : "     ") + kBrightMagenta + name + " " +
            kDarkGreen + "[" + kBrightYellow + std::to_string(slot) + kDarkGreen + "]";
  }
  Emu(list);
  Emu(std::string("\n\n\r") + kBrightCyan + "Magic Power: " + kBrightWhite +
      Grouped(row.Int(0, 4)) + kDarkGreen + "/" + kBrightWhite + Grouped(row.Int(0, 5)));
  Emu(std::string("\n\r") + kBrightCyan + kShades + " Enter Spell # Or <Hit " + kBrightYellow +
      "Enter " + kBrightCyan + "to not cast>: ");
  const char key = od_get_answer("1234\r");
  if (key < '1' || key > '4') return 0;
  const int slot = key - '0';
  return *row.Text(0, slot - 1) ? slot : 0;  // an empty slot casts nothing
}

SpellCast CallerCasts(int slot, std::string* spell_name) {
  SpellCast result;
  if (slot < 1 || slot > kSpellSlots) return result;
  const std::string name = player::CallerText(SlotColumn(slot).c_str());
  const SpellTable spells = ReadSpells();
  const Spell* spell = FindSpell(spells, name);
  if (spell == nullptr) return result;
  if (spell_name) *spell_name = name;
  db::RunWriteUnit([&] {
    result = CastSpell(*spell, player::CallerInt("MagicPower"));
    if (!result.cast) return false;
    db::Exec(db::kPlayer, "UPDATE %s SET MagicPower=MagicPower-%lld WHERE UserName=%Q",
             db::TableName(db::kPlayer), result.cost, player::CallerUserName());
    return true;
  });
  if (!result.cast)
    od_printf("\n\n\r`bright yellow`You do not have enough magic points to cast this spell!");
  return result;
}

bool CastInArena(ArenaOpponent& opponent) {
  const int slot = OfferSpell();
  if (slot == 0) return false;
  std::string spell;
  const SpellCast cast = CallerCasts(slot, &spell);
  if (!cast.cast) return false;
  const std::string name = CleanText(opponent.name);
  od_printf(
      "\n\n\r`bright magenta`%s `bright blue`spell hits `bright yellow`%s `bright blue`for %s "
      "pts of damage",
      CleanText(spell).c_str(), name.c_str(), Grouped(cast.damage).c_str());
  opponent.hp = SaturatingSub(opponent.hp, cast.damage);
  if (opponent.hp > 0) return false;
  od_printf("\n\r`bright red`Your spell DESTROYS %s...", name.c_str());
  return true;
}

bool OpponentCasts(ArenaOpponent& opponent) {
  db::ResultTable row =
      db::Query(db::kPlayer, "SELECT Magic1,Magic2,Magic3,Magic4 FROM %s WHERE IDNum=%Q",
                db::TableName(db::kPlayer), opponent.id.c_str());
  std::string known;
  for (int slot = kSpellSlots; slot >= 1 && known.empty(); --slot) known = row.Text(0, slot - 1);
  const SpellTable spells = ReadSpells();
  const Spell* spell = FindSpell(spells, known);
  if (spell == nullptr) return false;  // no spell, or the row is gone
  const SpellCast cast = CastSpell(*spell, opponent.magic_points);
  if (!cast.cast) return false;
  opponent.magic_points = SaturatingSub(opponent.magic_points, cast.cost);
  const std::string name = CleanText(opponent.name);
  od_printf(
      "\n\n\r`bright red`%s `bright blue`%s's `bright yellow`%s `bright blue`spell hits you "
      "for `bright white`%s `bright blue`pts",
      kShades, name.c_str(), CleanText(known).c_str(), Grouped(cast.damage).c_str());
  db::Exec(db::kPlayer, "UPDATE %s SET HP=HP-%lld WHERE UserName=%Q", db::TableName(db::kPlayer),
           cast.damage, player::CallerUserName());
  if (player::CallerInt("HP") > 0) return false;
  od_printf("\n\r`bright red`%s's %s spell DESTROYS you!!", name.c_str(), CleanText(known).c_str());
  return true;
}

}  // namespace trv::combat

int read_magicdata(const char* path) {
  trv::combat::g_spells_read = trv::combat::ReadSpells(path);
  return static_cast<int>(trv::combat::g_spells_read.size());
}
