#include "command_line.h"

#include <iostream>
#include <string_view>

#include <QTimer>

#include "base/build_info.h"
#include "desktop_script.h"
#include "shell/start_files.h"
#include "ui/main_window.h"

namespace vorex::desktop {
namespace {

constexpr const char* kUsage =
    "usage: vorex [--version | --help | FILE...]\n"
    "Opens each FILE: a project (.vorex), a settings file, or a script (.vxs) run in the window.\n";

}  // namespace

std::optional<int> UsageAnswer(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument == "--help" || argument == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (argument == "--version") {
      std::cout << VersionLine("vorex") << '\n';
      return 0;
    }
  }
  return std::nullopt;
}

std::vector<std::string> FileArguments(int argc, char** argv) {
  std::vector<std::string> files;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (options && argument == "--") {
      options = false;
    } else if (options && argument.size() > 1 && argument.front() == '-') {
      std::cerr << "vorex: unknown option " << argument << " ignored\n" << kUsage;
    } else {
      files.push_back(argument);
    }
  }
  return files;
}

void OpenWhenShown(Program& program, ui::QtHost& host, ui::MainWindow& window,
                   std::vector<std::string> files) {
  if (files.empty()) return;
  QTimer::singleShot(0, &window, [&program, &host, &window, files = std::move(files)] {
    for (const std::string& file : files) {
      switch (StartFileKindOf(file)) {
        case StartFileKind::Project:
          window.InvokeWithFile("mnuOpenProject", file);
          break;
        case StartFileKind::Settings:
          window.InvokeWithFile("mnuOpenSettings", file);
          break;
        case StartFileKind::Script:
          RunScriptInSession(program, host, window, file);
          break;
      }
    }
  });
}

}  // namespace vorex::desktop
