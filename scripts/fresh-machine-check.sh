#!/usr/bin/env bash
# Shows that the README's two commands do all set-up on a fresh Debian 12 machine.
# Makes a minimal Debian 12 root with mmdebstrap, clones the repository into it with
# nothing beside the clone, and runs ./run.sh and then ./test.sh there as a new user
# would. Then builds the Debian package there and installs it with apt-get, without
# recommended packages, on a second fresh root, where the installed qsim-cli must run
# an installed example and the installed qsim must start.
# The last line says what passed; the exit status is 0 only when everything did.
# Takes about 20 minutes and Debian's mirror; runs as root (mmdebstrap, chroot, mount).
# Usage: scripts/fresh-machine-check.sh [REVISION]
#   REVISION: a committed revision on a branch of this repository (default: HEAD);
#   the check clones it, so uncommitted changes are not part of it.
set -euo pipefail
cd "$(dirname "$0")/.."

revision=${1:-HEAD}
commit=$(git rev-parse --verify --quiet "$revision^{commit}") ||
  { echo "fresh-machine-check: no such revision: $revision" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] ||
  { echo "fresh-machine-check: run as root (mmdebstrap, chroot and mount need it)" >&2; exit 2; }
command -v mmdebstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq mmdebstrap

work=$(mktemp -d /var/tmp/qsim-fresh.XXXXXX)
built=$work/built          # the new user's machine
installed=$work/installed  # a machine that only installs the package

# Unmounts whatever the check mounted, deepest first, then removes the roots, but
# never while anything is still mounted inside them: a bound /dev must not be emptied.
cleanup() {
  local target
  { findmnt -rno TARGET | grep "^$work/" || true; } | sort -r | while read -r target; do
    umount "$target" || umount -l "$target"
  done
  if findmnt -rno TARGET | grep -q "^$work/"; then
    echo "fresh-machine-check: something is still mounted in $work; left in place" >&2
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Runs a shell command inside a root, with /proc and /dev mounted and the bare
# environment of a fresh login: no display and nothing from this machine.
in_root() {
  local root=$1
  shift
  mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
  if ! mountpoint -q "$root/dev"; then
    mount --rbind /dev "$root/dev"
    mount --make-rslave "$root/dev"
  fi
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "$*"
}

echo "== A minimal Debian 12 root"
mmdebstrap --variant=apt bookworm "$installed"
cp -a "$installed" "$built"

echo "== A clone of $commit, alone in /src"
git clone -q --no-local . "$built/src/qsim"
git -C "$built/src/qsim" checkout -q --detach "$commit"
git -C "$built/src/qsim" remote remove origin

summary="fresh Debian 12, qsim ${commit:0:7}:"
finish() {
  echo "$summary"
  exit "$1"
}

echo "== ./run.sh"
in_root "$built" 'cd /src/qsim && ./run.sh' || { summary+=" run.sh FAILED"; finish 1; }
summary+=" run.sh passed;"

echo "== ./test.sh"
if in_root "$built" 'cd /src/qsim && ./test.sh' 2>&1 | tee "$work/test.log"; then
  test_status=0
else
  test_status=1
fi
tally=$(grep -Eo '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$work/test.log" |
  tail -n 1 || true)
if [ "$test_status" -ne 0 ] || ! grep -q ' 0 tests failed' <<<"$tally"; then
  summary+=" test.sh FAILED (${tally:-no test ran})"
  finish 1
fi
summary+=" test.sh passed ($tally);"

echo "== The Debian package, installed with apt-get on a fresh root"
in_root "$built" 'cd /src/qsim/build-release && cpack -G DEB' ||
  { summary+=" the package FAILED to build"; finish 1; }
cp "$built"/src/qsim/build-release/qsim_*.deb "$installed/root/"
# A home without a documents folder: the report goes to ~/qsim/reports. A program
# that starts stays running until the timeout ends it (status 124).
if ! in_root "$installed" 'set -e
    cd /root
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ./qsim_*.deb
    report=$(qsim-cli run --decimal-separator . /usr/share/qsim/examples/single_device.txt)
    echo "report: $report"
    case "$report" in /root/qsim/reports/report_*.htm) test -s "$report" ;; *) exit 1 ;; esac
    status=0
    QT_QPA_PLATFORM=offscreen timeout 5 qsim || status=$?
    echo "qsim ran until stopped: status $status"
    test "$status" -eq 124'; then
  summary+=" the package FAILED to install or run"
  finish 1
fi
summary+=" the package installs with apt-get, its qsim-cli runs an example and its qsim starts"
finish 0
