// vorex: the desktop program.
#include <memory>

#include <QApplication>

#include "command_line.h"
#include "shell/program.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

int main(int argc, char** argv) {
  if (const auto status = vorex::desktop::UsageAnswer(argc, argv)) return *status;
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vorex");
  vorex::ui::QtHost host;
  auto program = std::make_unique<vorex::Program>(host);
  int status = 0;
  {
    vorex::ui::MainWindow window(*program, host);
    window.show();
    vorex::desktop::OpenWhenShown(*program, window, vorex::desktop::FileArguments(argc, argv));
    status = QApplication::exec();
  }
  return status;
}
