#!/usr/bin/env python3
"""Writes escp-sample.prn, an ESC/P job (24-pin LQ commands) for raw mode: a two-page invoice.

What each part exercises is told in escp-sample.md beside this script. Text is in code page 437
except the customers' names, which are in code page 852: the job assigns PC852 to character
table 1 with ESC ( t and selects it with ESC t, then assigns PC437 back. The box drawing uses
only lines that are box pieces in both tables (plain single and plain double lines), so the
frames also come out right when the whole job is read in 852.
Usage: make-escp-sample.py [OUTPUT]  (default: escp-sample.prn beside this script)
"""
import math
import os
import sys

ESC = b"\x1b"
CRLF, FF, SI, DC2 = b"\r\n", b"\x0c", b"\x0f", b"\x12"
RESET = ESC + b"@"
LETTER_QUALITY = ESC + b"x\x01"
BOLD_ON, BOLD_OFF = ESC + b"E", ESC + b"F"
WIDE_ON, WIDE_OFF = ESC + b"W\x01", ESC + b"W\x00"
SIXTH_INCH_LINES = ESC + b"2"
PAGE_LENGTH_11_INCHES = ESC + b"C\x00\x0b"
# ESC ( t 3 0 d1 d2 d3: character table d1 holds the table d2 d3 (1 0: PC437, 10 0: PC852).
TABLE_1_IS_852 = ESC + b"(t\x03\x00\x01\x0a\x00"
TABLE_1_IS_437 = ESC + b"(t\x03\x00\x01\x01\x00"
SELECT_TABLE_1 = ESC + b"t\x01"

# Code page 437 box pieces that code page 852 keeps in the same places.
TL, TR, BL, BR, H, V = 0xC9, 0xBB, 0xC8, 0xBC, 0xCD, 0xBA          # double lines
TD, TU, VR, VL, X = 0xCB, 0xCA, 0xCC, 0xB9, 0xCE                  # double joins
STL, STR, SBL, SBR, SH, SV = 0xDA, 0xBF, 0xC0, 0xD9, 0xC4, 0xB3     # single lines
LIGHT, MEDIUM, DARK, FULL = 0xB0, 0xB1, 0xB2, 0xDB


def text(s, codepage="cp437"):
    return s.encode(codepage)


def line(*parts):
    return b"".join(p if isinstance(p, bytes) else text(p) for p in parts) + CRLF


def rule(left, join, right, fill, widths):
    out = bytes([left])
    for i, w in enumerate(widths):
        out += bytes([fill]) * w + bytes([join if i < len(widths) - 1 else right])
    return out


def row(cells, widths):
    out = bytes([V])
    for cell, w in zip(cells, widths):
        out += text(cell.ljust(w)[:w]) + bytes([V])
    return out


def logo_band():
    """ESC * 39 (24 dots, 180 dpi): a ring beside three bars, 96 columns."""
    columns = []
    for x in range(96):
        bits = 0
        for y in range(24):
            r = math.hypot(x - 11.5, y - 11.5)
            ring = 7.5 <= r <= 11.5
            bar = x >= 30 and (y // 4) % 2 == 0 and x - 30 < 66 - 10 * (y // 8)
            if ring or bar:
                bits |= 1 << (23 - y)
        columns.append(bits.to_bytes(3, "big"))
    n = len(columns)
    return ESC + b"*" + bytes([39, n % 256, n // 256]) + b"".join(columns)


def page_one():
    widths = [30, 6, 12, 14]
    out = [RESET, LETTER_QUALITY, SIXTH_INCH_LINES, PAGE_LENGTH_11_INCHES]
    out.append(logo_band() + b"\r" + ESC + b"J\x18")  # the band, then 24/180 inch down
    out.append(line(WIDE_ON, BOLD_ON, "KORVELANE TRADING", BOLD_OFF, WIDE_OFF))
    out.append(line("Hlavn\u00ed 12, 602 00 Brno           Invoice 2026-0815   08.12.2026"))
    out.append(line())
    out.append(line("Customers:"))
    out.append(TABLE_1_IS_852 + SELECT_TABLE_1)
    for name in ["Anton\u00edn Dvo\u0159\u00e1k", "\u017dofie \u0160\u0165astn\u00e1",
                 "\u0141ukasz Wr\u00f3bel", "Zolt\u00e1n K\u0151v\u00e1ri",
                 "\u013dubom\u00edr \u0164a\u017ek\u00fd"]:
        out.append(line("  ", text(name, "cp852")))
    out.append(TABLE_1_IS_437 + SELECT_TABLE_1)
    out.append(line())
    out.append(line(rule(TL, TD, TR, H, widths)))
    out.append(line(row(["Item", "Qty", "Unit price", "Amount"], widths)))
    out.append(line(rule(VR, X, VL, H, widths)))
    items = [("Printer ribbon, black", 12, 4.20), ("Continuous paper 240 mm", 4, 31.50),
             ("Labels 89 x 36", 2, 12.75), ("Service visit", 1, 55.00)]
    total = 0.0
    for name, qty, price in items:
        amount = qty * price
        total += amount
        out.append(line(row([name, f"{qty:>5}", f"{price:>11.2f}", f"{amount:>13.2f}"], widths)))
    out.append(line(rule(BL, TU, BR, H, widths)))
    out.append(line())
    heading = "Condensed columns:  Code      Batch     Made        Best before  Store at"
    out.append(line(SI, heading, DC2))
    for code, batch, made in [("RB-40", "A17", "2026-10-02"), ("CP-240", "B03", "2026-11-14")]:
        out.append(line(SI, " " * 20, f"{code:<10}{batch:<10}{made:<12}-            dry", DC2))
    out.append(line())
    box = [STL] + [SH] * 34 + [STR]
    out.append(line(" " * 27, bytes(box)))
    out.append(line(" " * 27, bytes([SV]), BOLD_ON, f" TOTAL EUR {total:>22.2f} ", BOLD_OFF,
                    bytes([SV])))
    out.append(line(" " * 27, bytes([SBL] + [SH] * 34 + [SBR])))
    out.append(line())
    out.append(line("Paid: ", bytes([FULL] * 6 + [DARK] * 6 + [MEDIUM] * 6 + [LIGHT] * 6), " 75 %"))
    out.append(FF)
    return b"".join(out)


def page_two():
    out = [line(WIDE_ON, "Terms", WIDE_OFF)]
    out.append(line("Payment within 14 days. Goods remain ours until paid in full."))
    out.append(line("Page 2 of 2"))
    out.append(FF)
    return b"".join(out)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "escp-sample.prn")
    with open(target, "wb") as f:
        f.write(page_one() + page_two())


if __name__ == "__main__":
    main()
