#include "app/About.h"

AppVersion BuiltVersion() {
  return {TAMSEL_VERSION_MAJOR, TAMSEL_VERSION_MINOR, TAMSEL_VERSION_PATCH};
}

std::string VersionText(const AppVersion& version) {
  return "Version " + std::to_string(version.Major) + "." + std::to_string(version.Minor) + "." +
         std::to_string(version.Revision);
}

void frmAbout::Open(const AppVersion& version) {
  caption = "About Marrowind's " + std::string(kAppTitle);
  lblTitle = kAppTitle;
  lblVersion = VersionText(version);
  lblDescription = kAppDescription;
  lblDisclaimer = kAppDisclaimer;
  visible_ = true;
}

void FinishingReport(Dialogs& dialogs) { dialogs.Message(kFinishingReportMessage, Buttons::OK); }
