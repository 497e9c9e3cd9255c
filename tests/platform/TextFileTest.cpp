#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/TextFile.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // One folder per process: the suite may run in several at once.
    folder_ = fs::temp_directory_path() /
              ("tamsel_textfile_" + std::to_string(::getpid()) + "_" + std::string(info->name()));
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

  // The names in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string FileName(const std::string& path) {
    return fs::path(path).filename().string();
  }

  fs::path folder_;
};

constexpr uid_t kNobody = 65534;

// Files this process writes may not grow past `bytes` while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &before_);
    signal_ = std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
    rlimit limit{bytes, before_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &before_);
    std::signal(SIGXFSZ, signal_);
  }

 private:
  rlimit before_{};
  void (*signal_)(int) = nullptr;
};

TEST_F(TextFileTest, WritesCrLfLineEndsThatReadBackUnchanged) {
  const std::string path = PathOf("diets.dts");
  const std::vector<std::string> lines = {"Diet 1", "", "2.5\ta\tb"};
  ASSERT_TRUE(TextFile::WriteLines(path, lines).ok);
  EXPECT_EQ(ReadRaw(path), "Diet 1\r\n\r\n2.5\ta\tb\r\n");
  EXPECT_EQ(TextFile::ReadLines(path), lines);
  EXPECT_TRUE(TextFile::Exists(path));
  ASSERT_TRUE(TextFile::WriteLines(path, {}).ok);
  EXPECT_EQ(ReadRaw(path), "");
  EXPECT_EQ(Entries(), std::vector<std::string>{"diets.dts"});  // no temporary behind it
}

// Every kind of line end is read. A UTF-8 byte-order mark is not part of
// the first line; UTF-16 and binary files are not text this program reads;
// other bytes are kept as they are.
TEST_F(TextFileTest, ReadsEveryKindOfLineEndAndRefusesWhatIsNotText) {
  using TextFile::ReadStatus;
  constexpr ReadStatus kOk = ReadStatus::Ok;
  constexpr ReadStatus kNotText = ReadStatus::NotText;
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    const char* name;
    std::string bytes;
    ReadStatus status;
    std::vector<std::string> lines;
  } cases[] = {
      {"CR LF", "a\r\nb\r\n", kOk, {"a", "b"}},
      {"LF", "a\nb\n", kOk, {"a", "b"}},
      {"CR", "a\rb\r", kOk, {"a", "b"}},
      {"mixed", "a\r\nb\nc\rd", kOk, {"a", "b", "c", "d"}},
      {"no final line end", "a\r\nb", kOk, {"a", "b"}},
      {"empty lines kept", "a\r\n\r\n\nb\r\n", kOk, {"a", "", "", "b"}},
      {"blank last line", "a\r\n\r\n", kOk, {"a", ""}},
      {"empty file", "", kOk, {}},
      {"tabs and blanks kept", " 1\t2 \r\n", kOk, {" 1\t2 "}},
      {"UTF-8 mark", bom + "6.6\r\n1.45\r\n", kOk, {"6.6", "1.45"}},
      {"UTF-8 mark alone", bom, kOk, {}},
      {"mark inside a line", "a" + bom + "b\r\n", kOk, {"a" + bom + "b"}},
      {"Latin-1 name", "Ma\xEFs\r\n", kOk, {"Ma\xEFs"}},
      // "\x36" is a '6' right after a zero byte.
      {"UTF-16 LE", "\xFF\xFE\x36\0.\0\x36\0"s, kNotText, {}},
      {"UTF-16 BE", "\xFE\xFF\0\x36\0.\0\x36"s, kNotText, {}},
      {"UTF-16 without mark", "6\0.\0\x36\0"s, kNotText, {}},
      {"binary", "\x7F\x45LF\x02\x01\0\0"s, kNotText, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = PathOf("in.txt");
    WriteRaw(path, c.bytes);
    const TextFile::ReadResult read = TextFile::Read(path);
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.lines, c.lines);
    EXPECT_EQ(TextFile::ReadLines(path), c.status == kOk ? std::optional(c.lines) : std::nullopt);
  }
}

// A file far larger than any of a location is refused by its size, before a
// byte of it is read.
TEST_F(TextFileTest, AFileBeyondTheLimitIsNotRead) {
  const std::string path = PathOf("DemoMatrix.txt");
  WriteRaw(path, "16 18\r\n");
  fs::resize_file(path, TextFile::kMaxBytes);
  EXPECT_EQ(TextFile::Read(path).status, TextFile::ReadStatus::NotText);  // the zeros
  fs::resize_file(path, TextFile::kMaxBytes + 1);
  const TextFile::ReadResult read = TextFile::Read(path);
  EXPECT_EQ(read.status, TextFile::ReadStatus::TooLarge);
  EXPECT_EQ(read.bytes, TextFile::kMaxBytes + 1);
  EXPECT_TRUE(read.lines.empty());
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

  // A write that fails half way (here past the size limit of the process)
  // leaves the earlier file whole and no temporary behind.
  const std::string earlier = PathOf("Demo.cal");
  WriteRaw(earlier, "kept\r\n");
  {
    FileSizeLimit limit(4);
    const TextFile::WriteResult result = TextFile::WriteLines(earlier, {"new", "lines"});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "File too large");
  }
  EXPECT_EQ(ReadRaw(earlier), "kept\r\n");
  // A read-only file is not replaced.
  const std::string readOnly = PathOf("Demo.plt");
  WriteRaw(readOnly, "kept\r\n");
  fs::permissions(readOnly, fs::perms(0444));
  const TextFile::WriteResult result = TextFile::WriteLines(readOnly, {"new"});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "the file is read-only");
  EXPECT_EQ(ReadRaw(readOnly), "kept\r\n");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Demo.cal", "Demo.plt", "plain"}));
}

// Any name the folder accepts can be saved, however long.
TEST_F(TextFileTest, NamesUpToTheLimitOfTheFolderSave) {
  for (std::size_t length : {200u, 238u, 244u, 255u}) {
    SCOPED_TRACE(length);
    const std::string path = PathOf(std::string(length - 4, 'd') + ".cal");
    WriteRaw(path, "old\r\n");
    ASSERT_TRUE(TextFile::WriteLines(path, {"new"}).ok);
    ASSERT_TRUE(TextFile::WriteLines(path, {"newer"}).ok);
    EXPECT_EQ(ReadRaw(path), "newer\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{FileName(path)});
    fs::remove(path);
  }
}

// Whoever may write to the folder cannot make a save write elsewhere by
// planting links where the temporary will be: the names are not known
// beforehand and are made afresh.
TEST_F(TextFileTest, SavesNeverWriteThroughAPlantedLink) {
  const fs::path elsewhere = folder_ / "elsewhere";
  fs::create_directories(elsewhere);
  const std::string victim = (elsewhere / "private.txt").string();
  WriteRaw(victim, "private\r\n");
  const std::string path = PathOf("Demo.cal");
  // The name earlier versions used, and names like the present ones.
  fs::create_symlink(victim, path + ".tmp" + std::to_string(::getpid()));
  for (const char* random : {"AAAAAA", "XXXXXX", "000000"})
    fs::create_symlink(victim, path + ".tamsel-tmp." + random);
  for (int save = 0; save < 3; ++save) ASSERT_TRUE(TextFile::WriteLines(path, {"rows"}).ok);
  EXPECT_EQ(ReadRaw(victim), "private\r\n");
  EXPECT_EQ(ReadRaw(path), "rows\r\n");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
}

// A save replaces the file's content and nothing else: its mode, its owner
// and a link that leads to it stay.
TEST_F(TextFileTest, SavesKeepModeOwnerAndLinks) {
  for (fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0664)}) {
    const std::string path = PathOf("Demo.cal");
    WriteRaw(path, "old\r\n");
    fs::permissions(path, mode);
    ASSERT_TRUE(TextFile::WriteLines(path, {"new"}).ok);
    EXPECT_EQ(fs::status(path).permissions(), mode);
  }
  if (::geteuid() == 0) {  // only root may give a file away
    const std::string path = PathOf("Theirs.cal");
    WriteRaw(path, "old\r\n");
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    ASSERT_TRUE(TextFile::WriteLines(path, {"new"}).ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
  }

  // Links, relative or absolute, through another folder or a chain; a link
  // to a file not yet there makes that file.
  const fs::path shared = folder_ / "shared";
  fs::create_directories(shared);
  WriteRaw((shared / "Farm.plt").string(), "old\r\n");
  fs::create_symlink("shared/Farm.plt", folder_ / "Relative.plt");
  fs::create_symlink(shared / "Farm.plt", folder_ / "Absolute.plt");
  fs::create_symlink("Relative.plt", folder_ / "Chain.plt");
  fs::create_symlink("shared/New.plt", folder_ / "Dangling.plt");
  const struct {
    const char* link;
    const char* target;
  } links[] = {{"Relative.plt", "shared/Farm.plt"},
               {"Absolute.plt", "shared/Farm.plt"},
               {"Chain.plt", "shared/Farm.plt"},
               {"Dangling.plt", "shared/New.plt"}};
  for (const auto& c : links) {
    SCOPED_TRACE(c.link);
    ASSERT_TRUE(TextFile::WriteLines(PathOf(c.link), {c.link}).ok);
    EXPECT_TRUE(fs::is_symlink(folder_ / c.link));
    EXPECT_EQ(ReadRaw(PathOf(c.target)), std::string(c.link) + "\r\n");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator{}), 2);
}

// A save that was killed leaves its temporary; the next save of the same
// file removes it, and leaves alone what belongs to other files or to a
// save still running.
TEST_F(TextFileTest, TheNextSaveRemovesStaleTemporariesOfTheSameFile) {
  const std::string path = PathOf("Demo.cal");
  for (const char* name : {"Demo.cal.tamsel-tmp.Ab12Cd",
                           "Demo.cal.tmp4242",
                           "Demo.cal.tamsel-tmp.Xy34Ef",
                           "Demo.cal.tmpnotes",
                           "Demo.cal.tamsel-tmp.Ab12Cd.old",
                           "Demo.dts.tamsel-tmp.Ab12Cd",
                           "Demo.dts.tmp4242"})
    WriteRaw(PathOf(name), "left\r\n");
  const int running = ::open(PathOf("Demo.cal.tamsel-tmp.Xy34Ef").c_str(), O_RDONLY);
  ASSERT_GE(running, 0);
  ASSERT_EQ(::flock(running, LOCK_EX), 0);  // as a save in progress holds it

  ASSERT_TRUE(TextFile::WriteLines(path, {"rows"}).ok);
  ::close(running);
  EXPECT_EQ(Entries(),
            (std::vector<std::string>{"Demo.cal",
                                      "Demo.cal.tamsel-tmp.Ab12Cd.old",
                                      "Demo.cal.tamsel-tmp.Xy34Ef",
                                      "Demo.cal.tmpnotes",
                                      "Demo.dts.tamsel-tmp.Ab12Cd",
                                      "Demo.dts.tmp4242"}));
}

}  // namespace
