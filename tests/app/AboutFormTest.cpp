#include <gtest/gtest.h>

#include "app/AboutForm.h"
#include "app/App.h"
#include "support/ScriptedDialogs.h"

namespace {

TEST(About, VersionIsTheWordAndThreeNumbersJoinedByPeriods) {
  AboutForm about;
  about.Open({2, 3, 15});
  EXPECT_TRUE(about.Visible());
  EXPECT_EQ(about.versionText, "Version 2.3.15");
  about.Close();
  EXPECT_FALSE(about.Visible());
  EXPECT_EQ(VersionText({0, 10, 0}), "Version 0.10.0");

  // The menu entry shows the version the program was built as.
  const AppVersion built = BuiltVersion();
  EXPECT_EQ(built.majorNumber, TAMSEL_VERSION_MAJOR);
  EXPECT_EQ(built.revision, TAMSEL_VERSION_PATCH);
  ScriptedDialogs dialogs;
  App app(dialogs);
  EXPECT_EQ(app.mainForm.Click(MainForm::Control::About), MainForm::Window::About);
  EXPECT_EQ(app.aboutForm.versionText, VersionText(built));
}

}  // namespace
