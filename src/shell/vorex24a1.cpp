#include "shell/vorex24a1.h"

#include "plot/plot_renderer.h"

namespace vorex {

VOREX24A1::VOREX24A1(Host& host) : host(host), experiment(host) {
  for (Window* window : {static_cast<Window*>(&mdiForm1), static_cast<Window*>(&formTech),
                         static_cast<Window*>(&formMech), static_cast<Window*>(&formExpr),
                         static_cast<Window*>(&formOption), static_cast<Window*>(&formResult),
                         static_cast<Window*>(&formAbout), static_cast<Window*>(&formPlot)}) {
    desktop.Register(*window);
  }
  formOption.OK().onClick = [this] { FormOptionOK(links); };
  mdiForm1.MDIForm_Load();
}

}  // namespace vorex
