// The battle that a coup and a war both fight: three rounds, a plan chosen
// by the attacker each round, a drawn plan for the defending army, and the
// losses of both sides written round by round.
//
// Each side's losses are drawn and written in one write unit that reads
// the side's row again first. A side whose row is gone or changed hands
// meanwhile (a kingdom renamed or destroyed by another node, an attacking
// ruler deposed) ends the battle there; nothing more is written. Only
// game/kingdom includes this.
#ifndef TRV_GAME_KINGDOM_BATTLE_H_
#define TRV_GAME_KINGDOM_BATTLE_H_

#include <string>

#include "game/kingdom/battle_rules.h"

namespace trv::kingdom {

// One side's row: a militia (the player row of its leader) or a kingdom's
// army (by its name and, when `ruler_user` is set, only while that user
// still rules it).
struct Side {
  bool militia = false;
  std::string name;  // the leader's user name, or the kingdom's name
  std::string ruler_user;
};

struct Totals {
  Units enemy_lost;  // the defender's
  Units own_lost;    // the attacker's
};

enum class BattleEnd {
  kFought,        // three rounds
  kAttackerGone,  // the attacker's row went or changed hands
  kDefenderGone,  // the defender's row went or changed hands
};

// Fights the three rounds of `attacker` (a militia for a coup, a kingdom's
// army for a war) against the kingdom `defender`. Draws from the C
// library generator, which the caller seeds. Shows the totals after the
// third round.
BattleEnd FightBattle(const Side& attacker, const Side& defender, Totals* totals);

// The empty throne of `kingdom`, claimed with the caller's militia in one
// unit only while it is still empty and the caller still lives there; the
// militia joins the army. A second claimant is told "Too late!" and keeps
// his militia. True when the caller now rules.
bool ClaimThrone(const std::string& kingdom);

// A news or letter title: bright red between shade brackets, then the
// lines in bright cyan.
std::string RedTitle(const char* title);
// A banner between shade brackets in `colour` (markup).
void Banner(const char* colour, const std::string& title);
// A letter, never to an empty user name (a vacant throne).
void Mail(const std::string& user, const std::string& title, const std::string& line1,
          const std::string& line2);
// A count with its digits grouped: "1,000".
std::string Grouped(long long value);
// rand() % n; 0 for n below 1.
long long RandomDraw(long long n);

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_BATTLE_H_
