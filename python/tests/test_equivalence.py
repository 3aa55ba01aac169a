"""vorex.simulate against the command interface for the same settings, bit for bit."""

import numpy as np

import vorex

# Square wave at a microdisc, analytical catalytic mechanism 9, the fields typed in another
# order than simulate types them.
SQUARE_WAVE_STATEMENTS = """mnuTech
FormTech.optTech(5) = 1
FormTech.CheckDigital = 0
click FormTech.CmdOK
mnuMechamism
FormMech.mech(9) = 1
click FormMech.Command1
mnuExperimental
FormExpr.optElectrode(4) = 1
FormExpr.kf(1) = 100.0
FormExpr.Eze(1) = -0.05
FormExpr.radius = 0.001
FormExpr.C(1) = 0.002
FormExpr.TextF = 25.0
mnuSimulate
"""
SQUARE_WAVE = dict(technique="sw", digital=False, mechanism=9, electrode="microdisc",
                   C_A=0.002, E0=-0.05, kf=100, radius=0.001, frequency=25)

# Two digital cycles of the two-step mechanism with noise, which the program seeds from the
# number of points and so repeats exactly.
CYCLES_STATEMENTS = """mnuTech
click FormTech.CmdOK
mnuMechamism
FormMech.mech(2) = 1
click FormMech.Command1
mnuExperimental
FormExpr.ComboScan = 2 cycles
FormExpr.NEL(2) = 2
FormExpr.Eze(2) = -0.15
FormExpr.Noise = 1.5
FormExpr.V = 0.05
mnuSimulate
"""
CYCLES = dict(technique="cv", cycles=2, mechanism=2, n_2=2, E0_2=-0.15, noise=1.5,
              scan_rate=0.05)


def test_session_curve_store_equals_simulate_bit_for_bit():
    for statements, settings in ((SQUARE_WAVE_STATEMENTS, SQUARE_WAVE),
                                 (CYCLES_STATEMENTS, CYCLES)):
        session = vorex.Session()
        output = session.run(statements)
        assert output.messages == []
        E, curves = session.curves()
        result = vorex.simulate(**settings)
        assert curves.shape == (1, result.E.size)
        assert np.array_equal(E, result.E)
        assert np.array_equal(curves[0], result.I)


def test_exported_csv_equals_simulate_to_the_printed_digits(run_cli, tmp_path):
    # Differential pulse, digital EC mechanism at a sphere.
    statements = """mnuTech
FormTech.optTech(4) = 1
click FormTech.CmdOK
mnuMechamism
FormMech.mech(7) = 1
click FormMech.Command1
mnuExperimental
FormExpr.optElectrode(2) = 1
FormExpr.radius = 0.01
FormExpr.kf(1) = 5.0
FormExpr.kb(1) = 0.1
FormExpr.Epulse = -0.025
FormExpr.tp = 0.02
mnuSimulate
mnuExport out.csv
"""
    run_cli(statements)
    rows = [line.split(",") for line in (tmp_path / "out.csv").read_text().splitlines()]
    exported = np.array([[float(x), float(y)] for x, y in rows])
    result = vorex.simulate(technique="dp", mechanism=7, electrode="sphere", radius=0.01, kf=5,
                            kb=0.1, E_pulse=-0.025, t_pulse=0.02)
    # The export prints up to 15 significant digits.
    printed = lambda values: np.array([float("%.15g" % v) for v in values])
    assert exported.shape == (result.E.size, 2)
    assert np.array_equal(exported[:, 0], printed(result.E))
    assert np.array_equal(exported[:, 1], printed(result.I))


ELECTRODES = ["planar", "sphere", "hemisphere", "microdisc", "cylinder", "hemicylinder",
              "thin_film", "rde"]
TECHNIQUES = ["lsv", "dc", "np", "dp", "sw"]


def session_curve(statements):
    session = vorex.Session()
    session.run("\n".join(statements))
    E, curves = session.curves()
    return E, curves[0]


def test_every_default_of_technique_electrode_and_mode_is_the_program_s():
    for digital in (True, False):
        for t, technique in enumerate(TECHNIQUES, start=1):
            for e, electrode in enumerate(ELECTRODES, start=1):
                if digital and electrode in ("thin_film", "rde"):
                    continue  # the digital mode does not offer them
                E, I = session_curve([
                    "mnuTech", f"FormTech.optTech({t}) = 1",
                    f"FormTech.CheckDigital = {int(digital)}", "click FormTech.CmdOK",
                    "mnuExperimental", f"FormExpr.optElectrode({e}) = 1", "mnuSimulate"])
                r = vorex.simulate(technique=technique, electrode=electrode, digital=digital)
                assert np.array_equal(E, r.E), (technique, electrode, digital)
                assert np.array_equal(I, r.I), (technique, electrode, digital)


def test_every_mechanism_s_defaults_are_the_program_s():
    for mechanism in range(1, 18):
        if mechanism == 3:
            continue  # never offered
        E, I = session_curve(["mnuMechamism", f"FormMech.mech({mechanism}) = 1",
                              "click FormMech.Command1", "mnuSimulate"])
        r = vorex.simulate(mechanism=mechanism)
        assert np.array_equal(E, r.E) and np.array_equal(I, r.I), mechanism
