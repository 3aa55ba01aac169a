// The desktop program working with the user's keys and windows, on the offscreen platform: the
// menus answer their keys while a dialog has the focus, the windows that change come to the
// front, the Experimental dialog follows the technique, and files keep their extension.
#include <memory>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "shell/program.h"
#include "started_desktop.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

namespace vorex::ui {

class DesktopKeysTest : public QObject, private StartedDesktop<> {
  Q_OBJECT

 private:
  QWidget& Dialog(const char* name) { return *window_->Dialog(name); }
  // The Experimental dialog shown, with the focus in its scan rate field.
  QLineEdit* FocusedField() {
    window_->Invoke("mnuExperimental");
    QLineEdit* field = In<QLineEdit>(Dialog("FormExpr"), "V");
    Dialog("FormExpr").activateWindow();
    if (!QTest::qWaitForWindowActive(&Dialog("FormExpr"))) qFatal("the dialog is not active");
    field->setFocus();
    return field;
  }
  // The sub-window in front of the other in the multiple-document area.
  QString FrontWindow() {
    const auto order = window_->findChild<QMdiArea*>()->subWindowList(QMdiArea::StackingOrder);
    return order.isEmpty() ? QString() : order.back()->objectName();
  }
  // A small CSV of potential/current pairs, 0.1 V down to -0.1 V in 10 mV steps.
  QString WriteCurve(const QTemporaryDir& dir) {
    const QString path = dir.filePath("curve.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    for (int k = 0; k <= 20; ++k)
      file.write(QString("%1,%2\n").arg(0.1 - 0.01 * k).arg(1e-6 * k).toUtf8());
    return path;
  }

 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  void altLetterInADialogOpensTheMainMenuAndLeavesTheField() {
    QLineEdit* field = FocusedField();
    const QString before = field->text();
    QTest::keyClick(field, Qt::Key_R, Qt::AltModifier);
    QMenu* run = window_->menuBar()->findChild<QMenu*>("mnuRun");
    QVERIFY(run != nullptr);
    QTRY_VERIFY(run->isVisible());
    QTest::keyClick(run, Qt::Key_S);  // "&Simulate"
    QTRY_VERIFY(window_->MenuAction("mnuDisplay")->isEnabled());
    QCOMPARE(field->text(), before);
  }

  void shortcutsReachTheirCommandsFromADialogsField() {
    QLineEdit* field = FocusedField();
    QTest::keyClick(field, Qt::Key_F5);
    QVERIFY(window_->MenuAction("mnuDisplay")->isEnabled());
    // Ctrl+E is a text field's end-of-line key on some desktops; here it exports. The file
    // dialog it opens is cancelled as soon as it shows.
    QSignalSpy exported(window_->MenuAction("mnuExport"), &QAction::triggered);
    QTimer::singleShot(0, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    field->setFocus();
    QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(exported.count(), 1);
  }

  void optionButtonsFollowTheArrowKeysWithOneTabStop() {
    window_->Invoke("mnuTech");
    QWidget& tech = Dialog("FormTech");
    auto* first = In<QRadioButton>(tech, "optTech(1)");
    auto* second = In<QRadioButton>(tech, "optTech(2)");
    QVERIFY(first->isChecked());
    QCOMPARE(first->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(second->focusPolicy(), Qt::ClickFocus);  // reached by the arrows, not by Tab
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Down);
    QVERIFY(program_->experiment.formTech.Find("optTech", 2)->Checked());
    QVERIFY(!program_->experiment.formTech.Find("optTech", 1)->Checked());
    QCOMPARE(second->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(first->focusPolicy(), Qt::ClickFocus);
    QTest::keyClick(second, Qt::Key_Up);
    QVERIFY(program_->experiment.formTech.Find("optTech", 1)->Checked());
  }

  void escapeHidesADialogAsItsCloseButtonDoes() {
    QLineEdit* field = FocusedField();
    field->setText("2");
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!program_->experiment.formExpr.Visible());
    QVERIFY(!Dialog("FormExpr").isVisible());
  }

  void theWindowThatChangedComesToTheFront() {
    // Side by side on the first show: the plot on the left, the result window on the right.
    const auto* plot = window_->findChild<QMdiSubWindow*>("FormPlot");
    const auto* result = window_->findChild<QMdiSubWindow*>("FormResult");
    QVERIFY(plot->geometry().right() < result->geometry().left());
    QTemporaryDir dir;
    host_->OfferFile(WriteCurve(dir).toStdString());
    window_->Invoke("mnuImport");  // draws, then prints: the lines to read are in front
    QVERIFY(program_->formResult.Visible());
    QCOMPARE(FrontWindow(), QString("FormResult"));
    window_->Invoke("mnuSemi");  // prints its line, then draws
    QCOMPARE(FrontWindow(), QString("FormPlot"));
  }

  void aDroppedDataFileIsImported() {
    QTemporaryDir dir;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(WriteCurve(dir))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    QCOMPARE(program_->curves.PointCount, 21);  // 0.1 V to -0.1 V in 10 mV steps
    QVERIFY(window_->MenuAction("mnuDisplay")->isEnabled());
  }

  void anOpenExperimentalDialogFollowsANewTechnique() {
    window_->Invoke("mnuExperimental");
    QVERIFY(!In<QLineEdit>(Dialog("FormExpr"), "TextF")->isVisibleTo(&Dialog("FormExpr")));
    window_->Invoke("mnuTech");
    In<QRadioButton>(Dialog("FormTech"), "optTech(5)")->click();
    In<QPushButton>(Dialog("FormTech"), "CmdOK")->click();
    // Square wave: the frequency row is shown without turning to the dialog.
    QVERIFY(In<QLineEdit>(Dialog("FormExpr"), "TextF")->isVisibleTo(&Dialog("FormExpr")));
  }

  void theWindowMenuStandsBeforeHelp() {
    const QList<QAction*> menus = window_->menuBar()->actions();
    QVERIFY(menus.size() >= 2);
    QCOMPARE(menus[menus.size() - 2]->text(), QString("&Window"));
    QCOMPARE(menus.back()->text(), QString("&Help"));
  }

  void theManualIsLookedForBesideTheProgramThenInTheInstalledShare() {
    // The build copies it into bin/; an installation puts it in <prefix>/share/vorex.
    QCOMPARE(HelpFileCandidates("/opt/vx/bin"),
             QStringList({"/opt/vx/bin/VorexDoc.htm", "/opt/vx/share/vorex/VorexDoc.htm"}));
  }

  void f1OpensTheManualFromADialog() {
    QVERIFY(HelpFilePath().endsWith("VorexDoc.htm"));
    QLineEdit* field = FocusedField();
    QTest::keyClick(field, Qt::Key_F1);
    auto* help = window_->findChild<QDialog*>("VorexHelp");
    QVERIFY(help != nullptr && help->isVisible());
    QCOMPARE(help->windowTitle(), QString("Vorex Help"));
    auto* browser = help->findChild<QTextBrowser*>("HelpBrowser");
    QCOMPARE(browser->documentTitle(), QString("Vorex User Manual"));
    // The menu captions as the program spells them, and the anchors of the contents work.
    QVERIFY(browser->toPlainText().contains("Mechamism..."));
    browser->setSource(QUrl("#fitting"));
    QVERIFY(browser->verticalScrollBar()->value() > 0);
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!help->isVisible());
    ShowHelp(window_.get());  // the one window, shown again
    QCOMPARE(window_->findChildren<QDialog*>("VorexHelp").size(), 1);
  }

  void aSavedNameGetsTheChosenFiltersExtension() {
    QCOMPARE(QtHost::WithFilterSuffix("/tmp/curve", "csv (*.csv)"), QString("/tmp/curve.csv"));
    QCOMPARE(QtHost::WithFilterSuffix("/tmp/curve.txt", "csv (*.csv)"), QString("/tmp/curve.txt"));
    QCOMPARE(QtHost::WithFilterSuffix("/tmp/run", "parameter (*.par)"), QString("/tmp/run.par"));
    QCOMPARE(QtHost::WithFilterSuffix("/tmp/curve", "all (*.*)"), QString("/tmp/curve"));
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopKeysTest)
#include "desktop_keys_test.moc"
