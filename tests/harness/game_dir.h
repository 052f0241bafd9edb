// A throw-away game directory for one test: the shipped data, the programs
// under test, drop files for the callers, and the game database to check.
#ifndef TRV_TESTS_HARNESS_GAME_DIR_H_
#define TRV_TESTS_HARNESS_GAME_DIR_H_

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/harness/session.h"
#include "tests/support/world.h"

namespace trv::harness {

// The caller as the BBS describes it in a drop file.
struct Caller {
  std::string user_name = "Test Caller";  // the alias / handle
  std::string real_name;                  // empty: the user name
  int node = 1;
  int minutes_left = 60;
  // DOOR32.SYS line 1 and 2: 0 local, 1 serial, 2 telnet; the handle.
  // Left at -1, CallerSession fills them from the link.
  int comm_type = -1;
  int handle = -1;
  std::string line_end = "\r\n";
};

// Where the built programs are (doorprobe, TRVLaunch, TRVConfig), or "" when
// this build has none. TRV_PROGRAM_DIR, when set, points at another
// directory to take them from (an installed game directory, say).
std::string ProgramPath(const std::string& name);

class GameDir {
 public:
  // Makes the directory under $TMPDIR (or /tmp) and copies data/Data,
  // data/Skins and data/Quests of the source tree into it.
  GameDir();
  // Removes the directory unless TRV_KEEP_DIR is set.
  ~GameDir();
  GameDir(const GameDir&) = delete;
  GameDir& operator=(const GameDir&) = delete;

  const std::string& path() const { return path_; }
  // Path of a file inside the directory.
  std::string File(const std::string& relative) const;

  // Puts a program into the directory, as a sysop installs it (a hard
  // link, or a copy; with the libraries beside it when it has them there);
  // returns its path there. Fails the test when the program does not exist.
  std::string LinkProgram(const std::string& program_path, const std::string& name = "");

  // Drop files, written into nodeN/ (or `dir` relative to the game
  // directory); each returns the file's path.
  std::string WriteDoor32Sys(const Caller& caller, const std::string& dir = "");
  std::string WriteDoorSys(const Caller& caller, const std::string& dir = "");
  std::string WriteDorinfo(const Caller& caller, int number = 1, const std::string& dir = "");
  // Any file, byte for byte (drop files with bad contents, screen art).
  std::string WriteFile(const std::string& relative, const std::string& bytes);
  std::string ReadFile(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

  // Options for a caller's session with `program`: a DOOR32.SYS for the
  // caller (comm type and handle matching the link), "-D <its directory>",
  // started in the game directory.
  SessionOptions CallerSession(const std::string& program, const Caller& caller,
                               Link link = Link::kPipes);

  // The game database, Data/game.db. Each call opens it afresh, so no lock
  // is held between calls. A failing statement fails the test. Exec makes
  // the file when there is none (to seed a world before a door starts);
  // the queries never do, so checking a database nobody made fails.
  std::string DbPath() const;
  // First column of the first row, "" when there is none (or NULL).
  std::string Query(const std::string& sql) const;
  long long QueryInt(const std::string& sql) const;
  // All rows; NULL is "".
  std::vector<std::vector<std::string>> QueryRows(const std::string& sql) const;
  void Exec(const std::string& sql) const;
  // The world builder's rows (tests/support/world.h).
  void AddCharacter(const test::Character& character) const;
  void AddKingdom(const test::Kingdom& kingdom) const;

 private:
  std::string path_;
};

// Starts TRVLaunch (`launch`, linked into `dir`) for `caller` without the
// day's maintenance (and with TRV_SEED `seed` when given), and walks the
// title menu, the list of who is on-line (others, or nobody) and the news
// question to Main Street's prompt.
std::unique_ptr<Session> EnterMainStreet(GameDir& dir, const std::string& launch,
                                         const Caller& caller, bool others_online = false,
                                         std::optional<unsigned> seed = std::nullopt);

// Q at Main Street's prompt, the closing screen and the door's end (level 10).
void QuitFromMainStreet(Session& s);

// Several callers on one game directory at once.
class Nodes {
 public:
  Nodes(GameDir& dir, std::string program) : dir_(dir), program_(std::move(program)) {}

  // Starts a session for the caller; `adjust` may change the options first
  // (extra arguments, environment).
  Session& Start(const Caller& caller, Link link = Link::kPipes,
                 const std::function<void(SessionOptions&)>& adjust = {});
  Session& operator[](size_t i) { return *sessions_.at(i); }
  size_t size() const { return sessions_.size(); }

  void HangUpAll();
  // Waits for every session to end with the level.
  [[nodiscard]] ::testing::AssertionResult AllExitWith(int level, Millis timeout = kDefaultWait);

 private:
  GameDir& dir_;
  std::string program_;
  std::vector<std::unique_ptr<Session>> sessions_;
};

}  // namespace trv::harness

#endif  // TRV_TESTS_HARNESS_GAME_DIR_H_
