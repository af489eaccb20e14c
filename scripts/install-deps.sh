#!/usr/bin/env bash
# Installs the Debian packages the build needs, and only those that are missing.
# Usage: scripts/install-deps.sh [extra package ...]
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
  # The desktop program: Russian texts of Qt's own dialogs and a font with Cyrillic.
  qt6-translations-l10n fonts-dejavu-core
  # The check that the program opens a real window: a virtual X server and a screenshot.
  xvfb xauth x11-utils imagemagick
  # The checks of the installed tree and of the Debian package: CPack finds the
  # libraries the programs link with dpkg-shlibdeps, and the programs with file.
  desktop-file-utils dpkg-dev file
  # Series of runs: counter-based random streams, Student's t quantiles (both
  # header-only), and the cluster program qsim-mpi with mpirun to start it.
  librandom123-dev libboost-dev libopenmpi-dev openmpi-bin
  "$@")
# The desktop program's charts; Debian's Qt 6 Charts needs Qt 6 OpenGL's CMake files
# but does not pull them in.
packages+=(qt6-charts-dev libqt6opengl6-dev)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}"
