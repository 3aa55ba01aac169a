// The written mechanism in the desktop program, on the offscreen platform: the Mechanism dialog's
// text with the table of what it writes and the parser's message, the keys that reach them, and
// the Experimental dialog's rows for the species and reactions only a written mechanism has.
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "shell/program.h"
#include "started_desktop.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

namespace vorex::ui {

class DesktopWrittenTest : public QObject, private StartedDesktop<> {
  Q_OBJECT

 private:
  QWidget& Mech() { return *window_->Dialog("FormMech"); }
  QWidget& Expr() { return *window_->Dialog("FormExpr"); }
  QLineEdit* Text() { return In<QLineEdit>(Mech(), "TextMechanism"); }
  QTableWidget* Table() { return In<QTableWidget>(Mech(), "TableScheme"); }
  QLabel* Message() { return In<QLabel>(Mech(), "LabelMechanismError"); }
  bool Shown(QWidget& dialog, QWidget* widget) { return widget->isVisibleTo(&dialog); }

  // The Mechanism dialog with the written option chosen.
  void ChooseWritten() {
    window_->Invoke("mnuMechamism");
    Pick("mech(18)");
  }
  // Clicks an option on its round button, where a click selects it however wide the column.
  void Pick(const char* option) {
    QRadioButton* button = In<QRadioButton>(Mech(), option);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }
  // Replaces the text by typing it, as the user does, key by key.
  void Write(const QString& text) {
    Text()->setFocus();
    Text()->selectAll();
    QTest::keyClick(Text(), Qt::Key_Delete);
    QTest::keyClicks(Text(), text);
    QCoreApplication::processEvents();  // the table follows once the keys are done
  }
  QString Cell(int row, int column) { return Table()->item(row, column)->text(); }

 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  void theTextShowsWithItsOptionAndTheTableFollowsTheTyping() {
    window_->Invoke("mnuMechamism");
    QVERIFY(!Shown(Mech(), Text()));
    QVERIFY(!Shown(Mech(), Table()));
    ChooseWritten();
    QVERIFY(program_->experiment.settings.Mechanism() == MechanismCode::Written);
    QVERIFY(Shown(Mech(), Text()));
    Write("A + e = B; B = C");
    // Species A, B, C, then transfer 1 and step 1.
    QVERIFY(Shown(Mech(), Table()));
    QCOMPARE(Table()->rowCount(), 5);
    QCOMPARE(Cell(0, 0), QString("species A"));
    QCOMPARE(Cell(3, 1), QString("A + e = B"));
    QCOMPARE(Cell(4, 1), QString("B = C"));
    QCOMPARE(Cell(4, 2), QString("kf_1, kb_1"));
    QVERIFY(!Shown(Mech(), Message()));
    // One more transfer: a fourth species and a second transfer row, at once.
    Write("A + e = B; B = C; C + 2e = D");
    QCOMPARE(Table()->rowCount(), 7);
    QCOMPARE(Cell(5, 1), QString("C + 2e = D"));
    // The whole table shows: it is as tall as its rows, so nothing scrolls.
    QVERIFY(Table()->height() >= Table()->rowHeight(0) * 7 + Table()->horizontalHeader()->height());
    // A script's edit goes through the model alone, and the table follows it too.
    FormMech& form = program_->experiment.formMech;
    form.Type(form.TextMechanism(), "A + e = B; 2 B = C");
    QTRY_COMPARE(Table()->rowCount(), 5);
    QCOMPARE(Cell(4, 1), QString("2 B = C"));
    // Back to a built-in mechanism: the text and its table hide.
    Pick("mech(7)");
    QVERIFY(!Shown(Mech(), Text()));
    QVERIFY(!Shown(Mech(), Table()));
  }

  void aTextThatDoesNotParseShowsTheParsersMessage() {
    ChooseWritten();
    Write("A + e B");
    QVERIFY(Shown(Mech(), Message()));
    // "A + e B": the 7th character, B, stands where '+' or '=' belongs.
    QVERIFY2(Message()->text().contains("position 7: expected '+' or '='"),
             qPrintable(Message()->text()));
    QVERIFY(!Shown(Mech(), Table()));
    Write("A + e = C");  // B takes part in no step
    QVERIFY2(Message()->text().contains("B takes part in no step"), qPrintable(Message()->text()));
    Write("A + e = B");
    QVERIFY(!Shown(Mech(), Message()));
    QCOMPARE(Table()->rowCount(), 3);
  }

  void theKeysReachTheWrittenOptionAndItsText() {
    window_->Invoke("mnuMechamism");
    Mech().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Mech()));
    auto* first = In<QRadioButton>(Mech(), "mech(1)");
    first->setFocus();
    // Up from the first option wraps round to the last, the written one.
    QTest::keyClick(first, Qt::Key_Up);
    QVERIFY(program_->experiment.settings.Mechanism() == MechanismCode::Written);
    QWidget* focused = QApplication::focusWidget();
    QCOMPARE(focused, In<QRadioButton>(Mech(), "mech(18)"));
    // Tab goes on to the text, past the table, and on to OK.
    QTest::keyClick(focused, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Text());
    QTest::keyClicks(Text(), "A + e = B");
    QTRY_COMPARE(Table()->rowCount(), 3);
    QTest::keyClick(Text(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), In<QPushButton>(Mech(), "Command1"));
  }

  void eightSpeciesShowRowsFiveToEightWithoutWideningTheExperimentalDialog() {
    window_->Invoke("mnuExperimental");
    // Without pre-equilibration the initial concentrations read 1e-3 and 0e0 whatever the
    // mechanism, so that their column keeps its width.
    In<QCheckBox>(Expr(), "CheckPreEqu")->click();
    const int builtInWidth = Expr().width();
    QVERIFY(!Shown(Expr(), In<QLineEdit>(Expr(), "D(5)")));
    ChooseWritten();
    // Four transfers (A/B, C/D, G/H, H/A) and three steps over the species A..H.
    Write("A + e = B; B = C; C + e = D; D + E = F; 2 F = G; G + e = H; H + e = A");
    QTest::mouseClick(In<QPushButton>(Mech(), "Command1"), Qt::LeftButton);
    window_->Invoke("mnuExperimental");
    for (const char* row : {"specie(5)", "specie(8)"}) {
      QVERIFY(Shown(Expr(), In<QLabel>(Expr(), row)));
    }
    QCOMPARE(In<QLabel>(Expr(), "specie(8)")->text(), QString("H"));
    for (const char* field : {"D(8)", "C(5)", "Eze(4)", "ks(4)", "kf(3)"}) {
      QVERIFY2(Shown(Expr(), In<QLineEdit>(Expr(), field)), field);
    }
    QVERIFY(!Shown(Expr(), In<QLineEdit>(Expr(), "kf(4)")));  // three steps only
    // The fit flags of the new rows: C(H) is slot 29, D(E) 35, E0 of transfer 4 slot 32.
    for (const char* flag : {"CheckFitted(29)", "CheckFitted(35)", "CheckFitted(32)"}) {
      QVERIFY2(Shown(Expr(), In<QCheckBox>(Expr(), flag)), flag);
    }
    // The new rows take the columns the built-in rows have: no wider than with one species.
    QCOMPARE(Expr().width(), builtInWidth);
    In<QCheckBox>(Expr(), "CheckFitted(35)")->click();
    QVERIFY(program_->experiment.settings.Checked(Row(FieldId::Fitted1, 35)));
    QVERIFY(Shown(Expr(), In<QLineEdit>(Expr(), "TextCmin(35)")));
  }

  void aWrittenMechanismSimulatesAndDrawsItsCurve() {
    ChooseWritten();
    Write("A + e = B; B = C");
    QTest::mouseClick(In<QPushButton>(Mech(), "Command1"), Qt::LeftButton);
    window_->Invoke("mnuSimulate");
    QVERIFY(window_->Plot().isVisible());
    QVERIFY(window_->MenuAction("mnuDisplay")->isEnabled());
    QVERIFY(program_->curves.PointCount > 100);
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopWrittenTest)
#include "desktop_written_test.moc"
