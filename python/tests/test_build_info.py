import pathlib
import re

import vorex


def test_version_and_build_are_those_of_the_source():
    # The version is written once, in the file VERSION at the root of the sources.
    written = (pathlib.Path(__file__).resolve().parents[2] / "VERSION").read_text().splitlines()[0]
    assert vorex.__version__ == written
    # "Release build, GNU 12.2.0": the build type, then the compiler's name and three numbers.
    assert re.fullmatch(r"[A-Za-z]+ build, (GNU|Clang) \d+\.\d+\.\d+", vorex.build_info)
