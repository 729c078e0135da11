#!/usr/bin/env python3
"""Runs what README.md shows in the stand-in host under Wine, so that a wrong row or example fails.

- The actions table: the Before line with the cursor at its "¦", each hotkey of the row, and the
  line and cursor after it must be the After column, in a host of either generation.
- The table of hotkey codes: after `tolvek /ML:NAME`, pressing NAME must pass the row's code and
  reach the plug-in, in a host of either generation.
- The table of what the command prints: each example must give the row's result and output. Each
  message of the table must be one that the sources print, and each the sources print must be there.
- Each block of "> tolvek ..." lines with their output: run in a host of its own (after the block of
  "reg add" lines just before it, if there is one), the command lines must print that output.
- The block of `tolvek ...` examples, and every other `tolvek ...` in the text: result 0, no message.
- Installing (with Upgrading) names every file of the release as scripts/package_release.py writes it,
  and no other; every zip name in the README carries the full version that `tolvek /??` shows, and every
  version number in Installing is that one or the product version.
- The way back when a saved hotkey took Enter: the README's `reg delete` line, run between two
  starts of the host, must give Enter back to the host.

Usage: check_readme.py WINE HOST_DIR README WORK_DIR
Wine runs with the environment it is given (WINEPREFIX, ...); the saved hotkeys are removed from the
registry before each start of the host and at the end.
"""
import pathlib
import re
import shlex
import subprocess
import sys

from tally import check, finish

CURSOR = "¦"
KEY = r"Software\DARevavev\Tolvek"
PREFIX = "Tolvek plugin: "
LEGACY = ["--version", "23"]

wine, host_dir, readme, work = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3]), pathlib.Path(sys.argv[4])
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


# --- The checks ------------------------------------------------------------------------------------


def check_actions_and_codes(prose):
    """The actions table and the codes table, in both host generations."""
    steps, wanted = [], []
    for action, keys, before, after in table(prose, "Action"):
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
    """The examples block, then every other `tolvek ...` of the text: result 0 and no message."""
    commands = [re.split(r"\s{2,}", line)[0] for block in fenced
                if block and all(is_command(line) for line in block) for line in block]
    check(commands, "README.md has a block of tolvek examples")
    commands += sorted({span for span in spans("\n".join(prose)) if is_command(span)} - covered - set(commands))
    outputs = command_outputs(run_host("examples", [f"run {command}" for command in commands]))
    check(len(outputs) == len(commands), "examples: not every command ran")
    for command, output, result in outputs:
        check(result == 0 and not any(line.startswith(PREFIX) for line in output),
              f"{command}: result {result}, printed:\n" + "\n".join(output))


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
        check_release_files(text, readme.parent)
        check_enter_given_back(fenced)
    finally:
        forget_hotkeys()
    finish("readme")


if __name__ == "__main__":
    main()
