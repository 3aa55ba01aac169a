"""Results, faults, threads and pickling of vorex.simulate."""

import pickle
from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pytest

import vorex
from conftest import assert_same_result
from test_settings import A, A2, B, C


def test_result_shapes_follow_the_mechanism_and_the_programme():
    r = vorex.simulate(technique="cv", mechanism=2)
    # 0.3 V to -0.3 V in 5 mV steps is 121 points a sweep, there and back.
    assert r.E.shape == r.I.shape == (242,)
    assert r.reaction_currents.shape == (2, 242)
    assert r.surface_concentrations.shape == (3, 242)
    # The total is the sum of the reactions' currents (no charging current, no noise).
    assert np.array_equal(r.I, r.reaction_currents[0] + r.reaction_currents[1])
    assert (r.technique, r.mechanism, r.electrode, r.digital) == ("cv", 2, "planar", True)
    assert vorex.simulate(digital=False).surface_concentrations is None


def test_fault_raises_simulation_error_with_the_programs_message():
    # 0.3 V to -30 V in 5 mV steps needs more than the 4000 points the storage holds.
    with pytest.raises(vorex.SimulationError) as fault:
        vorex.simulate(technique="lsv", E_end=-30)
    assert str(fault.value) == ("Analytical simulation Error: Subscript out of range! Please try "
                                "again by other initial values.")
    assert isinstance(fault.value, RuntimeError)


def test_two_threads_give_what_one_thread_gives():
    settings = [A, B, C, A2, {}, B, A, C] * 2
    alone = [vorex.simulate(**s) for s in settings]
    with ThreadPoolExecutor(max_workers=2) as pool:
        together = list(pool.map(lambda s: vorex.simulate(**s), settings))
    for a, b in zip(alone, together):
        assert_same_result(a, b)


def test_results_pickle():
    r = vorex.simulate(**B)
    assert_same_result(pickle.loads(pickle.dumps(r)), r)
