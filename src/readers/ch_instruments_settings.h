#pragma once

#include <optional>
#include <string_view>

#include "readers/measured_data.h"

namespace vorex {

// What the "Key (unit) = value" lines of a CH Instruments header state.
struct ChInstrumentsHeader {
  MeasuredSettings settings;
  std::optional<int> segments;  // "Segment = n": sweep segments of a cyclic voltammogram
};

// Gathers one header line into `header`; lines that are not a known "Key (unit) = value" are
// passed over. Call Finish once all lines are in, to settle what depends on several keys.
class ChInstrumentsHeaderReader {
 public:
  void Add(std::string_view line);
  ChInstrumentsHeader Finish() const;

 private:
  ChInstrumentsHeader header_;
  std::optional<double> high_, low_, final_, incrE_, sampleInterval_, ucR_, compR_;
  char initialDirection_ = 0;  // 'P' or 'N', the "Init P/N" of a sweep
};

}  // namespace vorex
