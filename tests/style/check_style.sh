#!/usr/bin/env bash
# Checks the sources against the project's style and checks: clang-format
# (.clang-format) on every C++ source, and clang-tidy (.clang-tidy) with
# clang-query (constant_names.query) on the plug-in and the tools, the
# portable files through the native build's compile commands and the
# Windows files through the Windows build's.
#
# Usage: check_style.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR
set -euo pipefail
native=$(realpath "$1") windows=$(realpath "$2")
cd "$(dirname "$0")/../.."

status=0
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
echo "clang-format: ${#sources[@]} files"
# Every place clang-format would change is a finding, printed as it reports it.
format_findings=$(clang-format --dry-run "${sources[@]}" 2>&1) || status=1
if [ -n "$format_findings" ]; then
  printf '%s\n' "$format_findings"
  status=1
fi

# The files each build compiles, of src/ and tools/.
compiled() {
  python3 - "$1/compile_commands.json" <<'PY'
import json, os, sys
for entry in json.load(open(sys.argv[1])):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]))
    if path.startswith(("src/", "tools/")):
        print(path)
PY
}
mapfile -t portable < <(compiled "$native" | sort -u)
mapfile -t windows_only < <(comm -13 <(printf '%s\n' "${portable[@]}") <(compiled "$windows" | sort -u))

# clang-tidy writes its findings to standard output and, on standard error,
# a count of the warnings it kept quiet for each file, and why a file could
# not be checked (a file that does not compile, a wrong option). Its
# standard error is shown when it fails, less the bare counts.
tidy() {
  local log
  log=$(mktemp)
  if clang-tidy --quiet "$@" 2>"$log"; then
    rm -f "$log"
    return 0
  fi
  grep -v -E '^[0-9]+ warnings? generated\.$' "$log" >&2 || true
  rm -f "$log"
  return 1
}

# clang-query holds the constants to the half of the naming rule that
# clang-tidy cannot see (tests/style/constant_names.query); each name that
# breaks it is a finding. It fails on a rule it cannot read ("LINE:COLUMN:"
# lines on standard output) or a file it cannot find, but succeeds on a
# file that does not compile (errors on standard error): both fail here.
constant_names() {
  local out err query_status=0 findings failed=0
  out=$(mktemp) err=$(mktemp)
  clang-query -f tests/style/constant_names.query "$@" >"$out" 2>"$err" || query_status=$?
  findings=$(sed -n -E 's/: note: "(.*)" binds here$/: error: \1/p' "$out" | sort -u)
  if [ -n "$findings" ]; then
    printf '%s\n' "$findings"
    failed=1
  fi
  if [ $query_status -ne 0 ] || [ -s "$err" ]; then
    echo "clang-query could not run the constants' rules on every file:" >&2
    sed -n -E '/^[0-9]+:[0-9]+: /p' "$out" >&2
    cat "$err" >&2
    failed=1
  fi
  rm -f "$out" "$err"
  return $failed
}

echo "clang-tidy: ${#portable[@]} portable files, ${#windows_only[@]} Windows files"
tidy -p "$native" "${portable[@]}" || status=1
constant_names -p "$native" "${portable[@]}" || status=1
# clang reads the Windows files with the cross compiler's C++ library and
# Windows headers; GCC's own intrinsics headers are left to clang's.
target_args=(--extra-arg=--target=x86_64-w64-mingw32)
while read -r dir; do
  case $dir in */include | */include-fixed) continue ;; esac
  target_args+=(--extra-arg=-isystem"$(realpath "$dir")")
done < <(echo | x86_64-w64-mingw32-g++-posix -xc++ -E -v - 2>&1 |
         sed -n '/#include <...> search starts here/,/End of search list/p' | grep '^ /')
target_args+=(--extra-arg=-isystem/usr/x86_64-w64-mingw32/include)
tidy -p "$windows" "${target_args[@]}" "${windows_only[@]}" || status=1
constant_names -p "$windows" "${target_args[@]}" "${windows_only[@]}" || status=1

[ $status -eq 0 ] && echo "style: clang-format, clang-tidy and the constants' names find nothing"
exit $status
