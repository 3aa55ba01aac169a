#include "shell/command_table.h"

#include "shell/mdi_form1.h"

namespace vorex {
namespace {

using M = MDIForm1;
constexpr auto kLater = &M::NotAvailableYet;

constexpr MenuEntry kMenu[] = {
    {"", "&File", "mnuFile", nullptr},
    {"mnuFile", "&Save...", "mnuSave", kLater, true, true},
    {"mnuFile", "-", "mnuBar1", nullptr},
    {"mnuFile", "&Import Data...", "mnuImport", kLater, true, true},
    {"mnuFile", "&Export Data...", "mnuExport", kLater, true, true},
    {"mnuFile", "-", "mnuBar2", nullptr},
    {"mnuFile", "&Copy to Clipboard", "mnuCopyto", kLater, true, true},
    {"mnuFile", "&Print", "mnuPrint", kLater, true, true},
    {"mnuFile", "-", "mnuBar3", nullptr},
    {"mnuFile", "E&xit", "mnuExit", &M::mnuExit_Click},
    {"", "&Input", "mnuInput", nullptr},
    {"mnuInput", "&Techniques...", "mnuTech", &M::mnuTech_Click},
    {"mnuInput", "&Mechamism...", "mnuMechamism", &M::mnuMechamism_Click},
    {"mnuInput", "&Experimental...", "mnuExperimental", &M::mnuExperimental_Click},
    {"", "&Run", "mnuRun", nullptr},
    {"mnuRun", "&Simulate", "mnuSimulate", kLater},
    {"mnuRun", "-", "mnuBar31", nullptr},
    {"mnuRun", "&Manual Fit", "mnuManualFit", kLater},
    {"mnuRun", "&Auto Fit", "mnuAutoFit", kLater},
    {"mnuRun", "-", "mnuBar32", nullptr},
    {"mnuRun", "M&anual Seprarte", "mnuManualSeparate", kLater},
    {"mnuRun", "Auto S&eparate", "mnuAutoSeparate", kLater},
    {"", "&Display", "mnuDisplay", nullptr, false},
    {"mnuDisplay", "&Option...", "mnuOption", kLater},
    {"mnuDisplay", "&Plot", "mnuPlot", kLater},
    {"mnuDisplay", "&Next Curve", "mnuNextCurve", &M::mnuNextCurve_Click},
    {"mnuDisplay", "&Clear", "mnuClear", kLater},
    {"", "&Analysis", "mnuData", nullptr, false},
    {"mnuData", "&Find Peak", "mnuFindPeak", kLater},
    {"mnuData", "Find &Halfwave E", "mnuFindHalfwaveE", kLater},
    {"mnuData", "&Theoretical Peak", "mnuCompId", kLater},
    {"mnuData", "-", "mnuBar51", nullptr},
    {"mnuData", "&Semi-differentiate", "mnuSemi", kLater},
    {"mnuData", "S&emi-intergrate", "mnuSemiInte", kLater},
    {"mnuData", "&Differentiate", "mnuDerivative", kLater},
    {"mnuData", "&Integrate", "mnuIntegral", kLater},
    {"mnuData", "-", "mnuBar52", nullptr},
    {"", "&X Data", "mnuXData", nullptr},
    {"mnuXData", "1000X", "mnu1000X", kLater},
    {"mnuXData", "10X", "mnu10X", kLater},
    {"mnuXData", "0.1X", "mnu01X", kLater},
    {"mnuXData", "0.001X", "mnu0001X", kLater},
    {"mnuXData", "-X", "mnuMinusX", kLater},
    {"", "&Y Data", "mnuYData", nullptr},
    {"mnuYData", "1000Y", "mnu1000Y", kLater},
    {"mnuYData", "10Y", "mnu10Y", kLater},
    {"mnuYData", "0.1Y", "mnu01Y", kLater},
    {"mnuYData", "0.001Y", "mnu0001Y", kLater},
    {"mnuYData", "-Y", "mnuMinusY", kLater},
    {"", "&Help", "mnuHelp", nullptr},
    {"mnuHelp", "&About...", "mnuAbout", &M::mnuAbout_Click},
};

}  // namespace

std::span<const MenuEntry> MenuTable() { return kMenu; }

}  // namespace vorex
