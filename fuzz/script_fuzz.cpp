// Any text as a vorex-cli script against a fresh program: no crash, no sanitizer report, no
// fault escaping a handler. Nothing reaches the file system: file dialogs answer "cancel" and
// save-plot statements are left out, so no input can write or read a file. Auto Fit is left out
// too: an input may set up a simulation of seconds, and a fit repeats it hundreds of times.
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
    const std::size_t start = line.find_first_not_of(" \t");
    if (start != std::string::npos &&
        (line.compare(start, 9, "save-plot") == 0 || line.find("AutoFit", start) != std::string::npos ||
         line.find("AutoSeparate", start) != std::string::npos)) {
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
