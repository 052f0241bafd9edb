// Presence and messaging: who is in the realm and where, node messages,
// news, mail and requests, the tavern's ledger and the chat room.
//
// Nodes share nothing in memory; every message is a row that the sender's
// process inserts and the recipient's process reads (and, for node
// messages, mail and requests, deletes) on its next poll.
#ifndef TRV_GAME_MESSAGING_MESSAGING_H_
#define TRV_GAME_MESSAGING_MESSAGING_H_

#include <functional>
#include <string>

#include "game/db/result_table.h"

extern "C" {

// ---- Presence and node messages ----

// The poll every menu loop runs first: node messages, then mail, then
// requests, each reader only when the caller has rows for it. A reader that
// is already running (a request handler's screen polling again) is skipped.
void Check_For_Msgs(void);
// Shows and deletes the caller's node messages in posting order.
void NodeMsgs(void);
// The on-line list with telegram writing (the "." key).
void WhoOnline(void);
// The list of the others on-line, shown once on entering the realm.
void ListOnlineAtEntry(void);
// The tavern's list of every character with personal-message writing.
void WriteToPlayer(void);

// ---- News, mail and requests ----

// Posts a news item of today.
void AddNews(const char* title, const char* line1, const char* line2);
// The news of "today" or "yesterday", four items to a page.
void ShowNews(const char* day);
// Leaves a letter for a user name.
void AddPersonal(const char* userName, const char* title, const char* line1, const char* line2);
// Leaves a request of a kind (1 to 13) for a user name, from the caller.
void AddRequest(const char* userName, const char* line1, const char* line2, const char* line3,
                int kind);
// Shows and deletes the caller's letters, four to a page.
void Personal(void);
// Runs the caller's requests, oldest first, each through its kind's handler.
void Request(void);

// ---- The tavern's chat ledger and news pen ----

// Appends a post by the caller to the tavern's ledger.
void AddChat(const char* line1, const char* line2);
// The ledger's last five posts, with P to post.
void ChatLedger(void);
// Writes a two-line post to the ledger.
void PostChat(void);
// Writes a two-line news item signed with the caller's name.
void PenNews(void);

// ---- The chat room ----

// The caller's whole stay in the chat room; returns on Ctrl-Q. The caller
// is a patron ("In Chat Room") while inside; a caller who came from any
// other place gets that place back on leaving.
void BeginChat(void);
// The chat room's frame: title, commands and the input line.
void DrawChatWin(void);
}

namespace trv {

// Node message types.
enum NodeMessage {
  kLeftRealm = 0,
  kEnteredRealm = 1,
  kTelegram = 2,
  kEnteredChat = 3,
  kLeftChat = 4,  // shown when it comes; nothing posts it
};

// Posts a node message of `type` (0, 1 or 3) to every other on-line user,
// signed with the caller's character name. A caller without a character
// tells nobody.
void Broadcast(int type);

// ---- The shared player list ----

// How one list looks; rows are (IDNum, Gender, PlayerName, Level,
// WhereInGame) in that order.
struct PlayerListStyle {
  // Written at the top of each page, colour included (ANSI sequences).
  std::string title;
  // The column head begins on a new line after the title ("\n\n\r").
  bool head_after_blank_lines = true;
  // An empty place shows as "Offline" in bright red.
  bool offline_label = false;
  // The column head in bright white; nullptr: the lists' usual one.
  const char* column_head = nullptr;
};

// Clears the screen and writes the page's title, column head and rule,
// leaving the cursor at row 4, column 1.
void PlayerListHead(const PlayerListStyle& style);
// One row of the list: ID, sex letter, name, level, place.
void PlayerListRow(const db::ResultTable& rows, int row, const PlayerListStyle& style);
// The whole list, ten rows to a page with "Continue (y/n)?" after each
// tenth. Returns false when the caller answered n.
bool ShowPlayerList(const db::ResultTable& rows, const PlayerListStyle& style);
// The prompt under a list, "Enter Player ID# <Enter to Exit>: ", and up to
// four digits; "" when the caller pressed Enter alone.
std::string AskPlayerId();

// ---- Request handlers ----

// Called with the request's Line1, Line2, Line3, SenderPlayerName and
// SenderUserName as stored (clean them with CleanText before showing them).
// The request row is gone before the handler runs, so it runs once; mail
// and requests that arrive meanwhile wait for their own readers.
using RequestHandler = std::function<void(const char* line1, const char* line2, const char* line3,
                                          const char* sender_player, const char* sender_user)>;

// Sets the handler of a request kind (1 to 13); false outside that range.
// Kinds 1 (marriage proposal) and 2 (romantic mail) have handlers from the
// start; a kind without a handler is deleted unread. Libraries that add
// kinds register them before the first poll (a TRVDLL start-up hook or a
// static registrar in a unit that TRVDLL takes whole); an empty handler
// removes one.
bool SetRequestHandler(int kind, RequestHandler handler);

// The tavern's romantic mail writer, which the romantic mail handler opens
// when the reader wants to answer. Without one the letter is only shown.
void SetRomanticMailWriter(std::function<void()> writer);

// Today's date as "Mmmmmmmmm DD, YYYY" (month name left in nine columns).
std::string LongDate();

}  // namespace trv

#endif  // TRV_GAME_MESSAGING_MESSAGING_H_
