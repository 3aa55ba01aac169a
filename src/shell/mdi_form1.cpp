#include "shell/mdi_form1.h"

#include "base/build_info.h"
#include "base/result_line.h"
#include "experiment/capture.h"
#include "shell/program.h"
#include "shell/undo_steps.h"
#include "shell/undoable_commands.h"

namespace vorex {
namespace {

std::string WithoutAccelerator(std::string_view caption) {
  std::string plain;
  for (char c : caption) {
    if (c != '&') plain += c;
  }
  return plain;
}

std::string DisabledUntilCurve(std::string_view caption) {
  std::string message(1, '"');
  message += WithoutAccelerator(caption);
  message += "\" is disabled until a curve has been simulated or imported.";
  return message;
}

}  // namespace

MDIForm1::MDIForm1(Program& program) : Window("MDIForm1", "Vorex for Windows"), program_(program) {
  for (const MenuEntry& entry : MenuTable()) {
    Control& item = Add(ControlKind::MenuItem, std::string(entry.control));
    item.SetCaption(std::string(entry.caption));
    item.SetEnabled(entry.initiallyEnabled);
    if (!entry.parent.empty()) item.SetFrame(Find(entry.parent));
    if (entry.handler != nullptr) {
      const auto handler = entry.handler;
      item.onClick = [this, handler] { (this->*handler)(); };
      if (const auto label = UndoLabel(entry.control)) {
        item.onClick = [this, handler, label = std::string(*label)] {
          RecordStep(program_, label, true, [this, handler] { (this->*handler)(); });
        };
      }
    }
  }
}

void MDIForm1::MDIForm_Load() {
  Show();
  program_.experiment.formExpr.Form_Load();
  program_.plot.formOption.ComboY().SetListIndex(0);
  CaptureParameters(program_.experiment);
}

const MenuEntry* MDIForm1::EntryFor(const Control& item) const {
  for (const MenuEntry& entry : MenuTable()) {
    if (entry.control == item.Name()) return &entry;
  }
  return nullptr;
}

bool MDIForm1::Invoke(Control& item) {
  program_.desktop.Focus(*this);
  // Typing in a field after any command, be it only showing a dialog again, is a step of its own.
  program_.undo.Seal();
  if (!item.Usable()) {
    const std::optional<std::string> nothing = NothingToTakeBack(item);
    program_.host.Message(nothing ? *nothing : DisabledUntilCurve(item.Caption()),
                          MessageKind::Warning);
    return false;
  }
  if (item.onClick) item.onClick();
  return true;
}

void MDIForm1::EnableCurveMenus() {
  Find("mnuDisplay")->SetEnabled(true);
  Find("mnuData")->SetEnabled(true);
}

void MDIForm1::mnuExit_Click() {
  if (!MayLeaveProject()) return;
  program_.exitRequested = true;
}

void MDIForm1::mnuUndo_Click() {
  UndoStepBack(program_);
}

void MDIForm1::mnuRedo_Click() {
  RedoStepForward(program_);
}

void MDIForm1::mnuTech_Click() {
  program_.experiment.formTech.Show();
}

void MDIForm1::mnuMechamism_Click() {
  program_.experiment.formMech.Show();
}

void MDIForm1::mnuExperimental_Click() {
  CaptureTechniqueAndMechanism(program_.experiment);
  program_.experiment.formExpr.Show();
}

void MDIForm1::mnuNextCurve_Click() {
  CurveStore& curves = program_.curves;
  curves.CurrentCurve = curves.CurrentCurve < curves.CurveCount ? curves.CurrentCurve + 1 : 1;
  program_.formResult.Show();
  program_.formResult.Print(ResultLine().Text("Curve Number is ").Number(curves.CurrentCurve));
}

void MDIForm1::mnuAbout_Click() {
  TextWindow& about = program_.formAbout;
  about.Clear();
  about.Show();
  const std::string stars(52, '*');
  about.Print(stars);
  about.Print("Vorex " + std::string(VersionText()));
  about.Print(BuildText());
  about.Print("Voltammetric simulation, curve fitting and analysis");
  about.Print("Please read document VorexDoc.htm for help");
  about.Print(stars);
}

void MDIForm1::mnuCopyto_Click() {
  program_.host.CopyPicture(program_.plot.formPlot.picture);
}

void MDIForm1::mnuExportPlot_Click() {
  program_.host.ExportPicture(program_.plot.formPlot.picture);
}

void MDIForm1::mnuPrint_Click() {
  program_.host.PrintPicture(program_.plot.formPlot.picture);
}

}  // namespace vorex
