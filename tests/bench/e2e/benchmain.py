"""What every e2e benchmark shares: the command line (--exe, --label, --out) and the results
file, where each benchmark keeps its figures under its own key, then the label."""
import argparse
import json
import sys
from pathlib import Path

# The e2e harness (korvrig) runs the program on the rig.
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "e2e"))


def merge(out, key, label, figures):
    out.parent.mkdir(parents=True, exist_ok=True)
    results = json.loads(out.read_text()) if out.exists() else {}
    results.setdefault(key, {})[label] = figures
    out.write_text(json.dumps(results, indent=1) + "\n")


def main(doc, key, run):
    """Runs `run(exe)` for the program named on the command line and files its figures."""
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    parser.add_argument("--exe", required=True, type=Path)
    parser.add_argument("--label", required=True)
    parser.add_argument("--out", required=True, type=Path)
    args = parser.parse_args()
    figures = run(args.exe.resolve())
    merge(args.out, key, args.label, figures)
    print(json.dumps({args.label: figures}, indent=1))
    return 0
