#!/usr/bin/env bash
# Runs the X-side driver under Wine and copies with xclip, an X program on
# the same display, whatever the driver asks for: it writes <n>.txt into
# $QS_XCLIP_DIR, this script starts xclip on it and answers with <n>.done.
# Every xclip started here is ended before the script exits.
# Usage: xclip_test.sh <driver.exe> [driver arguments]
set -u

driver=$1
shift
command -v xclip >/dev/null || { echo "xclip is not installed" >&2; exit 1; }
export QS_XCLIP_DIR
QS_XCLIP_DIR=$(mktemp -d)
xclips=()
driver_pid=""

cleanup() {
  local pid
  for pid in "${xclips[@]}" $driver_pid; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$QS_XCLIP_DIR"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The time-outs keep a step that goes wrong from hanging the run.
timeout 300 wine "$driver" "$@" &
driver_pid=$!
n=1
while kill -0 "$driver_pid" 2>/dev/null; do
  if [ -e "$QS_XCLIP_DIR/$n.txt" ]; then
    # In the foreground (-quiet), so that its id is the one to end. A copy
    # started earlier ends by itself once this one owns the selection.
    timeout 120 xclip -selection clipboard -quiet "$QS_XCLIP_DIR/$n.txt" >/dev/null 2>&1 &
    xclips+=($!)
    touch "$QS_XCLIP_DIR/$n.done"
    n=$((n + 1))
  else
    sleep 0.02
  fi
done
wait "$driver_pid"
status=$?
driver_pid=""
exit $status
