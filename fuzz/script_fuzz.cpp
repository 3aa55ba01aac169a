// Any text as a vorex-cli script against a fresh program: no crash, no sanitizer report, no
// fault escaping a handler, no NaN or infinity in a curve. Everything a user can reach is
// reachable: every file dialog that the script answers with a name is answered with one scratch
// file, whose content is the part of the input after a line "%%file" (so imports read any
// bytes, and exports, reports and SVG pictures are written over it); Auto Fit runs with a budget
// of a few simulations, so that an input cannot make one fit cost minutes.
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "curves/curve_store.h"
#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/script_interpreter.h"

namespace {

constexpr int kFitBudget = 8;
constexpr std::string_view kFileMarker = "%%file\n";

// One folder for the process, made fresh when it starts.
const std::filesystem::path& Scratch() {
  static const std::filesystem::path folder = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("vorex-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

// Answers a file dialog with the scratch file whenever the script named a file; a statement
// without one cancels the dialog, as before.
class ScratchHost : public vorex::CliHost {
 public:
  using vorex::CliHost::CliHost;
  std::optional<std::string> OpenFileName(const std::string& filter) override {
    return Answer(vorex::CliHost::OpenFileName(filter));
  }
  std::optional<std::string> SaveFileName(const std::string& filter) override {
    return Answer(vorex::CliHost::SaveFileName(filter));
  }

 private:
  static std::optional<std::string> Answer(const std::optional<std::string>& named) {
    if (!named) return std::nullopt;
    return (Scratch() / "data").string();
  }
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A picture statement writes the scratch folder's picture whatever name it gave.
std::string WithScratchPictures(const std::string& script) {
  std::istringstream in(script);
  std::string line, kept;
  while (std::getline(in, line)) {
    const std::string lower = Lower(line);
    if (lower.find("save-plot") != std::string::npos) {
      const bool png = lower.find(".png") != std::string::npos;
      line = "save-plot " + (Scratch() / (png ? "plot.png" : "plot.svg")).string();
    }
    kept += line;
    kept += '\n';
  }
  return kept;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t marker = input.find(kFileMarker);
  const std::string_view script = input.substr(0, marker);
  {
    std::ofstream file(Scratch() / "data", std::ios::binary | std::ios::trunc);
    if (marker != std::string_view::npos) file << input.substr(marker + kFileMarker.size());
  }
  std::ostringstream out, err;
  ScratchHost host(err);
  auto program = std::make_unique<vorex::Program>(host);
  program->fit.evaluationBudget = kFitBudget;
  vorex::ScriptInterpreter interpreter(*program, host, out, err);
  std::istringstream statements(WithScratchPictures(std::string(script)));
  interpreter.Run(statements);
  const vorex::CurveStore& c = program->curves;
  for (int i = c.FirstPoint; i >= 1 && i <= c.LastPoint && i <= vorex::kMaxPoints; ++i) {
    Check(std::isfinite(c.Abscissa(i)));
    for (int curve = 1; curve <= vorex::kMaxCurves; ++curve)
      Check(std::isfinite(c.Ordinate(i, curve)));
  }
  return 0;
}
