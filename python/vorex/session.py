"""A whole program state driven by the command interface's statements."""

from __future__ import annotations

from . import _vorex


class SessionOutput(str):
    """What one :meth:`Session.run` printed into the result window, as a ``str``.

    Attributes
    ----------
    messages : list of str
        The message boxes the statements showed, in order (vorex-cli writes them to standard
        error as "message: " and the text).
    """

    messages: list

    def __new__(cls, text, messages):
        output = super().__new__(cls, text)
        output.messages = list(messages)
        return output

    def __reduce__(self):
        return (SessionOutput, (str(self), self.messages))


class Session:
    """A fresh program state, driven by the statements of vorex-cli scripts.

    Statements are those of the command interface: ``Form.control = text`` types into a field,
    ``click Form.control`` presses a button, a menu control name such as ``mnuSimulate`` runs
    that command (``mnuImport data.csv`` and ``mnuExport out.csv`` take a file name), ``show
    Form.control`` prints a control's state, ``save-plot file.svg`` writes the plot, ``cut cycle
    2`` and ``background subtract degree 1 ranges -0.1 0 0.6 0.69`` prepare a measured curve,
    ``help`` lists every form. They run through the program's own command table, exactly as
    vorex-cli runs them.

    Attributes
    ----------
    messages : list of str
        Every message box shown so far, in order.

    A session pickles as the statements it has run; unpickling runs them again in a fresh
    state (so statements that read or write files do so again). The interpreter lock is
    released while statements run; one session runs one call at a time.
    """

    def __init__(self):
        self._state = _vorex.Session()
        self.messages = []

    def run(self, statements):
        """Run one statement, or several, one a line; blank lines and ``#`` lines are skipped.

        Returns
        -------
        SessionOutput
            The text the result window printed (lines ending in a newline), a ``str`` whose
            ``messages`` attribute holds the message boxes these statements showed; they are
            also added to :attr:`messages`.

        Raises
        ------
        ValueError
            A statement that names no window, control or command, or is malformed: "line N: "
            and the interpreter's reason (N counts the lines of this call). The lines before it
            have run.
        vorex.SimulationError
            A run-time fault that no handler of the program caught.
        """
        text, messages = self._state.run(statements)
        output = SessionOutput(text, messages)
        self.messages.extend(output.messages)
        return output

    def undo(self):
        """Take back the newest step: a command that changed the settings or the curves (Import
        Data, Simulate, Clear, a transform, a scaling, Cut, Subtract Background) or one typed
        ``Form.control = text`` statement; the settings, curves and plot are as they were before it.

        It runs the statement ``mnuUndo``, so a pickled session replays it too. The result window
        keeps what was printed.

        Returns
        -------
        SessionOutput
            Empty text; ``messages`` holds "There is nothing to undo." when there was nothing.
        """
        return self.run("mnuUndo")

    def redo(self):
        """Make again the step :meth:`undo` took back last (the statement ``mnuRedo``); any new
        step since clears what can be redone.

        Returns
        -------
        SessionOutput
            Empty text; ``messages`` holds "There is nothing to redo." when there was nothing.
        """
        return self.run("mnuRedo")

    def curves(self):
        """The curve store as the plot shows it.

        Returns
        -------
        (numpy.ndarray, numpy.ndarray)
            E, the potential of each point [V], and the displayed curves 1..5 as rows, shape
            (curves, points); both empty before anything was simulated or imported.
        """
        return self._state.curves()

    def curve_names(self):
        """The names the plot's legend gives the displayed curves, curve 1 first (list of str).

        A simulation is named by what sets it apart from the one before ("sim ks(1) = 1e-3"), an
        import by its file ("measured run1.mpt cycle 2"), the others by what they hold ("fit",
        "residual", "semi-derivative", ...), unless renamed.
        """
        return self._state.curve_names()

    def rename_curve(self, curve, name):
        """Name curve ``curve`` (1 to the number shown) ``name`` in the legend.

        It runs the statement ``FormPlot.CurveName(curve) = name``; an empty name gives the curve
        back the name of what it holds.

        Raises
        ------
        ValueError
            No such curve on the plot, or a name the legend does not take (the message says
            which); nothing was renamed.
        """
        if "\n" in name or "\r" in name:
            raise ValueError("A curve's name is one line of text; nothing was renamed.")
        output = self.run(f"FormPlot.CurveName({int(curve)}) = {name}")
        if output.messages:
            raise ValueError(output.messages[0])

    def accept_fitted_values(self):
        """Copy the values the last Auto Fit found into the Experimental dialog's fields.

        The next ``mnuSimulate`` then runs with them. It runs the menu command ``mnuAcceptFit``.

        Raises
        ------
        ValueError
            No Auto Fit has ended with a report, or a field would not take its value; the
            fields are unchanged.
        """
        output = self.run("mnuAcceptFit")
        if output.messages:
            raise ValueError(output.messages[0])

    def settings(self):
        """The settings the session's dialogs show now, as a vorex.Settings."""
        return self._state.settings()

    def save(self, path):
        """Save the whole session as a project file (the settings, the curves with their names,
        the plot options, the curves fitted together and the result window's lines), as File >
        Save Project As... does. The file is replaced only once it is completely written.

        Raises
        ------
        OSError
            The file could not be written, or the session holds a value that is not a number;
            the file is as it was.
        """
        error = self._state.save_project(str(path))
        if error:
            raise OSError(f"cannot save the project {path}: {error}")

    @classmethod
    def load(cls, path):
        """A session as a project file left it, as File > Open Project... opens it.

        Returns
        -------
        Session
            A new session whose state reads back bit for bit what the file holds.

        Raises
        ------
        ValueError
            The file cannot be read, is damaged (the message names the member at fault) or was
            written by a newer version.
        """
        session = cls()
        error = session._state.open_project(str(path))
        if error:
            raise ValueError(f"cannot open the project {path}: {error}")
        return session

    @property
    def statements(self):
        """Every statement run so far, in order (list of str)."""
        return self._state.statements()

    @property
    def finished(self):
        """True once Exit has run; later statements are not run."""
        return self._state.finished

    def __reduce__(self):
        return (_replay, (self._state.statements(),))


def _replay(statements):
    """A fresh session that has run the statements: how a pickled session comes back."""
    session = Session()
    if statements:
        session.run("\n".join(statements))
    return session
