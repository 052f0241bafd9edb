// Main Street: the town menu from which every place is reached.
#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/schema.h"
#include "game/messaging/messaging.h"
#include "game/session/frame.h"
#include "game/session/play.h"

namespace trv {
namespace {

struct Place {
  char key;
  const char* where;  // written to WhereInGame before going; nullptr: none
  void (*go)();
};

void TodaysNews() { ShowNews("today"); }
void Leave() { ExitGame(); }

// The places that exist; a key appears here (and in Skins/MAIN.ANS) once
// its place does.
const Place kPlaces[] = {
    {'\r', nullptr, nullptr},  // redraw
    {'1', nullptr, ShowWorldOptions},  {'*', nullptr, Suicide}, {'.', nullptr, WhoOnline},
    {'D', "Reading News", TodaysNews}, {'Q', nullptr, Leave},   {'=', "In Chat Room", BeginChat},
};

void SetPlace(const char* where) {
  db::Exec(db::kPlayer, "UPDATE %s SET WhereInGame=%Q WHERE UserName=%Q",
           db::TableName(db::kPlayer), where, od_control.user_name);
}

}  // namespace

void MainStreet() {
  std::string keys;
  for (const Place& p : kPlaces) keys += p.key;
  for (;;) {
    SetPlace("Main Street");
    Check_For_Msgs();
    od_clr_scr();
    od_send_file("Skins/MAIN.ANS");
    od_set_cursor(21, 26);
    char key = od_get_answer(keys.c_str());
    for (const Place& p : kPlaces) {
      if (p.key != key) continue;
      if (p.where) SetPlace(p.where);
      if (p.go) p.go();
      break;
    }
  }
}

}  // namespace trv
