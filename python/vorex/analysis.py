"""Analysis of curves as the Analysis menu does it, and reading measured curves."""

from __future__ import annotations

import os

import numpy as np

from . import _vorex
from .results import HalfWave, MeasuredCycle, Measurement, PeakSearch


def find_peaks(E, I, scan="single", linear_sweep=True, points_per_sweep=None, y_range=None):
    """The peaks of a curve by the nine-point shape test on magnitudes (Find Peak).

    Points 3 to n-2 are searched, as the menu searches a record of n points.

    Parameters
    ----------
    E, I : array_like
        Potentials [V] and ordinates, 1-D, of one length (1 to 4000 points), finite.
    scan : {"single", "cycle", "2 cycles"}
        How the record was swept: a single sweep has no switching point.
    linear_sweep : bool
        The record is a linear sweep; with scan "cycle" and exactly two peaks the cyclic ratio
        and separation are given.
    points_per_sweep : int, optional
        The switching point; by default n, n/2 or n/4 for the three scans.
    y_range : (float, float), optional
        The plotted range (ymin, ymax), of which a peak must exceed 2 %; by default the range of
        I together with 0, as a simulation's plot has it.

    Returns
    -------
    PeakSearch

    Raises
    ------
    ValueError
        An array that is not 1-D, finite, of 1 to 4000 points, or of the other's length (the
        message names it); a scan or points_per_sweep out of range.
    vorex.SimulationError
        An arithmetic fault in the sums.
    """
    return PeakSearch(*_vorex.find_peaks(E, I, scan, bool(linear_sweep), points_per_sweep,
                                         None if y_range is None else tuple(y_range)))


def half_wave(E, I):
    """The wave height and half-wave potential of a curve (Find Halfwave E).

    Parameters
    ----------
    E, I : array_like
        Potentials [V] and ordinates, checked as for :func:`find_peaks`.

    Returns
    -------
    HalfWave
    """
    return HalfWave(*_vorex.half_wave(E, I))


def semi_integrate(E, I, scan_rate):
    """The semi-integral of I along time (Semi-integrate).

    Parameters
    ----------
    E, I : array_like
        Potentials [V] and current [A] of a record swept at ``scan_rate``.
    scan_rate : float
        The scan rate [V/s]: the points are |E[1] - E[0]| / scan_rate apart in time.

    Returns
    -------
    numpy.ndarray
        The semi-integral [A s^1/2].

    Raises
    ------
    ValueError
        Bad arrays, a scan rate that is not positive, or equal potentials at points 1 and 2.
    vorex.SimulationError
        Overflow of the result.
    """
    return _vorex.semi_integrate(E, I, float(scan_rate))


def semi_differentiate(E, I, scan_rate):
    """The semi-derivative of I along time (Semi-differentiate).

    Parameters and exceptions as for :func:`semi_integrate`; the result is in A s^-1/2.
    """
    return _vorex.semi_differentiate(E, I, float(scan_rate))


def read_measurement(path):
    """Read everything a data file holds, as Import Data reads it.

    The format is recognised by the file's content: CH Instruments text export, BioLogic EC-Lab
    .mpt, Gamry .DTA, Metrohm Autolab NOVA ASCII export, PalmSens .pssession and PSTrace .csv,
    Ivium text export, or plain potential/current pairs of numbers (separated by commas,
    semicolons, blanks, tabs or line ends; decimal commas in tab- or semicolon-separated lines).
    Latin-1 and UTF-16 files are transcoded, decimal commas detected per file, currents
    converted to A and to Vorex's sign (reduction positive) from what the file says.

    Parameters
    ----------
    path : str or os.PathLike

    Returns
    -------
    Measurement
        The format, the technique as the file names it, every cycle (number as the file
        counts it, E [V], I [A], the applied potential when the file also has it), the
        settings the file states (E_start, E_end, E_step [V], scan_rate [V/s], E_pulse [V],
        t_pulse [s], frequency [Hz], area [cm²], Ru [ohm]; None where it does not) and the
        reader's notes (a run aborted, points missing, the sign it converted).

    Raises
    ------
    OSError
        The file cannot be read (missing, not a regular file, too large).
    ValueError
        The content is not a curve; the message is the program's ("ReadData Error: ...",
        naming the format and line).
    """
    d = _vorex.read_measurement(os.fspath(path))
    cycles = [MeasuredCycle(number, E, I, applied) for number, E, I, applied in d["cycles"]]
    return Measurement(d["format"], d["technique"], cycles, d["settings"], d["notes"])


def read_curve(path, cycle=None, invert_current=False, abscissa="measured"):
    """Read a measured curve from a data file, as Import Data reads it (see read_measurement).

    Parameters
    ----------
    path : str or os.PathLike
    cycle : int, optional
        The cycle to read, numbered as the file counts them; by default all cycles one after
        the other (a file of pairs is one cycle, numbered 1).
    invert_current : bool
        Take the file's current sign the other way round.
    abscissa : {"measured", "applied"}
        The applied (control) potential instead of the measured one, where the file has both.

    Returns
    -------
    (numpy.ndarray, numpy.ndarray)
        E [V] and I [A for instrument files; as written for pairs].

    Raises
    ------
    OSError, ValueError
        As read_measurement; ValueError also for a cycle the file does not have or an
        abscissa other than "measured" or "applied".
    """
    if abscissa not in ("measured", "applied"):
        raise ValueError(f'abscissa must be "measured" or "applied", not {abscissa!r}')
    m = read_measurement(path)
    chosen = m.cycles if cycle is None else [c for c in m.cycles if c.number == cycle]
    if not chosen:
        numbers = ", ".join(str(c.number) for c in m.cycles)
        raise ValueError(f"the file has no cycle {cycle}; its cycles are {numbers}")
    E = np.concatenate([c.applied if abscissa == "applied" and c.applied is not None else c.E
                        for c in chosen])
    I = np.concatenate([c.I for c in chosen])
    return E, (-I if invert_current else I)
