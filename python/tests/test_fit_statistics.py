"""The statistics of vorex.fit: their spread against repeated noisy fits, the residual, and the
printed block."""

import math

import numpy as np
import pytest

import vorex

TRUTH = dict(technique="cv", scan_rate=0.1, E0_1=-0.02, ks_1=5e-4)
START = dict(technique="cv", scan_rate=0.1, E0_1=0.0, ks_1=1e-3)
BOUNDS = {"E0_1": (-0.1, 0.2), "ks_1": (1e-5, 1.0)}


def test_reported_sigma_matches_the_spread_of_fits_to_noisy_copies():
    # Gaussian noise of 0.5 % of the peak, 100 copies: the empirical standard deviation of the
    # fitted E0 and ks must be within 20 % of the mean reported standard error (with 100
    # copies the spread itself is known to about 7 %).
    clean = vorex.simulate(**TRUTH)
    rng = np.random.default_rng(20261207)
    noise = 0.005 * np.abs(clean.I).max()
    fitted, sigmas = {"E0_1": [], "ks_1": []}, {"E0_1": [], "ks_1": []}
    for _ in range(100):
        result = vorex.fit(clean.E, clean.I + rng.normal(0.0, noise, clean.I.size), fit=BOUNDS,
                           **START)
        for name in fitted:
            fitted[name].append(result.values[name])
            sigmas[name].append(result.standard_errors[name])
    for name in fitted:
        spread = np.std(fitted[name], ddof=1)
        assert spread == pytest.approx(np.mean(sigmas[name]), rel=0.2), name


def test_residual_interval_and_correlation_hang_together():
    clean = vorex.simulate(**TRUTH)
    noisy = clean.I + np.random.default_rng(7).normal(0.0, 1e-7, clean.I.size)
    result = vorex.fit(clean.E, noisy, fit=BOUNDS, **START)
    s = result.statistics
    # The residual is the measured less the fitted curve, and its sum of squares the report's.
    assert np.array_equal(result.residual, noisy - result.I_fit)
    assert math.fsum(result.residual ** 2) == pytest.approx(result.sum_of_squares, rel=1e-12)
    assert (s.m, s.n, s.dof) == (242, 2, 240)
    assert s.s == pytest.approx(math.sqrt(result.sum_of_squares / 240), rel=1e-12)
    # t(0.975, 240) from the normal quantile's Cornish-Fisher expansion to 1/nu^2:
    # z + (z^3 + z)/(4 nu) + (5 z^5 + 16 z^3 + 3 z)/(96 nu^2).
    z, nu = 1.959963984540054, 240
    t = z + (z ** 3 + z) / (4 * nu) + (5 * z ** 5 + 16 * z ** 3 + 3 * z) / (96 * nu ** 2)
    assert s.t_quantile == pytest.approx(t, rel=1e-6)
    low, high = result.confidence_95["E0_1"]
    assert (high - low) / 2 == pytest.approx(s.t_quantile * result.standard_errors["E0_1"])
    assert np.allclose(s.correlation, s.correlation.T) and np.allclose(np.diag(s.correlation), 1)
    assert np.allclose(s.covariance[0, 1] / np.sqrt(s.covariance[0, 0] * s.covariance[1, 1]),
                       s.correlation[0, 1])
    # Durbin-Watson from the residual as numpy computes it; white noise gives about 2 (within
    # 4 standard deviations, 2 / sqrt(242) each, of it), and the verdict calls the fit converged.
    e = result.residual
    assert s.durbin_watson == pytest.approx(np.sum(np.diff(e) ** 2) / np.sum(e ** 2), rel=1e-9)
    assert abs(s.durbin_watson - 2) < 4 * 2 / math.sqrt(242)
    assert s.linearised_gain < 1e-3
    assert result.verdict[-1].startswith("The fit converged")
    assert result.verdict[-1] in result.report
    # The report goes on with the statistics block, one row per parameter by its dialog name.
    start = result.report.index("Fit statistics at the fitted values:")
    assert result.report[start + 2].startswith("ks(1)")
    assert result.report[start + 3].startswith("E\u00b0(1)")


def test_a_parameter_on_its_bound_has_no_standard_error():
    clean = vorex.simulate(**TRUTH)
    # E0 starts on its upper bound and the curve pulls it further out: it stays there.
    result = vorex.fit(clean.E, clean.I, fit={"E0_1": (-0.1, -0.05), "ks_1": (1e-5, 1.0)},
                       **dict(START, E0_1=-0.05))
    assert result.values["E0_1"] == -0.05
    assert result.statistics.standing == ["free", "on bound"]
    assert result.standard_errors["E0_1"] is None
    assert any("on a bound" in line for line in result.report)
    # ... and the report says that it never left the bound it started on, and calls nothing
    # converged.
    assert any(line.startswith("E\u00b0(1) stayed on the bound it started on")
               for line in result.verdict)
    assert not any("converged" in line and "not" not in line for line in result.verdict)
