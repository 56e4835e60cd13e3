"""Our INI engine (korv::IniFileStore, through korv_ini_tool) against the platform's
GetPrivateProfileStringA / WritePrivateProfileStringA (through korvdriver under Wine): the same
files and the same operations through both, comparing every value read and, where the file is
written, the file that results."""
import os
import shutil
import subprocess
import unittest
from pathlib import Path

import korvrig

INI_TOOL = Path(os.environ.get("KORV_INI_TOOL", korvrig.NATIVE_DIR / "tests" / "e2e" /
                               "korv_ini_tool"))

V = "Vozazad"
LONG = "".join(chr(ord("a") + i % 26) for i in range(250))


def get(section, key, default=""):
    return ("get", section, key, default)


def put(section, key, value):
    return ("put", section, key, value)


# How the files are compared after the operations. The platform rewrites a whole file in its
# own layout on every write (CR LF line ends, no blank lines, no blanks before a value); ours
# changes only the line it writes. So a file already in that layout is compared byte for byte
# (EXACT); others line by line with blank lines, line ends and blanks around names and "="
# left out (LAYOUT): the same sections, keys and values in the same order.
NONE, EXACT, LAYOUT = "none", "exact", "layout"

# (name, starting file contents or None for no file, operations, file comparison)
# Operations run in order on that case's own file; every read is compared.
CASES = [
    ("values", b"[Vozazad]\r\nPrinter=KorvCapture1\r\nUseDefault=N\r\nFont=Courier New\r\n",
     [get(V, "Printer"), get(V, "UseDefault", "Y"), get(V, "Font", "Courier New"),
      get(V, "Missing", "Y"), get("Global", "ViewFontSize", "12"), get(V, "Missing", "")],
     NONE),
    ("no file", None,
     [get(V, "Printer"), get(V, "UseDefault", "Y"), get(V, "Font", "Courier New")], NONE),
    ("defaults: trailing blanks dropped, 199-character cut", b"[Vozazad]\r\n",
     [get(V, "A", "Courier New   "), get(V, "B", "  lead"), get(V, "C", LONG), get(V, "D", " ")],
     NONE),
    ("empty values and a key without =",
     b"[Vozazad]\r\nPrinter=\r\nUseDefault=  \r\nFont\r\n",
     [get(V, "Printer", "def"), get(V, "UseDefault", "Y"), get(V, "Font", "Courier New")],
     NONE),
    ("199-character cut", b"[Vozazad]\r\nPrinter=" + LONG.encode() + b"\r\n",
     [get(V, "Printer"), put(V, "Font", LONG), get(V, "Font")], EXACT),
    ("case of names", b"[VOZAZAD]\r\nprinter=KorvCapture1\r\nUSEDEFAULT=N\r\n",
     [get("vozazad", "PRINTER"), get(V, "UseDefault", "Y"), get("VoZaZaD", "useDefault", "Y")],
     NONE),
    ("blanks around names and =",
     b"[ Vozazad ]\r\n  Printer  =  KorvCapture1  \r\nFont\t=\tCourier New\t\r\n",
     [get(V, "Printer"), get(V, " Printer ", "d"), get(V, "Font"), get(" Vozazad ", "Font")],
     NONE),
    ("comment lines", b"; a comment\r\n[Vozazad]\r\n;Printer=Commented\r\n"
     b"#Font=Hash\r\nUseDefault=N ; not a comment\r\n",
     [get(V, "Printer", "none"), get(V, "#Font", "none"), get(V, "UseDefault", "Y"),
      get(V, ";Printer", "none")], NONE),
    ("duplicate keys", b"[Vozazad]\r\nPrinter=First\r\nPrinter=Second\r\n",
     [get(V, "Printer"), put(V, "Printer", "Third"), get(V, "Printer")], EXACT),
    ("duplicate sections", b"[Vozazad]\r\nPrinter=First\r\n[Global]\r\nViewFontSize=10\r\n"
     b"[Vozazad]\r\nFont=Later\r\nPrinter=Second\r\n",
     [get(V, "Printer"), get(V, "Font", "none"), put(V, "Font", "Mine"), get(V, "Font"),
      put(V, "UseDefault", "N"), get(V, "UseDefault")], LAYOUT),
    ("quoted values", b"[Vozazad]\r\nA=\"quoted\"\r\nB='single'\r\nC=\"open\r\nD=\"\"\r\n",
     [get(V, "A"), get(V, "B"), get(V, "C"), get(V, "D", "none")], NONE),
    ("bytes of the host character set", b"[Vozazad]\r\nFont=Caf\xe9 \xc4\r\n",
     [get(V, "Font"), put(V, "Printer", "Dru\xe9ck"), get(V, "Printer")], EXACT),
    ("no final line end", b"[Vozazad]\r\nPrinter=KorvCapture1",
     [get(V, "Printer"), put(V, "Font", "Courier New"), get(V, "Font"), get(V, "Printer")],
     EXACT),
    ("LF line ends", b"[Vozazad]\nPrinter=KorvCapture1\nUseDefault=N\n",
     [get(V, "Printer"), get(V, "UseDefault", "Y"), put(V, "Font", "Lucida Console"),
      get(V, "Font"), get(V, "Printer")], LAYOUT),
    ("a write creates file, section and key", None,
     [put(V, "Printer", "KorvCapture1"), put(V, "UseDefault", "N"),
      put("Global", "ViewFontSize", "14"), get(V, "Printer"), get("Global", "ViewFontSize")],
     EXACT),
    ("a write replaces a value and adds keys and sections",
     b"[Vozazad]\r\nPrinter=KorvCapture1\r\nUseDefault=Y\r\n\r\n[Global]\r\nViewFontSize=12\r\n",
     [put(V, "UseDefault", "N"), put(V, "Font", "Courier New"), put("Other", "Printer", "X"),
      put(V, "Printer", ""), get(V, "Printer", "def"), get(V, "UseDefault"), get(V, "Font"),
      get("Other", "Printer")], LAYOUT),
    ("a written value keeps its blanks on disk, not on reading", b"[Vozazad]\r\n",
     [put(V, "Font", "  Courier New  "), get(V, "Font")], LAYOUT),
    ("a written name keeps its case", b"[vozazad]\r\nprinter=KorvCapture1\r\n",
     [put("VOZAZAD", "PRINTER", "KorvCapture2"), get(V, "Printer")], EXACT),
    ("a UTF-8 mark before the first section", b"\xef\xbb\xbf[Vozazad]\r\nPrinter=KorvCapture1\r\n",
     [get(V, "Printer")], NONE),
    ("comment lines stay when writing",
     b"; settings of the service\r\n[Vozazad]\r\n;Printer=Old\r\nPrinter=KorvCapture1\r\n",
     [put(V, "Printer", "KorvCapture2"), put(V, "Font", "Courier New"), get(V, "Printer")],
     LAYOUT),
    ("section headers with more on the line",
     b"[Vozazad] ; the service\r\nPrinter=A\r\n[Glo]bal]\r\nViewFontSize=9\r\n"
     b"  [Other]  \r\nFont=B\r\n",
     [get(V, "Printer"), get("Glo", "ViewFontSize", "none"), get("Glo]bal", "ViewFontSize", "none"),
      get("Other", "Font", "none")], NONE),
    ("values holding =", b"[Vozazad]\r\nFont=a=b = c\r\n=NoName\r\n",
     [get(V, "Font"), get(V, "", "def")], NONE),
    ("a write into an empty file", b"",
     [put(V, "Printer", "KorvCapture1"), get(V, "Printer")], EXACT),
    ("a write after a last section header without line end", b"[Global]\r\nA=1\r\n[Vozazad]",
     [put(V, "Printer", "KorvCapture1"), get(V, "Printer"), get("Global", "A")], EXACT),
    ("a key without = gets its value", b"[Vozazad]\r\nPrinter\r\nFont=Courier New\r\n",
     [get(V, "Printer", "def"), put(V, "Printer", "KorvCapture1"), get(V, "Printer", "def")],
     LAYOUT),
]

# Where Wine's answers differ from what the platform documents for Windows, and ours follows
# Windows: (case name, operation index) -> why. These are reported, not failed.
WINE_DIFFERS = {
    ("defaults: trailing blanks dropped, 199-character cut", 3):
        "a default of blanks only: Wine keeps its first blank; the platform's documentation "
        "says trailing blanks of the default are removed, which leaves an empty string",
}


def layout_free(contents):
    """The file's non-blank lines, stripped, with blanks around the first "=" removed."""
    lines = []
    for line in contents.replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n"):
        line = line.strip(b" \t")
        if not line:
            continue
        name, equals, value = line.partition(b"=")
        lines.append(name.strip(b" \t") + equals + value.strip(b" \t") if equals else line)
    return lines


def ops_line(op, file):
    kind, section, key, value = op
    fields = [section, key, value, file]
    return kind + "".join("\t" + f.encode("latin-1").hex() for f in fields) + "\n"


class IniDifferential(unittest.TestCase):
    def setUp(self):
        self.rig = korvrig.Rig.get()
        self.work = self.rig.run_dir / "ini-differential"
        if self.work.exists():
            shutil.rmtree(self.work)
        for side in ("ours", "wine"):
            (self.work / side).mkdir(parents=True)

    def _prepare(self):
        ops = {"ours": [], "wine": []}
        for index, (_, contents, operations, _) in enumerate(CASES):
            for side in ops:
                path = self.work / side / f"case{index:02d}.ini"
                if contents is not None:
                    path.write_bytes(contents)
                name = str(path) if side == "ours" else korvrig.windows_path(path)
                ops[side].extend(ops_line(op, name) for op in operations)
        for side, lines in ops.items():
            (self.work / f"{side}.ops").write_text("".join(lines), encoding="latin-1")

    def _answers(self):
        ours = subprocess.run([str(INI_TOOL), str(self.work / "ours.ops")], check=True,
                              capture_output=True, timeout=60).stdout.decode().splitlines()
        wine = self.rig.driver.profile_batch(self.work / "wine.ops")
        total = sum(len(case[2]) for case in CASES)
        self.assertEqual(len(ours), total, "korv_ini_tool answered too few operations")
        self.assertEqual(len(wine), total, "korvdriver answered too few operations")
        return ours, wine

    def test_same_files_same_operations_same_results(self):
        self._prepare()
        ours, wine = self._answers()
        at = 0
        noted = []
        for index, (name, _, operations, compare_file) in enumerate(CASES):
            for op_index, op in enumerate(operations):
                mine, theirs = ours[at], wine[at]
                at += 1
                if op[0] == "put":
                    continue
                got = bytes.fromhex(mine).decode("latin-1")
                want = bytes.fromhex(theirs).decode("latin-1")
                if (name, op_index) in WINE_DIFFERS and got != want:
                    noted.append(f"{name} #{op_index}: ours {got!r}, Wine {want!r}: "
                                 f"{WINE_DIFFERS[(name, op_index)]}")
                    continue
                with self.subTest(case=name, op=op_index, call=op[:3]):
                    self.assertEqual(got, want)
            if compare_file != NONE:
                with self.subTest(case=name, file=f"contents after the writes ({compare_file})"):
                    path = f"case{index:02d}.ini"
                    mine = (self.work / "ours" / path).read_bytes()
                    theirs = (self.work / "wine" / path).read_bytes()
                    if compare_file == LAYOUT:
                        mine, theirs = layout_free(mine), layout_free(theirs)
                    self.assertEqual(mine, theirs)
        for note in noted:
            print("known Wine difference:", note)

    def test_reads_leave_files_untouched(self):
        self._prepare()
        self._answers()
        for index, (name, contents, operations, _) in enumerate(CASES):
            if contents is None or any(op[0] == "put" for op in operations):
                continue
            for side in ("ours", "wine"):
                with self.subTest(case=name, side=side):
                    self.assertEqual((self.work / side / f"case{index:02d}.ini").read_bytes(),
                                     contents)


if __name__ == "__main__":
    unittest.main()
