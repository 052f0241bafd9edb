#include "tests/load/load.h"

#include <signal.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

#include "game/db/schema.h"
#include "game/maint/returns.h"
#include "game/money/Integer.h"
#include "tests/harness/harness.h"

namespace trv::load {
namespace {

using harness::Caller;
using harness::GameDir;
using harness::Session;
using harness::SessionOptions;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using Purenum::Integer;

constexpr char kCallersGold[] =
    "SELECT Gold,BankGold,Depository FROM player WHERE UserName LIKE 'caller%' "
    "OR UserName='sleeper'";
// The character nobody plays: its bank account shows how often a day paid.
constexpr char kSleeperBank[] = "1000000";
constexpr auto kPromptWait = 10s;
constexpr auto kEndWait = 5s;  // a door ends this soon after its caller hangs up

// What ends a step: a text after the keys, or the cursor on a cell once
// the door has answered the keys.
struct Prompt {
  std::vector<std::string> texts;
  int row = 0;
  int column = 0;
};

Prompt Text(std::string text) { return Prompt{{std::move(text)}, 0, 0}; }
Prompt Cursor(int row, int column) { return Prompt{{}, row, column}; }

const Prompt kMainStreet = Cursor(21, 26);
const Prompt kBank = Cursor(23, 14);
const Prompt kAlley = Cursor(18, 27);
const Prompt kTitle = Cursor(17, 54);

// Questions any screen may put in the way (mail that came meanwhile, a
// list longer than a page, a message before the menu comes back), and the
// key that answers each.
const std::vector<std::pair<std::string, std::string>> kInTheWay = {
    {"Press Any Key", " "},
    {"No one else is online..", " "},
    {"has entered the realm!", " "},
    {"has left the realm..", " "},
    {"Tele-Gram Received!", " "},
    {"Tele-Gram Dispatched!", " "},
    {"Continue (y/n)? ", "y"},
    {"Sorry, you don't have that much", " "},
    {"You don't have any gold to deposit!", " "},
    {"Gold Transferred!", " "},
    {"That player is currently not online!", " "},
    {"You are out of evil deeds for today!", " "},
    {"you try to pickpocket them..", " "},
    {"You attempt to sneak up behind them..", " "},
    {"You Failed!", " "},
};

std::string Day(int days) {
  time_t when = time(nullptr) + days * 86400L;
  struct tm local;
  localtime_r(&when, &local);
  char text[16];
  strftime(text, sizeof text, "%Y%m%d", &local);
  return text;
}

Integer Amount(const std::string& text) {
  try {
    return text.empty() ? Integer(0) : Integer(text);
  } catch (const Integer::exception&) {
    return Integer(0);
  }
}

// Everything the callers share.
struct Run {
  LoadOptions options;
  GameDir* dir = nullptr;
  std::string launch;
  std::vector<std::string> ids;  // the callers' IDNum, by caller
  std::ostream* log = nullptr;

  std::mutex mu;
  LoadReport report;
  std::vector<pid_t> doors;  // running now, for the killer

  std::atomic<bool> stop{false};
  // The new day: callers wait here while it is closed.
  std::mutex gate_mu;
  std::condition_variable gate_cv;
  bool gate_closed = false;
  int waiting = 0;

  void Fault(const std::string& what) {
    std::lock_guard<std::mutex> lock(mu);
    if (report.faults.size() < 200) report.faults.push_back(what);
    *log << "fault: " << what << "\n";
  }
  void Note(const std::string& what) {
    std::lock_guard<std::mutex> lock(mu);
    if (report.notes.size() < 200) report.notes.push_back(what);
    *log << "note: " << what << "\n";
  }
  void Count(int LoadReport::*field) {
    std::lock_guard<std::mutex> lock(mu);
    ++(report.*field);
  }
  void Latency(Clock::duration d, bool door_start) {
    std::lock_guard<std::mutex> lock(mu);
    const int64_t us = std::chrono::duration_cast<std::chrono::microseconds>(d).count();
    if (door_start) {
      report.start_us.push_back(us);
      return;
    }
    ++report.actions;
    report.latency_us.push_back(us);
  }
  void AddDoor(pid_t pid) {
    std::lock_guard<std::mutex> lock(mu);
    doors.push_back(pid);
  }
  void RemoveDoor(pid_t pid) {
    std::lock_guard<std::mutex> lock(mu);
    doors.erase(std::remove(doors.begin(), doors.end(), pid), doors.end());
  }
  // Kills one running door; false when none runs.
  bool KillOne(std::mt19937& random) {
    std::lock_guard<std::mutex> lock(mu);
    if (doors.empty()) return false;
    pid_t pid = doors[random() % doors.size()];
    if (kill(pid, SIGKILL) != 0) return false;
    ++report.kills;
    return true;
  }
  int KillAll() {
    std::lock_guard<std::mutex> lock(mu);
    for (pid_t pid : doors) kill(pid, SIGKILL);
    report.kills += static_cast<int>(doors.size());
    return static_cast<int>(doors.size());
  }
  // Blocks while the gate is closed.
  void PassGate() {
    std::unique_lock<std::mutex> lock(gate_mu);
    if (!gate_closed) return;
    ++waiting;
    gate_cv.notify_all();
    gate_cv.wait(lock, [this] { return !gate_closed; });
    --waiting;
  }
};

// One caller: connects, walks, drops or quits, connects again.
class CallerLoop {
 public:
  CallerLoop(Run* run, int index)
      : run_(run), index_(index), random_(run->options.seed * 7919u + index) {}

  // Rounds until the run stops; the last round (into the last day) only
  // enters the realm.
  void operator()() {
    for (;;) {
      run_->PassGate();
      const bool last = run_->stop;
      Connect();
      if (InRealm() && !last) Walk();
      End();
      if (last) break;
    }
  }

 private:
  std::string User() const {
    char name[16];
    snprintf(name, sizeof name, "caller%02d", index_ + 1);
    return name;
  }

  int Random(int n) { return n <= 0 ? 0 : static_cast<int>(random_() % n); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }

  void Think() {
    if (run_->options.think_ms > 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(Random(run_->options.think_ms + 1)));
  }

  bool Alive() { return session_ && session_->Poll().running(); }

  // Sends keys and waits for the prompt, answering what comes in the way;
  // each prompt reached is one latency. False when the door is gone or
  // the prompt never came (then the caller hangs up).
  bool Step(const std::string& keys, const Prompt& want,
            std::chrono::milliseconds wait = kPromptWait, bool may_miss = false) {
    if (!Alive()) return false;
    // A prompt's cell may be passed while the screen is still drawn; keys
    // go once the door has gone quiet, as a person's would.
    if (!keys.empty()) session_->WaitQuiet(15ms, 1s);
    // A new door's first prompt may be there before anybody looks.
    size_t from = keys.empty() ? 0 : session_->ScreenText().size();
    if (!keys.empty()) session_->TrySend(keys);
    Clock::time_point sent = Clock::now();
    for (int answered = 0; answered < 20; ++answered) {
      int hit = -1;  // -2: the prompt; >= 0: a question in the way
      size_t hit_at = 0;
      auto found = [&](const harness::Screen& screen, const std::string& text) {
        size_t best = std::string::npos;
        for (size_t i = 0; i < kInTheWay.size(); ++i) {
          size_t at = text.find(kInTheWay[i].first, from);
          if (at < best) {
            best = at;
            hit = static_cast<int>(i);
            hit_at = at + kInTheWay[i].first.size();
          }
        }
        for (size_t t = 0; t < want.texts.size(); ++t) {
          size_t at = text.find(want.texts[t], from);
          if (at != std::string::npos && at <= best) {
            hit = -2;
            by_text_ = true;
            matched_ = t;
            hit_at = at + want.texts[t].size();
            return true;
          }
        }
        if (want.row > 0 && text.size() > from && screen.CursorRow() == want.row &&
            screen.CursorColumn() == want.column && best == std::string::npos) {
          hit = -2;
          by_text_ = false;
          hit_at = text.size();
          return true;
        }
        return best != std::string::npos;
      };
      if (!session_->WaitUntil(found, "the next prompt", wait)) {
        if (Alive() && !may_miss) {
          // Logged, not a fault: the driver and a screen disagreed on what
          // comes next; the caller hangs up and starts again.
          const int row = session_->screen()->CursorRow();
          const int column = session_->screen()->CursorColumn();
          const std::string text = session_->ScreenText();
          run_->Note(User() + ": no prompt after \"" + harness::Visible(keys) + "\" (cursor " +
                     std::to_string(row) + "," + std::to_string(column) + "): " + Tail(text));
          run_->Count(&LoadReport::lost_prompts);
        }
        return false;
      }
      run_->Latency(Clock::now() - sent, keys.empty() && answered == 0);
      if (hit == -2) return true;
      from = hit_at;
      session_->TrySend(kInTheWay[static_cast<size_t>(hit)].second);
      sent = Clock::now();
    }
    return false;
  }

  static std::string Tail(const std::string& text) {
    std::string tail = text.size() > 160 ? text.substr(text.size() - 160) : text;
    for (char& c : tail)
      if (c == '\n' || c == '\r') c = '|';
    return tail;
  }

  void Connect() {
    Caller caller;
    caller.user_name = User();
    caller.node = index_ + 1;
    SessionOptions options = run_->dir->CallerSession(run_->launch, caller);
    if (!run_->options.journal.empty()) options.env["TRV_JOURNAL"] = run_->options.journal;
    session_ = std::make_unique<Session>(std::move(options));
    run_->AddDoor(session_->pid());
    run_->Count(&LoadReport::connects);
  }

  // From the title through the entry list and the news question.
  bool InRealm() {
    Prompt title = kTitle;
    title.texts = {"Maintenance has not run today"};
    if (!Step("", title)) return false;
    if (session_->ScreenText().find("Maintenance has not run today") != std::string::npos) {
      run_->Fault(User() + ": the day did not run at the start of a door");
      return false;
    }
    // The title draws around its prompt; a key before it is done is lost.
    session_->WaitQuiet(50ms, 2s);
    const Prompt news = Text("Read Daily Realm News (y/n)? ");
    return (Step("e", news, 3s, true) || Step("e", news)) && Step("n", kMainStreet);
  }

  std::string SomeAmount() {
    switch (Random(4)) {
      case 0:
        return "1";  // all of it
      case 1:
        return std::to_string(1 + Random(50));
      default:
        return std::to_string(100 + Random(5000));
    }
  }

  std::string SomeoneElse() {
    int other = Random(static_cast<int>(run_->ids.size()) - 1);
    if (other >= index_) ++other;
    return run_->ids[static_cast<size_t>(other)];
  }

  // A hang-up in the middle of whatever screen is up.
  bool MaybeHangUp() {
    if (!Chance(run_->options.hangup_chance)) return false;
    run_->Count(&LoadReport::hangups);
    session_->HangUp();
    return true;
  }

  bool BankWalk() {
    if (!Step("b", kBank)) return false;
    for (int n = 1 + Random(4); n > 0; --n) {
      Think();
      if (MaybeHangUp()) return false;
      bool ok = true;
      switch (Random(4)) {
        case 0:
        case 1: {
          const char* key = Random(2) ? "d" : "w";
          ok = Step(key, Text("How much?: ")) && Step(SomeAmount() + "\r", kBank);
          break;
        }
        case 2: {
          Prompt asked = kBank;
          asked.texts = {"(y/N)? "};
          ok = Step("t", Text("Enter Player ID# <Enter to Exit>: ")) &&
               Step(SomeoneElse() + "\r", asked);
          if (!ok || !by_text_) break;  // back at the bank already
          Prompt amount = kBank;
          amount.texts = {"Transfer: $"};
          ok = Step("y", amount);
          if (!ok || !by_text_) break;
          if (MaybeHangUp()) return false;
          ok = Step(SomeAmount() + "\r", asked) && Step("y", kBank);
          break;
        }
        default: {
          ok = Step("s", Text("Your Selection: "));
          for (int k = Random(3); ok && k > 0; --k)
            ok = Step(Random(2) ? "d" : "w", Text("How much?: ")) &&
                 Step(SomeAmount() + "\r", Text("Your Selection: "));
          ok = ok && Step("r", kBank);
          break;
        }
      }
      if (!ok) return false;
    }
    return Step("r", kMainStreet);
  }

  bool OnLineWalk() {
    if (!Step(".", Text("Send TeleGram"))) return false;
    if (Random(2)) return Step("n", kMainStreet);
    // A telegram to another caller, on-line or not.
    Prompt id = kMainStreet;
    id.texts = {"Enter Player ID# <Enter to Exit>: "};
    Prompt line = kMainStreet;
    line.texts = {"Line 1: "};
    if (!Step("y", id)) return false;
    if (!by_text_) return true;
    if (!Step(SomeoneElse() + "\r", line)) return false;
    if (!by_text_) return true;  // not on-line: back on Main Street
    return Step("hello from " + User() + "\r", Text("Line 2: ")) &&
           Step("/s\r", Text("Send this TeleGram")) && Step("y", kMainStreet);
  }

  bool ChatWalk() {
    if (!Step("=", Cursor(22, 9))) return false;
    if (MaybeHangUp()) return false;
    session_->TrySend("hi all from " + User() + "\r");
    // A notice from the realm that comes up meanwhile takes the next key,
    // whichever it is (the room's own rule): ask to leave again.
    for (int tries = 0; tries < 6; ++tries)
      if (Step("\x11", kMainStreet, 3s, true)) return true;
    return Step("\x11", kMainStreet);
  }

  bool NewsWalk() { return Step("d", kMainStreet); }

  // The dark alley's door and back.
  bool AlleyWalk() { return Step("s", kAlley) && Step("r", kMainStreet); }

  // A rogue picks another caller's pocket: the whole purse goes from one
  // caller to the other, or the guards stop him; no coin is made or lost.
  // The victim may be off-line and the day's deeds spent.
  bool PickpocketWalk() {
    const Prompt guild = Text("Your Selection: ");
    Prompt id = guild;
    id.texts.push_back("Enter Player ID# <Enter to Exit>: ");
    Prompt asked = guild;
    asked.texts.push_back("(y/N)? ");
    if (!Step("s", kAlley) || !Step("t", guild) || !Step("p", id)) return false;
    if (matched_ == 1) {
      if (MaybeHangUp() || !Step(SomeoneElse() + "\r", asked)) return false;
      // Whether to try, then whether to spend the deed.
      for (int question = 0; matched_ == 1 && question < 2; ++question)
        if (!Step("y", asked)) return false;
    }
    return Step("r", kAlley) && Step("r", kMainStreet);
  }

  void Walk() {
    for (int n = 3 + Random(12); n > 0 && !run_->stop; --n) {
      Think();
      if (MaybeHangUp()) return;
      bool ok;
      switch (Random(12)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
          ok = BankWalk();
          break;
        case 5:
        case 6:
          ok = OnLineWalk();
          break;
        case 7:
        case 8:
          ok = ChatWalk();
          break;
        case 9:
          ok = NewsWalk();
          break;
        case 10:
          ok = PickpocketWalk();
          break;
        default:
          ok = AlleyWalk();
          break;
      }
      if (!ok) return;
      if (GateClosing()) return;
    }
    // Leaves properly now and then; otherwise drops the line.
    if (Random(2)) session_->TrySend("q");
  }

  bool GateClosing() {
    std::lock_guard<std::mutex> lock(run_->gate_mu);
    return run_->gate_closed;
  }

  void End() {
    if (!session_) return;
    const pid_t pid = session_->pid();
    harness::ExitStatus status = session_->Poll();
    if (status.running()) {
      session_->HangUp();
      status = session_->WaitExit(kEndWait);
      if (status.running()) {
        run_->Fault(User() + ": the door was still running " + "5 s after the hang-up");
        run_->Count(&LoadReport::stuck);
        session_->Kill(SIGKILL);
        session_->WaitExit(kEndWait);
      }
    }
    run_->RemoveDoor(pid);
    const std::string text = session_->ScreenText() + session_->StderrText();
    if (text.find("SQL Error") != std::string::npos) {
      run_->Fault(User() + ": " + Tail(text.substr(text.find("SQL Error"))));
      run_->Count(&LoadReport::sql_errors);
    }
    session_.reset();
  }

  Run* run_;
  int index_;
  std::mt19937 random_;
  std::unique_ptr<Session> session_;
  bool by_text_ = false;  // the last step ended at a text, not the cursor
  size_t matched_ = 0;    // and which of its texts
};

// The callers' gold, and the interest the next day will pay on it.
Integer CallersGold(GameDir& dir, Integer* interest) {
  Integer total = 0;
  if (interest != nullptr) *interest = 0;
  for (const auto& row : dir.QueryRows(kCallersGold)) {
    total += Amount(row[0]);
    total += Amount(row[1]);
    total += Amount(row[2]);
    if (interest != nullptr) *interest += maint::BankInterest(Amount(row[1]));
  }
  return total;
}

// Turns the day back, so the next door to start runs maintenance.
void TurnDay(GameDir& dir) {
  const std::string yesterday = Day(-1);
  dir.Exec("PRAGMA user_version=" + yesterday);
  dir.WriteFile("Data/time.dat", yesterday + std::string(5, '\0'));
}

void WaitForCallersAtGate(Run& run, int callers) {
  std::unique_lock<std::mutex> lock(run.gate_mu);
  run.gate_cv.wait_for(lock, 60s, [&] { return run.waiting >= callers; });
}

}  // namespace

namespace {
double PercentileOf(const std::vector<int64_t>& sorted, int p) {
  if (sorted.empty()) return 0;
  return static_cast<double>(sorted[std::min(sorted.size() - 1, sorted.size() * p / 100)]);
}
}  // namespace

double LoadReport::Percentile(int p) const { return PercentileOf(latency_us, p); }
double LoadReport::StartPercentile(int p) const { return PercentileOf(start_us, p); }

bool LoadReport::Clean() const {
  return faults.empty() && sql_errors == 0 && stuck == 0 && on_line == 0 && num_players == 0 &&
         integrity == "ok" && days_paid_once && !gold_start.empty() &&
         gold_end == (Integer(gold_start) + Integer(gold_created)).str();
}

std::string Summary(const LoadReport& r) {
  std::ostringstream out;
  char figures[256];
  snprintf(figures, sizeof figures,
           "%.0f s, %lld prompts, %.1f prompts/s, p50 %.1f ms, p99 %.1f ms, max %.1f ms", r.seconds,
           static_cast<long long>(r.actions), r.seconds > 0 ? r.actions / r.seconds : 0,
           r.Percentile(50) / 1000, r.Percentile(99) / 1000,
           r.latency_us.empty() ? 0 : r.latency_us.back() / 1000.0);
  out << figures;
  snprintf(figures, sizeof figures, "; door start to title p50 %.1f ms, p99 %.1f ms",
           r.StartPercentile(50) / 1000, r.StartPercentile(99) / 1000);
  out << figures << "; connects " << r.connects << ", hang-ups " << r.hangups << ", kills "
      << r.kills << ", days " << r.days_run << "; SQL errors " << r.sql_errors << ", stuck "
      << r.stuck << ", lost prompts " << r.lost_prompts << "; on-line " << r.on_line
      << ", NumPlayers " << r.num_players << ", integrity " << r.integrity << ", journal "
      << r.journal_mode << "; gold " << r.gold_start << " + " << r.gold_created << " -> "
      << r.gold_end << (r.Clean() ? " (conserved)" : "") << ", days paid once "
      << (r.days_paid_once ? "yes" : "NO");
  return out.str();
}

LoadReport RunLoad(const LoadOptions& options, std::ostream& log) {
  GameDir dir;
  Run run;
  run.options = options;
  run.dir = &dir;
  run.log = &log;
  const std::string program =
      options.program.empty() ? harness::ProgramPath("TRVLaunch") : options.program;
  run.launch = dir.LinkProgram(program);

  // The world: every table, the default options, one kingdom without
  // taxes, the callers and the sleeper; today paid.
  for (int table = 0; table < db::kTableCount; ++table) dir.Exec(db::CreationStatement(table));
  dir.Exec(
      "INSERT INTO config (MonsterFights,PlayerFights,StartGold,LevelMultiplier,GoodDeeds,"
      "EvilDeeds,Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) VALUES "
      "(17,3,'10000',10000,3,3,1,1,0,0,'')");
  test::Kingdom avalon(1, "Avalon", "Rex", "rex");
  avalon.tax_rate = 0;
  avalon.merchant_tax = 0;
  dir.AddKingdom(avalon);
  for (int i = 0; i < options.callers; ++i) {
    char user[16], name[16];
    snprintf(user, sizeof user, "caller%02d", i + 1);
    snprintf(name, sizeof name, "Hero%02d", i + 1);
    test::Character c(user, name);
    c.gold = "20000";
    c.bank_gold = "20000";
    c.more = "Depository='0',Guild='Rogue'";
    dir.AddCharacter(c);
    run.ids.push_back(
        dir.Query(std::string("SELECT IDNum FROM player WHERE UserName='") + user + "'"));
  }
  test::Character sleeper("sleeper", "Sleeper");
  sleeper.gold = "0";
  sleeper.bank_gold = kSleeperBank;
  sleeper.more = "Depository='0'";
  dir.AddCharacter(sleeper);
  dir.Exec("PRAGMA user_version=" + Day(0));
  dir.WriteFile("Data/time.dat", Day(0) + std::string(5, '\0'));

  Integer created = 0;
  Integer sleeper_bank = Integer(kSleeperBank);
  run.report.gold_start = CallersGold(dir, nullptr).str();

  const Clock::time_point start = Clock::now();
  std::vector<std::thread> callers;
  for (int i = 0; i < options.callers; ++i) callers.emplace_back(CallerLoop(&run, i));

  // The killer: the kills spread over the run at random moments.
  std::thread killer([&] {
    std::mt19937 random(options.seed * 31u + 7u);
    if (options.kills <= 0) return;
    const double every_ms = options.seconds * 1000.0 / options.kills;
    int done = 0;
    while (!run.stop && done < options.kills) {
      std::this_thread::sleep_for(std::chrono::milliseconds(
          static_cast<int>(std::uniform_real_distribution<double>(0, 2 * every_ms)(random))));
      std::lock_guard<std::mutex> gate(run.gate_mu);
      if (!run.gate_closed && run.KillOne(random)) ++done;
    }
  });

  // One new day: nobody gets through the gate, every door is killed (their
  // callers become ghosts the day must see through), the day turns, and
  // all the callers start at once.
  auto new_day = [&](bool reopen) {
    {
      std::lock_guard<std::mutex> lock(run.gate_mu);
      run.gate_closed = true;
    }
    run.KillAll();
    WaitForCallersAtGate(run, options.callers);
    Integer interest;
    CallersGold(dir, &interest);
    created += interest;
    sleeper_bank += maint::BankInterest(sleeper_bank);
    TurnDay(dir);
    ++run.report.days_run;
    log << "new day: " << interest.str() << " interest due\n";
    if (!reopen) run.stop = true;
    {
      std::lock_guard<std::mutex> lock(run.gate_mu);
      run.gate_closed = false;
    }
    run.gate_cv.notify_all();
  };

  const auto deadline = start + std::chrono::milliseconds(static_cast<int>(options.seconds * 1000));
  if (options.new_day) {
    std::this_thread::sleep_until(start + (deadline - start) / 2);
    new_day(true);
  }
  std::this_thread::sleep_until(deadline);
  // The end: the last day with every door gone, started by every caller at
  // once; then they all leave.
  new_day(false);
  killer.join();
  for (std::thread& t : callers) t.join();
  run.report.seconds = std::chrono::duration<double>(Clock::now() - start).count();

  LoadReport report = std::move(run.report);
  std::sort(report.latency_us.begin(), report.latency_us.end());
  std::sort(report.start_us.begin(), report.start_us.end());
  report.on_line = dir.QueryInt("SELECT COUNT(*) FROM player WHERE Status=1");
  report.num_players = dir.QueryInt("SELECT NumPlayers FROM state");
  report.integrity = dir.Query("PRAGMA integrity_check");
  report.journal_mode = dir.Query("PRAGMA journal_mode");
  report.gold_created = created.str();
  report.gold_end = CallersGold(dir, nullptr).str();
  const std::string sleeper_now = dir.Query("SELECT BankGold FROM player WHERE UserName='sleeper'");
  report.days_paid_once =
      sleeper_now == sleeper_bank.str() && dir.Query("PRAGMA user_version") == Day(0);
  if (!report.days_paid_once)
    report.faults.push_back("the sleeper's bank holds " + sleeper_now + ", not " +
                            sleeper_bank.str() + " (day " + dir.Query("PRAGMA user_version") + ")");
  if (report.gold_end != (Integer(report.gold_start) + created).str())
    report.faults.push_back("gold: " + report.gold_start + " + " + created.str() +
                            " != " + report.gold_end);
  return report;
}

}  // namespace trv::load
