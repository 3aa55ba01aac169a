#pragma once

#include "base/window.h"
#include "curves/curve_store.h"
#include "shell/command_table.h"

namespace vorex {

class Program;

// The main window: the menu tree as controls and every command's sequence.
class MDIForm1 : public Window {
 public:
  explicit MDIForm1(Program& program);

  // Start-up: the Experimental dialog's defaults, electrode 1, "current I", n and p of 1, and one
  // capture so that the parameter set holds the dialogs' defaults from the start.
  void MDIForm_Load();

  // Runs a menu command as the menu does: the main window becomes active, a disabled item is
  // refused with a message. Returns false when refused.
  bool Invoke(Control& item);
  const MenuEntry* EntryFor(const Control& item) const;

  // Enables "&Display" and "&Analysis" for good, after the first simulation or import.
  void EnableCurveMenus();

  // The plot window was resized: it is drawn again from the store, if it holds curves.
  void FormPlot_Resize();

  void mnuExit_Click();
  // Edit > Undo and Redo.
  void mnuUndo_Click();
  void mnuRedo_Click();
  // The whole session as a project file; New, Open and Exit offer to save changes first.
  void mnuNewProject_Click();
  void mnuOpenProject_Click();
  void mnuSaveProject_Click();
  void mnuSaveProjectAs_Click();
  void mnuTech_Click();
  void mnuMechamism_Click();
  void mnuExperimental_Click();
  void mnuNextCurve_Click();
  void mnuAbout_Click();
  void mnuSimulate_Click();
  void mnuSave_Click();
  // The whole experiment description from and into a settings file.
  void mnuOpenSettings_Click();
  void mnuSaveSettings_Click();
  void mnuManualFit_Click();
  void mnuAutoFit_Click();
  // The values the last Auto Fit found into the Experimental dialog's fields.
  void mnuAcceptFit_Click();
  // The Fit Several Curves window, over the set of measured curves fitted together.
  void mnuGlobalFit_Click();
  void mnuManualSeparate_Click();
  void mnuAutoSeparate_Click();
  void mnuImport_Click();
  void mnuExport_Click();
  void mnuExportPlot_Click();
  void mnuCopyto_Click();
  void mnuPrint_Click();
  void mnuFindPeak_Click();
  void mnuFindHalfwaveE_Click();
  void mnuCompId_Click();
  void mnuOption_Click();
  void mnuPlot_Click();
  void mnuClear_Click();
  // The measured curve less the fitted one of the last Auto Fit, drawn as the next curve.
  void mnuResidual_Click();
  void mnuSemi_Click();
  void mnuSemiInte_Click();
  void mnuDerivative_Click();
  void mnuIntegral_Click();
  void mnu1000X_Click() { ScaleAbscissa(1000); }
  void mnu10X_Click() { ScaleAbscissa(10); }
  void mnu01X_Click() { ScaleAbscissa(0.1); }
  void mnu0001X_Click() { ScaleAbscissa(0.001); }
  void mnuMinusX_Click() { ScaleAbscissa(-1); }
  void mnu1000Y_Click() { ScaleOrdinate(1000); }
  void mnu10Y_Click() { ScaleOrdinate(10); }
  void mnu01Y_Click() { ScaleOrdinate(0.1); }
  void mnu0001Y_Click() { ScaleOrdinate(0.001); }
  void mnuMinusY_Click() { ScaleOrdinate(-1); }
  // The Cut and Subtract Background dialogs, once there is a curve to work on.
  void mnuCut_Click();
  void mnuBackground_Click();

 private:
  enum class Transform { SemiDifferentiate, SemiIntegrate, Differentiate, Integrate };
  void TransformCurrentCurve(Transform transform, const char* label);
  static const char* TransformUnit(Transform transform);
  static CurveRole TransformRole(Transform transform);
  void ScaleAbscissa(double factor);
  void ScaleOrdinate(double factor);
  void ShowCurveDialog(Window& dialog, const char* command);
  // Whether there are curves for the command to work on (none before the first result, or after
  // Clear); if not, says so.
  bool HasCurves(const char* command);
  void Plot();
  // The fit commands; false when they were refused before anything changed.
  bool ManualFit();
  bool AutoFit();
  bool FitMayStart(bool bounds);
  // Whether the session's changes may go: saved or let go, as the user answers; false when the
  // user cancels or the saving fails.
  bool MayLeaveProject();
  bool SaveProjectTo(const std::string& file);
  void ShowReactionCurves();

  Program& program_;
};

}  // namespace vorex
