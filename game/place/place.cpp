#include "game/place/place.h"

#include <string>

#include "doorkit/doorkit.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"

namespace trv {
namespace {

const PlaceKey* Find(const std::vector<PlaceKey>& keys, char key) {
  for (const PlaceKey& k : keys)
    if (k.key == key) return &k;
  return nullptr;
}

std::string Answers(const PlaceScreen& screen, const std::vector<PlaceKey>& keys) {
  std::string answers;
  for (const PlaceKey& k : keys) answers += k.key;
  if (screen.global_keys) {
    for (char global : {'.', '='})
      if (!Find(keys, global)) answers += global;
  }
  return answers;
}

void Draw(const PlaceScreen& screen) {
  od_clr_scr();
  if (screen.skin) od_send_file(screen.skin);
  if (screen.draw) screen.draw();
  if (screen.row > 0) od_set_cursor(screen.row, screen.column);
}

}  // namespace

char RunPlace(const PlaceScreen& screen, const std::vector<PlaceKey>& keys) {
  const std::string answers = Answers(screen, keys);
  for (;;) {
    if (screen.open && !screen.open()) return 0;
    if (screen.where) player::SetCallerPlace(screen.where);
    if (screen.poll_messages) Check_For_Msgs();
    Draw(screen);
    const char key = od_get_answer(answers.c_str());
    if (key == 0) return 0;
    if (screen.open && !screen.open()) return 0;
    const PlaceKey* chosen = Find(keys, key);
    if (!chosen) {
      if (key == '.') WhoOnline();
      if (key == '=') BeginChat();  // the room marks the caller a patron itself
      continue;
    }
    if (chosen->where) player::SetCallerPlace(chosen->where);
    if (chosen->action) chosen->action();
    if (chosen->leaves) return key;
  }
}

}  // namespace trv
