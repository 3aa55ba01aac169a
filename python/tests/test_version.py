"""The version a user sees, from `python -m vorex --version`, vorex.__version__ and the pip
metadata, is the one written in the file VERSION at the top of the checkout."""

import os
import subprocess
import sys
import tomllib
from pathlib import Path

import pytest

import vorex

ROOT = Path(__file__).resolve().parents[2]


@pytest.fixture(scope="module")
def written_version():
    # Read here independently of CMake, which compiled its own reading into the extension.
    return (ROOT / "VERSION").read_text().splitlines()[0].strip()


def run_module(*arguments):
    return subprocess.run([sys.executable, "-m", "vorex", *arguments], capture_output=True,
                          text=True, env=os.environ.copy(), timeout=60)


def test_module_and_command_line_give_the_written_version(written_version):
    assert vorex.__version__ == written_version
    done = run_module("--version")
    assert done.returncode == 0, done.stderr
    assert done.stdout == f"vorex {written_version}\n"


def test_usage_without_arguments_and_refusal_of_unknown_ones():
    done = run_module()
    assert done.returncode == 0, done.stderr
    assert done.stdout.startswith("usage: python -m vorex")
    done = run_module("--frobnicate")
    assert done.returncode == 2
    assert "--frobnicate" in done.stderr and done.stdout == ""


@pytest.mark.filterwarnings("ignore::UserWarning")
def test_pip_metadata_takes_the_version_from_the_same_file(written_version):
    with open(ROOT / "pyproject.toml", "rb") as f:
        project = tomllib.load(f)
    # No second copy of the number: the version is dynamic and read from VERSION.
    assert "version" not in project["project"]
    assert "version" in project["project"]["dynamic"]
    assert project["tool"]["setuptools"]["dynamic"]["version"] == {"file": "VERSION"}
    pyprojecttoml = pytest.importorskip("setuptools.config.pyprojecttoml")
    expanded = pyprojecttoml.read_configuration(ROOT / "pyproject.toml", expand=True)
    # The file's text with its newline; the metadata written into the wheel holds it normalised.
    assert expanded["project"]["version"].strip() == written_version
