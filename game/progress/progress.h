// Character progression: the level masters, the character status pages,
// the guild hall with its professions, and the rankings.
//
// Main Street opens them (V, Y, G, L, X); the shops' V and the hunt's Y
// open the status pages through the hook that game/town registers at
// start-up (combat::SetStatusScreen(progress::StatusPages)).
#ifndef TRV_GAME_PROGRESS_PROGRESS_H_
#define TRV_GAME_PROGRESS_PROGRESS_H_

#include <stddef.h>

#include <string>
#include <vector>

#include "game/place/place.h"

extern "C" {

// Main Street's V: the level masters' menu, until R.
void Leveling(void);

// Writes the profession title of `guild` at `level` into `title`, which
// holds kProfessionTitleSize bytes; "" for a guild that has none.
void ViewProfession(char* title, const char* guild, int level);
}

namespace trv::progress {

// Room for the longest title ("Enchanted Knight") and its terminator.
inline constexpr size_t kProfessionTitleSize = 17;

// The character status pages: the status page, and from it the equipment
// (E), investments (I) and kingdom (K) pages, each page's leaving key
// choosing the next; Enter on a page goes back to the status page, Enter
// on the status page returns to whoever opened it.
void StatusPages();

// Main Street's G: Skins/GUILD.ANS with the High Lord over it, on
// GuildHallKeys().
void GuildHall();
// The guild hall's keys, one row each (the key is also in GUILD.ANS's
// legend): a new guild house is one row here.
const std::vector<PlaceKey>& GuildHallKeys();

// The guild houses.
void ProfessionOffice();
void ProfessionRanking();
void Monastery();
void AlchemistLab();

// Main Street's L: the player rankings menu and its thirteen lists.
void PlayerRankings();
// Main Street's X: the kingdom rankings or the kingdom players list.
void KingdomRankingOptions();
void KingdomRankings();
void KingdomPlayers();

}  // namespace trv::progress

#endif  // TRV_GAME_PROGRESS_PROGRESS_H_
