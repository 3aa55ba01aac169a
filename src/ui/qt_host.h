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
  void Attach(QWidget* mainWindow, PlotView* plot) {
    mainWindow_ = mainWindow;
    plot_ = plot;
  }

  void MessageBox(const std::string& text) override;
  // The box with the icon of its kind: information, a warning for a refusal, the critical icon
  // for a fault.
  void Message(const std::string& text, MessageKind kind) override;
  // In the main window's status bar for a few seconds.
  void StatusLine(const std::string& text) override;
  bool AsksTheUser() const override { return true; }
  std::optional<std::string> OpenFileName(const std::string& filter) override;
  std::optional<std::string> SaveFileName(const std::string& filter) override;
  std::vector<std::string> OpenFileNames(const std::string& filter) override;
  double SecondsSinceMidnight() override;
  void SetBusy(bool busy) override;
  void CopyPicture(const DrawingList& picture) override;
  void PrintPicture(const DrawingList& picture) override;
  // The file dialog, then the size and resolution (ui/plot_export.h, where it is defined).
  void ExportPicture(const DrawingList& picture) override;
  std::optional<int> ChooseItem(const std::string& title, const std::vector<std::string>& items,
                                int preselected) override;
  bool Confirm(const std::string& question) override;
  Answer AskYesNoCancel(const std::string& question) override;

  // The page on the printer the user chose: to a file through memory, written whole or not at
  // all; the reason when it was not printed.
  std::optional<std::string> PrintOn(const DrawingList& picture, QPrinter& printer) const;

  // "csv|*.csv|all|*.*" as the file dialog takes it: "csv (*.csv);;all (*.*)".
  static QString DialogFilter(const std::string& filter);
  // A name without an extension gets the one of the filter chosen ("csv (*.csv)": ".csv").
  static QString WithFilterSuffix(const QString& file, const QString& filter);

  // A file dropped on the main window: the next open-file question is answered with it, so that
  // the command it starts runs exactly as when the user picks the file.
  void OfferFile(const std::string& file);
  void ForgetOfferedFile();
  // While a script runs in the session, the files its statements name answer the file questions
  // and the clipboard and the printer write files, as in vorex-cli: those go to the script's
  // host. Null ends it.
  void AnswerFilesFrom(Host* script) { script_ = script; }

 private:
  QSize PlotSize() const;

  QWidget* mainWindow_ = nullptr;
  PlotView* plot_ = nullptr;
  int busy_ = 0;
  QString lastFolder_;  // the folder of the last file chosen, offered next time within the run
  std::optional<std::string> droppedFile_;
  Host* script_ = nullptr;

  // A computation the user may cancel: the windows stay painted and, once it has run a second,
  // its Cancel window shows (ui/fit_progress.h, where these are defined).
 public:
  QtHost();
  ~QtHost() override;
  void BeginCancellable(std::string_view what) override;
  bool CancelRequested() override;
  void EndCancellable() override;
  bool ShowsProgress() const override { return true; }
  // How long a computation runs before its Cancel window shows [ms]; the tests take 0.
  void SetCancelDelay(int milliseconds);

 private:
  std::unique_ptr<class CancellableRun> cancellable_;
};

}  // namespace vorex::ui
