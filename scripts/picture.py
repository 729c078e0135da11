#!/usr/bin/env python3
"""The picture at the top of the README: the stand-in host's script mode, run
on tools/standin_host/demo/picture.script, as a terminal animation.

Usage: picture.py cast CAST < TRANSCRIPT
       picture.py check SVG < TRANSCRIPT

The transcript is what the host prints in script mode: after each step the
edit line and, under it, a caret at the cursor; a `say` line of the script is
the caption of the steps after it. Each step becomes one frame: the host's
prompt and the edit line with the cursor on it, and under it the key pressed
and the caption.

`cast` writes the frames as an asciicast (version 2) with fixed timing, for
termtosvg to render (scripts/picture). `check` reads the frames out of the
rendered SVG, the text of each row and the cursor's place, and compares them
with the frames the transcript gives: colours, fonts and the renderer's
layout are left out, so the check holds for as long as the picture shows what
the host does.
"""
import json
import re
import sys
import xml.etree.ElementTree as ElementTree

PROMPT = "stand-in> "
COLUMNS = 72
ROWS = 3
KEY_CELLS = 12  # the key's name, then the caption
TYPE_SECONDS = 0.6
KEY_SECONDS = 1.6


class Frame:
    def __init__(self, line, cursor, key, caption):
        self.rows = [PROMPT + line, "", (f"{key:<{KEY_CELLS}}" if key else "") + caption]
        self.cursor = (0, len(PROMPT) + cursor)
        self.key = key
        self.caption = caption

    def screen(self):
        return [row.rstrip() for row in self.rows], self.cursor


def frames_of(transcript):
    """The frames of a script-mode transcript, one per step."""
    lines = [line.rstrip("\r") for line in transcript.split("\n")]
    try:
        first = next(i for i, line in enumerate(lines) if line.startswith("Commands: ")) + 1
        last = next(i for i, line in enumerate(lines) if line.startswith("ShutdownPlugin"))
    except StopIteration:
        sys.exit("picture: the transcript has no session between 'Commands:' and 'ShutdownPlugin'")
    frames, caption, i = [], "", first
    while i < last:
        line = lines[i]
        step = re.match(r"> (type|key|line|cursor) (\S+)?", line)
        if not step:
            caption = line  # what a say step printed
            i += 1
            continue
        if i + 2 >= last or not lines[i + 1].startswith("  ") or not re.fullmatch(r" *\^", lines[i + 2]):
            sys.exit(f"picture: no edit line and caret after the step '{line}'")
        text, cursor = lines[i + 1][2:], len(lines[i + 2]) - 3
        key = step.group(2) if step.group(1) == "key" else ""
        if len(PROMPT + text) >= COLUMNS or KEY_CELLS + len(caption) >= COLUMNS:
            sys.exit(f"picture: the frame of '{line}' is wider than {COLUMNS} columns")
        frames.append(Frame(text, cursor, key, caption))
        i += 3
    if not frames:
        sys.exit("picture: the transcript has no steps")
    return frames


def cast(frames, out):
    out.write(json.dumps({"version": 2, "width": COLUMNS, "height": ROWS}) + "\n")
    time = 0.0
    for frame in frames:
        line, _, caption = frame.rows
        if frame.key:
            caption = f"\x1b[33m{frame.key:<{KEY_CELLS}}\x1b[0m{frame.caption}"
        row, column = frame.cursor
        data = f"\x1b[2J\x1b[H{line}\r\n\r\n{caption}\x1b[{row + 1};{column + 1}H"
        out.write(json.dumps([round(time, 3), "o", data]) + "\n")
        time += KEY_SECONDS if frame.key else TYPE_SECONDS


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
