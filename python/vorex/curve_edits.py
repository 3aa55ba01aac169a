"""Cutting a measured curve and subtracting a background, as X Data > Cut and Y Data > Subtract
Background do it."""

from __future__ import annotations

from . import _vorex


def cycles(E):
    """The cycles of a record, as an instrument counts them.

    A cycle runs from the start potential out to a vertex, back past the start to the other
    vertex and on to the start potential again (to its second vertex when the record starts at
    one of its extremes). Consecutive cycles share their boundary point; what is left after the
    last whole cycle is a cycle of its own. A turn counts only once the potential has come back
    from its extreme by 2.5 median steps, so a measured potential's noise does not turn a sweep.

    Parameters
    ----------
    E : array_like
        Potentials [V], 1-D, 1 to 4000 points, finite.

    Returns
    -------
    list of range
        The points of each cycle, numbered from 0: ``E[r]`` is a cycle's potentials. Cycle 1 of
        :func:`cut` is the first.
    """
    return [range(first, last + 1) for first, last in _vorex.cycles(E)]


def segments(E):
    """The monotonic segments of a record, between its ends and its vertices.

    Consecutive segments share their vertex; a record that never turns is one segment. Returns
    a list of range as :func:`cycles` does.
    """
    return [range(first, last + 1) for first, last in _vorex.segments(E)]


def cut(E, I, cycle=None, segment=None, segments=None, window=None):
    """Keep one cycle, one segment, a run of segments or a potential window of a curve.

    Give exactly one of the choices.

    Parameters
    ----------
    E, I : array_like
        Potentials [V] and ordinates, 1-D, of one length (1 to 4000 points), finite.
    cycle : int, optional
        The cycle to keep, from 1 (see :func:`cycles`).
    segment : int, optional
        The segment to keep, from 1 (see :func:`segments`).
    segments : (int, int), optional
        The first and last segment to keep, from 1.
    window : (float, float), optional
        The potentials (low, high) [V]: the points inside, which must be one run of the record.

    Returns
    -------
    (numpy.ndarray, numpy.ndarray)
        The kept E and I, copies.

    Raises
    ------
    ValueError
        Bad arrays; not exactly one choice; a cycle or segment the record does not have; a window
        that holds no point, or cuts the record into separate pieces (keep one segment first);
        a choice that keeps fewer than 2 points. The message is the program's.
    """
    given = {name: value for name, value in
             (("cycle", cycle), ("segment", segment), ("segments", segments), ("window", window))
             if value is not None}
    if len(given) != 1:
        raise ValueError("give exactly one of cycle, segment, segments and window; got "
                         + (", ".join(given) or "none"))
    if cycle is not None:
        return _vorex.cut(E, I, "cycle", int(cycle), int(cycle), 0.0, 0.0)
    if segment is not None:
        return _vorex.cut(E, I, "segments", int(segment), int(segment), 0.0, 0.0)
    if segments is not None:
        first, last = segments
        return _vorex.cut(E, I, "segments", int(first), int(last), 0.0, 0.0)
    low, high = window
    return _vorex.cut(E, I, "window", 0, 0, float(low), float(high))


def subtract_background(E, I, ranges, degree=1, segment=None):
    """Subtract a polynomial background fitted to the points in the marked ranges.

    The polynomial in E of the given degree is fitted by least squares to the points whose
    potentials lie in any of the ranges (only those of one segment when ``segment`` is given:
    a voltammogram's charging current changes sign with the sweep), then subtracted from every
    point of the curve.

    Parameters
    ----------
    E, I : array_like
        Potentials [V] and ordinates, checked as for :func:`cut`.
    ranges : sequence of (float, float)
        Potential ranges (low, high) [V], both ends included, that hold only background.
    degree : {0, 1, 2}
        A constant, a straight line or a parabola.
    segment : int, optional
        Fit only the points of this segment (from 1, see :func:`segments`).

    Returns
    -------
    (numpy.ndarray, numpy.ndarray)
        The corrected I, and the coefficients (c0, c1[, c2]) of the background
        c0 + c1 E + c2 E², lowest power first.

    Raises
    ------
    ValueError
        Bad arrays; no range, or one given high first; a degree other than 0, 1 or 2; a
        segment the record does not have; ranges holding fewer points, or fewer different
        potentials, than degree + 1; potentials too close together to fix the polynomial.
    vorex.SimulationError
        Overflow in the corrected curve.
    """
    pairs = [(float(low), float(high)) for low, high in ranges]
    return _vorex.subtract_background(E, I, pairs, int(degree),
                                      0 if segment is None else int(segment))
