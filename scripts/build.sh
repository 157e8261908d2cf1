#!/usr/bin/env bash
# Configures and builds the two trees: build/native (the pure core with its
# sanitizers, tests, tools and benchmarks) and build/win (Frimlet2.exe and the
# Windows tests, cross-built with MinGW-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS="${JOBS:-2}"
# A compiler cache, where the machine has one, shares objects between work
# trees of the same repository (paths are taken relative to the tree).
LAUNCHER=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build/native -G Ninja "${LAUNCHER[@]}" >/dev/null
cmake --build build/native -j "$JOBS"
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake "${LAUNCHER[@]}" >/dev/null
cmake --build build/win -j "$JOBS"
# One CTest tree over both builds, so a single run reports every test.
cat > build/CTestTestfile.cmake <<'CT'
subdirs("native" "win")
CT
