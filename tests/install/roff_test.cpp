// The manual pages' text as roff prints it, and vorex-cli's help turned into page sections.
#include "roff.h"

#include <gtest/gtest.h>

namespace vorex::manpages {
namespace {

TEST(RoffText, CharactersRoffWouldTakeAsItsOwnAreEscaped) {
  // A hyphen is \- (an option stays copyable), a backslash \e, and a line that would start with
  // roff's control characters . or ' is guarded by the zero-width \&.
  EXPECT_EQ(RoffText("--help"), "\\-\\-help");
  EXPECT_EQ(RoffText("C:\\data"), "C:\\edata");
  EXPECT_EQ(RoffText(".vorex and 'quoted'\n.next"), "\\&.vorex and 'quoted'\n\\&.next");
  EXPECT_EQ(RoffText("a.b"), "a.b");
}

TEST(RoffFromHelp, HeadingsStatementsAndWrappedListsBecomeSections) {
  const std::string help =
      "intro line\n"
      "\n"
      "Statements:\n"
      "  click Window.control\n"
      "      presses a button\n"
      "\n"
      "Menu commands:\n"
      "  mnuA, mnuB FILE,\n"
      "  mnuC\n"
      "\n"
      "closing\n";
  EXPECT_EQ(RoffFromHelp(help),
            ".PP\nintro line\n"
            ".SH STATEMENTS\n.TP\n\\fBclick Window.control\\fR\npresses a button\n"
            ".SH MENU COMMANDS\n.PP\nmnuA, mnuB FILE, mnuC\n"
            ".PP\nclosing\n");
}

}  // namespace
}  // namespace vorex::manpages
