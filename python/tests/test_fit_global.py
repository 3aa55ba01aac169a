"""vorex.fit_global: one curve fitted as vorex.fit fits it, several curves giving back the values
they were simulated with, the curves' weights, and the checks before a fit."""

import math
import pickle
import statistics

import numpy as np
import pytest

import vorex

# A quasi-reversible couple by digital CV from 0.6 V to -0.2 V and back in 2 mV steps.
SWEEP = dict(technique="cv", digital=True, E_start=0.6, E_end=-0.2, E_step=0.002)
TRUTH = dict(E0_1=0.217, ks_1=1e-3, alpha_1=0.48, D_A=7.6e-6, D_B=7.6e-6)
BOUNDS = {"E0_1": (-0.2, 0.6), "ks_1": (1e-6, 1.0), "alpha_1": (0.1, 0.9), "D_A": (1e-7, 1e-4)}


def measured(scan_rate, start, **truth):
    """A curve simulated from the truth at the scan rate, paired with settings that differ from
    the truth by the start values only."""
    exact = dict(SWEEP, **TRUTH, scan_rate=scan_rate, **truth)
    curve = vorex.simulate(**exact)
    return curve.E, curve.I, dict(exact, **start)


def test_one_curve_unweighted_is_the_fit_of_that_curve_bit_for_bit():
    # A set of one curve has weight 1 and the same parameters in the same order: the joint
    # problem is the single fit's problem, so every number must be vorex.fit's own.
    E, I, settings = measured(0.1, dict(E0_1=0.19, ks_1=1.3e-3))
    fit = {"E0_1": BOUNDS["E0_1"], "ks_1": BOUNDS["ks_1"]}
    alone = vorex.fit(E, I, fit=fit, **settings)
    joint = vorex.fit_global([(E, I, settings)], fit=fit, weighting="none")
    assert joint.values == alone.values and joint.initial == alone.initial
    assert joint.sum_of_squares == alone.sum_of_squares
    assert np.array_equal(joint.iteration_sum_of_squares, alone.iteration_sum_of_squares)
    assert joint.iterations == alone.iterations
    assert np.array_equal(joint.curves[0].I_fit, alone.I_fit)
    assert np.array_equal(joint.curves[0].residual, alone.residual)
    assert joint.curves[0].sum_of_squares == alone.sum_of_squares
    assert joint.statistics.names == alone.statistics.names == ["ks_1", "E0_1"]
    assert np.array_equal(joint.statistics.covariance, alone.statistics.covariance)
    assert joint.curves[0].parameters == alone.parameters


def test_one_curve_with_its_background_fits_as_vorex_fit():
    # The same with a sloping background fitted with the rest. vorex.fit adds the polynomial to
    # its curve again in powers of E, where the model added it about the window's centre, so
    # their I_fit agree to rounding only; the fit itself must be the same to the bit.
    E, I, settings = measured(0.1, dict(E0_1=0.19))
    I = I + 2e-6 + 5e-6 * E
    settings["background"] = "linear"
    fit = {"E0_1": BOUNDS["E0_1"]}
    alone = vorex.fit(E, I, fit=fit, **settings)
    joint = vorex.fit_global([(E, I, settings)], fit=fit, weighting="none")
    assert joint.values == alone.values and joint.sum_of_squares == alone.sum_of_squares
    assert np.allclose(joint.curves[0].I_fit, alone.I_fit, rtol=0, atol=1e-15)
    # At the truth's E0 the simulation leaves exactly the line that was added; the fit stops
    # within its relative tolerance of that point, and the line takes up what is left.
    assert joint.values["E0_1"] == pytest.approx(0.217, abs=1e-6)
    assert joint.curves[0].background == pytest.approx((2e-6, 5e-6), rel=1e-4)


def test_four_scan_rates_give_back_the_values_they_were_simulated_with():
    # Simulated from TRUTH at four scan rates: the truth is the exact minimum of the joint sum of
    # squares, and the fit starts 15 to 30 % away from it in every parameter.
    start = dict(E0_1=0.217 * 0.85, ks_1=1.3e-3, alpha_1=0.48 * 1.2, D_A=7.6e-6 * 0.8)
    curves = [measured(v, start) for v in (0.05, 0.1, 0.2, 0.5)]
    result = vorex.fit_global(curves, fit=BOUNDS)
    assert result.initial == start
    assert result.values["E0_1"] == pytest.approx(0.217, abs=1e-5)
    assert result.values["ks_1"] == pytest.approx(1e-3, rel=1e-4)
    assert result.values["alpha_1"] == pytest.approx(0.48, abs=1e-5)
    assert result.values["D_A"] == pytest.approx(7.6e-6, rel=1e-4)
    assert result.convergence_flag < 0 and result.weighting == "noise"
    assert len(result.curves) == 4
    for (E, I, settings), own in zip(curves, result.curves):
        assert np.array_equal(own.E, E) and np.array_equal(own.I, I)
        assert np.array_equal(own.residual, I - own.I_fit)
        assert own.sum_of_squares == pytest.approx(float(np.sum(own.residual ** 2)), rel=1e-12)
        assert own.parameters["scan_rate"] == settings["scan_rate"]
        assert own.parameters["E0_1"] == result.values["E0_1"]
        assert np.allclose(own.I_fit, I, rtol=0, atol=1e-4 * np.abs(I).max())
    # The joint sum is the curves' own sums, each times its weight squared.
    joint = sum(own.weight ** 2 * own.sum_of_squares for own in result.curves)
    assert result.sum_of_squares == pytest.approx(joint, rel=1e-9)
    assert result.report[0].startswith("Global fit of 4 curves, 3208 points")  # 4 x 802
    assert pickle.loads(pickle.dumps(result)).values == result.values


def test_a_concentration_of_each_curve_is_fitted_per_curve():
    # Three solutions of different concentration at three scan rates, E0 shared. At E_start,
    # 383 mV positive of E0, equilibrium leaves a B/A ratio of exp(-F 0.383 / RT) ~ 3e-7, so the
    # initial concentration (read to four digits) is the one set: the fit must find each.
    truths = ((0.05, 0.5e-3), (0.2, 1e-3), (0.5, 2e-3))
    curves = [measured(v, dict(C_A=1.25 * c, E0_1=0.19), C_A=c) for v, c in truths]
    result = vorex.fit_global(curves, fit={"C_A": (1e-5, 0.1), "E0_1": (-0.2, 0.6)},
                              per_curve=["C_A"])
    assert result.initial == {"C_A": [6.25e-4, 1.25e-3, 2.5e-3], "E0_1": 0.19}
    assert result.values["C_A"] == pytest.approx([0.5e-3, 1e-3, 2e-3], rel=1e-5)
    assert result.values["E0_1"] == pytest.approx(0.217, abs=1e-5)
    # The joint vector holds C_A once per curve, in the order of the curves.
    assert result.statistics.names == ["C_A[1]", "C_A[2]", "C_A[3]", "E0_1"]
    assert result.statistics.n == 4 and result.statistics.m == 3 * 802
    for own, c in zip(result.curves, result.values["C_A"]):
        assert own.parameters["C_init_A"] == c
    assert any("C(A) curve 3" in line for line in result.report)


def test_the_threads_do_not_change_the_fit():
    # Each curve is simulated in a workspace of its own, whichever thread runs it.
    start = dict(E0_1=0.19, ks_1=2e-3)
    curves = [measured(v, start) for v in (0.1, 0.5)]
    fit = {"E0_1": BOUNDS["E0_1"], "ks_1": BOUNDS["ks_1"]}
    one = vorex.fit_global(curves, fit=fit, threads=1)
    two = vorex.fit_global(curves, fit=fit, threads=2)
    assert (one.threads, two.threads) == (1, 2)
    assert one.values == two.values and one.sum_of_squares == two.sum_of_squares
    for a, b in zip(one.curves, two.curves):
        assert np.array_equal(a.I_fit, b.I_fit)


def noise_estimate(I):
    """The median of the absolute second differences over that of independent noise of unit
    deviation: a second difference has deviation sqrt 6, and the median of |N(0, 1)| is the
    normal quantile at 0.75."""
    return np.median(np.abs(np.diff(I, 2))) / (statistics.NormalDist().inv_cdf(0.75) * math.sqrt(6))


def test_the_weights_of_the_curves():
    E1, I1, s1 = measured(0.1, dict(E0_1=0.2))
    E2, I2, s2 = measured(0.5, dict(E0_1=0.2))
    fit = {"E0_1": BOUNDS["E0_1"]}
    # max: each curve divided by its largest |I|, relative to the first.
    by_max = vorex.fit_global([(E1, I1, s1), (E2, I2, s2)], fit=fit, weighting="max")
    assert by_max.curves[0].weight == 1
    assert by_max.curves[1].weight == pytest.approx(np.abs(I1).max() / np.abs(I2).max(),
                                                    rel=1e-15)
    assert any("max (each curve divided by its largest current)" in line
               for line in by_max.report)
    # noise: Gaussian noise of known deviation added to each curve; the curve's own bending
    # between three points 2 mV apart is about 1e-8 A, far below either deviation.
    generator = np.random.default_rng(20240611)
    sigma1, sigma2 = 2e-7, 1e-6
    N1 = I1 + generator.normal(0.0, sigma1, I1.size)
    N2 = I2 + generator.normal(0.0, sigma2, I2.size)
    by_noise = vorex.fit_global([(E1, N1, s1), (E2, N2, s2)], fit=fit, weighting="noise")
    first, second = by_noise.curves
    # The median of 800 second differences is within about 5 % (one standard error) of sigma.
    assert first.noise == pytest.approx(sigma1, rel=0.1)
    assert second.noise == pytest.approx(sigma2, rel=0.1)
    assert first.noise == pytest.approx(noise_estimate(N1), rel=1e-12)
    assert second.noise == pytest.approx(noise_estimate(N2), rel=1e-12)
    assert first.weight == 1
    assert second.weight == pytest.approx(noise_estimate(N1) / noise_estimate(N2), rel=1e-12)
    assert by_noise.values["E0_1"] == pytest.approx(0.217, abs=2e-3)
    # none: every point alike.
    by_none = vorex.fit_global([(E1, I1, s1), (E2, I2, s2)], fit=fit, weighting="none")
    assert [own.weight for own in by_none.curves] == [1, 1]


def test_bad_sets_are_refused_with_a_message_and_nothing_else_happens():
    E, I, settings = measured(0.1, dict(E0_1=0.2))
    good = (E, I, settings)
    fit = {"E0_1": BOUNDS["E0_1"]}
    with pytest.raises(ValueError, match="curve 2 is simulated by another mechanism"):
        vorex.fit_global([good, (E, I, dict(settings, mechanism=2))], fit=fit)
    with pytest.raises(ValueError, match='weighting must be "none", "max" or "noise"'):
        vorex.fit_global([good], fit=fit, weighting="median")
    with pytest.raises(ValueError, match="per_curve names C_A, which is not fitted"):
        vorex.fit_global([good, good], fit=fit, per_curve=["C_A"])
    with pytest.raises(ValueError, match='"n_1" cannot be fitted'):
        vorex.fit_global([good, good], fit=fit, per_curve=["n_1"])
    with pytest.raises(ValueError, match="no curve"):
        vorex.fit_global([], fit=fit)
    with pytest.raises(ValueError, match=r"curve 2: I\[3\] is not finite"):
        vorex.fit_global([good, (E, np.where(np.arange(E.size) == 3, np.nan, I), settings)],
                         fit=fit)
    with pytest.raises(ValueError, match=r"curve 1: each curve must be a tuple \(E, I, settings\)"):
        vorex.fit_global([(E, I)], fit=fit)
    with pytest.raises(ValueError, match="curve 2: E and I must have the same length"):
        vorex.fit_global([good, (E, I[:-1], settings)], fit=fit)
    with pytest.raises(ValueError, match="at most 16 curves, not 17"):
        vorex.fit_global([good] * 17, fit=fit)
    with pytest.raises(ValueError, match="threads must be at least 1"):
        vorex.fit_global([good], fit=fit, threads=0)
    with pytest.raises(TypeError, match="curve 2: settings must be a vorex.Settings or a dict"):
        vorex.fit_global([good, (E, I, "cv")], fit=fit)
    # The fit's names and bounds are refused in vorex.fit's words.
    for wrong in ({"ks_1": (1.0, 1e-5)}, {"n_1": (1, 2)}, {"ks_2": (1e-5, 1.0)}, {}):
        with pytest.raises(ValueError) as alone:
            vorex.fit(E, I, fit=wrong, **settings)
        with pytest.raises(ValueError) as joint:
            vorex.fit_global([good, good], fit=wrong)
        assert str(joint.value) == str(alone.value)
    # The settings given are untouched, and a good set still fits.
    assert settings == dict(SWEEP, **dict(TRUTH, E0_1=0.2), scan_rate=0.1)
    result = vorex.fit_global([good, (E, I, vorex.Settings(**settings))], fit=fit)
    assert result.values["E0_1"] == pytest.approx(0.217, abs=1e-5)


def global_cases():
    """Two joint fits (E0 of curves at two scan rates, then E0 and ks) and one that cannot run."""
    curves = [measured(v, dict(E0_1=0.2)) for v in (0.1, 0.5)]
    return [
        dict(curves=curves, fit={"E0_1": BOUNDS["E0_1"]}, threads=1),
        dict(curves=curves, fit={"E0_1": BOUNDS["E0_1"], "ks_1": BOUNDS["ks_1"]}, threads=1),
        dict(curves=curves, fit={"E0_1": BOUNDS["E0_1"]}, weighting="median"),
    ]


def check_against_one_by_one(cases, results):
    assert len(results) == 3
    for case, result in zip(cases[:2], results):
        alone = vorex.fit_global(**case)
        assert isinstance(result, vorex.GlobalFitResult)
        assert result.values == alone.values and result.sum_of_squares == alone.sum_of_squares
        assert all(np.array_equal(a.I_fit, b.I_fit) for a, b in zip(result.curves, alone.curves))
    assert not results[2] and results[2].error == "ValueError"
    assert "weighting" in results[2].message


def test_a_sweep_of_global_fits_on_threads():
    cases = global_cases()
    results = vorex.sweep(cases, threads=2)
    check_against_one_by_one(cases, results)
    again = pickle.loads(pickle.dumps(results))
    assert again[0].values == results[0].values
    assert np.array_equal(again[1].curves[1].I_fit, results[1].curves[1].I_fit)
    assert again[1].statistics.names == ["ks_1", "E0_1"]
    assert not again[2] and (again[2].message, again[2].error) == (results[2].message, "ValueError")


@pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")
def test_a_dask_cluster_runs_global_fits():
    distributed = pytest.importorskip("dask.distributed")
    cases = global_cases()
    with distributed.LocalCluster(n_workers=1, threads_per_worker=2, processes=False,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster) as client:
            results = vorex.sweep(cases, client=client)
    check_against_one_by_one(cases, results)
