#!/usr/bin/env python3
"""Runs what README.md shows in the stand-in host under Wine, so that a wrong row or example fails.

- The actions tables: the Before line with the cursor at its "¦", each hotkey of the row, and the
  line and cursor after it must be the After column, in a host of either generation.
- The table of hotkey codes: after `tolvek /ML:NAME`, pressing NAME must pass the row's code and
  reach the plug-in, in a host of either generation.
- The table of what the command prints: each example must give the row's result and output. Each
  message of the table must be one that the sources print, and each the sources print must be there.
- Each block of "> tolvek ..." lines with their output: run in a host of its own (after the block of
  "reg add" lines just before it, if there is one), the command lines must print that output.
- The block of `tolvek ...` examples, and every other `tolvek ...` in the text: result 0, no message,
  in a host of either generation; the first line of `tolvek /L` in each is one the text shows.
- The table of key names that differ between the host generations, and the table of saved hotkeys
  that a newer host shows as "(unknown)", against the key tables as the DLL holds them.
- Installing names every file of the release as scripts/package_release.py writes it, and no other;
  every zip name in the README carries the full version that `tolvek /??` shows, and every version
  number in Installing is that one or the product version.
- The way back when a saved hotkey took Enter: the README's `reg delete` line, run between two
  starts of the host, must give Enter back to the host.

Usage: check_readme.py WINE NM HOST_DIR README WORK_DIR
  NM  the toolchain's nm, which finds the key tables in HOST_DIR/tolvek.dll by their symbols
Wine runs with the environment it is given (WINEPREFIX, ...); the saved hotkeys are removed from the
registry before each start of the host and at the end.
"""
import pathlib
import re
import shlex
import struct
import subprocess
import sys
from collections import namedtuple

from tally import check, finish

CURSOR = "¦"
KEY = r"Software\DARevavev\Tolvek"
PREFIX = "Tolvek plugin: "
LEGACY = ["--version", "23"]

wine, nm = sys.argv[1], sys.argv[2]
host_dir, readme, work = (pathlib.Path(argument) for argument in sys.argv[3:6])
work.mkdir(parents=True, exist_ok=True)


# --- Reading the README ----------------------------------------------------------------------------


def blocks(text):
    """The fenced code blocks as lists of lines, and the text outside them."""
    fenced, prose, current = [], [], None
    for line in text.splitlines():
        if line.startswith("```"):
            if current is None:
                current = []
            else:
                fenced.append(current)
                current = None
        elif current is not None:
            current.append(line)
        else:
            prose.append(line)
    return fenced, prose


def table(prose, first_header):
    """The rows (lists of cells) of the table whose first header cell is `first_header`."""
    rows, inside = [], False
    for line in prose:
        if not line.startswith("|"):
            if inside:
                break
            continue
        cells = [cell.strip() for cell in re.split(r"(?<!\\)\|", line.strip())[1:-1]]
        if not inside:
            inside = cells[0] == first_header
        elif not set(line) <= set("|- "):
            rows.append(cells)
    check(rows, f"README.md has a table headed '{first_header}'")
    return rows


def spans(text):
    """The code spans of the text, such as `tolvek` or `` ` ``."""
    return [span.strip() if len(fence) > 1 else span
            for fence, span in re.findall(r"(?<!`)(`+)(?!`)(.+?)(?<!`)\1(?!`)", text, re.S)]


def is_command(text):
    return text == "tolvek" or text.startswith("tolvek ")


# --- Running the stand-in host ---------------------------------------------------------------------


def run_captured(command, cwd=None):
    """Runs the command and returns its exit status and output. The output goes through a file: a
    Wine server that the command starts keeps a pipe open for seconds after the command ends."""
    with open(work / "output", "w+b") as output:
        status = subprocess.run(command, cwd=cwd, stdout=output, stderr=subprocess.STDOUT, check=False).returncode
        output.seek(0)
        return status, output.read().decode("utf-8", "replace").replace("\r", "")


def wine_run(*arguments):
    return run_captured([wine, *arguments])


def forget_hotkeys():
    wine_run("reg", "delete", "HKCU\\" + KEY, "/f")
    wine_run("reg", "delete", "HKLM\\" + KEY, "/f", "/reg:64")


def run_host(name, steps, options=()):
    """Runs the script steps in a fresh host and returns its transcript as lines."""
    script = work / f"{name}.script"
    script.write_text("\n".join(steps) + "\n", encoding="utf-8")
    command = [wine, "./tolvek_host.exe", *options, "--script", "Z:" + str(script.resolve()).replace("/", "\\")]
    for _ in range(2):  # a run that printed nothing never started (see check_transcript.sh): once more
        status, output = run_captured(command, cwd=host_dir)
        if status == 0 or output:
            break
    lines = output.split("\n")
    check(status == 0, f"{name}: the host exited with {status}:\n" + "\n".join(lines[-20:]))
    return lines


def command_outputs(lines):
    """(command, output lines, result) of each `run tolvek ...` step of a transcript."""
    found = []
    for i, line in enumerate(lines):
        if line.startswith("> run tolvek"):
            ends = [j for j in range(i + 1, len(lines)) if re.fullmatch(r"\(tolvek returned -?\d+\)", lines[j])]
            if not ends:
                break  # the host stopped; the caller finds a step missing
            found.append((line[6:], lines[i + 1 : ends[0]], int(lines[ends[0]][16:-1])))
    return found


def key_outcomes(lines):
    """(code, taken by the plug-in, line, cursor) of each key step of a transcript."""
    found = []
    for i, line in enumerate(lines):
        match = re.match(r"> key \S+\s+code (\S+)(?: \"[^\"]*\")? -> (plug-in|host)", line)
        if match and i + 2 < len(lines):
            text, caret = lines[i + 1][2:], lines[i + 2][2:]
            found.append((int(match[1], 0), match[2] == "plug-in", text, len(caret) - 1))
    return found


def shown(text, cursor):
    return text[:cursor] + CURSOR + text[cursor:]


# --- The key tables, as the DLL holds them --------------------------------------------------------

# One generation's keys: rows of (name, codes by modifier column), the aliases as (alias, name), and
# the name prefixes of the columns.
KeySet = namedtuple("KeySet", "rows aliases prefixes")


def dll_reader(dll):
    """A function that reads SIZE bytes at an address of the DLL's loaded image from the file."""
    image = dll.read_bytes()
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    count, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    image_base = struct.unpack_from("<Q", image, pe + 48)[0]
    sections = [struct.unpack_from("<8x4I", image, pe + 24 + optional_size + 40 * i) for i in range(count)]

    def read(address, size):
        offset = address - image_base
        for _, start, raw_size, raw_start in sections:
            if start <= offset and offset + size <= start + raw_size:
                return image[raw_start + offset - start : raw_start + offset - start + size]
        sys.exit(f"{dll}: nothing at {address:#x}")

    return read


def key_sets(dll):
    """The legacy and the extended key set of src/hotkeys/key_tables.cpp, read from the DLL's data by
    their symbols, with the sizes that key_tables.h gives."""
    header = (readme.parent / "src/hotkeys/key_tables.h").read_text(encoding="utf-8")
    size = {name: int(value) for name, value in re.findall(r"constexpr int (\w+) = (\d+);", header)}
    listing = subprocess.run([nm, "-C", str(dll)], capture_output=True, text=True, check=True).stdout
    address = {name: int(value, 16) for value, name in re.findall(r"(?m)^([0-9a-f]+) \w tolvek::(\w+)$", listing)}
    read = dll_reader(dll)

    def text(data):
        return data.decode("utf-16-le").split("\0")[0]

    def records(name, record_size, count):
        data = read(address[name], record_size * count)
        return [data[at : at + record_size] for at in range(0, len(data), record_size)]

    alias_units, prefix_units = size["ALIAS_NAME_UNITS"], size["PREFIX_UNITS"]
    prefixes = records("ModifierPrefixes", 2 * prefix_units, size["EXTENDED_KEY_COLUMNS"])
    sets = {}
    for generation in ("Legacy", "Extended"):
        stem = generation.upper()
        units, columns = size[f"{stem}_NAME_UNITS"], size[f"{stem}_KEY_COLUMNS"]
        codes_at = (2 * units + 3) // 4 * 4  # the codes are 4-byte aligned
        rows = records(f"{generation}KeyTable", codes_at + 4 * columns, size[f"{stem}_KEY_ROWS"])
        aliases = records(f"{generation}KeyAliases", 2 * (alias_units + units), size[f"{stem}_ALIAS_ROWS"])
        sets[generation.lower()] = KeySet(
            [(text(row[: 2 * units]), struct.unpack_from(f"<{columns}i", row, codes_at)) for row in rows],
            [(text(alias[: 2 * alias_units]), text(alias[2 * alias_units :])) for alias in aliases],
            [text(prefix) for prefix in prefixes[:columns]])
    return sets


# --- The checks ------------------------------------------------------------------------------------


def check_actions_and_codes(prose):
    """The actions table and the codes table, in both host generations."""
    steps, wanted = [], []
    for action, keys, before, after in table(prose, "Action") + table(prose, "With references"):
        before, after = before.strip("`"), after.strip("`")
        for key in [key.strip() for key in keys.split(",")]:
            steps += [f"line {before.replace(CURSOR, '')}", f"cursor {before.index(CURSOR)}", f"key {key}"]
            wanted.append((f"{action}: {key} on {before}", after))
    codes = table(prose, "Hotkey")
    for name, code, decimal in codes:
        check(int(code.strip("`"), 16) == int(decimal), f"codes table: {code} is not {decimal}")
        steps += [f"run tolvek /ML:{name.strip('`')}", f"key {name.strip('`')}"]
    for generation, options in (("24", ()), ("23", LEGACY)):
        outcomes = key_outcomes(run_host(f"tables-{generation}", steps, options))
        check(len(outcomes) == len(wanted) + len(codes), f"host {generation}: the table steps did not all run")
        for (what, after), (_, taken, text, cursor) in zip(wanted, outcomes):
            check(taken and shown(text, cursor) == after, f"host {generation}, {what}: {shown(text, cursor)}, not {after}")
        for (name, code, _), (passed_code, taken, _, _) in zip(codes, outcomes[len(wanted) :]):
            check(taken and passed_code == int(code.strip("`"), 16),
                  f"host {generation}, {name} passes {passed_code:#x} (taken by the plug-in: {taken}), not {code}")


def source_messages(root):
    """The formats of the messages that the sources report, as patterns."""
    patterns = []
    for path in sorted((root / "src").rglob("*.cpp")):
        for line in path.read_text(encoding="utf-8").splitlines():
            # Reported where they are written, chosen into `message`, or
            # returned by a switch that names the failure.
            if "ReportError(" in line or 'message = u"' in line or re.search(r'^\s*case \w+::\w+: return u"', line):
                for literal in re.findall(r'u"((?:[^"\\]|\\.)*)"', line):
                    text = literal.encode("ascii").decode("unicode_escape").rstrip()
                    patterns.append(re.escape(text).replace("%s", ".+").replace("%d", "-?[0-9]+"))
    return patterns


def check_messages(prose, root):
    """The table of what the command prints: examples run, and messages agree with the sources."""
    rows = table(prose, "What it prints")
    steps, expected = [], []
    for prints, result, examples, _ in rows:
        for example in spans(examples):
            steps.append(f"run {example}")
            expected.append((example, spans(prints), int(result)))
    outputs = command_outputs(run_host("messages", steps))
    check(len(outputs) == len(expected), "messages table: not every example ran")
    for (example, messages, result), (_, output, got) in zip(expected, outputs):
        text = "\n".join(output)
        if not messages:
            ok = text == ""
        elif len(messages) == 1 and messages[0].startswith(PREFIX):
            ok = output == messages
        else:
            ok = all(message in text for message in messages)
        check(ok and got == result, f"messages table, {example}: result {got}, printed:\n{text}")

    patterns = source_messages(root)
    shown_messages = [m[len(PREFIX) :] for row in rows for m in spans(row[0]) if m.startswith(PREFIX)]
    for message in shown_messages:
        check(any(re.fullmatch(p, message) for p in patterns), f"messages table: the sources print no '{message}'")
    for pattern in patterns:
        check(any(re.fullmatch(pattern, m) for m in shown_messages), f"messages table: no row for /{pattern}/")
    return {example for example, _, _ in expected}


def check_transcripts(fenced):
    """Blocks of "> tolvek ..." lines and their output, each in a host of its own."""
    commands = set()
    for number, block in enumerate(fenced):
        if not block or not block[0].startswith("> tolvek"):
            continue
        steps, wanted = [], []
        for line in block:
            if line.startswith("> "):
                steps.append("run " + line[2:])
                wanted.append((line[2:], []))
                commands.add(line[2:])
            else:
                wanted[-1][1].append(line.rstrip())
        forget_hotkeys()
        before = fenced[number - 1] if number > 0 else []
        if before and all(line.startswith("reg add ") for line in before):
            for line in before:
                status, output = wine_run(*shlex.split(line))
                check(status == 0, f"{line}: {output}")
        outputs = command_outputs(run_host(f"block-{number}", steps))
        check(len(outputs) == len(wanted), f"block {block[0]}: not every command ran")
        for (command, output), (_, got, _) in zip(wanted, outputs):
            got = [line.rstrip() for line in got]
            check(got == output, f"block {block[0]}, {command} printed:\n" + "\n".join(got))
    return commands


def check_examples(fenced, prose, covered):
    """The examples block, then every other `tolvek ...` of the text: result 0 and no message in a host
    of either generation, whose `tolvek /L` begins with a line that the text shows."""
    commands = [re.split(r"\s{2,}", line)[0] for block in fenced
                if block and all(is_command(line) for line in block) for line in block]
    check(commands, "README.md has a block of tolvek examples")
    shown_spans = spans("\n".join(prose))
    commands += sorted({span for span in shown_spans if is_command(span)} - covered - set(commands))
    for generation, options in (("24", ()), ("23", LEGACY)):
        forget_hotkeys()
        steps = [f"run {command}" for command in commands]
        outputs = command_outputs(run_host(f"examples-{generation}", steps, options))
        check(len(outputs) == len(commands), f"host {generation}, examples: not every command ran")
        for command, output, result in outputs:
            check(result == 0 and not any(line.startswith(PREFIX) for line in output),
                  f"host {generation}, {command}: result {result}, printed:\n" + "\n".join(output))
            if command == "tolvek /L":
                first = output[0] if output else ""
                check(first in shown_spans, f"host {generation}: the text does not show /L's first line, {first}")


def check_names_table(prose, sets):
    """Both generations name the keys up to the digits alike; the table pairs the rest, one row per key:
    the same name, an alias of one generation for the other's name, or a code in common makes a pair,
    and a key of one generation alone has "—" on the other side."""
    legacy, extended = sets["legacy"], sets["extended"]
    shared = [name for name, _ in legacy.rows].index("0") + 1
    check([name for name, _ in legacy.rows[:shared]] == [name for name, _ in extended.rows[:shared]],
          "key tables: the rows up to the digits are not named alike")

    def same_key(old, new):
        return (old[0] == new[0] or (old[0], new[0]) in extended.aliases or (new[0], old[0]) in legacy.aliases
                or bool({code for code in old[1] if code > 0} & {code for code in new[1] if code > 0}))

    wanted, paired = set(), set()
    for old in legacy.rows[shared:]:
        news = [new[0] for new in extended.rows[shared:] if same_key(old, new)]
        check(len(news) <= 1, f"key tables: {old[0]} is the same key as {news}")
        wanted.add((old[0], news[0] if news else "—"))
        paired.update(news)
    wanted |= {("—", name) for name, _ in extended.rows[shared:] if name not in paired}
    rows = [tuple((spans(cell) or [cell])[0] for cell in row) for row in table(prose, "Up to version 23")]
    check(len(rows) == len(set(rows)) and set(rows) == wanted,
          f"names table: rows {sorted(set(rows) - wanted)} are no pair of the key tables, and "
          f"{sorted(wanted - set(rows))} are missing")


def check_generation_changes(prose, sets):
    """The saved hotkeys of a host up to version 23 that one from version 24 on shows as "(unknown)",
    by their key: exactly those whose code no cell of the extended table holds."""
    legacy, newer_codes = sets["legacy"], {code for _, codes in sets["extended"].rows for code in codes}
    wanted = {(name, legacy.prefixes[column] + name) for name, codes in legacy.rows
              for column, code in enumerate(codes) if code > 0 and code not in newer_codes}
    got = {(spans(key)[0], name) for key, names in table(prose, "Key up to version 23") for name in spans(names)}
    check(got == wanted, f"hotkeys unknown from version 24 on: {sorted(got - wanted)} are not, "
                         f"and {sorted(wanted - got)} are missing")


def check_release_files(text, root):
    """Installing and its Upgrading name the release's files and versions as they now are."""
    sys.path.insert(0, str(root / "scripts"))
    import package_release

    transcript = "\n".join(run_host("version", ["run tolvek /??"]))
    shown = re.search(r"Tolvek  ([0-9]+\.[0-9]+\.[0-9]+)\.([0-9]+) \(x64\)", transcript)
    check(shown, "tolvek /?? shows no full version")
    if not shown:
        return
    product, full = shown[1], f"{shown[1]}.{shown[2]}"
    stem = f"tolvek-{full}-windows-x64"
    released = {f"{stem}.zip", f"{stem}-debug.zip", "SHA256SUMS", *package_release.ZIP_FILES,
                *package_release.DEBUG_ZIP_FILES}
    installing = re.search(r"(?ms)^## Installing\n(.*?)(?=^## |\Z)", text)
    installing = installing[1] if installing else ""
    file_names = {span for span in spans(installing)
                  if re.fullmatch(r"(tolvek[\w.-]*|README|CHANGELOG)\.(zip|dll|debug|md|html)|LICENSE|SHA256SUMS",
                                  span)}
    for name in sorted(released - file_names):
        check(False, f"Installing does not name {name}, a file of the release")
    for name in sorted(file_names - released):
        check(False, f"Installing names {name}, which is no file of the release ({', '.join(sorted(released))})")
    for name in sorted(set(re.findall(r"tolvek-[0-9.]+-windows-x64(?:-debug)?\.zip", text)) - released):
        check(False, f"README.md names {name}, but the release is {full}")
    for number in sorted(set(re.findall(r"(?<![0-9.])[0-9]+\.[0-9]+\.[0-9]+(?:\.[0-9]+)?(?!\.?[0-9])", installing))):
        check(number in (product, full), f"Installing names version {number}, not {product} or {full}")
    check(True, "Installing names the release's files and versions")


def check_enter_given_back(fenced):
    """A hotkey saved on Ctrl-M takes Enter, also after a new start; after the README's `reg delete`
    line, a new start runs commands again."""
    removal = next((block[0] for block in fenced
                    if len(block) == 1 and block[0].startswith('reg delete "HKCU\\')), None)
    check(removal, "README.md has a block of one 'reg delete \"HKCU\\...' line")
    if not removal:
        return
    for name, steps, runs in (("enter-taken", ["run tolvek /ML:Ctrl-M /S", "run tolvek"], 1),
                              ("enter-taken-after-restart", ["run tolvek"], 0)):
        lines = run_host(name, steps)
        taken = any(re.match(r"  Enter: code 13 .*-> plug-in", line) for line in lines)
        check(taken and len(command_outputs(lines)) == runs,
              f"{name}: Enter is not taken by the hotkey Ctrl-M:\n" + "\n".join(lines[-8:]))
    status, output = wine_run(*shlex.split(removal))
    check(status == 0, f"{removal}: {output}")
    outputs = command_outputs(run_host("enter-given-back", ["run tolvek"]))
    check([result for _, _, result in outputs] == [0], f"after {removal}, Enter does not run tolvek")


def main():
    text = readme.read_text(encoding="utf-8")
    fenced, prose = blocks(text)
    forget_hotkeys()
    try:
        check_actions_and_codes(prose)
        covered = check_messages(prose, readme.parent)
        covered |= check_transcripts(fenced)
        check_examples(fenced, prose, covered)
        sets = key_sets(host_dir / "tolvek.dll")
        check_names_table(prose, sets)
        check_generation_changes(prose, sets)
        check_release_files(text, readme.parent)
        check_enter_given_back(fenced)
    finally:
        forget_hotkeys()
    finish("readme")


if __name__ == "__main__":
    main()
