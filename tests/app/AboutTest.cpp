#include <gtest/gtest.h>

#include <string>

#include "app/About.h"
#include "app/App.h"
#include "support/ScriptedDialogs.h"

namespace {

TEST(About, VersionIsTheWordAndThreeNumbersJoinedByPeriods) {
  frmAbout about;
  about.Form_Load({2, 3, 15});
  EXPECT_TRUE(about.Visible());
  EXPECT_EQ(about.lblVersion, "Version 2.3.15");
  EXPECT_EQ(about.Caption, "About Marrowind's " + about.lblTitle);
  EXPECT_FALSE(about.lblTitle.empty());
  about.cmdOK_Click();
  EXPECT_FALSE(about.Visible());

  EXPECT_EQ(VersionText({0, 10, 0}), "Version 0.10.0");
  const AppVersion built = BuiltVersion();
  EXPECT_EQ(built.Major, TAMSEL_VERSION_MAJOR);
  EXPECT_EQ(built.Revision, TAMSEL_VERSION_PATCH);
}

TEST(About, MenuEntryShowsTheBuiltVersion) {
  ScriptedDialogs dialogs;
  App app(dialogs);
  EXPECT_EQ(app.mainForm.Click(AfrmMain::Control::About), AfrmMain::Window::About);
  EXPECT_EQ(app.aboutForm.lblVersion, VersionText(BuiltVersion()));
}

}  // namespace
