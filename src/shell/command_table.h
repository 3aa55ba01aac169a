#pragma once

#include <span>
#include <string_view>

namespace vorex {

class MDIForm1;

// One row of the menu tree. A top-level menu has no parent; a separator has the caption "-".
struct MenuEntry {
  std::string_view parent;      // control name of the menu that holds the item
  std::string_view caption;     // with the "&" of its accelerator
  std::string_view control;     // control name, as scripts name the command
  void (MDIForm1::*handler)();  // nullptr for menus and separators
  bool initiallyEnabled = true;
  bool takesFile = false;  // opens a file dialog (a script gives the file name instead)
};

// The whole menu tree in order; the desktop menu bar and the script interpreter both read it.
std::span<const MenuEntry> MenuTable();

}  // namespace vorex
