"""Text jobs for the layout tests and benchmarks: dense report pages with box drawing."""

CRLF = b"\r\n"
FF = b"\x0c"
LANDSCAPE = b"\x04"
PITCH = {9: b"\x01/", 10: b"\x010", 12: b"\x012", 17: b"\x017", 20: b"\x01:"}
BOLD_ON, BOLD_OFF = b"\x035", b"\x030"


def lpi(n):
    return b"\x02" + bytes([48 + n])


# Box-drawing bytes of the host character set.
V, VL, TR, BL, BU, TD, VR, H, X, BR, TL = 179, 180, 191, 192, 193, 194, 195, 196, 197, 217, 218

_WORDS = ("invoice", "Korvelane", "total", "VAT", "delivery", "12.50", "stock", "A-17",
          "customer", "paid", "#4411", "(net)", "balance", "due:", "qty", "x", "Oslo",
          "report", "2026-12-08", "item", "99%", "sum=", "carried", "fwd", "[ok]")
_COLUMNS = (24, 30, 23)  # cell widths between the bars: 1 + 24 + 1 + 30 + 1 + 23 + 1 = 81


def _cell_text(row, col, width):
    words, i = [], row * 7 + col * 3
    while True:
        word = _WORDS[i % len(_WORDS)]
        if len(" ".join(words + [word])) > width - 1:
            break
        words.append(word)
        i += 1
    return (" " + " ".join(words)).ljust(width).encode("ascii")


def _rule(left, mid, right):
    out = bytes([left])
    for n, width in enumerate(_COLUMNS):
        out += bytes([H]) * width + bytes([mid if n < len(_COLUMNS) - 1 else right])
    return out


def dense_lines(count=66):
    """`count` lines of a boxed three-column report, 81 cells wide: text with spaces in every
    cell, bars between the cells, a rule every sixth line."""
    lines = [_rule(TL, TD, TR)]
    row = 0
    while len(lines) < count - 1:
        if len(lines) % 6 == 0:
            lines.append(_rule(VR, X, VL))
            continue
        line = bytes([V])
        for col, width in enumerate(_COLUMNS):
            line += _cell_text(row, col, width) + bytes([V])
        lines.append(line)
        row += 1
    lines.append(_rule(BL, BU, BR))
    return lines


def dense_page(cpi=10, landscape=False, lines=66):
    """One dense page at that pitch (6 lines per inch), as a whole job."""
    return (LANDSCAPE if landscape else b"") + PITCH[cpi] + CRLF.join(dense_lines(lines)) + CRLF


def dense_job(pages, cpi=10):
    """A job of `pages` dense pages, each ended by a form feed."""
    page = CRLF.join(dense_lines()) + CRLF
    return PITCH[cpi] + (page + FF) * pages


def mixed_weights():
    """Lines that switch between bold and normal inside the line, at two pitches."""
    out = b""
    for cpi in (10, 17):
        out += PITCH[cpi] + b"Normal " + BOLD_ON + b"bold" + BOLD_OFF + b" normal " + BOLD_ON
        out += b"BOLD AGAIN" + BOLD_OFF + b"." + CRLF
        out += BOLD_ON + b"Bold first, " + BOLD_OFF + b"then normal" + CRLF
    return out
