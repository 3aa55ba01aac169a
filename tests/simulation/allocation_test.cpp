// A simulation allocates nothing: its storage is fixed and its number text stays in place.
// The replaced operator new takes its storage from malloc, so free is the matching release.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "experiment/capture.h"
#include "shell/simulation_command.h"
#include "support/started_program.h"

namespace {
std::atomic<long> allocations{0};
std::atomic<bool> counting{false};
}  // namespace

void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace vorex {
namespace {

class Allocation : public testing::StartedProgram {
 protected:
  // The allocations of a run after a first one with the dialogs as they stand; -1 on failure.
  long AllocationsOfARun() {
    if (!CaptureParameters(program->experiment)) return -1;
    if (!Simulate(program->links, program->simulationWork)) return -1;  // warm
    allocations = 0;
    counting = true;
    const bool ok = Simulate(program->links, program->simulationWork);
    counting = false;
    return ok ? allocations.load() : -1;
  }
};

TEST_F(Allocation, SimulateAllocatesNothing) {
  for (int technique : {1, 4, 5}) {
    Analytical(technique);
    EXPECT_EQ(AllocationsOfARun(), 0) << "technique " << technique;
  }
}

TEST_F(Allocation, DigitalRunsAllocateNothing) {
  // Every technique's steps at a plane, and at the microdisc in two dimensions.
  for (int electrode : {1, 4}) {
    for (int technique = 1; technique <= 5; ++technique) {
      Analytical(technique);
      program->experiment.formTech.SetCheck(program->experiment.formTech.CheckDigital(), true);
      program->experiment.formExpr.Click(Expr().optElectrode(electrode));
      EXPECT_EQ(AllocationsOfARun(), 0) << "technique " << technique << ", electrode " << electrode;
    }
  }
}

TEST_F(Allocation, RunsBehindAResistanceAllocateNothing) {
  // The ohmic step's trials work in the step's own storage, the charging current too.
  for (int electrode : {1, 4}) {
    for (int technique : {1, 4, 5}) {
      Analytical(technique);
      program->experiment.formTech.SetCheck(program->experiment.formTech.CheckDigital(), true);
      program->experiment.formExpr.Click(Expr().optElectrode(electrode));
      Type(Expr().Ru(), "100");
      Type(Expr().Cdl(), "2e-5");
      EXPECT_EQ(AllocationsOfARun(), 0) << "technique " << technique << ", electrode " << electrode;
    }
  }
}

TEST_F(Allocation, SweepSubStepsAllocateNothing) {
  // The sub-steps of a sweep point, at a plane and a sphere, with and without a resistance.
  FormTech& tech = program->experiment.formTech;
  tech.Type(tech.TextSteps(), "4");
  for (int electrode : {1, 2}) {
    for (const char* ru : {"0", "100"}) {
      program->experiment.formExpr.Click(Expr().optElectrode(electrode));
      Type(Expr().Ru(), ru);
      Type(Expr().Cdl(), "2e-5");
      EXPECT_EQ(AllocationsOfARun(), 0) << "electrode " << electrode << ", Ru " << ru;
      EXPECT_EQ(program->experiment.parameterSet.StepsPerPoint, 4);
    }
  }
}

}  // namespace
}  // namespace vorex
