#pragma once

#include <filesystem>
#include <string>

class App;
class ScriptedDialogs;

// A folder of the test's own under the system's temp folder, removed with
// everything in it when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string Path(const std::string& relative) const { return (path_ / relative).string(); }
  // Writes the text byte for byte and returns the file's path.
  std::string Write(const std::string& name, const std::string& text) const;

 private:
  std::filesystem::path path_;
};

// A copy of the demo location (data/demo) in the folder "demo" of a
// TempFolder, so a test may save over it.
class TempDemo : public TempFolder {
 public:
  TempDemo();
  std::string Demo(const std::string& name) const { return Path("demo/" + name); }
  std::string Plt() const { return Demo("Demo.plt"); }
};

// The user clicks the "Calibration Name" field and picks the location's file;
// the load must ask nothing more and show no message.
void OpenLocation(App& app, ScriptedDialogs& dialogs, const std::string& plt);

// The text of a file, byte for byte ("" when it cannot be read).
std::string ReadWhole(const std::string& path);
