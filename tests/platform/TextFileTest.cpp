#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/TextFile.h"
#include "support/TempFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class TextFileTest : public ::testing::Test {
 protected:
  std::string PathOf(const std::string& name) const { return temp_.Path(name); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    return temp_.Write(name, bytes);
  }
  // The names in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp_.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder temp_;
  const fs::path& folder_ = temp_.path();
};

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
      {"mixed", "a\r\nb\nc\rd", kOk, {"a", "b", "c", "d"}},
      {"empty lines kept", "a\r\n\r\n\nb\r\n", kOk, {"a", "", "", "b"}},
      {"blank last line", "a\r\n\r\n", kOk, {"a", ""}},
      {"empty file", "", kOk, {}},
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
    const std::string path = Write("in.txt", c.bytes);
    const TextFile::ReadResult read = TextFile::Read(path);
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.lines, c.lines);
    EXPECT_EQ(read.reason, "");  // no error of the system behind it
    EXPECT_EQ(TextFile::ReadLines(path), c.status == kOk ? std::optional(c.lines) : std::nullopt);
  }
}

// A missing file or a folder is not read; a file far larger than any of a
// location is refused by its size, before a byte of it is read.
TEST_F(TextFileTest, MissingFoldersAndFilesBeyondTheLimitAreNotRead) {
  for (const std::string& path : {PathOf("none.txt"), folder_.string()}) {
    EXPECT_FALSE(TextFile::ReadLines(path).has_value()) << path;
    EXPECT_FALSE(TextFile::Exists(path)) << path;
  }
  const std::string path = Write("DemoMatrix.txt", "16 18\r\n");
  fs::resize_file(path, TextFile::kMaxBytes);
  EXPECT_EQ(TextFile::Read(path).status, TextFile::ReadStatus::NotText);  // the zeros
  fs::resize_file(path, TextFile::kMaxBytes + 1);
  const TextFile::ReadResult read = TextFile::Read(path);
  EXPECT_EQ(read.status, TextFile::ReadStatus::TooLarge);
  EXPECT_EQ(read.bytes, TextFile::kMaxBytes + 1);
  EXPECT_TRUE(read.lines.empty());
}

// A write that fails half way (here past the size limit of the process)
// leaves the earlier file whole and no temporary behind. (Writes refused
// from the start are reported by SaveProtocolTest.)
TEST_F(TextFileTest, AWriteFailingHalfWayKeepsTheEarlierFile) {
  const std::string earlier = Write("Demo.cal", "kept\r\n");
  rlimit before{};
  ::getrlimit(RLIMIT_FSIZE, &before);
  const auto signal = std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
  const rlimit limit{4, before.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const TextFile::WriteResult result = TextFile::WriteLines(earlier, {"new", "lines"});
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, signal);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "File too large");
  EXPECT_EQ(ReadWhole(earlier), "kept\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Demo.cal"});
  ASSERT_TRUE(TextFile::WriteLines(earlier, {}).ok);  // an empty save empties the file
  EXPECT_EQ(ReadWhole(earlier), "");
  EXPECT_TRUE(TextFile::Exists(earlier));
}

// Any name the folder accepts can be saved, however long: the temporary's
// longer name must not stand in the way.
TEST_F(TextFileTest, NamesUpToTheLimitOfTheFolderSave) {
  for (std::size_t length : {238u, 255u}) {
    SCOPED_TRACE(length);
    const std::string name = std::string(length - 4, 'd') + ".cal";
    const std::string path = Write(name, "old\r\n");
    ASSERT_TRUE(TextFile::WriteLines(path, {"new"}).ok);
    ASSERT_TRUE(TextFile::WriteLines(path, {"newer"}).ok);
    EXPECT_EQ(ReadWhole(path), "newer\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{name});
    fs::remove(path);
  }
}

// Whoever may write to the folder cannot make a save write elsewhere by
// planting links where the temporary will be: the names are not known
// beforehand and are made afresh.
TEST_F(TextFileTest, SavesNeverWriteThroughAPlantedLink) {
  fs::create_directories(folder_ / "elsewhere");
  const std::string victim = Write("elsewhere/private.txt", "private\r\n");
  const std::string path = PathOf("Demo.cal");
  // The name earlier versions used, and names like the present ones.
  fs::create_symlink(victim, path + ".tmp" + std::to_string(::getpid()));
  for (const char* random : {"AAAAAA", "XXXXXX", "000000"})
    fs::create_symlink(victim, path + ".tamsel-tmp." + random);
  for (int save = 0; save < 3; ++save) ASSERT_TRUE(TextFile::WriteLines(path, {"rows"}).ok);
  EXPECT_EQ(ReadWhole(victim), "private\r\n");
  EXPECT_EQ(ReadWhole(path), "rows\r\n");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
}

// A save replaces the file's content and nothing else: its mode and a link
// that leads to it stay; a chain of relative links leads to the file, and a
// link to a file not yet there makes that file.
TEST_F(TextFileTest, SavesKeepModeAndLinks) {
  fs::create_directories(folder_ / "shared");
  const std::string path = Write("shared/Farm.plt", "old\r\n");
  fs::permissions(path, fs::perms(0640));
  fs::create_symlink("shared/Farm.plt", folder_ / "Relative.plt");
  fs::create_symlink("Relative.plt", folder_ / "Chain.plt");
  fs::create_symlink(folder_ / "shared/New.plt", folder_ / "Dangling.plt");
  const std::pair<const char*, std::string> links[] = {{"Chain.plt", path},
                                                       {"Dangling.plt", PathOf("shared/New.plt")}};
  for (const auto& [link, target] : links) {
    ASSERT_TRUE(TextFile::WriteLines(PathOf(link), {link}).ok);
    EXPECT_TRUE(fs::is_symlink(folder_ / link));
    EXPECT_EQ(ReadWhole(target), std::string(link) + "\r\n");
  }
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
}

// A save that was killed leaves its temporary; the next save of the same
// file removes it, and leaves alone what belongs to other files or to a
// save still running.
TEST_F(TextFileTest, TheNextSaveRemovesStaleTemporariesOfTheSameFile) {
  for (const char* name : {"Demo.cal.tamsel-tmp.Ab12Cd",
                           "Demo.cal.tmp4242",
                           "Demo.cal.tamsel-tmp.Xy34Ef",
                           "Demo.cal.tmpnotes",
                           "Demo.cal.tamsel-tmp.Ab12Cd.old",
                           "Demo.dts.tamsel-tmp.Ab12Cd",
                           "Demo.dts.tmp4242"})
    Write(name, "left\r\n");
  const int running = ::open(PathOf("Demo.cal.tamsel-tmp.Xy34Ef").c_str(), O_RDONLY);
  ASSERT_GE(running, 0);
  ASSERT_EQ(::flock(running, LOCK_EX), 0);  // as a save in progress holds it
  ASSERT_TRUE(TextFile::WriteLines(PathOf("Demo.cal"), {"rows"}).ok);
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
