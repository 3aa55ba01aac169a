#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/drawing_list.h"
#include "base/picture_encoder.h"

namespace vorex::validation {

// The error of one figure of merit against the E step, in both modes.
struct ConvergencePoint {
  double step = 0;  // V
  std::optional<double> analytical, digital;
};
struct ConvergencePanel {
  std::string title;  // with the unit of the errors
  double tolerance = 0;
  std::vector<ConvergencePoint> points;
};

// Panels one above the other: error against log E step, digital solid, analytical dashed, with
// the tolerance band as dashed lines. The vertical range is that of the digital errors and the
// band; a point beyond it sits on the border with its value written beside it.
DrawingList ConvergencePicture(const std::vector<ConvergencePanel>& panels);

inline constexpr int kPlotWidth = 720;
inline constexpr int kPlotHeight = 640;

// The picture as a PNG file made by `encoder` (none in a build without the desktop drawing
// layer); the reason when there is none.
std::optional<std::string> WritePng(const DrawingList& picture, const std::string& file,
                                    PictureEncoder* encoder);

}  // namespace vorex::validation
