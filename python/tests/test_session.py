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
