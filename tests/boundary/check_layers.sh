#!/usr/bin/env bash
# Checks that dependencies run one way. The plug-in's folders form layers,
# from the top: plugin (the entry points, the only owner of process
# state), then command and edit, then hotkeys, then host, which may use
# os and text. A file may include headers of its own folder and of the
# folders below it, never of a folder beside or above. And the tools never
# use what tests/ holds: no path into tests/ and no test library.
#
# Usage: check_layers.sh SOURCE_DIR
set -euo pipefail
cd "$1"

declare -A may_include=(
  [plugin]="command edit hotkeys host os text"
  [command]="hotkeys host os text"
  [edit]="hotkeys host os text"
  [hotkeys]="host os text"
  [host]="os text"
  [os]=""
  [text]=""
)

status=0
for folder in src/*/; do
  folder=${folder#src/}
  folder=${folder%/}
  if [ -z "${may_include[$folder]+set}" ]; then
    echo "src/$folder: a folder with no place in the layers"
    status=1
    continue
  fi
  while IFS=: read -r file line included; do
    [ "$included" = "$folder" ] && continue
    if ! grep -qw -- "$included" <<<"${may_include[$folder]}"; then
      echo "$file:$line: src/$folder includes $included/, which is not below it"
      status=1
    fi
  done < <(grep -rnoE '^#include "[a-z_]+/' "src/$folder" | sed -E 's/#include "([a-z_]+)\/$/\1/')
done

if grep -rnE 'tests/|\b(tolvek_native|tolvek_support)\b' tools; then
  echo "tools/ uses files of tests/ (above)"
  status=1
fi

[ $status -eq 0 ] && echo "layers in order: every include runs downward; tools use nothing of tests/"
exit $status
