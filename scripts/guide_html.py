"""The user's guide as one HTML page: the same Markdown as the zip's README.md, for reading in a browser.

The page stands alone: its style is inline, its pictures are inside it as data: URIs, and it holds no
script. Its Content-Security-Policy tells the browser to load nothing else, so a page that did ask for an
outside resource would show it at once. Each level-two and level-three heading gets an anchor, and a
table of contents before the first section links to them.

The Markdown is rendered by cmark-gfm, Debian's build of the reference parser of GitHub Flavored
Markdown: the README is written in that dialect and read on the forge in it, so the page shows what
the forge shows, tables included. It runs as a program, so the page does not depend on which Python
runs the packing; it leaves out raw HTML in the text, putting a comment "raw HTML omitted" in its
place; and its output depends only on its input.
"""
import base64
import html
import pathlib
import re
import subprocess

STYLE_SHEET = pathlib.Path(__file__).with_name("guide.css")
PICTURE_TYPES = {".svg": "image/svg+xml", ".png": "image/png"}
# Nothing but the page's own style and its data: pictures.
CONTENT_POLICY = "default-src 'none'; style-src 'unsafe-inline'; img-src data:"
HEADING = re.compile(r"<h([23])>(.*?)</h\1>", re.S)

PAGE = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="{policy}">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="color-scheme" content="light dark">
<title>{title}</title>
<style>
{style}</style>
</head>
<body>
<main>
{body}</main>
</body>
</html>
"""


def render_markdown(markdown: str) -> str:
    """GitHub Flavored Markdown with its tables and links, raw HTML left out, as cmark-gfm renders it."""
    command = ["cmark-gfm", "--extension", "table", "--extension", "autolink", "--to", "html"]
    return subprocess.run(command, input=markdown, capture_output=True, text=True, check=True).stdout


def anchor_name(heading_html: str, taken: set) -> str:
    """The forge's anchor for a heading: its text in lower case, letters, digits, "-" and "_" kept,
    blanks made "-"; a name already taken gets "-1", "-2", ..."""
    text = html.unescape(re.sub(r"<[^>]*>", "", heading_html)).strip().lower()
    base = re.sub(r"[^\w\- ]", "", text).replace(" ", "-")
    name, number = base, 0
    while name in taken:
        number += 1
        name = f"{base}-{number}"
    taken.add(name)
    return name


def add_anchors(body: str):
    """The body with an id on each level-two and level-three heading, and the (level, id, html) of each."""
    taken, headings = set(), []

    def with_id(match):
        level, inner = match[1], match[2]
        name = anchor_name(inner, taken)
        headings.append((int(level), name, inner))
        return f'<h{level} id="{name}">{inner}</h{level}>'

    return HEADING.sub(with_id, body), headings


def contents(headings) -> str:
    """A nested list of links to the headings, level three inside level two."""
    lines = ['<nav class="contents" aria-labelledby="contents">', '<h2 id="contents">Contents</h2>', "<ul>"]
    open_sublist = False
    for level, name, inner in headings:
        if level == 3 and not open_sublist:
            lines[-1] = lines[-1].removesuffix("</li>")
            lines.append("<ul>")
            open_sublist = True
        elif level == 2 and open_sublist:
            lines += ["</ul>", "</li>"]
            open_sublist = False
        lines.append(f'<li><a href="#{name}">{inner}</a></li>')
    if open_sublist:
        lines += ["</ul>", "</li>"]
    lines += ["</ul>", "</nav>", ""]
    return "\n".join(lines)


def embed_pictures(body: str, source: pathlib.Path) -> str:
    """Each picture of the repository's docs/ put inside the page as a data: URI."""

    def embedded(match):
        path = source / "docs" / match[1]
        kind = PICTURE_TYPES[path.suffix]
        return f'src="data:{kind};base64,{base64.b64encode(path.read_bytes()).decode("ascii")}"'

    return re.sub(r'src="docs/([^"/]+)"', embedded, body)


def guide_page(markdown: str, source: pathlib.Path, title: str) -> str:
    """The whole page for the guide's Markdown, whose pictures are in SOURCE/docs."""
    body, headings = add_anchors(embed_pictures(render_markdown(markdown), source))
    first_section = body.find("<h2 ")
    if first_section >= 0:
        body = body[:first_section] + contents(headings) + body[first_section:]
    style = STYLE_SHEET.read_text(encoding="utf-8")
    return PAGE.format(policy=CONTENT_POLICY, title=html.escape(title), style=style, body=body)
