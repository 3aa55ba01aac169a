// vorex-manpages OUTDIR VERSION: writes vorex.1, vorex-cli.1 and vorex-validate.1 into OUTDIR,
// the statement list of vorex-cli's page taken from the command table the program runs with.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "pages.h"
#include "shell/statement_help.h"

namespace {

bool Write(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
  out.close();
  if (!out) std::cerr << "vorex-manpages: cannot write " << file.string() << '\n';
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: vorex-manpages OUTDIR VERSION\n";
    return 2;
  }
  namespace pages = vorex::manpages;
  const std::filesystem::path folder = argv[1];
  const std::string version = argv[2];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const bool written =
      Write(folder / "vorex.1", pages::VorexPage(version)) &&
      Write(folder / "vorex-cli.1", pages::CliPage(version, vorex::StatementHelp())) &&
      Write(folder / "vorex-validate.1", pages::ValidatePage(version));
  return written ? 0 : 1;
}
