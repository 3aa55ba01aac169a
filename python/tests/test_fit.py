"""vorex.fit: recovery of known values and the checks before a fit."""

import pickle

import numpy as np
import pytest

import vorex

# A quasi-reversible couple swept at 0.1 V/s: the curve simulated from these values is the
# truth the fit must find from other start values.
TRUTH = dict(technique="cv", scan_rate=0.1, E0_1=-0.02, ks_1=5e-4)
BOUNDS = {"E0_1": (-0.1, 0.2), "ks_1": (1e-5, 1.0)}


def test_fit_recovers_E0_and_ks_of_a_simulated_curve():
    data = vorex.simulate(**TRUTH)
    result = vorex.fit(data.E, data.I, fit=BOUNDS, technique="cv", scan_rate=0.1, E0_1=0.0,
                       ks_1=1e-3)
    assert result.initial == {"ks_1": 1e-3, "E0_1": 0.0}
    assert result.values["E0_1"] == pytest.approx(-0.02, abs=1e-6)
    assert result.values["ks_1"] == pytest.approx(5e-4, rel=1e-4)
    assert result.iterations == len(result.iteration_sum_of_squares)
    assert result.sum_of_squares == result.iteration_sum_of_squares[-1]
    assert result.convergence_flag < 0
    assert np.allclose(result.I_fit, data.I, rtol=0, atol=1e-4 * np.abs(data.I).max())
    assert result.parameters["ks_1"] == result.values["ks_1"]
    assert any(line.startswith("Convergence flag =") for line in result.report)
    assert pickle.loads(pickle.dumps(result)).values == result.values


def test_fit_refuses_data_off_the_programme_and_bounds_without_meaning():
    data = vorex.simulate(**TRUTH)
    with pytest.raises(ValueError, match="E has 121 points but the settings give 242"):
        vorex.fit(data.E[:121], data.I[:121], fit=BOUNDS, **TRUTH)
    with pytest.raises(ValueError, match="set E_start, E_end, E_step"):
        vorex.fit(data.E + 0.001, data.I, fit=BOUNDS, **TRUTH)
    with pytest.raises(ValueError, match="reversed"):
        vorex.fit(data.E, data.I, fit={"ks_1": (1.0, 1e-5)}, **TRUTH)
    with pytest.raises(ValueError, match='"D_A" cannot be fitted'):
        vorex.fit(data.E, data.I, fit={"D_A": (1e-6, 1e-4)}, **TRUTH)
    with pytest.raises(ValueError, match="ks_2 .* not available"):
        vorex.fit(data.E, data.I, fit={"ks_2": (1e-5, 1.0)}, **TRUTH)
    with pytest.raises(ValueError, match=r"I\[3\] is not finite"):
        vorex.fit(data.E, np.where(np.arange(242) == 3, np.nan, data.I), fit=BOUNDS, **TRUTH)
