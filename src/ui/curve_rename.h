#pragma once

class QWidget;

namespace vorex {
class Program;
}

namespace vorex::ui {

// Asks for a new legend name of curve `curve`, offering the one it has, and renames it; a name
// the legend does not take is refused with a warning, the old name kept.
void AskCurveName(QWidget* parent, Program& program, int curve);

}  // namespace vorex::ui
