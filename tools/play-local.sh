#!/usr/bin/env bash
# Builds the game, lays out a game directory (default ./game-dir) and starts
# a local game in this terminal under your login name.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-$PWD/game-dir}"
tools/install-deps.sh
cmake -S . -B build -G Ninja -DTRV_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cmake --install build --prefix "$dir" >/dev/null
exec "$dir/TRVLaunch" -L
