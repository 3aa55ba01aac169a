"""vorex.sweep: cases in order, a failed case carrying its message, the same results on local
threads and on a Dask cluster of two worker processes."""

import pickle

import numpy as np
import pytest

import vorex

# Three rate constants across the reversible-to-irreversible range, and two cases that cannot
# run: an unknown keyword, and a programme of 6001 points (0.6 V in 0.1 mV steps) where the
# store holds at most 4000.
CASES = [
    dict(technique="cv", ks=1e-1),
    dict(technique="cv", ks=1e-3),
    dict(technique="cv", kss=1.0),
    dict(technique="lsv", E_step=1e-4),
    dict(technique="cv", ks=1e-5),
]
# Debian 12's Dask starts its workers through a tornado call that newer tornado deprecates.
pytestmark = pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")

TOO_MANY_POINTS = ("Analytical simulation Error: Subscript out of range! "
                   "Please try again by other initial values.")


def check_against_one_by_one(results):
    assert len(results) == len(CASES)
    for case, result in zip(CASES, results):
        if "kss" in case:
            assert not result and result.error == "ValueError" and "kss" in result.message
            assert result.settings == case
        elif case.get("E_step") == 1e-4:
            assert not result and result.error == "SimulationError"
            assert result.message == TOO_MANY_POINTS
        else:
            alone = vorex.simulate(**case)
            assert np.array_equal(result.E, alone.E)
            assert np.array_equal(result.I, alone.I)  # bit for bit, whichever thread ran it


def test_local_threads_keep_the_order_and_the_failures():
    check_against_one_by_one(vorex.sweep(CASES, threads=2))
    check_against_one_by_one(vorex.sweep(CASES, threads=1))


def test_a_case_that_is_not_a_dict_fails_alone():
    results = vorex.sweep([dict(technique="lsv"), "lsv"], threads=2)
    assert results[0] and not results[1]
    assert "dict" in results[1].message


def test_threads_must_be_positive():
    with pytest.raises(ValueError, match="threads"):
        vorex.sweep(CASES, threads=0)


def test_a_failure_pickles():
    failure = vorex.sweep([dict(kss=1.0)], threads=1)[0]
    again = pickle.loads(pickle.dumps(failure))
    assert again == failure and not again


def test_dask_cluster_of_two_processes_gives_the_local_results():
    distributed = pytest.importorskip("dask.distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster) as client:
            results = vorex.sweep(CASES, client=client)
            workers = client.run(lambda: __import__("os").getpid())
    assert len(set(workers.values())) == 2
    check_against_one_by_one(results)
