"""Builds zentab._zentab from the text layer's C++ sources in the repository
around this folder (core/, text/), which stay where they are."""

import os
import re
import sys
from glob import glob

from setuptools import Extension, setup

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
SOURCE_DIRS = ["core", "core/styles", "command", "text", "text/unicode", "text/formats",
               "text/layout", "text/shape", "text/documents"]
# python3 -m zentab runs the command's own options and framing, over the C
# library as the command does; fmt and lsp stay the command's.
COMMAND_SOURCES = ["capi/zentab_capi.cpp"] + [
    f"cli/{name}.cpp" for name in ("options", "command_answer", "raw_job", "frame_job",
                                   "frame_command", "stream_io", "columns_variable", "terminal_width",
                                   "ambiguous_probe", "line_ends")]


def layer_sources():
    sources = []
    for folder in SOURCE_DIRS:
        sources += sorted(glob(os.path.join(ROOT, folder, "*.cpp")))
    sources += [os.path.join(ROOT, name) for name in COMMAND_SOURCES]
    if not sources:
        sys.exit(f"zentab: no C++ sources under {ROOT}; build from the repository's python/ folder")
    # setuptools wants paths relative to setup.py.
    return [os.path.relpath(path, HERE) for path in sources]


def project_version():
    """The version CMake's project() states, so every package says the same."""
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as cmake:
        found = re.search(r"project\(Zentab VERSION ([0-9.]+)", cmake.read())
    return found.group(1) if found else "0"


def pybind11_include():
    import pybind11

    return pybind11.get_include()


VERSION = project_version()
MAJOR, MINOR, PATCH = (VERSION.split(".") + ["0", "0"])[:3]

extension = Extension(
    "zentab._zentab",
    sources=["src/python_module.cpp"] + layer_sources(),
    include_dirs=[ROOT, os.path.join(ROOT, "include"), pybind11_include()],
    define_macros=[("ZENTAB_VERSION", f'"{VERSION}"'), ("ZENTAB_PROJECT_VERSION", f'"{VERSION}"'),
                   ("ZENTAB_PROJECT_VERSION_MAJOR", MAJOR), ("ZENTAB_PROJECT_VERSION_MINOR", MINOR),
                   ("ZENTAB_PROJECT_VERSION_PATCH", PATCH)],
    language="c++",
    extra_compile_args=["-std=c++17", "-O2", "-g0", "-fvisibility=hidden", "-Wall", "-Wextra"],
)

# The package's other settings are in pyproject.toml.
setup(version=VERSION, ext_modules=[extension])
