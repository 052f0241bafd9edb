#include "game/session/frame.h"

#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "doorkit/doorkit.h"
#include "game/db/connection.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/money/money.h"
#include "game/session/ui.h"

namespace trv {

namespace {

// ANSI sequences for texts built in memory.
constexpr char kBrightRed[] = "\x1b[1;31;40m";
constexpr char kBrightGreen[] = "\x1b[1;32;40m";
constexpr char kBrightYellow[] = "\x1b[1;33;40m";
constexpr char kBrightBlue[] = "\x1b[1;34;40m";
constexpr char kBrightMagenta[] = "\x1b[1;35;40m";
constexpr char kBrightWhite[] = "\x1b[1;37;40m";
constexpr char kDarkGreen[] = "\x1b[2;32;40m";
constexpr char kGrey[] = "\x1b[2;37;40m";

bool g_session_counted = false;

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

void ShowDoorProblem(const std::string& shown_path) {
  char text[512];
  snprintf(text, sizeof text,
           "Error: Directory auto-parsed as %s, which is invalid.  Please e-mail door author!",
           shown_path.c_str());
  fprintf(stderr, "Door problem!: %s\n", text);
  od_disp_str("\r\n");
  od_disp_str(text);
  od_disp_str("\r\n");
}

// Sends one piece of the closing screen through the terminal emulation.
void Emu(const std::string& text) { od_disp_emu(text.c_str(), TRUE); }

// A failed statement inside the exit hook ends the hook, not the door again.
struct HookAborted {};
void AbortHook() { throw HookAborted(); }

void ListingHead() {
  od_clr_scr();
  Emu(std::string(kBrightMagenta) + kShades + " " + kBrightGreen + "Tarvessia Player Listing" +
      kBrightMagenta + " " + kShadesBack + "\n\n\r");
  Emu(std::string(kBrightWhite) + "   Player               Level       Profession\n\r");
  Emu(std::string(kDarkGreen) +
      "-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-");
  od_set_cursor(4, 1);
}

}  // namespace

std::string GameDirectoryOf(const std::string& command_line, std::string* shown_path, bool* error) {
  *error = false;
  if (command_line.size() >= 150) {
    *shown_path = "<too long>";
    *error = true;
    return "";
  }
  std::string path = command_line;
  if (!path.empty() && path[0] == '"') path.erase(0, 1);
  size_t blank = path.find(' ');
  if (blank != std::string::npos) path.resize(blank);
  if (path.find_first_of("/\\:") == std::string::npos) return "";  // bare name
  while (path.size() > 2 && !IsSeparator(path.back())) path.pop_back();
  *shown_path = path;
  if (path.size() > 2) {
    path.pop_back();
    return path;
  }
  // "./TRVLaunch" leaves "./", too short to lose its separator, but still
  // a directory.
  if (!path.empty() && path.back() == '/') return path;
  *error = true;
  return "";
}

void SetSessionCounted(bool counted) { g_session_counted = counted; }
bool SessionCounted() { return g_session_counted; }

}  // namespace trv

using namespace trv;
using trv::db::Exec;
using trv::db::Query;
using trv::db::ResultTable;
using trv::db::TableName;

int correctDirectory(const char* command_line) {
  std::string shown;
  bool error = false;
  std::string dir = GameDirectoryOf(command_line ? command_line : "", &shown, &error);
  if (!error && (dir.empty() || chdir(dir.c_str()) == 0)) return 1;
  ShowDoorProblem(shown);
  return 0;
}

void BeforeExitFunction(void) {
  if (!db::IsOpen()) return;      // the door ended before it opened the realm
  db::RollbackOpenTransaction();  // whatever the interrupted screen left open
  db::SetFatalExit(AbortHook);
  const std::string user = od_control.user_name;
  try {
    db::RunWriteUnit([&user] {
      // Only this caller's own unfinished character: another node may be
      // creating one right now.
      Exec(db::kPlayer, "DELETE FROM %s WHERE Kingdom Is NULL AND UserName=%Q",
           TableName(db::kPlayer), user.c_str());
      if (SessionCounted())
        Exec(db::kState, "UPDATE %s SET NumPlayers=NumPlayers-1 WHERE NumPlayers>0",
             TableName(db::kState));
      Exec(db::kPlayer, "UPDATE %s SET Status=0,WhereInGame='' WHERE UserName=%Q",
           TableName(db::kPlayer), user.c_str());
      return true;
    });
    SetSessionCounted(false);
    ResultTable me = Query(db::kPlayer, "SELECT PlayerName FROM %s WHERE UserName=%Q",
                           TableName(db::kPlayer), user.c_str());
    if (me.empty()) return;
    ResultTable others =
        Query(db::kPlayer, "SELECT UserName FROM %s WHERE UserName<>%Q AND Status=1",
              TableName(db::kPlayer), user.c_str());
    for (int r = 0; r < others.rows(); ++r)
      Exec(db::kNode, "INSERT INTO %s (TypeOf,SentTo,SentBy) VALUES (%d,%Q,%Q)",
           TableName(db::kNode), 0, others.Text(r, 0), me.Text(0, 0));
  } catch (const HookAborted&) {
  }
}

void ExitGame(void) {
  od_clr_scr();
  Emu(std::string("\n\r") + kBrightWhite + "Thank you for playing!!\n\r");
  Emu(std::string("\n\r") + kBrightBlue + "  " + kShades + " " + kBrightYellow +
      "Tarvessia: Turn of Tide v4.5" + kBrightBlue + " " + kShadesBack);
  Emu(std::string("\n\n\r") + kBrightGreen +
      "Tarvessia lives on in Linux BBS doors - may the tide turn your way.");
  Emu(std::string("\n\n\r") + kGrey + "[Compile Date: 06/24/2005]");
  Emu(std::string("\n\n\r") + kDarkGreen + "Credits:");
  const char* const credits[4][2] = {
      {"Programmed/Designed: ", "The Tarvessia Development Team"},
      {"Storyboard Concept : ", "The Tidewardens"},
      {"Coding Support     : ", "The Linux Door Crew"},
      {"Testing/Support    : ", "Every caller who braved the realm"},
  };
  for (int i = 0; i < 4; ++i)
    Emu(std::string("\n\r") + kBrightRed + credits[i][0] + kBrightWhite + credits[i][1] +
        (i == 3 ? "\n\r" : ""));
  od_sleep(2000);
  od_exit(10, FALSE);
}

void ShowPlayerFile(void) {
  ListingHead();
  ResultTable players =
      Query(db::kPlayer, "SELECT Gender,PlayerName,Level,Guild FROM %s ORDER BY Level Desc",
            TableName(db::kPlayer));
  for (int r = 0; r < players.rows(); ++r) {
    if (r > 0 && r % 10 == 0) ListingHead();
    if (strcmp(players.Text(r, 0), "Female") == 0)
      od_printf("\n\r`bright magenta` F ");
    else
      od_printf("\n\r   ");
    od_printf(
        "`bright red`%-21s `grey`%-5s      `bright green`%s", CleanText(players.Text(r, 1)).c_str(),
        AddCommas(std::string(players.Text(r, 2))).c_str(), CleanText(players.Text(r, 3)).c_str());
    if ((r + 1) % 10 == 0) {
      od_printf("\n\n\r`bright red`Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') return;
    }
  }
  PressAnyKey();
}
