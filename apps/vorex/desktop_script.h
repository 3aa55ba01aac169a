#pragma once

#include <string>

namespace vorex {
class Program;
}

namespace vorex::ui {
class MainWindow;
}

namespace vorex::desktop {

// Runs a vorex-cli script on the desktop session: what it prints goes to the result window, and
// a statement that cannot be understood (or a script that cannot be read) is shown as a warning
// naming its line. The window follows the state afterwards as after any command.
void RunScriptInSession(Program& program, ui::MainWindow& window, const std::string& file);

}  // namespace vorex::desktop
