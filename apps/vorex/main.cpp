// vorex: the desktop program.
#include <memory>

#include <QApplication>

#include "shell/vorex24a1.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vorex");
  vorex::ui::QtHost host;
  auto state = std::make_unique<vorex::VOREX24A1>(host);
  int status = 0;
  {
    vorex::ui::MainWindow window(*state, host);
    window.show();
    status = QApplication::exec();
  }
  return status;
}
