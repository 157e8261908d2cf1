#!/usr/bin/env bash
# Runs one libFuzzer target of tests/fuzz for a number of seconds.
#
# Usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
#   e.g. scripts/fuzz.sh csv_size_list 600 -runs=10000000
#
# The target reads its seed corpus from tests/fuzz/corpus/TARGET and keeps
# what it discovers in the build tree (build/native/fuzz/work/TARGET), so the
# seeds in the repository change only by hand. An input that makes it fail is
# written to build/native/fuzz/artifacts/; copy it into the target's corpus once
# the fault is mended. The exit status is the fuzzer's: 0 when nothing failed.
# With FRIMLET_FUZZ_FRESH=1 (the CTest runs) the work folder starts empty, so
# that a short run takes the same time however often it has run before.
set -euo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 TARGET SECONDS [libFuzzer options...]" >&2
  exit 2
fi
target=$1
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
fuzzdir=${FRIMLET_FUZZ_DIR:-$root/build/native/fuzz}
binary=$fuzzdir/fuzz_$target

if [ -z "${FRIMLET_FUZZ_NO_BUILD:-}" ]; then
  if [ ! -d "$root/build/native" ]; then
    cmake -S "$root" -B "$root/build/native" -G Ninja >/dev/null
  fi
  cmake --build "$root/build/native" --target fuzz_targets -j "${JOBS:-1}" >/dev/null
fi
if [ ! -x "$binary" ]; then
  echo "fuzz.sh: no fuzz target $binary" >&2
  exit 2
fi

seeds=$root/tests/fuzz/corpus/$target
work=$fuzzdir/work/$target
artifacts=$fuzzdir/artifacts
if [ -n "${FRIMLET_FUZZ_FRESH:-}" ]; then
  rm -rf "$work"
fi
mkdir -p "$work" "$artifacts" "$seeds"
# New inputs go to the first corpus folder, the work folder. A single input
# may take a second or two under the sanitizers (the quantiser on a large
# picture), more on a busy machine; only one that takes a minute is a hang.
exec "$binary" -max_total_time="$seconds" -print_final_stats=1 -timeout=60 -rss_limit_mb=2048 \
  -artifact_prefix="$artifacts/$target-" "$@" "$work" "$seeds"
