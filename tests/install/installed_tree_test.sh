#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree: the programs, the
# help page, the examples, the desktop entry (which desktop-file-validate must
# accept) and the icon. Then the installed qsim-cli runs an installed example and
# must write its report into the user's documents folder, or into the home folder
# when there is none, and nothing into the installation.
# Usage: installed_tree_test.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

fail() {
  echo "FAIL: $*"
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/qsim bin/qsim-cli share/qsim/help/index.html \
  share/qsim/examples/single_device.txt share/qsim/examples/two_desks.txt \
  share/applications/qsim.desktop share/icons/hicolor/scalable/apps/qsim.svg; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done

command -v desktop-file-validate >/dev/null ||
  fail "desktop-file-validate is not installed (scripts/install-deps.sh installs it)"
desktop-file-validate "$prefix/share/applications/qsim.desktop" ||
  fail "desktop-file-validate refuses the desktop entry"

# Runs the installed qsim-cli on an installed example as a user with the home
# folder HOME_NAME and, when given, the documents folder; checks that the report
# it names is where EXPECTED_FOLDER says.
# Usage: check_report HOME_NAME EXPECTED_FOLDER [XDG_DOCUMENTS_DIR]
check_report() {
  local home=$scratch/$1 expected=$scratch/$2 written
  mkdir -p "$home"
  written=$(cd "$scratch" && env -u XDG_DOCUMENTS_DIR HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    ${3:+XDG_DOCUMENTS_DIR="$scratch/$3"} "$prefix/bin/qsim-cli" run --decimal-separator . \
    "$prefix/share/qsim/examples/single_device.txt") || fail "qsim-cli run failed"
  case "$written" in
    "$expected"/report_*.htm) [ -s "$written" ] || fail "no report at $written" ;;
    *) fail "the report went to $written, not into $expected" ;;
  esac
}

mkdir -p "$scratch/documents"
check_report home documents/qsim/reports documents
check_report bare-home bare-home/qsim/reports
[ -z "$(find "$prefix" -name 'report_*')" ] || fail "a report was written into the installation"
echo "installed tree and its reports: as expected"
