// TRVLaunch: the door program the BBS starts for one caller on one node.
#include <ctype.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <exception>
#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/exports/trvdll.h"
#include "launcher/switches.h"

namespace {

// Any way out that is not a normal quit still goes through the exit hook.
[[noreturn]] void EndOnFault(const char* what) {
  fprintf(stderr, "TRVLaunch: %s\n", what);
  od_exit(10, FALSE);
}

void OnTerminate() {
  const char* what = "unexpected error";
  try {
    if (std::exception_ptr fault = std::current_exception()) std::rethrow_exception(fault);
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
  }
  EndOnFault(what);
}

void FillControlRecord() {
  od_control.od_cmd_show = 0;
  od_control.od_before_exit = BeforeExitFunction;
  snprintf(od_control.od_prog_name, sizeof od_control.od_prog_name, "%s",
           "Tarvessia: Turn of Tide");
  snprintf(od_control.od_prog_version, sizeof od_control.od_prog_version, "%s", "Version 4.5");
  snprintf(od_control.od_prog_copyright, sizeof od_control.od_prog_copyright, "%s",
           "A door for Linux BBSes");
}

void TitleLoop(const std::string& command_line) {
  for (;;) {
    od_clr_scr();
    if (!correctDirectory(command_line.c_str())) od_exit(10, FALSE);
    od_send_file("Skins/INTRO.ANS");
    od_set_cursor(17, 54);
    switch (od_get_answer("E\rLYQ")) {
      case 'E':
      case '\r':
        PlayGame();
        break;
      case 'L':
        ShowPlayerFile();
        break;
      case 'Y':
        ShowNews("yesterday");
        break;
      case 'Q':
        return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  FillControlRecord();
  std::set_terminate(OnTerminate);
  const std::string arguments = trv::launcher::ArgumentLine(argc, argv);
  // Quoted as Windows quotes a program path that holds a blank.
  const std::string command_line =
      trv::WithProgramPath(arguments.empty() ? "" : " " + arguments, argv[0]);
  int mode = trv::launcher::MaintenanceMode(arguments);
  od_parse_cmd_line(arguments.c_str());
  od_init();  // the drop file, read while a relative -D path still holds
  try {
    CheckForMaint(mode, command_line.c_str());
    TitleLoop(command_line);
    ExitGame();
  } catch (const std::exception& e) {
    EndOnFault(e.what());
  } catch (...) {
    EndOnFault("unexpected error");
  }
  return 1;
}
