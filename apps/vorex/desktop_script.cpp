#include "desktop_script.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/script_interpreter.h"
#include "ui/main_window.h"
#include "ui/offscreen_pictures.h"
#include "ui/qt_host.h"

namespace vorex::desktop {

namespace {

// The desktop host answers from the script's host for as long as the script runs, whatever
// a statement throws.
class ScriptAnswers {
 public:
  ScriptAnswers(ui::QtHost& desktop, Host& script) : desktop_(desktop) {
    desktop_.AnswerFilesFrom(&script);
  }
  ~ScriptAnswers() { desktop_.AnswerFilesFrom(nullptr); }
  ScriptAnswers(const ScriptAnswers&) = delete;
  ScriptAnswers& operator=(const ScriptAnswers&) = delete;

 private:
  ui::QtHost& desktop_;
};

}  // namespace

void RunScriptInSession(Program& program, ui::QtHost& host, ui::MainWindow& window,
                        const std::string& file) {
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
    const ScriptAnswers answers(host, scriptHost);
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
