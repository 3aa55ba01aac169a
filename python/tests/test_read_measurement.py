"""vorex.read_measurement and read_curve on instrument exports: the real EC-Lab sample."""

from pathlib import Path

import pytest

import vorex

SAMPLES = Path(__file__).resolve().parents[2] / "tests" / "readers" / "samples"


def test_an_ec_lab_export_reads_with_its_cycles_units_and_sign():
    m = vorex.read_measurement(SAMPLES / "biologic-Pt_poly_cv_CUT.mpt")
    assert m.format == "BioLogic EC-Lab .mpt"
    assert [c.number for c in m.cycles] == [1, 2, 3, 4, 5]
    first = m.cycles[0]
    # The file's first data row: control/V 8,7894440E-001, Ewe/V 8,7869531E-001 and
    # <I>/mA -2,604324994466466E-003 (decimal commas; mA; anodic positive, so negated).
    assert first.E[0] == pytest.approx(0.87869531, abs=1e-12)
    assert first.applied[0] == pytest.approx(0.8789444, abs=1e-12)
    assert first.I[0] == pytest.approx(2.604324994466466e-6, rel=1e-12)
    assert m.settings["scan_rate"] == pytest.approx(0.1)
    assert any("negated" in note for note in m.notes)
    E, I = vorex.read_curve(SAMPLES / "biologic-Pt_poly_cv_CUT.mpt", cycle=2, abscissa="applied")
    assert E.size == I.size == m.cycles[1].E.size
    assert E[0] == m.cycles[1].applied[0]
    with pytest.raises(ValueError, match="no cycle 9"):
        vorex.read_curve(SAMPLES / "biologic-Pt_poly_cv_CUT.mpt", cycle=9)


def test_a_file_that_is_no_voltammogram_is_refused_with_format_and_line():
    with pytest.raises(ValueError, match="ReadData Error: Gamry .DTA, line 2: .*chronoamperometry"):
        vorex.read_measurement(SAMPLES / "gamry-chronoa_data.dta")
