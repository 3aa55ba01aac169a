#include "shell/program.h"

#include "plot/plot_renderer.h"
#include "shell/background_command.h"
#include "shell/cut_command.h"
#include "shell/project_session.h"
#include "shell/undo_steps.h"

namespace vorex {

Program::Program(Host& host) : host(host), experiment(host) {
  for (Window* window :
       {static_cast<Window*>(&mdiForm1), static_cast<Window*>(&experiment.formTech),
        static_cast<Window*>(&experiment.formMech), static_cast<Window*>(&experiment.formExpr),
        static_cast<Window*>(&plot.formOption), static_cast<Window*>(&formResult),
        static_cast<Window*>(&formAbout), static_cast<Window*>(&plot.formPlot),
        static_cast<Window*>(&formCut), static_cast<Window*>(&formBackground),
        static_cast<Window*>(&formGlobalFit)}) {
    desktop.Register(*window);
  }
  plot.formOption.OK().onClick = [this] { FormOptionOK(links); };
  formCut.CmdOK().onClick = [this] {
    RecordStep(*this, "Cut", true, [this] { CutDialogOK(*this); });
  };
  formBackground.CmdOK().onClick = [this] {
    RecordStep(*this, "Subtract Background", true, [this] { BackgroundDialogOK(*this); });
  };
  mdiForm1.MDIForm_Load();
  // Start-up's own settings are where the history begins.
  experiment.onChanged = [this](FieldId id, const Settings& before) {
    RecordFieldEdit(*this, id, before);
  };
  undo.onChanged = [this] { ShowUndoCaptions(*this); };
  ShowUndoCaptions(*this);
  StartProject(*this);
}

}  // namespace vorex
