#!/usr/bin/env bash
# Runs the overflow driver under Wine and checks that the stack protector
# works in this toolchain, not only that it is linked: the guard value was
# made at load (neither zero nor the fixed value the run-time falls back to
# when Windows gives it no random bytes), the copy that fits returns, and
# the copy past the buffer ends the process at the guard's check. The
# run-time ends it with an illegal instruction (exception 0xC000001D, which
# the driver reports); without the guard the same copy returns into the
# overwritten return address and ends in a page fault (0xC0000005) instead.
# Usage: check_overflow_ends.sh WINE DRIVER
# Wine runs with the environment it is given (WINEPREFIX, WINEDEBUG, ...).
set -euo pipefail
wine=$1 driver=$2

output=$(mktemp)
trap 'rm -f "$output"' EXIT
set +e
"$wine" "$driver" >"$output" 2>&1
status=$?
set -e

printed() { grep -q -x -E "$1" "$output"; }

fail=""
guard=$(sed -n 's/^guard value \([0-9a-f]*\)\r\?$/\1/p' "$output")
case $guard in
  "") fail="the driver printed no guard value" ;;
  0000000000000000) fail="the guard value is zero: the run-time did not set it at load" ;;
  ff0a000000000000) fail="the guard value is the run-time's fixed fallback: it got no random bytes" ;;
esac
if [ -z "$fail" ]; then
  if ! printed $'copy of 8 bytes returned -?[0-9]+\r?'; then
    fail="the copy that fits did not return"
  elif ! printed $'copying 64 bytes\r?' || printed $'copy of 64 bytes returned.*'; then
    fail="the copy past the buffer returned, or never ran"
  elif ! printed $'ended by exception c000001d\r?' || [ "$status" -eq 0 ]; then
    fail="the process (status $status) did not end by an illegal instruction, the guard's trap"
  fi
fi
if [ -n "$fail" ]; then
  echo "FAIL: $fail; the driver printed:"
  head -n 20 "$output" | sed 's/^/  /'
  exit 1
fi
echo "guard value $guard set at load; the copy past the buffer ended the process by the guard's trap"
