#include "game/db/liveness.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"

namespace trv::db {
namespace {

// The marks this process holds, by user; never closed, so the kernel lets
// go of them only when the process ends.
std::set<std::string>& Held() {
  static std::set<std::string> held;
  return held;
}

enum class Mark { kNoFile, kHeld, kFree };

Mark LookAt(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Mark::kNoFile;
  // A door holds its mark shared; only a file nobody holds gives way.
  Mark mark = flock(fd, LOCK_EX | LOCK_NB) == 0 ? Mark::kFree : Mark::kHeld;
  close(fd);  // closing lets go of a lock this look took
  return mark;
}

std::vector<std::string> OnlineUsers() {
  ResultTable online = Query(kPlayer, "SELECT UserName FROM %s WHERE Status=1", TableName(kPlayer));
  std::vector<std::string> users;
  for (int r = 0; r < online.rows(); ++r) users.emplace_back(online.Text(r, 0));
  return users;
}

std::vector<std::string> Ghosts() {
  std::vector<std::string> ghosts;
  for (const std::string& user : OnlineUsers())
    if (!IsUserLive(user)) ghosts.push_back(user);
  return ghosts;
}

}  // namespace

std::string LiveMarkPath(const std::string& user_name) {
  static const char kHex[] = "0123456789abcdef";
  std::string path = std::string(kLiveDirectory) + "/";
  for (unsigned char c : user_name) {
    path += kHex[c >> 4];
    path += kHex[c & 15];
  }
  return path + ".lock";
}

bool HoldLiveMark(const std::string& user_name) {
  if (Held().count(user_name) != 0) return true;
  mkdir(kLiveDirectory, 0777);  // an existing one is fine
  int fd = open(LiveMarkPath(user_name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  // Blocks only while another process looks at the file (microseconds).
  while (flock(fd, LOCK_SH) != 0) {
    if (errno != EINTR) {
      close(fd);
      return false;
    }
  }
  Held().insert(user_name);
  return true;
}

bool IsUserLive(const std::string& user_name) {
  return LookAt(LiveMarkPath(user_name)) != Mark::kFree;
}

int LiveDoorCount() {
  DIR* dir = opendir(kLiveDirectory);
  if (dir == nullptr) return 0;
  int live = 0;
  while (dirent* entry = readdir(dir)) {
    const size_t length = strlen(entry->d_name);
    if (length < 5 || strcmp(entry->d_name + length - 5, ".lock") != 0) continue;
    if (LookAt(std::string(kLiveDirectory) + "/" + entry->d_name) == Mark::kHeld) ++live;
  }
  closedir(dir);
  return live;
}

std::vector<std::string> RepairGhosts() {
  // A look without the write lock first: nearly always nobody is a ghost.
  if (Ghosts().empty()) return {};
  std::vector<std::string> repaired;
  RunWriteUnit([&repaired] {
    // A door that started meanwhile took its mark before it wrote Status 1,
    // so what is still free now is gone for good.
    repaired = Ghosts();
    for (const std::string& user : repaired)
      Exec(kPlayer, "UPDATE %s SET Status=0,WhereInGame='' WHERE UserName=%Q AND Status=1",
           TableName(kPlayer), user.c_str());
    // Each ghost is one counted session whose door died; doors still at
    // the title menu hold a mark too but were never counted.
    if (!repaired.empty())
      Exec(kState, "UPDATE %s SET NumPlayers=MAX(NumPlayers-%d,0)", TableName(kState),
           static_cast<int>(repaired.size()));
    return true;
  });
  return repaired;
}

}  // namespace trv::db
