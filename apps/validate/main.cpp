// validate [--list] [--quick] [--case NAME]... [--report FILE.md --plot FILE.png] | --version
// Runs the oracle cases through the program's commands and prints one line per case. The exit
// status is 1 when a case required in a mode does not hold there, except when a report is
// written: the report is then the result, and it says which cases are not met. The published
// tables the cases use are data files (see validation/data_files.h for where they are looked for);
// without them validate says which and stops with status 2.
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/build_info.h"
#include "validation/case_runner.h"
#include "validation/data_files.h"
#include "validation/report.h"
#ifdef VOREX_HAVE_PICTURES
#include "ui/offscreen_pictures.h"
#endif

namespace {

struct Options {
  bool list = false, quick = false;
  std::vector<std::string> names;
  std::string report, plot;
};

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--list")
      o.list = true;
    else if (arg == "--quick")
      o.quick = true;
    else if (arg == "--case" && hasValue)
      o.names.push_back(argv[++i]);
    else if (arg == "--report" && hasValue)
      o.report = argv[++i];
    else if (arg == "--plot" && hasValue)
      o.plot = argv[++i];
    else
      return false;
  }
  return o.report.empty() == o.plot.empty();
}

bool Selected(const vorex::validation::Case& c, const Options& o) {
  if (!o.names.empty()) {
    for (const std::string& n : o.names) {
      if (c.name == n || c.name.rfind(n + ".", 0) == 0) return true;
    }
    return false;
  }
  return !o.quick || c.quick;
}

std::unique_ptr<vorex::PictureEncoder> Pictures() {
#ifdef VOREX_HAVE_PICTURES
  return vorex::ui::MakeOffscreenPictureEncoder();
#else
  return nullptr;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vorex::validation;
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << vorex::VersionLine("validate") << '\n';
    return 0;
  }
  Options options;
  if (!Parse(argc, argv, options)) {
    std::cerr << "usage: validate [--list] [--quick] [--case NAME]... "
                 "[--report FILE.md --plot FILE.png] | --version\n";
    return 2;
  }
  std::vector<Case> cases;
  try {
    cases = AllCases(ReadPublishedTables(DataFolders(ProgramFolder(argv[0]))));
  } catch (const std::runtime_error& e) {
    std::cerr << "validate: a published table could not be read: " << e.what() << '\n';
    return 2;
  }
  Runs runs;
  std::vector<CaseOutcome> outcomes;
  for (const Case& c : cases) {
    if (!Selected(c, options)) continue;
    if (options.list) {
      std::cout << c.name << (c.quick ? "  [quick]" : "") << "  " << c.setting << '\n';
      continue;
    }
    outcomes.push_back(Evaluate(c, runs));
    std::cout << SummaryLine(outcomes.back()) << std::endl;
  }
  if (options.list) return 0;
  if (outcomes.empty()) {
    std::cerr << "validate: no case by that name (see --list)\n";
    return 2;
  }
  if (!options.report.empty() &&
      !WriteReport(outcomes, options.report, options.plot, Pictures().get()))
    return 2;
  int unmet = 0;
  for (const CaseOutcome& o : outcomes) unmet += o.RequiredHold() ? 0 : 1;
  std::cout << outcomes.size() << " cases, " << unmet << " required not met\n";
  return unmet == 0 || !options.report.empty() ? 0 : 1;
}
