// The dark alley (Main Street's S): crimes against other characters, the
// rogue guild, the bounty board, the escape over the border, the vice
// shops and the militia's recruiting speech.
//
// Every crime spends what it costs (an evil deed, gold) in the same write
// unit that does its harm, after the caller's last answer; the rows it
// changes are read again there, so a victim playing on another node loses
// exactly what the screens report. The write units are units.h, the rules
// rules.h.
#ifndef TRV_GAME_ALLEY_ALLEY_H_
#define TRV_GAME_ALLEY_ALLEY_H_

#include <string>

extern "C" {
// The alley's menu, Skins/ALLEY.ANS.
void EnterAlley(void);
}

namespace trv::alley {

struct ViceShop;

// The three crime menus.
void CriminalActions();
void RogueGuild();  // members of the rogue guild only
void BountyBoard();

// The frame every crime of the menus runs in: the deed, the victim list,
// the checks, then the crime of `kind` (CrimeKind, rules.h).
void CommitCrime(int kind);

// The rogue guild's theft from a caller who is on-line right now.
void Pickpocket();

// The emigration screen's attempt to cross the border out of `from`
// (kingdom::Immigrate takes it as its BorderEscape): spends one evil deed
// and returns whether the caller got over. An escape leaves every noble
// post the caller held.
bool BorderEscape(const std::string& from, const std::string& to);

// The vice shops: alley keys E, P and S.
void TemptationWorld();
void DrugPalace();
void SteroidShop();
// One purchase of item `n` (1 to 8) of a shop: one evil deed and its
// price for its effects. An overdose ends the caller's game.
void BuyVice(const ViceShop& shop, int n);

// The militia's recruiting speech: one evil deed for rand() % Leadership
// new soldiers (none for a Leadership of 0 or below). The militia screen
// lives below the alley, so it takes this as a parameter, as the
// emigration screen takes BorderEscape.
void MilitiaSpeech();

}  // namespace trv::alley

#endif  // TRV_GAME_ALLEY_ALLEY_H_
