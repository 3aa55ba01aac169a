"""Several measured curves of one system fitted together."""

from __future__ import annotations

from . import _vorex
from ._settings_doc import SETTINGS
from .results import GlobalFitResult


def fit_global(curves, fit=None, per_curve=(), weighting="noise", threads=None):
    """Fit one set of parameters to several measured curves at once (a global fit).

    Every curve is its own experiment, simulated with its own settings: its programme (a sweep
    follows its measured potentials, as :func:`fit` makes it), scan rate, concentrations, area,
    Ru, Cdl, and its own background (the settings' ``background``), fitted with the rest. The
    fitted parameters are shared by all curves, or, named in ``per_curve``, fitted for each
    curve on its own (a concentration that differs from solution to solution, say). One
    Marquardt iteration runs over the curves' residuals laid end to end, each curve weighted as
    ``weighting`` says. A set of one curve with ``weighting="none"`` is fitted exactly as
    :func:`fit` fits it.

    Parameters
    ----------
    curves : list of tuple
        ``(E, I, settings)`` per curve, 1 to 16 curves: E [V] and I [A] as :func:`fit` takes
        them, and settings a vorex.Settings or a dict of keywords (as :func:`simulate` takes
        them, listed under Settings below; a ``"settings"`` entry holds a vorex.Settings the other
        keywords change). Every curve must have the same mechanism.
    fit : dict, optional
        The parameters to fit with their bounds, ``{{name: (lower, upper)}}``, named and checked
        as :func:`fit` does. Without it, the parameters ticked in the first curve's settings,
        within their bounds there.
    per_curve : list of str, optional
        The fitted parameters that each curve has a value of its own of ("C_A", ...); each must
        be among the fitted ones. The others are shared by all curves.
    weighting : {{"noise", "max", "none"}}
        How each curve's residuals count in the joint sum of squares, relative to the first
        curve (whose weight is 1): "noise" divides each curve by its own noise estimate (what a
        point of it is worth), "max" by its largest |I| (every curve counts alike), "none"
        takes every point alike (the largest currents, the fastest scan, then rule).
    threads : int, optional
        The threads that simulate the curves of each evaluation (default: every processor, at
        most one per curve). The result does not depend on it.
    {settings}
    Start values: a shared parameter's from the first curve's settings, a per-curve one's from
    each curve's own. The simulations of the fit add no noise. The interpreter lock is released
    while the fit runs.

    Returns
    -------
    GlobalFitResult

    Raises
    ------
    ValueError, TypeError
        As for :func:`fit`, for a curve (the message names it: "curve 2: I[3] is not finite"),
        for curves of different mechanisms, an unknown weighting, a per-curve parameter that is
        not fitted, no curve or more than 16, or more fitted values in all than a fit takes
        (48; a per-curve parameter counts once per curve).
    vorex.SimulationError
        A run-time fault ended the fit or one of its simulations.
    """
    return GlobalFitResult(**_vorex.fit_global(curves, fit, per_curve, weighting, threads))


fit_global.__doc__ = fit_global.__doc__.format(settings=SETTINGS)
