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
    # A pulse technique's programme is not a sweep's: its potentials must be the settings'.
    pulse = dict(technique="dp", E0_1=-0.02)
    dpv = vorex.simulate(**pulse)
    with pytest.raises(ValueError, match="set E_start, E_end, E_step"):
        vorex.fit(dpv.E + 0.001, dpv.I, fit=BOUNDS, **pulse)
    with pytest.raises(ValueError, match="reversed"):
        vorex.fit(data.E, data.I, fit={"ks_1": (1.0, 1e-5)}, **TRUTH)
    with pytest.raises(ValueError, match='"n_1" cannot be fitted'):
        vorex.fit(data.E, data.I, fit={"n_1": (1, 2)}, **TRUTH)
    with pytest.raises(ValueError, match=r"D\(A\) must be greater than 0"):
        vorex.fit(data.E, data.I, fit={"D_A": (0, 1e-4)}, **TRUTH)
    with pytest.raises(ValueError, match="ks_2 .* not available"):
        vorex.fit(data.E, data.I, fit={"ks_2": (1e-5, 1.0)}, **TRUTH)
    with pytest.raises(ValueError, match=r"I\[3\] is not finite"):
        vorex.fit(data.E, np.where(np.arange(242) == 3, np.nan, data.I), fit=BOUNDS, **TRUTH)


def test_a_sweep_off_the_settings_programme_is_fitted_on_its_own_potentials():
    # Half the cycle, and the whole cycle 1 mV off: no grid error, the simulations follow the
    # measured potentials. The half cycle is the cathodic sweep of the truth, so the fit from
    # other starts must find the truth's values (the same equations on the same points).
    data = vorex.simulate(**TRUTH)
    start = dict(technique="cv", scan_rate=0.1, E0_1=0.0, ks_1=1e-3)
    half = vorex.fit(data.E[:121], data.I[:121], fit=BOUNDS, **start)
    # Within what the fit's relative stopping test (2e-4 in the sum of squares) leaves.
    assert half.values["E0_1"] == pytest.approx(-0.02, abs=1e-5)
    assert half.values["ks_1"] == pytest.approx(5e-4, rel=1e-2)
    assert len(half.I_fit) == 121
    shifted = vorex.fit(data.E + 0.001, data.I, fit=BOUNDS, **start)
    # Every potential 1 mV higher moves the fitted E0 up by the same 1 mV.
    assert shifted.values["E0_1"] == pytest.approx(-0.019, abs=2e-5)


def test_a_measured_programme_with_two_vertices_and_a_mid_range_start():
    # 0.3 V up to 0.6 V, down to -0.1 V, up to 0.3 V in 2 mV steps: the programme of a cycle
    # started mid-range. Simulated on it, then fitted from other starts, it gives back the values.
    E = np.concatenate([np.linspace(0.3, 0.6, 151), np.linspace(0.598, -0.1, 350),
                        np.linspace(-0.098, 0.3, 200)])
    truth = vorex.simulate(scan_rate=0.1, E0_1=0.217, ks_1=1e-3, alpha_1=0.48, programme=E)
    assert truth.settings.scan == "measured"
    assert np.array_equal(truth.E, E)
    result = vorex.fit(E, truth.I, fit={"E0_1": (0.0, 0.4), "ks_1": (1e-5, 1.0)}, scan_rate=0.1,
                       E0_1=0.2, ks_1=1e-2, alpha_1=0.48)
    # ks must move from 1e-2 (it used to stay there, E0 then 18 mV off); the stop on a relative
    # change below 2e-4 leaves the fit a little short of the exact minimum of noise-free data.
    assert result.values["E0_1"] == pytest.approx(0.217, abs=1e-3)
    assert result.values["ks_1"] == pytest.approx(1e-3, rel=0.05)


def test_a_linear_background_is_fitted_with_the_rest():
    # The truth's curve on a sloping line 2e-6 + 5e-6 E A: at the truth's values the simulation
    # leaves exactly the line, which the fit's background must give back to rounding.
    E = np.concatenate([np.linspace(0.3, 0.6, 151), np.linspace(0.598, -0.1, 350)])
    truth = dict(scan_rate=0.1, E0_1=0.217, ks_1=1e-3, alpha_1=0.48)
    I = vorex.simulate(programme=E, **truth).I + 2e-6 + 5e-6 * E
    result = vorex.fit(E, I, fit={"E0_1": (0.0, 0.4)}, background="linear", **truth)
    assert "Background fitted with the rest: I = 2e-6 + 5e-6\u00b7E A" in result.report
    assert np.allclose(result.I_fit, I, rtol=0, atol=1e-12)
    with pytest.raises(ValueError, match='background must be one of "none", "constant"'):
        vorex.Settings(background="cubic")
