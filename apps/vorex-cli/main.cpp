// vorex-cli [SCRIPT | --help | --version]: runs a script of statements (standard input when none is
// given).
#include <fstream>
#include <iostream>
#include <memory>
#include <string_view>

#include "base/build_info.h"
#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/script_interpreter.h"
#include "shell/statement_help.h"
#ifdef VOREX_HAVE_PICTURES
#include "ui/offscreen_pictures.h"
#endif

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: vorex-cli [SCRIPT | --help | --version]\n";
    return 2;
  }
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::cout << vorex::StatementHelp();
    return 0;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << vorex::VersionLine("vorex-cli") << '\n';
    return 0;
  }
#ifdef VOREX_HAVE_PICTURES
  const std::unique_ptr<vorex::PictureEncoder> pictures = vorex::ui::MakeOffscreenPictureEncoder();
  vorex::CliHost host(std::cerr, pictures.get());
#else
  vorex::CliHost host(std::cerr);
#endif
  auto program = std::make_unique<vorex::Program>(host);
  vorex::ScriptInterpreter interpreter(*program, host, std::cout, std::cerr);
  if (argc == 2) {
    std::ifstream script(argv[1]);
    if (!script) {
      std::cerr << "vorex-cli: cannot open " << argv[1] << '\n';
      return 2;
    }
    return interpreter.Run(script);
  }
  return interpreter.Run(std::cin);
}
