#include "ui/plot_menu.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "shell/program.h"
#include "ui/plot_zoom.h"

namespace vorex::ui {
namespace {

// An item that does what a main menu item does, while that one is usable; an item the main
// window lacks is left out.
void Mirror(QMenu& menu, const char* caption, QAction* main) {
  if (main == nullptr) return;
  QAction* item = menu.addAction(caption);
  item->setEnabled(main->isEnabled());
  QObject::connect(item, &QAction::triggered, main, [main] { main->trigger(); });
}

}  // namespace

std::unique_ptr<QMenu> MakePlotMenu(Program& program, QWidget* parent, const PlotMenuHost& host) {
  auto menu = std::make_unique<QMenu>(parent);
  Mirror(*menu, "Copy", host.action("mnuCopyto"));
  Mirror(*menu, "Export Plot...", host.action("mnuExportPlot"));
  menu->addSeparator();
  QObject::connect(menu->addAction("Reset Zoom"), &QAction::triggered, menu.get(),
                   [&program, host] { host.run([&program] { AutoRanges(program); }); });
  QAction* log = menu->addAction("Log |I|");
  log->setCheckable(true);
  log->setChecked(program.plot.formOption.CheckLogY().Checked());
  QObject::connect(log, &QAction::toggled, menu.get(), [&program, host](bool on) {
    host.run([&program, on] { SetLogY(program, on); });
  });
  QObject::connect(menu->addAction("Axis Titles..."), &QAction::triggered, menu.get(),
                   [&program, host, parent] {
                     FormOption& o = program.plot.formOption;
                     std::string x = o.XTitle().Text(), y = o.YTitle().Text();
                     if (!AskAxisTitles(parent, x, y)) return;
                     host.run([&program, x, y] { SetAxisTitles(program, x, y); });
                   });
  return menu;
}

bool AskAxisTitles(QWidget* parent, std::string& x, std::string& y) {
  QDialog dialog(parent);
  dialog.setObjectName("AxisTitles");
  dialog.setWindowTitle("Axis Titles");
  auto* form = new QFormLayout(&dialog);
  auto* xEdit = new QLineEdit(QString::fromStdString(x), &dialog);
  auto* yEdit = new QLineEdit(QString::fromStdString(y), &dialog);
  xEdit->setObjectName("XTitle");
  yEdit->setObjectName("YTitle");
  xEdit->setPlaceholderText("E /V");
  yEdit->setPlaceholderText("automatic");
  form->addRow("X title", xEdit);
  form->addRow("Y title", yEdit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  x = xEdit->text().toStdString();
  y = yEdit->text().toStdString();
  return true;
}

}  // namespace vorex::ui
