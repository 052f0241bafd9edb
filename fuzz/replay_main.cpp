// Runs a fuzz target over files without libFuzzer: every file named, and
// every file in a directory named, once. The test suite replays each
// target's corpus (the seeds and every input a fuzzer once failed on) this
// way with whatever compiler and sanitizers the build uses.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz.h"

namespace {

void Collect(const std::string& path, std::vector<std::string>* files) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    fprintf(stderr, "%s: not found\n", path.c_str());
    exit(2);
  }
  if (!S_ISDIR(st.st_mode)) {
    files->push_back(path);
    return;
  }
  DIR* dir = opendir(path.c_str());
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    Collect(path + "/" + entry->d_name, files);
  }
  closedir(dir);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) Collect(argv[i], &files);
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    fprintf(stderr, "usage: %s corpus-file-or-directory...\n", argv[0]);
    return 2;
  }
  for (const std::string& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string input = bytes.str();
    fprintf(stderr, "%s\n", file.c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  printf("%zu inputs replayed\n", files.size());
  return 0;
}
