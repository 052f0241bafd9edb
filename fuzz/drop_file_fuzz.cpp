// The drop-file parser: whatever a BBS (or a broken disk) leaves in the
// file, the door gets a clean caller or a one-line reason, never a crash.
// The first byte picks the file's name (and so its kind); the rest is the
// file's text.
#include <string.h>

#include <string>

#include "doorkit/internal.h"
#include "fuzz/fuzz.h"

namespace {

const char* const kNames[] = {"DOOR32.SYS", "door.sys",     "DORINFO1.DEF", "dorinfo9.def",
                              "Door32.Sys", "DORINFOA.DEF", "CHAIN.TXT",    "node1/DOOR.SYS"};

bool Clean(const std::string& name) {
  if (name.size() >= sizeof od_control.user_name) return false;
  if (!name.empty() && (name.front() == ' ' || name.back() == ' ')) return false;
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F || c == 0xFF || c == '`') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* name = kNames[data[0] % (sizeof kNames / sizeof kNames[0])];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  doorkit::DropInfo info;
  std::string error;
  if (!doorkit::ParseDropFile(name, text, &info, &error)) {
    FUZZ_CHECK(!error.empty() && error.find('\n') == std::string::npos);
    return 0;
  }
  FUZZ_CHECK(!info.user_name.empty());
  FUZZ_CHECK(Clean(info.user_name));
  FUZZ_CHECK(Clean(info.real_name));
  FUZZ_CHECK(info.node >= -1 && info.node <= 65535);
  FUZZ_CHECK(info.minutes_left == -1 || (info.minutes_left >= 1 && info.minutes_left <= 1440));
  FUZZ_CHECK(info.comm_type >= -1 && info.comm_type <= 2);
  return 0;
}
