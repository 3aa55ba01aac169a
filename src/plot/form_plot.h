#pragma once

#include "base/drawing_list.h"
#include "base/window.h"

namespace vorex {

// The plot window. Its picture is kept as a drawing list, so the desktop program paints it at
// any size and the command interface writes it to a file.
class FormPlot : public Window {
 public:
  FormPlot() : Window("FormPlot", "Plot") {}
  DrawingList picture;
};

}  // namespace vorex
