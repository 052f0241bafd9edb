// TRVConfig: the sysop's program for the world options, single characters
// and the world reset. It shares the game database with the running doors.
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "config/health.h"
#include "config/player_editor.h"
#include "config/reset.h"
#include "config/world_options.h"
#include "doorkit/doorkit.h"
#include "game/ui/game_directory.h"

namespace {

void FillControlRecord() {
  od_control.od_cmd_show = 0;
  snprintf(od_control.od_prog_name, sizeof od_control.od_prog_name, "%s", "Tarvessia Config");
  snprintf(od_control.od_prog_version, sizeof od_control.od_prog_version, "%s", "Version 4.5");
  snprintf(od_control.od_prog_copyright, sizeof od_control.od_prog_copyright, "%s",
           "The sysop's own tool");
}

// The door's rule wants the full command line, program path first.
std::string CommandLine(int argc, char** argv) {
  std::string arguments;
  for (int i = 1; i < argc; ++i) arguments += std::string(" ") + argv[i];
  return trv::WithProgramPath(arguments, argv[0]);
}

// TRVConfig -check [-repair]: no caller, no screen; the report goes to
// stdout and the exit status says whether the sysop is needed.
int RunHealthCheck(const std::string& command_line, bool repair) {
  std::string directory;
  std::string shown;
  if (!trv::FindGameDirectory(command_line, &directory, &shown) || chdir(directory.c_str()) != 0) {
    fprintf(stderr, "TRVConfig: cannot enter the game directory %s\n",
            directory.empty() ? shown.c_str() : directory.c_str());
    return 2;
  }
  return trv::config::HealthCheck(repair, stdout);
}

}  // namespace

int main(int argc, char** argv) {
  FillControlRecord();
  const std::string command_line = CommandLine(argc, argv);
  bool repair = false;
  if (trv::config::WantsHealthCheck(argc, argv, &repair))
    return RunHealthCheck(command_line, repair);
  od_parse_cmd_argv(argc, argv);
  od_init();  // a relative -D path still holds here
  for (;;) {
    od_clr_scr();
    if (!trv::EnterGameDirectory(command_line)) od_exit(10, FALSE);
    od_clr_scr();
    od_send_file("Skins/SETUP.ANS");
    od_set_cursor(16, 23);
    switch (od_get_answer("CP*X")) {
      case 'C':
        trv::config::WorldOptionsEditor();
        break;
      case 'P':
        trv::config::PlayerEditor();
        break;
      case '*':
        trv::config::WorldReset();
        break;
      default:  // X, or the line is gone
        od_exit(10, FALSE);
    }
  }
}
