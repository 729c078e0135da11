#!/usr/bin/env bash
# Checks what the plug-in's own object code calls outside itself. It may
# call only the host's five services, its own operating-system edge (the
# tolvek::os functions), the compiler's memory-copying builtins and, in
# instrumented builds, the sanitizers' and coverage counters' hooks. So no
# object can allocate (malloc, operator new, strdup), print on its own
# (printf, puts, fwrite, write, std::cout), throw or catch (__cxa_throw,
# the personality routine, _Unwind_Resume) or use run-time type data.
#
# Usage: check_core_symbols.sh NM OBJECTS [EDGE_OBJECTS]
#   OBJECTS       the portable code's objects, separated by ";"
#   EDGE_OBJECTS  the Windows edge's objects, which may in addition import
#                 the Win32 functions the plug-in needs
set -euo pipefail
nm=$1
IFS=';' read -r -a objects <<<"$2"
IFS=';' read -r -a edge <<<"${3:-}"

allowed='^(ExpandVariables|Printf|Qprintf|QPuts|ClearEditLine|_ZN6tolvek2os[0-9].*|mem(cpy|move|set|cmp)|__(asan|ubsan|sanitizer|gcov|llvm_gcov|llvm_gcda)_.*|__gcov[a-z_]*|__stack_chk_fail|__stack_chk_guard|___chkstk_ms)$'
edge_allowed='^__imp_(GetAsyncKeyState|GetStdHandle|GetForegroundWindow|MessageBoxW|RegCreateKeyExW|RegOpenKeyExW|RegQueryValueExW|RegSetValueExW|RegCloseKey)$'

all=("${objects[@]}" "${edge[@]}")
defined=$("$nm" --defined-only "${all[@]}" | awk 'NF == 3 {print $3}' | sort -u)
outside() {
  "$nm" --undefined-only "$@" | awk 'NF >= 2 {print $NF}' | sort -u | comm -23 - <(echo "$defined")
}

status=0
bad=$(outside "${objects[@]}" | grep -v -E "$allowed" || true)
if [ -n "$bad" ]; then
  echo "FAIL: the portable code calls outside the host, its os edge and the memory builtins:"
  sed 's/^/  /' <<<"$bad"
  status=1
fi
if [ ${#edge[@]} -gt 0 ] && [ -n "${edge[0]}" ]; then
  bad=$(outside "${edge[@]}" | grep -v -E "$allowed" | grep -v -E "$edge_allowed" || true)
  if [ -n "$bad" ]; then
    echo "FAIL: the Windows edge calls more than the Win32 functions it needs:"
    sed 's/^/  /' <<<"$bad"
    status=1
  fi
fi
[ $status -eq 0 ] && echo "checked ${#all[@]} objects: calls stay inside the plug-in, the host and the os edge"
exit $status
