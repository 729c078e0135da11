#!/usr/bin/env bash
# Checks the form in which tolvek.dll ships: stripped (no symbol table, no
# debug sections), naming its debug file by the bare name tolvek.dll.debug
# so that a debugger finds it beside the DLL. (Its protections are checked
# by check_dll_hardening.sh.)
# Usage: check_dll_shipped.sh OBJDUMP OBJCOPY DLL
set -euo pipefail
objdump=$1 objcopy=$2 dll=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

status=0
fail() { echo "FAIL: $dll $*"; status=1; }

if ! "$objdump" -t "$dll" | grep -q -x 'no symbols'; then
  fail "has a symbol table"
fi
debug_sections=$("$objdump" -h "$dll" | grep -o '\.debug_[a-z_]*' | sort -u | tr '\n' ' ' || true)
[ -z "$debug_sections" ] || fail "has debug sections: $debug_sections"

link=""
if "$objcopy" --dump-section .gnu_debuglink="$scratch/link" "$dll" "$scratch/copy" 2>/dev/null &&
   [ -f "$scratch/link" ]; then
  link=$(head -z -n 1 "$scratch/link" | tr -d '\0')
fi
[ "$link" == "tolvek.dll.debug" ] || fail "names its debug file '$link', not 'tolvek.dll.debug'"

[ $status -eq 0 ] && echo "$dll: stripped, names tolvek.dll.debug"
exit $status
