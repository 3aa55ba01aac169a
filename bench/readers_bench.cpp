// Reading a 10 MB export of each format: decoding, recognition and the reader together. The
// files are built in memory from each format's header and rows shaped like the real ones, one
// cyclic sweep after another, so the time is the readers' own and nothing hides a quadratic cost.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "readers/instrument_file.h"
#include "readers/text_decoding.h"

namespace {

constexpr std::size_t kFileBytes = std::size_t{10} << 20;

// The potential of point k of a 0.3 V .. -0.3 V cycle in 1 mV steps [V], and a current [A].
double Potential(std::size_t k) {
  const double t = static_cast<double>(k % 1200);
  return t < 600 ? 0.3 - 0.001 * t : -0.3 + 0.001 * (t - 600);
}
double Current(std::size_t k) {
  return 1e-5 * std::sin(0.01 * static_cast<double>(k));
}

// The header, then rows until the text has `bytes` (half the file for UTF-16).
std::string Rows(std::string text, const std::function<std::string(std::size_t)>& row,
                 std::size_t bytes = kFileBytes) {
  for (std::size_t k = 0; text.size() < bytes; ++k) text += row(k);
  return text;
}

std::string Format(const char* pattern, double a, double b, double c = 0, double d = 0) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, pattern, a, b, c, d);
  return buffer;
}

// Latin-1 text as UTF-16LE with its byte-order mark, as PSTrace writes its files.
std::string Utf16(const std::string& ascii) {
  std::string out("\xFF\xFE", 2);
  for (const char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

std::string ChInstruments() {
  return Rows(
      "Mar. 02, 2024   09:41:07\nCyclic Voltammetry\nFile: d:\\lab\\cv.bin\nData Source:  "
      "Experiment\nInstrument Model:  CHI660E\nHeader:\nNote:\n\nInit E (V) = 0.3\nHigh E (V) = "
      "0.3\nLow E (V) = -0.3\nScan Rate (V/s) = 0.1\nSample Interval (V) = 0.001\n\n"
      "Potential/V, Current/A\n\n",
      [](std::size_t k) { return Format("%.3f, %.3e\n", Potential(k), Current(k)); });
}

std::string Biologic() {
  std::string head = "EC-Lab ASCII FILE\nNb header lines : 6\n\nCyclic Voltammetry\n\n";
  head += "mode\tox/red\ttime/s\tcontrol/V\tEwe/V\t<I>/mA\tcycle number\t\n";
  return Rows(head, [](std::size_t k) {
    std::string row = Format("2\t1\t%.9E\t%.7E\t%.7E\t%.15E\t", 0.01 * static_cast<double>(k),
                             Potential(k), Potential(k) + 1e-4, 1e3 * Current(k));
    row += Format("%.15E\n", static_cast<double>(k / 1200 + 1), 0);
    for (char& c : row) c = c == '.' ? ',' : c;
    return row;
  });
}

std::string Gamry() {
  return Rows(
      "EXPLAIN\nTAG\tCV\nTITLE\tLABEL\tCyclic Voltammetry\tTest &Identifier\nSCANRATE\tQUANT\t"
      "100\tScan Rate (mV/s)\nCONVENTION\tIQUANT\t1\tCurrent Convention\nCURVE\tTABLE\n\tPt\tT"
      "\tVf\tIm\tVu\tSig\tAch\tIERange\tOver\tCycle\n\t#\ts\tV vs. Ref.\tA\tV\tV\tV\t#\tbits\t#\n",
      [](std::size_t k) {
        return '\t' + std::to_string(k) +
               Format("\t%.4f\t%.6E\t%.6E\t0\t%.6E\t0\t5\t...........\t", 0.01 * double(k),
                      Potential(k), Current(k), Potential(k)) +
               std::to_string(k / 1200) + "\n";
      });
}

std::string Nova() {
  return Rows("Potential applied (V);Time (s);WE(1).Current (A);WE(1).Potential (V);Scan\n",
              [](std::size_t k) {
                return Format("%.4f;%.2f;%.4E;%.4f;", Potential(k), 0.01 * double(k), Current(k),
                              Potential(k) + 1e-4) +
                       std::to_string(k / 1200 + 1) + "\n";
              });
}

std::string Ivium() {
  return Rows("04/03/2021 19:42:30\ntime/s E/V I/A\n", [](std::size_t k) {
    return Format("%.2f %.4f %.4E %.4f\n", 0.01 * double(k), Potential(k), Current(k),
                  Potential(k) + 1e-4);
  });
}

std::string PalmSensCsv() {
  return Utf16(Rows(
      "Date and time:,2024-11-07 14:56:00\nNotes:\n\nCyclic Voltammetry: CV i vs E Scan 1,,\n"
      "Date and time measurement:,2024-11-07 14:50:00,\nV,\xB5"
      "A,\n",
      [](std::size_t k) { return Format("%.3f,%.4f,\n", Potential(k), 1e6 * Current(k)); },
      kFileBytes / 2));
}

std::string PalmSensSession() {
  std::string potentials, currents;
  for (std::size_t k = 0; 2 * (potentials.size() + currents.size()) < kFileBytes; ++k) {
    if (k > 0) {
      potentials += ',';
      currents += ',';
    }
    potentials += Format("{\"V\":%.3f}", Potential(k), 0);
    currents += Format("{\"V\":%.4f}", 1e6 * Current(k), 0);
  }
  const std::string array = "{\"Type\":\"PalmSens.Data.DataArray";
  return Utf16(
      "{\"Type\":\"PalmSens.DataFiles.SessionFile\",\"Measurements\":[{\"Title\":\"CV\","
      "\"Method\":\"METHOD_ID=cv\\r\\nSCAN_RATE=0.1\\r\\n\",\"DataSet\":{\"Values\":[" +
      array + "Potentials\",\"Description\":\"scan1channel1\",\"Unit\":{\"Type\":" +
      "\"PalmSens.Units.Volt\"},\"DataValues\":[" + potentials + "]}," + array +
      "Currents\",\"Description\":\"scan1channel1\",\"Unit\":{\"Type\":" +
      "\"PalmSens.Units.MicroAmpere\"},\"DataValues\":[" + currents + "]}]}}]}");
}

void Read(benchmark::State& s, const std::string& bytes) {
  std::size_t points = 0;
  for (auto _ : s) {
    const std::string text = vorex::DecodeText(bytes);
    const vorex::MeasuredData data = vorex::ReadInstrumentText(vorex::RecogniseFormat(text), text);
    points = 0;
    for (const vorex::MeasuredCycle& c : data.cycles) points += c.potential.size();
    benchmark::DoNotOptimize(points);
  }
  s.counters["MB"] = static_cast<double>(bytes.size()) / (1 << 20);
  s.counters["points"] = static_cast<double>(points);
}

#define VOREX_READER_BENCH(name, maker)         \
  void BM_Read10MB##name(benchmark::State& s) { \
    static const std::string bytes = maker();   \
    Read(s, bytes);                             \
  }                                             \
  BENCHMARK(BM_Read10MB##name)->Unit(benchmark::kMillisecond);

VOREX_READER_BENCH(ChInstruments, ChInstruments)
VOREX_READER_BENCH(BiologicMpt, Biologic)
VOREX_READER_BENCH(GamryDta, Gamry)
VOREX_READER_BENCH(AutolabNova, Nova)
VOREX_READER_BENCH(Ivium, Ivium)
VOREX_READER_BENCH(PalmSensCsv, PalmSensCsv)
VOREX_READER_BENCH(PalmSensSession, PalmSensSession)

}  // namespace
