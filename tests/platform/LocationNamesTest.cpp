#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Grid.h"
#include "platform/Location.h"

namespace fs = std::filesystem;

namespace {

TEST(LocationNames, BaseAndFolderFromAChosenCalibrationFile) {
  const struct {
    std::string chosen, base, folder;
  } cases[] = {
      {"C:\\Trials\\Farm1.plt", "C:\\Trials\\Farm1", "C:\\Trials\\"},
      {"/home/ann/trials/Farm1.plt", "/home/ann/trials/Farm1", "/home/ann/trials/"},
      // A period in a folder name is not an extension.
      {"/data/v1.2/Farm1.plt", "/data/v1.2/Farm1", "/data/v1.2/"},
      {"C:\\My.Trials\\Farm1", "C:\\My.Trials\\Farm1", "C:\\My.Trials\\"},
      // Mixed separators: the last of either kind ends the folder.
      {"/data\\farm.2019/Pen.3.plt", "/data\\farm.2019/Pen.3", "/data\\farm.2019/"},
      {"Farm1.plt", "Farm1", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen);
    EXPECT_EQ(LocationBaseOf(c.chosen), c.base);
    EXPECT_EQ(FolderOf(c.chosen), c.folder);
  }
}

// The file table shows the names of the files the user may choose apart;
// every file of the new set is asked for again before it is saved.
TEST(LocationNames, SetFileNamesFillsTheSetAndTheFileTable) {
  Location location;
  location.saveWithoutAsking.fill(true);
  Grid files(11, 1);
  SetFileNames(location, "/t/Farm1", files);
  EXPECT_EQ(location.calibrationFile, "/t/Farm1.plt");
  EXPECT_EQ(files.Text(kDietsRow, 0), "/t/Farm1.dts");
  EXPECT_EQ(files.Text(kMatrixRow, 0), "/t/Farm1Matrix.txt");
  EXPECT_EQ(files.Text(kReqNutRow, 0), "/t/Farm1Req.nut");
  EXPECT_EQ(files.Text(kReqIngRow, 0), "/t/Farm1Req.ing");
  EXPECT_EQ(files.Text(kPltRow, 0), "");  // the chosen path is shown by the caller
  for (int row = 1; row <= kFileRows; ++row) EXPECT_FALSE(location.saveWithoutAsking[row]) << row;
}

TEST(LocationNames, RelativeNamesResolveInTheDataFolder) {
  EXPECT_EQ(ResolveInFolder("/t/loc/", "Farm1.dts"), "/t/loc/Farm1.dts");
  EXPECT_EQ(ResolveInFolder("/t/loc", "Farm1.dts"), "/t/loc/Farm1.dts");
  EXPECT_EQ(ResolveInFolder("/t/loc/", "/elsewhere/F.dts"), "/elsewhere/F.dts");
  EXPECT_EQ(ResolveInFolder("/t/loc/", "C:\\F.dts"), "C:\\F.dts");
  EXPECT_EQ(ResolveInFolder("", "F.dts"), "F.dts");
}

TEST(LocationNames, ProgramFolderFallsBackToTheUserDataFolder) {
  std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(IsFolderSeparator(folder.back()));

  fs::path data = fs::temp_directory_path() / ("tamsel-xdg-" + std::to_string(::getpid()));
  const char* before = std::getenv("XDG_DATA_HOME");
  std::string kept = before ? before : "";
  ::setenv("XDG_DATA_HOME", data.c_str(), 1);
  EXPECT_EQ(ProgramFolderFor(data.string()), data.string() + "/tamsel/");  // made on the way
  EXPECT_EQ(ProgramFolderFor("/no/such/folder"), data.string() + "/tamsel/");
  EXPECT_TRUE(fs::is_directory(data / "tamsel"));
  EXPECT_EQ(ProgramFolderFor(data.string()), data.string() + "/");  // now writable
  if (before)
    ::setenv("XDG_DATA_HOME", kept.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
  fs::remove_all(data);
}

}  // namespace
