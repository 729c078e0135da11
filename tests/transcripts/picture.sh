#!/usr/bin/env bash
# Runs the picture's script (tools/standin_host/demo/picture.script) in the
# stand-in host under Wine, with the built-in hotkeys, and hands the
# transcript to scripts/picture.py: `check SVG` compares the picture with it
# (the test), `cast CAST` writes the frames for termtosvg (scripts/picture).
# Usage: picture.sh WINE HOST_DIR check SVG | cast CAST
set -euo pipefail
wine=$1 host_dir=$2 mode=$3 path=$(realpath -m "$4")
root=$(realpath "$(dirname "$0")/../..")

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
forget_hotkeys() { "$wine" reg delete 'HKCU\Software\DARevavev\Tolvek' /f >/dev/null 2>&1 || true; }

run_host() {
  (cd "$host_dir" && "$wine" ./tolvek_host.exe --script "$(windows_path "$root/tools/standin_host/demo/picture.script")")
}

forget_hotkeys
# A run that printed nothing never reached the plug-in (Wine could not start
# the program); it is tried once more, as the transcript tests do.
transcript=$(run_host) || true
[ -n "$transcript" ] || transcript=$(run_host)
python3 "$root/scripts/picture.py" "$mode" "$path" <<<"$transcript"
