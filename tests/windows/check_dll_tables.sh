#!/usr/bin/env bash
# Checks the built DLL as a clean Windows machine would load it: it may
# import only from the host library, Windows system DLLs and the C runtime,
# and it must export exactly the expected plain names.
# Usage: check_dll_tables.sh OBJDUMP DLL EXPECTED_EXPORTS
set -euo pipefail
objdump=$1 dll=$2 expected=$3

tables=$("$objdump" -p "$dll")

imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$tables" | sort -u)
allowed='^(TakeCmd\.dll|KERNEL32\.dll|USER32\.dll|ADVAPI32\.dll|msvcrt\.dll|ucrtbase\.dll|api-ms-win-crt-[a-z0-9-]+\.dll)$'
bad=$(grep -v -i -E "$allowed" <<<"$imports" || true)

# Export names: the rows of the "[Ordinal/Name Pointer] Table".
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {inside=1; next}
               inside && /^[[:space:]]*\[/ {print $NF; next}
               inside {inside=0}' <<<"$tables" | sort)

# Names imported from the host library: the rows under its "DLL Name" line.
host_names=$(awk '/DLL Name: TakeCmd.dll/ {inside=1; next}
                  inside && /Hint\/Ord/ {next}
                  inside && NF == 0 {inside=0}
                  inside {print $NF}' <<<"$tables" | sort)
host_allowed='^(ExpandVariables|Printf|Qprintf|QPuts|\?ClearEditLine@@YAXPEA_W@Z)$'
bad_host=$(grep -v -E "$host_allowed" <<<"$host_names" || true)
wanted=$(sort "$expected")

echo "imported DLLs:"; sed 's/^/  /' <<<"$imports"
echo "names imported from TakeCmd.dll:"; sed 's/^/  /' <<<"$host_names"
echo "exported names:"; sed 's/^/  /' <<<"$exports"

status=0
if [ -n "$bad" ]; then
  echo "FAIL: imports outside the host, Windows and the C runtime: $bad"; status=1
fi
if ! grep -q -x 'TakeCmd.dll' <<<"$imports"; then
  echo "FAIL: TakeCmd.dll is not imported"; status=1
fi
if [ -n "$bad_host" ]; then
  echo "FAIL: names the host library does not offer: $bad_host"; status=1
fi
if [ "$exports" != "$wanted" ]; then
  echo "FAIL: exports differ from $expected"; diff <(echo "$wanted") <(echo "$exports") || true; status=1
fi
exit $status
