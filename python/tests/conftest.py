import os
import subprocess
from pathlib import Path
from typing import List

import pytest


def _command() -> Path:
    given = os.environ.get("ZENTAB_CLI")
    if given:
        return Path(given)
    return Path(__file__).resolve().parents[2] / "build" / "cli" / "zentab"


@pytest.fixture(scope="session")
def command():
    """Runs the zentab command on text, giving its output or None when it refuses."""
    binary = _command()
    if not binary.is_file():
        pytest.skip(f"no zentab command at {binary} (set ZENTAB_CLI)")

    def run(text: str, args: List[str]):
        done = subprocess.run([str(binary), *args], input=text.encode("utf-8"),
                              capture_output=True, check=False)
        return done.stdout.decode("utf-8") if done.returncode == 0 else None

    return run


@pytest.fixture(scope="session")
def fmt_command():
    """Runs `zentab fmt` on a document: (status, output, the lines it said on standard error)."""
    binary = _command()
    if not binary.is_file():
        pytest.skip(f"no zentab command at {binary} (set ZENTAB_CLI)")

    def run(text: str, args: List[str]):
        done = subprocess.run([str(binary), "fmt", *args], input=text.encode("utf-8"),
                              capture_output=True, check=False)
        return (done.returncode, done.stdout.decode("utf-8"),
                done.stderr.decode("utf-8").splitlines())

    return run
