"""The starting state of a run: the rest at E start before the sweep, and the programme keyword."""

import numpy as np
import pytest

import vorex

F = 96484.6  # the program's Faraday constant


def test_a_rest_on_the_plateau_gives_cottrell_s_current_from_its_start():
    # A diffusion-limited reduction held at -0.3 V for 1 s, then swept further onto the plateau:
    # point k lies at t = 1 s + k dt (dt = 5 mV / 0.1 V/s), where Cottrell's current is
    # n F A C sqrt(D / (pi t)). One implicit step per point leaves a few per cent.
    base = dict(E_start=-0.3, E_end=-0.5, E_step=0.005, scan_rate=0.1, pre_equilibration=False,
                C_A=1e-3, area=1, D_A=1e-5, D_B=1e-5)
    rested = vorex.simulate(t_rest=1.0, **base)
    for k in (1, 10, 40):
        t = 1.0 + k * 0.05
        cottrell = F * 1e-6 * np.sqrt(1e-5 / (np.pi * t))
        assert rested.I[k - 1] == pytest.approx(cottrell, rel=0.04)
    # Without the rest the first point is the far larger current of a fresh step.
    assert vorex.simulate(**base).I[0] > 5 * rested.I[0]


def test_a_rest_where_nothing_reacts_changes_nothing_and_is_refused_where_it_cannot_apply():
    # Nothing reacts at 0.5 V, 0.4 V positive of E0: the rest leaves the bulk as it was. Only the
    # grid, which reaches further for the longer run, moves the curve, by far less than 1e-5.
    base = dict(E_start=0.5, E_end=-0.3, pre_equilibration=False)
    plain = vorex.simulate(**base).I
    assert np.allclose(vorex.simulate(t_rest=2.0, **base).I, plain, rtol=0,
                       atol=1e-5 * np.abs(plain).max())
    with pytest.raises(ValueError, match="tick Digital"):
        vorex.simulate(t_rest=1.0, digital=False, **base)
    with pytest.raises(ValueError, match="must not be negative"):
        vorex.simulate(t_rest=-1.0, **base)


def test_the_programme_keyword_rides_with_the_settings():
    E = np.concatenate([np.linspace(0.3, -0.2, 251), np.linspace(-0.198, 0.1, 150)])
    s = vorex.Settings(programme=E)
    assert s.scan == "measured"
    assert np.array_equal(s.programme, E)
    assert vorex.Settings().programme is None
    with pytest.raises(ValueError, match="programme has 1 potentials"):
        vorex.Settings(programme=[0.1])
    with pytest.raises(ValueError, match="has no potentials to follow"):
        vorex.simulate(scan="measured")
