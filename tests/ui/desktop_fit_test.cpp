// A fit in the desktop program: its lines and its curve as it goes, and its Cancel.
#include <functional>
#include <memory>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "base/number_format.h"
#include "shell/program.h"
#include "started_desktop.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

namespace vorex::ui {

// The desktop host, watched wherever a computation asks whether to stop.
class WatchedHost : public QtHost {
 public:
  bool CancelRequested() override {
    if (onAsk) onAsk();
    return QtHost::CancelRequested();
  }
  std::function<void()> onAsk;
};

// The picture's count of drawings at each paint of the plot window while a fit runs.
class PaintWatch : public QObject {
 public:
  PaintWatch(QWidget& plot, const Program& program) : program_(program) {
    plot.installEventFilter(this);
  }
  std::vector<std::size_t> painted;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && program_.fit.running) {
      painted.push_back(program_.plot.formPlot.picture.Drawings());
    }
    return false;
  }

 private:
  const Program& program_;
};

class DesktopFitTest : public QObject, private StartedDesktop<WatchedHost> {
  Q_OBJECT

 private:
  FormExpr& Expr() { return program_->experiment.formExpr; }
  QStringList ResultLines() {
    auto* view = window_->findChild<QPlainTextEdit*>("FormResultText");
    if (view == nullptr) qFatal("no result window");
    return view->toPlainText().split('\n');
  }
  static int Count(const QStringList& lines, const QString& start) {
    int n = 0;
    for (const QString& line : lines) n += line.startsWith(start) ? 1 : 0;
    return n;
  }
  QDialog* Progress() { return window_->findChild<QDialog*>("FitProgress"); }

  // A quasi-reversible curve simulated with E0 = 0.05 V, ks = 1e-3 cm/s, alpha = 0.45, then an
  // Auto Fit of the three from 0.07 V, 2e-3 cm/s and 0.5 against it, pressing `cancel` on the
  // Cancel window once the result window shows two iterations' lines.
  void FitAndCancel(const std::function<void(QDialog&)>& cancel) {
    program_->experiment.formTech.SetCheck(program_->experiment.formTech.CheckDigital(), false);
    Expr().SetCheck(Expr().CheckPreEqu(), false);
    Expr().Type(Expr().Eze(1), "0.05");
    Expr().Type(Expr().ks(1), "1e-3");
    Expr().Type(Expr().alph(1), "0.45");
    window_->Invoke("mnuSimulate");
    const std::size_t simulated = program_->plot.formPlot.picture.Items().size();
    Expr().Type(Expr().Eze(1), "0.07");
    Expr().Type(Expr().ks(1), "2e-3");
    Expr().Type(Expr().alph(1), "0.5");
    Expr().SetCheck(Expr().CheckFitted(1), false);
    for (int slot : {5, 8, 11}) Expr().SetCheck(Expr().CheckFitted(slot), true);

    const std::size_t drawingsBefore = program_->plot.formPlot.picture.Drawings();
    PaintWatch watch(window_->Plot(), *program_);
    int liveLines = 0;
    bool reportWhileRunning = false, redrawn = false, pressed = false;
    host_->onAsk = [&] {
      const QStringList lines = ResultLines();
      const int n = Count(lines, "Least square = ");
      if (n > liveLines) {
        liveLines = n;
        // Two curves, measured and fitted, where the simulation drew one.
        redrawn = redrawn || program_->plot.formPlot.picture.Items().size() > simulated;
      }
      reportWhileRunning = reportWhileRunning || Count(lines, "No. of iteration = ") > 0;
      QDialog* progress = Progress();
      // Cancel once the plot window has shown a curve the fit drew.
      const bool shown = !watch.painted.empty() && watch.painted.back() > drawingsBefore;
      if (n >= 2 && shown && !pressed && progress != nullptr && progress->isVisible()) {
        pressed = true;
        cancel(*progress);
      }
    };
    // Earlier results stay above the fit's lines.
    program_->formResult.Print("Earlier result");
    window_->Invoke("mnuAutoFit");
    host_->onAsk = nullptr;

    QVERIFY(pressed);
    QVERIFY(liveLines >= 2);
    QVERIFY(!reportWhileRunning);
    QVERIFY(redrawn);
    QVERIFY(!Progress()->isVisible());
    QVERIFY(!program_->fit.fitting);
    // The report of the last accepted point, then the line that says the fit was cancelled.
    const QStringList lines = ResultLines();
    QCOMPARE(lines.mid(0, 3), QStringList({"Earlier result", "", "Auto Fit"}));
    // Flag 1 would say the iteration limit ended the fit; the manual gives a cancelled one 0.
    const QStringList flag = lines.filter(QRegularExpression("^Convergence flag = "));
    QCOMPARE(flag.size(), 1);
    QCOMPARE(flag.front().section('=', 1).trimmed(), QString("0"));
    QCOMPARE(Count(lines, "No. of iteration = "), 1);
    QCOMPARE(Count(lines, "Least square = "), liveLines + 1);
    const int iterations = liveLines;  // each ended iteration printed its line
    QCOMPARE(lines.last(), QString("The fit was cancelled after iteration %1; the values are "
                                   "those of the last accepted point.")
                               .arg(iterations));
    // The dialogs as after a finished fit: the fitted values in the captions, the fields as typed.
    QCOMPARE(Expr().CheckFitted(11).Caption(),
             FormatPattern(program_->fit.problem.x(3), "0.###e-#"));
    QCOMPARE(Expr().Eze(1).Text(), std::string("0.07"));
    QCOMPARE(program_->experiment.parameterSet.E0(1), 0.07);
  }

  void Prepare(WatchedHost& host) override {
    host.SetCancelDelay(0);  // the Cancel window at once, not after a second
  }
 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  void escapeOnTheCancelWindowEndsTheFitWithItsReport() {
    FitAndCancel([](QDialog& progress) { QTest::keyClick(&progress, Qt::Key_Escape); });
  }

  void theCancelButtonEndsTheFitWithItsReport() {
    FitAndCancel([](QDialog& progress) {
      auto* button = progress.findChild<QPushButton*>("Cancel");
      QVERIFY(button != nullptr);
      QCOMPARE(button->text(), QString("Cancel"));
      QTest::mouseClick(button, Qt::LeftButton);
    });
  }

  void theCancelWindowSaysWhatRuns() {
    QString shown;
    host_->onAsk = [&] {
      if (Progress() != nullptr && Progress()->isVisible() && shown.isEmpty()) {
        shown = Progress()->findChild<QLabel*>()->text();
      }
    };
    program_->experiment.formTech.Click(
        program_->experiment.formTech.optTech(3));  // digital normal pulse: asks each point
    window_->Invoke("mnuSimulate");
    QCOMPARE(shown, QString("Simulating…"));
    QVERIFY(!Progress()->isVisible());
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopFitTest)
#include "desktop_fit_test.moc"
