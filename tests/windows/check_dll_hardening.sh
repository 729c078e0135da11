#!/usr/bin/env bash
# Checks the protections that the guide's Security section says the shipped
# DLL carries: Windows loads it at a random address anywhere in the 64-bit
# space (DYNAMIC_BASE, HIGH_ENTROPY_VA) and refuses to run its data
# (NX_COMPAT); no section is both writable and executable; and its code is
# built with the stack protector, whose guard value and failure routine its
# debug symbols name.
# Usage: check_dll_hardening.sh OBJDUMP NM DLL DEBUG_FILE
set -euo pipefail
objdump=$1 nm=$2 dll=$3 debug=$4

status=0
fail() { echo "FAIL: $*"; status=1; }

# The flag names that objdump lists under DllCharacteristics.
characteristics=$("$objdump" -p "$dll" | awk '/^DllCharacteristics/ {inside=1; next}
                                            inside && /^\t\t/ {print $1; next}
                                            {inside=0}')
for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
  grep -q -x "$flag" <<<"$characteristics" || fail "$dll lacks the DllCharacteristics flag $flag"
done

# Sections whose header asks for both write (0x80000000) and execute
# (0x20000000) access, read from the section table itself.
writable_code=$(python3 - "$dll" <<'PY'
import struct
import sys

image = open(sys.argv[1], "rb").read()
header = struct.unpack_from("<I", image, 0x3C)[0]
count, optional_size = struct.unpack_from("<H", image, header + 6)[0], struct.unpack_from("<H", image, header + 20)[0]
table = header + 24 + optional_size
for entry in range(table, table + 40 * count, 40):
    flags = struct.unpack_from("<I", image, entry + 36)[0]
    if flags & 0x80000000 and flags & 0x20000000:
        print(image[entry : entry + 8].rstrip(b"\0").decode("ascii", "replace"))
PY
)
[ -z "$writable_code" ] || fail "$dll has sections both writable and executable: $(echo $writable_code)"

symbols=$("$nm" "$debug" | awk 'NF == 3 {print $3}')
for symbol in __stack_chk_fail __stack_chk_guard; do
  grep -q -x "$symbol" <<<"$symbols" || fail "$debug does not name $symbol: the stack protector is not linked"
done

[ $status -eq 0 ] && echo "$dll: $(echo $characteristics), no writable code, stack protector linked"
exit $status
