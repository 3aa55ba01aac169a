#include "shell/command_table.h"

#include "shell/mdi_form1.h"

namespace vorex {
namespace {

using M = MDIForm1;

constexpr MenuEntry kMenu[] = {
    {"", "&File", "mnuFile", nullptr},
    {"mnuFile", "&New Project", "mnuNewProject", &M::mnuNewProject_Click},
    {"mnuFile", "&Open Project...", "mnuOpenProject", &M::mnuOpenProject_Click, true, true},
    {"mnuFile", "Save &Project", "mnuSaveProject", &M::mnuSaveProject_Click},
    {"mnuFile", "Save Project &As...", "mnuSaveProjectAs", &M::mnuSaveProjectAs_Click, true, true},
    {"mnuFile", "-", "mnuBarProject", nullptr},
    {"mnuFile", "&Open Settings...", "mnuOpenSettings", &M::mnuOpenSettings_Click, true, true},
    {"mnuFile", "Save Se&ttings...", "mnuSaveSettings", &M::mnuSaveSettings_Click, true, true},
    {"mnuFile", "-", "mnuBar0", nullptr},
    {"mnuFile", "&Save...", "mnuSave", &M::mnuSave_Click, true, true},
    {"mnuFile", "-", "mnuBar1", nullptr},
    {"mnuFile", "&Import Data...", "mnuImport", &M::mnuImport_Click, true, true},
    {"mnuFile", "&Export Data...", "mnuExport", &M::mnuExport_Click, true, true},
    {"mnuFile", "Export P&lot...", "mnuExportPlot", &M::mnuExportPlot_Click, true, true},
    {"mnuFile", "-", "mnuBar2", nullptr},
    {"mnuFile", "&Copy to Clipboard", "mnuCopyto", &M::mnuCopyto_Click, true, true},
    {"mnuFile", "&Print", "mnuPrint", &M::mnuPrint_Click, true, true},
    {"mnuFile", "-", "mnuBar3", nullptr},
    {"mnuFile", "E&xit", "mnuExit", &M::mnuExit_Click},
    {"", "&Edit", "mnuEdit", nullptr},
    {"mnuEdit", "&Undo", "mnuUndo", &M::mnuUndo_Click, false},
    {"mnuEdit", "&Redo", "mnuRedo", &M::mnuRedo_Click, false},
    {"", "&Input", "mnuInput", nullptr},
    {"mnuInput", "&Techniques...", "mnuTech", &M::mnuTech_Click},
    {"mnuInput", "&Mechamism...", "mnuMechamism", &M::mnuMechamism_Click},
    {"mnuInput", "&Experimental...", "mnuExperimental", &M::mnuExperimental_Click},
    {"", "&Run", "mnuRun", nullptr},
    {"mnuRun", "&Simulate", "mnuSimulate", &M::mnuSimulate_Click},
    {"mnuRun", "-", "mnuBar31", nullptr},
    {"mnuRun", "&Manual Fit", "mnuManualFit", &M::mnuManualFit_Click},
    {"mnuRun", "&Auto Fit", "mnuAutoFit", &M::mnuAutoFit_Click},
    {"mnuRun", "Accept &Fitted Values", "mnuAcceptFit", &M::mnuAcceptFit_Click},
    {"mnuRun", "Fit Several &Curves...", "mnuGlobalFit", &M::mnuGlobalFit_Click},
    {"mnuRun", "-", "mnuBar32", nullptr},
    {"mnuRun", "M&anual Seprarte", "mnuManualSeparate", &M::mnuManualSeparate_Click},
    {"mnuRun", "Auto S&eparate", "mnuAutoSeparate", &M::mnuAutoSeparate_Click},
    {"", "&Display", "mnuDisplay", nullptr, false},
    {"mnuDisplay", "&Option...", "mnuOption", &M::mnuOption_Click},
    {"mnuDisplay", "&Plot", "mnuPlot", &M::mnuPlot_Click},
    {"mnuDisplay", "&Next Curve", "mnuNextCurve", &M::mnuNextCurve_Click},
    {"mnuDisplay", "&Clear", "mnuClear", &M::mnuClear_Click},
    {"mnuDisplay", "&Residual", "mnuResidual", &M::mnuResidual_Click},
    {"", "&Analysis", "mnuData", nullptr, false},
    {"mnuData", "&Find Peak", "mnuFindPeak", &M::mnuFindPeak_Click},
    {"mnuData", "Find &Halfwave E", "mnuFindHalfwaveE", &M::mnuFindHalfwaveE_Click},
    {"mnuData", "&Theoretical Peak", "mnuCompId", &M::mnuCompId_Click},
    {"mnuData", "-", "mnuBar51", nullptr},
    {"mnuData", "&Semi-differentiate", "mnuSemi", &M::mnuSemi_Click},
    {"mnuData", "S&emi-intergrate", "mnuSemiInte", &M::mnuSemiInte_Click},
    {"mnuData", "&Differentiate", "mnuDerivative", &M::mnuDerivative_Click},
    {"mnuData", "&Integrate", "mnuIntegral", &M::mnuIntegral_Click},
    {"mnuData", "-", "mnuBar52", nullptr},
    {"", "&X Data", "mnuXData", nullptr},
    {"mnuXData", "1000X", "mnu1000X", &M::mnu1000X_Click},
    {"mnuXData", "10X", "mnu10X", &M::mnu10X_Click},
    {"mnuXData", "0.1X", "mnu01X", &M::mnu01X_Click},
    {"mnuXData", "0.001X", "mnu0001X", &M::mnu0001X_Click},
    {"mnuXData", "-X", "mnuMinusX", &M::mnuMinusX_Click},
    {"mnuXData", "-", "mnuBar71", nullptr},
    {"mnuXData", "&Cut...", "mnuCut", &M::mnuCut_Click},
    {"", "&Y Data", "mnuYData", nullptr},
    {"mnuYData", "1000Y", "mnu1000Y", &M::mnu1000Y_Click},
    {"mnuYData", "10Y", "mnu10Y", &M::mnu10Y_Click},
    {"mnuYData", "0.1Y", "mnu01Y", &M::mnu01Y_Click},
    {"mnuYData", "0.001Y", "mnu0001Y", &M::mnu0001Y_Click},
    {"mnuYData", "-Y", "mnuMinusY", &M::mnuMinusY_Click},
    {"mnuYData", "-", "mnuBar81", nullptr},
    {"mnuYData", "Subtract &Background...", "mnuBackground", &M::mnuBackground_Click},
    {"", "&Help", "mnuHelp", nullptr},
    {"mnuHelp", "&About...", "mnuAbout", &M::mnuAbout_Click},
};

}  // namespace

std::span<const MenuEntry> MenuTable() {
  return kMenu;
}

}  // namespace vorex
