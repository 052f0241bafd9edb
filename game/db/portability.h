// Small file and system helpers the game library exports for older add-ons.
//
// glob, globfree, gmtime_r, localtime_r, ctime_r and asctime_r come from
// the C library and are not redefined here.
#ifndef TRV_GAME_DB_PORTABILITY_H_
#define TRV_GAME_DB_PORTABILITY_H_

#include <stddef.h>
#include <stdint.h>
#include <sys/types.h>
#include <time.h>

#ifdef __cplusplus
extern "C" {
#endif

// The file name part of a path (after the last / or \).
char* getfname(const char* path);
// The extension of the file name part, from its last '.'; NULL when none.
char* getfext(const char* path);
// Modification time; -1 when the file cannot be read.
time_t fdate(const char* filename);
// Sets access and modification time; 0 on success, -1 on failure.
int setfdate(const char* filename, time_t t);
// Size in bytes; -1 when the file cannot be read.
off_t flength(const char* filename);
// Like fexist, but the name's letters may differ in case. On success the
// name is rewritten in place with the case found on disk.
int fexistcase(char* filename);
// 1 when the path names a directory.
int isdir(const char* filename);
// The mode bits of the file; -1 when it cannot be read.
int getfattr(const char* filename);
// Free space for unprivileged use on the file system holding `path`, in
// units of `unit` bytes (bytes when unit is 0).
uint64_t getfreediskspace(const char* path, unsigned long unit);
// Appends '/' unless the path already ends in / or \. The buffer must have
// room for one more character.
char* backslash(char* path);
// Deletes the files (never directories) in directory `inpath` that match
// the wildcard `pattern`; returns how many, or -1 when the pattern fails.
long delfiles(const char* inpath, const char* pattern);
// Modification time of an open file; -1 on failure.
time_t filetime(int fd);
// Locks or unlocks a byte range of an open file without waiting, leaving
// the file position alone; 0 on success, -1 when the range is held.
int lock(int fd, off_t offset, off_t length);
int unlock(int fd, off_t offset, off_t length);
// snprintf that returns the number of characters actually stored (at most
// size - 1) instead of the number it would have liked to store.
int safe_snprintf(char* dst, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// The last character of a text; 0 for an empty text.
char lastchar(const char* text);
// A random number from 0 to n - 1 (0 when n is below 2). Seeds the C
// library generator from the time on first use.
int xp_random(int n);
// The operating system's name, release and machine, such as
// "Linux 6.1.0 x86_64".
char* os_version(char* text, size_t size);

#ifdef __cplusplus
}  // extern "C"

namespace trv {

// Milliseconds on a clock that never jumps (the wall clock may): the one
// clock of the game's timeouts and polling intervals.
long long NowMs();

}  // namespace trv
#endif

#endif  // TRV_GAME_DB_PORTABILITY_H_
