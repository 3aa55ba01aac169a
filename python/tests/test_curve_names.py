"""vorex.Session: the legend's names of the curves, renaming them, and accepting a fit."""

import pytest

import vorex


def test_curve_names_follow_what_each_run_changed():
    session = vorex.Session()
    session.run("mnuSimulate")
    assert session.curve_names() == ["sim lsv, simple charge reaction"]
    # With Overlap a second run beside it, named by the rate constant it changed to.
    session.run("mnuOption\nformOption.overlap = 1\nclick formOption.OK\n"
                "mnuExperimental\nFormExpr.ks(1) = 1e-3\nclick FormExpr.CmdOK\nmnuSimulate")
    assert session.curve_names() == ["sim lsv, simple charge reaction", "sim ks(1) = 1e-3"]


def test_rename_curve_and_its_refusals():
    session = vorex.Session()
    assert session.curve_names() == []
    session.run("mnuSimulate")
    session.rename_curve(1, "slow electrode")
    assert session.curve_names() == ["slow electrode"]
    with pytest.raises(ValueError, match="no curve 2"):
        session.rename_curve(2, "none")
    with pytest.raises(ValueError, match="one line"):
        session.rename_curve(1, "two\nlines")
    assert session.curve_names() == ["slow electrode"]
    # The rename is a statement: a pickled session comes back with it.
    assert "FormPlot.CurveName(1) = slow electrode" in session.statements


def test_accept_fitted_values_refused_before_a_fit():
    session = vorex.Session()
    with pytest.raises(ValueError, match="run Auto Fit first"):
        session.accept_fitted_values()


def test_accept_fitted_values_puts_the_fit_into_the_settings(tmp_path):
    # Data simulated at C(A) = 2 mM, fitted from 1.5 mM: the current is proportional to C, so the
    # fit finds 2 mM again, and accepting it makes that the dialog's value.
    data = tmp_path / "measured.csv"
    session = vorex.Session()
    session.run("mnuExperimental\nFormExpr.CheckPreEqu = 0\nFormExpr.C(1) = 2e-3\n"
                f"click FormExpr.CmdOK\nmnuSimulate\nmnuExport {data}\nmnuImport {data}\n"
                "mnuExperimental\nFormExpr.C(1) = 1.5e-3\nclick FormExpr.CmdOK\nmnuAutoFit")
    assert session.settings().C_A == pytest.approx(1.5e-3)
    session.accept_fitted_values()
    assert session.settings().C_A == pytest.approx(2e-3, rel=1e-3)
    assert session.curve_names()[0] == "measured measured.csv"
