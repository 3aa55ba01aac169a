#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "arrays.h"
#include "bindings.h"
#include "plot/curve_legend.h"
#include "shell/cli_host.h"
#include "shell/program.h"
#include "shell/project_session.h"
#include "shell/script_interpreter.h"

namespace py = pybind11;

namespace vorex::python {
namespace {

// The command interface's host with its message boxes kept for the caller rather than written.
class SessionHost : public CliHost {
 public:
  explicit SessionHost(std::ostream& unused) : CliHost(unused) {}
  void MessageBox(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// A whole program state driven by statements, as vorex-cli drives it.
class Session {
 public:
  Session()
      : host_(unused_),
        program_(std::make_unique<Program>(host_)),
        interpreter_(*program_, host_, out_, unused_) {}

  // Runs the statements one line at a time; returns what the result window printed and the
  // message boxes shown. A statement the interpreter cannot understand raises ValueError with
  // its line and reason, after the lines before it have run.
  py::tuple Run(const std::string& statements) {
    std::string printed, failure;
    std::vector<std::string> messages;
    {
      py::gil_scoped_release release;
      const std::lock_guard<std::mutex> lock(mutex_);
      out_.str("");
      host_.messages.clear();
      std::istringstream lines(statements);
      std::string line;
      int number = 0;
      while (!interpreter_.Finished() && std::getline(lines, line)) {
        ++number;
        try {
          interpreter_.Execute(line);
        } catch (const RuntimeFault& fault) {
          // Not a statement error: a fault no handler of the program caught.
          failure = "fault:" + fault.Description();
          break;
        } catch (const std::runtime_error& error) {
          failure = "line " + std::to_string(number) + ": " + error.what();
          break;
        }
        ran_.push_back(line);
      }
      printed = out_.str();
      messages = host_.messages;
    }
    if (failure.rfind("fault:", 0) == 0) throw SimulationFailure(failure.substr(6));
    if (!failure.empty()) throw py::value_error(failure);
    return py::make_tuple(printed, messages);
  }

  // The abscissa and the displayed curves 1..CurveCount, as rows.
  py::tuple Curves() {
    std::vector<double> e, curves;
    int count = 0;
    Locked([&] {
      const CurveStore& c = program_->curves;
      const int n = c.PointCount;
      count = n > 0 ? c.CurveCount : 0;
      for (int i = 1; i <= n; ++i) e.push_back(c.Abscissa(i));
      for (int k = 1; k <= count; ++k) {
        for (int i = 1; i <= n; ++i) curves.push_back(c.Ordinate(i, k));
      }
    });
    const py::ssize_t n = static_cast<py::ssize_t>(e.size());
    py::array_t<double> x(n), y(std::vector<py::ssize_t>{count, n});
    std::copy(e.begin(), e.end(), x.mutable_data());
    std::copy(curves.begin(), curves.end(), y.mutable_data());
    return py::make_tuple(x, y);
  }

  // The legend's name of each displayed curve, curve 1 first.
  std::vector<std::string> CurveNames() {
    std::vector<std::string> names;
    Locked([&] {
      const CurveStore& c = program_->curves;
      if (c.PointCount < 1) return;
      for (int k = 1; k <= c.CurveCount; ++k) names.push_back(LegendName(c, k));
    });
    return names;
  }

  // Every statement that ran, in order: enough to rebuild the state by running them again.
  std::vector<std::string> Statements() {
    std::vector<std::string> ran;
    Locked([&] { ran = ran_; });
    return ran;
  }

  // The whole state into a project file, or from one into this session (which then is as the
  // file left it); why not, with nothing changed. Recorded as the menu command that does the
  // same, so that a session rebuilt from its statements does it again.
  std::string SaveProject(const std::string& path) {
    std::string error;
    Locked([&] {
      if (auto failure = vorex::SaveProject(*program_, path)) {
        error = *failure;
      } else {
        ran_.push_back("mnuSaveProjectAs " + path);
      }
    });
    return error;
  }
  std::string OpenProject(const std::string& path) {
    std::string error;
    Locked([&] {
      if (auto failure = vorex::OpenProject(*program_, path)) {
        error = *failure;
      } else {
        ran_.push_back("mnuOpenProject " + path);
      }
    });
    return error;
  }

  bool Finished() {
    bool finished = false;
    Locked([&] { finished = interpreter_.Finished(); });
    return finished;
  }

  // The settings the dialogs show now.
  Settings CurrentSettings() {
    Settings settings;
    Locked([&] { settings = program_->experiment.settings; });
    return settings;
  }

  // The parameter set as the last capture left it.
  py::dict Parameters() {
    ParameterSet p;
    Locked([&] { p = program_->experiment.parameterSet; });
    return ParametersDict(p);
  }

 private:
  // The session's state is reached by one call at a time; a call waiting for another lets the
  // other Python threads run meanwhile.
  template <class Use>
  void Locked(Use&& use) {
    py::gil_scoped_release release;
    const std::lock_guard<std::mutex> lock(mutex_);
    use();
  }

  std::ostringstream out_, unused_;
  SessionHost host_;
  std::unique_ptr<Program> program_;
  ScriptInterpreter interpreter_;
  std::vector<std::string> ran_;
  std::mutex mutex_;
};

}  // namespace

void BindSession(py::module_& m) {
  py::class_<Session>(m, "Session", "A whole program state driven by statements.")
      .def(py::init<>())
      .def("run", &Session::Run, "run(statements) -> (printed text, messages)")
      .def("curves", &Session::Curves, "curves() -> (E, curves)")
      .def("save_project", &Session::SaveProject, "save_project(path) -> why not, or ''")
      .def("open_project", &Session::OpenProject, "open_project(path) -> why not, or ''")
      .def("curve_names", &Session::CurveNames, "curve_names() -> the legend's names")
      .def("statements", &Session::Statements, "statements() -> list of the statements run")
      .def("parameters", &Session::Parameters, "parameters() -> dict of the last capture")
      .def("settings", &Session::CurrentSettings, "settings() -> the settings the dialogs show")
      .def_property_readonly("finished", &Session::Finished);
}

}  // namespace vorex::python
