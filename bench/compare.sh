#!/usr/bin/env bash
# Measures the GIF quantiser against the reference of the tests, in one go:
#  1. nqtool against nqref as whole processes on a desktop-like picture of
#     1920 x 1080 and of 3840 x 2160: RUNS alternating runs of each, the
#     median wall-clock time of each and their ratio; the outputs must be
#     byte for byte the same;
#  2. the benchmark table of build/native/core_bench (BENCH_FILTER selects).
# Usage: bench/compare.sh [RUNS]   (default 7). Run it on a quiet machine:
# the load average printed first tells how quiet it was.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS="${1:-7}"
BUILD=build/native
cmake -S . -B "$BUILD" -G Ninja >/dev/null
cmake --build "$BUILD" -j "${JOBS:-2}" --target nqtool nqref nqpicture core_bench >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) processors," \
  "$(grep -o -w -m1 -E 'avx512f|avx2' /proc/cpuinfo | sort -u | tr '\n' ' ')"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# Milliseconds of one run of a command, its output thrown away.
run_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

printf '\n%-22s %12s %12s %8s\n' "picture" "nqtool (ms)" "nqref (ms)" "ratio"
for size in 1920x1080 3840x2160; do
  w=${size%x*}
  h=${size#*x}
  pic="$work/desktop-$size.ppm"
  "$BUILD/nqpicture" desktop "$w" "$h" "$pic"
  : >"$work/tool.ms"
  : >"$work/ref.ms"
  for ((i = 0; i < RUNS; ++i)); do
    run_ms "$BUILD/nqtool" "$pic" "$work/tool.pal" "$work/tool.idx" >>"$work/tool.ms"
    run_ms "$BUILD/nqref" "$pic" "$work/ref.pal" "$work/ref.idx" >>"$work/ref.ms"
  done
  if ! cmp -s "$work/tool.pal" "$work/ref.pal" || ! cmp -s "$work/tool.idx" "$work/ref.idx"; then
    echo "nqtool and nqref disagree on $size" >&2
    exit 1
  fi
  tool=$(median <"$work/tool.ms")
  ref=$(median <"$work/ref.ms")
  printf '%-22s %12s %12s %7sx\n' "desktop $size" "$tool" "$ref" "$(awk -v r="$ref" -v t="$tool" 'BEGIN { printf "%.1f", r / t }')"
done
echo "(median of $RUNS alternating runs each; palettes and index maps identical)"
echo

"$BUILD/core_bench" --benchmark_filter="${BENCH_FILTER:-.}"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
