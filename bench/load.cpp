// The load and soak of many callers over the real screens, in both journal
// modes one after the other (or one), with its figures: prompts per second,
// key-to-prompt latency, SQL errors, stuck doors, the end checks.
//
// Usage: load [callers=32] [seconds=300] [kills=200] [hangup chance=0.05]
//             [modes=wal,rollback] [seed=1] [think ms=40]
// The think time is each caller's pause between steps, drawn from 0 to the
// given milliseconds: the default 40 is a stress far above real typing
// speed; 1000 or more is closer to callers at their keyboards.
// Exit status 0 when every run ended clean.
#include "tests/load/load.h"

#include <stdio.h>
#include <stdlib.h>

#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
  trv::load::LoadOptions options;
  options.callers = argc > 1 ? atoi(argv[1]) : 32;
  options.seconds = argc > 2 ? atof(argv[2]) : 300;
  options.kills = argc > 3 ? atoi(argv[3]) : 200;
  options.hangup_chance = argc > 4 ? atof(argv[4]) : 0.05;
  const std::string modes = argc > 5 ? argv[5] : "wal,rollback";
  options.seed = argc > 6 ? static_cast<unsigned>(atoi(argv[6])) : 1;
  options.think_ms = argc > 7 ? atoi(argv[7]) : options.think_ms;
  bool clean = true;
  std::stringstream list(modes);
  for (std::string mode; std::getline(list, mode, ',');) {
    options.journal = mode == "wal" ? "" : mode;
    printf("== %s: %d callers, %.0f s, %d kills, hang-up chance %.2f, think 0-%d ms\n",
           mode.c_str(), options.callers, options.seconds, options.kills, options.hangup_chance,
           options.think_ms);
    fflush(stdout);
    std::ostringstream log;
    const trv::load::LoadReport report = trv::load::RunLoad(options, log);
    printf("%s\n", trv::load::Summary(report).c_str());
    if (!report.Clean()) {
      clean = false;
      std::cout << log.str();
      for (const std::string& fault : report.faults) std::cout << "fault: " << fault << "\n";
    }
    fflush(stdout);
  }
  return clean ? 0 : 1;
}
