"""Many simulations or fits at once: on local threads, or on a Dask cluster when one is given."""

from __future__ import annotations

import itertools
import os
import threading
from dataclasses import dataclass, field
from typing import Any, Iterable


@dataclass
class Failure:
    """A case of a sweep that did not give a result. It is false in a test, so
    `[r for r in results if r]` keeps the results.

    Attributes:
        settings: the case's keywords, as given ({"settings": ...} for a case given as a
            vorex.Settings).
        message: the program's message (or the argument error) that ended the case.
        error: the name of the exception that carried it ("SimulationError", "ValueError", ...).
    """

    settings: dict = field(default_factory=dict)
    message: str = ""
    error: str = ""

    def __bool__(self) -> bool:
        return False


def run_case(settings: Any) -> Any:
    """Runs one case of a sweep: `vorex.simulate(settings)` for a vorex.Settings; for a dict,
    `vorex.fit_global(**settings)` when it holds measured curves to fit together (a "curves"
    key), `vorex.fit(**settings)` when it names parameters to fit (a "fit" key, with "E" and
    "I"), else `vorex.simulate(**settings)` (a "settings" key then holds a vorex.Settings the
    other keywords change). A case that fails returns a `Failure` with its message instead of
    raising, so one bad case does not end a sweep."""
    import vorex  # resolved on the worker that runs the case

    try:
        if isinstance(settings, vorex.Settings):
            return vorex.simulate(settings)
        if not isinstance(settings, dict):
            raise ValueError("a case of a sweep is a vorex.Settings or a dict of keyword "
                             f"settings, not {type(settings).__name__}")
        if "curves" in settings:
            return vorex.fit_global(**settings)
        if "fit" in settings:
            return vorex.fit(**settings)
        return vorex.simulate(**settings)
    except Exception as error:  # every failure of a case becomes its result
        given = (dict(settings) if isinstance(settings, dict)
                 else {"settings": settings} if isinstance(settings, vorex.Settings) else {})
        return Failure(given, str(error), type(error).__name__)


def sweep(settings_list: Iterable[dict], client: Any = None, threads: int | None = None) -> list:
    """Runs every case of `settings_list` and returns their results in the same order.

    Each case is a vorex.Settings, or a dict of the keywords of `vorex.simulate` (or of
    `vorex.fit`, when it has a "fit" key, or of `vorex.fit_global`, when it has a "curves" key:
    {"curves": [(E, I, settings), ...], "fit": {...}, "per_curve": [...], ...}). A case that
    fails gives a `Failure` carrying its message, and the sweep goes on. A global fit simulates
    its own curves on threads too (its "threads" key; every processor without one): give it
    threads=1 in a sweep that already runs a case per processor.

    Args:
        settings_list: the cases.
        client: a `dask.distributed.Client`; the cases are then mapped over its workers, which
            must be able to import `vorex` (the same Python, `vorex` on their path). Results and
            failures come back pickled (a global fit's `GlobalFitResult` too). Without a client
            the cases run on local threads.
        threads: the number of local threads (default: the number of processors); ignored with
            a client. Simulations and fits release the GIL, so threads run them in parallel.

    Returns:
        A list with one result (or `Failure`) per case, in the order of `settings_list`.

    Raises:
        ValueError: threads is less than 1.
    """
    cases = list(settings_list)
    if client is not None:
        futures = client.map(run_case, cases, pure=False)
        return client.gather(futures)
    workers = threads if threads is not None else (os.cpu_count() or 1)
    if workers < 1:
        raise ValueError(f"threads must be at least 1, not {workers}")
    if workers == 1 or len(cases) <= 1:
        return [run_case(case) for case in cases]
    return _run_on_threads(cases, min(workers, len(cases)))


def _run_on_threads(cases: list, workers: int) -> list:
    """Each thread takes the next case until none is left. Long-lived threads pulling from one
    counter cost far less per case than a pool's futures, whose locking under the GIL ate much
    of what the released simulations gained."""
    results: list = [None] * len(cases)
    counter = itertools.count()  # next() on it is atomic under the GIL

    def work() -> None:
        for index in iter(counter.__next__, None):
            if index >= len(cases):
                return
            results[index] = run_case(cases[index])

    threads = [threading.Thread(target=work, daemon=True) for _ in range(workers)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    return results
