#!/usr/bin/env bash
# Builds the libFuzzer programs with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs each for a while.
#
#   tools/fuzz.sh [seconds per target] [target...]     (default 60 s, all)
#   TRV_FUZZ_RUNS=10000000 tools/fuzz.sh 0             (a number of runs)
#   tools/fuzz.sh build                                (only build them)
#
# Each target starts from its corpus in fuzz/corpus/<target>/ and keeps what
# it learns in build-fuzz/corpus/<target>/. A failing input is saved as
# build-fuzz/crash-<target>-*; copy it into fuzz/corpus/<target>/ with a
# name that says what it was, fix the fault, and the replay test
# (ctest -R fuzz.) keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/build-env.sh
seconds=${1:-60}
shift || true
targets=("$@")
if [ "$seconds" = 0 ] && [ -z "${TRV_FUZZ_RUNS:-}" ]; then
  echo "a time of 0 needs TRV_FUZZ_RUNS" >&2
  exit 2
fi
[ ${#targets[@]} -gt 0 ] || targets=(drop_file input_decoder integer data_file quest_script)
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTRV_BUILD_FUZZ=ON -DTRV_BUILD_TESTS=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" "${cmake_launcher[@]}" >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/%/_fuzz}"
[ "$seconds" = build ] && exit 0
# The data-file target writes each input to a scratch file: on tmpfs.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
failed=0
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target"
  limit=(-max_total_time="$seconds")
  [ -n "${TRV_FUZZ_RUNS:-}" ] && limit=(-runs="$TRV_FUZZ_RUNS")
  echo "== $target"
  if ! UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
    "build-fuzz/fuzz/${target}_fuzz" "${limit[@]}" -print_final_stats=1 \
    -artifact_prefix="build-fuzz/crash-$target-" \
    "build-fuzz/corpus/$target" "fuzz/corpus/$target" 2>&1 | tail -n 25; then
    failed=1
  fi
done
exit $failed
