#include "config/health.h"

#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "game/db/connection.h"
#include "game/db/liveness.h"

namespace trv::config {
namespace {

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbPtr = std::unique_ptr<sqlite3, CloseDb>;

using Rows = std::vector<std::vector<std::string>>;

// Runs one statement; false with the error text when it fails. A missing
// table is no fault here: the game makes its tables on first use.
bool Run(sqlite3* db, const std::string& sql, Rows* rows, std::string* error) {
  char* message = nullptr;
  auto collect = [](void* out, int n, char** values, char**) -> int {
    std::vector<std::string> row;
    for (int i = 0; i < n; ++i) row.emplace_back(values[i] ? values[i] : "");
    if (out != nullptr) static_cast<Rows*>(out)->push_back(std::move(row));
    return 0;
  };
  int rc = sqlite3_exec(db, sql.c_str(), collect, rows, &message);
  if (rc == SQLITE_OK) return true;
  *error = message ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  return false;
}

std::string First(sqlite3* db, const std::string& sql) {
  Rows rows;
  std::string ignored;
  if (!Run(db, sql, &rows, &ignored) || rows.empty() || rows[0].empty()) return "";
  return rows[0][0];
}

std::string Today() {
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  char text[16];
  strftime(text, sizeof text, "%Y%m%d", &local);
  return text;
}

// The eight digits at the start of Data/time.dat; "" when it has none.
std::string TimeFileDay() {
  FILE* file = fopen("Data/time.dat", "rb");
  if (file == nullptr) return "";
  char digits[8];
  size_t n = fread(digits, 1, sizeof digits, file);
  fclose(file);
  std::string day(digits, n);
  if (day.size() != 8 || day.find_first_not_of("0123456789") != std::string::npos) return "";
  return day;
}

struct Caller {
  std::string user;
  std::string name;
  bool alive = false;
};

std::vector<Caller> CallersOnLine(sqlite3* db) {
  Rows rows;
  std::string ignored;
  Run(db, "SELECT UserName,PlayerName FROM player WHERE Status=1 ORDER BY IDNum", &rows, &ignored);
  std::vector<Caller> callers;
  for (const auto& row : rows) callers.push_back({row[0], row[1], db::IsUserLive(row[0])});
  return callers;
}

// What a door does when it finds a ghost, done here by hand: the sysop
// program may run with no caller's line to show an error on.
bool Repair(sqlite3* db, FILE* out) {
  std::string error;
  if (!Run(db, "BEGIN IMMEDIATE", nullptr, &error)) {
    fprintf(out, "Repair failed: %s\n", error.c_str());
    return false;
  }
  for (const Caller& caller : CallersOnLine(db)) {
    if (caller.alive) continue;
    char* sql =
        sqlite3_mprintf("UPDATE player SET Status=0,WhereInGame='' WHERE UserName=%Q AND Status=1",
                        caller.user.c_str());
    bool ok = Run(db, sql, nullptr, &error);
    sqlite3_free(sql);
    if (!ok) break;
    fprintf(out, "Repaired: %s (%s) marked off-line\n", caller.name.c_str(), caller.user.c_str());
  }
  const int live = db::LiveDoorCount();
  if (error.empty() && !First(db, "SELECT NumPlayers FROM state").empty() &&
      Run(db, "UPDATE state SET NumPlayers=" + std::to_string(live), nullptr, &error))
    fprintf(out, "Repaired: session count set to %d\n", live);
  if (!error.empty()) {
    Run(db, "ROLLBACK", nullptr, &error);
    fprintf(out, "Repair failed: %s\n", error.c_str());
    return false;
  }
  return Run(db, "COMMIT", nullptr, &error);
}

}  // namespace

bool WantsHealthCheck(int argc, char** argv, bool* repair) {
  bool check = false;
  *repair = false;
  for (int i = 1; i < argc; ++i) {
    const char* word = argv[i];
    if (word[0] != '-' && word[0] != '/') continue;
    if (strcasecmp(word + 1, "check") == 0) check = true;
    if (strcasecmp(word + 1, "repair") == 0) *repair = check = true;
  }
  return check;
}

int HealthCheck(bool repair, FILE* out) {
  char here[4096];
  fprintf(out, "Tarvessia health check of %s\n", getcwd(here, sizeof here) ? here : ".");
  struct stat st;
  if (stat(db::kDatabasePath, &st) != 0) {
    fprintf(out, "Database: %s does not exist yet; the first door to start makes it.\n",
            db::kDatabasePath);
    return 0;
  }
  sqlite3* raw = nullptr;
  const int flags = repair ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
  int rc = sqlite3_open_v2(db::kDatabasePath, &raw, flags, nullptr);
  DbPtr db(raw);
  if (rc != SQLITE_OK) {
    fprintf(out, "Database: cannot open %s/%s: %s\n", here, db::kDatabasePath,
            db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc));
    return 2;
  }
  sqlite3_busy_timeout(db.get(), 10000);  // a door's write lasts milliseconds
  if (repair && !Repair(db.get(), out)) return 2;

  int problems = 0;
  std::string error;
  Rows integrity;
  if (!Run(db.get(), "PRAGMA integrity_check", &integrity, &error)) {
    fprintf(out, "Database: cannot read %s: %s\n", db::kDatabasePath, error.c_str());
    return 2;
  }
  const bool intact = integrity.size() == 1 && integrity[0][0] == "ok";
  fprintf(out, "Database: %s, %lld bytes, journal mode %s, integrity %s\n", db::kDatabasePath,
          static_cast<long long>(st.st_size), First(db.get(), "PRAGMA journal_mode").c_str(),
          intact ? "ok" : "DAMAGED");
  for (size_t i = 0; !intact && i < integrity.size() && i < 10; ++i)
    fprintf(out, "  %s\n", integrity[i][0].c_str());
  if (!intact) ++problems;

  const std::vector<Caller> callers = CallersOnLine(db.get());
  int ghosts = 0;
  fprintf(out, "Callers marked on-line: %zu\n", callers.size());
  for (const Caller& caller : callers) {
    fprintf(out, "  %-22s %-22s %s\n", caller.name.c_str(), caller.user.c_str(),
            caller.alive ? "door running" : "NO DOOR (ghost of a killed door)");
    if (!caller.alive) ++ghosts;
  }
  problems += ghosts;

  const std::string count = First(db.get(), "SELECT NumPlayers FROM state");
  const int live = db::LiveDoorCount();
  const long long sessions = count.empty() ? 0 : atoll(count.c_str());
  // Doors at the title menu run without a counted session, so only a count
  // above the running doors is stale (it would hold back maintenance).
  const bool stale = sessions > live;
  fprintf(out, "Session count (NumPlayers): %s; doors running: %d%s\n",
          count.empty() ? "none" : count.c_str(), live, stale ? " (STALE)" : "");
  if (stale) ++problems;

  const std::string paid = First(db.get(), "PRAGMA user_version");
  const std::string stored = TimeFileDay();
  const std::string today = Today();
  const std::string last = paid != "0" && !paid.empty() ? paid : stored;
  fprintf(out, "Maintenance: last paid %s (Data/time.dat %s); today %s: %s\n",
          last.empty() ? "never" : last.c_str(), stored.empty() ? "missing" : stored.c_str(),
          today.c_str(), last == today ? "done" : "due (the next door or -runmaint runs it)");

  if (problems == 0) {
    fprintf(out, "All is well.\n");
    return 0;
  }
  fprintf(out, "Needs the sysop:%s%s%s\n",
          intact ? "" : " the database is damaged (restore Backups/);",
          ghosts > 0 ? " ghosts of killed doors;" : "", stale ? " a stale session count;" : "");
  if (ghosts > 0 || stale)
    fprintf(out, "Run TRVConfig -check -repair to mend the on-line marks.\n");
  return 1;
}

}  // namespace trv::config
