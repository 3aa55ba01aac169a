#pragma once

#include <string>

#include "plot/curve_links.h"
#include "readers/measured_data.h"
#include "shell/import_command.h"

namespace vorex {

// An instrument file's cycle (chosen by the request, else asked) onto a uniform step, thinned to
// the store's points when it has more, and into the store with its vertices, with what the file
// says printed, and its settings offered to the Experimental dialog. The curve is named in the
// legend by `source`, the file's name without its folder, and its cycle when one was chosen.
bool ImportMeasured(CurveLinks& links, MeasuredData& data, const ImportRequest& request,
                    const std::string& source);

}  // namespace vorex
