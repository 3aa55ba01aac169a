"""Cut and Subtract Background on arrays, against records whose cycles and backgrounds are known."""

import math

import numpy as np
import pytest

import vorex


def two_cycles():
    """0 -> 0.2 -> 0 -> 0.2 -> 0 V in 20 mV steps: 41 points, vertices at points 10, 20 and 30
    (from 0), the current 1e-6 + 2e-6 E A."""
    E = 0.02 * np.r_[0:11, 9:-1:-1, 1:11, 9:-1:-1]
    return E, 1e-6 + 2e-6 * E


def test_cycles_and_segments_of_a_two_cycle_record():
    E, _ = two_cycles()
    assert len(E) == 41
    # The record starts at an extreme, so each cycle ends at its second vertex.
    assert vorex.cycles(E) == [range(0, 21), range(20, 41)]
    assert vorex.segments(E) == [range(0, 11), range(10, 21), range(20, 31), range(30, 41)]
    assert vorex.segments(E[:11]) == [range(0, 11)]


def test_cut_keeps_exactly_the_points_chosen():
    E, I = two_cycles()
    e, i = vorex.cut(E, I, cycle=2)
    assert e.tolist() == E[20:41].tolist() and i.tolist() == I[20:41].tolist()
    assert vorex.cut(E, I, segments=(2, 3))[0].tolist() == E[10:31].tolist()
    assert vorex.cut(E, I, segment=4)[1].tolist() == I[30:41].tolist()
    # On the way down (points 10..20) 0.1 down to 0.06 V lie in the window: points 15..17.
    e, _ = vorex.cut(E, I, segment=2)
    assert vorex.cut(e, e, window=(0.05, 0.1))[0].tolist() == E[15:18].tolist()


def test_cut_refusals_are_value_errors_with_the_programs_message():
    E, I = two_cycles()
    with pytest.raises(ValueError, match="cuts the curve into separate pieces"):
        vorex.cut(E, I, window=(0.05, 0.1))
    with pytest.raises(ValueError, match="The curve has 2 cycles; there is no cycle 3."):
        vorex.cut(E, I, cycle=3)
    with pytest.raises(ValueError, match="Segment 3 comes after segment 2"):
        vorex.cut(E, I, segments=(3, 2))
    with pytest.raises(ValueError, match="exactly one of"):
        vorex.cut(E, I, cycle=1, segment=1)
    with pytest.raises(ValueError, match="E and I must have the same length"):
        vorex.cut(E, I[:-1], cycle=1)


def peak_on_background(a, b, c, h, sigma):
    """A Gaussian of height h and width sigma at 0.3 V on a + b E + c E^2, -0.1 to 0.7 V in
    2 mV steps."""
    E = -0.1 + 0.002 * np.arange(401)
    return E, a + b * E + c * E**2 + h * np.exp(-(((E - 0.3) / sigma) ** 2) / 2)


def test_a_line_under_a_peak_is_recovered_to_within_its_tails():
    # The ranges hold the points 0.15 V or more from the peak, symmetric about it, where the
    # peak adds at most G = h exp(-(0.15 / 0.025)^2 / 2). The intercept about the points' mean
    # (0.3 V) moves by the tails' mean, at most G; the slope by sum(u g) / sum(u^2) <= G / 0.15
    # with every |u| >= 0.15 V; the intercept at 0 V by at most G + 0.3 G / 0.15.
    E, I = peak_on_background(2e-6, 5e-6, 0, 1e-5, 0.025)
    G = 1e-5 * math.exp(-18)
    corrected, (a, b) = vorex.subtract_background(E, I, ranges=[(-0.101, 0.151), (0.449, 0.701)])
    assert abs(a - 2e-6) <= G + 0.3 * G / 0.149
    assert abs(b - 5e-6) <= G / 0.149
    assert corrected[200] == pytest.approx(1e-5, abs=G)  # the peak's top, at 0.3 V


def test_a_parabola_where_the_peak_has_no_tail():
    # 0.2 V from a peak 0.02 V wide its tail is below 1e-5 e^-50 A: the coefficients are those
    # added, to rounding.
    E, I = peak_on_background(1e-6, -2e-6, 3e-6, 1e-5, 0.02)
    _, coefficients = vorex.subtract_background(E, I, ranges=[(-0.101, 0.101), (0.499, 0.701)],
                                                degree=2)
    assert coefficients == pytest.approx([1e-6, -2e-6, 3e-6], rel=1e-10, abs=0)


def test_one_segments_points_and_refusals():
    # A charging current of +C on the way up (segment 1, 0 -> 0.2 V) and -C on the way down;
    # 0.04 to 0.2 V of segment 1 see +C only.
    E, I = two_cycles()
    C = 3e-7
    I = I + np.where(np.arange(41) <= 10, C, -C)
    _, (a, b) = vorex.subtract_background(E[:21], I[:21], ranges=[(0.039, 0.201)], segment=1)
    assert a == pytest.approx(1e-6 + C, rel=1e-12) and b == pytest.approx(2e-6, rel=1e-12)
    with pytest.raises(ValueError, match="hold 1 point of segment 1; a background of degree 1 needs"):
        vorex.subtract_background(E, I, ranges=[(0.19, 0.21)], segment=1)
    with pytest.raises(ValueError, match="lie at only 1 potential"):
        vorex.subtract_background(E, I, ranges=[(0.19, 0.21)])
    with pytest.raises(ValueError, match="give its lower potential first"):
        vorex.subtract_background(E, I, ranges=[(0.2, 0.1)])
    with pytest.raises(ValueError, match="degree must be 0, 1 or 2, not 3"):
        vorex.subtract_background(E, I, ranges=[(0, 0.2)], degree=3)


def test_the_same_as_the_command_interface(run_cli, tmp_path):
    E, I = two_cycles()
    I = I + 1e-5 * np.exp(-(((E - 0.1) / 0.01) ** 2))
    np.savetxt(tmp_path / "cv.csv", np.column_stack([E, I]), delimiter=",", fmt="%.17g")
    run_cli("mnuImport cv.csv\ncut cycle 2\n"
            "background subtract degree 1 ranges 0 0.04 0.16 0.2\nmnuExport out.csv\n")
    exported = np.array([[float(v) for v in line.split(",")]
                         for line in (tmp_path / "out.csv").read_text().splitlines()])
    e, i = vorex.cut(E, I, cycle=2)
    corrected, _ = vorex.subtract_background(e, i, ranges=[(0, 0.04), (0.16, 0.2)])
    assert exported[:, 0].tolist() == pytest.approx(e.tolist(), abs=1e-15)
    # Export writes 15 significant digits.
    assert exported[:, 1] == pytest.approx(corrected, rel=1e-14, abs=1e-25)
