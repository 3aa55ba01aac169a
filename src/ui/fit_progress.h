#pragma once

#include <string_view>

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QLabel;
class QPushButton;

namespace vorex::ui {

// The Cancel window of a long computation: what runs ("Fitting…") and a Cancel button; Escape
// and the window's close button press Cancel too. The computation stops at its next clean
// point, so the window stays, saying so, until it has. It is application-modal: while the
// computation keeps the windows painted, no other command can start inside it.
class FitProgress : public QDialog {
 public:
  explicit FitProgress(QWidget* parent);

  // Ready for a new computation: its text, Cancel not pressed.
  void Start(const QString& what);
  bool CancelPressed() const { return cancelPressed_; }

  // Escape, the close button and Cancel.
  void reject() override;

 private:
  QLabel* what_;
  QPushButton* cancel_;
  bool cancelPressed_ = false;
};

// What the desktop does for a computation the user may cancel (Host::BeginCancellable and the
// rest): the pending events at most every 50 ms, the user's input among them only once the
// Cancel window is up; the window after the delay. Scopes nest: the outermost one counts.
class CancellableRun {
 public:
  CancellableRun() = default;
  ~CancellableRun();
  CancellableRun(const CancellableRun&) = delete;
  CancellableRun& operator=(const CancellableRun&) = delete;

  // `parent` centres the Cancel window and owns it (none: this run owns it).
  void Begin(std::string_view what, QWidget* parent);
  bool CancelRequested();
  void End();
  void SetDelay(int milliseconds) { delayMs_ = milliseconds; }

 private:
  void ShowWindow();

  static constexpr int kEventIntervalMs = 50;

  int depth_ = 0;
  int delayMs_ = 1000;
  QString what_;
  QWidget* parent_ = nullptr;
  QPointer<QWidget> before_;  // the active window when the computation began
  QElapsedTimer running_;     // since the outermost Begin
  QElapsedTimer pumped_;      // since the events were last processed
  QPointer<FitProgress> window_;
  bool shown_ = false;
};

}  // namespace vorex::ui
