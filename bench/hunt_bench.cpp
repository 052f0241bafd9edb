// The balance of the shipped monsters, items and spells: a month of
// hunting by one new character of each class, through the real hunt.
//
// Each character is made by the real creation (Human father and mother,
// the same class twice, the guild its class suits) and plays 17 monster
// fights a day: between trips it takes a level raise whenever it is
// eligible (the class's training), buys the strongest weapons, armour and
// spells its gold allows (as a careful player would), refills its potions
// at the town healer's 2 gold, and goes to the area its level is
// recommended for (one area lower for a while after each death). A trip
// is Main Street's F played by a scripted caller on the kit's line: the
// area, one search, fight to the death, the spell in Magic1 cast before
// it, the resurrection taken. The kidnapping event is declined: its orcs
// are made from the character, not from the data, and fighting them (with
// -rescue) kills a character about every fifth day whatever the data.
//
// Prints, per class and day, the level, the gold on hand and the deaths
// so far: the balance figures of the data, not a timing.
//
// Usage: hunt_bench [days] [seed] [-v] [-rescue]
//        (30 days, seed 1; -v: every day; -rescue: fight the kidnappers)
#include <ftw.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/combat/hunt.h"
#include "game/combat/items.h"
#include "game/combat/spells.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/money/money.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/player/level.h"
#include "game/town/creation.h"

namespace {

using Purenum::Integer;
using trv::db::Exec;
using trv::db::kPlayer;
using trv::db::TableName;

constexpr int kFightsPerDay = 17;
constexpr long long kReserve = 1000;  // gold kept back from shopping

// The training options the classes take (gains of MaxHP, Strength,
// Defense, Agility, Stamina, MaxMagicPower, Charm, Intellect, Mental).
struct Training {
  int max_hp, strength, defense, agility, stamina, max_magic, charm, intellect, mental;
};
constexpr Training kConventional{6, 3, 4, 1, 3, 7, 3, 4, 3};
constexpr Training kOffensive{10, 6, 2, 5, 6, 0, 3, 2, 1};
constexpr Training kSorcery{6, 2, 2, 1, 3, 10, 3, 7, 8};

struct Plan {
  char class_key;
  const char* name;
  char guild_key;
  const Training* training;
};
const Plan kPlans[] = {
    {'1', "Gladiator", '1', &kOffensive},    {'2', "Cleric", '5', &kConventional},
    {'3', "Assassin", '4', &kOffensive},     {'4', "Thief", '4', &kOffensive},
    {'5', "Monk", '1', &kConventional},      {'6', "Ranger", '1', &kOffensive},
    {'7', "Sorcerer", '2', &kSorcery},       {'8', "Sage", '3', &kSorcery},
    {'9', "Alchemist", '4', &kConventional}, {'0', "Paladin", '5', &kConventional},
};

// The lowest level each area is recommended for (13 is never chosen).
constexpr int kAreaFrom[31] = {0,  1,  3,  6,  11, 15, 20, 24, 28, 32, 36, 41,  45,  999, 49, 53,
                               57, 61, 65, 69, 73, 77, 81, 85, 89, 93, 97, 101, 111, 121, 131};

int AreaFor(long long level, int caution) {
  int area = 1;
  for (int a = 1; a <= trv::combat::kAreaCount; ++a)
    if (a != trv::combat::kSecretArea && kAreaFrom[a] <= level) area = a;
  for (int i = 0; i < caution && area > 1; ++i) area -= area == 14 ? 2 : 1;
  return area;
}

// ---- The scripted caller on the other end of the kit's line ----

class Caller {
 public:
  explicit Caller(int fd) : fd_(fd), thread_([this] { Run(); }) {}
  ~Caller() {
    stop_ = true;
    thread_.join();
  }
  void StartTrip(int area) {
    std::lock_guard<std::mutex> lock(mu_);
    area_ = area;
    searched_ = false;
    in_trip_ = true;
  }
  void EndTrip() { in_trip_ = false; }
  int deaths() const { return deaths_; }
  void RescueGirls() { rescue_ = true; }

 private:
  void Send(const std::string& keys) {
    if (write(fd_, keys.data(), keys.size()) < 0) perror("caller");
  }
  // Text with the ANSI sequences left out.
  static void AppendPlain(std::string* text, const char* bytes, size_t size, bool* in_escape) {
    for (size_t i = 0; i < size; ++i) {
      const char c = bytes[i];
      if (*in_escape) {
        if (isalpha(static_cast<unsigned char>(c))) *in_escape = false;
      } else if (c == '\x1b') {
        *in_escape = true;
      } else {
        text->push_back(c);
      }
    }
  }
  static bool EndsWith(const std::string& text, const char* end) {
    const size_t n = strlen(end);
    return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
  }
  // The answer to a question the text ends with; "" when it ends with none.
  std::string Answer(const std::string& text) {
    std::lock_guard<std::mutex> lock(mu_);
    if (EndsWith(text, "Choose Your Fate: <Press 0 to leave> "))
      return std::to_string(area_) + "\r";
    if (EndsWith(text, "Thou Choice : ")) {
      const bool first = !searched_;
      searched_ = true;
      return first ? "S" : "R";
    }
    if (EndsWith(text, "Thy Choice: ")) return "F";
    if (EndsWith(text, "to not cast>: ")) return "1";
    if (EndsWith(text, "Continue Fighting? (y/n) ")) return "Y";
    // The kidnappers are made from the character itself, not from the
    // data: a careful player leaves them be (see the header).
    if (EndsWith(text, "save her life (y/n)? ")) return rescue_ ? "Y" : "N";
    if (EndsWith(text, "Resurrect Your Soul? (y/N) ")) {
      ++deaths_;
      return "Y";
    }
    return "";
  }
  void Run() {
    std::string text;
    bool in_escape = false;
    int quiet_ms = 0;
    char buffer[8192];
    while (!stop_) {
      pollfd p{fd_, POLLIN, 0};
      const int ready = poll(&p, 1, text.empty() ? 20 : 3);
      if (ready > 0) {
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n <= 0) return;
        AppendPlain(&text, buffer, static_cast<size_t>(n), &in_escape);
        quiet_ms = 0;
        const std::string answer = Answer(text);
        if (answer.empty()) continue;
        Send(answer);
        text.clear();
      } else if (ready == 0 && !text.empty()) {
        Send(" ");  // quiet after text without a question: a key wait
        text.clear();
        quiet_ms = 0;
      } else if (ready == 0 && in_trip_ && (quiet_ms += 20) >= 60) {
        Send(" ");  // a second key wait right after the first
        quiet_ms = 0;
      }
    }
  }

  const int fd_;
  std::mutex mu_;
  int area_ = 1;
  bool searched_ = false;
  std::atomic<int> deaths_{0};
  bool rescue_ = false;
  std::atomic<bool> in_trip_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// ---- What a careful player does in town between trips ----

std::string Me() { return od_control.user_name; }

Integer Gold() { return trv::player::Amount(trv::player::CallerText("Gold").c_str()); }

void SetGold(const Integer& gold) {
  Exec(kPlayer, "UPDATE %s SET Gold=%Q WHERE UserName=%Q", TableName(kPlayer), gold.str().c_str(),
       Me().c_str());
}

void TakeLevels(const Training& t) {
  for (;;) {
    const trv::db::ResultTable row = trv::player::CallerRow("Level,Experience");
    const long long needed =
        trv::player::LevelThreshold(row.Int(0, 0), trv::player::LevelMultiplier());
    if (row.Int(0, 1) < needed) return;
    Exec(kPlayer,
         "UPDATE %s SET Level=Level+1,MaxHP=MaxHP+%d,Strength=Strength+%d,Defense=Defense+%d,"
         "Agility=Agility+%d,Stamina=Stamina+%d,MaxMagicPower=MaxMagicPower+%d,Charm=Charm+%d,"
         "Intellect=Intellect+%d,Mental=Mental+%d,ProfExp=ProfExp+2 WHERE UserName=%Q",
         TableName(kPlayer), t.max_hp, t.strength, t.defense, t.agility, t.stamina, t.max_magic,
         t.charm, t.intellect, t.mental, Me().c_str());
    Exec(kPlayer,
         "UPDATE %s SET HP=MaxHP,MagicPower=MaxMagicPower,Experience=Experience-%lld WHERE "
         "UserName=%Q",
         TableName(kPlayer), needed, Me().c_str());
  }
}

bool MayLearn(const std::string& guild, const std::string& book) {
  const int n = atoi(book.c_str());
  if (n >= 3 && n <= 6) return guild == "Black Art";
  if (n >= 7) return guild == "White Art";
  return true;
}

// The strongest spell it can cast and afford with half its spare gold,
// into Magic1 (the one the caller casts before every fight).
void LearnSpell() {
  using namespace trv::combat;
  const SpellTable spells = ReadSpells();
  const trv::db::ResultTable row = trv::player::CallerRow("Guild,MaxMagicPower,Magic1");
  const Spell* known = FindSpell(spells, row.Text(0, 2));
  const Spell* best = nullptr;
  const Integer budget = (Gold() - kReserve) / 2;
  for (const Spell& s : spells) {
    if (!MayLearn(row.Text(0, 0), s.book) || s.cost > row.Int(0, 1)) continue;
    if (known && s.power <= known->power) continue;
    if (trv::player::Amount(s.price.c_str()) > budget) continue;
    if (!best || s.power > best->power) best = &s;
  }
  if (!best) return;
  SetGold(Gold() - trv::player::Amount(best->price.c_str()));
  Exec(kPlayer, "UPDATE %s SET Magic1=%Q WHERE UserName=%Q", TableName(kPlayer), best->name.c_str(),
       Me().c_str());
}

// Upgrades one worn slot at a time, the one furthest behind its shop's
// list first, until nothing better is affordable.
void BuyGear() {
  using namespace trv::combat;
  const ItemTable items = ReadItems();
  for (;;) {
    const Slots slots = ReadSlots(Me());
    const Integer gold = Gold();
    const Item* best = nullptr;
    int best_slot = 0;
    double best_weight = -1;
    for (int slot = 1; slot <= kLastWornSlot; ++slot) {
      const Item* worn = FindItem(items, slots[slot]);
      std::vector<const Item*> shelf;
      std::string category;
      for (const Item& item : items) {
        const std::vector<int> fits = SlotsFor(item.category);
        if (std::find(fits.begin(), fits.end(), slot) == fits.end()) continue;
        shelf.push_back(&item);
      }
      const Integer budget = gold - kReserve + (worn ? SalePrice(*worn) : Integer(0));
      const Item* pick = nullptr;
      for (const Item* item : shelf) {
        if (worn && item->power <= worn->power) continue;
        if (trv::player::Amount(item->price.c_str()) > budget) continue;
        if (!pick || item->power > pick->power) pick = item;
      }
      if (!pick) continue;
      auto at = [&](const Item* item) {
        return item ? std::find(shelf.begin(), shelf.end(), item) - shelf.begin() : -1;
      };
      const double weight = static_cast<double>(at(pick) - at(worn)) + (slot <= 2 ? 0.5 : 0);
      if (weight > best_weight) {
        best_weight = weight;
        best = pick;
        best_slot = slot;
      }
    }
    if (!best) return;
    Integer after = gold - trv::player::Amount(best->price.c_str());
    if (const Item* worn = FindItem(items, slots[best_slot])) {
      after += SalePrice(*worn);
      ApplyBonus(Me(), worn->bonus, -1);
    }
    SetGold(after);
    Exec(kPlayer, "UPDATE %s SET Equip%d=%Q WHERE UserName=%Q", TableName(kPlayer), best_slot,
         best->name.c_str(), Me().c_str());
    ApplyBonus(Me(), best->bonus, 1);
  }
}

void BuyPotions() {
  const long long missing = 300 - trv::player::CallerInt("Potions");
  Integer affordable = Gold() / 2;
  long long bought = missing;
  if (affordable < bought) bought = std::stoll(std::max(affordable, Integer(0)).str());
  if (bought <= 0) return;
  SetGold(Gold() - Integer(bought) * 2);
  Exec(kPlayer, "UPDATE %s SET Potions=Potions+%lld WHERE UserName=%Q", TableName(kPlayer), bought,
       Me().c_str());
}

void MakeCharacter(const Plan& plan) {
  const std::string user = Me();
  Exec(kPlayer,
       "INSERT INTO %s (UserName,PlayerName,Kingdom,Gender,Status,WhereInGame) VALUES "
       "(%Q,%Q,'Avalon','Male',1,'Main Street')",
       TableName(kPlayer), user.c_str(), plan.name);
  trv::creation::StoreFirstRace(user, '1');  // Human
  trv::creation::StoreSecondRace(user, '1');
  trv::creation::StoreFirstClass(user, plan.class_key);
  trv::creation::StoreSecondClass(user, plan.class_key);
  trv::creation::StoreStartingValues(user, plan.guild_key);
  Exec(kPlayer,
       "UPDATE %s SET Magic1='',Magic2='',Magic3='',Magic4='',Equip1='',Equip2='',Equip3='',"
       "Equip4='',Equip5='',Equip6='',Equip7='',Equip8='',Equip9='',Equip10='',Equip11='',"
       "Equip12='',Equip13='',Equip14='' WHERE UserName=%Q",
       TableName(kPlayer), user.c_str());
}

struct Day {
  long long level;
  Integer gold;
  int deaths;
};

std::string Short(const Integer& gold) {
  const double value = std::stod(gold.str());
  char text[32];
  if (value >= 1e6)
    snprintf(text, sizeof text, "%.1fM", value / 1e6);
  else
    snprintf(text, sizeof text, "%.0fk", value / 1e3);
  return text;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

void CopyData(const char* name) {
  std::ifstream in(std::string(TRV_SOURCE_DIR) + "/data/Data/" + name, std::ios::binary);
  std::ofstream out(std::string("Data/") + name, std::ios::binary);
  out << in.rdbuf();
}

}  // namespace

int main(int argc, char** argv) {
  int days = 30;
  unsigned seed = 1;
  bool every_day = false;
  bool rescue = false;
  int number = 0;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "-v") == 0) {
      every_day = true;
    } else if (strcmp(argv[i], "-rescue") == 0) {
      rescue = true;
    } else if (number++ == 0) {
      days = atoi(argv[i]);
    } else {
      seed = static_cast<unsigned>(atoi(argv[i]));
    }
  }
  char dir[] = "/dev/shm/trv_hunt_bench_XXXXXX";
  char fallback[] = "/tmp/trv_hunt_bench_XXXXXX";
  const char* made = mkdtemp(dir);
  if (!made) made = mkdtemp(fallback);
  if (!made || chdir(made) != 0 || mkdir("Data", 0755) != 0) {
    perror("hunt_bench");
    return 1;
  }
  for (const char* file : {"monster.dat", "item.dat", "magic.dat"}) CopyData(file);
  setenv("TRV_SEED", std::to_string(seed).c_str(), 1);

  int line[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, line) != 0) return 1;
  od_kit_attach(line[0], line[0]);
  od_control.od_inactivity = 3600;
  trv::db::InsertConfigDefaults();
  Exec(trv::db::kKingdom,
       "INSERT INTO %s (IDNum,Name,Ruler,RulerUserName,Prince,Princess,Baron,Royal,TaxRate,Land,"
       "HoldTaxes) VALUES (1,'Avalon','Nobody','nobody','','','','',10,1200,'0')",
       TableName(trv::db::kKingdom));

  const auto started = std::chrono::steady_clock::now();
  Caller caller(line[1]);
  if (rescue) caller.RescueGirls();
  std::vector<std::vector<Day>> table;
  long long trips = 0;
  for (const Plan& plan : kPlans) {
    snprintf(od_control.user_name, sizeof od_control.user_name, "bench%c", plan.class_key);
    MakeCharacter(plan);
    const int deaths_before = caller.deaths();
    int caution = 0;
    int streak = 0;
    std::vector<Day> log;
    for (int day = 1; day <= days; ++day) {
      // The day's maintenance.
      Exec(kPlayer,
           "UPDATE %s SET MonsterFights=%d,HP=MaxHP,MagicPower=MaxMagicPower WHERE UserName=%Q",
           TableName(kPlayer), kFightsPerDay, Me().c_str());
      while (trv::player::CallerInt("MonsterFights") > 0) {
        TakeLevels(*plan.training);
        LearnSpell();
        BuyGear();
        BuyPotions();
        const int deaths = caller.deaths();
        caller.StartTrip(AreaFor(trv::player::CallerInt("Level"), caution));
        BeginOutside();
        caller.EndTrip();
        ++trips;
        if (caller.deaths() > deaths) {
          ++caution;
          streak = 0;
        } else if (++streak >= 25 && caution > 0) {
          --caution;
          streak = 0;
        }
      }
      TakeLevels(*plan.training);
      log.push_back({trv::player::CallerInt("Level"), Gold(), caller.deaths() - deaths_before});
    }
    table.push_back(log);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  printf("A month of hunting: level / gold on hand / deaths so far, at the end of each day\n");
  printf("(17 monster fights a day, LevelMultiplier 10000, kingdom tax 10 %%, seed %u)\n\n", seed);
  std::vector<int> shown;
  for (int day = 1; day <= days; ++day)
    if (every_day || day == 1 || day % 5 == 0 || day == days) shown.push_back(day);
  printf("%-10s", "day");
  for (int day : shown) printf(" %15d", day);
  printf("\n");
  for (size_t c = 0; c < table.size(); ++c) {
    printf("%-10s", kPlans[c].name);
    for (int day : shown) {
      const Day& d = table[c][day - 1];
      char cell[48];
      snprintf(cell, sizeof cell, "%lld/%s/%d", d.level, Short(d.gold).c_str(), d.deaths);
      printf(" %15s", cell);
    }
    printf("\n");
  }
  printf("\n%lld trips outside in %.1f s\n", trips, seconds);
  if (chdir("/") == 0) nftw(made, RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  od_kit_reset();
  return 0;
}
