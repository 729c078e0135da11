#!/usr/bin/env bash
# Checks the built DLL as a clean Windows machine would load it: it must
# import exactly the functions of the expected list, from the host library,
# Windows system DLLs and the C runtime, and export exactly the expected
# plain names. A new import, from a change of code or of a static library,
# fails here until the list names it and says why.
# Usage: check_dll_tables.sh OBJDUMP DLL EXPECTED_IMPORTS EXPECTED_EXPORTS
set -euo pipefail
objdump=$1 dll=$2 expected_imports=$3 expected_exports=$4

tables=$("$objdump" -p "$dll")

# Imported functions, "DLL function" a line: the rows under each "DLL Name" line.
imports=$(awk '/^[[:space:]]*DLL Name: / {dll = $3; next}
               dll != "" && /Hint\/Ord/ {next}
               dll != "" && NF == 0 {dll = ""}
               dll != "" {print dll, $NF}' <<<"$tables" | sort)
allowed='^(TakeCmd\.dll|KERNEL32\.dll|USER32\.dll|ADVAPI32\.dll|msvcrt\.dll) '
bad=$(grep -v -E "$allowed" <<<"$imports" || true)

# Export names: the rows of the "[Ordinal/Name Pointer] Table".
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {inside=1; next}
               inside && /^[[:space:]]*\[/ {print $NF; next}
               inside {inside=0}' <<<"$tables" | sort)

# The lists hold one entry a line, with comments after "#".
listed() { sed -e 's/#.*//' -e 's/[[:space:]]*$//' "$1" | grep -v '^$' | sort; }

echo "imported functions:"; sed 's/^/  /' <<<"$imports"
echo "exported names:"; sed 's/^/  /' <<<"$exports"

status=0
if [ -n "$bad" ]; then
  echo "FAIL: imports outside the host, Windows and the C runtime:"; sed 's/^/  /' <<<"$bad"; status=1
fi
if [ "$imports" != "$(listed "$expected_imports")" ]; then
  echo "FAIL: imports differ from $expected_imports (< listed, > imported):"
  diff <(listed "$expected_imports") <(echo "$imports") || true; status=1
fi
if [ "$exports" != "$(listed "$expected_exports")" ]; then
  echo "FAIL: exports differ from $expected_exports (< listed, > exported):"
  diff <(listed "$expected_exports") <(echo "$exports") || true; status=1
fi
exit $status
