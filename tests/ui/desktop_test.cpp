// The desktop program on the offscreen platform: thin checks that the widgets mirror the models
// (the logic itself is tested below the toolkit).
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/program.h"
#include "started_desktop.h"
#include "ui/main_window.h"
#include "ui/plot_painter.h"
#include "ui/qt_host.h"

namespace vorex::ui {

class DesktopTest : public QObject, private StartedDesktop<> {
  Q_OBJECT

 private:
  QWidget& Expr() { return *window_->Dialog("FormExpr"); }
  // Replaces a field's text by typing, as the user does.
  void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  // Dark pixels inside the middle of the plot window, where the frame and the curve lie.
  int InkInside(const QImage& image) {
    int ink = 0;
    for (int y = image.height() / 6; y < image.height() * 5 / 6; ++y) {
      for (int x = image.width() / 6; x < image.width() * 5 / 6; ++x) {
        if (qGray(image.pixel(x, y)) < 128) ++ink;
      }
    }
    return ink;
  }

 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  void menuBarFollowsTheCommandTable() {
    QCOMPARE(window_->windowTitle(), QString("Vorex for Windows"));
    QList<QAction*> topLevel = window_->menuBar()->actions();
    // The Window menu is the desktop program's own addition, before Help.
    topLevel.removeIf([](const QAction* a) { return a->objectName() == "mnuWindow"; });
    int menuIndex = -1, itemIndex = 0;
    QMenu* menu = nullptr;
    for (const MenuEntry& entry : MenuTable()) {
      const QString caption = QString::fromUtf8(entry.caption.data(), entry.caption.size());
      if (entry.parent.empty()) {
        ++menuIndex;
        QVERIFY(menuIndex < topLevel.size());
        QCOMPARE(topLevel[menuIndex]->text(), caption);
        menu = topLevel[menuIndex]->menu();
        itemIndex = 0;
        continue;
      }
      QAction* item = menu->actions().value(itemIndex++);
      // The recent projects are the desktop program's own submenu of the File menu.
      if (item != nullptr && item->objectName() == "mnuRecentProjects") {
        item = menu->actions().value(itemIndex++);
      }
      QVERIFY(item != nullptr);
      if (entry.caption == "-") {
        QVERIFY(item->isSeparator());
      } else {
        QCOMPARE(item->text(), caption);
      }
    }
    QCOMPARE(menuIndex + 1, topLevel.size());
    QVERIFY(!window_->MenuAction("mnuDisplay")->isEnabled());
    QVERIFY(!window_->MenuAction("mnuData")->isEnabled());
    QVERIFY(window_->MenuAction("mnuXData")->isEnabled());
  }

  void everyControlOfADialogHasItsWidget() {
    for (Window* model : {static_cast<Window*>(&program_->experiment.formTech),
                          static_cast<Window*>(&program_->experiment.formMech),
                          static_cast<Window*>(&program_->experiment.formExpr),
                          static_cast<Window*>(&program_->plot.formOption),
                          static_cast<Window*>(&program_->formCut),
                          static_cast<Window*>(&program_->formBackground)}) {
      QWidget* dialog = window_->Dialog(model->Name());
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->windowTitle(), QString::fromStdString(model->Caption()));
      for (const auto& control : model->Controls()) {
        QWidget* widget = dialog->findChild<QWidget*>(QString::fromStdString(control->FullName()));
        QVERIFY2(widget != nullptr, control->FullName().c_str());
        QCOMPARE(widget->toolTip(), QString::fromStdString(control->ToolTip()));
      }
    }
  }

  void fieldEditsReachTheModelAndDerivedLabelsFollow() {
    window_->Invoke("mnuExperimental");
    QVERIFY(Expr().isVisible());
    Retype(In<QLineEdit>(Expr(), "Estep"), "0.01");
    QCOMPARE(program_->experiment.formExpr.Estep().Text(), std::string("0.01"));
    QCOMPARE(In<QLineEdit>(Expr(), "td")->text(), QString("1"));  // 0.01 V / 0.01 V/s
    QVERIFY(In<QLineEdit>(Expr(), "td")->isReadOnly());
    // Electrode 2 at r = 0.2821 cm: 4 pi r^2 = 1.00003 cm^2; the radius field appears.
    QVERIFY(!In<QLineEdit>(Expr(), "radius")->isVisibleTo(&Expr()));
    QTest::mouseClick(In<QRadioButton>(Expr(), "optElectrode(2)"), Qt::LeftButton);
    QVERIFY(program_->experiment.settings.Electrode() == ElectrodeCode::Spherical);
    QVERIFY(In<QLineEdit>(Expr(), "radius")->isVisibleTo(&Expr()));
    QCOMPARE(In<QLineEdit>(Expr(), "ARE")->text(), QString("1e0"));
    Retype(In<QLineEdit>(Expr(), "radius"), "0.5642");  // 4 pi 0.5642^2 = 4.0001
    QCOMPARE(In<QLineEdit>(Expr(), "ARE")->text(), QString("4e0"));
    // A fit flag shows its bounds.
    QVERIFY(!In<QLineEdit>(Expr(), "TextCmin(5)")->isVisibleTo(&Expr()));
    In<QCheckBox>(Expr(), "CheckFitted(5)")->click();
    QVERIFY(In<QLineEdit>(Expr(), "TextCmin(5)")->isVisibleTo(&Expr()));
  }

  void mechanismRowsAndReactionLabelsFollow() {
    window_->Invoke("mnuMechamism");
    QWidget& mech = *window_->Dialog("FormMech");
    QTest::mouseClick(In<QRadioButton>(mech, "mech(9)"), Qt::LeftButton);
    QTest::mouseClick(In<QPushButton>(mech, "Command1"), Qt::LeftButton);
    QVERIFY(!mech.isVisible());
    window_->Invoke("mnuExperimental");
    QCOMPARE(In<QLabel>(Expr(), "homo(1)")->text(), QString("B=A"));
    QVERIFY(In<QLineEdit>(Expr(), "kf(1)")->isVisibleTo(&Expr()));
    QVERIFY(!In<QLineEdit>(Expr(), "D(3)")->isVisibleTo(&Expr()));
    Retype(In<QLineEdit>(Expr(), "kb(1)"), "0.1");
    QCOMPARE(In<QLabel>(Expr(), "LabelKeq(1)")->text(), QString("1e2"));  // 10 / 0.1
  }

  void turningBackToTheExperimentalDialogLaysItOutAgain() {
    window_->Invoke("mnuExperimental");
    QVERIFY(!In<QLineEdit>(Expr(), "TextF")->isVisibleTo(&Expr()));
    window_->Invoke("mnuTech");
    QWidget& tech = *window_->Dialog("FormTech");
    In<QRadioButton>(tech, "optTech(5)")->click();
    In<QPushButton>(tech, "CmdOK")->click();
    window_->activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == window_.get());
    Expr().activateWindow();  // square wave: frequency shown, pulse time derived
    QTRY_VERIFY(In<QLineEdit>(Expr(), "TextF")->isVisibleTo(&Expr()));
    QVERIFY(In<QLineEdit>(Expr(), "tp")->isReadOnly());
    QVERIFY(!In<QLineEdit>(Expr(), "V")->isVisibleTo(&Expr()));
  }

  void hiddenDialogsKeepTheirEntries() {
    window_->Invoke("mnuExperimental");
    Retype(In<QLineEdit>(Expr(), "C(1)"), "2e-3");
    QTest::mouseClick(In<QPushButton>(Expr(), "CmdOK"), Qt::LeftButton);
    QVERIFY(!Expr().isVisible());
    QVERIFY(!program_->experiment.formExpr.Visible());
    // Pre-equilibrated at E start: 2e-3 / (1 + exp(-F/RT 0.2 V)) = 2e-3 / 1.000416 M
    QCOMPARE(In<QLabel>(Expr(), "Cinit(1)")->text(), QString("1.999e-3"));
    window_->Invoke("mnuExperimental");
    QVERIFY(Expr().isVisible());
    QCOMPARE(In<QLineEdit>(Expr(), "C(1)")->text(), QString("2e-3"));
  }

  void theCutDialogEnablesTheFieldsOfItsChoiceAndCuts() {
    FormExpr& expr = program_->experiment.formExpr;
    expr.Choose(expr.ComboScan(), 1);  // one cycle there and back: two segments
    window_->Invoke("mnuSimulate");
    const int points = program_->curves.PointCount;
    window_->Invoke("mnuCut");
    QWidget& cut = *window_->Dialog("FormCut");
    QVERIFY(cut.isVisible());
    QVERIFY2(In<QLabel>(cut, "LabelSweeps")->text().startsWith("The curves have 1 cycle and 2"),
             qPrintable(In<QLabel>(cut, "LabelSweeps")->text()));
    QVERIFY(!In<QLineEdit>(cut, "txtFirst")->isEnabled());
    QTest::mouseClick(In<QRadioButton>(cut, "optSegments"), Qt::LeftButton);
    QVERIFY(In<QLineEdit>(cut, "txtFirst")->isEnabled());
    QVERIFY(!In<QLineEdit>(cut, "txtCycle")->isEnabled());
    Retype(In<QLineEdit>(cut, "txtFirst"), "2");
    QTest::mouseClick(In<QPushButton>(cut, "CmdOK"), Qt::LeftButton);
    QVERIFY(!cut.isVisible());
    QCOMPARE(program_->curves.PointCount, points / 2 + 1);  // the second sweep and its vertex
  }

  void simulateDrawsThePlotAndEnablesTheMenus() {
    QCOMPARE(InkInside(window_->Plot().Image()), 0);
    window_->Invoke("mnuSimulate");
    QVERIFY(window_->Plot().isVisible());
    QVERIFY(InkInside(window_->Plot().Image()) > 300);
    QVERIFY(window_->MenuAction("mnuDisplay")->isEnabled());
    QVERIFY(window_->MenuAction("mnuData")->isEnabled());
  }

  void resizingThePlotWindowDrawsItAgainFromTheStore() {
    window_->Invoke("mnuSimulate");
    program_->plot.formPlot.picture.Clear();  // the picture only: the curves stay in the store
    window_->Plot().update();
    QTRY_COMPARE(InkInside(window_->Plot().Image()), 0);
    window_->Plot().parentWidget()->resize(500, 400);
    QTRY_VERIFY(InkInside(window_->Plot().Image()) > 300);
    // Display > Clear takes the curves with the picture: a resize has nothing to draw, and
    // says nothing.
    window_->Invoke("mnuClear");
    window_->Plot().parentWidget()->resize(560, 420);
    QTest::qWait(400);
    QCOMPARE(InkInside(window_->Plot().Image()), 0);
    QCOMPARE(program_->curves.CurveCount, 0);
  }

  void copyPutsThePlotWindowImageOnTheClipboard() {
    window_->Invoke("mnuSimulate");
    QGuiApplication::clipboard()->setText("old");
    window_->Invoke("mnuCopyto");
    const QImage image = QGuiApplication::clipboard()->image();
    QCOMPARE(image.size(), window_->Plot().size());
    QVERIFY(InkInside(image) > 300);
  }

  void printingToAFileGivesAPage() {
    window_->Invoke("mnuSimulate");
    QTemporaryDir dir;
    const QString file = dir.filePath("plot.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    QVERIFY(!host_->PrintOn(program_->plot.formPlot.picture, printer));
    QFile pdf(file);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.size() > 1000);
    QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
    pdf.close();
    // A file the user made read-only is not printed over, and the failure is told.
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    const auto failure = host_->PrintOn(program_->plot.formPlot.picture, printer);
    QVERIFY(failure);
    QCOMPARE(QString::fromStdString(*failure), file + " is read-only");
  }

  void fileDialogFiltersTakeTheToolkitsForm() {
    QCOMPARE(QtHost::DialogFilter("csv|*.csv|all|*.*"), QString("csv (*.csv);;all (*.*)"));
    QCOMPARE(QtHost::DialogFilter("parameter (*.par)|*.par|all|*.*"),
             QString("parameter (*.par);;all (*.*)"));
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopTest)
#include "desktop_test.moc"
