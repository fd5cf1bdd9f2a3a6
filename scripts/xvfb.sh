# Sourced: starts a private X server unless one is already given, and stops
# it when the calling script ends.
if [ -z "${DISPLAY:-}" ] || [ "${NEMBA_OWN_DISPLAY:-}" = 1 ]; then
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r display_number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display_number"
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
fi
