#include "shell/cli_host.h"

#include <chrono>
#include <ctime>

#include "base/file_writing.h"
#include "base/runtime_fault.h"
#include "plot/svg_surface.h"

namespace vorex {

void CliHost::MessageBox(const std::string& text) {
  messages_ << "message: " << text << '\n';
}

std::optional<std::string> CliHost::TakePendingFile() {
  std::optional<std::string> name = std::move(pendingFile_);
  pendingFile_.reset();
  return name;
}

std::optional<std::string> CliHost::OpenFileName(const std::string&) {
  return TakePendingFile();
}

std::optional<std::string> CliHost::SaveFileName(const std::string&) {
  return TakePendingFile();
}

double CliHost::SecondsSinceMidnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const double fraction =
      std::chrono::duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

std::optional<std::string> CliHost::PictureFile(const char* command, const char* example) {
  std::optional<std::string> file = TakePendingFile();
  if (!file) {
    MessageBox(std::string(command) + " writes a file here: give its name, as in " + example + ".");
  } else if (pictures_ == nullptr) {
    MessageBox("Pictures need the desktop drawing layer, which this program was built without.");
    return std::nullopt;
  }
  return file;
}

namespace {

std::optional<std::string> WriteEncoded(const std::optional<std::string>& bytes,
                                        const std::string& file) {
  if (!bytes) return "the picture could not be drawn";
  return WriteFileAtomically(file, *bytes);
}

}  // namespace

std::optional<std::string> CliHost::WritePlotImage(const DrawingList& picture,
                                                   const std::string& file) {
  if (pictures_ == nullptr) {
    return "pictures need the desktop drawing layer, which this program was built without";
  }
  return WriteEncoded(pictures_->Png(picture, kPlotWidth, kPlotHeight), file);
}

std::optional<std::string> CliHost::WritePlotSvg(const DrawingList& picture,
                                                 const std::string& file) {
  SvgSurface svg(kPlotWidth, kPlotHeight);
  try {
    picture.Replay(svg);
  } catch (const RuntimeFault& fault) {
    return "the plot cannot be drawn: " + fault.Description();
  }
  return WriteFileAtomically(file, svg.Document());
}

void CliHost::CopyPicture(const DrawingList& picture) {
  const std::optional<std::string> file = PictureFile("mnuCopyto", "mnuCopyto plot.png");
  if (!file) return;
  if (auto failure = WriteEncoded(pictures_->Png(picture, kPlotWidth, kPlotHeight), *file)) {
    MessageBox("Cannot write the file " + *file + ": " + *failure + ".");
  }
}

void CliHost::PrintPicture(const DrawingList& picture) {
  const std::optional<std::string> file = PictureFile("mnuPrint", "mnuPrint plot.pdf");
  if (!file) return;
  if (auto failure = WriteEncoded(pictures_->Pdf(picture, kPlotWidth, kPlotHeight), *file)) {
    MessageBox("Cannot print to the file " + *file + ": " + *failure + ".");
  }
}

}  // namespace vorex
