"""The digital sweep's steps_per_point keyword: its default, its effect and its refusals."""

import math

import numpy as np
import pytest

import vorex

# Nicholson & Shain 1964: Ep = E0 - 1.109 RT/F for the design defaults (E0 0.1 V, 25 degrees C).
RT_F = 8.314462618 * 298.15 / 96485.33212
EP = 0.1 - 1.109 * RT_F


def quartic_peak(E, I):
    """The maximum of the quartic through the largest current and two points either side."""
    m = int(np.argmax(I))
    y = I[m - 2:m + 3]
    a1 = (y[0] - 8 * y[1] + 8 * y[3] - y[4]) / 12
    a2 = (-y[0] + 16 * y[1] - 30 * y[2] + 16 * y[3] - y[4]) / 24
    a3 = (-y[0] + 2 * y[1] - 2 * y[3] + y[4]) / 12
    a4 = (y[0] - 4 * y[1] + 6 * y[2] - 4 * y[3] + y[4]) / 24
    x = -a1 / (2 * a2)
    for _ in range(30):
        x -= (a1 + 2 * a2 * x + 3 * a3 * x * x + 4 * a4 * x ** 3) / (
            2 * a2 + 6 * a3 * x + 12 * a4 * x * x)
    return E[m] + x * (E[m + 1] - E[m])


def test_one_step_is_the_default_and_more_steps_reach_the_published_peak():
    plain = vorex.simulate(E_step=0.01, pre_equilibration=False)
    one = vorex.simulate(E_step=0.01, pre_equilibration=False, steps_per_point=1)
    assert np.array_equal(plain.I, one.I)
    # One step per point lags about a quarter E step (2.5 mV); eight sub-steps within 0.1 mV.
    assert quartic_peak(plain.E, plain.I) - EP == pytest.approx(-0.0025, abs=5e-4)
    accurate = vorex.simulate(E_step=0.01, pre_equilibration=False, steps_per_point=8)
    assert abs(quartic_peak(accurate.E, accurate.I) - EP) < 1e-4
    assert math.isfinite(accurate.I.sum())


def test_settings_carry_the_keyword_and_replace_changes_it():
    s = vorex.Settings(steps_per_point=4)
    assert vorex.simulate(s).I.tolist() == vorex.simulate(steps_per_point=4).I.tolist()
    assert vorex.simulate(s.replace(steps_per_point=1)).I.tolist() == vorex.simulate().I.tolist()


@pytest.mark.parametrize("value", [0, -3, 2.5, 101, 10**9])
def test_values_that_are_not_a_whole_number_from_1_to_100_are_refused(value):
    with pytest.raises(ValueError, match=r"steps per point: .* must be a whole number from 1 to 100"):
        vorex.simulate(steps_per_point=value)


def test_the_keyword_belongs_to_the_digital_linear_sweep():
    with pytest.raises(ValueError, match="enables it for the linear sweep"):
        vorex.simulate(technique="dp", steps_per_point=4)
    with pytest.raises(ValueError, match=r"\(digital=True\) only"):
        vorex.simulate(digital=False, steps_per_point=4)
    with pytest.raises(TypeError):
        vorex.simulate(steps_per_point="four")
