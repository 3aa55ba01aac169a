#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorex {
class Program;
}

namespace vorex::ui {
class MainWindow;
class QtHost;
}  // namespace vorex::ui

namespace vorex::desktop {

// `vorex --help` (or -h) prints the usage, `vorex --version` the version line: status 0, before
// any window or display is needed. Otherwise none: the program starts.
std::optional<int> UsageAnswer(int argc, char** argv);

// The files named on the command line, once QApplication has taken its own options out of argv;
// another option is named on standard error and skipped ("--" ends the options).
std::vector<std::string> FileArguments(int argc, char** argv);

// Opens each file as its kind asks (see shell/start_files.h): a project through File > Open
// Project, settings through File > Open Settings, a script run in the session. As soon as the
// event loop runs, so that the main window is up under any message they give.
void OpenWhenShown(Program& program, ui::QtHost& host, ui::MainWindow& window,
                   std::vector<std::string> files);

}  // namespace vorex::desktop
