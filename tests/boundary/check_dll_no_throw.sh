#!/usr/bin/env bash
# Checks the linked tolvek.dll for the machinery of C++ exceptions and
# run-time type data: the throw and catch routines, the personality
# routine that unwinding needs, and type-information records. None of it
# may be linked in, from the plug-in's code or from the static C++ library.
# Usage: check_dll_no_throw.sh NM DLL
#   DLL  the DLL's symbols: the DLL itself, or, for the stripped DLL, its
#        debug file tolvek.dll.debug
set -euo pipefail
nm=$1 dll=$2

symbols=$("$nm" "$dll" | awk 'NF >= 2 {print $NF}')
if [ -z "$symbols" ]; then
  echo "FAIL: $dll has no symbol table to check"
  exit 1
fi
forbidden='^(__cxa_(throw|allocate_exception|begin_catch|end_catch|rethrow)|__gxx_personality_.*|_Unwind_(Resume|RaiseException)|_ZTI.*|_ZTS.*|__dynamic_cast)$'
found=$(grep -E "$forbidden" <<<"$symbols" | sort -u || true)
if [ -n "$found" ]; then
  echo "FAIL: $dll links exception or type-information machinery:"
  sed 's/^/  /' <<<"$found"
  exit 1
fi
echo "$dll: $(wc -l <<<"$symbols") symbols, no exception or type-information machinery"
