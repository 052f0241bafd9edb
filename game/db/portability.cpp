#include "game/db/portability.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <glob.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <utime.h>

#include <string>

#include "game/db/exclusive_file.h"

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool StatFile(const char* path, struct stat* info) {
  return path != nullptr && stat(path, info) == 0;
}

// fcntl locks on [offset, offset + length); F_SETLK never waits.
int SetLock(int fd, short type, off_t offset, off_t length) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = offset;
  range.l_len = length;
  return fcntl(fd, F_SETLK, &range) == 0 ? 0 : -1;
}

}  // namespace

extern "C" {

char* getfname(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (IsSeparator(*p)) name = p + 1;
  }
  return const_cast<char*>(name);
}

char* getfext(const char* path) {
  char* dot = strrchr(getfname(path), '.');
  return dot;
}

time_t fdate(const char* filename) {
  struct stat info;
  return StatFile(filename, &info) ? info.st_mtime : static_cast<time_t>(-1);
}

int setfdate(const char* filename, time_t t) {
  struct utimbuf times;
  times.actime = t;
  times.modtime = t;
  return utime(filename, &times) == 0 ? 0 : -1;
}

off_t flength(const char* filename) {
  struct stat info;
  return StatFile(filename, &info) ? info.st_size : static_cast<off_t>(-1);
}

int fexistcase(char* filename) {
  if (fexist(filename)) return 1;
  char* name = getfname(filename);
  std::string directory(filename, static_cast<size_t>(name - filename));
  if (directory.empty()) directory = ".";
  DIR* dir = opendir(directory.c_str());
  if (dir == nullptr) return 0;
  int found = 0;
  bool wildcard = strpbrk(name, "*?") != nullptr;
  while (dirent* entry = readdir(dir)) {
    bool match = wildcard ? fnmatch(name, entry->d_name, FNM_CASEFOLD) == 0
                          : strcasecmp(name, entry->d_name) == 0;
    if (!match) continue;
    std::string candidate = std::string(filename, name) + entry->d_name;
    if (isdir(candidate.c_str())) continue;
    // Same length when compared without wildcards, so the fix fits in place.
    if (!wildcard) memcpy(name, entry->d_name, strlen(name));
    found = 1;
    break;
  }
  closedir(dir);
  return found;
}

int isdir(const char* filename) {
  struct stat info;
  return StatFile(filename, &info) && S_ISDIR(info.st_mode) ? 1 : 0;
}

int getfattr(const char* filename) {
  struct stat info;
  return StatFile(filename, &info) ? static_cast<int>(info.st_mode) : -1;
}

uint64_t getfreediskspace(const char* path, unsigned long unit) {
  struct statvfs fs;
  if (path == nullptr || statvfs(path, &fs) != 0) return 0;
  uint64_t bytes = static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize;
  return unit > 1 ? bytes / unit : bytes;
}

char* backslash(char* path) {
  size_t length = strlen(path);
  if (length == 0 || !IsSeparator(path[length - 1])) {
    path[length] = '/';
    path[length + 1] = '\0';
  }
  return path;
}

long delfiles(const char* inpath, const char* pattern) {
  std::string full(inpath);
  if (!full.empty() && !IsSeparator(full.back())) full += '/';
  full += pattern;
  glob_t found{};
  int rc = glob(full.c_str(), GLOB_NOSORT, nullptr, &found);
  long removed = 0;
  if (rc == 0) {
    for (size_t i = 0; i < found.gl_pathc; ++i) {
      if (isdir(found.gl_pathv[i])) continue;
      if (remove(found.gl_pathv[i]) == 0) ++removed;
    }
  }
  globfree(&found);
  return rc == 0 || rc == GLOB_NOMATCH ? removed : -1;
}

time_t filetime(int fd) {
  struct stat info;
  return fstat(fd, &info) == 0 ? info.st_mtime : static_cast<time_t>(-1);
}

int lock(int fd, off_t offset, off_t length) { return SetLock(fd, F_WRLCK, offset, length); }

int unlock(int fd, off_t offset, off_t length) { return SetLock(fd, F_UNLCK, offset, length); }

int safe_snprintf(char* dst, size_t size, const char* format, ...) {
  if (size == 0) return 0;
  va_list args;
  va_start(args, format);
  int wanted = vsnprintf(dst, size, format, args);
  va_end(args);
  if (wanted < 0) {
    dst[0] = '\0';
    return -1;
  }
  return static_cast<size_t>(wanted) < size ? wanted : static_cast<int>(size - 1);
}

char lastchar(const char* text) {
  size_t length = strlen(text);
  return length ? text[length - 1] : '\0';
}

int xp_random(int n) {
  static bool seeded = false;
  if (!seeded) {
    srand(static_cast<unsigned>(time(nullptr)));
    (void)rand();  // the first value follows the seed too closely
    seeded = true;
  }
  if (n < 2) return 0;
  // Scaled by RAND_MAX + 1 so the result stays below n.
  return static_cast<int>(static_cast<double>(rand()) / (static_cast<double>(RAND_MAX) + 1.0) * n);
}

char* os_version(char* text, size_t size) {
  struct utsname name;
  if (uname(&name) != 0) {
    safe_snprintf(text, size, "Unknown");
  } else {
    safe_snprintf(text, size, "%s %s %s", name.sysname, name.release, name.machine);
  }
  return text;
}

}  // extern "C"

long long trv::NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}
