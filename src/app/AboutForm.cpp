#include "app/AboutForm.h"

AppVersion BuiltVersion() {
  return {TAMSEL_VERSION_MAJOR, TAMSEL_VERSION_MINOR, TAMSEL_VERSION_PATCH};
}

std::string VersionText(const AppVersion& version) {
  return "Version " + std::to_string(version.majorNumber) + "." +
         std::to_string(version.minorNumber) + "." + std::to_string(version.revision);
}

void AboutForm::Open(const AppVersion& version) {
  caption = "About Marrowind's " + std::string(kAppTitle);
  title = kAppTitle;
  versionText = VersionText(version);
  description = kAppDescription;
  disclaimer = kAppDisclaimer;
  visible_ = true;
}
