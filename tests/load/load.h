// Many callers at once: N scripted callers, each a real TRVLaunch over
// pipes with its own drop file and node, walking random paths through the
// screens where gold moves between nodes (the bank, its safe, transfers to
// each other, the rogues' pickpocketing of callers on-line) and the screens
// every node shares (the on-line list and telegrams, the chat room, the
// news, the dark alley), with random think times, hang-ups in the middle of
// a screen and reconnects. On top: doors killed outright at random, and a
// new day in the middle that every caller starts into at once.
//
// At the end every door is gone and one more day runs; then the world must
// hold: nobody on-line, the session count exact, the database whole, and
// the callers' gold what it was plus the interest the days paid (each day
// paid once).
#ifndef TRV_TESTS_LOAD_LOAD_H_
#define TRV_TESTS_LOAD_LOAD_H_

#include <stdint.h>

#include <ostream>
#include <string>
#include <vector>

namespace trv::load {

struct LoadOptions {
  int callers = 32;
  double seconds = 60;
  // Doors killed outright (SIGKILL), spread over the run at random.
  int kills = 0;
  // Chance that a caller drops the line in the middle of a screen, per walk.
  double hangup_chance = 0.05;
  // A new day half-way: every door is killed, the day turns, and all the
  // callers start at once into the maintenance.
  bool new_day = true;
  // Pause between a caller's steps: 0 to this many milliseconds.
  int think_ms = 40;
  unsigned seed = 1;
  // TRV_JOURNAL for the doors ("" for the default, write-ahead logging).
  std::string journal;
  // TRVLaunch to run; "" for the one this build made.
  std::string program;
};

struct LoadReport {
  double seconds = 0;
  int64_t actions = 0;              // prompts reached after a key
  std::vector<int64_t> latency_us;  // key to the next prompt, sorted
  // A door's start to its first screen (a process, the database, perhaps
  // the day's maintenance): no key was pressed, so kept apart, sorted.
  std::vector<int64_t> start_us;
  int sql_errors = 0;    // "SQL Error" on a caller's screen or stderr
  int stuck = 0;         // doors not ended 5 s after a hang-up
  int lost_prompts = 0;  // a prompt the driver waited for in vain (a note)
  int kills = 0;
  int hangups = 0;
  int connects = 0;
  int days_run = 0;
  // The end of the run.
  long long on_line = -1;      // Status 1 rows left
  long long num_players = -1;  // state.NumPlayers
  std::string integrity;       // PRAGMA integrity_check
  std::string journal_mode;
  std::string gold_start, gold_created, gold_end;  // the callers' gold
  bool days_paid_once = false;
  std::vector<std::string> faults;  // one line each, for the log
  std::vector<std::string> notes;   // the lost prompts, with the screen's end

  double Percentile(int p) const;       // of latency_us
  double StartPercentile(int p) const;  // of start_us
  // True when nothing above is wrong (lost prompts aside: the caller
  // starts again, and what the world holds is checked at the end).
  bool Clean() const;
};

// Runs the load in a fresh game directory; progress and faults go to `log`.
LoadReport RunLoad(const LoadOptions& options, std::ostream& log);

// The figures as one line for a log or a bench table.
std::string Summary(const LoadReport& report);

}  // namespace trv::load

#endif  // TRV_TESTS_LOAD_LOAD_H_
