// The place menu: the loop every menu screen of the game runs on.
//
// A place is a screen (a Skins/ file, figures drawn over it, a cursor cell
// for the prompt) and a table of keys. Each pass writes the caller's place
// text, polls for messages, draws the screen and waits for one key of the
// table, in either case; '.' (who is on-line) and '=' (the chat room) work
// on every place as the new-player welcome promises. A new place is one
// table:
//
//   void EnterBank() {
//     static const std::vector<PlaceKey> kKeys = {
//         {'D', nullptr, Deposit},
//         {'W', nullptr, Withdraw},
//         {'R', nullptr, nullptr, /*leaves=*/true},
//     };
//     PlaceScreen screen{"At the Bank", "Skins/BANK.ANS", 23, 14};
//     screen.draw = ShowBalances;
//     RunPlace(screen, kKeys);
//   }
#ifndef TRV_GAME_PLACE_PLACE_H_
#define TRV_GAME_PLACE_PLACE_H_

#include <functional>
#include <vector>

namespace trv {

// One key of a place.
struct PlaceKey {
  char key;                      // upper case or a symbol; '\r' is Enter
  const char* where;             // written to WhereInGame before the action; nullptr: unchanged
  std::function<void()> action;  // empty: nothing (Enter to redraw, R to leave)
  bool leaves = false;           // RunPlace returns after the action
};

struct PlaceScreen {
  PlaceScreen(const char* where_text = nullptr, const char* skin_file = nullptr, int prompt_row = 0,
              int prompt_column = 0)
      : where(where_text), skin(skin_file), row(prompt_row), column(prompt_column) {}

  // Written to WhereInGame at the top of every pass; nullptr: left alone
  // (a page inside another place).
  const char* where = nullptr;
  // Sent after the screen is cleared; nullptr: none.
  const char* skin = nullptr;
  // The prompt's cursor cell; 0: wherever the drawing left the cursor.
  int row = 0;
  int column = 0;
  // Draws after the skin (figures over the art, or the whole page).
  std::function<void()> draw;
  // Check_For_Msgs on every pass, before the screen is cleared. A page
  // reached from a screen that has just polled may leave it out.
  bool poll_messages = true;
  // '.' and '=' on this place; a key of the table with the same character
  // takes its place.
  bool global_keys = true;
  // Asked at the top of every pass and after every key: false closes the
  // place (a ruler deposed on another node loses the court at once).
  // Empty: always open.
  std::function<bool()> open;
};

// Runs the place until a leaving key and returns that key; 0 when the
// caller's line is gone (the door is ending) or the place closed.
char RunPlace(const PlaceScreen& screen, const std::vector<PlaceKey>& keys);

}  // namespace trv

#endif  // TRV_GAME_PLACE_PLACE_H_
