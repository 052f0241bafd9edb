#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs every test; any memory fault or undefined behaviour,
# in a test or in a door it drives, fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
source tools/build-env.sh
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
rm -rf build-asan
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" "${cmake_launcher[@]}"
cmake --build build-asan -j"$(nproc)"
# Doors end through exit() with the database still open by design; leaks at
# exit are not faults here.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)" --timeout 300
