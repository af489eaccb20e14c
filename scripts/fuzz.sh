#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a given time, one job
# at a time. New inputs collect in build-fuzz/corpus/TARGET, faults in
# build-fuzz/artifacts/TARGET. With --merge the collected corpus is minimised
# into fuzz/corpus/TARGET, the corpus the tests replay.
# Usage: scripts/fuzz.sh [--merge] [SECONDS] [TARGET ...]
#   TARGET: read_text, round_trip or compute (default: all three, in that order).
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
[ ${#targets[@]} -eq 0 ] && targets=(read_text round_trip compute)

scripts/install-deps.sh clang-14 libclang-rt-14-dev
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQSIM_FUZZ=ON -DQSIM_BUILD_TESTS=OFF -DQSIM_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/%/_fuzzer}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  work=build-fuzz/corpus/$target
  artifacts=build-fuzz/artifacts/$target
  mkdir -p "$work" "$artifacts" "fuzz/corpus/$target"
  echo "== $target: $seconds s"
  build-fuzz/fuzz/${target}_fuzzer "$work" "fuzz/corpus/$target" fuzz/corpus/seeds \
    -dict=fuzz/qsim.dict -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" || exit $?
  if [ "$merge" -eq 1 ]; then
    minimised=$(mktemp -d)
    build-fuzz/fuzz/${target}_fuzzer -merge=1 "$minimised" "fuzz/corpus/$target" "$work" \
      -max_len=4096 -timeout=10
    rm -f "fuzz/corpus/$target"/*
    cp "$minimised"/* "fuzz/corpus/$target/"
    rm -rf "$minimised"
  fi
done
