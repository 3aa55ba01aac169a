// vorex-cli [SCRIPT]: runs a script of statements (standard input when none is given).
#include <fstream>
#include <iostream>
#include <memory>

#include "shell/cli_host.h"
#include "shell/script_interpreter.h"
#include "shell/vorex24a1.h"
#ifdef VOREX_HAVE_PICTURES
#include "ui/offscreen_pictures.h"
#endif

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: vorex-cli [SCRIPT]\n";
    return 2;
  }
#ifdef VOREX_HAVE_PICTURES
  const std::unique_ptr<vorex::PictureEncoder> pictures = vorex::ui::MakeOffscreenPictureEncoder();
  vorex::CliHost host(std::cerr, pictures.get());
#else
  vorex::CliHost host(std::cerr);
#endif
  auto state = std::make_unique<vorex::VOREX24A1>(host);
  vorex::ScriptInterpreter interpreter(*state, host, std::cout, std::cerr);
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
