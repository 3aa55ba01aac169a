#pragma once

#include "base/control.h"
#include "base/number_text.h"

namespace vorex {

// The value of a field: the numeric prefix of a text box's text or a list's chosen item, or of
// a label's caption. Raises "Overflow" for a number too large to hold.
inline double FieldValue(const Control& control) {
  return NumericPrefix(control.Kind() == ControlKind::Label ? control.Caption() : control.Text());
}

}  // namespace vorex
