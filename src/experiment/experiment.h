#pragma once

#include "base/host.h"
#include "experiment/form_expr.h"
#include "experiment/form_mech.h"
#include "experiment/form_tech.h"
#include "experiment/parameter_set.h"

namespace vorex {

// The experiment description: the parameter set and the three dialogs it is captured from. The
// dialogs reach each other and the parameter set through it, as their event operations require.
class Experiment {
 public:
  explicit Experiment(Host& host) : host(host) {}
  Experiment(const Experiment&) = delete;
  Experiment& operator=(const Experiment&) = delete;

  Host& host;
  ParameterSet parameterSet;
  FormTech formTech{*this};
  FormMech formMech{*this};
  FormExpr formExpr{*this};
};

}  // namespace vorex
