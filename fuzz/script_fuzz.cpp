// Any text as a vorex-cli script against a fresh program: no crash, no sanitizer report, no
// fault escaping a handler. Nothing reaches the file system: file dialogs answer "cancel" and
// save-plot statements are left out, so no input can write or read a file. Auto Fit is left out
// too: an input may set up a simulation of seconds, and a fit repeats it hundreds of times.
#include <cctype>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "shell/cli_host.h"
#include "shell/script_interpreter.h"
#include "shell/vorex24a1.h"

namespace {

class SealedHost : public vorex::CliHost {
 public:
  using vorex::CliHost::CliHost;
  std::optional<std::string> OpenFileName(const std::string&) override { return std::nullopt; }
  std::optional<std::string> SaveFileName(const std::string&) override { return std::nullopt; }
};

std::string WithoutFileStatements(const std::string& script) {
  std::istringstream in(script);
  std::string line, kept;
  while (std::getline(in, line)) {
    std::string lower = line;  // statements are read whatever their case
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.find("save-plot") != std::string::npos || lower.find("autofit") != std::string::npos ||
        lower.find("autoseparate") != std::string::npos) {
      continue;
    }
    kept += line;
    kept += '\n';
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ostringstream out, err;
  SealedHost host(err);
  auto state = std::make_unique<vorex::VOREX24A1>(host);
  vorex::ScriptInterpreter interpreter(*state, host, out, err);
  std::istringstream script(
      WithoutFileStatements(std::string(reinterpret_cast<const char*>(data), size)));
  interpreter.Run(script);
  return 0;
}
