#include "ui/plot_export.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>

#include "base/file_writing.h"
#include "base/runtime_fault.h"
#include "plot/svg_surface.h"
#include "ui/plot_painter.h"
#include "ui/plot_view.h"
#include "ui/qt_host.h"

namespace vorex::ui {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kScreenDpi = 96;  // the plot window's pixels; an SVG's unit (CSS px) as well
constexpr double kPrintDpi = 300;
// A picture larger than this many pixels a side is a typing error, not a plot.
constexpr int kLargestSide = 20000;

// The extent in millimetres of a size given in either unit.
QSizeF Millimetres(const ExportSize& s) {
  if (s.millimetres) return {s.width, s.height};
  return QSizeF(s.width, s.height) * (kMmPerInch / s.dpi);
}

// The physical extent as the screen's pixels: the proportions and the scale the picture is drawn
// with, so that text and lines keep their size on paper.
QSize ScreenPixels(const ExportSize& s) {
  const QSizeF mm = Millimetres(s) * (kScreenDpi / kMmPerInch);
  return {std::max(1, static_cast<int>(std::lround(mm.width()))),
          std::max(1, static_cast<int>(std::lround(mm.height())))};
}

QByteArray Png(const DrawingList& picture, const ExportSize& s) {
  QImage image = PictureImage(picture, PixelSize(s));
  const int dotsPerMetre = static_cast<int>(std::lround(s.dpi / kMmPerInch * 1000));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return bytes;
}

QByteArray Svg(const DrawingList& picture, const ExportSize& s) {
  const QSize size = ScreenPixels(s);
  SvgSurface svg(size.width(), size.height());
  try {
    picture.Replay(svg);
  } catch (const RuntimeFault&) {
    return {};
  }
  return QByteArray::fromStdString(svg.Document());
}

QByteArray Pdf(const DrawingList& picture, const ExportSize& s) {
  const QPageLayout page(QPageSize(Millimetres(s), QPageSize::Millimeter), QPageLayout::Portrait,
                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  return PdfDocument(picture, page, ScreenPixels(s));
}

QDoubleSpinBox* Number(double value, double largest, int decimals, const char* name,
                       QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(name);
  box->setDecimals(decimals);
  box->setRange(1, largest);
  box->setValue(value);
  return box;
}

}  // namespace

std::optional<PictureFormat> FormatOf(const QString& file) {
  const QString suffix = QFileInfo(file).suffix().toLower();
  if (suffix == "png") return PictureFormat::Png;
  if (suffix == "svg") return PictureFormat::Svg;
  if (suffix == "pdf") return PictureFormat::Pdf;
  return std::nullopt;
}

ExportSize DefaultExportSize(PictureFormat format, QSize plotWindow) {
  if (format == PictureFormat::Png) {
    return {static_cast<double>(plotWindow.width()), static_cast<double>(plotWindow.height()),
            false, kScreenDpi};
  }
  const double mm = kMmPerInch / kScreenDpi;
  return {std::round(plotWindow.width() * mm), std::round(plotWindow.height() * mm), true,
          kPrintDpi};
}

QSize PixelSize(const ExportSize& s) {
  const double perUnit = s.millimetres ? s.dpi / kMmPerInch : 1;
  const auto side = [&](double length) {
    return std::clamp(static_cast<int>(std::lround(length * perUnit)), 1, kLargestSide);
  };
  return {side(s.width), side(s.height)};
}

QByteArray PictureBytes(const DrawingList& picture, PictureFormat format, const ExportSize& size) {
  switch (format) {
    case PictureFormat::Png:
      return Png(picture, size);
    case PictureFormat::Svg:
      return Svg(picture, size);
    case PictureFormat::Pdf:
      return Pdf(picture, size);
  }
  return {};
}

ExportSizeDialog::ExportSizeDialog(const ExportSize& offered, QWidget* parent)
    : QDialog(parent),
      width_(Number(offered.width, kLargestSide, 1, "Width", this)),
      height_(Number(offered.height, kLargestSide, 1, "Height", this)),
      unit_(new QComboBox(this)),
      dpi_(Number(offered.dpi, 4800, 0, "Resolution", this)) {
  setObjectName("ExportSize");
  setWindowTitle("Export Plot");
  unit_->setObjectName("Unit");
  unit_->addItems({"pixels", "mm"});
  unit_->setCurrentIndex(offered.millimetres ? 1 : 0);
  auto* form = new QFormLayout(this);
  form->addRow("&Width:", width_);
  form->addRow("&Height:", height_);
  form->addRow("&Unit:", unit_);
  form->addRow("&Resolution (dpi):", dpi_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

ExportSize ExportSizeDialog::Chosen() const {
  return {width_->value(), height_->value(), unit_->currentIndex() == 1, dpi_->value()};
}

// The host's side of Export Plot: the file, its size, then the file written whole or not at all.
void QtHost::ExportPicture(const DrawingList& picture) {
  if (script_ != nullptr) return script_->ExportPicture(picture);
  const std::optional<std::string> file =
      SaveFileName("PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf");
  if (!file) return;
  const std::optional<PictureFormat> format = FormatOf(QString::fromStdString(*file));
  if (!format) {
    Message("Export Plot writes a .png, .svg or .pdf file, by the extension of its name; " + *file +
                " has none of them.",
            MessageKind::Warning);
    return;
  }
  ExportSizeDialog question(DefaultExportSize(*format, PlotSize()), mainWindow_);
  if (question.exec() != QDialog::Accepted) return;
  const QByteArray bytes = PictureBytes(picture, *format, question.Chosen());
  std::optional<std::string> failure;
  if (bytes.isEmpty()) {
    failure = "the picture could not be drawn";
  } else {
    failure = WriteFileAtomically(
        *file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  }
  if (failure) {
    Message("Cannot write the file " + *file + ": " + *failure + ".", MessageKind::Critical);
    return;
  }
  StatusLine("Plot exported to " + *file);
}

}  // namespace vorex::ui
