// What the system tells the user through the host, by what happened: the kind of each message, a
// hint worded for the program the user works in, and Export Plot in the command interface.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/cli_host.h"
#include "support/started_program.h"

namespace vorex {
namespace {

using HostAnswers = testing::StartedProgram;

// A refusal leaves everything as it was and says so with a warning; a file that cannot be read
// or written is a fault, shown as critical. Results stay information.
TEST_F(HostAnswers, ARefusalWarnsAndAFileFaultIsCritical) {
  EXPECT_FALSE(Invoke("mnuNextCurve"));  // disabled until a curve has been simulated
  ASSERT_EQ(host.kinds.size(), 1u);
  EXPECT_EQ(host.kinds[0], MessageKind::Warning);

  Invoke("mnuResidual");  // no Auto Fit has ended yet
  ASSERT_EQ(host.kinds.size(), 2u);
  EXPECT_EQ(host.kinds[1], MessageKind::Warning);

  // A folder is no settings file.
  host.fileAnswers.push_back(Temp("settings").parent_path().string());
  Invoke("mnuOpenSettings");
  ASSERT_EQ(host.kinds.size(), 3u);
  EXPECT_EQ(host.messages[2].rfind("Open Settings Error: ", 0), 0u) << host.messages[2];
  EXPECT_EQ(host.kinds[2], MessageKind::Critical);

  // Nor can settings be saved into a folder that does not exist.
  host.fileAnswers.push_back((Temp("none") / "sub" / "s.ini").string());
  Invoke("mnuSaveSettings");
  ASSERT_EQ(host.kinds.size(), 4u);
  EXPECT_EQ(host.kinds[3], MessageKind::Critical);
}

// A recording host that answers questions as the desktop's user does: No.
struct AskingHost : testing::RecordingHost {
  bool AsksTheUser() const override { return true; }
};

// chi_cv.txt states v = 0.1 V/s; not applied, the hint says how to apply it in the program's own
// terms: the statement's option in a script, the question of Import Data in the desktop.
TEST_F(HostAnswers, TheHintToApplyAFilesSettingsSpeaksThePrograms) {
  const std::string file = std::string(VOREX_READER_DATA) + "/../../scripts/chi_cv.txt";
  const auto hint = [](const Program& p) {
    for (const std::string& line : p.formResult.Lines()) {
      if (line.rfind("Not applied (", 0) == 0) return line;
    }
    return std::string();
  };
  host.fileAnswers.push_back(file);
  Invoke("mnuImport");
  EXPECT_EQ(hint(*program), "Not applied (mnuImport file ... apply-settings applies them).");

  AskingHost asking;
  Program desktop(asking);
  asking.fileAnswers.push_back(file);
  desktop.mdiForm1.Invoke(*desktop.mdiForm1.Find("mnuImport"));
  const std::string said = hint(desktop);
  EXPECT_NE(said.find("File > Import Data..."), std::string::npos) << said;
  EXPECT_EQ(said.find("mnuImport"), std::string::npos) << said;
}

// The command interface's host without a picture encoder, its messages' kinds recorded.
struct KindsCliHost : CliHost {
  explicit KindsCliHost(std::ostream& out) : CliHost(out) {}
  void Message(const std::string& text, MessageKind kind) override {
    kinds.push_back(kind);
    CliHost::Message(text, kind);
  }
  std::vector<MessageKind> kinds;
};

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A script exports the plot as SVG at the command interface's window size; PNG and PDF need the
// drawing layer, which this host lacks, and the refusal says so; a file that cannot be written
// is a fault and leaves nothing behind.
TEST_F(HostAnswers, TheCommandInterfaceExportsThePlotAsSvg) {
  std::ostringstream said;
  KindsCliHost cli(said);
  Program p(cli);
  p.mdiForm1.Invoke(*p.mdiForm1.Find("mnuSimulate"));
  Control& exportPlot = *p.mdiForm1.Find("mnuExportPlot");

  const std::filesystem::path svg = Temp("plot.svg");
  cli.SetPendingFile(svg.string());
  p.mdiForm1.Invoke(exportPlot);
  const std::string document = Contents(svg);
  // CliHost::kPlotWidth × kPlotHeight, 640 × 480, as the root element's size.
  EXPECT_EQ(
      document.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"480\"", 0),
      0u);
  EXPECT_NE(document.find("</svg>"), std::string::npos);
  // A script is quiet where it succeeds: nothing on the message stream.
  EXPECT_EQ(said.str(), "");
  EXPECT_TRUE(cli.kinds.empty());

  const std::filesystem::path png = Temp("plot.png");
  cli.SetPendingFile(png.string());
  p.mdiForm1.Invoke(exportPlot);
  ASSERT_EQ(cli.kinds.size(), 1u);
  EXPECT_EQ(cli.kinds[0], MessageKind::Warning);
  EXPECT_NE(said.str().find("writes a .svg file here"), std::string::npos) << said.str();
  EXPECT_FALSE(std::filesystem::exists(png));

  cli.SetPendingFile(Temp("plot.gif").string());
  p.mdiForm1.Invoke(exportPlot);
  ASSERT_EQ(cli.kinds.size(), 2u);
  EXPECT_EQ(cli.kinds[1], MessageKind::Warning);

  // A folder where the file should go: nothing is written beside it, no half a file anywhere.
  const std::filesystem::path taken = Temp("taken.svg");
  std::filesystem::create_directories(taken);
  cli.SetPendingFile(taken.string());
  p.mdiForm1.Invoke(exportPlot);
  ASSERT_EQ(cli.kinds.size(), 3u);
  EXPECT_EQ(cli.kinds[2], MessageKind::Critical);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(taken.parent_path())) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"plot.svg", "taken.svg"}));
  EXPECT_TRUE(std::filesystem::is_empty(taken));
}

}  // namespace
}  // namespace vorex
