// The windows keeping their places while the user works: the status bar's height, the cascade,
// the Experimental dialog's width; Export Plot's files; the message icons by kind.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QRegion>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <functional>
#include <vector>

#include "shell/program.h"
#include "started_desktop.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

namespace vorex::ui {

// The desktop host with the save dialog's answer given and, unless told to show them, its
// messages kept with their kinds instead of shown.
class AnsweringHost : public QtHost {
 public:
  std::optional<std::string> SaveFileName(const std::string&) override { return saveAs; }
  void Message(const std::string& text, MessageKind kind) override {
    if (show) return QtHost::Message(text, kind);
    messages.push_back(text);
    kinds.push_back(kind);
  }
  std::optional<std::string> saveAs;
  bool show = false;
  std::vector<std::string> messages;
  std::vector<MessageKind> kinds;
};

class DesktopWindowsTest : public QObject, private StartedDesktop<AnsweringHost> {
  Q_OBJECT

 private:
  QStatusBar& Bar() { return *window_->statusBar(); }
  QMdiArea& Area() { return *window_->findChild<QMdiArea*>(); }
  QWidget& Expr() { return *window_->Dialog("FormExpr"); }

  // Export Plot of the simulated curve into `file`, answering the size question with `answer`.
  void ExportPlot(const QString& file, const std::function<void(QDialog&)>& answer) {
    host_->saveAs = file.toStdString();
    QTimer::singleShot(0, [answer] {
      auto* question = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (question == nullptr || question->objectName() != "ExportSize") qFatal("no size question");
      answer(*question);
    });
    window_->Invoke("mnuExportPlot");
  }
  // Width, height, unit (0 pixels, 1 mm) and resolution typed into the size question.
  static void Answer(QDialog& question, double width, double height, int unit, double dpi) {
    question.findChild<QDoubleSpinBox*>("Width")->setValue(width);
    question.findChild<QDoubleSpinBox*>("Height")->setValue(height);
    question.findChild<QComboBox*>("Unit")->setCurrentIndex(unit);
    question.findChild<QDoubleSpinBox*>("Resolution")->setValue(dpi);
    question.accept();
  }

 private slots:
  void init() {
    Start();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() { Stop(); }

  // The first readout and a confirmation leave the status bar, and so the plot window above it,
  // as they were.
  void theStatusBarKeepsItsHeight() {
    window_->Invoke("mnuSimulate");
    QApplication::processEvents();
    const int areaHeight = Area().height();  // what the status bar leaves of the main window
    QWidget& plot = window_->Plot();
    QTest::mouseMove(&plot, plot.rect().center());
    QTRY_VERIFY(Bar().currentMessage().startsWith("E = "));
    QApplication::processEvents();
    QCOMPARE(Area().height(), areaHeight);
    host_->StatusLine("Plot exported to a.png");
    QCOMPARE(Bar().currentMessage(), QString("Plot exported to a.png"));
    QApplication::processEvents();
    QCOMPARE(Area().height(), areaHeight);
  }

  // After Cascade every window's whole title bar shows: none lies under a window above it.
  void theCascadeLeavesEveryTitleBarInSight() {
    window_->findChild<QAction*>("mnuCascade")->trigger();
    const QList<QMdiSubWindow*> order = Area().subWindowList(QMdiArea::StackingOrder);
    QCOMPARE(order.size(), 2);  // the plot and the result window
    for (qsizetype i = 0; i < order.size(); ++i) {
      QMdiSubWindow* w = order[i];
      const int titleBar = w->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, w);
      QRegion title(QRect(w->geometry().topLeft(), QSize(w->width(), titleBar)));
      for (qsizetype above = i + 1; above < order.size(); ++above) {
        title -= order[above]->geometry();
      }
      QCOMPARE(title.boundingRect().size(), QSize(w->width(), titleBar));
      QCOMPARE(title.rectCount(), 1);
      QVERIFY(Area().viewport()->rect().contains(w->geometry()));
    }
  }

  // Ticking a fitted box shows its bounds: their columns were theirs from the start, so the
  // dialog keeps its width.
  void theExperimentalDialogKeepsItsWidth() {
    window_->Invoke("mnuExperimental");
    QVERIFY(QTest::qWaitForWindowExposed(&Expr()));
    const int width = Expr().width();
    auto* fitted = Expr().findChild<QCheckBox*>("CheckFitted(5)");
    QVERIFY(fitted != nullptr && fitted->isVisible());
    QTest::mouseClick(fitted, Qt::LeftButton, {}, QPoint(4, fitted->height() / 2));
    QTRY_VERIFY(fitted->isChecked());
    QTRY_VERIFY(Expr().findChild<QWidget*>("TextCmin(5)")->isVisible());
    QApplication::processEvents();
    QCOMPARE(Expr().width(), width);
  }

  // A PNG at the size asked: 300 × 200 pixels, or 50.8 × 25.4 mm at 150 dpi = 2 × 1 inch =
  // 300 × 150 pixels; its resolution 150 dpi = 150 / 0.0254 = 5905.5 dots per metre.
  void theExportedPngHasTheChosenSize() {
    window_->Invoke("mnuSimulate");
    QTemporaryDir dir;
    const QString file = dir.filePath("plot.png");
    ExportPlot(file, [](QDialog& q) { Answer(q, 300, 200, 0, 96); });
    QCOMPARE(QImage(file).size(), QSize(300, 200));
    QCOMPARE(Bar().currentMessage(), "Plot exported to " + file);
    ExportPlot(file, [](QDialog& q) { Answer(q, 50.8, 25.4, 1, 150); });
    const QImage image(file);
    QCOMPARE(image.size(), QSize(300, 150));
    QVERIFY(std::abs(image.dotsPerMeterX() - 150 / 0.0254) <= 1);
    QVERIFY(host_->messages.empty());
  }

  // The size question offers the plot window's own size: in pixels at 96 dpi for a bitmap, in
  // millimetres (pixels × 25.4 / 96) at 300 dpi for a drawing.
  void theSizeQuestionOffersThePlotWindow() {
    const QSize plot = window_->Plot().size();
    QTemporaryDir dir;
    double width = 0, dpi = 0;
    int unit = -1;
    const auto read = [&](QDialog& q) {
      width = q.findChild<QDoubleSpinBox*>("Width")->value();
      unit = q.findChild<QComboBox*>("Unit")->currentIndex();
      dpi = q.findChild<QDoubleSpinBox*>("Resolution")->value();
      q.reject();
    };
    ExportPlot(dir.filePath("a.png"), read);
    QCOMPARE(width, static_cast<double>(plot.width()));
    QCOMPARE(unit, 0);
    QCOMPARE(dpi, 96.0);
    ExportPlot(dir.filePath("a.pdf"), read);
    QCOMPARE(width, std::round(plot.width() * 25.4 / 96));
    QCOMPARE(unit, 1);
    QCOMPARE(dpi, 300.0);
    QVERIFY(QDir(dir.path()).isEmpty());  // nothing written when the question is cancelled
  }

  // The SVG is a well-formed document, the PDF a whole one.
  void theExportedDrawingsAreWholeDocuments() {
    window_->Invoke("mnuSimulate");
    QTemporaryDir dir;
    ExportPlot(dir.filePath("plot.svg"), [](QDialog& q) { Answer(q, 160, 120, 1, 300); });
    QFile svg(dir.filePath("plot.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    int elements = 0;
    while (!xml.atEnd()) elements += xml.readNext() == QXmlStreamReader::StartElement ? 1 : 0;
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(elements > 10);  // the frame, the axes' text and the curve

    ExportPlot(dir.filePath("plot.pdf"), [](QDialog& q) { Answer(q, 160, 120, 1, 300); });
    QFile pdf(dir.filePath("plot.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    QVERIFY(host_->messages.empty());
  }

  // A file that cannot be written is a fault: the critical message, and nothing left behind.
  void aPathThatCannotBeWrittenLeavesNothing() {
    window_->Invoke("mnuSimulate");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("taken.png"));
    ExportPlot(dir.filePath("taken.png"), [](QDialog& q) { Answer(q, 100, 100, 0, 96); });
    QCOMPARE(host_->kinds, std::vector<MessageKind>{MessageKind::Critical});
    QVERIFY(host_->messages.front().find("taken.png") != std::string::npos);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"taken.png"});
    QVERIFY(QDir(dir.filePath("taken.png")).isEmpty());
  }

  // Each kind of message has its own icon.
  void aMessageShowsTheIconOfItsKind() {
    host_->show = true;
    const std::pair<MessageKind, QMessageBox::Icon> kinds[] = {
        {MessageKind::Information, QMessageBox::Information},
        {MessageKind::Warning, QMessageBox::Warning},
        {MessageKind::Critical, QMessageBox::Critical}};
    for (const auto& [kind, icon] : kinds) {
      QMessageBox::Icon shown = QMessageBox::NoIcon;
      QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) qFatal("no message box");
        shown = box->icon();
        box->accept();
      });
      host_->Message("Text", kind);
      QCOMPARE(shown, icon);
    }
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopWindowsTest)
#include "desktop_windows_test.moc"
