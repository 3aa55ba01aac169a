"""Vorex: simulated voltammograms, fits and peak analysis for electroanalytical chemistry.

Five techniques (linear sweep and cyclic, DC, normal pulse, differential pulse and square wave
voltammetry), seventeen mechanisms and eight electrode geometries, simulated digitally or in
closed form; Marquardt fits of simulations to measured curves; peak, half-wave and half-order
analysis. Settings are keywords named as an electrochemist names them, in the units of the
program's dialogs (V, s, cm, cm², cm²/s, cm/s, mol/L, A, F, ohm, °C), with the dialogs' defaults
and their rules.

Classes and functions
---------------------
Settings
    The experiment description: every field of the dialogs by keyword, a value that compares,
    replaces and reads and writes the program's settings files.
simulate, fit, theoretical_peaks, parameters
    Computations from settings.
fit_global
    Several measured curves fitted together, with parameters shared or per curve.
find_peaks, half_wave, semi_integrate, semi_differentiate, read_curve, read_measurement
    Analysis of curves and reading measured ones.
cycles, segments, cut, subtract_background
    Keeping one cycle, segment or potential window of a measured curve, and removing a
    polynomial background fitted to ranges that hold only background.
sweep, Failure
    Many simulations or fits on local threads or a Dask cluster.
Session
    A whole program state driven by the command interface's statements.
SimulationError
    Raised when a run-time fault ends a simulation, fit or analysis.
"""

from . import _vorex
from ._vorex import SimulationError
from .analysis import (find_peaks, half_wave, read_curve, read_measurement, semi_differentiate,
                       semi_integrate)
from .curve_edits import cut, cycles, segments, subtract_background
from .global_fit import fit_global
from .results import (FitResult, FitStatistics, GlobalCurveResult, GlobalFitResult, HalfWave,
                      MeasuredCycle, Measurement, PeakSearch, SimulationResult)
from .session import Session, SessionOutput
from .simulation import Settings, fit, parameters, simulate, theoretical_peaks

from .sweep import Failure, sweep

__version__ = _vorex.__version__
#: How the computation layer was built, e.g. "Release build, GNU 12.2.0".
build_info = _vorex.build_info

__all__ = [
    "Failure",
    "FitResult",
    "FitStatistics",
    "GlobalCurveResult",
    "GlobalFitResult",
    "HalfWave",
    "MeasuredCycle",
    "Measurement",
    "PeakSearch",
    "Session",
    "SessionOutput",
    "SimulationError",
    "SimulationResult",
    "Settings",
    "cut",
    "cycles",
    "find_peaks",
    "fit",
    "fit_global",
    "half_wave",
    "parameters",
    "read_curve",
    "read_measurement",
    "segments",
    "semi_differentiate",
    "semi_integrate",
    "simulate",
    "subtract_background",
    "sweep",
    "theoretical_peaks",
]
