"""The results of the computations, as plain dataclasses so that they pickle and compare."""

from __future__ import annotations

from dataclasses import dataclass, field
from typing import Optional

import numpy as np


@dataclass(eq=False)
class SimulationResult:
    """One simulated voltammogram.

    Attributes
    ----------
    technique, mechanism, electrode, digital
        The settings' technique ("lsv", "cv", "dc", "np", "dp", "sw"), mechanism (1..17),
        electrode name and mode.
    E : numpy.ndarray
        Potential of each point [V].
    I : numpy.ndarray
        Total current [A]: the reactions' sum with the charging current and the noise.
    reaction_currents : numpy.ndarray
        Current of each charge-transfer reaction, shape (reactions, points) [A].
    surface_concentrations : numpy.ndarray or None
        Concentration of each species at the electrode surface, shape (species, points)
        [mol/L]; None for an analytical run.
    parameters : dict
        The parameter set the run used, by keyword name in the keywords' units, with the
        initial concentrations as C_init_A.. and the equilibrium constants as Keq_1..
    warnings : list of str
        Warnings of the run, such as "Error: inverse matrix D=0" when a block of the
        implicit solver was singular at some step (the run goes on past it).
    """

    technique: str
    mechanism: int
    electrode: str
    digital: bool
    E: np.ndarray
    I: np.ndarray
    reaction_currents: np.ndarray
    surface_concentrations: Optional[np.ndarray]
    parameters: dict
    warnings: list = field(default_factory=list)


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
