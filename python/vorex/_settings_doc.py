"""The description of the settings keywords, shared by the docstrings that take them: written
by the program from its table of the dialogs' fields, so that it names every field and no
other."""

from . import _vorex

SETTINGS = """
    Settings
    --------
    Keywords set the fields of the program's dialogs, in their units, starting from the
    dialogs' defaults; each is checked as the dialogs would take it (see vorex.Settings). The
    initial concentrations the run starts from are derived from the analytical ones as the
    Experimental dialog derives them: brought to equilibrium at E_start (pre_equilibration) and
    preconcentrated (preconcentration), shown and read to four digits.

""" + _vorex.settings_help()
