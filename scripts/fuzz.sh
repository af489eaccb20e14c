#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a given time, one job
# at a time, from the seeds and the committed corpus. New inputs collect in
# build-fuzz/corpus/TARGET, faults in build-fuzz/artifacts/TARGET. With --merge,
# everything the targets collected is then minimised, by the edges of the compute
# target (which reads, checks, runs, reports and writes), into fuzz/corpus/minimized,
# the corpus the tests replay.
# Usage: scripts/fuzz.sh [--merge] [SECONDS] [TARGET ...]
#   TARGET: read_text, round_trip, compute, analyze or merge (default: all, in that
#   order).
set -euo pipefail
cd "$(dirname "$0")/.."

merge=0
if [ "${1:-}" = "--merge" ]; then
  merge=1
  shift
fi
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(read_text round_trip compute analyze merge)

scripts/install-deps.sh clang-14 libclang-rt-14-dev
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQSIM_FUZZ=ON -DQSIM_BUILD_TESTS=OFF -DQSIM_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target read_text_fuzzer round_trip_fuzzer compute_fuzzer \
  analyze_fuzzer merge_fuzzer

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
options=(-max_len=4096 -timeout=10 -rss_limit_mb=2048)
mkdir -p fuzz/corpus/minimized
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target" "build-fuzz/artifacts/$target"
  echo "== $target: $seconds s"
  "build-fuzz/fuzz/${target}_fuzzer" "build-fuzz/corpus/$target" fuzz/corpus/minimized \
    fuzz/corpus/seeds fuzz/corpus/parts tests/fuzz_regressions -dict=fuzz/qsim.dict "${options[@]}" \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target/"
done

if [ "$merge" -eq 1 ]; then
  minimised=$(mktemp -d)
  build-fuzz/fuzz/compute_fuzzer -merge=1 -use_counters=0 "${options[@]}" "$minimised" \
    fuzz/corpus/minimized build-fuzz/corpus/*/
  rm -f fuzz/corpus/minimized/*
  cp "$minimised"/* fuzz/corpus/minimized/
  rm -rf "$minimised"
  echo "fuzz/corpus/minimized: $(ls fuzz/corpus/minimized | wc -l) inputs"
fi
