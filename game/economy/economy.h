// The town's economy: the bank with its underground safe, transfers
// between characters and the bank heist; the merchant wharves, where
// investments are built and sold, and the holdings page of the status
// screens. The amounts and write units behind them are accounts.h.
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

}  // namespace trv::economy

#endif  // TRV_GAME_ECONOMY_ECONOMY_H_
