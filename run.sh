#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the desktop program. Without
# a display it runs the bundled example through the command line instead and tells
# where the report is.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQSIM_BUILD_TESTS=OFF \
  -DQSIM_BUILD_BENCH=OFF
cmake --build build-release

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build-release/bin/qsim "$@"
fi

echo "No display: running the example models/single_device.txt with qsim-cli."
written=$(build-release/bin/qsim-cli run --decimal-separator . build-release/bin/models/single_device.txt)
echo "Report: $(realpath "$(printf '%s\n' "$written" | tail -n 1)")"
