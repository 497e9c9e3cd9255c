#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/TextFile.h"
#include "support/ScriptedDialogs.h"

namespace fs = std::filesystem;

namespace {

class WindowSizeFile : public ::testing::Test {
 protected:
  WindowSizeFile() {
    folder = fs::temp_directory_path() / ("tamsel-size-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    app.programFolder = folder.string() + "/";
  }
  ~WindowSizeFile() override {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  std::string SizeFile() const { return app.programFolder + "ROrivoForm.txt"; }

  fs::path folder;
  ScriptedDialogs dialogs;
  App app{dialogs};
  MainForm& form = app.mainForm;
};

TEST_F(WindowSizeFile, HeightIsReadAndTheWidthIsAlwaysTheDesignedOne) {
  struct Case {
    std::vector<std::string> lines;
    int height;
  };
  const int designed = form.windowHeight;
  const Case cases[] = {
      // The file holds twips, 15 to a pixel.
      {{" 8000", " 9999"}, 533},
      {{"  7200  ", " 100"}, 480},
      {{" 6000.6"}, 400},        // whole twips, then whole pixels
      {{" 0", " 0"}, designed},  // no size: the designed one stays
      {{"tall"}, designed},
      {{}, designed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.empty() ? "" : c.lines.front());
    form.windowHeight = designed;
    form.windowWidth = 1234;
    ASSERT_TRUE(TextFile::WriteLines(SizeFile(), c.lines).ok);
    form.ReadWindowSize();
    EXPECT_EQ(form.windowHeight, c.height);
    EXPECT_EQ(form.windowWidth, kMainWindowWidth);
  }
}

TEST_F(WindowSizeFile, MissingFileKeepsTheDesignedSize) {
  int height = form.windowHeight;
  form.windowWidth = 1234;
  form.ReadWindowSize();
  EXPECT_EQ(form.windowHeight, height);
  EXPECT_EQ(form.windowWidth, 1234);
}

TEST_F(WindowSizeFile, WrittenOnlyWithANonZeroSize) {
  form.windowHeight = 540;
  form.windowWidth = 1038;
  form.WriteWindowSize();
  EXPECT_EQ(TextFile::ReadLines(SizeFile()), (std::vector<std::string>{" 8100", " 15570"}));
  for (auto [height, width] : {std::pair{0, 1038}, {540, 0}}) {
    form.windowHeight = height;
    form.windowWidth = width;
    form.WriteWindowSize();
    EXPECT_EQ(TextFile::ReadLines(SizeFile()), (std::vector<std::string>{" 8100", " 15570"}));
  }
  app.programFolder = (folder / "gone").string() + "/";  // not reported
  form.WriteWindowSize();
  EXPECT_TRUE(dialogs.shown().empty());
}

}  // namespace
