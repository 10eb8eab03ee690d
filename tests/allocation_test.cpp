// The simulation allocates its four arrays and nothing inside its loops;
// the plot allocates nothing inside its drawing loops: the count of
// allocations does not depend on the number of periods.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include "analysis/analysis.h"
#include "tests/allocation_counter.h"
#include "ui/app/session.h"
#include "ui/parameter/form1.h"

namespace {

long AllocationsOfRun(int32_t np, bool wrap) {
  analysis::CircuitState state;
  analysis::ReadParameters(state, {"1", "400", "1e-5", "0.1", "159", "500", "1"});
  state.NP = np;
  const long before = test::AllocationCount();
  analysis::RunSimulation(state, wrap);
  analysis::FindPeakIs(state);
  analysis::FindPeakV(state);
  analysis::FindPeakIC(state);
  analysis::FindPeakIL(state);
  return test::AllocationCount() - before;
}

TEST(RunSimulation, AllocatesOnlyItsFourArrays) {
  for (bool wrap : {false, true}) {
    EXPECT_EQ(AllocationsOfRun(1, wrap), 4);
    EXPECT_EQ(AllocationsOfRun(20, wrap), 4);
  }
}

long AllocationsOfPlot(ui::Session& session, const char* np) {
  session.form1().findChild<QLineEdit*>("Text8")->setText(np);
  const long before = test::AllocationCount();
  session.form1().Command2_Click();
  return test::AllocationCount() - before;
}

TEST(PlotWaveforms, AllocatesNothingPerSegment) {
  ui::Session session;
  session.form1().findChild<QLineEdit*>("Text4")->setText("1000");
  AllocationsOfPlot(session, "30");  // opens the window
  // Each plot changes the three time captions; the second draws ten times
  // the segments of the first.
  const long few = AllocationsOfPlot(session, "3");
  const long many = AllocationsOfPlot(session, "30");
  EXPECT_GE(few, 4);  // at least the four arrays
  EXPECT_EQ(many, few);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
