// The public magic training area, the black and white magic guilds, their
// spell books and the caller's magic book.
#include "game/combat/magic.h"

#include <array>
#include <functional>

#include "doorkit/doorkit.h"
#include "game/combat/shop_parts.h"
#include "game/combat/spells.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::combat {
namespace {

constexpr int kBooks = 11;
constexpr int kSpellPage = 6;

// Each book's description, as colour markup, shown above its spells.
const char* const kBookTexts[kBooks] = {
    "\n\n\r`bright cyan`These spells are the weakest of the available public"
    "\n\rspells, cold and simple to learn. A beginner's frost will not slay"
    "\n\ra dragon, but it keeps the rats of the meadows at bay."
    "\n\rEach spell here requires 20 magic points to cast..",

    "\n\n\r`bright magenta`These spells are the 2nd strongest of the available public"
    "\n\rspells. Fire is harder to master than frost and hungrier for magic,"
    "\n\rbut few creatures of the forests stand long against it."
    "\n\rEach spell here requires 60 magic points to cast..",

    "\n\n\r`bright cyan`These spells are the most powerful of the available public"
    "\n\rspells. The storm answers only those with great reserves of magic,"
    "\n\rand strikes down what no blade can reach."
    "\n\rEach spell here requires 200 magic points to cast..",

    "\n\n\r`bright red`These spells are the weakest of the available black"
    "\n\rmagic, yet each carries a curse that eats at the flesh of your foe."
    "\n\rThey cost little to cast and are the first lessons of every sorcerer..",

    "\n\n\r`bright red`Fireball spells are pretty difficult to cast, however"
    "\n\rthe flames of the black tower burn hotter than any taught on the road,"
    "\n\rand leave nothing of their target but ash and a bitter smell..",

    "\n\n\r`bright red`These spells provide the black magic guild with"
    "\n\rits most feared weapons: pain that twists bone and boils blood. Only a"
    "\n\rsorcerer of deep magic can cast them more than once in a fight..",

    "\n\n\r`bright red`This is the most powerful spell known in existance for"
    "\n\rthe black arts. It tears its victim from the world in one terrible"
    "\n\rblast, and drains the caster nearly dry..",

    "\n\n\r`bright cyan`The weaker of the White magic books, however they"
    "\n\rare pure and quick to learn. Every Sage begins here, calling light"
    "\n\rdown upon the servants of darkness."
    "\n\rEach spell here requires 20 magic points to cast....",

    "\n\n\r`bright cyan`The second tier of the White magic books, they"
    "\n\rcall upon the favour of the gods themselves. Their wrath is slow to"
    "\n\rgather but terrible to behold."
    "\n\rEach spell here requires 60 magic points to cast....",

    "\n\n\r`bright cyan`The most powerful and most reliably spell book"
    "\n\rof the white guild. Angels answer these words, and the strongest"
    "\n\rdemons of the realm fall before them."
    "\n\rEach spell here requires 200 magic points to cast....",

    "\n\n\r`bright cyan`Holy Strike is the greatest gift the gods have given"
    "\n\rthe white magic arts. The amount of magic power to cast this spell"
    "\n\ris immense, but no evil in the realm can stand before it..",
};

// A book on a guild's menu: its key, its number and its menu line.
struct BookKey {
  char key;
  int book;
  const char* line;
};

// One spell place: the guild it admits (nullptr: everyone), the refusal,
// the page and its books.
struct SpellPlace {
  const char* guild;
  const char* refusal;
  const char* page;
  std::vector<BookKey> books;
  const char* return_line;
};

void RunSpellPlace(const SpellPlace& place) {
  if (place.guild && player::CallerText("Guild") != place.guild) {
    od_clr_scr();
    od_printf("%s", place.refusal);
    od_printf("\n\n\r`bright yellow`%s", ShadeTitle("Press Any Key").c_str());
    WaitKey();
    return;
  }
  std::vector<PlaceKey> keys;
  for (const BookKey& b : place.books) {
    const int book = b.book;
    keys.push_back({b.key, nullptr, [book] { SpellShop(book); }});
  }
  keys.push_back({'R', nullptr, nullptr, true});
  keys.push_back({'\r', nullptr, nullptr, true});
  PlaceScreen screen;
  screen.draw = [&place] {
    od_printf("%s", place.page);
    for (const BookKey& b : place.books) od_printf("%s", b.line);
    od_printf("%s", place.return_line);
    od_printf("\n\n\r`dark green`Thou Selection: ");
  };
  RunPlace(screen, keys);
}

// Writes the spell over the slot SlotForNewSpell picks.
bool WriteSpell(const Spell& spell) {
  db::ResultTable row = player::CallerRow("Magic1,Magic2,Magic3,Magic4");
  std::array<std::string, kSpellSlots> known;
  for (int slot = 0; slot < kSpellSlots; ++slot) known[slot] = row.Text(0, slot);
  db::Exec(db::kPlayer, "UPDATE %s SET Magic%d=%Q WHERE UserName=%Q", db::TableName(db::kPlayer),
           SlotForNewSpell(known), spell.name.c_str(), player::CallerUserName());
  return true;
}

void CannotAfford() {
  od_printf("\n\r`bright red`Sorry, you can't afford to learn this spell...");
  WaitKey();
}

}  // namespace

void PublicMagic() {
  static const SpellPlace kPublic{
      nullptr,
      nullptr,
      "`bright white`\260\261\262 Public Magic \262\261\260"
      "\n\n\r`bright cyan`At the public magic training area everyone can purchase"
      "\n\rspells, warriors and thieves alike. They are not the strongest spells"
      "\n\rof the realm, but they will serve you well until you become"
      "\n\ra more powerful magic user.."
      "\n\n\r`bright red`TIP:"
      "\n\r`bright cyan`If you are a member of the Spellcaster guild, it is not recommended that"
      "\n\ryou buy your spells here, instead buy them at your respective guild house.."
      "\n\n\r`dark magenta`\260\261\262 Spell Books:",
      {{'I', 0, "\n\n\r`dark green`[`bright yellow`I`dark green`]ce Spell Book"},
       {'F', 1, "\n\r`dark green`[`bright yellow`F`dark green`]ireball Spell Book"},
       {'L', 2, "\n\r`dark green`[`bright yellow`L`dark green`]ighting Spell Book"}},
      "\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Guild Road",
  };
  RunSpellPlace(kPublic);
}

void BlackMagicGuild() {
  static const SpellPlace kBlack{
      "Black Art",
      "`bright blue`\260\261\262 `bright yellow`Denied Entrance `bright blue`\262\261\260"
      "\n\n\r`bright green`You are not a member of the black magic guild, and were denied entrance"
      "\n\rby the guards. You hear spells being used and cries of pain"
      "\n\rfrom inside the tower..",
      "`grey`\260\261\262 Black Magic \262\261\260"
      "\n\n\r`dark red`Only Sorcerers who wish to study black magic can enter this"
      "\n\rtower. Within its blackened walls are taught the darkest, most cruel"
      "\n\rand most powerful spells available in the realm.."
      "\n\n\r`dark blue`\260\261\262 Spell Books:",
      {{'E', 3, "\n\n\r`dark green`[`bright yellow`E`dark green`]vil Spell Book"},
       {'F', 4, "\n\r`dark green`[`bright yellow`F`dark green`]ireball Spell Book"},
       {'P', 5, "\n\r`dark green`[`bright yellow`P`dark green`]ain Spell Book"},
       {'A', 6, "\n\n\r`dark green`[`bright yellow`A`dark green`]nniliation Spell"}},
      "\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Guild Road",
  };
  RunSpellPlace(kBlack);
}

void WhiteMagicGuild() {
  static const SpellPlace kWhite{
      "White Art",
      "`bright blue`\260\261\262 `bright yellow`Denied Entrance `bright blue`\262\261\260"
      "\n\n\r`bright green`You are not a member of the white magic guild, and were denied entrance"
      "\n\rby the guards. You hear spells being used and wonderful words of"
      "\n\rmagic..",
      "`bright white`\260\261\262 White Magic \262\261\260"
      "\n\n\r`dark magenta`Sage and Paladins who are pure of heart can enter into"
      "\n\rthis guild. Here the white arts are taught: spells of light and"
      "\n\rjudgement, the bane of every"
      "\n\revil in the realm!"
      "\n\n\r`dark blue`\260\261\262 Spell Books:",
      {{'C', 7, "\n\n\r`dark green`[`bright yellow`C`dark green`]lergy Spell Book"},
       {'D', 8, "\n\r`dark green`[`bright yellow`D`dark green`]ivine Spell Book"},
       {'P', 9, "\n\r`dark green`[`bright yellow`P`dark green`]ower Spell Book"},
       {'H', 10, "\n\n\r`dark green`[`bright yellow`H`dark green`]oly Strike Spell"}},
      "\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Guild Road",
  };
  RunSpellPlace(kWhite);
}

void SpellShop(int book) {
  if (book < 0 || book >= kBooks) return;
  od_clr_scr();
  od_printf("%s", kBookTexts[book]);
  od_printf("\n\n\r`dark green`Gold: $`bright white`%s", Grouped(CallerGold()).c_str());
  od_printf("\n\n\r`bright yellow`### Name:                     Price:");
  const SpellTable spells = ReadSpells();
  const std::string this_book = std::to_string(book);
  const ListPaging paging{kSpellPage, "\n\r`yellow`Continue? (Y/n) or (L)earn Spell", 'L', {}};
  const bool stayed = ListPaged(spells.size(), paging, [&](size_t i) {
    if (spells[i].book != this_book) return false;
    ShowPriceRow(i, spells[i].name, spells[i].price);
    return true;
  });
  if (!stayed) return;
  od_printf("\n\n\r`bright green`Learn which spell: ");
  const int index = ReadTypedNumber(4);
  if (index < 0 || index >= static_cast<int>(spells.size())) return;
  const Spell& spell = spells[index];
  od_printf("\n\r`dark green`Learn thee `bright magenta`%s `dark green`spell %s",
            CleanText(spell.name).c_str(), YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  if (player::Amount(spell.price.c_str()) > CallerGold()) {
    CannotAfford();
    return;
  }
  if (spell.book != this_book) {
    od_printf("\n\r`bright red`Sorry, that spell is not in the list...");
    WaitKey();
    return;
  }
  const Payment paid = PayFor(spell.price, [&] { return WriteSpell(spell); });
  if (paid == Payment::kCannotAfford) CannotAfford();
  if (paid != Payment::kPaid) return;
  od_printf("\n\n\r`bright yellow`\260\261\262 MAGICAL SPELL LEARNED \262\261\260");
  od_printf("\n\n\r`grey`Par-salin the head of the magic order hands you the spell");
  od_printf("\n\rparchment you purchased. You read and memorize the words");
  od_printf("\n\rgetting the exact phrases and sound pitch perfect. You feel");
  od_printf("\n\rthe power flow through your body as the spell becomes part of your being..");
  PressAnyKey();
}

void MagicBook() {
  db::ResultTable row = player::CallerRow("Magic1,Magic2,Magic3,Magic4");
  od_clr_scr();
  od_printf("\n\n\r`dark green`Your Magic Book Contains:");
  for (int slot = 1; slot <= kSpellSlots; ++slot)
    od_printf("\n\r          `bright white`%d. `bright magenta`%s", slot,
              CleanText(row.Text(0, slot - 1)).c_str());
  WaitKey();
}

}  // namespace trv::combat
