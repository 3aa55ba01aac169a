#pragma once

#include <optional>

#include <QByteArray>
#include <QDialog>
#include <QSize>
#include <QString>

#include "base/drawing_list.h"

class QComboBox;
class QDoubleSpinBox;

namespace vorex::ui {

// The kinds of file Export Plot writes, by the extension of the file's name.
enum class PictureFormat { Png, Svg, Pdf };
std::optional<PictureFormat> FormatOf(const QString& file);

// The size the plot is exported at: width and height in pixels or in millimetres, and the
// resolution that converts between them [dots per inch].
struct ExportSize {
  double width = 0, height = 0;
  bool millimetres = false;
  double dpi = 96;
};

// The plot window's own size: a bitmap at the screen's 96 dpi in pixels, a drawing or a page in
// millimetres, to be printed at 300 dpi.
ExportSize DefaultExportSize(PictureFormat format, QSize plotWindow);
// The size in pixels at its resolution (millimetres times dpi / 25.4), at least 1 × 1.
QSize PixelSize(const ExportSize& size);

// The file's bytes: a PNG of PixelSize carrying its resolution; an SVG and a one-page PDF of the
// size's physical extent, their text and lines as large as on the screen. Empty when the picture
// could not be drawn.
QByteArray PictureBytes(const DrawingList& picture, PictureFormat format, const ExportSize& size);

// The question Export Plot asks after the file name: width, height, their unit and the
// resolution, the plot window's size offered.
class ExportSizeDialog : public QDialog {
 public:
  ExportSizeDialog(const ExportSize& offered, QWidget* parent);
  ExportSize Chosen() const;

 private:
  QDoubleSpinBox* width_;
  QDoubleSpinBox* height_;
  QComboBox* unit_;
  QDoubleSpinBox* dpi_;
};

}  // namespace vorex::ui
