"""Builds the Python module vorex: CMake builds the extension _vorex from the checkout, setuptools
packs it with the pure-Python files of python/vorex. The metadata is in pyproject.toml.

CMake works in its own folder under build-pip/ (setup.cfg), never in build/, the developers'
CMake build. Extra CMake options come from the environment's CMAKE_ARGS; CMake itself reads
CMAKE_GENERATOR, CMAKE_CXX_COMPILER_LAUNCHER (ccache) and CMAKE_BUILD_PARALLEL_LEVEL.
"""

import os
import shlex
import shutil
import subprocess
import sys
import sysconfig
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent

# The module's build needs neither Qt nor the tests' and benchmarks' libraries.
CMAKE_OPTIONS = [
    "-DVOREX_UI=OFF",
    "-DVOREX_TESTS=OFF",
    "-DVOREX_BENCH=OFF",
    "-DVOREX_FUZZ=OFF",
    "-DVOREX_PYTHON=ON",
    "-DCMAKE_BUILD_TYPE=Release",
    # The core libraries go into the extension itself, so the wheel holds one file of code.
    "-DBUILD_SHARED_LIBS=OFF",
]


class CMakeExtension(Extension):
    """An extension CMake builds: setuptools compiles no sources of its own for it."""

    def __init__(self, name, target):
        super().__init__(name, sources=[])
        self.target = target


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build_dir = Path(self.build_temp).resolve() / "cmake"
        build_dir.mkdir(parents=True, exist_ok=True)
        self.configure(build_dir)
        command = ["cmake", "--build", str(build_dir), "--target", ext.target]
        jobs = self.parallel or os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or os.cpu_count()
        command += ["--parallel", str(jobs)]
        self.announce(shlex.join(command), level=2)
        subprocess.run(command, check=True)

        built = self.find_built(build_dir / "python" / "vorex", ext.target)
        destination = Path(self.get_ext_fullpath(ext.name))
        destination.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, destination)

    def configure(self, build_dir):
        # The interpreter pip runs is the one the module is for (a venv's or the system's).
        command = ["cmake", "-S", str(ROOT), "-B", str(build_dir), *CMAKE_OPTIONS,
                   f"-DPython3_EXECUTABLE={sys.executable}"]
        # A folder already configured keeps its generator; CMake refuses to change it.
        first_time = not (build_dir / "CMakeCache.txt").exists()
        extra = shlex.split(os.environ.get("CMAKE_ARGS", ""))
        chosen = "CMAKE_GENERATOR" in os.environ or any(a.startswith("-G") for a in extra)
        if first_time and not chosen and shutil.which("ninja"):
            command += ["-G", "Ninja"]
        command += extra
        self.announce(shlex.join(command), level=2)
        subprocess.run(command, check=True)

    @staticmethod
    def find_built(folder, target):
        # pybind11 names the file with the interpreter's suffix (_vorex.cpython-311-...so); a
        # folder shared by two interpreters may hold the other's too.
        built = folder / (target + sysconfig.get_config_var("EXT_SUFFIX"))
        if not built.exists():
            raise RuntimeError(f"CMake built no {built.name} in {folder}")
        return built


# egg_info writes into build-pip/ (setup.cfg), which must exist before it runs.
(ROOT / "build-pip").mkdir(exist_ok=True)

setup(
    ext_modules=[CMakeExtension("vorex._vorex", target="_vorex")],
    cmdclass={"build_ext": CMakeBuild},
)
