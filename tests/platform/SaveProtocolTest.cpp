#include <gtest/gtest.h>

#include <filesystem>

#include "platform/SaveProtocol.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

// The dialog's answer, or the mark to save without asking, decides the
// path; a cancelled dialog or a pattern keeps the earlier name, and with no
// name nothing is written. A star in a folder's name is part of a name.
TEST(SaveProtocol, TheDialogOrTheMarkDecidesThePath) {
  constexpr bool kMarked = true;
  const struct {
    std::string current;
    bool withoutAsking;
    std::optional<std::string> answer;  // nothing: cancelled
    std::string path;                   // "": nothing is written
  } cases[] = {
      {"/trials/Farm1Matrix.txt", kMarked, {}, "/trials/Farm1Matrix.txt"},
      {"/trials/Farm1Matrix.txt", !kMarked, "/new/Farm2Matrix.txt", "/new/Farm2Matrix.txt"},
      {"/old/OldMatrix.txt", !kMarked, {}, "/old/OldMatrix.txt"},
      {"/old/OldMatrix.txt", !kMarked, "/trials/*Matrix.txt", "/old/OldMatrix.txt"},
      {"/old/OldMatrix.txt", !kMarked, "/farm*1/Farm1Matrix.txt", "/farm*1/Farm1Matrix.txt"},
      {"/farm*1/Farm1Matrix.txt", kMarked, {}, "/farm*1/Farm1Matrix.txt"},
      {"", !kMarked, {}, ""},
      {"", kMarked, {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.current + " -> " + c.path);
    ScriptedDialogs dialogs;
    if (!c.withoutAsking) {
      if (c.answer)
        dialogs.File(*c.answer);
      else
        dialogs.CancelFile();
    }
    std::string path = c.current;
    const SaveRequest request{
        "/trials/", "/trials/Farm1Matrix.txt", "*Matrix.txt", ".txt", c.withoutAsking};
    EXPECT_EQ(ChooseSavePath(dialogs, path, request), !c.path.empty());
    EXPECT_EQ(path, c.path);
    EXPECT_TRUE(dialogs.Done());
    ASSERT_EQ(dialogs.shown().size(), c.withoutAsking ? 0u : 1u);
    if (c.withoutAsking) continue;
    EXPECT_EQ(dialogs.shown()[0].request.title,
              "CURRENT FILE IS " + c.current + " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT");
    // Rejecting writes to the current name, and the button says so.
    EXPECT_EQ(dialogs.shown()[0].rejectCaption, c.current.empty() ? "" : kKeepNameCaption);
  }
}

// The classic text stays; the path and the system's reason follow it. A
// file that cannot be replaced is kept as it was.
TEST(SaveProtocol, AFailedWriteSaysWhereAndWhy) {
  TempFolder temp;
  const std::string readOnly = temp.Write("Demo.plt", "kept\r\n");
  std::filesystem::permissions(readOnly, std::filesystem::perms(0444));
  const std::pair<std::string, const char*> cases[] = {
      {temp.Path("missing/Demo.dts"), "No such file or directory"},
      {temp.path().string(), "Is a directory"},
      {readOnly, "the file is read-only"},
  };
  for (const auto& [path, reason] : cases) {
    SCOPED_TRACE(path);
    ScriptedDialogs dialogs;
    EXPECT_FALSE(WriteFileOrReport(dialogs, path, {"a"}, "WriteResults"));
    EXPECT_EQ(
        dialogs.Messages(),
        std::vector<std::string>{"Error 75 (Path/File access error) in procedure WriteResults\n" +
                                 path + ": " + reason});
  }
  EXPECT_EQ(ReadWhole(readOnly), "kept\r\n");
}

}  // namespace
