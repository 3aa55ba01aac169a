#include "desktop_script.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/script_interpreter.h"
#include "ui/main_window.h"
#include "ui/offscreen_pictures.h"

namespace vorex::desktop {

void RunScriptInSession(Program& program, ui::MainWindow& window, const std::string& file) {
  std::ifstream script(file);
  if (!script) {
    program.host.Message("Run Script Error: " + file + ": cannot be opened.", MessageKind::Warning);
    return;
  }
  std::ostringstream printed, refused;
  window.RunAction([&] {
    // The interpreter prints through the result windows' hooks: the window's own are put back
    // afterwards, and what it printed is shown there.
    const auto toResults = program.formResult.onPrint;
    const auto toAbout = program.formAbout.onPrint;
    const std::unique_ptr<PictureEncoder> pictures = ui::MakeOffscreenPictureEncoder();
    CliHost scriptHost(refused, pictures.get());
    ScriptInterpreter interpreter(program, scriptHost, printed, refused);
    interpreter.Run(script);
    program.formResult.onPrint = toResults;
    program.formAbout.onPrint = toAbout;
    std::istringstream lines(printed.str());
    program.formResult.Show();
    for (std::string line; std::getline(lines, line);) program.formResult.Print(line);
  });
  if (!refused.str().empty()) {
    program.host.Message("Run Script: " + file + ":\n" + refused.str(), MessageKind::Warning);
  }
}

}  // namespace vorex::desktop
