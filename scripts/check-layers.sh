#!/usr/bin/env bash
# Checks the rooms of src/: includes point only downward (or within a room), no room folder
# holds more than 30 files (its win32/ counted apart), and no function runs over 60 lines.
set -euo pipefail
cd "$(dirname "$0")/.."
python3 - <<'PY'
import os, re, sys
# Lower rooms first. A room may include its own files and those of rooms before it.
order = ["win32", "settings", "printing", "base", "dialogs", "joblog", "history", "routing", "spool",
         "escp", "jobs", "app"]
rank = {room: i for i, room in enumerate(order)}
faults = []
for dirpath, dirs, files in os.walk("src"):
    own = [f for f in files if f.endswith((".h", ".cpp"))]
    if len(own) > 30:
        faults.append(f"{dirpath}: {len(own)} files (at most 30)")
    parts = dirpath.split(os.sep)
    if len(parts) < 2:
        continue
    room = parts[1]
    if room not in rank:
        faults.append(f"{dirpath}: room '{room}' has no place in the order of rooms")
        continue
    for name in own:
        path = os.path.join(dirpath, name)
        text = open(path, encoding="utf-8").read()
        for line_no, line in enumerate(text.splitlines(), 1):
            m = re.match(r'\s*#\s*include\s+"([a-z0-9_]+)/', line)
            if m and m.group(1) in rank and rank[m.group(1)] > rank[room]:
                faults.append(f"{path}:{line_no}: {room} includes the higher room {m.group(1)}")
        # Function bodies: a line ending in '{' at namespace depth starts one; count to its '}'.
        depth, start, head = 0, None, 0
        for line_no, line in enumerate(text.splitlines(), 1):
            code = re.sub(r'//.*|"(\\.|[^"\\])*"|\'(\\.|[^\'\\])*\'', "", line)
            if start is None and re.search(r'\)\s*(const\s*)?(noexcept\s*)?(override\s*)?(->\s*[\w:<>]+\s*)?\{\s*$', code):
                start, head = line_no, depth
            depth += code.count("{") - code.count("}")
            if start is not None and depth <= head:
                if line_no - start + 1 > 60:
                    faults.append(f"{path}:{start}: a function of {line_no - start + 1} lines (at most 60)")
                start = None
for f in faults:
    print(f)
if faults:
    sys.exit(1)
print("rooms: includes point downward, folders and functions within their sizes")
PY
