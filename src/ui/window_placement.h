#pragma once

#include <string>

class QMdiArea;
class QWidget;

namespace vorex::ui {

// Cascades the area's shown windows so that every one stays reachable: each next one lower and
// to the right by more than a title bar, all of one size, in their stacking order with the active
// one in front, so that each title bar and a strip of each window show.
void CascadeReachably(QMdiArea& area);

// The first time the dialog is shown it goes beside the plot window (the main window's child of
// that object name), not over the curve the user watches while working in the dialog; on a screen
// too narrow for both it keeps to the screen's right edge. Later it stays where the user put it.
void PlaceBesidePlot(QWidget& dialog, const std::string& plotName);

}  // namespace vorex::ui
