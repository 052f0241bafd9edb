// What every fuzz target shares: the libFuzzer entry point and the check
// that stops the run at a broken rule (a crash libFuzzer and the
// sanitizers report with the input that caused it).
#ifndef TRV_FUZZ_FUZZ_H_
#define TRV_FUZZ_FUZZ_H_

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// abort() with the rule that broke: the input is the fault's witness.
#define FUZZ_CHECK(condition)                                                 \
  do {                                                                        \
    if (!(condition)) {                                                       \
      fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition); \
      abort();                                                                \
    }                                                                         \
  } while (0)

#endif  // TRV_FUZZ_FUZZ_H_
