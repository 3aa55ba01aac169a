#pragma once

#include <string>
#include <string_view>

namespace vorex::manpages {

// Text as roff prints it literally: backslashes as \e, hyphens as \- (so that options stay
// copyable), and a line that would start with a control character (. or ') guarded by \&.
std::string RoffText(std::string_view text);

// The help text of vorex-cli as man page sections: the introduction as a paragraph, each
// statement as a tagged paragraph (its form in bold), the menu commands as one paragraph, and the
// closing lines as paragraphs. Headings ending in ':' become sections.
std::string RoffFromHelp(std::string_view help);

}  // namespace vorex::manpages
