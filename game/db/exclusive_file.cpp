#include "game/db/exclusive_file.h"

#include <errno.h>
#include <fcntl.h>
#include <glob.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "doorkit/doorkit.h"
#include "game/db/portability.h"

using trv::NowMs;

namespace {

// open(2) flags for a C library mode, never O_TRUNC: a "w" file is emptied
// only after the lock is ours, or a waiting writer would wipe the data the
// holder is still reading.
bool OpenFlags(const char* mode, int* flags) {
  bool plus = strchr(mode, '+') != nullptr;
  switch (mode[0]) {
    case 'r':
      *flags = plus ? O_RDWR : O_RDONLY;
      return true;
    case 'w':
      *flags = (plus ? O_RDWR : O_WRONLY) | O_CREAT;
      return true;
    case 'a':
      *flags = (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
      return true;
    default:
      return false;
  }
}

bool IsRegularFile(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace

extern "C" FILE* ExclusiveFileOpen(const char* path, const char* mode, int* descriptor) {
  *descriptor = -1;
  int flags = 0;
  if (path == nullptr || mode == nullptr || !OpenFlags(mode, &flags)) return nullptr;
  int fd;
  do {
    fd = open(path, flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  // A missing file or a refused open will not mend itself by waiting.
  if (fd < 0) return nullptr;

  long long first_try = NowMs();
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || NowMs() - first_try > EXCLUSIVE_FILE_WAIT_MS) {
      close(fd);
      return nullptr;
    }
    od_sleep(1);
  }
  if (mode[0] == 'w' && ftruncate(fd, 0) != 0) {
    close(fd);
    return nullptr;
  }
  FILE* stream = fdopen(fd, mode);
  if (stream == nullptr) {
    close(fd);
    return nullptr;
  }
  *descriptor = fd;
  return stream;
}

extern "C" void ExclusiveFileClose(FILE* stream, int descriptor) {
  if (stream != nullptr) {
    fclose(stream);  // closes the descriptor too
  } else if (descriptor >= 0) {
    close(descriptor);
  }
}

extern "C" int fexist(const char* path) {
  if (path == nullptr || *path == '\0') return 0;
  if (strpbrk(path, "*?") == nullptr) return IsRegularFile(path) ? 1 : 0;
  glob_t found{};
  int found_file = 0;
  if (glob(path, GLOB_NOSORT, nullptr, &found) == 0) {
    for (size_t i = 0; i < found.gl_pathc && !found_file; ++i) {
      found_file = IsRegularFile(found.gl_pathv[i]) ? 1 : 0;
    }
  }
  globfree(&found);
  return found_file;
}
