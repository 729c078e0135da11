#!/usr/bin/env bash
# The demo's session, as scripts/demo shows it: the stand-in host starts with
# the built-in hotkeys, runs first-start.script (which changes and saves
# hotkeys), starts again to show the saved hotkeys back, and the saved
# hotkeys are removed at the end, so that the Wine prefix holds no hotkeys,
# as a new one does, and the next start of the host has the built-in ones.
# Usage: session.sh WINE HOST_DIR   (Wine runs in the environment given)
set -euo pipefail
wine=$1 host_dir=$2
demo=$(realpath "$(dirname "$0")")

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
forget_hotkeys() { "$wine" reg delete 'HKCU\Software\DARevavev\Tolvek' /f >/dev/null 2>&1 || true; }

forget_hotkeys
cd "$host_dir"
echo
echo "=== First start of the stand-in host"
"$wine" tolvek_host.exe --script "$(windows_path "$demo/first-start.script")" 2>&1
echo
echo "=== Second start of the stand-in host"
"$wine" tolvek_host.exe --script "$(windows_path "$demo/second-start.script")" 2>&1
echo
echo "=== Removing the hotkeys the demo saved: the next start has the built-in hotkeys"
forget_hotkeys
