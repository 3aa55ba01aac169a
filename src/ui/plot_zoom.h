#pragma once

#include <string>

namespace vorex {
class Program;
}

namespace vorex::ui {

// A range chosen on the plot becomes the Option dialog's manual range, as the user would type it
// there: the fields XminText, XmaxText, YminText and YmaxText get the limits (each pair in
// ascending order), "X auto" and "Y auto" are unticked, and the curves are drawn as the Plot
// command draws them. The dialog stays the one place the ranges live. On the logarithmic axis
// the Y limits are decades (log10 |I|), and the fields get the magnitudes.
void ZoomPlot(Program& program, double xMin, double xMax, double yMin, double yMax);

// "X auto" and "Y auto" ticked again, and the curves drawn.
void AutoRanges(Program& program);

// "Log |I|" ticked or not, and the curves drawn.
void SetLogY(Program& program, bool log);

// The axis titles typed into the Option dialog (empty: the automatic ones), and the curves drawn.
void SetAxisTitles(Program& program, const std::string& x, const std::string& y);

}  // namespace vorex::ui
