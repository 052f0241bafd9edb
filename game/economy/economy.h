// The town's economy: the bank with its underground safe, transfers
// between characters and the bank heist; the merchant wharves, where
// investments are built and sold, and the holdings page of the status
// screens; the church, the healer's hut and the tavern with its inn. The
// amounts and write units behind them are accounts.h and town_units.h, the
// church's, healer's and tavern's rules town_rules.h.
#ifndef TRV_GAME_ECONOMY_ECONOMY_H_
#define TRV_GAME_ECONOMY_ECONOMY_H_

#include "game/player/investments.h"

namespace trv::economy {

// ---- The bank (Main Street's B) ----

// The bank menu, Skins/BANK.ANS with the gold on hand and the account.
void EnterBank();
// Moves between the purses of the caller, asked on one screen each.
void BankDeposit();   // gold on hand into the account
void BankWithdraw();  // the account to gold on hand
void SafeDeposit();   // gold on hand into the safe
void SafeWithdraw();  // the safe to gold on hand
// From the caller's account to another character's.
void BankTransfer();
// The underground safe's menu.
void EnterSafe();
// The robbery: three evil deeds for a 4 in 10 chance of $1,200,000.
void BankHeist();

// ---- The merchant wharves (Main Street's M) ----

// The wharves' menu, Skins/MERCHANT.ANS: legal kinds open their menu,
// illegal ones go straight to the purchase.
void EnterMerchant();
// The buy/sell menu of a legal kind.
void InvestmentMenu(const player::Investment& kind);
void BuyInvestment(const player::Investment& kind);
// Legal kinds only; an illegal kind cannot be sold and returns at once.
void SellInvestment(const player::Investment& kind);

// The holdings page of the status screens. Handles '.' and '=' itself and
// returns the key that leaves it: 'E' (equipment), 'K' (kingdom) or '\r'
// (back to the status page); 0 when the line is gone.
char ShowInvestments();

// ---- The church (Main Street's C) ----

// The church's menu, Skins/CHURCH.ANS.
void EnterChurch();
void BurnCandles();        // a good deed for a candle's boon, until R
void Worship();            // a good deed for a random boon
void GiveToThePoor();      // gold and a good deed for a random boon
void DonateToTheChurch();  // the same for the church's boons
void Marriage();           // the caller's marriage: proposal and divorce, until R
void Propose();
void MarriageRoll();    // every couple of the realm
void HolyItems();       // the blessed rings and necklaces, until R
void Murder();          // an evil deed for a dead man's purse
void StealTheTithes();  // three evil deeds for the tithes box, or the monks

// ---- The healer's hut (Main Street's H) ----

// The hut's menu, Skins/HEALER.ANS.
void EnterHealer();
void BuyHealingPotions();
void Heal();  // free, up to the maximum
void CureDisease();

// ---- The tavern (Main Street's T) ----

// The tavern's menu, Skins/TAVERN.ANS.
void EnterTavern();
// A room for the night with guards at the door; the game ends after it.
void TheInn();
void OldMansGame();  // a good deed for a wager, until R
void Bartender();    // his advice, until R
// Writes romantic mail to a character of the other sex.
void WriteRomanticMail();

// Called once at start-up: the romantic mail handler answers with the
// tavern's writer.
void RegisterTavern();

}  // namespace trv::economy

#endif  // TRV_GAME_ECONOMY_ECONOMY_H_
