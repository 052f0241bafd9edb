// The caller's line: raw bytes out, telnet-filtered keys in.
#include <errno.h>
#include <fcntl.h>
#include <libtelnet.h>
#include <poll.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <deque>

#include "doorkit/cp437.h"
#include "doorkit/internal.h"

namespace doorkit {

namespace {

// What the kit agrees to when the caller's client negotiates.
const telnet_telopt_t kTelnetOptions[] = {
    {TELNET_TELOPT_ECHO, TELNET_WILL, TELNET_DONT},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_BINARY, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_NAWS, TELNET_WONT, TELNET_DO},
    {-1, 0, 0},
};

enum class Escape { kNone, kStart, kCsi, kSs3 };

struct Line {
  int in_fd = -1;
  int out_fd = -1;
  bool is_socket = false;
  bool carrier = true;
  bool tty_saved = false;
  bool input_may_end = false;
  bool input_ended = false;
  termios saved_tty{};
  telnet_t* telnet = nullptr;
  std::deque<unsigned char> keys;
  bool last_cr = false;           // a CR came; an LF or NUL right after it is part of the Enter
  Escape escape = Escape::kNone;  // inside a terminal key sequence
  long long escape_started = 0;
};

Line& L() {
  static Line line;
  return line;
}

void WriteRaw(const char* data, size_t size) {
  Line& line = L();
  while (size > 0 && line.carrier) {
    ssize_t n = write(line.out_fd, data, size);
    if (n > 0) {
      data += n;
      size -= static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) {
      CheckEvents();
      continue;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd p{line.out_fd, POLLOUT, 0};
      poll(&p, 1, 250);
      CheckEvents();
      continue;
    }
    ConnLost();
  }
}

// A decoded byte of the caller's typing: Enter in all its forms becomes
// CR, terminal key sequences (cursor keys and the like) are dropped.
void Decode(unsigned char b) {
  Line& line = L();
  switch (line.escape) {
    case Escape::kStart:
      if (b == '[') {
        line.escape = Escape::kCsi;
        return;
      }
      if (b == 'O') {
        line.escape = Escape::kSs3;
        return;
      }
      line.escape = Escape::kNone;  // ESC and a key: take the key
      break;
    case Escape::kCsi:
      if (b >= 0x20 && b <= 0x3F) return;  // parameters and intermediates
      line.escape = Escape::kNone;
      if (b >= 0x40 && b <= 0x7E) return;  // final byte
      break;                               // broken sequence: the byte is typed
    case Escape::kSs3:
      line.escape = Escape::kNone;
      return;
    case Escape::kNone:
      break;
  }
  bool after_cr = line.last_cr;
  line.last_cr = false;
  if (b == 0x1B) {
    line.escape = Escape::kStart;
    line.escape_started = NowMs();
    return;
  }
  if (b == '\r') {
    line.last_cr = true;
    line.keys.push_back('\r');
    return;
  }
  if (b == '\n') {
    if (!after_cr) line.keys.push_back('\r');
    return;
  }
  if (b == 0) return;
  line.keys.push_back(b);
}

void OnTelnet(telnet_t*, telnet_event_t* event, void*) {
  switch (event->type) {
    case TELNET_EV_DATA:
      for (size_t i = 0; i < event->data.size; ++i)
        Decode(static_cast<unsigned char>(event->data.buffer[i]));
      break;
    case TELNET_EV_SEND:
      WriteRaw(event->data.buffer, event->data.size);
      break;
    case TELNET_EV_SUBNEGOTIATION:
      if (event->sub.telopt == TELNET_TELOPT_NAWS && event->sub.size >= 4) {
        const unsigned char* s = reinterpret_cast<const unsigned char*>(event->sub.buffer);
        int cols = s[0] << 8 | s[1], rows = s[2] << 8 | s[3];
        if (cols > 0) od_control.od_term_cols = cols;
        if (rows > 0) od_control.od_term_rows = rows;
      }
      break;
    default:
      break;  // errors in the stream are skipped; typing goes on
  }
}

void ReadAvailable() {
  Line& line = L();
  char buffer[512];
  ssize_t n = read(line.in_fd, buffer, sizeof buffer);
  if (n > 0) {
    telnet_recv(line.telnet, buffer, static_cast<size_t>(n));
  } else if (n == 0) {
    if (line.input_may_end)
      line.input_ended = true;
    else
      ConnLost();
  } else if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
    ConnLost();
  }
}

void MakeRaw(int fd) {
  Line& line = L();
  if (!isatty(fd) || tcgetattr(fd, &line.saved_tty) != 0) return;
  termios raw = line.saved_tty;
  cfmakeraw(&raw);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSAFLUSH, &raw) == 0) line.tty_saved = true;
}

}  // namespace

void ConnOpen(int in_fd, int out_fd, bool is_socket) {
  Line& line = L();
  line.in_fd = in_fd;
  line.out_fd = out_fd;
  line.is_socket = is_socket;
  line.carrier = true;
  line.telnet = telnet_init(kTelnetOptions, OnTelnet, 0, nullptr);
  MakeRaw(in_fd);
}

void ConnWrite(const char* data, size_t size) {
  Line& line = L();
  if (!line.carrier || line.out_fd < 0) return;
  const bool utf8 = od_control.od_cp437_utf8;
  const bool telnet = line.is_socket;
  if (!utf8 && !telnet) {
    WriteRaw(data, size);
    return;
  }
  std::string out;
  out.reserve(size + size / 4);
  for (size_t i = 0; i < size; ++i) {
    unsigned char b = static_cast<unsigned char>(data[i]);
    if (utf8 && b >= 0x80) {
      char encoded[3];
      out.append(encoded, od_cp437_utf8(b, encoded));
    } else if (telnet && b == 0xFF) {
      out.append("\xFF\xFF", 2);
    } else {
      out += static_cast<char>(b);
    }
  }
  WriteRaw(out.data(), out.size());
}

bool ConnWaitKey(int timeout_ms) {
  if (!L().keys.empty()) return true;
  ConnPump(timeout_ms);
  return !L().keys.empty();
}

void ConnPump(int timeout_ms) {
  Line& line = L();
  if (!line.carrier || line.in_fd < 0) return;
  if (line.input_ended) {
    poll(nullptr, 0, timeout_ms);  // nothing more to read; just the pause
    return;
  }
  pollfd p{line.in_fd, POLLIN, 0};
  int ready = poll(&p, 1, timeout_ms);
  if (ready > 0) {
    if (p.revents & (POLLIN | POLLHUP | POLLERR)) ReadAvailable();
    if (p.revents & POLLNVAL) ConnLost();
  }
  // A lone ESC (the Escape key itself) is dropped once nothing follows it.
  if (line.escape != Escape::kNone && NowMs() - line.escape_started > 150)
    line.escape = Escape::kNone;
}

bool ConnTakeKey(unsigned char* key) {
  Line& line = L();
  if (line.keys.empty()) return false;
  *key = line.keys.front();
  line.keys.pop_front();
  return true;
}

bool ConnCarrier() { return L().carrier; }

void ConnLost() { L().carrier = false; }

void ConnInputMayEnd() { L().input_may_end = true; }

bool ConnInputEnded() { return L().input_ended; }

void ConnRestore() {
  Line& line = L();
  if (line.tty_saved) {
    tcsetattr(line.in_fd, TCSAFLUSH, &line.saved_tty);
    line.tty_saved = false;
  }
}

void ConnReset() {
  ConnRestore();
  Line& line = L();
  if (line.telnet) telnet_free(line.telnet);
  line = Line();
}

}  // namespace doorkit
