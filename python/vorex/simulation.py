"""Simulation and fitting from settings: a vorex.Settings, keywords, or both."""

from __future__ import annotations

from . import _vorex
from ._settings_doc import SETTINGS
from .results import FitResult, SimulationResult

Settings = _vorex.Settings


def simulate(settings=None, **keywords):
    """Simulate one voltammogram, as Simulate does in the program.

    ``simulate(settings)`` runs the settings as they are, ``simulate(**keywords)`` the dialogs'
    defaults changed by the keywords (the same as ``simulate(Settings(**keywords))``), and
    ``simulate(settings, **keywords)`` runs ``settings.replace(**keywords)``.

    ``mechanism`` takes a built-in mechanism's number (1..17) or the text of a mechanism to
    write, such as ``mechanism="A + e = B; B = C"``: its electron transfers take n_1, E0_1,
    ks_1, alpha_1, ... in the order written, its chemical steps kf_1, kb_1, ..., its species
    D_A, C_A, ... (up to eight, A..H). A written mechanism runs in the digital simulation only;
    a text the parser refuses raises ValueError with its message.

    Noise is added when ``noise`` > 0, as the Simulate command adds it: its generator starts
    from twice the number of points, so equal settings always give equal noise (there is no
    seed to set). The interpreter lock is released while the simulation runs, so threads
    simulate in parallel; each thread keeps its own storage.
    {settings}
    Returns
    -------
    SimulationResult

    Raises
    ------
    ValueError
        An unknown keyword, a field the dialogs do not offer here, or a value they refuse.
    TypeError
        A value of the wrong kind (a name where a number belongs, say).
    vorex.SimulationError
        A run-time fault ended the run; the message is the program's, such as
        "Analytical simulation Error: Overflow! Please try again by other initial values."
    """
    return SimulationResult(*_vorex.simulate(settings, keywords))


def parameters(settings=None, **keywords):
    """The parameter set the settings give, without a run.

    Takes the settings of :func:`simulate` and returns the dict that
    ``SimulationResult.parameters`` would hold; raises ``ValueError`` and ``TypeError`` as
    :func:`simulate` does.
    """
    return _vorex.parameters(settings, keywords)


def fit(E, I, fit=None, settings=None, **keywords):
    """Fit simulated voltammograms to a measured one by Marquardt iterations (Auto Fit).

    Parameters
    ----------
    E, I : array_like
        The measured curve: potentials [V] and current [A], 1-D, of one length (1 to 4000
        points), finite. E must be the potentials of the settings' programme, point for point
        within a thousandth of E_step; otherwise ValueError says what to set.
    fit : dict, optional
        The parameters to fit with their bounds, ``{{name: (lower, upper)}}``. Fittable are
        C_A..C_D (the initial concentrations [mol/L]), ks_1..ks_3 [cm/s], alpha_1..alpha_3,
        E0_1..E0_3 [V], kf_1..kf_3, kb_1..kb_3, D_A..D_D [cm2/s] of the mechanism (bare C, ks,
        alpha, E0, kf, kb mean the first); a written mechanism adds C_E..C_H, D_E..D_H and
        the transfer and step 4 its text writes. The bounds are typed into the dialog's min and max fields and checked
        as Auto Fit checks them (reversed bounds, or bounds taking in values without meaning,
        raise ValueError with the program's message). Without it, the fit takes the settings'
        own fitted parameters and bounds (C_A_fitted, ks_1_min, ...), as Auto Fit does.
    settings : Settings, optional
        The settings, changed by the keywords as for :func:`simulate`.
    {settings}
    The start values are those the settings give. The simulations of the fit add no noise.
    The interpreter lock is released while the fit runs.

    Returns
    -------
    FitResult

    Raises
    ------
    ValueError, TypeError
        As for :func:`simulate`, and for the data, the fit names or the bounds.
    vorex.SimulationError
        A run-time fault ended the fit ("Fit Error: ...! Please try again by other initial
        values.") or one of its simulations.
    """
    return FitResult(*_vorex.fit(E, I, fit, settings, keywords))


def theoretical_peaks(settings=None, **keywords):
    """The closed-form peak or limiting values of each charge-transfer reaction (Theoretical Peak).

    Takes the settings of :func:`simulate`.

    Returns
    -------
    list of dict
        One dict per charge-transfer reaction with the keys "Erev", "Irev" (reversible peak
        or half-wave potential [V] and current [A]) and "Eirr", "Iirr" (irreversible); a value
        without a formula for the settings, or whose formula meets an arithmetic fault, is None.

    Raises
    ------
    ValueError, TypeError
        As for :func:`simulate`.
    """
    return _vorex.theoretical_peaks(settings, keywords)


for _function in (simulate, fit):
    _function.__doc__ = _function.__doc__.format(settings=SETTINGS)
del _function
theoretical_peaks.__doc__ += SETTINGS
parameters.__doc__ += SETTINGS
