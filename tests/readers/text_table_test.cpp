// Text tables: rows of numbers under a title row, their potential and current found by the titles
// and read in the titles' units; more untitled columns than a pair are refused, never guessed.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "reader_fixtures.h"
#include "readers/column_units.h"
#include "readers/instrument_file.h"
#include "readers/text_decoding.h"
#include "readers/text_table.h"
#include "readers/text_table_columns.h"

namespace vorex {
namespace {

using testing::HasNote;

std::string Path(const std::string& name) {
  return std::string(VOREX_READER_DATA) + "/" + name;
}

TEST(TextTable, UnitsAreReadFromTheWaysTitlesWriteThem) {
  struct Case {
    const char* title;
    const char* name;
    const char* unit;
  } cases[] = {
      {"E / mV", "E", "mV"},
      {"Potential (V)", "Potential", "V"},
      {"I/uA", "I", "uA"},
      {"Current [mA]", "Current", "mA"},
      {"WE(1).Current (A)", "WE(1).Current", "A"},
      {"Potential (V vs. SCE)", "Potential", "V"},  // the reference electrode is no unit
      {"Index", "Index", ""},
  };
  for (const Case& c : cases) {
    const TitledColumn column = UnitInTitle(c.title);
    EXPECT_EQ(column.name, c.name) << c.title;
    EXPECT_EQ(column.unit, c.unit) << c.title;
  }
}

TEST(TextTable, ColumnsAreChosenByTheirTitlesAndUnits) {
  const auto choose = [](const std::vector<std::string_view>& titles) {
    return ChooseTableColumns(titles, titles.size(), true);
  };
  // Time, a measured and a control potential, a charge and the current: the potential whose name
  // says so and the one current, each with its factor to V or A.
  const auto ecLab = choose({"time/s", "control/V", "Ewe/mV", "(Q-Qo)/C", "<I>/mA"});
  const TableColumns& c = std::get<TableColumns>(ecLab);
  EXPECT_EQ(c.potential, 2u);
  EXPECT_EQ(c.current, 4u);
  EXPECT_EQ(c.potentialScale, 1e-3);
  EXPECT_EQ(c.currentScale, 1e-3);
  EXPECT_EQ(c.notes,
            std::vector<std::string>{"2 columns could be the potential; \"Ewe/mV\" was read."});
  // "µA" in UTF-8, and a current range that is a setting, not a current.
  const auto micro = std::get<TableColumns>(choose({"Current range [A]", "U",
                                                    "I / \xC2\xB5"
                                                    "A"}));
  EXPECT_EQ(micro.potential, 1u);
  EXPECT_EQ(micro.current, 2u);
  EXPECT_EQ(micro.currentScale, 1e-6);
  EXPECT_NE(micro.notes.front().find("\"U\" gives no unit"), std::string::npos);
  // Three columns none of which is a current with its unit: refused, naming them.
  EXPECT_EQ(std::get<std::string>(choose({"Index", "E / mV", "Signal"})),
            "3 columns titled \"Index\", \"E / mV\", \"Signal\": none is a current with its unit "
            "(such as \"E / mV\", \"Potential (V)\", \"I / uA\" or \"Current (A)\")");
  // Two columns are potential and current, as plain pairs are, whatever their titles.
  const auto pair = std::get<TableColumns>(choose({"x", "y"}));
  EXPECT_EQ(pair.potential, 0u);
  EXPECT_EQ(pair.current, 1u);
  const auto named = std::get<TableColumns>(choose({"signal", "E/mV"}));
  EXPECT_EQ(named.potential, 1u);
  EXPECT_EQ(named.potentialScale, 1e-3);
}

// text-table-mv-ua.txt (make_measured_cycles.py): "Index<TAB>E / mV<TAB>I / µA" over 751 rows,
// 0.25 V -> 0.70 V -> -0.05 V -> 0.25 V in 2 mV steps (225 + 375 + 150 steps), anodic positive.
TEST(TextTable, ATitledTableInMillivoltsAndMicroamperesReadsEveryRowInVAndA) {
  const std::string text = DecodeText(testing::FileBytes(Path("text-table-mv-ua.txt")));
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::TextTable);
  const MeasuredData data = ReadTextTable(text);
  EXPECT_EQ(data.format, "Text table");
  ASSERT_EQ(data.cycles.size(), 1u);
  const MeasuredCycle& c = data.cycles[0];
  const std::vector<double> mv = testing::FixtureColumn(Path("text-table-mv-ua.txt"), '\t', 1, 1);
  const std::vector<double> ua = testing::FixtureColumn(Path("text-table-mv-ua.txt"), '\t', 1, 2);
  ASSERT_EQ(c.potential.size(), 751u);
  ASSERT_EQ(mv.size(), 751u);
  for (std::size_t k = 0; k < mv.size(); ++k) {
    ASSERT_EQ(c.potential[k], mv[k] * 1e-3) << k;
    ASSERT_EQ(c.current[k], ua[k] * 1e-6) << k;  // the file's own sign
  }
  EXPECT_EQ(c.potential.front(), 0.25);  // the first row "1<TAB>250.00<TAB>..."
  EXPECT_TRUE(HasNote(data, "with the file's sign"));
}

// The same rows without their title row: index, potential, current cannot be told apart.
TEST(TextTable, UntitledColumnsBeyondAPairAreRefusedNamingThem) {
  const std::string text = DecodeText(testing::FileBytes(Path("text-untitled-3-columns.txt")));
  ASSERT_EQ(RecogniseFormat(text), InstrumentFormat::TextTable);
  const ReadError error = testing::ErrorOf([&] { ReadTextTable(text); });
  EXPECT_EQ(error.Message(),
            "Text table, line 1: 3 columns and no titles: name the potential and current columns "
            "in a title row (such as \"E / V\" and \"I / A\")");
  // Two untitled columns stay plain pairs, read by Import Data as they always were.
  EXPECT_EQ(RecogniseFormat("250.00 0.5\n251.99 0.6\n"), InstrumentFormat::None);
}

TEST(TextTable, HeaderLinesBlankPartedTitlesAndDecimalCommas) {
  // A title with blanks inside over numbers separated by blanks; a line of text above it.
  const MeasuredData blanks =
      ReadTextTable("Exported 2024-03-01\nE / mV   I / nA\n100.5  20\n101.5  -30\n");
  ASSERT_EQ(blanks.cycles[0].potential.size(), 2u);
  EXPECT_DOUBLE_EQ(blanks.cycles[0].potential[1], 0.1015);
  EXPECT_DOUBLE_EQ(blanks.cycles[0].current[1], -3e-8);
  EXPECT_TRUE(HasNote(blanks, "1 line above the column titles was passed over"));
  // Semicolons and decimal commas, as a European spreadsheet writes them.
  const MeasuredData comma =
      ReadTextTable("Zeit/s;Potential (V);Strom [mA]\n0;0,25;1,5\n1;0,3;2\n");
  ASSERT_EQ(comma.cycles[0].potential.size(), 2u);
  EXPECT_DOUBLE_EQ(comma.cycles[0].potential[1], 0.3);
  EXPECT_DOUBLE_EQ(comma.cycles[0].current[0], 1.5e-3);
  EXPECT_DOUBLE_EQ(comma.cycles[0].current[1], 2e-3);
  // A title row that does not split into the rows' columns names what is wrong.
  const ReadError ragged = testing::ErrorOf([] { ReadTextTable("E/V,I/A\n1,2,3\n4,5,6\n"); });
  EXPECT_EQ(ragged.line, 1);
  EXPECT_NE(ragged.reason.find("does not split into the 3 columns"), std::string::npos);
}

}  // namespace
}  // namespace vorex
