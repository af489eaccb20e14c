#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs the program on a bundled model.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQSIM_BUILD_TESTS=OFF \
  -DQSIM_BUILD_BENCH=OFF
cmake --build build-release
exec build-release/bin/qsim-cli canon --decimal-separator . build-release/bin/models/single_device.txt "$@"
