#!/usr/bin/env bash
# Configures and builds the two trees: build/native (the pure core with its
# sanitizers, tests, tools and benchmarks) and build/win (Frimlet2.exe and the
# Windows tests, cross-built with MinGW-w64).
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS="${JOBS:-2}"
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native -j "$JOBS"
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build/win -j "$JOBS"
# One CTest tree over both builds, so a single run reports every test.
cat > build/CTestTestfile.cmake <<'CT'
subdirs("native" "win")
CT
