#!/usr/bin/env bash
# Starts the program on a virtual 1280 x 1024 X screen under a window manager,
# opens the generator, queue and device dialogs with the editing tools and the
# settings dialog on its first and last pages, and takes a screenshot of each, to be
# looked at. Usage: dialog_screenshots_test.sh QSIM FOLDER SCALE
# Exits with 77 (skipped) where the X tools are not installed.
set -euo pipefail
program=$1
folder=$2
scale=$3
title="Система имитационного моделирования v 1.0"

for tool in Xvfb openbox xdotool import identify; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
mkdir -p "$folder"

source "$(dirname "$0")/virtual_display.sh"
start_virtual_display 1280x1024
wm_pid=
qsim_pid=
cleanup() {
  [ -n "$qsim_pid" ] && kill "$qsim_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  rm -f "$display_file"
}
trap cleanup EXIT
openbox >/dev/null 2>&1 &
wm_pid=$!

# Waits for a window whose title begins with $1 and prints its id.
window_titled() {
  for _ in $(seq 100); do
    if id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n1) && [ -n "$id" ]; then
      echo "$id"
      return
    fi
    sleep 0.1
  done
  echo "no window titled \"$1\"" >&2
  return 1
}

# Takes the window $1 as $2.png and checks that it shows something.
shoot() {
  sleep 0.5  # let the paint finish
  import -window "$1" "$folder/$2.png"
  colours=$(identify -format %k "$folder/$2.png")
  echo "$folder/$2.png: $colours colours"
  [ "$colours" -gt 10 ] || { echo "$2 shows nothing"; exit 1; }
}

# A fresh program for each dialog, so that no dialog left open spoils the next.
start_program() {
  [ -n "$qsim_pid" ] && kill "$qsim_pid" 2>/dev/null && wait "$qsim_pid" 2>/dev/null || true
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale ASAN_OPTIONS=detect_leaks=0 "$program" &
  qsim_pid=$!
  main=$(window_titled "$title")
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$main")"
  left=$X top=$Y height=$HEIGHT
}

start_program
shoot "$main" main
# Clicks at $1, $2 (logical pixels) from the window's top left; a negative $2
# counts from its bottom.
click() {
  local y=$(( $2 * scale ))
  [ "$2" -lt 0 ] && y=$(( height + y ))
  xdotool mousemove $(( left + $1 * scale )) $(( top + y )) click 1
  sleep 0.3
}

# The three add tools of the editing bar, each placing its element on the canvas.
tools=(18 51 84)
dialogs=("Параметры генератора заявок" "Параметры очереди" "Параметры обслуживающего устройства")
names=(TForm3 TForm4 TForm5)
for i in 0 1 2; do
  start_program
  click "${tools[$i]}" -59
  click $(( 100 + 120 * i )) 100
  dialog=$(window_titled "${dialogs[$i]}")
  shoot "$dialog" "${names[$i]}"
done

# The settings.
start_program
click 96 14
settings=$(window_titled "Параметры моделирования")
shoot "$settings" TForm2_run

# The accuracy page, the fourth tab at the right end of the tab bar.
eval "$(xdotool getwindowgeometry --shell "$settings")"
xdotool mousemove --window "$settings" $(( WIDTH - 70 * scale )) $(( 22 * scale ))
sleep 0.3
xdotool click 1
shoot "$settings" TForm2_accuracy
