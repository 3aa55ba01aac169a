#include "pages.h"

#include "roff.h"

namespace vorex::manpages {
namespace {

std::string Heading(const std::string& name, const std::string& version) {
  return ".TH " + name + " 1 \"\" \"Vorex " + RoffText(version) + "\" \"User Commands\"\n";
}

const char* kSharedFiles =
    ".SH FILES\n"
    ".TP\n"
    ".I /usr/share/vorex/VorexDoc.htm\n"
    "The user manual, shown by Help in the desktop program (looked for beside the program, then "
    "in\n"
    ".I ../share/vorex\n"
    "relative to it).\n"
    ".TP\n"
    ".I /usr/share/vorex/validation\\-data/\n"
    "The published tables the validation cases are built from.\n"
    ".PP\n"
    "The paths are those of an installation into\n"
    ".IR /usr ;\n"
    "another prefix replaces it.\n";

const char* kVersionOption =
    ".TP\n"
    ".B \\-\\-version\n"
    "Prints the version and exits.\n";

}  // namespace

std::string VorexPage(const std::string& version) {
  return Heading("VOREX", version) +
         ".SH NAME\n"
         "vorex \\- desktop workbench for simulating, fitting and analysing voltammograms\n"
         ".SH SYNOPSIS\n"
         ".B vorex\n"
         ".RI [ FILE ...]\n"
         ".SH DESCRIPTION\n"
         ".B vorex\n"
         "simulates voltammograms of a reaction mechanism, imports measured curves, fits the one "
         "to\n"
         "the other and analyses them, in one main window with its plot and results.\n"
         ".PP\n"
         "Each\n"
         ".I FILE\n"
         "is opened as its kind asks: a project\n"
         ".RI ( .vorex )\n"
         "as File > Open Project does, a settings file as File > Open Settings does, and a script\n"
         ".RI ( .vxs ,\n"
         "the statements of\n"
         ".BR vorex\\-cli (1))\n"
         "is run in the window, its output shown with the results. A file that cannot be opened\n"
         "is named in a message and the window opens all the same.\n"
         ".SH OPTIONS\n"
         ".TP\n"
         ".BR \\-h \", \" \\-\\-help\n"
         "Prints the usage and exits.\n" +
         kVersionOption + kSharedFiles +
         ".SH SEE ALSO\n"
         ".BR vorex\\-cli (1),\n"
         ".BR vorex\\-validate (1)\n";
}

std::string CliPage(const std::string& version, const std::string& statementHelp) {
  return Heading("VOREX\\-CLI", version) +
         ".SH NAME\n"
         "vorex\\-cli \\- run a script of Vorex statements without a window\n"
         ".SH SYNOPSIS\n"
         ".B vorex\\-cli\n"
         ".RI [ SCRIPT ]\n"
         ".SH DESCRIPTION\n"
         ".B vorex\\-cli\n"
         "carries out the statements of\n"
         ".I SCRIPT\n"
         "(standard input when none is named) on the state of the desktop program, as a user's\n"
         "actions would: typing into fields, pressing buttons, choosing menu commands.\n"
         "The statements and menu commands follow; they are also printed by\n"
         ".BR \"vorex\\-cli \\-\\-help\" .\n" +
         RoffFromHelp(statementHelp) +
         ".SH OPTIONS\n"
         ".TP\n"
         ".BR \\-h \", \" \\-\\-help\n"
         "Prints the statements and menu commands and exits.\n" +
         kVersionOption +
         ".SH EXIT STATUS\n"
         "0 when the script ran to its end or to mnuExit; 2 when a statement could not be\n"
         "understood or the script could not be opened.\n" +
         kSharedFiles +
         ".SH SEE ALSO\n"
         ".BR vorex (1),\n"
         ".BR vorex\\-validate (1)\n";
}

std::string ValidatePage(const std::string& version) {
  return Heading("VOREX\\-VALIDATE", version) +
         ".SH NAME\n"
         "vorex\\-validate \\- check Vorex's simulations against closed forms and published "
         "tables\n"
         ".SH SYNOPSIS\n"
         ".B vorex\\-validate\n"
         "[\\fB\\-\\-list\\fR] [\\fB\\-\\-quick\\fR] [\\fB\\-\\-case\\fR \\fINAME\\fR]...\n"
         "[\\fB\\-\\-report\\fR \\fIFILE.md\\fR \\fB\\-\\-plot\\fR \\fIFILE.png\\fR]\n"
         ".SH DESCRIPTION\n"
         ".B vorex\\-validate\n"
         "runs the validation cases through the program's own commands and prints one line per\n"
         "case: what was computed, what it is checked against, and whether it holds.\n"
         ".SH OPTIONS\n"
         ".TP\n"
         ".B \\-\\-list\n"
         "Lists the cases, the quick ones marked, without running them.\n"
         ".TP\n"
         ".B \\-\\-quick\n"
         "Runs only the quick cases.\n"
         ".TP\n"
         ".BI \\-\\-case \" NAME\"\n"
         "Runs the case\n"
         ".IR NAME ,\n"
         "or every case whose name begins with\n"
         ".IR NAME .\n"
         "May be given more than once.\n"
         ".TP\n"
         ".BI \\-\\-report \" FILE.md \" \\-\\-plot \" FILE.png\"\n"
         "Writes a report of the cases and a plot of their convergence.\n" +
         kVersionOption +
         ".SH EXIT STATUS\n"
         "0 when every case holds; 1 when a case required in a mode does not hold there (unless a\n"
         "report is written); 2 on a usage error or when a published table cannot be read.\n" +
         kSharedFiles +
         ".SH SEE ALSO\n"
         ".BR vorex (1),\n"
         ".BR vorex\\-cli (1)\n";
}

}  // namespace vorex::manpages
