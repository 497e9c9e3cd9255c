#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/TextFile.h"

namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() / ("tamsel_textfile_" + std::string(info->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  static void WriteRaw(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  static std::string ReadRaw(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path folder_;
};

TEST_F(TextFileTest, WritesCrLfLineEnds) {
  const std::string path = PathOf("diets.dts");
  ASSERT_TRUE(TextFile::WriteLines(path, {"Diet 1", "", "2.5\t3"}).ok);
  EXPECT_EQ(ReadRaw(path), "Diet 1\r\n\r\n2.5\t3\r\n");
  ASSERT_TRUE(TextFile::WriteLines(path, {}).ok);
  EXPECT_EQ(ReadRaw(path), "");
  // Only the file itself is left in the folder: no temporary behind it.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator{}), 1);
}

TEST_F(TextFileTest, ReadsEveryKindOfLineEnd) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"CR", "a\rb\r", {"a", "b"}},
      {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"empty lines kept", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
      {"blank last line", "a\r\n\r\n", {"a", ""}},
      {"empty file", "", {}},
      {"tabs and blanks kept", " 1\t2 \r\n", {" 1\t2 "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = PathOf("in.txt");
    WriteRaw(path, c.bytes);
    const auto lines = TextFile::ReadLines(path);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, c.lines);
  }
}

TEST_F(TextFileTest, WrittenLinesReadBackUnchanged) {
  const std::vector<std::string> lines = {"Lysine", "1.25", "", "a\tb"};
  const std::string path = PathOf("Req.nut");
  ASSERT_TRUE(TextFile::WriteLines(path, lines).ok);
  EXPECT_EQ(TextFile::ReadLines(path), lines);
  EXPECT_TRUE(TextFile::Exists(path));
}

TEST_F(TextFileTest, MissingFilesAndFoldersAreNotRead) {
  EXPECT_FALSE(TextFile::ReadLines(PathOf("none.txt")).has_value());
  EXPECT_FALSE(TextFile::ReadLines(folder_.string()).has_value());
  EXPECT_FALSE(TextFile::Exists(PathOf("none.txt")));
  EXPECT_FALSE(TextFile::Exists(folder_.string()));
}

TEST_F(TextFileTest, FailedWriteReportsAndKeepsTheEarlierFile) {
  const std::string plainFile = PathOf("plain");
  WriteRaw(plainFile, "not a folder");
  const struct {
    const char* name;
    std::string path;
  } cases[] = {
      {"missing folder", PathOf("missing/Demo.dts")},
      {"parent is a file", plainFile + "/Demo.dts"},
      {"target is a folder", folder_.string()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TextFile::WriteResult result = TextFile::WriteLines(c.path, {"x"});
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
  }
  EXPECT_EQ(ReadRaw(plainFile), "not a folder");

  // An earlier file stays whole when the new one cannot be written; a name
  // at the length limit leaves no room for the temporary beside it, which
  // fails even for a user who may write everywhere.
  const std::string earlier = PathOf(std::string(251, 'd'));
  WriteRaw(earlier, "kept\r\n");
  const TextFile::WriteResult result = TextFile::WriteLines(earlier, {"new", "lines"});
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  EXPECT_EQ(ReadRaw(earlier), "kept\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator{}), 2);
}

}  // namespace
