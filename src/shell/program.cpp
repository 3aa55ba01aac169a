#include "shell/program.h"

#include "plot/plot_renderer.h"

namespace vorex {

Program::Program(Host& host) : host(host), experiment(host) {
  for (Window* window :
       {static_cast<Window*>(&mdiForm1), static_cast<Window*>(&experiment.formTech),
        static_cast<Window*>(&experiment.formMech), static_cast<Window*>(&experiment.formExpr),
        static_cast<Window*>(&plot.formOption), static_cast<Window*>(&formResult),
        static_cast<Window*>(&formAbout), static_cast<Window*>(&plot.formPlot)}) {
    desktop.Register(*window);
  }
  plot.formOption.OK().onClick = [this] { FormOptionOK(links); };
  mdiForm1.MDIForm_Load();
}

}  // namespace vorex
