# Sourced by the test scripts. A compiler cache keyed on paths relative to the
# checkout: a fresh checkout of sources this machine has compiled before
# builds in seconds, while every changed file still compiles anew.
cmake_launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  cmake_launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
