#!/usr/bin/env python3
"""Follows the README's "Try it" as a new user does: the demo's session, then every line of the
stand-in host's block, typed into a shell in a terminal (tmux) from the clone's top folder.

- The demo's session (tools/standin_host/demo/session.sh) runs first, in the prefix that the block
  names; what it leaves there is what the block then meets.
- Each line of the block must end with status 0. The script replay must have the default hotkeys
  handled by the plug-in.
- The interactive starts get keys as a terminal sends them: the default hotkeys work, a terminal's
  Alt-Backspace arrives as Alt-Backspace, and Ctrl-C leaves the line as it was with ^C after it.

Usage: check_try_it.py WINE HOST_DIR README WORK_DIR
Wine runs with the environment it is given; its WINEPREFIX stands in for build/demo-wineprefix.
"""
import os
import pathlib
import re
import subprocess
import sys
import time

from tally import check, finish

PROMPT = "TRY-IT$ "
HOST_PROMPT = "stand-in> "
WAIT_SECONDS = 30

wine = sys.argv[1]
host_dir, readme, work = (pathlib.Path(argument).resolve() for argument in sys.argv[2:5])
root = readme.parent


def the_block():
    """The lines of the README's shell block that starts the stand-in host, comments left out."""
    for block in re.findall(r"```sh\n(.*?)```", readme.read_text(encoding="utf-8"), re.S):
        if "tolvek_host.exe" in block:
            return [re.sub(r"\s+#.*$", "", line).strip() for line in block.splitlines() if line.strip()]
    sys.exit("README.md has no sh block that starts tolvek_host.exe")


def clone_top():
    """A top folder laid out as a clone's: the host's folder, the tools and the demo's prefix."""
    top = work / "clone"
    for link, target in (("build/windows/host", host_dir), ("tools", root / "tools"),
                         ("build/demo-wineprefix", pathlib.Path(os.environ["WINEPREFIX"]).resolve())):
        path = top / link
        path.parent.mkdir(parents=True, exist_ok=True)
        if path.is_symlink() or path.exists():
            path.unlink()
        path.symlink_to(target)
    return top


class Terminal:
    """A shell in a tmux session of its own, and the screen it shows."""

    def __init__(self, cwd):
        # A tmux server of its own, and a shell that keeps no history in the user's home folder.
        self.server = f"tolvek-try-it-{os.getpid()}"
        env = {key: value for key, value in os.environ.items() if not key.startswith("WINE")}
        subprocess.run(["tmux", "-L", self.server, "-f", "/dev/null", "start-server", ";",
                        "set-option", "-g", "history-limit", "100000", ";",
                        "new-session", "-d", "-x", "100", "-y", "40", "-c", str(cwd),
                        f"env PS1='{PROMPT}' HISTFILE= bash --noprofile --norc"], env=env, check=True)
        self.wait(lambda: self.lines() == [PROMPT.rstrip()], "the shell's first prompt")

    def tmux(self, *arguments):
        return subprocess.run(["tmux", "-L", self.server, *arguments], capture_output=True, text=True,
                              check=False).stdout

    def keys(self, *keys):
        self.tmux("send-keys", "-t", "0", *keys)

    def type(self, text):
        self.tmux("send-keys", "-t", "0", "-l", text)

    def lines(self):
        text = self.tmux("capture-pane", "-p", "-J", "-t", "0", "-S", "-")
        return [line.rstrip() for line in text.rstrip().split("\n")]

    def row(self):
        """The row the cursor is on, and the cursor's column, both read at one moment: in one command
        to the server, which takes no output of the pane between the two."""
        cursor, *screen = self.tmux("display-message", "-p", "-t", "0", "#{cursor_y} #{cursor_x}", ";",
                                    "capture-pane", "-p", "-t", "0").split("\n")
        y, x = cursor.split()
        return screen[int(y)].rstrip(), int(x)

    def wait(self, condition, what):
        deadline = time.monotonic() + WAIT_SECONDS
        while time.monotonic() < deadline:
            if condition():
                return True
            time.sleep(0.2)
        check(False, f"{what}: the terminal shows\n" + "\n".join(self.lines()[-15:]))
        return False

    def close(self):
        socket = pathlib.Path(self.tmux("display-message", "-p", "#{socket_path}").strip())
        self.tmux("kill-server")
        if socket.is_socket():
            socket.unlink()


def run_line(terminal, line, session=None):
    """Types a line of the block at the shell's prompt; its output and status once the prompt is back."""
    before = len(terminal.lines())
    terminal.type(line)
    terminal.keys("Enter")
    if session:
        if terminal.wait(lambda: terminal.row()[0].startswith(HOST_PROMPT.rstrip()), f"{line}: no prompt of the host"):
            session(terminal)
        terminal.type("exit")
        terminal.keys("Enter")
    prompt = re.compile(re.escape(PROMPT.rstrip()) + r"$")
    back = lambda: len(terminal.lines()) > before and prompt.match(terminal.lines()[-1])
    if not terminal.wait(back, f"{line}: the shell's prompt did not come back"):
        sys.exit(1)
    terminal.type("echo status $?")
    terminal.keys("Enter")
    terminal.wait(lambda: any(l.startswith("status ") for l in terminal.lines()[before:]), f"{line}: no status")
    output = terminal.lines()[before:]
    status = next((l.split()[1] for l in output if l.startswith("status ")), None)
    return output, status


def expect_row(terminal, text, cursor, what):
    """Waits until the cursor's row is the host's prompt with `text`, the cursor at `cursor`."""
    shown = lambda: terminal.row() == ((HOST_PROMPT + text).rstrip(), len(HOST_PROMPT) + cursor)
    if not terminal.wait(shown, what):
        print(f"  wanted {HOST_PROMPT + text!r} with the cursor at {len(HOST_PROMPT) + cursor}, "
              f"the row is {terminal.row()}")


def cancel(terminal, text):
    """Ctrl-C on the line `text`, which the row must show first: the terminal raises Ctrl-C as a
    signal, which throws away the keys that the host has not read yet and reaches the host's input
    on a way of its own, so that it may come before keys sent earlier or after keys sent later."""
    terminal.keys("C-c")
    terminal.wait(lambda: terminal.lines()[-2:] == [HOST_PROMPT + text + "^C", HOST_PROMPT.rstrip()],
                  "Ctrl-C leaves the line as it was, ^C after it, and an empty prompt below")


def newer_host(terminal):
    """The built-in hotkeys, a terminal's Alt-Backspace and Ctrl-C in a host from version 24 on."""
    terminal.type('copy "my file.txt" d:\\backup')
    terminal.keys("C-Left")
    expect_row(terminal, 'copy "my file.txt" d:\\backup', 19, "Ctrl-Left moves to the previous argument")
    terminal.keys("C-l")
    expect_row(terminal, "copy d:\\backup", 5, "Ctrl-L deletes the argument to the left")
    terminal.keys("C-r")
    expect_row(terminal, "copy ", 5, "Ctrl-R deletes the argument to the right")
    terminal.type("a b")
    terminal.keys("Left")
    expect_row(terminal, "copy a b", 7, "Left moves the cursor")
    cancel(terminal, "copy a b")
    terminal.type("tolvek /DL:Alt-BkSp")
    terminal.keys("Enter")
    ran = lambda: "Tolvek hotkeys changed to:" in terminal.lines() and terminal.lines()[-1] == HOST_PROMPT.rstrip()
    terminal.wait(ran, "tolvek /DL:Alt-BkSp ran")
    terminal.type("copy a b")
    terminal.keys("M-BSpace")
    expect_row(terminal, "copy a ", 7, "a terminal's Alt-Backspace reaches the plug-in as Alt-Backspace")
    cancel(terminal, "copy a ")


def older_host(terminal):
    terminal.type("tolvek")
    terminal.keys("Enter")
    terminal.wait(lambda: "Delete arg right:  Ctrl-R or Ctrl-BkSp" in terminal.lines(),
                  "a host of version 23 names the keys the older way")


def check_replay(line, output):
    """The replay's default hotkeys, up to the first change, go to the plug-in."""
    steps = []
    for text in output:
        if text.startswith("> run tolvek /"):
            break
        match = re.match(r"> key (Ctrl-Left|Ctrl-Right|Ctrl-L|Ctrl-R|Ctrl-BkSp)\s.* -> (plug-in|host)", text)
        if match:
            steps.append(match[0])
    check(steps and all(step.endswith("plug-in") for step in steps),
          f"{line}: the default hotkeys go to the plug-in:\n" + "\n".join(steps))


def main():
    work.mkdir(parents=True, exist_ok=True)
    top = clone_top()
    environment = dict(os.environ, WINEPREFIX=str(top / "build/demo-wineprefix"))
    demo = subprocess.run(["bash", str(root / "tools/standin_host/demo/session.sh"), wine, str(host_dir)],
                          env=environment, capture_output=True, text=True, check=False)
    check(demo.returncode == 0, "the demo's session failed:\n" + demo.stdout[-2000:] + demo.stderr[-2000:])

    terminal = Terminal(top)
    try:
        for line in the_block():
            interactive = re.fullmatch(r"wine tolvek_host\.exe(?: --version (\d+))?", line)
            session = (older_host if interactive[1] else newer_host) if interactive else None
            output, status = run_line(terminal, line, session)
            check(status == "0", f"{line}: status {status}:\n" + "\n".join(output[-20:]))
            if "--script" in line:
                check_replay(line, output)
    finally:
        terminal.close()
    finish("try it")


if __name__ == "__main__":
    main()
