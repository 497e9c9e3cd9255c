// A user asks for the Finishing Report of the demo location: before a growth
// run it says to grow first and writes nothing; after one it reports the
// run as the main window shows it, the location's weighings against the
// curve, and, after an optimization, its saving.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/App.h"
#include "app/FinishingReport.h"
#include "platform/NumberFormat.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

using Kind = ReportBlock::Kind;

// The blocks after the heading `heading`, up to the next heading.
std::vector<ReportBlock> Section(const ReportDocument& report, const std::string& heading) {
  auto at = std::find_if(report.blocks.begin(), report.blocks.end(), [&](const ReportBlock& b) {
    return b.kind == Kind::Heading && b.text == heading;
  });
  std::vector<ReportBlock> blocks;
  for (++at; at < report.blocks.end() && at->kind != Kind::Heading; ++at) blocks.push_back(*at);
  return blocks;
}

// The value of a named row of the section's facts; "" when there is none.
std::string Fact(const ReportDocument& report,
                 const std::string& heading,
                 const std::string& name) {
  for (const ReportBlock& block : Section(report, heading))
    for (const auto& row : block.table.rows)
      if (block.kind == Kind::Facts && row.front() == name) return row.back();
  return {};
}

struct Demo {
  TempDemo demo;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
  Demo() {
    OpenLocation(app, dialogs, demo.Plt());
    form.herdSex.selected = 0;
  }
};

TEST(FinishingReport, AsksForARunThenReportsItsNumbers) {
  Demo s;
  const auto files = std::distance(std::filesystem::directory_iterator(s.demo.Demo("")), {});
  EXPECT_EQ(s.form.Click(MainForm::Control::FinishingReport), MainForm::Window::None);
  EXPECT_EQ(s.dialogs.Messages(), (std::vector<std::string>{std::string(kNoRunToReport)}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(s.demo.Demo("")), {}), files);

  s.form.Growth();
  EXPECT_EQ(s.form.Click(MainForm::Control::FinishingReport), MainForm::Window::FinishingReport);
  const ReportDocument report = FinishingReport(s.app, "15/03/2024");
  EXPECT_EQ(report.subtitle, "Location Demo (" + s.demo.Demo("") + "), 15/03/2024");
  EXPECT_EQ(Fact(report, "Herd", "Starting Weight, kg"), s.form.startWeight.text);
  EXPECT_EQ(Fact(report, "Results", "Cost Per Pig"), s.form.costPerPig.text);
  EXPECT_EQ(Fact(report, "Results", "Final Age, Days"), s.form.finalAge.text);
  // Each diet a column, its name heading it; the formulas beside them.
  const ReportTable diets = Section(report, "Diets").front().table;
  EXPECT_EQ(diets.headings[2], s.form.dietsTable.Text(kDietNameRow, 2));
  EXPECT_EQ(diets.rows.front().front(), "Diet Cost, per tonne");
  EXPECT_FALSE(Section(report, "Formulas, per cent of each diet").empty());
  EXPECT_EQ(report.chart.curve.dayCount, static_cast<int>(s.app.growth.finalAge) - 21 + 2);

  // The weighings of Demo.cal after the start (30, 42 and 65 days) against
  // the run's weights at those ages.
  const std::vector<ReportBlock> fit = Section(report, "Calibration fit");
  ASSERT_GE(fit.size(), 2u);
  const ReportTable& weighings = fit[1].table;
  ASSERT_EQ(weighings.rows.size(), 3u);
  const double ages[] = {30, 42, 65};
  const double weighed[] = {7.8, 11.8, 25};
  for (int k = 0; k < 3; ++k) {
    const std::vector<std::string>& row = weighings.rows[static_cast<std::size_t>(k)];
    EXPECT_EQ(ReadNumber(row[0]), ages[k]);
    EXPECT_EQ(ReadNumber(row[1]), weighed[k]);
    EXPECT_NEAR(
        ReadNumber(row[2]), s.app.growth.liveWeight[static_cast<int>(ages[k])][kHerdColumn], 0.01);
  }
  EXPECT_EQ(Section(report, "Diet optimization").front().kind, Kind::Paragraph);
}

TEST(FinishingReport, ShowsTheLastOptimizationsSaving) {
  Demo s;
  s.form.Growth();
  s.form.Click(MainForm::Control::RunOptimization);
  s.app.optimizationForm.AddMinMaxToCurrent();
  s.app.optimizationForm.Run();
  const OptResult& result = s.app.optimization->result;
  ASSERT_TRUE(result.done);
  const ReportDocument report = FinishingReport(s.app, "15/03/2024");
  EXPECT_EQ(ReadNumber(Fact(report, "Diet optimization", "Starting cost per pig")),
            ReadNumber(NumberText(result.startCost)));
  EXPECT_EQ(ReadNumber(Fact(report, "Diet optimization", "Optimized cost per pig")),
            ReadNumber(NumberText(result.bestCost)));
  EXPECT_EQ(Section(report, "Diet optimization").back().table.rows.size(),
            static_cast<std::size_t>(result.diets));
}

}  // namespace
