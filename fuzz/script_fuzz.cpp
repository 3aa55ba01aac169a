// Any text as a vorex-cli script against a fresh program: no crash, no sanitizer report, no
// fault escaping a handler.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "shell/cli_host.h"
#include "shell/script_interpreter.h"
#include "shell/vorex24a1.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ostringstream out, err;
  vorex::CliHost host(err);
  auto state = std::make_unique<vorex::VOREX24A1>(host);
  vorex::ScriptInterpreter interpreter(*state, host, out, err);
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  interpreter.Run(script);
  return 0;
}
