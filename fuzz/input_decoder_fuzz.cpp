// The caller's line: whatever bytes arrive (telnet commands, CR, LF and NUL
// in any mix, terminal key sequences cut anywhere), the door takes keys
// from them without a crash, and the keys it takes are ones a menu can
// see: Enter is one CR, never LF, NUL or a stray ESC.
#include <sys/socket.h>
#include <unistd.h>

#include <string>

#include "doorkit/doorkit.h"
#include "doorkit/internal.h"
#include "fuzz/fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // What one read of a line can hold before the sender would wait.
  if (size > 32768) return 0;
  int line[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, line) != 0) abort();
  int buffer = 1 << 20;
  setsockopt(line[1], SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
  setsockopt(line[0], SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
  setsockopt(line[0], SOL_SOCKET, SO_SNDBUF, &buffer, sizeof buffer);
  doorkit::ConnOpen(line[0], line[0], true);
  size_t sent = 0;
  while (sent < size) {
    ssize_t n = write(line[1], data + sent, size - sent);
    if (n <= 0) abort();
    sent += static_cast<size_t>(n);
  }
  shutdown(line[1], SHUT_WR);

  size_t enters = 0;  // CR and LF bytes sent: each Enter comes from one
  for (size_t i = 0; i < size; ++i) enters += data[i] == '\r' || data[i] == '\n';
  size_t keys = 0, cr_keys = 0;
  // Until the end of the input shows as a dropped line.
  for (int rounds = 0; doorkit::ConnCarrier() && rounds < 100000; ++rounds) {
    doorkit::ConnPump(0);
    unsigned char key;
    while (doorkit::ConnTakeKey(&key)) {
      FUZZ_CHECK(key != '\n' && key != 0 && key != 0x1B);
      ++keys;
      cr_keys += key == '\r';
    }
  }
  FUZZ_CHECK(!doorkit::ConnCarrier());
  FUZZ_CHECK(keys <= size);
  FUZZ_CHECK(cr_keys <= enters);
  doorkit::ConnReset();
  close(line[0]);
  close(line[1]);
  return 0;
}
