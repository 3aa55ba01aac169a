"""vorex.Settings: the dialogs' rules and messages, value semantics, settings files, and the
same curve from Python as from the command interface for the same settings."""

import numpy as np
import pytest

import vorex
from conftest import assert_same_result

# Settings of several kinds (technique, mode, mechanism, electrode); A and A2 share one.
A = dict(technique="sw", mechanism=7, electrode="microdisc", radius=0.005, kf=50.0, kb=0.5,
         frequency=20, C_A=2e-3, E_start=0.25)
A2 = dict(technique="sw", mechanism=7, electrode="microdisc", radius=0.002)
B = dict(technique="cv", cycles=2, mechanism=2, n_2=2, E0_2=-0.15, temperature=35, noise=1.5)
C = dict(technique="lsv", digital=False, mechanism=9, electrode="rde", rotation_rate=400, kf=3.0)


def test_the_settings_alone_decide_the_curve():
    first = {name: vorex.simulate(**s) for name, s in dict(A=A, A2=A2, B=B, C=C).items()}
    for name in ["B", "A", "C", "A2", "A", "B"]:
        settings = globals()[name]
        assert_same_result(vorex.simulate(**settings), first[name])
        assert_same_result(vorex.simulate(vorex.Settings(**settings)), first[name])


def test_unknown_keyword_is_named_with_the_valid_names():
    with pytest.raises(ValueError, match='unknown keyword "E_strat"; valid names: .*E_start'):
        vorex.simulate(E_strat=0.2)
    with pytest.raises(AttributeError, match='no field "E_strat"'):
        vorex.Settings().E_strat


def test_refused_value_carries_the_dialogs_message_naming_the_field():
    # The capture's own message: the field's label, control name and typed text, and why.
    with pytest.raises(ValueError, match=r'^D_A: D \(cm ²/s\) \(D\(1\)\): "-1.0" must be greater '
                                         r'than 0\.$'):
        vorex.simulate(D_A=-1)
    with pytest.raises(ValueError, match="alpha_1: .* must lie between 0 and 1"):
        vorex.simulate(alpha=1.5)


def test_fields_the_dialogs_do_not_offer_are_refused_with_the_reason():
    cases = [
        (dict(digital=False, Ru=10), "Ru is not available: .* digital simulation only"),
        (dict(radius=0.1), "radius is not available: .* Planar electrode"),
        (dict(frequency=5), "frequency is not available: .* Linear sweep"),
        (dict(D_C=1e-5), r"D_C is not available: .* mechanism 1 \(A \+ ne = B\)"),
        (dict(t_drop=1), "t_drop cannot be set: .* E_step / scan_rate"),
        (dict(electrode="sphere", area=2), "area cannot be set"),
        (dict(technique="sw", t_pulse=0.1), "t_pulse cannot be set: .* 0.5 / frequency"),
        (dict(mechanism=2, digital=False), "mechanism 2 .* offers mechanisms 1, 4, 9"),
        (dict(electrode="rde"), '"rde" .* set digital=False'),
        (dict(n_1=4), "n_1 must be one of the dialog's list, 1 to 3"),
        (dict(C=1e-3, C_A=2e-3), "both set C_A"),
        (dict(technique="lsv", cycles=2), 'cycles applies to technique "cv"'),
        (dict(technique="lsv", scan="cycle"), 'use technique "cv" for a cycle'),
        (dict(E_start=float("inf")), "E_start must be finite"),
    ]
    for settings, message in cases:
        with pytest.raises(ValueError, match=message):
            vorex.simulate(**settings)
    # C_A is fitted by default, so its bounds are offered; ks_1's are once it is ticked.
    assert vorex.Settings(C_A_min=0.0).C_A_min == 0.0
    with pytest.raises(ValueError, match="ks_1_min is not available"):
        vorex.Settings(ks_1_min=1e-3)
    assert vorex.Settings(ks_1_fitted=True, ks_1_min=1e-3).ks_1_min == 1e-3
    # The preconcentration inputs are offered while preconcentration is ticked.
    with pytest.raises(ValueError, match="E_pre is not available"):
        vorex.Settings(E_pre=-0.5)
    assert vorex.Settings(preconcentration=True, E_pre=-0.5).E_pre == -0.5
    with pytest.raises(TypeError, match="E_start must be a real number"):
        vorex.simulate(E_start="0.3")


def test_bare_names_and_units():
    p = vorex.parameters(technique="lsv", mechanism=2, D=2e-5, D_B=3e-5, E0=0.05, n=2,
                         temperature=35.0)
    assert (p["D_A"], p["D_B"], p["D_C"]) == (2e-5, 3e-5, 2e-5)
    assert (p["E0_1"], p["n_1"], p["E0_2"]) == (0.05, 2.0, -0.1)
    # °C as typed, 273.14 K to 0 °C as the program converts.
    assert p["temperature"] == pytest.approx(35.0, abs=1e-12)


def test_pre_equilibration_and_preconcentration_switch():
    # At E_start 0.3 V, E0 0.1 V, 25 °C: theta = exp(-0.2 F/RT) = 4.161e-4, so A keeps
    # 1e-3 / (1 + theta) = 9.996e-4 M (four digits, as the dialog shows it).
    assert vorex.parameters()["C_init_A"] == 9.996e-4
    assert vorex.parameters(pre_equilibration=False)["C_init_A"] == 1e-3
    # P D^(2/3) A/V w^(1/2) nu^(-1/6) t / (1 + theta_pre) = 1941.6 for the defaults (planar,
    # 1 cm2, 0.01 cm3, 100 rpm, 600 s): B holds 1.9416 M, shown as 1.942.
    s = vorex.Settings(preconcentration=True)
    assert s.C_init_B == 1.942
    assert vorex.parameters(s)["C_init_B"] == 1.942
    assert vorex.parameters(s.replace(t_pre=300))["C_init_B"] == 0.9708


def test_settings_are_values():
    s = vorex.Settings(technique="cv", ks=1e-3, E_step=0.001)
    # A number's text counts by its value: the dialog's "1e-3" is 0.001.
    assert vorex.Settings(C_A=0.001) == vorex.Settings()
    assert hash(vorex.Settings(C_A=0.001)) == hash(vorex.Settings())
    assert s != vorex.Settings() and s.replace(ks=1e4, technique="lsv", E_step=0.005) == \
        vorex.Settings()
    assert repr(s) == "vorex.Settings(technique='cv', ks_1=0.001, E_step=0.001)"
    assert eval(repr(s), {"vorex": vorex}) == s
    assert (s.ks, s.technique, s.scan, s.cycles, s.mechanism, s.digital) == \
        (0.001, "cv", "cycle", 1, 1, True)
    # What the dialog derives: E_step / v, and kf / kb of the chemical reaction.
    assert (s.t_drop, s.Keq_1, s.area) == (0.1, 1000.0, 1.0)
    assert s.derived["t_drop"] == 0.1
    with pytest.raises(AttributeError, match="replace"):
        s.ks_1 = 1.0


def test_settings_files_round_trip_and_match_the_program(run_cli, tmp_path):
    s = vorex.Settings(technique="dp", mechanism=7, electrode="sphere", radius=0.01, kf=5,
                       pre_equilibration=False, ks_1_fitted=True, ks_1_max=10)
    text = s.to_json()
    assert vorex.Settings.from_json(text).to_json() == text
    s.write(str(tmp_path / "s.json"))
    assert vorex.Settings.read(str(tmp_path / "s.json")) == s
    # The program opens the file and saves it again as it was; the curve is Python's.
    run_cli("mnuOpenSettings s.json\nmnuSaveSettings again.json\nmnuSimulate\n"
            "mnuExport out.csv\n")
    assert (tmp_path / "again.json").read_text() == text
    exported = np.loadtxt(tmp_path / "out.csv", delimiter=",")
    printed = np.array([float("%.15g" % v) for v in vorex.simulate(s).I])
    assert np.array_equal(exported[:, 1], printed)
    with pytest.raises(ValueError, match="not a settings file"):
        vorex.Settings.from_json('{"format": "something else"}')
    with pytest.raises(ValueError, match="newer Vorex"):
        vorex.Settings.from_json('{"format": "Vorex settings", "version": 3, "settings": {}}')


def test_session_shows_its_settings():
    session = vorex.Session()
    session.run("mnuExperimental\nFormExpr.Estart = 0.4\nFormExpr.CheckPreEqu = 0")
    assert session.settings() == vorex.Settings(E_start=0.4, pre_equilibration=False)


def test_numbers_are_typed_as_python_writes_them():
    # Every double, as repr writes it: fixed from 1e-4 to 1e16, exponential beyond, ".0" after
    # a whole number; random bit patterns cover every magnitude.
    import random
    import re
    import struct
    random.seed(20261207)
    values = [1e-5, 1e-4, 1e15, 1e16, 1e17, 0.1, 100.0, -2.5e-7, 5e-324, 1.7976931348623157e308,
              -0.0, 1 / 3]
    while len(values) < 5000:
        x = struct.unpack("d", struct.pack("Q", random.getrandbits(64)))[0]
        if x == x and abs(x) != float("inf"):
            values.append(x)
    for x in values:
        text = re.search(r'"E_start": ("?)([^,\n]*)\1,', vorex.Settings(E_start=x).to_json())
        assert text.group(2) == repr(x)
