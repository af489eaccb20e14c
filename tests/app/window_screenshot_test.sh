#!/usr/bin/env bash
# Starts the program in a real window on a virtual X server, takes a screenshot and
# checks the window's title. Usage: window_screenshot_test.sh QSIM SCREENSHOT.png
# Exits with 77 (skipped) where no virtual X server or screenshot tool is installed.
set -euo pipefail
program=$1
screenshot=$2
title="Система имитационного моделирования v 1.0"

for tool in Xvfb xwininfo import identify; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done

source "$(dirname "$0")/virtual_display.sh"
start_virtual_display 1024x768
qsim_pid=
cleanup() {
  [ -n "$qsim_pid" ] && kill "$qsim_pid" 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  rm -f "$display_file"
}
trap cleanup EXIT

QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 "$program" &
qsim_pid=$!

found=
for _ in $(seq 100); do
  if xwininfo -root -tree | grep -qF "\"$title\""; then
    found=yes
    break
  fi
  sleep 0.1
done
[ -n "$found" ] || { echo "no window titled \"$title\""; exit 1; }

# The first paint of a sanitized build on a busy machine can take seconds after the
# window is mapped: look again until the window shows, for up to 30 s.
colours=0
for _ in $(seq 30); do
  sleep 1
  import -window root "$screenshot"
  colours=$(identify -format %k "$screenshot")
  [ "$colours" -gt 10 ] && break
done
echo "screenshot $screenshot: $colours colours"
[ "$colours" -gt 10 ] || { echo "the screenshot shows no window"; exit 1; }
