"""Analysis of curves as the Analysis menu does it, and reading measured curves."""

from __future__ import annotations

import os

from . import _vorex
from .results import HalfWave, PeakSearch


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


def read_curve(path):
    """Read a measured curve from a data file, as Import Data reads it.

    Numbers separated by commas, semicolons, blanks, tabs or line ends are read two at a time
    as potential/current pairs; a tab- or semicolon-separated line with decimal commas is read
    with them.

    Parameters
    ----------
    path : str or os.PathLike

    Returns
    -------
    (numpy.ndarray, numpy.ndarray)
        E [V] and I.

    Raises
    ------
    OSError
        The file cannot be read (missing, not a regular file, too large).
    ValueError
        The text is not a curve; the message is the program's ("ReadData Error: ...").
    """
    return _vorex.read_curve(os.fspath(path))
