#!/usr/bin/env bash
# Runs a stand-in host script under Wine and compares the transcript with
# the expected one.
# Usage: check_transcript.sh WINE HOST_DIR NAME.expected
#
# NAME.script runs in one host process; NAME.after-restart.script, when it
# exists, in a second one, so that the plug-in starts afresh. A first script
# line "# options: ..." gives the host's command-line options. The saved
# hotkeys are removed from the registry before and after the run.
set -euo pipefail
wine=$1 host_dir=$2 expected=$(realpath "$3")
base=${expected%.expected}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
forget_hotkeys() { "$wine" reg delete 'HKCU\Software\DARevavev\Tolvek' /f >/dev/null 2>&1 || true; }

run_host() {
  local script=$1 options
  options=$(sed -n '1s/^# options: //p' "$script")
  # shellcheck disable=SC2086  # the options are words
  (cd "$host_dir" && "$wine" ./tolvek_host.exe $options --script "$(windows_path "$(realpath "$script")")" 2>&1)
}

# The host prints its first line before it loads the plug-in, so a run
# that failed without a word never reached our code: Wine could not start
# the program (seen once, when the program met a Wine server that was
# shutting down). Such a run is tried once more; any other failure counts.
run_script() {
  local script=$1 output status=0
  output=$(run_host "$script") || status=$?
  if [ "$status" -ne 0 ] && [ -z "$output" ]; then
    status=0
    output=$(run_host "$script") || status=$?
  fi
  printf '%s\n' "$output"
  [ "$status" -eq 0 ] || echo "[the host exited with $status]"
}

forget_hotkeys
actual=$(run_script "$base.script")
if [ -f "$base.after-restart.script" ]; then
  actual+=$'\n'$(run_script "$base.after-restart.script")
fi
forget_hotkeys
actual=$(tr -d '\r' <<<"$actual")

wanted=$(cat "$expected")
if [ "$actual" == "$wanted" ]; then
  echo "transcript of $(basename "$base") as expected"
  exit 0
fi
echo "transcript of $(basename "$base") differs from $expected (- expected, + actual):"
diff -u <(echo "$wanted") <(echo "$actual") || true
exit 1
