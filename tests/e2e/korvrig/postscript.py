"""What a PostScript job shows: characters with positions (Ghostscript's txtwrite) and images."""
import html
import re
import subprocess
from dataclasses import dataclass, field
from pathlib import Path

from .base import RigError


@dataclass
class Char:
    text: str
    x0: float
    y0: float
    x1: float
    y1: float
    font: str
    size: float


@dataclass
class Page:
    number: int
    chars: list = field(default_factory=list)

    def lines(self, tolerance=1.0):
        """The page's text lines, top to bottom: a list of (baseline y, text, chars). In the
        text, U+00A0 (how Wine's PostScript driver's spaces come out) reads as a space."""
        rows = []
        for ch in sorted(self.chars, key=lambda c: (c.y1, c.x0)):
            if rows and abs(rows[-1][0] - ch.y1) <= tolerance:
                rows[-1][2].append(ch)
            else:
                rows.append((ch.y1, None, [ch]))
        out = []
        for y, _, chars in rows:
            chars.sort(key=lambda c: c.x0)
            out.append((y, "".join(c.text for c in chars).replace("\xa0", " "), chars))
        return out

    def text(self):
        return "\n".join(line for _, line, _ in self.lines())


_SPAN = re.compile(r'<span bbox="[^"]*" font="([^"]*)" size="([^"]*)">')
_CHAR = re.compile(r'<char bbox="([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+)" c="([^"]*)"/>')


def parse_txtwrite(xml_text, scale=1.0):
    """Parses the output of gs -sDEVICE=txtwrite -dTextFormat=0 into Pages. Positions are in
    points from the page's top left corner (txtwrite's units divided by `scale`); a space comes
    as U+00A0."""
    pages, page, font, size = [], None, "", 0.0
    for line in xml_text.splitlines():
        line = line.strip()
        if line.startswith("<page"):
            page = Page(len(pages) + 1)
            pages.append(page)
        elif (m := _SPAN.match(line)):
            font, size = m.group(1), float(m.group(2))
        elif (m := _CHAR.match(line)) and page is not None:
            x0, y0, x1, y1 = (float(m.group(i)) / scale for i in range(1, 5))
            page.chars.append(Char(html.unescape(m.group(5)), x0, y0, x1, y1, font, size))
    return pages


def postscript_pages(path, resolution=72):
    """txtwrite's characters of each page. txtwrite reports whole units of its resolution:
    at the default 72 whole points, at 720 tenths of a point (under half a pixel at 300 dpi)."""
    result = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=txtwrite",
                             "-dTextFormat=0", f"-r{resolution}", "-sOutputFile=-", str(path)],
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    if result.returncode != 0:
        raise RigError(f"gs txtwrite failed on {path}: {result.stderr.decode(errors='replace')}")
    return parse_txtwrite(result.stdout.decode("utf-8", errors="replace"), resolution / 72)


def render_png(path, out_dir, resolution=100):
    out_dir = Path(out_dir)
    out_dir.mkdir(parents=True, exist_ok=True)
    result = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=png16m",
                             f"-r{resolution}", f"-sOutputFile={out_dir}/page-%03d.png", str(path)],
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    if result.returncode != 0:
        raise RigError(f"gs png16m failed on {path}: {result.stderr.decode(errors='replace')}")
    return sorted(out_dir.glob("page-*.png"))


def gray_page(path, resolution, page=1):
    """One page rendered as rows of grey bytes (pgmraw): (width, height, pixels)."""
    result = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=pgmraw",
                             f"-r{resolution}", f"-dFirstPage={page}", f"-dLastPage={page}",
                             "-sOutputFile=-", str(path)],
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    if result.returncode != 0:
        raise RigError(f"gs pgmraw failed on {path}: {result.stderr.decode(errors='replace')}")
    out = result.stdout
    # P5 header: magic, width, height, maximum, each after blanks or comment lines.
    fields, pos = [], 0
    while len(fields) < 4:
        while out[pos:pos + 1].isspace():
            pos += 1
        if out[pos:pos + 1] == b"#":
            pos = out.index(b"\n", pos) + 1
            continue
        end = pos
        while not out[end:end + 1].isspace():
            end += 1
        fields.append(out[pos:end])
        pos = end
    if fields[0] != b"P5":
        raise RigError(f"gs pgmraw gave no grey page for {path}: {fields!r}")
    return int(fields[1]), int(fields[2]), out[pos + 1:]
