// The chat room's hooks for the rest of the library and its timing.
#ifndef TRV_GAME_MESSAGING_CHAT_ROOM_H_
#define TRV_GAME_MESSAGING_CHAT_ROOM_H_

#include <string>

namespace trv::messaging {

// The place text of a patron.
inline constexpr char kInChatRoom[] = "In Chat Room";

// True while this process runs the chat room's loop.
bool ChatRoomActive();

// For the exit hook: a caller who drops inside the room leaves it as by
// Ctrl-Q (the others see him go; the last patron out empties the ledger).
void LeaveChatRoomOnExit();

// Writes one line (ANSI colours) at the bottom of the room's message area
// and returns the cursor to the input line; false when the room is not
// running here.
bool ChatRoomNotice(const std::string& ansi_line);

// How often an idle patron looks at the database, and how long the loop
// sleeps when no key came. A person finds 100 ms instant; polling every
// millisecond only keeps the database busy for the other nodes.
struct ChatTiming {
  int poll_ms = 75;
  int idle_sleep_ms = 25;
};
ChatTiming GetChatTiming();
// For the benchmark, which compares intervals.
void SetChatTiming(const ChatTiming& timing);

}  // namespace trv::messaging

#endif  // TRV_GAME_MESSAGING_CHAT_ROOM_H_
