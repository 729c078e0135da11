#!/usr/bin/env bash
# Checks what the plug-in's own object code calls outside itself. It may
# call only the host's five services, its own operating-system edge (the
# tolvek::os functions), the compiler's memory-copying builtins and, in
# instrumented builds, the sanitizers' and coverage counters' hooks. So no
# object can allocate (malloc, operator new, strdup), print on its own
# (printf, puts, fwrite, write, std::cout), throw or catch (__cxa_throw,
# the personality routine, _Unwind_Resume) or use run-time type data. And
# no object below the command prints, and none outside src/plugin/ holds
# writable data.
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
# Below the command nothing prints, nor does its tokenizer: modules there
# return what happened, and the command, start-up and help decide what the
# user sees. The error prefix, which opens the command's messages, is the
# one exception.
may_print='/src/command/tolvek_command\.cpp\.|/src/plugin/|/src/host/error_prefix\.cpp\.'
for object in "${objects[@]}"; do
  [[ $object =~ $may_print ]] && continue
  printing=$("$nm" --undefined-only "$object" | awk '{print $NF}' | grep -x -E 'Printf|Qprintf|QPuts' || true)
  if [ -n "$printing" ]; then
    echo "FAIL: ${object##*/src/} prints ($(echo $printing)), below the command"
    status=1
  fi
done

# Process state lives in src/plugin/ alone: no other object defines
# writable data. Checked on the Windows build's objects, where constant
# tables lie in read-only data (the native build keeps tables of pointers
# in writable sections for the loader to relocate).
for object in "${objects[@]}"; do
  [[ $object == *.obj && $object != */src/plugin/* ]] || continue
  writable=$("$nm" --defined-only "$object" | awk '$2 ~ /^[BbDd]$/ && $3 !~ /^\./ {print $3}')
  if [ -n "$writable" ]; then
    echo "FAIL: ${object##*/src/} holds state outside src/plugin/: $(echo $writable)"
    status=1
  fi
done

[ $status -eq 0 ] && echo "checked ${#all[@]} objects: calls stay inside the plug-in, the host and the os edge"
exit $status
