// The chat room: a live conversation between nodes through the tavchat
// ledger, polled without blocking while the caller types.
#include "game/messaging/chat_room.h"

#include <algorithm>
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/liveness.h"
#include "game/db/portability.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/messaging/presence.h"
#include "game/messaging/text.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::messaging {
namespace {

constexpr char kJoined[] = "`bright yellow`has joined chat";
constexpr char kLeft[] = "`bright yellow`has left chat";
constexpr int kMaxInput = 73;
constexpr int kAreaTop = 10;
constexpr int kAreaBottom = 20;
constexpr int kInputRow = 22;
constexpr int kInputColumn = 9;
constexpr int kWidth = 79;  // the last column stays free so no line wraps
// Typed text beyond the width is kept and sent, just not echoed.
constexpr int kEchoColumns = kWidth - kInputColumn + 1;
// A killed door's patron is seen through this often while the room polls.
constexpr long long kGhostLookMs = 1000;
constexpr int kReshownLines = 10;

constexpr char kCtrlP = 16;
constexpr char kCtrlQ = 17;
constexpr char kCtrlT = 20;

ChatTiming g_timing;

// The loop's own state.
struct Room {
  std::string me;      // the caller's character name
  std::string input;   // what the caller has typed so far
  long long mark = 0;  // IDNum of the last ledger line shown
  int others_shown = -1;
  long long next_poll_ms = 0;
};

Room* g_room = nullptr;

void InputCursor(const Room& room) {
  const int typed = static_cast<int>(std::min<size_t>(room.input.size(), kEchoColumns));
  od_set_cursor(kInputRow, kInputColumn + typed);
}

// Scrolls the message area up one line and writes `ansi_line` at its foot.
void ScrollIn(const std::string& ansi_line) {
  od_scroll(1, kAreaTop, 80, kAreaBottom, 1, 0);
  od_set_cursor(kAreaBottom, 1);  // the scroll leaves the cursor elsewhere
  od_disp_emu(ClipToColumns(ansi_line, kWidth).c_str(), TRUE);
}

// One ledger line: the writer's name, then the text, wrapped at the area's
// width. The two fixed texts keep their colour; typed text is cleaned.
void ShowLedgerLine(const char* who, const char* line) {
  const std::string name = CleanText(who);
  const std::string prefix = std::string(ansi::kBrightCyan) + name + ": " + ansi::kBrightMagenta;
  const std::string stored = line;
  if (stored == kJoined || stored == kLeft) {
    ScrollIn(prefix + ansi::kBrightYellow +
             (stored == kJoined ? "has joined chat" : "has left chat"));
    return;
  }
  const std::string text = CleanText(line);
  size_t room = static_cast<size_t>(std::max(10, kWidth - static_cast<int>(name.size()) - 2));
  ScrollIn(prefix + text.substr(0, room));
  for (size_t at = room; at < text.size(); at += kWidth - 2)
    ScrollIn(std::string(ansi::kBrightMagenta) + "  " + text.substr(at, kWidth - 2));
}

void ListPatrons() {
  db::ResultTable patrons =
      db::Query(db::kPlayer, "SELECT PlayerName,FirstRace FROM %s WHERE WhereInGame=%Q",
                db::TableName(db::kPlayer), kInChatRoom);
  for (int r = 0; r < patrons.rows(); ++r) {
    std::string lead =
        r == 0 ? std::string(ansi::kBrightYellow) + "Patrons: " : std::string(ansi::kGrey) + ", ";
    ScrollIn(lead + ansi::kBrightGreen + CleanText(patrons.Text(r, 0)) + " " + ansi::kDarkGreen +
             "the " + CleanText(patrons.Text(r, 1)));
  }
}

int Patrons() {
  static long long next_look_ms = 0;
  if (NowMs() >= next_look_ms) {
    next_look_ms = NowMs() + kGhostLookMs;
    db::RepairGhosts();
  }
  return static_cast<int>(db::Query(db::kPlayer,
                                    "SELECT Count(PlayerName) FROM %s WHERE WhereInGame=%Q",
                                    db::TableName(db::kPlayer), kInChatRoom)
                              .Int(0, 0));
}

// Appends a line and returns its IDNum.
long long AppendLine(const std::string& who, const std::string& line) {
  return db::Query(db::kTavChat, "INSERT INTO %s (WhoSent,Line1) VALUES (%Q,%Q) RETURNING IDNum",
                   db::TableName(db::kTavChat), who.c_str(), line.c_str())
      .Int(0, 0);
}

// The frame again, the last lines again, the patron count and the input.
void Redraw(Room& room) {
  DrawChatWin();
  room.mark = std::max(0LL, room.mark - kReshownLines);
  room.others_shown = -1;
  room.next_poll_ms = 0;
  od_set_cursor(kInputRow, kInputColumn);
  od_printf("`bright magenta`");
  od_disp_str(room.input.substr(0, kEchoColumns).c_str());
}

// One look at the database: patrons, new ledger lines, messages.
void Poll(Room& room) {
  const int others = Patrons() - 1;
  if (others != room.others_shown) {
    room.others_shown = others;
    od_set_cursor(2, 1);
    od_clr_line();
    od_disp_emu((std::string(ansi::kGrey) + "Currently " + ansi::kBrightYellow +
                 std::to_string(others) + ansi::kGrey + " other patrons here..")
                    .c_str(),
                TRUE);
    InputCursor(room);
  }
  // A ledger whose highest line is below the mark was emptied since: all
  // its lines are new.
  const char* table = db::TableName(db::kTavChat);
  db::ResultTable lines = db::Query(db::kTavChat,
                                    "SELECT WhoSent,Line1,IDNum FROM %s WHERE IDNum > (CASE WHEN "
                                    "(SELECT max(IDNum) FROM %s) < %lld THEN 0 ELSE %lld END) "
                                    "ORDER BY IDNum",
                                    table, table, room.mark, room.mark);
  for (int r = 0; r < lines.rows(); ++r) {
    ShowLedgerLine(lines.Text(r, 0), lines.Text(r, 1));
    room.mark = lines.Int(r, 2);
  }
  if (!lines.empty()) InputCursor(room);
  const int screens = FullScreensShown();
  Check_For_Msgs();
  if (FullScreensShown() != screens) Redraw(room);
}

// The last patron out empties the ledger. Counting and emptying share one
// write lock, so a caller who comes in meanwhile is either counted or
// starts on the emptied ledger.
void Leave(const Room& room) {
  db::RunWriteUnit([&room] {
    if (Patrons() <= 1)
      db::Exec(db::kTavChat, "DELETE FROM %s WHERE IDNum>0", db::TableName(db::kTavChat));
    else
      AppendLine(room.me, kLeft);
    return true;
  });
}

void Type(Room& room, char key) {
  const unsigned char k = static_cast<unsigned char>(key);
  if (k >= 32 && k <= 126) {
    if (room.input.size() >= kMaxInput) return;
    if (room.input.size() < kEchoColumns) {
      InputCursor(room);
      od_printf("`bright magenta`%c", key);
    }
    room.input += key;
  } else if ((k == 13 || k == 10) && !room.input.empty()) {
    AppendLine(room.me, room.input);
    room.input.clear();
    od_set_cursor(kInputRow, kInputColumn);
    od_clr_line();
    room.next_poll_ms = 0;  // the caller's own line comes back at once
  } else if ((k == 8 || k == 127) && !room.input.empty()) {
    room.input.pop_back();
    if (room.input.size() >= kEchoColumns) return;  // the gone character was never shown
    InputCursor(room);
    od_disp_str(" ");
    InputCursor(room);
  }
}

// Keeps g_room while the loop runs, also when it is left by an exception.
class Active {
 public:
  explicit Active(Room* room) { g_room = room; }
  ~Active() { g_room = nullptr; }
};

}  // namespace

bool ChatRoomActive() { return g_room != nullptr; }

void LeaveChatRoomOnExit() {
  if (g_room != nullptr) Leave(*g_room);
}

bool ChatRoomNotice(const std::string& ansi_line) {
  if (!g_room) return false;
  ScrollIn(ansi_line);
  InputCursor(*g_room);
  return true;
}

ChatTiming GetChatTiming() { return g_timing; }
void SetChatTiming(const ChatTiming& timing) { g_timing = timing; }

}  // namespace trv::messaging

using namespace trv;
using namespace trv::messaging;

void DrawChatWin(void) {
  od_clr_scr();
  od_printf("`grey`[Tarvessia Chat Room]");
  od_set_cursor(3, 1);
  od_printf(
      "`bright red`Chat Commands: \n\r     `bright white`Ctrl-T - Send Global Telegram\n\r     "
      "Ctrl-Q - Quit Chat Area\n\r     Ctrl-P - List Patrons\n\r");
  od_set_cursor(22, 1);
  od_printf("`grey`[Chat]: ");
  od_printf("`bright magenta`");
}

void BeginChat(void) {
  if (ChatRoomActive()) return;  // already inside, further up this node's screens
  Room room;
  room.me = player::CallerPlayerName();
  // Every way in makes the caller a patron; a place menu gets its place back.
  const std::string place = player::CallerPlace();
  const bool own_place = place != kInChatRoom;
  if (own_place) player::SetCallerPlace(kInChatRoom);
  Broadcast(kEnteredChat);
  DrawChatWin();
  ListPatrons();
  // The caller sees what is written after his arrival line, also by
  // someone who comes in at the same moment.
  room.mark = AppendLine(room.me, kJoined);
  InputCursor(room);
  {
    Active active(&room);
    const ChatTiming timing = GetChatTiming();
    for (;;) {
      const char key = od_get_key(FALSE);
      if (NowMs() >= room.next_poll_ms) {
        room.next_poll_ms = NowMs() + timing.poll_ms;
        Poll(room);
      }
      if (key == kCtrlQ) break;
      if (key == kCtrlT) {
        WhoOnline();
        Redraw(room);
      } else if (key == kCtrlP) {
        ListPatrons();
        InputCursor(room);
      } else if (key != 0) {
        Type(room, key);
      } else {
        od_sleep(timing.idle_sleep_ms);
      }
    }
  }
  Leave(room);
  if (own_place) player::SetCallerPlace(place);
}
