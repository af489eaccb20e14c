#!/usr/bin/env bash
# Builds the Debian package from this build and checks that it holds the installed
# tree under /usr and declares the Qt 6 run-time packages the programs need.
# Usage: debian_package_test.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >/dev/null ||
  fail "cpack could not build the package"
packages=("$scratch"/qsim_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -s "${packages[0]}" ] || fail "no single qsim_*.deb"

depends=$(dpkg-deb -f "${packages[0]}" Depends)
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 qt6-qpa-plugins; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "$package is not declared"
done

contents=$(dpkg-deb -c "${packages[0]}")
for file in usr/bin/qsim usr/bin/qsim-cli usr/share/qsim/help/index.html \
  usr/share/qsim/examples/single_device.txt usr/share/applications/qsim.desktop \
  usr/share/icons/hicolor/scalable/apps/qsim.svg; do
  grep -q " \./$file$" <<<"$contents" || fail "the package lacks /$file"
done
echo "package ${packages[0]##*/}: as expected"
