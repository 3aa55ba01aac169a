#include "shell/global_fit_statements.h"

#include <cmath>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "curves/csv_file.h"
#include "experiment/settings_keywords.h"
#include "shell/cli_host.h"
#include "shell/global_fit_add.h"
#include "shell/global_fit_export.h"
#include "shell/global_fit_list.h"
#include "shell/global_fit_plot.h"
#include "shell/global_fit_report.h"
#include "shell/program.h"
#include "shell/script_error.h"
#include "shell/statement_words.h"
#include "shell/typed_numbers.h"

namespace vorex {
namespace {

using WordList = std::vector<std::string_view>;

constexpr const char* kForms =
    "global takes add, set, remove, clear, list, per_curve, shared, weighting, threads, fit, "
    "export or plot (help global lists them)";

// The statement's text from word k on, as it was typed.
std::string_view From(std::string_view statement, const WordList& w, std::size_t k) {
  std::string_view rest =
      statement.substr(static_cast<std::size_t>(w[k].data() - statement.data()));
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r' ||
                           rest.back() == '\n')) {
    rest.remove_suffix(1);
  }
  return rest;
}

int Number(std::string_view word, const std::string& what) {
  const auto n = CountingNumber(word);
  if (!n) {
    throw ScriptError(what + " takes a curve's number from 1 up, not \"" + std::string(word) +
                      "\"");
  }
  return *n;
}

void Arity(const WordList& w, std::size_t count, const std::string& form) {
  if (w.size() != count) throw ScriptError("expected " + form);
}

// KEYWORD=VALUE: a number, True or False, or a name ("linear").
Keyword KeywordOf(std::string_view token) {
  const std::size_t equals = token.find('=');
  if (equals == std::string_view::npos || equals == 0 || equals + 1 == token.size()) {
    throw ScriptError("expected KEYWORD=VALUE (scan_rate=0.05), not \"" + std::string(token) +
                      "\"");
  }
  const std::string name(token.substr(0, equals)), text(token.substr(equals + 1));
  if (StrictNumber(text)) return {name, KeywordValue::Number(text, text)};
  if (text == "True" || text == "true") return {name, KeywordValue::Flag(true, text)};
  if (text == "False" || text == "false") return {name, KeywordValue::Flag(false, text)};
  return {name, KeywordValue::Name(text, "\"" + text + "\"")};
}

std::vector<Keyword> KeywordsOf(const WordList& w, std::size_t from) {
  std::vector<Keyword> keywords;
  for (std::size_t k = from; k < w.size(); ++k) keywords.push_back(KeywordOf(w[k]));
  return keywords;
}

// Takes an import option into the request; false for any other word.
bool ImportOption(std::string_view token, ImportRequest& request) {
  if (token == "invert-current") {
    request.invertCurrent = true;
  } else if (token == "abscissa=applied" || token == "abscissa=measured") {
    request.appliedPotential = token == "abscissa=applied";
  } else if (token.substr(0, 6) == "cycle=") {
    const std::string_view value = token.substr(6);
    if (value != "all" &&
        (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos)) {
      throw ScriptError("cycle= takes a cycle's number or all, not \"" + std::string(value) + "\"");
    }
    request.cycle = std::string(value);
  } else {
    return false;
  }
  return true;
}

void Say(Program& program, const std::string& line) {
  program.formResult.Show();
  program.formResult.Print(line);
}

void Refuse(Program& program, const std::string& why) {
  program.host.Message(why, MessageKind::Warning);
}

// The file the statement names, as the host's file dialog answers with it (a host that answers
// otherwise, as a fuzzer's does with its scratch file, is asked as for a menu command); nothing
// when it cancels.
std::optional<std::string> FileAnswer(Program& program, CliHost& host, const std::string& file,
                                      bool save, const char* filter) {
  host.SetPendingFile(file);
  std::optional<std::string> chosen =
      save ? program.host.SaveFileName(filter) : program.host.OpenFileName(filter);
  host.SetPendingFile(std::nullopt);
  return chosen;
}

void SayAdded(Program& program, std::size_t before, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Say(program, line);
  for (std::size_t c = before + 1; c <= program.globalFit.curves.size(); ++c) {
    Say(program, "Added. " + SetCurveLine(program.globalFit, static_cast<int>(c)));
  }
}

void AddCurves(Program& program, CurvesToAdd curves, const std::vector<Keyword>& keywords) {
  const std::size_t before = program.globalFit.curves.size();
  if (auto why = AddSetCurves(program.globalFit, program.experiment.settings,
                              std::move(curves.curves), keywords)) {
    return Refuse(program, "global add: " + *why);
  }
  SayAdded(program, before, curves.lines);
}

// global add curve [N] [KEYWORD=VALUE ...]
void AddFromStore(Program& program, const WordList& w) {
  std::size_t at = 3;
  int n = 1;
  if (w.size() > 3 && w[3].find('=') == std::string_view::npos)
    n = Number(w[at++], "global add curve");
  const std::vector<Keyword> keywords = KeywordsOf(w, at);
  auto curve = SetCurveOfStore(program.curves, n);
  if (const auto* why = std::get_if<std::string>(&curve)) {
    return Refuse(program, "global add: " + *why + " Nothing was added.");
  }
  CurvesToAdd one;
  one.curves.push_back(std::move(std::get<SetCurve>(curve)));
  AddCurves(program, std::move(one), keywords);
}

// global add FILE [options] [KEYWORD=VALUE ...]: the options and keywords end the statement, the
// file name (blanks and all) is what comes before them.
void AddFromFile(Program& program, CliHost& host, std::string_view statement, const WordList& w) {
  ImportRequest request;
  std::vector<Keyword> keywords;
  std::size_t last = w.size();
  while (last > 3) {
    const std::string_view token = w[last - 1];
    if (!ImportOption(token, request)) {
      if (token.find('=') == std::string_view::npos) break;
      keywords.insert(keywords.begin(), KeywordOf(token));
    }
    --last;
  }
  const std::string_view rest = From(statement, w, 2);
  const std::string file(rest.substr(
      0, static_cast<std::size_t>(w[last - 1].data() + w[last - 1].size() - rest.data())));
  const std::optional<std::string> chosen = FileAnswer(program, host, file, false, kDataFilter);
  if (!chosen) return Refuse(program, "global add: no file was chosen. Nothing was added.");
  auto curves = SetCurvesOfFile(*chosen, request);
  if (const auto* why = std::get_if<std::string>(&curves)) {
    return Refuse(program, "global add: " + *why + " Nothing was added.");
  }
  AddCurves(program, std::move(std::get<CurvesToAdd>(curves)), keywords);
}

void Add(Program& program, CliHost& host, std::string_view statement, const WordList& w) {
  if (w.size() < 3) throw ScriptError("global add takes a file name, or curve [N]");
  if (w[2] == "curve") return AddFromStore(program, w);
  AddFromFile(program, host, statement, w);
}

void Set(Program& program, const WordList& w) {
  if (w.size() < 4) throw ScriptError("global set takes a curve's number and KEYWORD=VALUE ...");
  const int c = Number(w[2], "global set");
  const std::vector<Keyword> keywords = KeywordsOf(w, 3);
  const bool held = static_cast<std::size_t>(c) <= program.globalFit.curves.size();
  GlobalFitSet trial = program.globalFit;
  auto why = SetCurveKeywords(trial, program.experiment.settings, c, keywords);
  if (!why)
    why = RefusedOwnValue(program.experiment.settings, trial, static_cast<std::size_t>(c - 1));
  if (why) {
    return Refuse(program, "global set: " + *why + (held ? " The curve keeps what it had." : ""));
  }
  program.globalFit = std::move(trial);
  Say(program, SetCurveLine(program.globalFit, c));
}

void Remove(Program& program, const WordList& w) {
  Arity(w, 3, "global remove N");
  const int c = Number(w[2], "global remove");
  const std::string name = static_cast<std::size_t>(c) <= program.globalFit.curves.size()
                               ? program.globalFit.curves[static_cast<std::size_t>(c - 1)].name
                               : std::string();
  if (auto why = RemoveSetCurve(program.globalFit, c))
    return Refuse(program, "global remove: " + *why);
  Say(program, "Removed curve " + std::to_string(c) + " (" + name + "); the set holds " +
                   std::to_string(program.globalFit.curves.size()) + ".");
}

void Clear(Program& program, const WordList& w) {
  Arity(w, 2, "global clear, with nothing after it");
  GlobalFitSet& set = program.globalFit;
  set.curves.clear();
  set.lastCurves.clear();
  set.lastSetup = {};
  set.last.reset();
  Say(program, "The set holds no curve; its weighting, threads and parameters per curve are kept.");
}

void List(Program& program, const WordList& w) {
  Arity(w, 2, "global list, with nothing after it");
  for (const std::string& line : SetListLines(program.globalFit)) Say(program, line);
}

std::string FittableNames() {
  std::string names;
  for (int k = 1; k <= kFitSlots; ++k) names += (k == 1 ? "" : ", ") + FitSlotKeyword(k);
  return names;
}

// global per_curve NAME ... | global shared NAME ...: every name checked before any is marked.
void Mark(Program& program, const WordList& w, bool perCurve) {
  const std::string form = perCurve ? "global per_curve" : "global shared";
  if (w.size() < 3) throw ScriptError(form + " takes the names of fitted parameters (E0_1 ks_1)");
  std::vector<int> slots;
  for (std::size_t k = 2; k < w.size(); ++k) {
    const auto* field = FieldNamed(w[k]);
    const int slot = field != nullptr ? FitSlotOf(field->id) : 0;
    if (slot == 0) {
      throw ScriptError("\"" + std::string(w[k]) + "\" is not a fittable parameter; the " +
                        "fittable ones are " + FittableNames());
    }
    slots.push_back(slot);
  }
  for (const int slot : slots) MarkPerCurve(program.globalFit, slot, perCurve);
  std::string names;
  for (const int slot : slots) names += (names.empty() ? "" : ", ") + FitSlotKeyword(slot);
  Say(program, names + (perCurve ? " fitted per curve" : " shared by the curves") +
                   " where ticked in the Experimental dialog.");
}

void Weighting(Program& program, const WordList& w) {
  const std::optional<CurveWeighting> weighting =
      w.size() == 3 ? WeightingNamed(w[2]) : std::nullopt;
  if (!weighting) throw ScriptError("global weighting takes none, max or noise");
  program.globalFit.weighting = *weighting;
  Say(program, "Weighting: " + WeightingSentence(*weighting) + ".");
}

void Threads(Program& program, const WordList& w) {
  const std::optional<double> n = w.size() == 3 ? StrictNumber(w[2]) : std::nullopt;
  if (!n || *n < 0 || *n > 256 || std::floor(*n) != *n) {
    throw ScriptError("global threads takes a whole number from 0 (every processor) to 256");
  }
  program.globalFit.threads = static_cast<int>(*n);
  Say(program, "Threads: " +
                   (program.globalFit.threads > 0 ? std::to_string(program.globalFit.threads)
                                                  : std::string("every processor")) +
                   ".");
}

void Fit(Program& program, const WordList& w) {
  Arity(w, 2, "global fit, with nothing after it");
  // The program's bound on a fit's simulations (a fuzzer's) bounds the set's evaluations too.
  program.globalFit.evaluationBudget = program.fit.evaluationBudget;
  if (RunGlobalFitCommand(program.links, program.globalFit)) PlotSetCurve(program, 1, false);
}

void Export(Program& program, CliHost& host, std::string_view statement, const WordList& w) {
  if (w.size() < 3) throw ScriptError("global export takes a file name");
  if (!program.globalFit.last) {
    // Refused before the dialog, so that nothing is asked for a file that would not be written.
    return Refuse(program, *ExportGlobalFit(program.globalFit, std::string()));
  }
  const std::optional<std::string> file =
      FileAnswer(program, host, std::string(From(statement, w, 2)), true, kCsvFilter);
  if (!file) return;
  if (auto why = ExportGlobalFit(program.globalFit, *file)) Refuse(program, *why);
}

void Plot(Program& program, const WordList& w) {
  const bool residual = w.size() == 4 && w[3] == "residual";
  if (w.size() != 3 && !residual) throw ScriptError("expected global plot N [residual]");
  if (auto why = PlotSetCurve(program, Number(w[2], "global plot"), residual)) {
    Refuse(program, *why);
  }
}

}  // namespace

bool GlobalFitStatement(Program& program, CliHost& host, std::string_view statement) {
  const WordList w = Words(statement);
  if (w.empty() || w[0] != "global") return false;
  const std::string_view verb = w.size() > 1 ? w[1] : std::string_view();
  if (verb == "add") {
    Add(program, host, statement, w);
  } else if (verb == "set") {
    Set(program, w);
  } else if (verb == "remove") {
    Remove(program, w);
  } else if (verb == "clear") {
    Clear(program, w);
  } else if (verb == "list") {
    List(program, w);
  } else if (verb == "per_curve" || verb == "shared") {
    Mark(program, w, verb == "per_curve");
  } else if (verb == "weighting") {
    Weighting(program, w);
  } else if (verb == "threads") {
    Threads(program, w);
  } else if (verb == "fit") {
    Fit(program, w);
  } else if (verb == "export") {
    Export(program, host, statement, w);
  } else if (verb == "plot") {
    Plot(program, w);
  } else {
    throw ScriptError(kForms);
  }
  return true;
}

}  // namespace vorex
