// The daily maintenance as the sysop's switch runs it: one TRVLaunch
// process with -forcemaint over a realm of N characters and 5 kingdoms,
// timed from start to exit (process start, backup, the run, VACUUM).
//
// Usage: maint_bench [characters ...] (default 1000 3000 10000)
// Prints, per size, the best and median of 3 runs and the time per
// character; the last line compares the largest size with the smallest.
#include <fcntl.h>
#include <ftw.h>
#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "game/db/schema.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRepeats = 3;

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

void Check(int rc, sqlite3* db, const char* what) {
  if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) return;
  fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
  exit(1);
}

void Exec(sqlite3* db, const char* sql) {
  Check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db, sql);
}

// A realm of `players` characters spread over 5 kingdoms, a couple for
// every tenth character, and a day's worth of news and mail.
void BuildRealm(const std::string& path, int players) {
  sqlite3* db = nullptr;
  Check(sqlite3_open(path.c_str(), &db), db, "open");
  for (int t = 0; t < trv::db::kTableCount; ++t) Exec(db, trv::db::CreationStatement(t));
  Exec(db, "BEGIN");
  Exec(db,
       "INSERT INTO config (MonsterFights,PlayerFights,StartGold,LevelMultiplier,GoodDeeds,"
       "EvilDeeds,Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) VALUES "
       "(17,3,'10000',10000,3,3,1,1,0,0,'')");
  for (int k = 1; k <= 5; ++k) {
    char* sql = sqlite3_mprintf(
        "INSERT INTO kingdom (IDNum,Name,Ruler,RulerUserName,SerfSupport,TaxRate,MerchantTax,"
        "CrimePrevention,BorderGuardRating,Soldiers,Serfs,Land,Treasury,HoldTaxes) VALUES "
        "(%d,'Kingdom%d','Ruler%d','user%d',%d,5,10,20,20,50000,120000,5000,'1000000','25000')",
        k, k, k, k, 20 + k * 12);
    Exec(db, sql);
    sqlite3_free(sql);
  }
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(
            db,
            "INSERT INTO player (UserName,PlayerName,Kingdom,Gender,Level,Gold,BankGold,ProfExp,HP,"
            "MaxHP,MagicPower,MaxMagicPower,Strength,Defense,Agility,MonsterFights,PlayerFights,"
            "GoodDeeds,EvilDeeds,HouseTrade,WaterTower,OreMine,Granary,DrugTrade,FleshTrade,"
            "Smuggling,Status,WhereInGame,Equip1,Equip2,Equip3) VALUES (?1,?2,?3,'Male',?4,"
            "'25000',?5,5,10,120,5,40,30,30,30,0,0,0,0,?6,?7,'',?8,?9,'','3',0,'','Long Sword',"
            "'Buckler','Chain Mail')",
            -1, &insert, nullptr),
        db, "prepare");
  srand(7);
  for (int i = 1; i <= players; ++i) {
    std::string user = "user" + std::to_string(i);
    std::string name = "Hero" + std::to_string(i);
    std::string kingdom = i % 7 == 0 ? "" : "Kingdom" + std::to_string(1 + i % 5);
    std::string bank = std::to_string(rand() % 100000000);
    sqlite3_bind_text(insert, 1, user.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 3, kingdom.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 4, 1 + rand() % 60);
    sqlite3_bind_text(insert, 5, bank.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 6, std::to_string(rand() % 20).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert, 7, i % 3 ? "" : "2", -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 8, i % 4 ? "" : "1", -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 9, i % 5 ? "" : "1", -1, SQLITE_STATIC);
    Check(sqlite3_step(insert), db, "insert player");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  for (int i = 1; i + 1 <= players; i += 20) {
    char* sql = sqlite3_mprintf(
        "INSERT INTO marriage (Partner1,Partner1UserName,Partner2,Partner2UserName,Kids) VALUES "
        "('Hero%d','user%d','Hero%d','user%d',%d)",
        i, i, i + 1, i + 1, i % 9);
    Exec(db, sql);
    sqlite3_free(sql);
  }
  Exec(db,
       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<200) "
       "INSERT INTO news (day,Title,Line1,Line2) SELECT CASE WHEN i%2 THEN 'today' ELSE "
       "'yesterday' END,'`bright cyan`PLAYER DEATH','Hero was killed','' FROM n");
  Exec(db, "COMMIT");
  sqlite3_close(db);
}

void Copy(const std::string& from, const std::string& to) {
  FILE* in = fopen(from.c_str(), "rb");
  FILE* out = fopen(to.c_str(), "wb");
  if (in == nullptr || out == nullptr) {
    perror("copy");
    exit(1);
  }
  char buffer[65536];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, in)) > 0) fwrite(buffer, 1, n, out);
  fclose(in);
  fclose(out);
}

std::string Yesterday() {
  time_t when = time(nullptr) - 86400;
  struct tm local;
  localtime_r(&when, &local);
  char text[16];
  strftime(text, sizeof text, "%Y%m%d", &local);
  return text;
}

// One run on a fresh copy of the realm; seconds from start to exit.
double TimedRun(const std::string& dir, const std::string& realm) {
  Copy(realm, dir + "/Data/game.db");
  remove((dir + "/Data/game.db-journal").c_str());
  FILE* date = fopen((dir + "/Data/time.dat").c_str(), "wb");
  fwrite((Yesterday() + std::string(5, '\0')).data(), 1, 13, date);
  fclose(date);
  int keys[2];
  if (pipe(keys) != 0) exit(1);
  const std::string program = dir + "/TRVLaunch";
  Clock::time_point start = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    dup2(keys[0], STDIN_FILENO);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    setenv("TRV_SEED", "1", 1);
    execl(program.c_str(), program.c_str(), "-L", "-forcemaint", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(keys[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  close(keys[1]);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 10) {
    fprintf(stderr, "TRVLaunch ended with status %d\n", status);
    exit(1);
  }
  return seconds;
}

// Proof that the run paid: the mail it left.
long long Letters(const std::string& dir) {
  sqlite3* db = nullptr;
  sqlite3_open((dir + "/Data/game.db").c_str(), &db);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM usernews", -1, &st, nullptr);
  long long count = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
  sqlite3_finalize(st);
  sqlite3_close(db);
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(atoi(argv[i]));
  if (sizes.empty()) sizes = {1000, 3000, 10000};

  char scratch[] = "/tmp/trv_maint_bench_XXXXXX";
  if (mkdtemp(scratch) == nullptr) return 1;
  const std::string dir = scratch;
  mkdir((dir + "/Data").c_str(), 0755);
  if (symlink(TRV_LAUNCH, (dir + "/TRVLaunch").c_str()) != 0) return 1;

  printf("%-10s %10s %10s %14s %10s\n", "characters", "best s", "median s", "us/character",
         "letters");
  std::vector<double> medians;
  for (int players : sizes) {
    const std::string realm = dir + "/realm" + std::to_string(players) + ".db";
    BuildRealm(realm, players);
    std::vector<double> times;
    for (int r = 0; r < kRepeats; ++r) times.push_back(TimedRun(dir, realm));
    std::sort(times.begin(), times.end());
    medians.push_back(times[kRepeats / 2]);
    printf("%-10d %10.3f %10.3f %14.1f %10lld\n", players, times[0], times[kRepeats / 2],
           times[kRepeats / 2] * 1e6 / players, Letters(dir));
    fflush(stdout);
  }
  if (sizes.size() > 1)
    printf("growth: %dx the characters took %.2fx the time\n", sizes.back() / sizes.front(),
           medians.back() / medians.front());
  nftw(dir.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  return 0;
}
