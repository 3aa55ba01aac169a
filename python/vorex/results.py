"""The results of the computations, as plain dataclasses so that they pickle and compare."""

from __future__ import annotations

from collections.abc import Mapping
from dataclasses import dataclass, field
from typing import Optional

import numpy as np

from . import _vorex

# A simulation's parameters are read like a dict and made into one only when first read.
Mapping.register(_vorex.ParameterValues)


@dataclass(eq=False)
class SimulationResult:
    """One simulated voltammogram.

    Attributes
    ----------
    technique, mechanism, electrode, digital
        The settings' technique ("lsv", "cv", "dc", "np", "dp", "sw"), mechanism (1..17, 18
        for a written one), electrode name and mode.
    E : numpy.ndarray
        Potential of each point [V].
    I : numpy.ndarray
        Total current [A]: the reactions' sum with the charging current and the noise.
    reaction_currents : numpy.ndarray
        Current of each charge-transfer reaction, shape (reactions, points) [A].
    surface_concentrations : numpy.ndarray or None
        Concentration of each species at the electrode surface, shape (species, points)
        [mol/L]; None for an analytical run.
    parameters : Mapping
        The parameter set the run used, by keyword name in the keywords' units, with the
        initial concentrations as C_init_A.. and the equilibrium constants as Keq_1.. (read
        like a dict, equal to one, and pickled as one); a written mechanism's text as
        mechanism_text, in the form the parser reads.
    warnings : list of str
        Warnings of the run, such as "Error: inverse matrix D=0" when a block of the
        implicit solver was singular at some step (the run goes on past it).
    settings : vorex.Settings
        The settings the run was made from.
    """

    technique: str
    mechanism: int
    electrode: str
    digital: bool
    E: np.ndarray
    I: np.ndarray
    reaction_currents: np.ndarray
    surface_concentrations: Optional[np.ndarray]
    parameters: Mapping
    warnings: list = field(default_factory=list)
    settings: object = None


@dataclass(eq=False)
class FitStatistics:
    """The linearised statistics of a fit at its solution.

    With J the Jacobian of the simulated curve at the fitted values, C = (J^T J)^-1 (formed by
    an eigen-decomposition of the scaled matrix, so that directions J cannot separate are named
    instead of inverted), s^2 = SSR / (M - N): sigma_i = sqrt(s^2 C_ii), the 95 % half-width
    t(0.975, M - N) sigma_i with Student's t computed, not tabulated. A parameter on a bound or
    one the curve does not depend on ("frozen") is held fixed and has no standard error. The
    arrays follow ``names``; an entry that is not defined is NaN, and ``standing`` and
    ``not_separately_determined`` say why.

    Attributes
    ----------
    names : list of str
        The fitted parameters, as the keywords name them ("ks_1", "E0_1", "C_A", ...).
    standing : list of str
        "free", "on bound" or "frozen", per parameter.
    standard_errors, half_width_95, relative_errors_percent : numpy.ndarray
        sigma, t(0.975, M - N) sigma and 100 sigma / |value|, per parameter.
    covariance, correlation : numpy.ndarray
        s^2 C and the correlation matrix, N x N.
    not_separately_determined : list of str
        Parameters in directions J^T J cannot separate (singular or too ill-conditioned).
    m, n, dof : int
        Points, fitted parameters, and M - N.
    ssr : float
        The sum of squared residuals (the report's "Least square").
    s, reduced_chi_square, r_squared, t_quantile : float or None
        sqrt(SSR / (M - N)), s^2 (the data carry no weights), 1 - SSR / sum (I - mean I)^2, and
        t(0.975, M - N); None where not defined (no degrees of freedom, constant data).
    durbin_watson : float or None
        sum (e_i - e_i-1)^2 / sum e_i^2 over the residuals in point order: about 2 for
        independent residuals, well below 2 (under 1.5) when neighbours are correlated, and the
        standard errors then too small; None for a zero residual.
    linearised_gain : float or None
        The share of ``ssr`` one more Gauss-Newton step from the fitted values would remove by
        the linearised model: near 0 at a minimum; above 1e-3 the fit stopped short of it.
    """

    names: list
    standing: list
    standard_errors: np.ndarray
    half_width_95: np.ndarray
    relative_errors_percent: np.ndarray
    covariance: np.ndarray
    correlation: np.ndarray
    not_separately_determined: list
    m: int
    n: int
    dof: int
    ssr: float
    s: Optional[float]
    reduced_chi_square: Optional[float]
    r_squared: Optional[float]
    t_quantile: Optional[float]
    durbin_watson: Optional[float] = None
    linearised_gain: Optional[float] = None


@dataclass(eq=False)
class FitResult:
    """A completed Marquardt fit.

    Attributes
    ----------
    values : dict
        The fitted value of each fitted parameter by name ("E0_1", "ks_1", "C_A", ...), in the
        keywords' units; C_X is the initial concentration the simulation starts from [mol/L].
    initial : dict
        The start values, taken from the settings, by name.
    sum_of_squares : float
        Sum of squared residuals at the fitted values [A²].
    iteration_sum_of_squares : numpy.ndarray
        The sum of squares after each iteration, in order.
    iterations : int
        Number of iterations (at most 51).
    convergence_flag : int
        -1 when the absolute tolerance was met, -2 when the relative change became small,
        1 when the iteration limit ended the fit.
    report : list of str
        The fit report, line by line, as the program prints it.
    I_fit : numpy.ndarray
        The simulated total current at the fitted values, at the measured potentials [A].
    parameters : dict
        The parameter set at the fitted values, as SimulationResult.parameters.
    residual : numpy.ndarray
        The measured current less the fitted one, point by point [A]; its sum of squares is
        ``sum_of_squares``.
    statistics : FitStatistics or None
        Standard errors, 95 % intervals, correlations and the goodness of fit; None when the
        simulations they need failed (``statistics_unavailable`` then says why).
    statistics_unavailable : str
        Why there are no statistics, or "".
    verdict : list of str
        The report's plain sentences on the fit: R² below 0.9, correlated residuals, the
        iteration limit, a stop short of the minimum, a parameter that did not move from its
        start although the curve depends on it, a cancel, or that it converged.
    """

    values: dict
    initial: dict
    sum_of_squares: float
    iteration_sum_of_squares: np.ndarray
    iterations: int
    convergence_flag: int
    report: list
    I_fit: np.ndarray
    parameters: dict
    residual: np.ndarray = None
    statistics: Optional[FitStatistics] = None
    statistics_unavailable: str = ""
    verdict: list = field(default_factory=list)

    def __post_init__(self):
        if isinstance(self.statistics, dict):
            self.statistics = FitStatistics(**self.statistics)

    @property
    def standard_errors(self):
        """The standard error of each fitted parameter by name; None where not defined."""
        return self._by_name("standard_errors")

    @property
    def confidence_95(self):
        """The 95 % interval (low, high) of each fitted parameter by name; None where not
        defined."""
        half = self._by_name("half_width_95")
        return {name: None if h is None else (self.values[name] - h, self.values[name] + h)
                for name, h in half.items()}

    def _by_name(self, field):
        if self.statistics is None:
            return {name: None for name in self.values}
        column = getattr(self.statistics, field)
        return {name: (None if np.isnan(v) else float(v))
                for name, v in zip(self.statistics.names, column)}


def _short(value):
    """A float as a repr shows it, to 6 significant digits."""
    return "None" if value is None else f"{value:.6g}"


@dataclass(eq=False, repr=False)
class GlobalCurveResult:
    """One curve of a joint fit (see vorex.fit_global), at the joint solution.

    Attributes
    ----------
    E, I : numpy.ndarray
        The measured curve: potentials [V] and current [A].
    I_fit : numpy.ndarray
        The curve's own simulation at the fitted values, with its fitted background [A].
    residual : numpy.ndarray
        ``I - I_fit``, point by point [A].
    sum_of_squares : float
        The sum of the squared residuals of this curve alone, unweighted [A²].
    r_squared : float or None
        1 - sum_of_squares / sum (I - mean I)^2; None for a constant curve.
    weight : float
        What the curve's residuals are multiplied by in the joint sum of squares: 1 for the first
        curve; under weighting "max" max|I_1| / max|I|, under "noise" noise_1 / noise.
    noise : float
        The curve's noise estimate [A]: the median of the absolute second differences
        |I(j-1) - 2 I(j) + I(j+1)| divided by 0.6745 sqrt 6, which is the deviation of
        independent noise on a smooth curve.
    background : tuple of float or None
        The fitted background's coefficients in powers of E, (c0, c1, c2) up to the settings'
        degree [A, A/V, A/V²]; None when the curve has no background fitted.
    parameters : dict
        The curve's parameter set at the fitted values, as FitResult.parameters.
    """

    E: np.ndarray
    I: np.ndarray
    I_fit: np.ndarray
    residual: np.ndarray
    sum_of_squares: float
    r_squared: Optional[float]
    weight: float
    noise: float
    background: Optional[tuple]
    parameters: dict

    def __repr__(self):
        return (f"GlobalCurveResult(points={len(self.I)}, "
                f"sum_of_squares={_short(self.sum_of_squares)}, "
                f"r_squared={_short(self.r_squared)}, weight={_short(self.weight)}, "
                f"noise={_short(self.noise)}, background={self.background})")


@dataclass(eq=False, repr=False)
class GlobalFitResult:
    """A completed joint fit of several measured curves (see vorex.fit_global).

    Attributes
    ----------
    values : dict
        The fitted values by keyword ("E0_1", "ks_1", "C_A", ...), in the keywords' units: a
        shared parameter's a float, a per-curve one's a list with one value per curve, in the
        order of the curves.
    initial : dict
        The start values, shaped as ``values``: a shared parameter's from the first curve's
        settings, a per-curve one's from each curve's own.
    sum_of_squares : float
        The joint sum of squares, of the weighted residuals, in the unit of the first curve
        [A²].
    iteration_sum_of_squares : numpy.ndarray
        The joint sum of squares after each iteration, in order.
    iterations : int
        Number of iterations (at most 51).
    convergence_flag : int
        -1 when the absolute tolerance was met, -2 when the relative change became small,
        1 when the iteration limit ended the fit.
    statistics : FitStatistics or None
        The linearised statistics of the joint fit (from the weighted Jacobian of all curves
        together); a per-curve parameter is named once per curve, 1-based: "C_A[1]", "C_A[2]".
        None when the simulations they need failed.
    statistics_unavailable : str
        Why there are no statistics, or "".
    report : list of str
        The report of the joint fit, line by line: the set, the parameters by number, the fit's
        report and statistics, each curve's weight, sum of squares and R², its background.
    verdict : list of str
        The plain sentences on the fit, as FitResult.verdict.
    weighting : str
        "none", "max" or "noise".
    threads : int
        The threads that simulated the curves.
    curves : list of GlobalCurveResult
        Each curve's own result, in the order given.
    """

    values: dict
    initial: dict
    sum_of_squares: float
    iteration_sum_of_squares: np.ndarray
    iterations: int
    convergence_flag: int
    statistics: Optional[FitStatistics]
    statistics_unavailable: str
    report: list
    verdict: list
    weighting: str
    threads: int
    curves: list

    def __post_init__(self):
        if isinstance(self.statistics, dict):
            self.statistics = FitStatistics(**self.statistics)
        self.curves = [GlobalCurveResult(**c) if isinstance(c, dict) else c
                       for c in self.curves]

    def __repr__(self):
        def shown(v):
            return "[" + ", ".join(map(_short, v)) + "]" if isinstance(v, list) else _short(v)
        values = ", ".join(f"{name!r}: {shown(v)}" for name, v in self.values.items())
        return (f"GlobalFitResult(curves={len(self.curves)}, values={{{values}}}, "
                f"sum_of_squares={_short(self.sum_of_squares)}, iterations={self.iterations}, "
                f"convergence_flag={self.convergence_flag}, weighting={self.weighting!r}, "
                f"threads={self.threads})")


@dataclass(eq=False)
class PeakSearch:
    """The peaks of one curve, as Find Peak finds them.

    Attributes
    ----------
    potentials : numpy.ndarray
        Peak potentials in point order [V] (at most 20).
    currents : numpy.ndarray
        The signed ordinates at the peaks.
    not_listed : int
        Peaks found beyond the first 20.
    ratio : float or None
        The cyclic ratio Ipc/Ipa with the switching current's correction, for one cycle of a
        linear sweep with exactly two peaks; else None.
    separation : float or None
        Ep2 - Ep1 [V] under the same condition; else None.
    area : float
        |I| summed over a single sweep, the forward sweep less the reverse one otherwise, times
        the potential step [unit of I × V].
    """

    potentials: np.ndarray
    currents: np.ndarray
    not_listed: int
    ratio: Optional[float]
    separation: Optional[float]
    area: float


@dataclass(eq=False)
class HalfWave:
    """The wave height and half-wave potential of one curve, as Find Halfwave E finds them.

    Attributes
    ----------
    E_half : float or None
        The half-wave potential [V]: E at the first point within 0.95..1.05 of half the height;
        None when no point is that near.
    height : float
        The wave height of |I| above its smallest magnitude, in the unit of I.
    """

    E_half: Optional[float]
    height: float


@dataclass(eq=False)
class MeasuredCycle:
    """One cycle (or scan) of a measured record.

    Attributes
    ----------
    number : int
        The cycle's number as the file counts it (Gamry counts from 0, the others from 1).
    E : numpy.ndarray
        The measured potential, or the applied one when the file has no other [V].
    I : numpy.ndarray
        Current [A], reduction positive.
    applied : numpy.ndarray or None
        The applied (control) potential when the file has it besides the measured one [V].
    """

    number: int
    E: np.ndarray
    I: np.ndarray
    applied: Optional[np.ndarray] = None


@dataclass(eq=False)
class Measurement:
    """What a data file holds, as read (see vorex.read_measurement).

    Attributes
    ----------
    format : str
        "BioLogic EC-Lab .mpt", "Gamry .DTA", ..., or "pairs of numbers".
    technique : str
        As the file names it; "" when it does not.
    cycles : list of MeasuredCycle
    settings : dict
        E_start, E_end, E_step [V], scan_rate [V/s], E_pulse [V], t_pulse [s], frequency [Hz],
        area [cm²], Ru [ohm]; None where the file states nothing.
    notes : list of str
        What the reader met: a run aborted, points missing, the sign it converted.
    """

    format: str
    technique: str
    cycles: list
    settings: dict
    notes: list = field(default_factory=list)
