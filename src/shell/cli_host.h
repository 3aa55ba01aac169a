#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "base/host.h"

namespace vorex {

// Host services for the command interface: a message box is written to the error stream and the
// script goes on; a file dialog answers with the file name the script gave the command.
class CliHost : public Host {
 public:
  explicit CliHost(std::ostream& messages) : messages_(messages) {}

  void MessageBox(const std::string& text) override;
  std::optional<std::string> OpenFileName(const std::string& filter) override;
  std::optional<std::string> SaveFileName(const std::string& filter) override;
  double SecondsSinceMidnight() override;
  void SetBusy(bool) override {}

  // The answer of the next file dialog; none means the dialog is cancelled.
  void SetPendingFile(std::optional<std::string> name) { pendingFile_ = std::move(name); }

 private:
  std::optional<std::string> TakePendingFile();

  std::ostream& messages_;
  std::optional<std::string> pendingFile_;
};

}  // namespace vorex
