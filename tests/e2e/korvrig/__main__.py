"""ctest's fixture:  python3 -m korvrig setup | cleanup"""
import sys

from .base import RUN_DIR
from .rig import cleanup, setup


def main(argv):
    if len(argv) == 2 and argv[1] == "setup":
        state = setup(RUN_DIR)
        print(f"rig ready in {state['setup_seconds']} s: display {state['display']}, "
              f"prefix {state['prefix']}, captures in {state['capture_root']}")
        return 0
    if len(argv) == 2 and argv[1] == "cleanup":
        cleanup(RUN_DIR)
        print("rig cleaned up")
        return 0
    print("usage: python3 -m korvrig setup|cleanup", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
