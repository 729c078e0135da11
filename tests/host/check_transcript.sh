#!/usr/bin/env bash
# Runs a stand-in host script under Wine and compares the transcript with
# the expected one.
# Usage: check_transcript.sh WINE OBJDUMP HOST_DIR NAME.expected
#
# NAME.script runs in one host process; NAME.after-restart.script, when it
# exists, in a second one, so that the plug-in starts afresh. A first script
# line "# options: ..." gives the host's command-line options. The saved
# hotkeys are removed from the registry before and after the run.
#
# The expected transcript is plain text with three directives, each on a
# line of its own, so that it can serve a plug-in that does not yet export
# every entry point:
#   @requires NAME ...   skip the test (exit 77) unless the DLL exports them
#   @if NAME / @else / @end
#                        lines kept only when the DLL exports NAME (or,
#                        after @else, only when it does not)
set -euo pipefail
wine=$1 objdump=$2 host_dir=$3 expected=$(realpath "$4")
base=${expected%.expected}

exports=" $("$objdump" -p "$host_dir/tolvek.dll" |
  awk '/\[Ordinal\/Name Pointer\] Table/ {inside=1; next}
       inside && /^[[:space:]]*\[/ {print $NF; next}
       inside {inside=0}' | tr '\n' ' ') "

for name in $(sed -n 's/^@requires //p' "$expected"); do
  if [[ "$exports" != *" $name "* ]]; then
    echo "skipped: tolvek.dll does not export $name yet"
    exit 77
  fi
done

wanted=$(awk -v exports="$exports" '
  /^@requires / {next}
  /^@if / {inside=1; keep=index(exports, " " $2 " ") > 0; next}
  /^@else$/ {keep=!keep; next}
  /^@end$/ {inside=0; next}
  !inside || keep {print}' "$expected")

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
forget_hotkeys() { "$wine" reg delete 'HKCU\Software\DARevavev\Tolvek' /f >/dev/null 2>&1 || true; }

run_script() {
  local script=$1 options
  options=$(sed -n '1s/^# options: //p' "$script")
  # shellcheck disable=SC2086  # the options are words
  local status=0
  (cd "$host_dir" && "$wine" ./tolvek_host.exe $options --script "$(windows_path "$(realpath "$script")")" 2>&1) || status=$?
  [ "$status" -eq 0 ] || echo "[the host exited with $status]"
}

forget_hotkeys
actual=$(run_script "$base.script")
if [ -f "$base.after-restart.script" ]; then
  actual+=$'\n'$(run_script "$base.after-restart.script")
fi
forget_hotkeys
actual=$(tr -d '\r' <<<"$actual")

if [ "$actual" == "$wanted" ]; then
  echo "transcript of $(basename "$base") as expected"
  exit 0
fi
echo "transcript of $(basename "$base") differs from $expected (- expected, + actual):"
diff -u <(echo "$wanted") <(echo "$actual") || true
exit 1
