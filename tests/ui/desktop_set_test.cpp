// The Fit Several Curves window on the offscreen platform: thin checks that its widgets mirror
// the set and the Experimental dialog (the logic is tested below the toolkit, in
// tests/shell/global_fit_window_test.cpp), its plot, and a fit cancelled from the Cancel window.
#include <functional>
#include <memory>

#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "shell/program.h"
#include "shell/set_plot.h"
#include "started_desktop.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"
#include "ui/set_fit_window.h"

namespace vorex::ui {

// The desktop host with its messages kept rather than shown, watched wherever a computation asks
// whether to stop.
class QuietHost : public QtHost {
 public:
  void MessageBox(const std::string& text) override { messages.push_back(text); }
  void Message(const std::string& text, MessageKind) override { messages.push_back(text); }
  bool CancelRequested() override {
    if (onAsk) onAsk();
    return QtHost::CancelRequested();
  }
  std::vector<std::string> messages;
  std::function<void()> onAsk;
};

class DesktopSetTest : public QObject, private StartedDesktop<QuietHost> {
  Q_OBJECT

 private:
  FormExpr& Expr() { return program_->experiment.formExpr; }
  SetFitWindow& Set() { return *static_cast<SetFitWindow*>(window_->Dialog("FormGlobalFit")); }
  QAbstractItemModel& Table() { return *Set().Table().model(); }
  QString Cell(int row, int column) { return Table().index(row, column).data().toString(); }
  // A digital linear sweep simulated as the dialog stands, at `rate` V/s, as a curve of the set.
  void AddSimulated(const char* rate, const char* name) {
    Expr().Type(Expr().V(), rate);
    window_->Invoke("mnuSimulate");
    const CurveStore& c = program_->curves;
    SetCurve curve{name, {}, {}, {}};
    for (int i = 1; i <= c.PointCount; ++i) {
      curve.potential.push_back(c.Abscissa(i));
      curve.current.push_back(c.Ordinate(i, c.CurrentCurve));
    }
    QVERIFY(!AddSetCurve(program_->globalFit, std::move(curve)));
  }
  // Pixels within 24 of the colour in each channel.
  static int PixelsOf(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor p = image.pixelColor(x, y);
        count += std::abs(p.red() - colour.red()) < 24 &&
                         std::abs(p.green() - colour.green()) < 24 &&
                         std::abs(p.blue() - colour.blue()) < 24
                     ? 1
                     : 0;
      }
    }
    return count;
  }

  void Prepare(QuietHost& host) override { host.SetCancelDelay(0); }

 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  void theRunMenuOpensItWithinASmallScreen() {
    window_->Invoke("mnuGlobalFit");
    QVERIFY(Set().isVisible());
    QCOMPARE(Set().windowTitle(), QString("Fit Several Curves"));
    // Within 1280 x 800, title bar and panel included.
    QVERIFY(Set().width() <= 1240);
    QVERIFY(Set().height() <= 730);
    QCOMPARE(Table().columnCount(), 11);
    QCOMPARE(Table().headerData(4, Qt::Horizontal).toString(), QString("scan rate [V/s]"));
    QTest::keyClick(&Set(), Qt::Key_Escape);
    QVERIFY(!program_->formGlobalFit.Visible());
  }

  void aCellEditGoesToTheCurveAndARefusalLeavesIt() {
    AddSimulated("0.1", "fast");
    window_->Invoke("mnuGlobalFit");
    QCOMPARE(Table().rowCount(), 1);
    QCOMPARE(Cell(0, 1), QString("fast"));
    // Empty: the dialog's 0.1 V/s, in grey.
    QCOMPARE(Cell(0, 4), QString("0.1"));
    QCOMPARE(Table().index(0, 4).data(Qt::EditRole).toString(), QString());
    QVERIFY(Table().index(0, 4).data(Qt::ForegroundRole).isValid());
    Table().setData(Table().index(0, 4), "0.2", Qt::EditRole);
    QTRY_COMPARE(Cell(0, 4), QString("0.2"));
    QVERIFY(!Table().index(0, 4).data(Qt::ForegroundRole).isValid());
    Table().setData(Table().index(0, 4), "-1", Qt::EditRole);
    QTRY_COMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0], std::string("The scan rate must be greater than 0 V/s; got -1."));
    QCOMPARE(Cell(0, 4), QString("0.2"));
    Table().setData(Table().index(0, 4), "", Qt::EditRole);
    QTRY_COMPARE(Table().index(0, 4).data(Qt::EditRole).toString(), QString());
    QVERIFY(program_->globalFit.curves[0].own.empty());
  }

  void thePerCurveTicksFollowTheExperimentalDialog() {
    window_->Invoke("mnuGlobalFit");
    auto* perCurve = In<QCheckBox>(Set(), "CheckPerCurve(11)");
    QVERIFY(!perCurve->isVisibleTo(&Set()));
    window_->Invoke("mnuExperimental");
    QWidget& expr = *window_->Dialog("FormExpr");
    In<QCheckBox>(expr, "CheckFitted(11)")->click();
    QVERIFY(perCurve->isVisibleTo(&Set()));
    perCurve->click();
    QCOMPARE(program_->globalFit.perCurveSlots, std::vector<int>{11});
  }

  void thePlotDrawsEachCurveInItsOwnColour() {
    AddSimulated("0.1", "fast");
    AddSimulated("0.01", "slow");
    window_->Invoke("mnuGlobalFit");
    const QImage image = Set().Plot().grab().toImage();
    QVERIFY(PixelsOf(image, SetPlotView::Colour(1)) > 200);
    QVERIFY(PixelsOf(image, SetPlotView::Colour(2)) > 200);
    QCOMPARE(PixelsOf(image, SetPlotView::Colour(3)), 0);
  }

  // E°, ks and α of two scan rates from 0.07 V, 2e-3 cm/s and 0.5, simulated with 0.05 V,
  // 1e-3 cm/s and 0.45; Cancel once the result window shows an iteration's line.
  void aFitCancelledFromItsWindowKeepsTheLastAcceptedPoint() {
    Expr().Type(Expr().Eze(1), "0.05");
    Expr().Type(Expr().ks(1), "1e-3");
    Expr().Type(Expr().alph(1), "0.45");
    AddSimulated("0.1", "fast");
    AddSimulated("0.01", "slow");
    QVERIFY(!EditSetCell(program_->globalFit, program_->experiment.settings, 1, 0, "0.1"));
    Expr().Type(Expr().Eze(1), "0.07");
    Expr().Type(Expr().ks(1), "2e-3");
    Expr().Type(Expr().alph(1), "0.5");
    Expr().SetCheck(Expr().CheckFitted(1), false);
    for (int slot : {5, 8, 11}) Expr().SetCheck(Expr().CheckFitted(slot), true);
    window_->Invoke("mnuGlobalFit");
    auto* result = window_->findChild<QPlainTextEdit*>("FormResultText");
    bool pressed = false;
    host_->onAsk = [&] {
      auto* progress = window_->findChild<QDialog*>("FitProgress");
      if (!pressed && progress != nullptr && progress->isVisible() &&
          result->toPlainText().contains("Least square = ")) {
        pressed = true;
        QTest::mouseClick(progress->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
      }
    };
    QTest::mouseClick(In<QPushButton>(Set(), "CmdFit"), Qt::LeftButton);
    host_->onAsk = nullptr;
    QVERIFY(pressed);
    QVERIFY(host_->messages.empty());
    QVERIFY(program_->globalFit.last);
    QVERIFY(program_->globalFit.last->fit.cancelled);
    QVERIFY(result->toPlainText().contains("The fit was cancelled after iteration"));
    // The plot and the table show the fit it ended with.
    QVERIFY(FitOfTheCurves(program_->globalFit) != nullptr);
    QVERIFY(!Cell(0, 10).isEmpty());
    QVERIFY(In<QLabel>(Set(), "LabelSet")->text().contains("cancelled"));
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopSetTest)
#include "desktop_set_test.moc"
