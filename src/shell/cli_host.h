#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "base/host.h"
#include "base/picture_encoder.h"

namespace vorex {

// Host services for the command interface: a message box is written to the error stream and the
// script goes on, every kind alike (the scripts read them by the one prefix), and so is a status
// line; a file dialog answers with the file name the script gave the command, and so
// do the clipboard (a PNG file) and the printer (a PDF file), drawn by the picture encoder. Every
// file is written whole or not at all.
class CliHost : public Host {
 public:
  // Without a picture encoder the clipboard and the printer say they are not available.
  explicit CliHost(std::ostream& messages, PictureEncoder* pictures = nullptr)
      : messages_(messages), pictures_(pictures) {}

  void MessageBox(const std::string& text) override;
  std::optional<std::string> OpenFileName(const std::string& filter) override;
  std::optional<std::string> SaveFileName(const std::string& filter) override;
  double SecondsSinceMidnight() override;
  void SetBusy(bool) override {}
  void CopyPicture(const DrawingList& picture) override;
  void PrintPicture(const DrawingList& picture) override;
  // The file the script names, by its extension; a PNG and a PDF need the picture encoder.
  void ExportPicture(const DrawingList& picture) override;

  // The plot window the command interface draws into [pixels].
  static constexpr int kPlotWidth = 640;
  static constexpr int kPlotHeight = 480;
  // A PNG of the plot window as it is drawn now; the reason when it cannot be written.
  std::optional<std::string> WritePlotImage(const DrawingList& picture, const std::string& file);
  // The SVG picture of the plot window as it is drawn now; the reason when it cannot be written.
  static std::optional<std::string> WritePlotSvg(const DrawingList& picture,
                                                 const std::string& file);

  // The answer of the next file dialog; none means the dialog is cancelled.
  void SetPendingFile(std::optional<std::string> name) { pendingFile_ = std::move(name); }

 private:
  std::optional<std::string> TakePendingFile();
  // The file a picture command writes, or nothing after telling why there is none.
  std::optional<std::string> PictureFile(const char* command, const char* example);

  std::ostream& messages_;
  std::optional<std::string> pendingFile_;
  PictureEncoder* pictures_;
};

}  // namespace vorex
