#pragma once

#include <string>
#include <variant>

#include "analysis/curve_cut.h"
#include "base/window.h"

namespace vorex {

struct CurveStore;

// The Cut dialog of the X Data menu: what to keep of the curves (a cycle, a segment or a run of
// segments, or a potential window) with the numbers, above a line saying how many cycles and
// segments the curves' potentials have. Only the fields of the chosen kind take typing.
class FormCut : public Window {
 public:
  explicit FormCut(const CurveStore& curves);

  // The counts line again, for the curves as they are now; an empty window field gets the
  // record's lowest or highest potential.
  void Activate() override;

  Control& optCycle() { return *optCycle_; }
  Control& optSegments() { return *optSegments_; }
  Control& optWindow() { return *optWindow_; }
  Control& txtCycle() { return *txtCycle_; }
  Control& txtFirst() { return *txtFirst_; }
  Control& txtLast() { return *txtLast_; }
  Control& txtLow() { return *txtLow_; }
  Control& txtHigh() { return *txtHigh_; }
  Control& LabelSweeps() { return *labelSweeps_; }
  Control& CmdOK() { return *cmdOK_; }
  Control& CmdCancel() { return *cmdCancel_; }

  // The choice the fields give, or what to type instead. A blank "to" segment keeps one segment.
  std::variant<CutChoice, std::string> Choice() const;

 private:
  void FollowKind();

  const CurveStore& curves_;
  Control *labelSweeps_, *optCycle_, *optSegments_, *optWindow_;
  Control *txtCycle_, *txtFirst_, *txtLast_, *txtLow_, *txtHigh_;
  Control *cmdOK_, *cmdCancel_;
};

}  // namespace vorex
