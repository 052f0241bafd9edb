#!/usr/bin/env bash
# Builds everything from scratch in build-test/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
source tools/build-env.sh
rm -rf build-test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRV_BUILD_BENCH=ON \
  "${cmake_launcher[@]}"
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test --output-on-failure -j"$(nproc)" --timeout 300
