"""Settings keywords: the dialogs' rules and messages, and the per-thread dialogs' state."""

import pytest

import vorex
from vorex import _vorex
from conftest import assert_same_result

# Settings of several classes (technique, mode, mechanism, electrode); A and A2 share one, so a
# run of A2 after A shows whether A's typing was undone.
A = dict(technique="sw", mechanism=7, electrode="microdisc", radius=0.005, kf=50.0, kb=0.5,
         frequency=20, C_A=2e-3, E_start=0.25)
A2 = dict(technique="sw", mechanism=7, electrode="microdisc", radius=0.002)
B = dict(technique="cv", cycles=2, mechanism=2, n_2=2, E0_2=-0.15, temperature=35, noise=1.5)
C = dict(technique="lsv", digital=False, mechanism=9, electrode="rde", rotation_rate=400, kf=3.0)
DEFAULTS = dict()


def test_alternating_settings_give_what_a_fresh_program_gives():
    fresh = {}
    for name, settings in dict(A=A, A2=A2, B=B, C=C, DEFAULTS=DEFAULTS).items():
        _vorex._forget_models()
        fresh[name] = vorex.simulate(**settings)
    for name in ["A", "B", "A2", "C", "A", "DEFAULTS", "A2", "B", "C", "A"]:
        # Typed again into the thread's dialogs, which the previous settings were typed into.
        _vorex._forget_captures()
        assert_same_result(vorex.simulate(**globals()[name]), fresh[name])
        # Kept from the typing just done.
        assert_same_result(vorex.simulate(**globals()[name]), fresh[name])


def test_unknown_keyword_is_named_with_the_valid_names():
    with pytest.raises(ValueError, match='unknown keyword "E_strat"; valid names: .*E_start'):
        vorex.simulate(E_strat=0.2)


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
    with pytest.raises(TypeError, match="E_start must be a real number"):
        vorex.simulate(E_start="0.3")


def test_bare_names_and_units():
    p = vorex.parameters(technique="lsv", mechanism=2, D=2e-5, D_B=3e-5, E0=0.05, n=2,
                         temperature=35.0)
    assert (p["D_A"], p["D_B"], p["D_C"]) == (2e-5, 3e-5, 2e-5)
    assert (p["E0_1"], p["n_1"], p["E0_2"]) == (0.05, 2.0, -0.1)
    # °C as typed, 273.14 K to 0 °C as the program converts.
    assert p["temperature"] == pytest.approx(35.0, abs=1e-12)
