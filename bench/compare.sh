#!/usr/bin/env bash
# Measures the GIF quantiser against the references, in one go:
#  1. nqtool against nqref (the plain quantiser of the tests) and, where the
#     published quantiser's C code is at hand (REFNQ_C, by default
#     ../shared/bench/refnq.c; built into a temporary folder, never part of
#     the project), against it too, as whole processes on a desktop-like
#     picture of 1920 x 1080 and of 3840 x 2160: RUNS alternating runs of each,
#     the median wall-clock time of each and the ratios; the outputs must be
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
REFNQ_C="${REFNQ_C:-../shared/bench/refnq.c}"
refnq=""
if [ -f "$REFNQ_C" ]; then
  refnq="$work/refnq"
  gcc -O2 -o "$refnq" "$REFNQ_C"
fi

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

printf '\n%-22s %12s %12s %12s %10s %10s\n' "picture" "nqtool (ms)" "nqref (ms)" "refnq (ms)" "x nqref" "x refnq"
for size in 1920x1080 3840x2160; do
  w=${size%x*}
  h=${size#*x}
  pic="$work/desktop-$size.ppm"
  "$BUILD/nqpicture" desktop "$w" "$h" "$pic"
  : >"$work/tool.ms"
  : >"$work/ref.ms"
  : >"$work/pub.ms"
  for ((i = 0; i < RUNS; ++i)); do
    run_ms "$BUILD/nqtool" "$pic" "$work/tool.pal" "$work/tool.idx" >>"$work/tool.ms"
    run_ms "$BUILD/nqref" "$pic" "$work/ref.pal" "$work/ref.idx" >>"$work/ref.ms"
    if [ -n "$refnq" ]; then
      run_ms "$refnq" "$pic" "$work/pub.pal" "$work/pub.idx" >>"$work/pub.ms"
    fi
  done
  for other in ref ${refnq:+pub}; do
    if ! cmp -s "$work/tool.pal" "$work/$other.pal" || ! cmp -s "$work/tool.idx" "$work/$other.idx"; then
      echo "nqtool and $other disagree on $size" >&2
      exit 1
    fi
  done
  tool=$(median <"$work/tool.ms")
  ref=$(median <"$work/ref.ms")
  pub=-
  pubratio=-
  if [ -n "$refnq" ]; then
    pub=$(median <"$work/pub.ms")
    pubratio="$(awk -v r="$pub" -v t="$tool" 'BEGIN { printf "%.1fx", r / t }')"
  fi
  printf '%-22s %12s %12s %12s %10s %10s\n' "desktop $size" "$tool" "$ref" "$pub" \
    "$(awk -v r="$ref" -v t="$tool" 'BEGIN { printf "%.1fx", r / t }')" "$pubratio"
done
echo "(median of $RUNS alternating runs each; palettes and index maps identical)"
echo

"$BUILD/core_bench" --benchmark_filter="${BENCH_FILTER:-.}"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
