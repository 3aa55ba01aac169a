#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/window.h"
#include "shell/global_fit_set.h"

namespace vorex {

class Program;

// The Fit Several Curves window of the Run menu: the set of measured curves fitted together
// (its table is the Qt side's, over set_table.h), the buttons that fill it, the parameters ticked
// in the Experimental dialog each with its "per curve" tick, the weighting, and Fit.
class FormGlobalFit : public Window {
 public:
  explicit FormGlobalFit(Program& program);

  // Follows the set and the Experimental dialog as they are now (see Follow).
  void Activate() override { Follow(); }
  // The parameters ticked in the Experimental dialog, each with its tick; the weighting; the
  // line that sums up the set.
  void Follow();

  // The curve of the table the buttons act on (from 1; 0 for none).
  void Select(int curve) { selected_ = curve; }
  int Selected() const { return selected_; }

  // The files into the set as Import Data reads them: a file of several cycles asks which one,
  // or each as a curve of its own. Why not, for the files that were not added.
  std::optional<std::string> AddFiles(const std::vector<std::string>& files);
  // Each cycle of the store's curve 1 as a curve of the set; why not.
  std::optional<std::string> AddImportedCycles();

  Control& LabelSet() { return *labelSet_; }
  Control& CmdAddFiles() { return *cmdAddFiles_; }
  Control& CmdAddCycles() { return *cmdAddCycles_; }
  Control& CmdRemove() { return *cmdRemove_; }
  Control& CmdClear() { return *cmdClear_; }
  Control& LabelNoParameter() { return *labelNoParameter_; }
  Control& LabelParameter(int slot) { return *labelParameter_.at(Slot(slot)); }
  Control& CheckPerCurve(int slot) { return *checkPerCurve_.at(Slot(slot)); }
  Control& ComboWeighting() { return *comboWeighting_; }
  Control& CmdFit() { return *cmdFit_; }
  Control& CmdClose() { return *cmdClose_; }

 private:
  static std::size_t Slot(int slot) { return static_cast<std::size_t>(slot - 1); }
  std::string Summary() const;
  std::optional<std::string> AddFile(const std::string& file);
  std::optional<std::string> AddCurve(SetCurve curve);
  // Why not every one of `cycles` curves fits into the set: how many do.
  std::optional<std::string> Room(int cycles) const;
  void Tell(const std::optional<std::string>& refusal);
  void Remove();
  void Clear();
  void Fit();

  Program& program_;
  int selected_ = 0;
  Control *labelSet_, *cmdAddFiles_, *cmdAddCycles_, *cmdRemove_, *cmdClear_;
  Control *frameParameters_, *labelNoParameter_;
  std::vector<Control*> labelParameter_, checkPerCurve_;
  Control *comboWeighting_, *cmdFit_, *cmdClose_;
};

}  // namespace vorex
