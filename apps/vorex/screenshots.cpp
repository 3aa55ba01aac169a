// vorex-screenshots FOLDER [MORE]: the pictures of the README, taken on the offscreen platform: the
// main window with two simulated cyclic voltammograms, the Experimental dialog, and a mechanism
// written as text with its voltammogram.
#include <algorithm>
#include <iostream>
#include <memory>

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include "shell/program.h"
#include "ui/main_window.h"
#include "ui/plot_view.h"
#include "ui/qt_host.h"

namespace {

// The Mechanism dialog with an ECE scheme and a dimerisation typed into it, the table of what the
// text writes beside it, and the cyclic voltammogram the text gives, side by side.
bool WrittenMechanism(vorex::ui::MainWindow& window, vorex::Program& program,
                      const QString& folder) {
  vorex::FormExpr& expr = program.experiment.formExpr;
  expr.Type(expr.ks(1), "1e4");
  program.plot.formOption.SetCheck(program.plot.formOption.overlap(), false);
  window.Invoke("mnuMechamism");
  vorex::FormMech& mech = program.experiment.formMech;
  mech.Click(mech.mech(vorex::kWrittenMechanismNumber));
  mech.Type(mech.TextMechanism(), "A + e = B; B = C; C + e = D; 2 C = E");
  QApplication::processEvents();
  const QPixmap dialog = window.Dialog("FormMech")->grab();
  mech.Click(mech.Command1());
  window.Invoke("mnuSimulate");
  QApplication::processEvents();
  const QPixmap plot = window.Plot().grab();
  constexpr int gap = 12;
  QPixmap both(dialog.width() + gap + plot.width(), std::max(dialog.height(), plot.height()));
  both.fill(Qt::white);
  QPainter painter(&both);
  painter.drawPixmap(0, 0, dialog);
  painter.drawPixmap(dialog.width() + gap, 0, plot);
  painter.end();
  return both.save(folder + "/written-mechanism.png");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: vorex-screenshots FOLDER [FOLDER_FOR_THE_OTHER_DIALOGS]\n";
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  vorex::ui::QtHost host;
  auto program = std::make_unique<vorex::Program>(host);
  vorex::ui::MainWindow window(*program, host);
  window.resize(1100, 560);
  window.show();

  // Cyclic voltammograms at 0.1 V/s for a fast and a slow electron transfer, overlapped, and
  // their peaks in the result window beside the plot.
  window.Invoke("mnuExperimental");
  vorex::FormExpr& expr = program->experiment.formExpr;
  expr.Choose(expr.ComboScan(), 1);
  expr.Type(expr.V(), "0.1");
  expr.Click(expr.CmdOK());
  window.Invoke("mnuSimulate");
  program->plot.formOption.SetCheck(program->plot.formOption.overlap(), true);
  expr.Type(expr.ks(1), "1e-3");
  window.Invoke("mnuSimulate");
  window.Invoke("mnuFindPeak");
  QApplication::processEvents();
  bool ok = window.grab().save(folder + "/main-window.png");

  window.Invoke("mnuExperimental");
  QApplication::processEvents();
  QWidget* dialog = window.Dialog("FormExpr");
  ok = dialog->grab().save(folder + "/experimental-dialog.png") && ok;
  ok = WrittenMechanism(window, *program, folder) && ok;
  // The other dialogs, for a look at their layout (the README shows the two above).
  if (argc == 3) {
    const QString more = QString::fromLocal8Bit(argv[2]);
    for (const char* command : {"mnuTech", "mnuMechamism", "mnuOption", "mnuAbout"}) {
      window.Invoke(command);
    }
    QApplication::processEvents();
    for (const char* name : {"FormTech", "FormMech", "formOption", "FormAbout"}) {
      ok = window.Dialog(name)->grab().save(more + "/" + name + ".png") && ok;
    }
  }
  if (!ok) std::cerr << "vorex-screenshots: cannot write into " << argv[1] << '\n';
  return ok ? 0 : 1;
}
