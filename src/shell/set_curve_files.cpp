#include "shell/set_curve_files.h"

#include "shell/global_fit_add.h"

namespace vorex {

std::variant<SetFileCurves, std::string> ReadSetCurves(const std::string& path,
                                                       std::optional<int> cycle) {
  ImportRequest request;
  request.cycle = cycle ? std::to_string(*cycle) : "all";
  auto read = SetCurvesOfFile(path, request);
  if (auto* why = std::get_if<std::string>(&read)) return *why;
  CurvesToAdd& got = std::get<CurvesToAdd>(read);
  return SetFileCurves{std::move(got.format), std::move(got.curves), std::move(got.cycles),
                       std::move(got.lines)};
}

}  // namespace vorex
