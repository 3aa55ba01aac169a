#include "shell/cli_host.h"

#include <algorithm>
#include <cctype>
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
    Message(std::string(command) + " writes a file here: give its name, as in " + example + ".",
            MessageKind::Warning);
  } else if (pictures_ == nullptr) {
    Message("Pictures need the desktop drawing layer, which this program was built without.",
            MessageKind::Warning);
    return std::nullopt;
  }
  return file;
}

namespace {

// Whether the file name ends with the extension, in any case (".PNG" is a PNG too).
bool HasExtension(const std::string& file, std::string_view extension) {
  if (file.size() <= extension.size()) return false;
  const std::string_view end = std::string_view(file).substr(file.size() - extension.size());
  return std::equal(end.begin(), end.end(), extension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

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
    Message("Cannot write the file " + *file + ": " + *failure + ".", MessageKind::Critical);
  }
}

void CliHost::PrintPicture(const DrawingList& picture) {
  const std::optional<std::string> file = PictureFile("mnuPrint", "mnuPrint plot.pdf");
  if (!file) return;
  if (auto failure = WriteEncoded(pictures_->Pdf(picture, kPlotWidth, kPlotHeight), *file)) {
    Message("Cannot print to the file " + *file + ": " + *failure + ".", MessageKind::Critical);
  }
}

}  // namespace vorex

namespace vorex {

void CliHost::ExportPicture(const DrawingList& picture) {
  const std::optional<std::string> file = TakePendingFile();
  if (!file) {
    Message("mnuExportPlot writes a file here: give its name, as in mnuExportPlot plot.svg.",
            MessageKind::Warning);
    return;
  }
  const bool png = HasExtension(*file, ".png"), pdf = HasExtension(*file, ".pdf");
  if (!png && !pdf && !HasExtension(*file, ".svg")) {
    Message("mnuExportPlot writes a .png, .svg or .pdf file, by the extension of its name; " +
                *file + " has none of them.",
            MessageKind::Warning);
    return;
  }
  if ((png || pdf) && pictures_ == nullptr) {
    Message(
        "A .png or .pdf plot needs the desktop drawing layer, which this program was built "
        "without; mnuExportPlot writes a .svg file here.",
        MessageKind::Warning);
    return;
  }
  std::optional<std::string> failure;
  if (png) {
    failure = WriteEncoded(pictures_->Png(picture, kPlotWidth, kPlotHeight), *file);
  } else if (pdf) {
    failure = WriteEncoded(pictures_->Pdf(picture, kPlotWidth, kPlotHeight), *file);
  } else {
    failure = WritePlotSvg(picture, *file);
  }
  if (failure) {
    Message("Cannot write the file " + *file + ": " + *failure + ".", MessageKind::Critical);
    return;
  }
  StatusLine("Plot exported to " + *file);
}

}  // namespace vorex
