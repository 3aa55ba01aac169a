// Number text is on the path of every exported point and every captured field.
#include <benchmark/benchmark.h>

#include "base/number_format.h"
#include "base/number_text.h"

namespace {

void BM_NumericPrefix(benchmark::State& state) {
  const char* texts[] = {"0.3", "-0.005", "1e-5", "  2.5E+3V", "abc"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vorex::NumericPrefix(texts[i++ % 5]));
  }
}
BENCHMARK(BM_NumericPrefix);

void BM_FormatGeneral(benchmark::State& state) {
  double x = 3.12345678901234e-05;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vorex::FormatGeneral(x));
    x *= 1.0000001;
  }
}
BENCHMARK(BM_FormatGeneral);

void BM_FormatPattern(benchmark::State& state) {
  double x = 9.9958e-4;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vorex::FormatPattern(x, "0.###e-#"));
    x *= 1.0000001;
  }
}
BENCHMARK(BM_FormatPattern);

}  // namespace
