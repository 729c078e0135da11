#!/usr/bin/env python3
"""Packs a built tolvek.dll into the files of a release, byte for byte the same for the same inputs.

Writes into the output folder:
  tolvek-VERSION-windows-x64.zip        tolvek.dll, the user's guide as README.md and as README.html,
                                        LICENSE, CHANGELOG.md
  tolvek-VERSION-windows-x64-debug.zip  tolvek.dll.debug, to unpack beside tolvek.dll for a debugger
  SHA256SUMS                            the checksums of the two zips and of the tolvek.dll that the
                                        first holds, in the format `sha256sum -c` reads: with
                                        --ignore-missing it checks the zip alone, and the DLL too once
                                        it is unpacked beside it
and prints the path of the first zip as its last line. VERSION is the full
version, with the build number.

The text files end their lines with CR LF, as Windows programs expect; the
repository keeps LF. Every zip entry has the same date (the commit's time),
the same mode and the same compression, in a fixed order, so nothing of the
machine, the folder or the moment of packing gets in.
"""
import argparse
import hashlib
import pathlib
import re
import sys
import time
import zipfile

import guide_html

# The README's sections that are for developers, left out of the user's guide.
DEVELOPER_SECTIONS = ("Try it", "Building", "Development")

# What the zips hold, in this order.
ZIP_FILES = ("tolvek.dll", "README.md", "README.html", "LICENSE", "CHANGELOG.md")
DEBUG_ZIP_FILES = ("tolvek.dll.debug",)

# Zip dates are local times from 1980 on; the commit's time is taken as UTC.
EARLIEST_ZIP_TIME = 315532800  # 1980-01-01 00:00:00 UTC
ENTRY_MODE = 0o100644  # a plain file, readable by all
UNIX_SYSTEM = 3  # the "made by" system whose modes the entries carry


def user_guide(readme: str) -> str:
    """The README without its developer sections: each is a level-two heading with all up to the next one.
    Its pictures stay, for the HTML page to carry."""
    parts = re.split(r"(?m)^(?=## )", readme)
    kept = []
    dropped = set()
    for part in parts:
        title = part.splitlines()[0][3:].strip() if part.startswith("## ") else None
        if title in DEVELOPER_SECTIONS:
            dropped.add(title)
        else:
            kept.append(part)
    missing = [title for title in DEVELOPER_SECTIONS if title not in dropped]
    if missing:
        sys.exit(f"package_release: README.md has no section {', '.join(missing)} to leave out of the guide")
    return "".join(kept).rstrip("\n") + "\n"


def without_pictures(guide: str) -> str:
    """The guide without the pictures of the repository's docs/, which the zip does not hold as files."""
    return re.sub(r"(?m)^!\[[^\]]*\]\(docs/[^)]*\)\n\n?", "", guide)


def released_changelog(changelog: str) -> str:
    """The changelog without an [Unreleased] section that holds no notes: in a release, the newest
    section a reader sees is the release's own."""
    return re.sub(r"(?m)^## \[Unreleased\]\s*\n(?=## )", "", changelog)


def windows_text(text: str) -> bytes:
    """UTF-8 with every line ended by CR LF."""
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def write_zip(path: pathlib.Path, entries, epoch: int) -> None:
    """Writes the (name, bytes) entries in the order given, each dated `epoch` and with the same mode."""
    date_time = time.gmtime(max(epoch, EARLIEST_ZIP_TIME))[:6]
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=date_time)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = UNIX_SYSTEM
            info.external_attr = ENTRY_MODE << 16
            archive.writestr(info, data, compresslevel=9)


def write_checksums(folder: pathlib.Path, files) -> None:
    """SHA256SUMS in `folder`: a line for each (name, bytes), in the order given."""
    lines = [f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files]
    (folder / "SHA256SUMS").write_text("".join(lines), encoding="ascii")


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--version", required=True, help="the full version, such as 0.92.0.7")
    parser.add_argument("--epoch", required=True, type=int, help="the date of every entry, in seconds since 1970")
    parser.add_argument("--dll", required=True, type=pathlib.Path, help="the stripped tolvek.dll")
    parser.add_argument("--debug", required=True, type=pathlib.Path, help="its tolvek.dll.debug")
    parser.add_argument("--source", required=True, type=pathlib.Path, help="the tree with README.md, LICENSE, ...")
    parser.add_argument("--output", required=True, type=pathlib.Path, help="the folder to write, empty or new")
    options = parser.parse_args()

    if not re.fullmatch(r"[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+", options.version):
        sys.exit(f"package_release: '{options.version}' is no version of the form 0.92.0.7")
    stem = f"tolvek-{options.version}-windows-x64"
    source = options.source
    guide = user_guide((source / "README.md").read_text(encoding="utf-8"))
    page = guide_html.guide_page(guide, source, f"Tolvek {options.version}")
    contents = {
        "tolvek.dll": options.dll.read_bytes(),
        "README.md": windows_text(without_pictures(guide)),
        "README.html": page.encode("utf-8"),
        "LICENSE": windows_text((source / "LICENSE").read_text(encoding="utf-8")),
        "CHANGELOG.md": windows_text(released_changelog((source / "CHANGELOG.md").read_text(encoding="utf-8"))),
    }
    entries = [(name, contents[name]) for name in ZIP_FILES]
    debug_entries = [(DEBUG_ZIP_FILES[0], options.debug.read_bytes())]

    options.output.mkdir(parents=True, exist_ok=True)
    package = options.output / f"{stem}.zip"
    debug_package = options.output / f"{stem}-debug.zip"
    write_zip(package, entries, options.epoch)
    write_zip(debug_package, debug_entries, options.epoch)
    checked = [(package.name, package.read_bytes()), (debug_package.name, debug_package.read_bytes()),
               ("tolvek.dll", contents["tolvek.dll"])]
    write_checksums(options.output, checked)
    print(package)


if __name__ == "__main__":
    main()
