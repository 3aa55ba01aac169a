#include "experiment/catalogue.h"
#include "started_experiment.h"

namespace vorex {
namespace {

using Availability = testing::StartedExperiment;

std::vector<int> SelectableMechanisms(FormMech& f) {
  std::vector<int> on;
  for (int m = 1; m <= 17; ++m) {
    if (f.mech(m).Enabled()) on.push_back(m);
  }
  return on;
}

TEST_F(Availability, DigitalSimulationOffersAllButMechanismThreeAndSixElectrodes) {
  EXPECT_EQ(SelectableMechanisms(e.formMech),
            (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}));
  for (int i = 1; i <= 6; ++i) EXPECT_TRUE(form.optElectrode(i).Enabled()) << i;
  EXPECT_FALSE(form.optElectrode(7).Enabled());
  EXPECT_FALSE(form.optElectrode(8).Enabled());
  EXPECT_TRUE(form.Ru().Enabled());
}

TEST_F(Availability, AnalyticalSimulationOffersOneFourAndNineAndEveryElectrode) {
  e.formTech.Click(e.formTech.CheckDigital());
  EXPECT_FALSE(e.settings.Digital());
  EXPECT_EQ(SelectableMechanisms(e.formMech), (std::vector<int>{1, 4, 9}));
  for (int i = 1; i <= 8; ++i) EXPECT_TRUE(form.optElectrode(i).Enabled()) << i;
  EXPECT_FALSE(form.Ru().Enabled());
}

TEST_F(Availability, ChangingAvailabilityKeepsTheSelection) {
  ChooseMechanism(7);
  e.formTech.Click(e.formTech.CheckDigital());  // analytical: 7 is no longer selectable
  EXPECT_TRUE(e.formMech.mech(7).Checked());
  CaptureTechniqueAndMechanism(e);
  EXPECT_EQ(p.Mechanism, MechanismCode::EC);
  form.Click(form.optElectrode(8));
  e.formTech.Click(e.formTech.CheckDigital());  // digital: 8 is no longer selectable
  EXPECT_TRUE(form.optElectrode(8).Checked());
  CaptureTechniqueAndMechanism(e);
  EXPECT_EQ(p.Electrode, ElectrodeCode::RotatingDisk);
}

TEST(Catalogue, CountsPerMechanism) {
  const int species[] = {2, 3, 4, 4, 3, 4, 3, 3, 2, 2, 4, 4, 4, 4, 4, 4, 4};
  const int charge[] = {1, 2, 3, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 1, 1};
  const int homogeneous[] = {0, 0, 0, 0, 1, 2, 1, 1, 1, 1, 1, 1, 2, 1, 1, 1, 1};
  for (int m = 1; m <= 17; ++m) {
    const MechanismEntry& entry = Mechanism(static_cast<MechanismCode>(m));
    EXPECT_EQ(entry.species, species[m - 1]) << m;
    EXPECT_EQ(entry.chargeReactions, charge[m - 1]) << m;
    EXPECT_EQ(entry.homogeneousReactions, homogeneous[m - 1]) << m;
    int labelled = 0;
    for (auto row : entry.chargeRows) labelled += row.empty() ? 0 : 1;
    EXPECT_EQ(labelled, entry.chargeReactions) << m;
  }
  using M = MechanismCode;
  EXPECT_EQ(Mechanism(M::CatalyticSubstrate).description, Mechanism(M::Catalytic).description);
  EXPECT_TRUE(Mechanism(M::ECOntoSecondCouple).description.empty());
  EXPECT_TRUE(Mechanism(M::EEIntermediateC).description.empty());
  EXPECT_EQ(Mechanism(M::Catalytic2).caption, "10)  A + ne = B, 2B = A");
  EXPECT_FALSE(MechanismFromNumber(0));
  EXPECT_FALSE(MechanismFromNumber(18));
}

}  // namespace
}  // namespace vorex
