"""vorex.Session: statements, messages, malformed statements, pickling."""

import pickle

import numpy as np
import pytest

import vorex


def test_output_messages_and_malformed_statements():
    session = vorex.Session()
    output = session.run("mnuNextCurve\nmnuAbout")
    # Next Curve is disabled until a curve exists: the menu says so in a message box (its wording
    # from the command table's refusal), then About prints its lines.
    assert output.messages == ['"Next Curve" is disabled until a curve has been simulated or '
                               'imported.']
    assert "Vorex 3.3" in output
    assert session.messages == output.messages
    with pytest.raises(ValueError, match="^line 2: no window named Foo$"):
        session.run("mnuSimulate\nFoo.bar = 1")
    assert session.statements == ["mnuNextCurve", "mnuAbout", "mnuSimulate"]


def test_session_pickles_by_replaying_its_statements():
    session = vorex.Session()
    session.run("mnuExperimental\nFormExpr.Eze(1) = 0.05\nmnuSimulate")
    copy = pickle.loads(pickle.dumps(session))
    assert copy.statements == session.statements
    for a, b in zip(copy.curves(), session.curves()):
        assert np.array_equal(a, b)


def test_undo_and_redo_take_a_scaling_back_and_forth():
    session = vorex.Session()
    assert session.undo().messages == ["There is nothing to undo."]
    session.run("mnuSimulate")
    e, before = session.curves()
    session.run("mnu1000Y")
    session.undo()
    # Undo gives back the very numbers, not 1000Y followed by 0.001Y.
    assert np.array_equal(session.curves()[1], before)
    session.redo()
    assert np.array_equal(session.curves()[1], before * 1000)
    assert np.array_equal(session.curves()[0], e)
    assert session.redo().messages == ["There is nothing to redo."]


def test_a_saved_project_loads_bit_for_bit_and_a_damaged_one_is_refused(tmp_path):
    session = vorex.Session()
    session.run("FormExpr.Estart = 0.45\nmnuSimulate\nmnuFindPeak")
    path = tmp_path / "run.vorex"
    session.save(path)
    loaded = vorex.Session.load(path)
    # The same bytes, not merely close values: 0.45 as typed, every point of every curve.
    assert loaded.settings() == session.settings()
    for a, b in zip(loaded.curves(), session.curves()):
        assert a.tobytes() == b.tobytes()
    # The analyses of the loaded session see the curve the first one saw.
    assert loaded.run("mnuFindPeak") == session.run("mnuFindPeak")
    text = path.read_text()
    (tmp_path / "cut.vorex").write_text(text[: len(text) // 2])
    with pytest.raises(ValueError, match="not a project file"):
        vorex.Session.load(tmp_path / "cut.vorex")
    (tmp_path / "newer.vorex").write_text(text.replace('"version": 1,', '"version": 7,', 1))
    with pytest.raises(ValueError, match="format version 7 by a newer Vorex"):
        vorex.Session.load(tmp_path / "newer.vorex")
    with pytest.raises(OSError, match="cannot save the project"):
        session.save(tmp_path / "no such folder" / "run.vorex")
