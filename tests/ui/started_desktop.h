#pragma once

#include <memory>

#include <QWidget>

#include "shell/program.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"

namespace vorex::ui {

// The main window over its state and host, shown as the program shows it at start, for the
// tests of the desktop program; the host may be a test's own.
template <typename HostType = QtHost>
class StartedDesktop {
 protected:
  void Start() {
    host_ = std::make_unique<HostType>();
    Prepare(*host_);
    program_ = std::make_unique<Program>(*host_);
    window_ = std::make_unique<MainWindow>(*program_, *host_);
    window_->show();
  }
  void Stop() {
    window_.reset();
    program_.reset();
    host_.reset();
  }
  // What a test sets on its host before the program starts.
  virtual void Prepare(HostType&) {}
  virtual ~StartedDesktop() = default;

  template <typename T>
  static T* In(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(name);
    if (widget == nullptr) qFatal("no widget %s", name);
    return widget;
  }

  std::unique_ptr<HostType> host_;
  std::unique_ptr<Program> program_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace vorex::ui
