# Sourced by the screenshot tests. start_virtual_display SIZE starts Xvfb with a
# screen of SIZE (e.g. 1024x768), waits until it takes clients, exports DISPLAY and
# sets xvfb_pid and display_file, which the caller's cleanup ends and removes.
start_virtual_display() {
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$display_file")"
}
