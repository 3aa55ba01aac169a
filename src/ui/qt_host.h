#pragma once

#include <QPrinter>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "base/host.h"

namespace vorex::ui {

class PlotView;

// The platform services of the desktop program: message boxes, the common file dialog, the
// wait cursor, the clock, the clipboard and the printer.
class QtHost : public Host {
 public:
  // The main window parents the dialogs; the plot view gives the size of the plot window.
  void Attach(QWidget* mainWindow, const PlotView* plot) {
    mainWindow_ = mainWindow;
    plot_ = plot;
  }

  void MessageBox(const std::string& text) override;
  std::optional<std::string> OpenFileName(const std::string& filter) override;
  std::optional<std::string> SaveFileName(const std::string& filter) override;
  double SecondsSinceMidnight() override;
  void SetBusy(bool busy) override;
  void CopyPicture(const DrawingList& picture) override;
  void PrintPicture(const DrawingList& picture) override;
  std::optional<int> ChooseItem(const std::string& title, const std::vector<std::string>& items,
                                int preselected) override;
  bool Confirm(const std::string& question) override;

  // The page on the printer the user chose: to a file through memory, written whole or not at
  // all; the reason when it was not printed.
  std::optional<std::string> PrintOn(const DrawingList& picture, QPrinter& printer) const;

  // "csv|*.csv|all|*.*" as the file dialog takes it: "csv (*.csv);;all (*.*)".
  static QString DialogFilter(const std::string& filter);

 private:
  QSize PlotSize() const;

  QWidget* mainWindow_ = nullptr;
  const PlotView* plot_ = nullptr;
  int busy_ = 0;
};

}  // namespace vorex::ui
