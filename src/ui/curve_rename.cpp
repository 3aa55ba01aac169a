#include "ui/curve_rename.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QString>

#include "plot/curve_legend.h"
#include "shell/curve_names.h"
#include "shell/program.h"

namespace vorex::ui {

void AskCurveName(QWidget* parent, Program& program, int curve) {
  const CurveStore& c = program.curves;
  if (curve < 1 || curve > c.CurveCount) return;
  bool ok = false;
  const QString name = QInputDialog::getText(
      parent, "Curve Name",
      QString("Name of curve %1 in the legend (empty for the name of what it holds):").arg(curve),
      QLineEdit::Normal, QString::fromStdString(LegendName(c, curve)), &ok);
  if (!ok) return;
  if (const auto why = RenameCurve(program, curve, name.toStdString())) {
    program.host.Message(*why, MessageKind::Warning);
  }
}

}  // namespace vorex::ui
