#pragma once

#include <QRadioButton>

namespace vorex::ui {

// The option buttons of one frame are one control for the keyboard: a single tab stop, on the
// selected option, and the arrow keys select the next or the previous shown option as a click
// would (the model runs its handler).
void FollowArrowKeys(QRadioButton& option);

// Gives the frame's options their single tab stop after the selection or the shown options
// changed.
void UpdateTabStops(QWidget& frame);

}  // namespace vorex::ui
