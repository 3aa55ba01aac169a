#include "shell/statement_help.h"

#include <span>
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
    {"FormPlot.CurveName(N) = NAME",
     "names curve N in the plot's legend; an empty NAME gives back the name of what it holds"},
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
    {"global add FILE | global fit | global list ...",
     "the set of measured curves fitted together: help global lists its statements"},
    {"help | help global", "prints this list, or the statements of the set"},
};

constexpr StatementForm kGlobalForms[] = {
    {"global add FILE [cycle=N|cycle=all] [invert-current] [abscissa=applied] [KEYWORD=VALUE ...]",
     "reads a measured file as mnuImport does (instrument exports and plain pairs) and adds it to "
     "the set: the whole record as one curve, cycle N, or with cycle=all each cycle as a curve of "
     "its own; named by the file (\" cycle N\"), its points as mnuImport stores them (at most "
     "4000). The keywords (scan_rate=0.05 C_A=0.004 area=0.071 Ru=50 Cdl=2e-5 "
     "background=linear ...) are the curve's own over the dialogs' settings; a scan rate the file "
     "states is its own scan_rate unless one is given"},
    {"global add curve [N] [KEYWORD=VALUE ...]",
     "adds curve N (1 unless given) of the plot, over its potentials, with the keywords as its "
     "own (after mnuImport and cut cycle 2, say); a file named curve is written ./curve"},
    {"global set N KEYWORD=VALUE ...",
     "gives curve N of the set the keywords, replacing its own of the same names"},
    {"global remove N | global clear",
     "removes curve N, or every curve (the weighting, threads and per-curve marks are kept)"},
    {"global list",
     "prints the set: each curve's number, name, points, potential range, vertices and own "
     "keywords"},
    {"global per_curve NAME ... | global shared NAME ...",
     "fits the parameters (as Python names them: E0_1 ks_1 alpha_1 C_A D_A Cdl Ru ...) once per "
     "curve, or once for the set (as they start). What is fitted, from what start and within "
     "which bounds, is what the Experimental dialog ticks"},
    {"global weighting none|max|noise",
     "how each curve counts: every point alike, each curve divided by its largest current, or by "
     "its noise (as it starts)"},
    {"global threads N", "simulates the curves on N threads; 0 (as it starts) on every processor"},
    {"global fit",
     "fits the set in the linear sweep technique, every curve following its measured potentials, "
     "prints the report and shows curve 1 of the set measured and fitted on the plot"},
    {"global plot N [residual]",
     "shows curve N of the last fit alone on the plot, measured and fitted (and measured - "
     "fitted)"},
    {"global export FILE",
     "writes every curve of the last fit as CSV: curve,E,I,I_fit,residual with a header line"},
};

std::string FormLines(std::span<const StatementForm> forms) {
  std::string text;
  for (const StatementForm& s : forms) {
    text += "  " + std::string(s.form) + "\n      " + std::string(s.meaning) + "\n";
  }
  return text;
}

}  // namespace

std::string StatementHelp() {
  std::string text =
      "vorex-cli [SCRIPT]: one statement a line (standard input when no script is named); blank "
      "lines and lines starting with # are skipped.\n\nStatements:\n";
  text += FormLines(kForms);
  text += "\nMenu commands:\n";
  std::string line = " ";
  for (const MenuEntry& entry : MenuTable()) {
    if (entry.handler == nullptr) continue;
    std::string item(1, ' ');
    item += entry.control;
    if (entry.takesFile) item += " FILE";
    if (line.size() + item.size() + 1 > 100) {
      text += line + "\n";
      line = ' ';
    }
    line += item + (&entry == &MenuTable().back() ? "" : ",");
  }
  text += line +
          "\n\nResults go to standard output, message boxes to standard error as "
          "\"message: \" and the text; a statement that cannot be understood stops the "
          "script with \"line N: \" and the reason, exit status 2.\n";
  return text;
}

std::string GlobalStatementHelp() {
  return "The set of measured curves fitted together (at most 16), in the order added:\n" +
         FormLines(kGlobalForms) +
         "A refused statement (a file that cannot be read, a keyword the dialogs would not take, "
         "no such curve, nothing to fit) says why as a message and changes nothing.\n";
}

}  // namespace vorex
