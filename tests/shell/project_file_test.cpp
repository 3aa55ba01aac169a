// Project files: a whole session written and read back bit for bit, a damaged file refused with
// the session as it was, the recent files, and whether there are changes to save.
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <tuple>

#include "shell/project_session.h"
#include "shell/recent_files.h"
#include "support/script_session.h"
#include "support/started_program.h"

namespace vorex {
namespace {

using ProjectFiles = testing::StartedProgram;
using Answer = Host::Answer;

std::uint64_t Bits(double x) {
  return std::bit_cast<std::uint64_t>(x);
}

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteAll(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// Values whose shortest decimal text is long or unusual: a third (17 digits), the smallest
// subnormal, the largest double, a negative zero (whose sign a careless writer drops).
constexpr double kHard[] = {1.0 / 3.0, 4.9406564584124654e-324, 1.7976931348623157e308, -0.0, 0.1};

// A session that uses every part of a project: changed settings, three points on curves of
// every kind with names, the plot options and state, a fitted set and result lines that need
// escaping.
void FillSession(Program& p) {
  ASSERT_FALSE(p.experiment.Change(FieldId::EStart, "0.45"));
  CurveStore& c = p.curves;
  c.PointCount = 3;
  for (int i = 1; i <= 3; ++i) {
    c.Abscissa(i) = kHard[i - 1] * 1e-3;
    for (int k = 1; k <= kMaxCurves; ++k) c.Ordinate(i, k) = kHard[(i + k) % 5] / k;
    for (int j = 1; j <= 7; ++j) c.SimulatedCurrent(i, j) = kHard[(i * j) % 5];
    for (int s = 1; s <= kMaxNetworkSpecies; ++s) c.SurfaceConcentration(i, s) = kHard[s % 5];
  }
  c.Role(1) = CurveRole::Measured;
  c.Name(1) = "run \"1\"\\a.csv";
  c.Role(2) = CurveRole::Fitted;
  c.Role(4) = CurveRole::Reaction3;
  c.Name(5) = "µ-electrode";
  c.PointsPerSweep = 2;
  c.VertexCount = 1;
  c.Vertex(1) = 2;
  c.FirstPoint = 1;
  c.LastPoint = 3;
  c.CurrentCurve = 2;
  c.CurveCount = 4;
  c.StoredCurveCount = 2;
  c.YMax = 1.0 / 3.0;
  c.YMin = -0.0;
  FormOption& o = p.plot.formOption;
  o.ComboY().SetListIndex(3);
  o.CheckGrid().SetChecked(true);
  o.SetCheck(o.Xauto(), false);
  o.XminText().SetText("-0.25");
  o.linestyle3(4).SetChecked(true);
  p.plot.state.XMin = -1.0 / 3.0;
  p.plot.state.XMax = 0.1;
  p.plot.state.OverlapOn = true;
  p.plot.state.LineStyle(5) = 3;
  SetCurve curve{"scan 2", {0.1, 0.2, 1.0 / 3.0}, {1e-6, -0.0, 2e-6}, {}};
  curve.own.push_back(Keyword{"scan_rate", KeywordValue::Number("0.2", "0.2")});
  p.globalFit.curves.push_back(curve);
  p.globalFit.perCurveSlots = {3, 17};
  p.globalFit.weighting = CurveWeighting::LargestCurrent;
  p.formResult.Print("Peak 1: E = \"-0.1\"\ttab");
  p.formResult.Print("");
}

// Every saved part of two sessions, value by value and double by double.
void ExpectSameSession(const Program& a, const Program& b) {
  EXPECT_EQ(a.experiment.settings, b.experiment.settings);
  const CurveStore &x = a.curves, &y = b.curves;
  ASSERT_EQ(x.PointCount, y.PointCount);
  for (int i = 1; i <= x.PointCount; ++i) {
    EXPECT_EQ(Bits(x.Abscissa(i)), Bits(y.Abscissa(i))) << i;
    for (int k = 1; k <= kMaxCurves; ++k) EXPECT_EQ(Bits(x.Ordinate(i, k)), Bits(y.Ordinate(i, k)));
    for (int j = 1; j <= 7; ++j) {
      EXPECT_EQ(Bits(x.SimulatedCurrent(i, j)), Bits(y.SimulatedCurrent(i, j)));
    }
    for (int s = 1; s <= kMaxNetworkSpecies; ++s) {
      EXPECT_EQ(Bits(x.SurfaceConcentration(i, s)), Bits(y.SurfaceConcentration(i, s)));
    }
  }
  EXPECT_EQ(x.Role, y.Role);
  EXPECT_EQ(x.Name, y.Name);
  EXPECT_EQ(x.Vertex, y.Vertex);
  EXPECT_EQ(std::tie(x.PointsPerSweep, x.VertexCount, x.FirstPoint, x.LastPoint, x.CurrentCurve,
                     x.CurveCount, x.StoredCurveCount),
            std::tie(y.PointsPerSweep, y.VertexCount, y.FirstPoint, y.LastPoint, y.CurrentCurve,
                     y.CurveCount, y.StoredCurveCount));
  EXPECT_EQ(Bits(x.YMax), Bits(y.YMax));
  EXPECT_EQ(Bits(x.YMin), Bits(y.YMin));
  const auto options = [](const Program& p) {
    std::vector<std::tuple<std::string, std::string, bool, int, bool>> all;
    for (const auto& c : p.plot.formOption.Controls()) {
      all.emplace_back(c->FullName(), c->Text(), c->Checked(), c->ListIndex(), c->Visible());
    }
    return all;
  };
  EXPECT_EQ(options(a), options(b));
  EXPECT_EQ(Bits(a.plot.state.XMin), Bits(b.plot.state.XMin));
  EXPECT_EQ(Bits(a.plot.state.XMax), Bits(b.plot.state.XMax));
  EXPECT_EQ(a.plot.state.GridOn, b.plot.state.GridOn);
  EXPECT_EQ(a.plot.state.OverlapOn, b.plot.state.OverlapOn);
  EXPECT_EQ(a.plot.state.LineStyle, b.plot.state.LineStyle);
  ASSERT_EQ(a.globalFit.curves.size(), b.globalFit.curves.size());
  for (std::size_t k = 0; k < a.globalFit.curves.size(); ++k) {
    const SetCurve &p = a.globalFit.curves[k], &q = b.globalFit.curves[k];
    EXPECT_EQ(p.name, q.name);
    ASSERT_EQ(p.potential.size(), q.potential.size());
    for (std::size_t i = 0; i < p.potential.size(); ++i) {
      EXPECT_EQ(Bits(p.potential[i]), Bits(q.potential[i]));
      EXPECT_EQ(Bits(p.current[i]), Bits(q.current[i]));
    }
    ASSERT_EQ(p.own.size(), q.own.size());
    for (std::size_t i = 0; i < p.own.size(); ++i) {
      EXPECT_EQ(p.own[i].name, q.own[i].name);
      EXPECT_EQ(p.own[i].value.text, q.own[i].value.text);
      EXPECT_EQ(p.own[i].value.kind, q.own[i].value.kind);
    }
  }
  EXPECT_EQ(a.globalFit.perCurveSlots, b.globalFit.perCurveSlots);
  EXPECT_EQ(a.globalFit.weighting, b.globalFit.weighting);
  EXPECT_EQ(a.formResult.Lines(), b.formResult.Lines());
}

TEST_F(ProjectFiles, ASavedSessionOpensInAnotherBitForBit) {
  FillSession(*program);
  const std::string file = Temp("whole.vorex");
  host.fileAnswers.push_back(file);
  ASSERT_TRUE(Invoke("mnuSaveProjectAs"));
  EXPECT_EQ(host.filters.back(), kProjectFilter);
  ASSERT_TRUE(host.messages.empty()) << host.messages.front();

  testing::RecordingHost otherHost;
  Program other(otherHost);
  otherHost.fileAnswers.push_back(file);
  ASSERT_TRUE(other.mdiForm1.Invoke(*other.mdiForm1.Find("mnuOpenProject")));
  // The curves hold the largest double, which no axis can tick: the plot says so, and that is
  // all that is said.
  EXPECT_EQ(otherHost.messages, std::vector<std::string>{"Error: No data!"});
  ExpectSameSession(*program, other);
  // The manual X range shows, as the unticked "X auto" box shows it in the dialog.
  EXPECT_TRUE(other.plot.formOption.XminText().Visible());
  EXPECT_EQ(other.project.file, file);
  // Written again, the opened session gives the same bytes.
  otherHost.fileAnswers.push_back(Temp("again.vorex").string());
  ASSERT_TRUE(other.mdiForm1.Invoke(*other.mdiForm1.Find("mnuSaveProjectAs")));
  EXPECT_EQ(ReadAll(Temp("again.vorex")), ReadAll(file));
}

// The option dialog is kept control by control: one it gains later is kept without a change to
// the file's code, and a file that has one this dialog lacks still opens.
TEST_F(ProjectFiles, AControlAddedToTheOptionDialogIsKeptByItsName) {
  program->plot.formOption.Add(ControlKind::TextBox, "XTitle").SetText("E vs. Ag/AgCl");
  program->plot.formOption.Add(ControlKind::CheckBox, "CheckLogY").SetChecked(true);
  const std::string file = Temp("added.vorex");
  ASSERT_FALSE(SaveProject(*program, file));
  testing::RecordingHost otherHost;
  Program gained(otherHost);
  gained.plot.formOption.Add(ControlKind::TextBox, "XTitle");
  gained.plot.formOption.Add(ControlKind::CheckBox, "CheckLogY");
  ASSERT_FALSE(OpenProject(gained, file));
  EXPECT_EQ(gained.plot.formOption.Find("XTitle")->Text(), "E vs. Ag/AgCl");
  EXPECT_TRUE(gained.plot.formOption.Find("CheckLogY")->Checked());
  Program without(otherHost);
  EXPECT_FALSE(OpenProject(without, file));
  // A value of the wrong kind for the control is refused.
  std::string text = ReadAll(file);
  const std::string ticked = "\"CheckLogY\": true";
  text.replace(text.find(ticked), ticked.size(), "\"CheckLogY\": \"yes\"");
  WriteAll(file, text);
  const auto error = OpenProject(gained, file);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "the project file is damaged: plot.Controls.CheckLogY must be true or false");
}

TEST_F(ProjectFiles, TheSettingsSitInTheProjectAsASettingsFileWritesThem) {
  const std::string file = Temp("settings.vorex");
  ASSERT_FALSE(SaveProject(*program, file));
  const std::string text = ReadAll(file);
  EXPECT_NE(text.find("\"format\": \"vorex-project\""), std::string::npos);
  EXPECT_NE(text.find("\"settings\": {\n    \"format\": \"Vorex settings\""), std::string::npos);
}

// Each damage of a good file, with the words the refusal must name.
TEST_F(ProjectFiles, ADamagedFileIsRefusedAndTheSessionIsAsItWas) {
  FillSession(*program);
  const std::string good = Temp("good.vorex");
  ASSERT_FALSE(SaveProject(*program, good));
  const std::string text = ReadAll(good);
  // One fewer abscissa value: the three become two.
  std::string shortAbscissa = text;
  const std::size_t abscissa = shortAbscissa.find("\"Abscissa\": [");
  const std::size_t comma = shortAbscissa.find(", ", abscissa);
  shortAbscissa.erase(comma, shortAbscissa.find(", ", comma + 1) - comma);
  std::string newer = text;
  newer.replace(newer.find("\"version\": 1"), 12, "\"version\": 2");
  std::string wrongType = text;
  wrongType.replace(wrongType.find("\"CurrentCurve\": 2"), 17, "\"CurrentCurve\": \"2\"");
  std::string notANumber = text;
  notANumber.replace(notANumber.find("\"YMax\": "), 8, "\"YMax\": NaN, \"x\": ");
  std::string badByte = text;
  badByte[text.size() / 2] = '\x01';
  const std::pair<std::string, std::string> damages[] = {
      {text.substr(0, text.size() / 2), "not a project file"},
      {badByte, "not a project file"},
      {shortAbscissa, "curves.Abscissa has 2 values where 3 belong"},
      {newer, "format version 2 by a newer Vorex"},
      {wrongType, "curves.CurrentCurve must be a number"},
      {notANumber, "not a project file"},
      {"{\"format\": \"vorex-project\", \"version\": 1}", "project.settings is missing"},
  };
  program->project.file = good;
  ASSERT_FALSE(ProjectModified(*program));
  const std::string before = ProjectTextOf(*program).text;
  for (const auto& [damaged, why] : damages) {
    const std::string file = Temp("damaged.vorex");
    WriteAll(file, damaged);
    host.messages.clear();
    host.fileAnswers.push_back(file);
    ASSERT_TRUE(Invoke("mnuOpenProject"));
    ASSERT_EQ(host.messages.size(), 1u) << why;
    EXPECT_NE(host.messages[0].find(why), std::string::npos) << host.messages[0];
    EXPECT_NE(host.messages[0].find("The session is as it was."), std::string::npos);
    EXPECT_EQ(ProjectTextOf(*program).text, before) << why;
    EXPECT_EQ(program->project.file, good);
  }
}

TEST_F(ProjectFiles, AFileLargerThanAnyProjectIsRefusedUnread) {
  const std::filesystem::path file = Temp("huge.vorex");
  WriteAll(file, "{");
  std::filesystem::resize_file(file, kMaxProjectFileBytes + 1);  // sparse: nothing is written
  host.fileAnswers.push_back(file.string());
  ASSERT_TRUE(Invoke("mnuOpenProject"));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("Open Project Error"), std::string::npos);
  EXPECT_FALSE(ProjectModified(*program));
}

TEST_F(ProjectFiles, ACurveThatHoldsNoNumberIsNotWritten) {
  program->curves.PointCount = 1;
  program->curves.Ordinate(1, 2) = std::numeric_limits<double>::quiet_NaN();
  const std::string file = Temp("nan.vorex");
  const auto error = SaveProject(*program, file);
  ASSERT_TRUE(error);
  EXPECT_EQ(*error, "curve 2 holds a value that is not a number");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(program->project.file.empty());
}

TEST(RecentFiles, TheLatestComesFirstOnceAndTheOldestGoBeyondSix) {
  std::vector<std::string> list;
  for (const char* f : {"a", "b", "c", "d", "e", "f", "g"}) list = WithRecent(list, f);
  EXPECT_EQ(list, (std::vector<std::string>{"g", "f", "e", "d", "c", "b"}));
  list = WithRecent(list, "d");  // opened again: moves up, nothing drops
  EXPECT_EQ(list, (std::vector<std::string>{"d", "g", "f", "e", "c", "b"}));
  EXPECT_EQ(WithRecent(list, ""), list);
  EXPECT_EQ(WithRecent({"x", "y"}, "z", 2), (std::vector<std::string>{"z", "x"}));
}

TEST_F(ProjectFiles, ChangesAreTrackedFromTheLastSaveOpenOrNew) {
  EXPECT_FALSE(ProjectModified(*program));  // the start-up state is a project of its own
  EXPECT_EQ(ProjectTitle("Vorex for Windows", "", false), "Vorex for Windows");
  Type(Expr().Estart(), "0.35");
  EXPECT_TRUE(ProjectModified(*program));
  const std::string file = Temp("tracked.vorex");
  host.fileAnswers.push_back(file);
  ASSERT_TRUE(Invoke("mnuSaveProject"));  // no file yet: asks for one
  EXPECT_FALSE(ProjectModified(*program));
  EXPECT_EQ(ProjectTitle("Vorex for Windows", program->project.file, false),
            "tracked.vorex - Vorex for Windows");
  program->plot.formOption.Click(program->plot.formOption.CheckGrid());
  EXPECT_TRUE(ProjectModified(*program));
  ASSERT_TRUE(Invoke("mnuSaveProject"));  // to the project's file, without asking
  EXPECT_EQ(host.filters.size(), 1u);
  EXPECT_FALSE(ProjectModified(*program));
  program->formResult.Print("a note");
  EXPECT_TRUE(ProjectModified(*program));
  EXPECT_EQ(ProjectTitle("Vorex for Windows", file, true), "*tracked.vorex - Vorex for Windows");
  EXPECT_EQ(program->project.recent, std::vector<std::string>{file});
}

TEST_F(ProjectFiles, NewAndExitAskFirstAndCancelKeepsEverything) {
  Type(Expr().Estart(), "0.35");
  ASSERT_TRUE(Invoke("mnuSimulate"));
  const std::string changed = ProjectTextOf(*program).text;
  host.answers = {Answer::Cancel, Answer::Cancel};
  ASSERT_TRUE(Invoke("mnuNewProject"));
  ASSERT_TRUE(Invoke("mnuExit"));
  EXPECT_EQ(host.questions, (std::vector<std::string>(2, "Save changes to the project?")));
  EXPECT_EQ(ProjectTextOf(*program).text, changed);
  EXPECT_FALSE(program->exitRequested);
  // Yes saves first; the new project is then the start-up state, with no file.
  const std::string file = Temp("kept.vorex");
  host.answers = {Answer::Yes};
  host.fileAnswers.push_back(file);
  ASSERT_TRUE(Invoke("mnuNewProject"));
  EXPECT_EQ(ReadAll(file), changed);
  EXPECT_EQ(program->curves.PointCount, 0);
  EXPECT_EQ(program->experiment.settings, Settings{});
  EXPECT_TRUE(program->project.file.empty());
  EXPECT_FALSE(program->mdiForm1.Find("mnuDisplay")->Enabled());
  testing::RecordingHost freshHost;
  Program fresh(freshHost);
  EXPECT_EQ(ProjectTextOf(*program).text, ProjectTextOf(fresh).text);
  // Nothing to save: Exit does not ask.
  host.questions.clear();
  ASSERT_TRUE(Invoke("mnuExit"));
  EXPECT_TRUE(host.questions.empty());
  EXPECT_TRUE(program->exitRequested);
}

// Scripts name the file after the command; a second session opens what the first saved and
// analyses the curve as the first would.
TEST(ProjectScripts, ASavedSimulationOpensInAnotherSessionForTheAnalyses) {
  const auto file = std::filesystem::temp_directory_path() / "vorex-project-script.vorex";
  testing::ScriptSession first;
  ASSERT_EQ(first.Run("mnuSimulate\nmnuSaveProjectAs " + file.string() + "\nmnuFindPeak\n"), 0);
  const std::string peaks = first.TakeOutput();
  testing::ScriptSession second;
  ASSERT_EQ(second.Run("mnuOpenProject " + file.string() + "\n"), 0);
  second.TakeOutput();
  ASSERT_EQ(second.Run("mnuFindPeak\n"), 0);
  EXPECT_EQ(second.TakeOutput(), peaks);
  EXPECT_EQ(second.TakeMessages(), "");
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace vorex
