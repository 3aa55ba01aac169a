#include "shell/curve_edit_statements.h"

#include <string>
#include <vector>

#include "base/number_text.h"
#include "shell/background_command.h"
#include "shell/cut_command.h"
#include "shell/script_error.h"
#include "shell/statement_words.h"
#include "shell/typed_numbers.h"
#include "shell/undo_steps.h"

namespace vorex {
namespace {

int Count(std::string_view word, const char* what) {
  const auto n = CountingNumber(word);
  if (!n)
    throw ScriptError(std::string(what) + " takes a number from 1 up, not \"" + std::string(word) +
                      "\"");
  return *n;
}

double Potential(std::string_view word) {
  const auto e = StrictNumber(word);
  if (!e) throw ScriptError("\"" + std::string(word) + "\" is not a potential");
  return *e;
}

CutChoice CutStatement(const std::vector<std::string_view>& w) {
  const std::size_t n = w.size();
  const std::string_view kind = n > 1 ? w[1] : std::string_view();
  CutChoice choice;
  if (kind == "cycle" && n == 3) {
    choice.first = choice.last = Count(w[2], "cut cycle");
  } else if (kind == "segment" && n == 3) {
    choice.kind = CutChoice::Kind::Segments;
    choice.first = choice.last = Count(w[2], "cut segment");
  } else if (kind == "segments" && n == 4) {
    choice.kind = CutChoice::Kind::Segments;
    choice.first = Count(w[2], "cut segments");
    choice.last = Count(w[3], "cut segments");
  } else if (kind == "window" && n == 4) {
    choice.kind = CutChoice::Kind::Window;
    choice.low = Potential(w[2]);
    choice.high = Potential(w[3]);
  } else {
    throw ScriptError("cut takes cycle N, segment N, segments FIRST LAST or window LOW HIGH");
  }
  return choice;
}

BackgroundRequest BackgroundStatement(const std::vector<std::string_view>& w) {
  if (w.size() < 2 || w[1] != "subtract") {
    throw ScriptError("background takes subtract [degree D] [segment N] ranges LOW HIGH ...");
  }
  BackgroundRequest request;
  bool ranged = false;
  for (std::size_t k = 2; k < w.size(); ++k) {
    const bool last = k + 1 == w.size();
    if (w[k] == "degree" && !last) {
      const std::string_view degree = w[++k];
      if (degree != "0" && degree != "1" && degree != "2") {
        throw ScriptError("degree takes 0, 1 or 2, not \"" + std::string(degree) + "\"");
      }
      request.degree = degree[0] - '0';
    } else if (w[k] == "segment" && !last) {
      request.segment = Count(w[++k], "segment");
    } else if (w[k] == "ranges") {
      std::string numbers;
      while (k + 1 < w.size() && w[k + 1] != "degree" && w[k + 1] != "segment") {
        numbers += std::string(w[++k]) + " ";
      }
      auto ranges = TypedRanges(numbers);
      if (const auto* why = std::get_if<std::string>(&ranges)) throw ScriptError(*why);
      for (const PotentialRange& r : std::get<std::vector<PotentialRange>>(ranges)) {
        request.ranges.push_back(r);
      }
      ranged = true;
    } else {
      throw ScriptError(
          "background subtract takes degree D, segment N and ranges LOW HIGH ..., "
          "not \"" +
          std::string(w[k]) + "\"");
    }
  }
  if (!ranged) throw ScriptError("background subtract needs ranges LOW HIGH [LOW HIGH ...]");
  return request;
}

}  // namespace

bool CurveEditStatement(Program& program, std::string_view statement) {
  const std::vector<std::string_view> w = Words(statement);
  if (w.empty()) return false;
  if (w[0] == "sweeps") {
    if (w.size() > 1) throw ScriptError("sweeps takes nothing after it");
    ListSweeps(program);
  } else if (w[0] == "cut") {
    const CutChoice choice = CutStatement(w);
    RecordStep(program, "Cut", true, [&] { CutCurves(program, choice); });
  } else if (w[0] == "background") {
    const BackgroundRequest request = BackgroundStatement(w);
    RecordStep(program, "Subtract Background", true,
               [&] { SubtractCurveBackground(program, request); });
  } else {
    return false;
  }
  return true;
}

}  // namespace vorex
