"""`python -m vorex --version` names the installed module's version; without arguments a short
usage says where the module's documentation is."""

import sys

import vorex

USAGE = """usage: python -m vorex [--version | --help]

vorex is used from Python: import vorex, then vorex.simulate(), vorex.fit(), vorex.Session(), ...
help(vorex) lists the classes and functions, help(vorex.Settings) every keyword.

  --version  print the module's version and exit
  --help     print this text and exit"""


def main(arguments):
    if arguments in (["--version"], ["-V"]):
        print(f"vorex {vorex.__version__}")
        return 0
    if arguments in ([], ["--help"], ["-h"]):
        print(USAGE)
        return 0
    print(USAGE, file=sys.stderr)
    print(f"\nvorex: unknown arguments: {' '.join(arguments)}", file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
