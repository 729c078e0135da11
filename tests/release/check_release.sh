#!/usr/bin/env bash
# Checks the release as a user gets it. scripts/release refuses an output
# folder of someone else's files before it builds, and leaves them as they
# were, and it refuses a commit whose CHANGELOG.md has no section for its
# version; run twice in build folders whose paths differ in length, it
# writes the same files byte for byte; their checksums hold, and the
# guide's checksum command checks a folder of only the zip and SHA256SUMS,
# and tolvek.dll once the zip is unpacked there; the zip,
# named by the full version, holds the DLL, the user's guide as Markdown
# and as HTML, the licence and the changelog, in that order; the text files
# end their lines with CR LF; the changelog's newest section is the
# release's; the guide has the sections users need and reads as plain text;
# headless Chromium shows the HTML guide whole, with the picture and
# without the network (tests/release/check_guide_page.py); and the DLL
# unpacked from the zip into an empty folder beside the stand-in host runs
# a host script end to end under Wine, as its expected transcript says.
#
# Usage: check_release.sh WINE HOST_DIR WORK_DIR VERSION
#   HOST_DIR  the built stand-in host: tolvek_host.exe and its TakeCmd.dll
#   WORK_DIR  a scratch folder, emptied first; the screenshots of the HTML
#             guide stay in WORK_DIR/guide
#   VERSION   the full version the release must carry, such as 0.92.0.7
# Wine runs with the environment it is given (WINEPREFIX, WINEDEBUG, ...).
set -euo pipefail
wine=$1 host_dir=$(realpath "$2") work=$(realpath -m "$3") version=$4
cd "$(dirname "$0")/../.."

rm -rf "$work"
mkdir -p "$work"
passed=0 failed=0
check() {
  local what=$1
  shift
  if "$@" >"$work/check.log" 2>&1; then
    passed=$((passed + 1))
    echo "ok: $what"
  else
    failed=$((failed + 1))
    echo "FAIL: $what"
    sed 's/^/  /' "$work/check.log"
  fi
}

# Runs scripts/release into OUTPUT and checks that its last line names the
# zip it wrote there.
release_into() {
  local build=$1 output=$2 last
  last=$(scripts/release --build-dir "$build" --output-dir "$output" | tail -n 1)
  [[ $last == "$output"/tolvek-*-windows-x64.zip && -f $last ]] || { echo "last line: $last"; return 1; }
}

same_files() {
  diff <(cd "$1" && ls -A) <(cd "$2" && ls -A)
  for file in "$1"/*; do cmp "$file" "$2/$(basename "$file")"; done
}

zip_names() {
  python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$1"
}

# A folder holding a user's file and a SHA256SUMS of their own is refused
# before anything is built, and both files stay byte for byte.
refuses_users_folder() {
  local folder=$work/users-folder build=$work/refused-build
  mkdir -p "$folder" "$work/originals"
  echo "my notes" >"$folder/notes.txt"
  echo "0000000000000000000000000000000000000000000000000000000000000000  holiday.iso" >"$folder/SHA256SUMS"
  cp "$folder"/* "$work/originals"
  if scripts/release --build-dir "$build" --output-dir "$folder" 2>"$work/refused.log"; then
    echo "scripts/release wrote into $folder"
    return 1
  fi
  cat "$work/refused.log"
  grep -q "release: $folder holds files this script did not write" "$work/refused.log"
  cmp "$folder/notes.txt" "$work/originals/notes.txt" && cmp "$folder/SHA256SUMS" "$work/originals/SHA256SUMS"
  [ "$(ls -A "$folder" | wc -l)" -eq 2 ] || { echo "$folder holds more than before"; return 1; }
  [ ! -e "$build" ] || { echo "scripts/release built before it checked the output folder"; return 1; }
}

# A commit whose CHANGELOG.md has no section for its version (here a clone
# whose build number was raised alone) is refused before anything is built,
# with a message that says what to add.
refuses_missing_notes() {
  local clone=$work/no-notes build=$work/no-notes-build bumped
  git clone -q . "$clone"
  cp scripts/release "$clone/scripts/release"  # the script under test, committed or not
  sed -i -E 's/^(project\(tolvek VERSION [0-9]+\.[0-9]+\.[0-9]+)\.[0-9]+/\1.999/' "$clone/CMakeLists.txt"
  bumped=$(sed -n -E 's/^project\(tolvek VERSION ([0-9.]+) .*/\1/p' "$clone/CMakeLists.txt")
  git -C "$clone" -c user.name=check -c user.email=check@localhost commit -q -a -m "A version without notes"
  if "$clone/scripts/release" --build-dir "$build" --output-dir "$work/no-notes-dist" 2>"$work/no-notes.log"; then
    echo "scripts/release built $bumped without its notes"
    return 1
  fi
  cat "$work/no-notes.log"
  grep -q -F "release: CHANGELOG.md has no section for $bumped" "$work/no-notes.log" &&
    grep -q -F "add '## [$bumped] - YYYY-MM-DD'" "$work/no-notes.log" &&
    [ ! -e "$build" ] && [ ! -e "$work/no-notes-dist" ]
}

# Text files whose every line ends with CR LF, and nothing else.
windows_lines() {
  python3 - "$@" <<'PY'
import sys

for path in sys.argv[1:]:
    data = open(path, "rb").read()
    lines = data.split(b"\r\n")
    if not data.endswith(b"\r\n") or any(b"\n" in line or b"\r" in line for line in lines):
        sys.exit(f"{path} has a line that does not end with CR LF")
PY
}

# The changelog's newest release section is the release's, and it has no
# empty [Unreleased] section above it.
notes_of_release() {
  local newest
  newest=$(tr -d '\r' <"$1" | sed -n -E '/^## \[[0-9]/ {s/^## \[([0-9.]+)\] - [0-9]{4}-[0-9]{2}-[0-9]{2}$/\1/p; q}')
  [ "$newest" == "$version" ] || { echo "newest release section: '$newest', not $version"; return 1; }
  if tr -d '\r' <"$1" | grep -q -P -z '## \[Unreleased\]\s*\n## '; then
    echo "an empty [Unreleased] section stands above it"
    return 1
  fi
}

# The guide keeps what users need, leaves the developers' sections out, and
# has no table cell that needs an escaped "|", which reads badly as text,
# nor a picture of the repository's docs/, which the zip does not hold.
guide_for_users() {
  local section guide=$work/guide.md
  tr -d '\r' <"$1" >"$guide"
  for section in Requirements Installing Security 'The tolvek command' 'Where the hotkeys are kept' Troubleshooting; do
    grep -q -x -E "#{2,3} $section" "$guide" || { echo "no section $section"; return 1; }
  done
  ! grep -q -x -E '## (Try it|Building|Development)' "$guide" && ! grep -n -F -e '\|' -e '](docs/' "$guide"
}

# The guide's sha256sum command, run in a folder of the download that holds
# only the zip and SHA256SUMS, checks the zip; run again after the zip is
# unpacked there, it checks tolvek.dll too.
guide_checks_the_download() {
  local folder=$work/download command
  command=$(tr -d '\r' <"$1" | grep -x -m 1 'sha256sum .*SHA256SUMS') || { echo "the guide shows no sha256sum line"; return 1; }
  mkdir "$folder" && cp "$zip" "$work/dist-a/SHA256SUMS" "$folder" || return 1
  (cd "$folder" && $command) | tee "$work/sums.log" && grep -q -x -F "$(basename "$zip"): OK" "$work/sums.log" ||
    return 1
  python3 -m zipfile -e "$zip" "$folder" && (cd "$folder" && $command) | tee "$work/sums.log" &&
    grep -q -x -F "tolvek.dll: OK" "$work/sums.log"
}

# The unpacked DLL beside a copy of the stand-in host, in a folder of its own.
installed_host_runs() {
  local folder=$work/installed
  mkdir "$folder"
  python3 -m zipfile -e "$1" "$folder"
  cp "$host_dir/tolvek_host.exe" "$host_dir/TakeCmd.dll" "$folder"
  bash tests/transcripts/check_transcript.sh "$wine" "$folder" tests/transcripts/actions.expected
}

check "a folder of a user's files is refused and left as it was" refuses_users_folder
check "a commit without notes for its version is refused" refuses_missing_notes
check "release built in $work/a" release_into "$work/a" "$work/dist-a"
check "release built in $work/folder-with-a-longer-name/b" \
  release_into "$work/folder-with-a-longer-name/b" "$work/dist-b"
check "both releases are the same bytes" same_files "$work/dist-a" "$work/dist-b"
check "SHA256SUMS holds for both zips" bash -c 'cd "$1" && sha256sum --strict --ignore-missing -c SHA256SUMS' - "$work/dist-a"

zip=$work/dist-a/tolvek-$version-windows-x64.zip
check "the release is $(basename "$zip") and its debug zip" \
  test -f "$zip" -a -f "${zip%.zip}-debug.zip"
check "the zip holds tolvek.dll README.md README.html LICENSE CHANGELOG.md" \
  test "$(zip_names "$zip")" == "tolvek.dll README.md README.html LICENSE CHANGELOG.md"
python3 -m zipfile -e "$zip" "$work/unpacked"
check "README.md, LICENSE and CHANGELOG.md end their lines with CR LF" \
  windows_lines "$work"/unpacked/{README.md,LICENSE,CHANGELOG.md}
check "the newest release in the zip's CHANGELOG.md is $version" notes_of_release "$work/unpacked/CHANGELOG.md"
check "the zip's README.md is the guide for users" guide_for_users "$work/unpacked/README.md"
check "the guide's sha256sum line checks the zip alone, and then tolvek.dll" \
  guide_checks_the_download "$work/unpacked/README.md"
check "Chromium shows README.html whole, with the picture, offline" \
  python3 tests/release/check_guide_page.py "$work/unpacked/README.html" "$work/unpacked/README.md" "$work/guide"
echo "the HTML guide's top as Chromium showed it: $work/guide/guide-top-{light,dark,print}.png"
check "the zip's DLL runs in the stand-in host" installed_host_runs "$zip"

echo "release: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
