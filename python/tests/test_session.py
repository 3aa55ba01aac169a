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
