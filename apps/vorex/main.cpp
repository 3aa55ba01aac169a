// vorex [--version]: the desktop program.
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

#include <QApplication>

#include "base/build_info.h"
#include "shell/program.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

namespace {

// The arguments answered without a window: the exit status when one was, nothing otherwise.
std::optional<int> AnswerWithoutWindow(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << vorex::VersionLine("vorex") << '\n';
    return 0;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = AnswerWithoutWindow(argc, argv)) return *status;
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vorex");
  vorex::ui::QtHost host;
  auto program = std::make_unique<vorex::Program>(host);
  int status = 0;
  {
    vorex::ui::MainWindow window(*program, host);
    window.show();
    status = QApplication::exec();
  }
  return status;
}
