#include "tests/harness/game_dir.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace trv::harness {
namespace {

std::string BuiltProgram(const std::string& name) {
  if (name == "doorprobe") return TRV_PROGRAM_DOORPROBE;
  if (name == "TRVLaunch") return TRV_PROGRAM_TRVLAUNCH;
  if (name == "TRVConfig") return TRV_PROGRAM_TRVCONFIG;
  return "";
}

// Runs a statement on a fresh connection; rows go to `rows` when given.
bool RunSql(const std::string& db, const std::string& sql,
            std::vector<std::vector<std::string>>* rows, bool create) {
  sqlite3* conn = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(db.c_str(), &conn, flags, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << "cannot open " << db << ": " << sqlite3_errmsg(conn);
    sqlite3_close(conn);
    return false;
  }
  // Doors may hold the database for a moment.
  sqlite3_busy_timeout(conn, 5000);
  auto callback = [](void* out, int n, char** values, char**) -> int {
    if (out == nullptr) return 0;
    std::vector<std::string> row;
    for (int i = 0; i < n; ++i) row.emplace_back(values[i] ? values[i] : "");
    static_cast<std::vector<std::vector<std::string>>*>(out)->push_back(std::move(row));
    return 0;
  };
  char* error = nullptr;
  int rc = sqlite3_exec(conn, sql.c_str(), callback, rows, &error);
  if (rc != SQLITE_OK) {
    ADD_FAILURE() << "SQL failed (" << rc << "): " << (error ? error : "?") << "\n  " << sql;
    sqlite3_free(error);
  }
  sqlite3_close(conn);
  return rc == SQLITE_OK;
}

}  // namespace

std::string ProgramPath(const std::string& name) {
  if (const char* dir = getenv("TRV_PROGRAM_DIR"); dir != nullptr && *dir != '\0') {
    return (fs::path(dir) / name).string();
  }
  return BuiltProgram(name);
}

GameDir::GameDir() {
  const char* tmp = getenv("TMPDIR");
  std::string pattern = (fs::path(tmp && *tmp ? tmp : "/tmp") / "trv-game-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot make a game directory from " << pattern;
    return;
  }
  path_ = pattern;
  const fs::path data = fs::path(TRV_SOURCE_DIR) / "data";
  for (const char* sub : {"Data", "Skins", "Quests"}) {
    std::error_code ec;
    fs::create_directories(fs::path(path_) / sub, ec);
    if (fs::exists(data / sub)) {
      fs::copy(data / sub, fs::path(path_) / sub,
               fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
      if (ec) ADD_FAILURE() << "cannot copy " << (data / sub) << ": " << ec.message();
    }
  }
}

GameDir::~GameDir() {
  if (path_.empty()) return;
  if (const char* keep = getenv("TRV_KEEP_DIR"); keep != nullptr && *keep != '\0') {
    std::cerr << "game directory kept: " << path_ << "\n";
    return;
  }
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string GameDir::File(const std::string& relative) const {
  return (fs::path(path_) / relative).string();
}

std::string GameDir::LinkProgram(const std::string& program_path, const std::string& name) {
  if (program_path.empty() || !fs::exists(program_path)) {
    ADD_FAILURE() << "no program at \"" << program_path << "\"";
    return "";
  }
  const std::string link = File(name.empty() ? fs::path(program_path).filename().string() : name);
  // The programs find their directory by their real path, so a symlink
  // would lead them back to the build: a hard link, or a copy across file
  // systems, is the program itself in the game directory.
  const fs::path real = fs::canonical(program_path);
  std::error_code ec;
  fs::remove(link, ec);
  fs::create_hard_link(real, link, ec);
  if (ec) {
    ec.clear();
    fs::copy_file(real, link, ec);
  }
  if (ec) ADD_FAILURE() << "cannot install " << program_path << ": " << ec.message();
  // An installed game directory keeps the libraries beside the programs.
  for (const auto& entry : fs::directory_iterator(real.parent_path(), ec)) {
    const std::string file = entry.path().filename().string();
    if (file.rfind("lib", 0) != 0 || file.find(".so") == std::string::npos) continue;
    std::error_code ignored;
    if (!fs::exists(File(file))) fs::create_hard_link(entry.path(), File(file), ignored);
    if (ignored && !fs::exists(File(file))) fs::copy_file(entry.path(), File(file), ignored);
  }
  return link;
}

std::string GameDir::WriteFile(const std::string& relative, const std::string& bytes) {
  const fs::path p = File(relative);
  std::error_code ec;
  fs::create_directories(p.parent_path(), ec);
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) ADD_FAILURE() << "cannot write " << p;
  return p.string();
}

std::string GameDir::ReadFile(const std::string& relative) const {
  std::ifstream in(File(relative), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool GameDir::Exists(const std::string& relative) const { return fs::exists(File(relative)); }

namespace {

std::string NodeDir(const Caller& caller, const std::string& dir) {
  return dir.empty() ? "node" + std::to_string(caller.node) : dir;
}

std::string RealName(const Caller& caller) {
  return caller.real_name.empty() ? caller.user_name : caller.real_name;
}

}  // namespace

std::string GameDir::WriteDoor32Sys(const Caller& caller, const std::string& dir) {
  const std::string& e = caller.line_end;
  std::string text;
  text += std::to_string(caller.comm_type < 0 ? 0 : caller.comm_type) + e;
  text += std::to_string(caller.handle < 0 ? 0 : caller.handle) + e;
  text += "38400" + e;
  text += "Test BBS 1.0" + e;
  text += "7" + e;  // user record
  text += RealName(caller) + e;
  text += caller.user_name + e;
  text += "100" + e;  // security level
  text += std::to_string(caller.minutes_left) + e;
  text += "1" + e;  // ANSI
  text += std::to_string(caller.node) + e;
  return WriteFile(NodeDir(caller, dir) + "/DOOR32.SYS", text);
}

std::string GameDir::WriteDoorSys(const Caller& caller, const std::string& dir) {
  std::vector<std::string> lines(52);
  lines[0] = caller.comm_type <= 0 ? "COM0:" : "COM1:";
  lines[1] = "38400";
  lines[2] = "8";
  lines[3] = std::to_string(caller.node);
  lines[4] = "38400";
  lines[5] = "Y";
  lines[6] = "N";
  lines[7] = "N";
  lines[8] = "N";
  lines[9] = RealName(caller);  // line 10: full name
  lines[10] = "Testville";
  lines[11] = "555-0100";
  lines[12] = "555-0101";
  lines[13] = "SECRET";
  lines[14] = "100";
  lines[15] = "12";
  lines[16] = "01/02/05";
  lines[17] = std::to_string(caller.minutes_left * 60);
  lines[18] = std::to_string(caller.minutes_left);  // line 19: minutes left
  lines[19] = "GR";
  lines[20] = "24";
  lines[21] = "N";
  lines[22] = "1,2,3";
  lines[23] = "1";
  lines[24] = "12/31/99";
  lines[25] = "7";
  lines[26] = "Z";
  lines[27] = "0";
  lines[28] = "0";
  lines[29] = "0";
  lines[30] = "9999";
  lines[31] = "01/01/70";
  lines[32] = "C:\\BBS\\MAIN";
  lines[33] = "C:\\BBS\\GEN";
  lines[34] = "Sysop";
  lines[35] = caller.user_name;  // line 36: alias
  lines[36] = "00:00";
  lines[37] = "Y";
  lines[38] = "Y";
  lines[39] = "Y";
  lines[40] = "7";
  lines[41] = "0";
  lines[42] = "01/02/05";
  lines[43] = "12:00";
  lines[44] = "11:00";
  lines[45] = "9999";
  lines[46] = "0";
  lines[47] = "0";
  lines[48] = "0";
  lines[49] = "Test caller";
  lines[50] = "0";
  lines[51] = "0";
  std::string text;
  for (const auto& l : lines) text += l + caller.line_end;
  return WriteFile(NodeDir(caller, dir) + "/DOOR.SYS", text);
}

std::string GameDir::WriteDorinfo(const Caller& caller, int number, const std::string& dir) {
  const std::string real = RealName(caller);
  const size_t space = real.find(' ');
  const std::string first = real.substr(0, space);
  const std::string last = space == std::string::npos ? "" : real.substr(space + 1);
  const std::string& e = caller.line_end;
  std::string text;
  text += "Test BBS" + e;
  text += "Sys" + e;
  text += "Op" + e;
  text += std::string(caller.comm_type <= 0 ? "COM0" : "COM1") + e;
  text += "38400 BAUD,N,8,1" + e;
  text += " 0" + e;
  text += first + e;
  text += last + e;
  text += "Testville" + e;
  text += "1" + e;  // ANSI
  text += "100" + e;
  text += std::to_string(caller.minutes_left) + e;
  text += "-1" + e;
  return WriteFile(NodeDir(caller, dir) + "/DORINFO" + std::to_string(number) + ".DEF", text);
}

SessionOptions GameDir::CallerSession(const std::string& program, const Caller& caller, Link link) {
  SessionOptions options;
  options.program = program;
  options.link = link;
  options.work_dir = path_;
  Caller c = caller;
  if (c.comm_type < 0) c.comm_type = link == Link::kPipes ? 0 : 2;
  if (c.handle < 0) c.handle = link == Link::kPipes ? 0 : options.child_fd;
  const std::string drop = WriteDoor32Sys(c);
  options.args = {"-D", fs::path(drop).parent_path().string()};
  return options;
}

std::string GameDir::DbPath() const { return File("Data/game.db"); }

std::vector<std::vector<std::string>> GameDir::QueryRows(const std::string& sql) const {
  std::vector<std::vector<std::string>> rows;
  RunSql(DbPath(), sql, &rows, false);
  return rows;
}

std::string GameDir::Query(const std::string& sql) const {
  auto rows = QueryRows(sql);
  return rows.empty() || rows[0].empty() ? "" : rows[0][0];
}

long long GameDir::QueryInt(const std::string& sql) const {
  const std::string value = Query(sql);
  return value.empty() ? 0 : std::stoll(value);
}

void GameDir::Exec(const std::string& sql) const { RunSql(DbPath(), sql, nullptr, true); }

void GameDir::AddCharacter(const test::Character& character) const {
  Exec(test::InsertStatements(character));
}

void GameDir::AddKingdom(const test::Kingdom& kingdom) const {
  Exec(test::InsertStatements(kingdom));
}

Session& Nodes::Start(const Caller& caller, Link link,
                      const std::function<void(SessionOptions&)>& adjust) {
  SessionOptions options = dir_.CallerSession(program_, caller, link);
  if (adjust) adjust(options);
  sessions_.push_back(std::make_unique<Session>(std::move(options)));
  return *sessions_.back();
}

void Nodes::HangUpAll() {
  for (auto& s : sessions_) s->HangUp();
}

::testing::AssertionResult Nodes::AllExitWith(int level, Millis timeout) {
  for (size_t i = 0; i < sessions_.size(); ++i) {
    auto result = sessions_[i]->ExitsWith(level, timeout);
    if (!result)
      return ::testing::AssertionFailure() << "session " << i << ": " << result.message();
  }
  return ::testing::AssertionSuccess();
}

std::unique_ptr<Session> EnterMainStreet(GameDir& dir, const std::string& launch,
                                         const Caller& caller, bool others_online,
                                         std::optional<unsigned> seed) {
  SessionOptions o = dir.CallerSession(launch, caller);
  o.args.push_back("-nomaint");
  o.seed = seed;
  auto s = std::make_unique<Session>(std::move(o));
  EXPECT_TRUE(s->WaitForCursor(17, 54));
  s->Send("e");
  EXPECT_TRUE(s->WaitFor(others_online ? "Press Any Key" : "No one else is online.."));
  s->Send(" ");
  EXPECT_TRUE(s->WaitFor("Read Daily Realm News (y/n)? "));
  s->Send("n");
  EXPECT_TRUE(s->WaitForCursor(21, 26));
  return s;
}

void QuitFromMainStreet(Session& s) {
  ASSERT_TRUE(s.WaitForCursor(21, 26));
  s.Send("q");
  ASSERT_TRUE(s.WaitFor("Thank you for playing!!"));
  ASSERT_TRUE(s.ExitsWith(10, std::chrono::milliseconds(8000)));  // the closing screen pauses 2 s
}

}  // namespace trv::harness
