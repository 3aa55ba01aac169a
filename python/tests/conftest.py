import os
import subprocess

import numpy as np
import pytest

@pytest.fixture
def run_cli(tmp_path):
    """Runs a vorex-cli script in tmp_path; returns the completed process."""
    cli = os.environ.get("VOREX_CLI")
    if not cli:
        pytest.skip("VOREX_CLI does not name the vorex-cli program")

    def run(script):
        path = tmp_path / "script.vxs"
        path.write_text(script)
        return subprocess.run([cli, str(path)], cwd=tmp_path, capture_output=True, text=True,
                              check=True)

    return run


def assert_same_result(a, b):
    """Two simulation results equal bit for bit."""
    assert np.array_equal(a.E, b.E)
    assert np.array_equal(a.I, b.I)
    assert np.array_equal(a.reaction_currents, b.reaction_currents)
    if a.surface_concentrations is None:
        assert b.surface_concentrations is None
    else:
        assert np.array_equal(a.surface_concentrations, b.surface_concentrations)
    assert a.parameters == b.parameters
    assert a.warnings == b.warnings
