"""Mechanisms written as text: simulated, described and fitted through the keywords."""

import math
import pickle

import numpy as np
import pytest

import vorex

# Physical constants as the program takes them (CODATA 2018).
F = 96485.33212
R = 8.314462618
T = 298.15
F_RT = F / (R * T)

EC = "A + e = B; B = C"


def cathodic_peak(result):
    """Potential and height of the largest reduction current of a sweep."""
    i = int(np.argmax(np.abs(result.I)))
    return result.E[i], abs(result.I[i])


def test_a_reversible_transfer_gives_the_randles_sevcik_peak():
    # Reversible A + e = B at a planar electrode, D_A = D_B: Ip = 0.4463 F A C sqrt(F v D / RT)
    # and Ep = E0 - 1.109 RT/F (Nicholson and Shain 1964, Table I); C in mol/cm3.
    v, D, C, E0 = 0.1, 1e-5, 1e-3, 0.1
    result = vorex.simulate(mechanism="A + e = B", scan_rate=v, E_step=0.001, ks_1=1e4, E0_1=E0)
    assert result.mechanism == 18
    assert result.surface_concentrations.shape == (2, result.E.size)
    E_peak, I_peak = cathodic_peak(result)
    assert I_peak == pytest.approx(0.4463 * F * 1.0 * C * 1e-3 * math.sqrt(F_RT * v * D), rel=0.01)
    assert E_peak == pytest.approx(E0 - 1.109 / F_RT, abs=0.002)


def test_a_fast_following_step_shifts_the_peak_as_the_kinetic_zone_predicts():
    # A + e = B followed by B -> C with kf >> F v / RT: Ep = E0 - 0.780 RT/F
    # + (RT / 2F) ln(kf RT / (F v)) (Nicholson and Shain 1964, eq. 53, pure kinetic zone).
    v, kf, E0 = 0.1, 1000.0, 0.1
    result = vorex.simulate(mechanism=EC, scan_rate=v, E_step=0.001, E0_1=E0, kf_1=kf, kb_1=0.0)
    E_peak, _ = cathodic_peak(result)
    expected = E0 - 0.780 / F_RT + math.log(kf / (F_RT * v)) / (2 * F_RT)
    assert E_peak == pytest.approx(expected, abs=0.003)


def test_the_text_goes_into_the_settings_and_the_result_reports_it():
    result = vorex.simulate(mechanism=EC, kf_1=10, kb_1=0.1)
    assert np.all(np.isfinite(result.I)) and np.abs(result.I).max() > 0
    assert result.parameters["mechanism_text"] == EC
    assert result.parameters["kf_1"] == 10 and result.parameters["kb_1"] == 0.1
    assert "C_init_C" in result.parameters and "D_D" not in result.parameters
    assert "p_1" not in result.parameters  # a written step carries its own stoichiometry
    settings = vorex.Settings(mechanism=EC, kf_1=10, kb_1=0.1)
    assert settings.mechanism == 18
    assert settings.mechanism_text == EC
    again = vorex.simulate(settings)
    assert np.array_equal(again.I, result.I)
    # The settings file keeps the text and the mechanism with it.
    stored = vorex.Settings.from_json(settings.to_json())
    assert stored == settings and stored.mechanism_text == EC
    assert pickle.loads(pickle.dumps(result)).parameters == result.parameters


def test_the_electron_number_of_the_text_sets_n():
    # A + 2e = B: twice the electrons, n^(3/2) the reversible peak (Randles-Sevcik).
    one = cathodic_peak(vorex.simulate(mechanism="A + e = B", scan_rate=0.1, E_step=0.001))[1]
    two = vorex.simulate(mechanism="A + 2e = B", scan_rate=0.1, E_step=0.001)
    assert two.parameters["n_1"] == 2
    assert cathodic_peak(two)[1] / one == pytest.approx(2**1.5, rel=0.01)


def test_eight_species_take_their_rows_e_to_h():
    text = "A + e = B; B = C; C + e = D; D + E = F; F = G; 2 G = H"
    result = vorex.simulate(mechanism=text, C_E=1e-3, D_H=2e-5, kf_4=5)
    assert result.surface_concentrations.shape[0] == 8
    assert result.parameters["D_H"] == 2e-5 and result.parameters["kf_4"] == 5
    # Pre-equilibrated at E_start: the little D there is makes F with some E, shown to 4 digits.
    assert result.parameters["C_init_E"] == pytest.approx(1e-3, rel=1e-3)
    assert np.all(np.isfinite(result.I))


@pytest.mark.parametrize(
    "text, message",
    [
        # "B C": the 14th character, C, stands where '+' or '=' belongs.
        ("A + e = B; B C = D", r"position 14: expected '\+' or '=', found 'C'"),
        ("A + e = C", "B takes part in no step"),
        ("B = C", "no electron transfer"),  # nothing happens at the electrode
    ],
)
def test_a_text_the_parser_refuses_raises_its_message(text, message):
    with pytest.raises(ValueError, match=message):
        vorex.simulate(mechanism=text)


def test_the_analytical_mode_refuses_a_written_mechanism():
    with pytest.raises(ValueError, match="digital"):
        vorex.simulate(mechanism=EC, digital=False)


def test_fit_recovers_a_rate_constant_a_potential_and_a_diffusion_coefficient():
    # An ECE scheme beside a separate couple E/F, whose wave height tells D_E: the curve
    # simulated from the truth is fitted from other start values. Pre-equilibration brings
    # B = C to the equilibrium of each trial's kf_1 / kb_1, so the start state moves with kf_1.
    text = "A + e = B; B = C; C + e = D; E + e = F"
    common = dict(mechanism=text, technique="cv", scan_rate=0.1, E_end=-0.5, C_E=1e-3,
                  E0_1=0.1, E0_3=-0.35, kb_1=0.01)
    truth = dict(kf_1=2.0, E0_2=-0.12, D_E=1.5e-5)
    data = vorex.simulate(**common, **truth)
    bounds = {"kf_1": (0.01, 100.0), "E0_2": (-0.25, 0.0), "D_E": (1e-6, 1e-4)}
    result = vorex.fit(data.E, data.I, fit=bounds, **common, kf_1=0.5, E0_2=-0.08, D_E=8e-6)
    assert result.values["kf_1"] == pytest.approx(2.0, rel=1e-6)
    assert result.values["E0_2"] == pytest.approx(-0.12, abs=1e-8)
    assert result.values["D_E"] == pytest.approx(1.5e-5, rel=1e-6)
    # Reported as the parser writes a network: the transfers first, then the steps.
    assert result.parameters["mechanism_text"] == "A + e = B; C + e = D; E + e = F; B = C"
