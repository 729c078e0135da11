#!/usr/bin/env python3
"""The picture at the top of the README: the stand-in host's script mode, run
on tools/standin_host/demo/picture.script, as a terminal animation.

Usage: picture.py cast CAST < TRANSCRIPT
       picture.py check SVG < TRANSCRIPT

The transcript is what the host prints in script mode: after each step the
edit line and, under it, a caret at the cursor; a `say` line of the script is
the caption of the steps after it, a whole sentence that starts with the name
of the key those steps press (none for typing). Each step becomes a frame:
the host's prompt and the edit line with the cursor on it, a row for marks,
and the caption. A step that deletes text gets a frame before it too, in
which carets mark the text that goes, so that a viewer sees what went.

`cast` writes the frames as an asciicast (version 2) with fixed timing, for
termtosvg to render (scripts/picture). `check` reads the frames out of the
rendered SVG, the text of each row and the cursor's place, and compares them
with the frames the transcript gives: colours, fonts and the renderer's
layout are left out, so the check holds for as long as the picture shows what
the host does. Both fail on a caption or a line wider than the picture.
"""
import json
import re
import sys
import xml.etree.ElementTree as ElementTree

PROMPT = "stand-in> "
COLUMNS = 72
ROWS = 3
TYPE_SECONDS = 0.6
KEY_SECONDS = 1.6
CAPTION_SECONDS = 1.2  # more for the first frame under a new caption, to read it
DOOMED_SECONDS = 2.0  # the frame that marks the text a key deletes
YELLOW, RED, PLAIN = "\x1b[33m", "\x1b[31m", "\x1b[0m"


class Frame:
    def __init__(self, line, cursor, key, caption, doomed=None):
        marks = ""
        if doomed:
            start, end = doomed
            marks = " " * (len(PROMPT) + start) + "^" * (end - start)
        self.rows = [PROMPT + line, marks, caption]
        self.cursor = (0, len(PROMPT) + cursor)
        self.line, self.key, self.caption, self.doomed = line, key, caption, doomed

    def screen(self):
        return [row.rstrip() for row in self.rows], self.cursor


def deleted_span(before, after):
    """Where the text that went stood in `before`, when `after` is `before` less one piece."""
    if len(after) >= len(before):
        return None
    start = 0
    while start < len(after) and before[start] == after[start]:
        start += 1
    end = start + len(before) - len(after)
    return (start, end) if before[end:] == after[start:] else None


def fail(message):
    sys.exit("picture: " + message)


def frames_of(transcript):
    """The frames of a script-mode transcript: one per step, and one before each deletion."""
    lines = [line.rstrip("\r") for line in transcript.split("\n")]
    try:
        first = next(i for i, line in enumerate(lines) if line.startswith("Commands: ")) + 1
        last = next(i for i, line in enumerate(lines) if line.startswith("ShutdownPlugin"))
    except StopIteration:
        fail("the transcript has no session between 'Commands:' and 'ShutdownPlugin'")
    frames, caption, text, cursor, i = [], "", "", 0, first
    while i < last:
        line = lines[i]
        step = re.match(r"> (type|key|line|cursor) (\S+)?", line)
        if not step:
            caption = line  # what a say step printed
            if len(caption) >= COLUMNS:
                fail(f"the caption '{caption}' is wider than the picture's {COLUMNS} columns")
            i += 1
            continue
        if i + 2 >= last or not lines[i + 1].startswith("  ") or not re.fullmatch(r" *\^", lines[i + 2]):
            fail(f"no edit line and caret after the step '{line}'")
        if not caption.endswith("."):
            fail(f"the caption over '{line}' is no whole sentence: '{caption}'")
        key = step.group(2) if step.group(1) == "key" else ""
        if key and not caption.startswith(key + " "):
            fail(f"the caption over '{line}' does not start with the key it presses: '{caption}'")
        before, text, cursor_before, cursor = text, lines[i + 1][2:], cursor, len(lines[i + 2]) - 3
        if len(PROMPT + text) >= COLUMNS:
            fail(f"the line of '{line}' is wider than the picture's {COLUMNS} columns")
        doomed = deleted_span(before, text) if key else None
        if doomed:
            frames.append(Frame(before, cursor_before, key, caption, doomed))
        frames.append(Frame(text, cursor, key, caption))
        i += 3
    if not frames:
        fail("the transcript has no steps")
    return frames


def cast(frames, out):
    out.write(json.dumps({"version": 2, "width": COLUMNS, "height": ROWS}) + "\n")
    time, caption = 0.0, None
    for frame in frames:
        line, marks, text = frame.rows
        if frame.doomed:
            start, end = (len(PROMPT) + position for position in frame.doomed)
            line = f"{line[:start]}{RED}{line[start:end]}{PLAIN}{line[end:]}"
            marks = f"{RED}{marks}{PLAIN}"
        if frame.key:
            text = f"{YELLOW}{frame.key}{PLAIN}{text[len(frame.key):]}"
        row, column = frame.cursor
        data = f"\x1b[2J\x1b[H{line}\r\n{marks}\r\n{text}\x1b[{row + 1};{column + 1}H"
        out.write(json.dumps([round(time, 3), "o", data]) + "\n")
        time += DOOMED_SECONDS if frame.doomed else KEY_SECONDS if frame.key else TYPE_SECONDS
        if frame.caption != caption:
            time += CAPTION_SECONDS
            caption = frame.caption


def svg_screens(path):
    """The rows and the cursor of each frame of a termtosvg animation."""
    svg = "{http://www.w3.org/2000/svg}"
    href = "{http://www.w3.org/1999/xlink}href"
    root = ElementTree.parse(path).getroot()
    screen = root.find(f".//{svg}svg[@id='screen']")
    view = screen.find(f".//{svg}g[@id='screen_view']") if screen is not None else None
    if view is None:
        sys.exit(f"picture: {path} is no termtosvg animation (no screen view)")
    rows_of = {f"#{group.get('id')}": group for group in screen.iter(f"{svg}g") if group.get("id")}
    screens = []
    for frame in view.findall(f"{svg}g"):
        cursors = frame.findall(f"{svg}rect")
        if len(cursors) != 1:
            sys.exit(f"picture: a frame of {path} has {len(cursors)} filled cells, not one cursor")
        cursor = cursors[0]
        width, height = float(cursor.get("width")), float(cursor.get("height"))
        uses = frame.findall(f"{svg}use")
        top = min(float(use.get("y")) for use in uses)  # the prompt's row, the first
        rows = [""] * ROWS
        for use in uses:
            cells = {}
            for text in rows_of[use.get(href)].iter(f"{svg}text"):
                for offset, character in enumerate(text.text or ""):
                    cells[round(float(text.get("x")) / width) + offset] = character
            line = "".join(cells.get(column, " ") for column in range(max(cells, default=-1) + 1))
            rows[round((float(use.get("y")) - top) / height)] = line.rstrip()
        position = (round((float(cursor.get("y")) - top) / height), round(float(cursor.get("x")) / width))
        screens.append((rows, position))
    return screens


def check(frames, path):
    wanted = [frame.screen() for frame in frames]
    shown = svg_screens(path)
    if shown == wanted:
        print(f"picture: the {len(shown)} frames of {path} show what the stand-in host shows")
        return 0
    print(f"picture: {path} no longer shows what the stand-in host shows; "
          "make it anew with scripts/picture", file=sys.stderr)
    for number in range(max(len(shown), len(wanted))):
        host = wanted[number] if number < len(wanted) else "nothing"
        picture = shown[number] if number < len(shown) else "nothing"
        if host != picture:
            print(f"  frame {number + 1}, the host:    {host}", file=sys.stderr)
            print(f"  frame {number + 1}, the picture: {picture}", file=sys.stderr)
    return 1


def main():
    if sys.argv[1:2] == ["cast"] and len(sys.argv) == 3:
        frames = frames_of(sys.stdin.read())
        with open(sys.argv[2], "w", encoding="utf-8") as out:
            cast(frames, out)
        return 0
    if sys.argv[1:2] == ["check"] and len(sys.argv) == 3:
        return check(frames_of(sys.stdin.read()), sys.argv[2])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
