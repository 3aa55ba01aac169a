// The plot to explore on the offscreen platform: each curve in its colour, the legend, the curves
// clipped to the frame, the readout of the point under the mouse and the zoom.
#include <cmath>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QtTest>

#include "base/number_text.h"
#include "shell/curve_names.h"
#include "shell/program.h"
#include "started_desktop.h"
#include "ui/main_window.h"
#include "ui/plot_painter.h"
#include "ui/plot_zoom.h"
#include "ui/qt_host.h"

namespace vorex::ui {

class DesktopPlotTest : public QObject, private StartedDesktop<> {
  Q_OBJECT

 private:
  PlotView& Plot() { return window_->Plot(); }
  const DrawingList& Picture() { return program_->plot.formPlot.picture; }
  QWidget& Option() { return *window_->Dialog("formOption"); }
  // The analytical simulation of the Techniques dialog's first technique: the default sweep
  // from 0.3 V to -0.3 V, peak current near 8.5e-5 A.
  void Analytical() {
    FormTech& tech = program_->experiment.formTech;
    tech.SetCheck(tech.CheckDigital(), false);
    tech.Click(tech.optTech(1));
  }
  // The frame of the picture on the plot window [pixels].
  QRectF DeviceFrame() {
    const std::optional<PictureFrame> frame = FrameOf(Picture());
    if (!frame) qFatal("nothing drawn");
    return frame->DeviceFrame(QRectF(Plot().rect()));
  }
  // A pixel of the curve's colour: the hue of the palette colour (antialiasing mixes it with
  // white or black only, which keeps the hue) and clearly coloured.
  static bool OfColour(QRgb pixel, const QColor& colour) {
    const QColor c = QColor::fromRgb(pixel);
    if (c.hsvSaturation() < 80 || c.value() < 60) return false;
    const int d = std::abs(c.hsvHue() - colour.hsvHue());
    return std::min(d, 360 - d) <= 6;
  }
  static bool Coloured(QRgb pixel) {
    const QColor c = QColor::fromRgb(pixel);
    return c.hsvSaturation() >= 60 && c.value() >= 60;
  }
  static int CountIn(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y) {
      for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x) {
        if (OfColour(image.pixel(x, y), colour)) ++count;
      }
    }
    return count;
  }
  // The mouse moved over the plot with no button held (QTest's move may only place the cursor).
  void MoveMouse(QPoint pixel) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pixel), Plot().mapToGlobal(QPointF(pixel)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&Plot(), &move);
  }
  // The zoom and the automatic ranges as the main window hands them to the models.
  void WireZoom() {
    Plot().onZoom = [this](double xMin, double xMax, double yMin, double yMax) {
      ZoomPlot(*program_, xMin, xMax, yMin, yMax);
      Plot().update();
    };
    Plot().onAutoRange = [this] {
      AutoRanges(*program_);
      Plot().update();
    };
  }
  bool AutoTicked(const char* name) {
    const bool model = program_->plot.formOption.Find(name)->Checked();
    const bool widget = In<QCheckBox>(Option(), name)->isChecked();
    if (model != widget) qFatal("%s: the widget does not follow the model", name);
    return model;
  }

 private slots:
  void init() { Start(); }
  void cleanup() { Stop(); }

  // (a) Each curve in its own colour of the palette, inside the frame, on the window and on the
  // clipboard; the axes stay black.
  void overlappedCurvesHaveTheirOwnColours() {
    window_->Invoke("mnuSimulate");  // curve 1
    program_->plot.formOption.SetCheck(program_->plot.formOption.overlap(), true);
    window_->Invoke("mnuSimulate");  // curve 2 beside it
    QCOMPARE(program_->curves.CurveCount, 2);
    const QImage image = Plot().Image();
    const QRect frame = DeviceFrame().toAlignedRect();
    QVERIFY(CountIn(image, frame, QColor("#0072B2")) > 200);  // curve 1, blue markers
    QVERIFY(CountIn(image, frame, QColor("#D55E00")) > 200);  // curve 2, vermillion line
    QCOMPARE(CountIn(image, frame, QColor("#009E73")), 0);    // no curve 3
    // The frame's left edge is drawn in black.
    const int y = frame.center().y();
    bool black = false;
    for (int x = frame.left() - 1; x <= frame.left() + 1; ++x) {
      if (qGray(image.pixel(x, y)) < 100 && !Coloured(image.pixel(x, y))) black = true;
    }
    QVERIFY(black);
    window_->Invoke("mnuCopyto");
    const QImage copied = QGuiApplication::clipboard()->image();
    QVERIFY(CountIn(copied, frame, QColor("#0072B2")) > 200);
    QVERIFY(CountIn(copied, frame, QColor("#D55E00")) > 200);
  }

  // (b) The legend names the curves in the order drawn, with the style each is drawn in.
  void theLegendListsTheCurves() {
    window_->Invoke("mnuSimulate");
    program_->plot.formOption.SetCheck(program_->plot.formOption.overlap(), true);
    window_->Invoke("mnuSimulate");
    window_->Invoke("mnuSimulate");
    const std::vector<LegendEntry> legend = LegendOf(Picture());
    QCOMPARE(legend.size(), std::size_t{3});
    QCOMPARE(legend[0].curve, 1);
    // Three runs of the same settings: each named by its technique and mechanism.
    const std::string kind = "sim lsv, simple charge reaction";
    QCOMPARE(legend[0].name, kind);
    QVERIFY(legend[0].style == CurveStyle::Markers);
    QCOMPARE(legend[1].name, kind);
    QVERIFY(legend[1].style == CurveStyle::Line);
    QCOMPARE(legend[2].name, kind);
    QVERIFY(legend[2].style == CurveStyle::Dots);
    // The legend's samples show the third colour although the dots of curve 3 are single pixels.
    const QImage image = Plot().Image();
    QVERIFY(CountIn(image, DeviceFrame().toAlignedRect(), QColor("#009E73")) > 0);
  }

  // A double-click on a row of the legend asks to rename that curve, not for the automatic ranges.
  void aDoubleClickOnTheLegendAsksToRenameThatCurve() {
    WireZoom();
    int asked = 0;
    Plot().onRenameCurve = [&asked](int curve) { asked = curve; };
    window_->Invoke("mnuSimulate");
    program_->plot.formOption.SetCheck(program_->plot.formOption.overlap(), true);
    window_->Invoke("mnuSimulate");
    Plot().grab();  // paints, and with it the legend's rows
    std::optional<QPoint> row2;
    for (int y = 0; y < Plot().height() && !row2; ++y) {
      for (int x = 0; x < Plot().width() && !row2; x += 2) {
        if (Plot().LegendCurveAt(QPointF(x, y)) == 2) row2 = QPoint(x, y);
      }
    }
    QVERIFY(row2);
    QTest::mouseDClick(&Plot(), Qt::LeftButton, {}, *row2);
    QCOMPARE(asked, 2);
    QVERIFY(AutoTicked("Xauto"));
    // Renamed, the legend shows the new name.
    QVERIFY(!RenameCurve(*program_, 2, "second run"));
    QCOMPARE(LegendOf(Picture())[1].name, std::string("second run"));
  }

  // (c) A rectangle dragged on the plot becomes the Option dialog's manual range; a double-click
  // and the Home key return to the automatic ranges.
  void aDraggedRectangleZoomsAndADoubleClickReturns() {
    WireZoom();
    window_->Invoke("mnuSimulate");
    QVERIFY(AutoTicked("Xauto"));
    QVERIFY(AutoTicked("Yauto"));
    const QRectF frame = DeviceFrame();
    const QPoint from =
        (frame.topLeft() + QPointF(frame.width() * 0.2, frame.height() * 0.3)).toPoint();
    const QPoint to =
        (frame.topLeft() + QPointF(frame.width() * 0.6, frame.height() * 0.7)).toPoint();
    const QPointF a = *Plot().WorldAt(from), b = *Plot().WorldAt(to);
    QTest::mousePress(&Plot(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&Plot(), (from + to) / 2);
    QTest::mouseMove(&Plot(), to);
    QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, to);
    QVERIFY(!AutoTicked("Xauto"));
    QVERIFY(!AutoTicked("Yauto"));
    FormOption& o = program_->plot.formOption;
    // X runs from positive to negative on the screen: the limits come sorted.
    const auto near = [](const std::string& text, double value) {
      return std::fabs(NumericPrefix(text) - value) <= 1e-3 * std::fabs(value);
    };
    QVERIFY(near(o.XminText().Text(), std::min(a.x(), b.x())));
    QVERIFY(near(o.XmaxText().Text(), std::max(a.x(), b.x())));
    QVERIFY(near(o.YminText().Text(), std::min(a.y(), b.y())));
    QVERIFY(near(o.YmaxText().Text(), std::max(a.y(), b.y())));
    QVERIFY(NumericPrefix(o.XminText().Text()) < NumericPrefix(o.XmaxText().Text()));
    for (const char* field : {"XminText", "XmaxText", "YminText", "YmaxText"}) {
      QLineEdit* edit = In<QLineEdit>(Option(), field);
      QCOMPARE(edit->text().toStdString(), o.Find(field)->Text());
      QVERIFY(edit->isVisibleTo(&Option()));
    }
    // The plot is drawn over the new range: its frame is the typed range.
    const std::optional<PictureFrame> zoomed = FrameOf(Picture());
    QVERIFY(zoomed);
    QCOMPARE(zoomed->xMin, NumericPrefix(o.XminText().Text()));
    QCOMPARE(zoomed->yMax, NumericPrefix(o.YmaxText().Text()));
    // A click that slips a pixel or two is no zoom.
    const std::string before = o.XminText().Text();
    QTest::mousePress(&Plot(), Qt::LeftButton, {}, from);
    QTest::mouseRelease(&Plot(), Qt::LeftButton, {}, from + QPoint(2, 1));
    QCOMPARE(o.XminText().Text(), before);

    QTest::mouseDClick(&Plot(), Qt::LeftButton, {}, from);
    QVERIFY(AutoTicked("Xauto"));
    QVERIFY(AutoTicked("Yauto"));
    QCOMPARE(program_->plot.state.XMax, 0.3);  // the automatic range again
    QVERIFY(!In<QLineEdit>(Option(), "XminText")->isVisibleTo(&Option()));

    ZoomPlot(*program_, 0.2, -0.1, 2e-5, 5e-5);  // limits in either order
    QCOMPARE(o.XminText().Text(), std::string("-0.1"));
    QCOMPARE(o.XmaxText().Text(), std::string("0.2"));
    QCOMPARE(o.YminText().Text(), std::string("2e-05"));
    QVERIFY(!AutoTicked("Yauto"));
    Plot().setFocus();
    QTest::keyClick(&Plot(), Qt::Key_Home);
    QVERIFY(AutoTicked("Xauto"));
    QVERIFY(AutoTicked("Yauto"));
  }

  // (d) A manual range narrower than the curves: nothing of them lies outside the frame.
  void curvesAreClippedToTheFrame() {
    window_->Invoke("mnuSimulate");
    program_->plot.formOption.SetCheck(program_->plot.formOption.overlap(), true);
    window_->Invoke("mnuSimulate");
    ZoomPlot(*program_, -0.2, 0.2, 1e-5, 4e-5);  // the peak of about 8.5e-5 A is cut off
    QCOMPARE(program_->curves.YMax, 4e-5);
    const QImage image = Plot().Image();
    const QRect inside = DeviceFrame().adjusted(-1, -1, 1, 1).toAlignedRect();
    int outside = 0, within = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (!Coloured(image.pixel(x, y))) continue;
        if (inside.contains(x, y)) {
          ++within;
        } else {
          ++outside;
        }
      }
    }
    QCOMPARE(outside, 0);
    QVERIFY(within > 200);
    // The window extends beyond the frame (a margin of 0.1 x 4e-5 above it), where the curve's
    // peak would otherwise have been drawn.
    QVERIFY(DeviceFrame().top() > 10);
  }

  // (e) The point under the mouse, by hand: the frame runs from 0.3 V on the left to -0.3 V on
  // the right (X from positive to negative) and from 1e-4 A at the top to 0 at the bottom.
  void theReadoutGivesThePointUnderTheMouse() {
    QVector<QString> told;
    Plot().onReadout = [&told](const QString& text) { told.push_back(text); };
    QCOMPARE(Plot().ReadoutAt(QPointF(100, 100)), QString());  // nothing drawn yet
    window_->Invoke("mnuSimulate");
    const QRectF f = DeviceFrame();
    // A quarter of the way across: E = 0.3 - 0.6 / 4 V; half way down: I = 1e-4 / 2 A.
    QCOMPARE(Plot().ReadoutAt(f.topLeft() + QPointF(f.width() / 4, f.height() / 2)),
             QString("E = 0.15 V   I = 5e-05 A"));
    const QPoint pixel = (f.topLeft() + QPointF(f.width() / 3, f.height() / 3)).toPoint();
    const double e = 0.3 - 0.6 * (pixel.x() - f.left()) / f.width();
    const double i = 1e-4 - 1e-4 * (pixel.y() - f.top()) / f.height();
    MoveMouse(pixel);
    QVERIFY(!told.isEmpty());
    QCOMPARE(told.back(),
             "E = " + QString::number(e, 'g', 4) + " V   I = " + QString::number(i, 'g', 4) + " A");
    // Outside the frame, in the margin: nothing.
    MoveMouse(QPoint(3, 3));
    QCOMPARE(told.back(), QString());
    // The title gives the quantity: the resistance in ohm.
    FormOption& o = program_->plot.formOption;
    o.Choose(o.ComboY(), 1);  // resistance R
    o.Click(o.OK());
    QVERIFY(Plot().ReadoutAt(DeviceFrame().center()).contains("   R = "));
    QVERIFY(Plot().ReadoutAt(DeviceFrame().center()).endsWith(" Ohm"));
  }

  // (f) Long labels keep their room: the frame moves in, and frame and labels stay inside.
  void longLabelsStayInsideTheWindow() {
    window_->Invoke("mnuSimulate");
    const QRectF plain = DeviceFrame();
    // Ordinates of thousands: labels down to "-12000" (steps of 2000).
    ZoomPlot(*program_, -0.3, 0.3, -12345.6, 789.1);
    const QRectF f = DeviceFrame();
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    const double label = QFontMetricsF(font).horizontalAdvance("-12000");
    QVERIFY(f.left() > label);
    QVERIFY(f.left() > plain.left());
    QVERIFY(QRectF(Plot().rect()).contains(f));
    QVERIFY(f.bottom() < Plot().height() - 2 * QFontMetricsF(font).height());
    // The labels are drawn: dark pixels left of the frame, none in the window's outer columns.
    const QImage image = Plot().Image();
    int dark = 0, edge = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < static_cast<int>(f.left()) - 2; ++x) {
        if (qGray(image.pixel(x, y)) < 128) (x < 2 ? edge : dark) += 1;
      }
    }
    QVERIFY(dark > 50);
    QCOMPARE(edge, 0);
  }

  // (g) A drag with the middle button moves the range with the mouse, as typed ranges; an arrow
  // key moves it by a tenth of the frame.
  void aDragWithTheMiddleButtonPans() {
    WireZoom();
    window_->Invoke("mnuSimulate");
    const QRectF f = DeviceFrame();
    const QPoint from = f.center().toPoint(), to = from + QPoint(40, 30);
    QTest::mousePress(&Plot(), Qt::MiddleButton, {}, from);
    MoveMouse(to);
    QTest::mouseRelease(&Plot(), Qt::MiddleButton, {}, to);
    QVERIFY(!AutoTicked("Xauto"));
    FormOption& o = program_->plot.formOption;
    // 40 pixels right on a reversed axis of 0.6 V: the range rises by 40 x 0.6 / width; 30
    // pixels down on 1e-4 A: it rises by 30 x 1e-4 / height.
    const double dx = 40 * 0.6 / f.width(), dy = 30 * 1e-4 / f.height();
    const auto near = [](const std::string& text, double value, double scale) {
      return std::fabs(NumericPrefix(text) - value) <= 1e-3 * scale;
    };
    QVERIFY(near(o.XminText().Text(), -0.3 + dx, 0.6));
    QVERIFY(near(o.XmaxText().Text(), 0.3 + dx, 0.6));
    QVERIFY(near(o.YminText().Text(), dy, 1e-4));
    QVERIFY(near(o.YmaxText().Text(), 1e-4 + dy, 1e-4));
    // Shift and the left button do the same; the way back is the automatic range.
    AutoRanges(*program_);
    QTest::mousePress(&Plot(), Qt::LeftButton, Qt::ShiftModifier, from);
    MoveMouse(to);
    QTest::mouseRelease(&Plot(), Qt::LeftButton, Qt::ShiftModifier, to);
    QVERIFY(near(o.XminText().Text(), -0.3 + dx, 0.6));
    AutoRanges(*program_);
    Plot().setFocus();
    QTest::keyClick(&Plot(), Qt::Key_Right);  // towards the right: lower potentials here
    QVERIFY(near(o.XminText().Text(), -0.36, 0.6));
    QVERIFY(near(o.XmaxText().Text(), 0.24, 0.6));
    QTest::keyClick(&Plot(), Qt::Key_Up);
    QVERIFY(near(o.YminText().Text(), 1e-5, 1e-4));
  }

  // (h) The context menu: copy, reset zoom, the logarithmic axis and the titles.
  void theContextMenuServesThePlot() {
    WireZoom();
    window_->Invoke("mnuSimulate");
    const std::unique_ptr<QMenu> menu = Plot().makeMenu();
    QVERIFY(menu);
    const auto item = [&menu](const QString& text) -> QAction* {
      for (QAction* a : menu->actions()) {
        if (a->text() == text) return a;
      }
      return nullptr;
    };
    QVERIFY(item("Copy"));
    QCOMPARE(item("Export Plot...") != nullptr, window_->MenuAction("mnuExportPlot") != nullptr);
    QGuiApplication::clipboard()->clear();
    item("Copy")->trigger();
    QVERIFY(!QGuiApplication::clipboard()->image().isNull());

    ZoomPlot(*program_, -0.1, 0.2, 1e-5, 5e-5);
    item("Reset Zoom")->trigger();
    QVERIFY(AutoTicked("Xauto"));
    QVERIFY(AutoTicked("Yauto"));

    QVERIFY(item("Log |I|")->isCheckable());
    item("Log |I|")->trigger();
    QVERIFY(AutoTicked("CheckLogY"));
    // The frame's middle is half way between its decades: 10^((low + high) / 2) A.
    const std::optional<PictureFrame> decades = FrameOf(Picture());
    QCOMPARE(decades->yMax, -4.0);  // the peak of about 8.5e-5 A lies below 1e-4 A
    const double middle = std::pow(10.0, (decades->yMin + decades->yMax) / 2);
    QVERIFY(Plot()
                .ReadoutAt(DeviceFrame().center())
                .endsWith("|I| = " + QString::number(middle, 'g', 4) + " A"));
    SetLogY(*program_, false);
    QVERIFY(!AutoTicked("CheckLogY"));

    SetAxisTitles(*program_, "E vs. SCE /V", "");
    QCOMPARE(In<QLineEdit>(Option(), "XTitle")->text(), QString("E vs. SCE /V"));
    bool shown = false;
    for (const auto& i : Picture().Items()) shown = shown || i.text == "E vs. SCE /V";
    QVERIFY(shown);
    QVERIFY(item("Axis Titles..."));
  }
};

}  // namespace vorex::ui

QTEST_MAIN(vorex::ui::DesktopPlotTest)
#include "desktop_plot_test.moc"
