#include <gtest/gtest.h>

#include <filesystem>

#include "platform/SaveProtocol.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFiles.h"

namespace {

SaveRequest Request(bool withoutAsking) {
  return {"/trials/", "/trials/Farm1Matrix.txt", "*Matrix.txt", ".txt", withoutAsking};
}

TEST(SaveProtocol, TheDialogOrTheMarkDecidesThePath) {
  struct Case {
    const char* name;
    std::string current;
    bool withoutAsking;
    std::optional<std::string> answer;  // nothing: cancelled
    bool writes;
    std::string path;
  } cases[] = {
      {"marked: no dialog", "/trials/Farm1Matrix.txt", true, {}, true, "/trials/Farm1Matrix.txt"},
      {"chosen",
       "/trials/Farm1Matrix.txt",
       false,
       "/new/Farm2Matrix.txt",
       true,
       "/new/Farm2Matrix.txt"},
      {"cancelled keeps the earlier name",
       "/old/OldMatrix.txt",
       false,
       {},
       true,
       "/old/OldMatrix.txt"},
      {"a pattern is not a name",
       "/old/OldMatrix.txt",
       false,
       "/trials/*Matrix.txt",
       true,
       "/old/OldMatrix.txt"},
      // A star in a folder's name is part of a name, not a pattern.
      {"a folder with a star, chosen",
       "/old/OldMatrix.txt",
       false,
       "/farm*1/Farm1Matrix.txt",
       true,
       "/farm*1/Farm1Matrix.txt"},
      {"a folder with a star, marked",
       "/farm*1/Farm1Matrix.txt",
       true,
       {},
       true,
       "/farm*1/Farm1Matrix.txt"},
      {"cancelled with no earlier name", "", false, {}, false, ""},
      {"marked with no name", "", true, {}, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    if (!c.withoutAsking) {
      if (c.answer)
        dialogs.File(*c.answer);
      else
        dialogs.CancelFile();
    }
    std::string path = c.current;
    EXPECT_EQ(ChooseSavePath(dialogs, path, Request(c.withoutAsking)), c.writes);
    EXPECT_EQ(path, c.path);
    EXPECT_TRUE(dialogs.Done());
    if (c.withoutAsking) {
      EXPECT_TRUE(dialogs.shown().empty());
    } else {
      ASSERT_EQ(dialogs.shown().size(), 1u);
      const FileRequest& request = dialogs.shown()[0].request;
      EXPECT_EQ(request.title,
                "CURRENT FILE IS " + c.current + " -  CHOOSE THE LOCATION AND NAME TO CHANGE IT");
      EXPECT_EQ(request.folder, "/trials/");
      EXPECT_EQ(request.filter, "*Matrix.txt");
      EXPECT_EQ(request.defaultExt, ".txt");
      // Rejecting writes to the current name, and the button says so.
      EXPECT_EQ(dialogs.shown()[0].rejectCaption, c.current.empty() ? "" : kKeepNameCaption);
    }
  }
}

// The classic text stays; the path and the system's reason follow it.
TEST(SaveProtocol, AFailedWriteSaysWhereAndWhy) {
  TempFolder temp;
  const std::string readOnly = temp.Write("Demo.plt", "kept\r\n");
  std::filesystem::permissions(readOnly, std::filesystem::perms(0444));
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {temp.Path("missing/Demo.dts"), "No such file or directory"},
      {temp.path().string(), "Is a directory"},
      {readOnly, "the file is read-only"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    ScriptedDialogs dialogs;
    EXPECT_FALSE(WriteFileOrReport(dialogs, c.path, {"a"}, "WriteResults"));
    EXPECT_EQ(
        dialogs.Messages(),
        std::vector<std::string>{"Error 75 (Path/File access error) in procedure WriteResults\n" +
                                 c.path + ": " + c.reason});
  }
  EXPECT_EQ(ReadWhole(readOnly), "kept\r\n");
}

}  // namespace
