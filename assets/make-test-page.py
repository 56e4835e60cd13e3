#!/usr/bin/env python3
"""Writes VOZAZAD.TST, the test page: a text job showing what text mode does.

Text jobs are the host program's bytes: control code 1 sets the pitch (parameter - 38 characters
per inch), 2 the line spacing (parameter - 48 lines per inch), 3 boldness ("5" on, "0" off); 12
is a form feed; bytes 179, 180, 191-197, 217, 218, 219 and 223 are drawn as box lines and blocks.
Lines end CR LF.   Usage: make-test-page.py [OUTPUT]  (default: VOZAZAD.TST beside this script)
"""
import os
import sys

PITCH = {10: b"\x010", 12: b"\x012", 17: b"\x017", 20: b"\x01:"}
LPI = {6: b"\x026", 8: b"\x028"}
BOLD_ON, BOLD_OFF = b"\x035", b"\x030"
FF = b"\x0c"

# Box-drawing bytes of the host character set.
V, VL, TR, BL, BU, TD, VR, H, X, BR, TL, FULL, UPPER = (
    179, 180, 191, 192, 193, 194, 195, 196, 197, 217, 218, 219, 223)


def line(*parts):
    return b"".join(p if isinstance(p, bytes) else p.encode("ascii") for p in parts) + b"\r\n"


def box_row(left, mid, right, fill, width=8):
    return bytes([left]) + bytes([fill]) * width + bytes([mid]) + bytes([fill]) * width + bytes([right])


def page():
    ruler = "1234567890" * 4
    out = [line("Korvelane test page")]
    out.append(line())
    for cpi, code in PITCH.items():
        out.append(line(code, f"{cpi} cpi: ", ruler))
    out.append(line(PITCH[10]))
    out.append(line(LPI[8], "8 lines per inch: first line"))
    out.append(line("8 lines per inch: second line"))
    out.append(line("8 lines per inch: third line"))
    out.append(line(LPI[6], "6 lines per inch: first line"))
    out.append(line("6 lines per inch: second line"))
    out.append(line())
    out.append(line("Normal, ", BOLD_ON, "bold", BOLD_OFF, " and normal again"))
    out.append(line())
    out.append(line(box_row(TL, TD, TR, H)))
    out.append(line(bytes([V]), " Text   ", bytes([V]), " Mode   ", bytes([V])))
    out.append(line(box_row(VR, X, VL, H)))
    out.append(line(bytes([V]), " cells  ", bytes([V]), " lines  ", bytes([V])))
    out.append(line(box_row(BL, BU, BR, H)))
    out.append(line(bytes([FULL]) * 4, bytes([UPPER]) * 4, bytes([FULL]) * 4))
    out.append(FF)
    out.append(line("Korvelane test page, page 2"))
    out.append(line("A form feed started this page."))
    return b"".join(out)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "VOZAZAD.TST")
    with open(target, "wb") as f:
        f.write(page())


if __name__ == "__main__":
    main()
