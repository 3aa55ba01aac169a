#include "shell/statement_help.h"

#include <string_view>

#include "shell/command_table.h"

namespace vorex {
namespace {

struct StatementForm {
  std::string_view form;
  std::string_view meaning;
};

constexpr StatementForm kForms[] = {
    {"mnuSimulate", "a menu command by its control name, as the menu runs it (list below)"},
    {"mnuSave FILE", "a command that opens a file dialog takes the file name instead"},
    {"mnuImport FILE [cycle=N|cycle=all] [cycles] [apply-settings] [invert-current] "
     "[abscissa=applied]",
     "Import Data with the choices its dialogs would ask for"},
    {"Window.control = TEXT",
     "types TEXT into a field; a check box takes 1 or 0, an option button 1, a list an item"},
    {"click Window.control", "presses a button (or runs a menu item, MDIForm1.mnuSimulate)"},
    {"show Window | show Window.control", "prints the state of a window or a control"},
    {"save-plot FILE.svg | save-plot FILE.png", "writes the plot as it is drawn now"},
    {"sweeps", "lists the cycles and segments of the curves' potentials, with their points"},
    {"cut cycle N", "X Data > Cut: keeps cycle N (from 1) of every curve"},
    {"cut segment N | cut segments FIRST LAST", "keeps one segment, or segments FIRST to LAST"},
    {"cut window LOW HIGH", "keeps the points from LOW to HIGH V; refused if they are not one run"},
    {"background subtract [degree 0|1|2] [segment N] ranges LOW HIGH [LOW HIGH ...]",
     "Y Data > Subtract Background: fits a polynomial (degree 1 unless given) to the current "
     "curve's points in the ranges [V], only those of segment N if given, and subtracts it from "
     "the whole curve"},
    {"help", "prints this list"},
};

}  // namespace

std::string StatementHelp() {
  std::string text =
      "vorex-cli [SCRIPT]: one statement a line (standard input when no script is named); blank "
      "lines and lines starting with # are skipped.\n\nStatements:\n";
  for (const StatementForm& s : kForms) {
    text += "  " + std::string(s.form) + "\n      " + std::string(s.meaning) + "\n";
  }
  text += "\nMenu commands:\n";
  std::string line = " ";
  for (const MenuEntry& entry : MenuTable()) {
    if (entry.handler == nullptr) continue;
    std::string item = " " + std::string(entry.control) + (entry.takesFile ? " FILE" : "");
    if (line.size() + item.size() + 1 > 100) {
      text += line + "\n";
      line = " ";
    }
    line += item + (&entry == &MenuTable().back() ? "" : ",");
  }
  text += line +
          "\n\nResults go to standard output, message boxes to standard error as "
          "\"message: \" and the text; a statement that cannot be understood stops the "
          "script with \"line N: \" and the reason, exit status 2.\n";
  return text;
}

}  // namespace vorex
