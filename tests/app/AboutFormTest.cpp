#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/AboutForm.h"
#include "app/App.h"
#include "support/ScriptedDialogs.h"

namespace fs = std::filesystem;

namespace {

TEST(About, VersionIsTheWordAndThreeNumbersJoinedByPeriods) {
  AboutForm about;
  about.Open({2, 3, 15});
  EXPECT_TRUE(about.Visible());
  EXPECT_EQ(about.versionText, "Version 2.3.15");
  EXPECT_EQ(about.caption, "About Marrowind's " + about.title);
  EXPECT_FALSE(about.title.empty());
  about.Close();
  EXPECT_FALSE(about.Visible());

  EXPECT_EQ(VersionText({0, 10, 0}), "Version 0.10.0");
  const AppVersion built = BuiltVersion();
  EXPECT_EQ(built.majorNumber, TAMSEL_VERSION_MAJOR);
  EXPECT_EQ(built.revision, TAMSEL_VERSION_PATCH);
}

TEST(About, FinishingReportSaysItIsNotReadyAndChangesNothing) {
  const fs::path folder =
      fs::temp_directory_path() / ("tamsel-finishing-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  ScriptedDialogs dialogs;
  App app(dialogs, {folder.string() + "/", false});
  MainForm& form = app.mainForm;
  const std::string title = form.caption;
  const std::string diet = form.dietsTable.Text(4, 0);
  const auto units = app.growth.unitCodes;

  EXPECT_EQ(form.Click(MainForm::Control::FinishingReport), MainForm::Window::None);
  EXPECT_EQ(dialogs.Messages(),
            (std::vector<std::string>{"Report Not ready, Suggestions welcome"}));
  EXPECT_EQ(form.caption, title);
  EXPECT_EQ(form.dietsTable.Text(4, 0), diet);
  EXPECT_EQ(app.growth.unitCodes, units);
  EXPECT_TRUE(fs::is_empty(folder));  // no file written
  fs::remove_all(folder);
}

TEST(About, MenuEntryShowsTheBuiltVersion) {
  ScriptedDialogs dialogs;
  App app(dialogs);
  EXPECT_EQ(app.mainForm.Click(MainForm::Control::About), MainForm::Window::About);
  EXPECT_EQ(app.aboutForm.versionText, VersionText(BuiltVersion()));
}

}  // namespace
