// Edit > Undo and Redo in the desktop program, on the offscreen platform: the keys, the menu's
// captions, and the plot and dialog following what they take back.
#include <QLineEdit>
#include <QtTest>

#include "shell/program.h"
#include "started_desktop.h"
#include "ui/main_window.h"

namespace vorex::ui {

class DesktopUndoTest : public QObject, private StartedDesktop<> {
  Q_OBJECT

 private:
  // Dark pixels in the middle of an image: the curves and frame, not the margins.
  static int InkInside(const QImage& image) {
    int ink = 0;
    for (int y = image.height() / 6; y < image.height() * 5 / 6; ++y) {
      for (int x = image.width() / 6; x < image.width() * 5 / 6; ++x) {
        if (qGray(image.pixel(x, y)) < 128) ++ink;
      }
    }
    return ink;
  }
  QString Caption(const char* control) { return window_->MenuAction(control)->text(); }
  std::string ScanRate() {
    return std::string(program_->experiment.settings.Value(FieldId::ScanRate));
  }

 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  void ctrlZAfterClearDrawsThePlotAgainAndCtrlYClearsIt() {
    QVERIFY(!window_->MenuAction("mnuUndo")->isEnabled());
    window_->Invoke("mnuSimulate");
    window_->Invoke("mnuClear");
    QCOMPARE(InkInside(window_->Plot().Image()), 0);
    QCOMPARE(Caption("mnuUndo"), QString("&Undo Clear"));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QTRY_VERIFY(InkInside(window_->Plot().Image()) > 300);
    QCOMPARE(Caption("mnuRedo"), QString("&Redo Clear"));
    QCOMPARE(Caption("mnuUndo"), QString("&Undo Simulate"));
    QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
    QTRY_COMPARE(InkInside(window_->Plot().Image()), 0);
    QVERIFY(!window_->MenuAction("mnuRedo")->isEnabled());
  }

  void ctrlZInAnExperimentalFieldTakesTheTypingBackAsOneStep() {
    window_->Invoke("mnuExperimental");
    QWidget& dialog = *window_->Dialog("FormExpr");
    auto* field = In<QLineEdit>(dialog, "V");
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "0.5");  // three keystrokes, each a change of the settings
    QCOMPARE(ScanRate(), std::string("0.5"));
    QCOMPARE(Caption("mnuUndo"), QString("&Undo Experimental edit"));
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(ScanRate(), std::string("0.01"));  // the design default
    QCOMPARE(field->text(), QString("0.01"));
    QVERIFY(!window_->MenuAction("mnuUndo")->isEnabled());
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(field->text(), QString("0.5"));
    QCOMPARE(ScanRate(), std::string("0.5"));
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopUndoTest)
#include "desktop_undo_test.moc"
