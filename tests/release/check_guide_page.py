#!/usr/bin/env python3
"""Opens the release's HTML guide in headless Chromium, with the network off, and checks what a reader sees.

- Every heading of the Markdown guide is on the rendered page, at its level and in its order.
- The picture is there, decoded, and its animation plays: two shots of it a moment apart differ.
- Nothing failed to load and nothing was asked of the network: the browser reports no failed or
  outside request and no error (a blocked resource or a script would be one), and the page has no
  link that leads nowhere.
- Screenshots of the page's top, in the light and the dark setting and as printed, go to OUT_DIR for a
  person to look at.

Chromium is driven through its DevTools protocol on a pipe (--remote-debugging-pipe), with Python's
standard library alone. Where the user may (root), it runs in a network namespace of its own, with no
network at all; everywhere, every host name resolves to nothing.

Usage: check_guide_page.py PAGE MARKDOWN OUT_DIR
"""
import base64
import html.parser
import json
import os
import pathlib
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT = 1100, 900
TIMEOUT = 60  # seconds for any one answer of the browser
PICTURE_SHOTS, PICTURE_INTERVAL = 16, 0.5  # the picture changes its frame at least every 4 s

page_path, markdown_path, out_dir = (pathlib.Path(argument).resolve() for argument in sys.argv[1:4])
out_dir.mkdir(parents=True, exist_ok=True)
failures = []


def check(ok, what, detail=""):
    print(("ok: " if ok else "FAIL: ") + what + ("" if ok or not detail else "\n  " + detail.replace("\n", "\n  ")))
    if not ok:
        failures.append(what)


class Browser:
    """Headless Chromium and one page in it, spoken to over the DevTools pipe."""

    def __init__(self, profile: pathlib.Path, log):
        to_browser, self.commands = os.pipe()
        self.answers, from_browser = os.pipe()

        def on_pipe_descriptors():  # the protocol's fixed descriptors: 3 to read, 4 to write
            os.dup2(to_browser, 3)
            os.dup2(from_browser, 4)

        command = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                   "--no-default-browser-check", "--disable-background-networking", "--disable-component-update",
                   "--disable-sync", "--hide-scrollbars", "--mute-audio", f"--user-data-dir={profile}",
                   "--host-resolver-rules=MAP * ~NOTFOUND", f"--window-size={WIDTH},{HEIGHT}",
                   "--remote-debugging-pipe", "about:blank"]
        if os.geteuid() == 0 and subprocess.run(["unshare", "--net", "true"], check=False).returncode == 0:
            command = ["unshare", "--net"] + command
        # Chromium writes crash reports, and the libraries under it their caches, in the user's home
        # and XDG folders whatever the profile: here all of them are inside the profile.
        environment = dict(os.environ, HOME=str(profile / "home"), XDG_CONFIG_HOME=str(profile / "config"),
                           XDG_CACHE_HOME=str(profile / "cache"))
        self.process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log, stderr=log, env=environment,
                                        preexec_fn=on_pipe_descriptors, pass_fds=(3, 4))
        os.close(to_browser)
        os.close(from_browser)
        self.next_id, self.buffer, self.events, self.session = 0, b"", [], None

    def _message(self, deadline):
        while b"\0" not in self.buffer:
            if not select.select([self.answers], [], [], max(0.0, deadline - time.monotonic()))[0]:
                raise TimeoutError("the browser did not answer in time")
            chunk = os.read(self.answers, 1 << 20)
            if not chunk:
                raise EOFError("the browser closed its pipe")
            self.buffer += chunk
        message, _, self.buffer = self.buffer.partition(b"\0")
        return json.loads(message)

    def call(self, method, **params):
        """Sends a command to the page (or to the browser, before a page is attached) and returns its result."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if self.session:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + TIMEOUT
        while True:
            answer = self._message(deadline)
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer["result"]
            self.events.append(answer)

    def wait_for(self, method):
        deadline = time.monotonic() + TIMEOUT
        while not any(event.get("method") == method for event in self.events):
            self.events.append(self._message(deadline))

    def open_page(self):
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for domain in ("Page", "Network", "Log", "Runtime", "DOM"):
            self.call(f"{domain}.enable")
        self.call("Emulation.setDeviceMetricsOverride", width=WIDTH, height=HEIGHT, deviceScaleFactor=1, mobile=False)

    def screenshot(self, **clip) -> bytes:
        params = {"format": "png"}
        if clip:
            params["clip"] = dict(clip, scale=1)
        return base64.b64decode(self.call("Page.captureScreenshot", **params)["data"])

    def close(self):
        try:
            self.session = None
            self.call("Browser.close")
        except (OSError, RuntimeError, TimeoutError, EOFError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.commands)
        os.close(self.answers)


class PageReader(html.parser.HTMLParser):
    """The headings outside the table of contents, the links and the element ids of a DOM."""

    def __init__(self):
        super().__init__()
        self.headings, self.links, self.ids = [], [], set()
        self.in_nav, self.heading = 0, None

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if "id" in attributes:
            self.ids.add(attributes["id"])
        if tag == "nav":
            self.in_nav += 1
        elif tag == "a" and "href" in attributes:
            self.links.append(attributes["href"])
        elif re.fullmatch(r"h[1-6]", tag) and not self.in_nav:
            self.heading = [int(tag[1]), ""]

    def handle_endtag(self, tag):
        if tag == "nav":
            self.in_nav -= 1
        elif self.heading and tag == f"h{self.heading[0]}":
            self.headings.append((self.heading[0], " ".join(self.heading[1].split())))
            self.heading = None

    def handle_data(self, data):
        if self.heading:
            self.heading[1] += data


def markdown_headings(markdown: str):
    """The ATX headings outside fenced blocks, as (level, text) with the code spans' backticks left out."""
    headings, fenced = [], False
    for line in markdown.splitlines():
        if line.startswith("```"):
            fenced = not fenced
        elif not fenced and (match := re.match(r"(#{1,6}) +(.*?) *#* *$", line)):
            headings.append((len(match[1]), " ".join(match[2].replace("`", "").split())))
    return headings


def check_headings(reader, markdown):
    wanted = markdown_headings(markdown)
    check(wanted and reader.headings == wanted, f"the page's headings are the guide's {len(wanted)}, in its order",
          f"page: {reader.headings}\nguide: {wanted}")


def check_picture(browser):
    picture = browser.call("Runtime.evaluate", returnByValue=True, expression="""(() => {
        const image = document.querySelector('img');
        if (!image) return null;
        const box = image.getBoundingClientRect();
        return {source: image.src.slice(0, 30), width: image.naturalWidth, complete: image.complete,
                x: box.x + scrollX, y: box.y + scrollY, boxWidth: box.width, boxHeight: box.height};
    })()""")["result"].get("value")
    check(picture and picture["complete"] and picture["width"] > 0 and picture["source"].startswith("data:image/"),
          "the picture is inside the page and shown", f"the page's first picture: {picture}")
    if not picture or not picture["width"]:
        return
    clip = {"x": picture["x"], "y": picture["y"], "width": picture["boxWidth"], "height": picture["boxHeight"]}
    first = browser.screenshot(**clip)
    for _ in range(PICTURE_SHOTS):
        time.sleep(PICTURE_INTERVAL)
        if browser.screenshot(**clip) != first:
            check(True, "the picture's animation plays")
            return
    check(False, "the picture's animation plays",
          f"it did not change in {PICTURE_SHOTS * PICTURE_INTERVAL:.0f} s")


def check_loading(browser, reader):
    page_url = page_path.as_uri()
    requests = [event["params"]["request"]["url"] for event in browser.events
                if event.get("method") == "Network.requestWillBeSent"]
    outside = [url for url in requests if url != page_url and not url.startswith("data:")]
    failed = [event["params"] for event in browser.events if event.get("method") == "Network.loadingFailed"]
    errors = [event["params"]["entry"] for event in browser.events
              if event.get("method") == "Log.entryAdded" and event["params"]["entry"]["level"] in ("error", "warning")]
    errors += [event["params"] for event in browser.events
               if event.get("method") in ("Runtime.exceptionThrown", "Runtime.consoleAPICalled")]
    check(page_url in requests and not outside, "the page asks for nothing beyond itself", f"requests: {requests}")
    check(not failed and not errors, "nothing failed to load and the browser reported no error",
          json.dumps(failed + errors, indent=1)[:3000])
    broken = [link for link in reader.links if not (link.startswith("#") and link[1:] in reader.ids)]
    check(reader.links and not broken, f"its {len(reader.links)} links lead to its own headings", f"broken: {broken}")


def keep_screenshots(browser):
    """The page's top as a reader sees it in the light and the dark setting, and as printed."""
    for name, media, scheme in (("light", "screen", "light"), ("dark", "screen", "dark"), ("print", "print", "light")):
        browser.call("Emulation.setEmulatedMedia", media=media,
                     features=[{"name": "prefers-color-scheme", "value": scheme}])
        shot = out_dir / f"guide-top-{name}.png"
        shot.write_bytes(browser.screenshot())
        print(f"screenshot: {shot}")


def main():
    profile = pathlib.Path(tempfile.mkdtemp(prefix="tolvek-chromium-"))
    with open(out_dir / "chromium.log", "wb") as log:
        browser = Browser(profile, log)
        try:
            browser.open_page()
            browser.call("Page.navigate", url=page_path.as_uri())
            browser.wait_for("Page.loadEventFired")
            dom = browser.call("DOM.getOuterHTML", nodeId=browser.call("DOM.getDocument")["root"]["nodeId"])
            (out_dir / "guide-dom.html").write_text(dom["outerHTML"], encoding="utf-8")
            reader = PageReader()
            reader.feed(dom["outerHTML"])
            check_headings(reader, markdown_path.read_text(encoding="utf-8"))
            check_picture(browser)
            check_loading(browser, reader)
            keep_screenshots(browser)
        finally:
            browser.close()
            shutil.rmtree(profile, ignore_errors=True)
    print(f"guide page: {len(failures)} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
