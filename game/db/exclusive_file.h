// Flat files under Data/ that one process at a time may use.
#ifndef TRV_GAME_DB_EXCLUSIVE_FILE_H_
#define TRV_GAME_DB_EXCLUSIVE_FILE_H_

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

// How long ExclusiveFileOpen waits for another process to let go.
#define EXCLUSIVE_FILE_WAIT_MS 5000

// Opens `path` with a C library mode ("r+b", "w+b" ...) and an exclusive
// lock that every other ExclusiveFileOpen of the file respects. While
// another process holds the lock it tries again every millisecond, for up
// to five seconds. A "w" mode empties the file only once the lock is held.
// On failure (a missing file for "r", no lock in time) returns NULL and sets
// *descriptor to -1; otherwise *descriptor is the stream's file number.
FILE* ExclusiveFileOpen(const char* path, const char* mode, int* descriptor);

// Closes the stream (which lets go of the lock), or the bare descriptor
// when there is no stream.
void ExclusiveFileClose(FILE* stream, int descriptor);

// 1 when `path` names an existing file that is not a directory; * and ?
// match any run of characters and any one character.
int fexist(const char* path);

#ifdef __cplusplus
}  // extern "C"

namespace trv::db {

// ExclusiveFileOpen for C++ callers: the file is closed when it goes.
class ExclusiveFile {
 public:
  ExclusiveFile(const char* path, const char* mode)
      : stream_(ExclusiveFileOpen(path, mode, &descriptor_)) {}
  ~ExclusiveFile() { Close(); }
  ExclusiveFile(const ExclusiveFile&) = delete;
  ExclusiveFile& operator=(const ExclusiveFile&) = delete;

  explicit operator bool() const { return stream_ != nullptr; }
  FILE* get() const { return stream_; }
  int descriptor() const { return descriptor_; }
  void Close() {
    if (stream_ != nullptr) ExclusiveFileClose(stream_, descriptor_);
    stream_ = nullptr;
    descriptor_ = -1;
  }

 private:
  int descriptor_ = -1;
  FILE* stream_;
};

}  // namespace trv::db
#endif

#endif  // TRV_GAME_DB_EXCLUSIVE_FILE_H_
