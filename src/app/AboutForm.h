// App: AboutForm, the About window's form, shown by AboutWindow.
#pragma once

#include <string>
#include <string_view>

// The About window and the "Finishing Report" menu entry.

// The application's version record.
struct AppVersion {
  int majorNumber = 0;
  int minorNumber = 0;
  int revision = 0;
};

// The version the core was built as.
AppVersion BuiltVersion();

// "Version " + major.minor.revision.
std::string VersionText(const AppVersion& version);

inline constexpr std::string_view kAppTitle = "Tamsel";
inline constexpr std::string_view kAppDescription =
    "Daily growth and body composition of weanling pigs from 4 kg to 25 kg, least-cost diet "
    "formulation, calibration of the growth curve to a farm's weighings and diet optimization "
    "for the lowest feed cost per pig.";
inline constexpr std::string_view kAppDisclaimer =
    "The results are estimates of a model. Check them against the performance of your own pigs "
    "before changing diets or feeding programs.";

class AboutForm {
 public:
  static constexpr std::string_view kOKCaption = "OK";

  std::string caption;      // window title
  std::string title;        // the application title
  std::string versionText;  // "Version 2.3.15"
  std::string description;
  std::string disclaimer;

  bool Visible() const { return visible_; }

  // Loads the texts for `version` and shows the window.
  void Open(const AppVersion& version = BuiltVersion());
  // "OK" closes the window.
  void Close() { visible_ = false; }

 private:
  bool visible_ = false;
};
