"""The analysis functions on curves whose answers are known in closed form."""

import math

import numpy as np
import pytest

import vorex


def test_triangle_peak():
    # 21 points from 0.1 V down in 10 mV steps, a triangle of 1e-5 A at 0 V.
    E = np.round(0.1 - 0.01 * np.arange(21), 10)
    I = 1e-5 * (1 - np.abs(E) / 0.1)
    peaks = vorex.find_peaks(E, I)
    assert peaks.potentials.tolist() == [E[10]]
    assert peaks.currents.tolist() == [I[10]]
    assert peaks.ratio is None and peaks.separation is None
    # Points 3..19 summed (1e-4 less the 1e-6 of points 2 and 20), times the 10 mV step.
    assert peaks.area == pytest.approx(9.8e-7, rel=1e-12)


def test_half_wave_of_a_nernstian_wave():
    # I = 1 / (1 + exp((E - 0.1) / 0.0257)) from 0.3 V down to -0.1 V in 1 mV steps: the
    # first point within 5 % of half the height above the foot is 0.102 V (hand calculation).
    E = 0.3 - 0.001 * np.arange(401)
    I = 1 / (1 + np.exp((E - 0.1) / 0.0257))
    wave = vorex.half_wave(E, I)
    assert wave.E_half == pytest.approx(0.102, abs=1e-12)
    assert wave.height == pytest.approx(I.max() - I.min(), rel=1e-12)


def test_semi_derivative_of_a_linear_record_is_exact():
    # d^1/2 t / dt^1/2 = 2 sqrt(t / pi) for a record that starts at 0 and rises linearly in
    # time; 1 mV steps at 0.1 V/s are 10 ms apart.
    E = 0.3 - 0.001 * np.arange(100)
    t = 0.01 * np.arange(100)
    S = vorex.semi_differentiate(E, t, 0.1)
    assert np.allclose(S[2:-1], 2 * np.sqrt(t[2:-1] / math.pi), rtol=1e-8, atol=0)
    with pytest.raises(ValueError, match="positive scan rate"):
        vorex.semi_integrate(E, t, 0)


def test_theoretical_peak_of_a_reversible_sweep():
    # Randles-Sevcik: Ip = 0.4463 n F A C sqrt(n F v D / R T), Ep = E0 - 1.109 RT/nF, with
    # C = 1e-6 mol/cm3 (E start far enough for A to be all oxidised), A = 1 cm2, v = 0.01 V/s,
    # D = 1e-5 cm2/s, T = 298.14 K.
    f = 96484.6 / (8.31441 * 298.14)
    (peak,) = vorex.theoretical_peaks(technique="lsv", E_start=0.5)
    assert peak["Irev"] == pytest.approx(0.4463 * 96484.6 * 1e-6 * math.sqrt(f * 0.01 * 1e-5),
                                         rel=1e-3)
    assert peak["Erev"] == pytest.approx(0.1 - 1.109 / f, abs=1e-4)


def test_read_curve_and_array_checks(tmp_path):
    path = tmp_path / "curve.csv"
    path.write_text("0.1,1e-6\n0.09;2e-6\n")
    E, I = vorex.read_curve(path)
    assert E.tolist() == [0.1, 0.09] and I.tolist() == [1e-6, 2e-6]
    with pytest.raises(OSError, match="ReadData Error"):
        vorex.read_curve(tmp_path / "missing.csv")
    with pytest.raises(ValueError, match="E and I must have the same length"):
        vorex.half_wave([0.1, 0.2], [1.0])
    with pytest.raises(ValueError, match="I must be 1-D"):
        vorex.half_wave([0.1, 0.2], [[1.0, 2.0]])
    with pytest.raises(ValueError, match="E must have 1 to 4000 points; got 0"):
        vorex.half_wave([], [])
