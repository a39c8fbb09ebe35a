"""python3 -m zentab: the zentab command's own options, messages and exit
statuses (0 done, 1 an input refused, 2 a bad option), run by the same code;
zentab fmt and lsp stay the command's."""

import os
import sys
from typing import List, Optional

from . import _zentab


def main(argv: Optional[List[str]] = None) -> int:
    args = sys.argv[1:] if argv is None else list(argv)
    status, out, err = _zentab.run_command(args, os.environ.get("ZENTAB_AMBIGUOUS"))
    sys.stderr.flush()
    sys.stderr.buffer.write(err)
    sys.stderr.flush()
    sys.stdout.buffer.write(out)
    sys.stdout.flush()
    return status


if __name__ == "__main__":
    sys.exit(main())
