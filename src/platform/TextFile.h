// Platform: TextFile, line-oriented files read leniently and written atomically.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Line-oriented text files. Lines are read with CR LF, LF or CR ends and
// written with CR LF. A write goes to a temporary file in the same folder and
// is renamed over the old one, so a failed save never leaves half a file.
namespace TextFile {

// No file of a location comes near this; a larger one is not read at all.
inline constexpr std::uintmax_t kMaxBytes = 8u << 20;

enum class ReadStatus {
  Ok,
  Missing,     // no such file (or not a plain file)
  Unreadable,  // the system refused to read it: `reason` says why
  NotText,     // UTF-16 or binary: holds zero bytes or a UTF-16 byte-order mark
  TooLarge,    // larger than kMaxBytes
};

struct ReadResult {
  ReadStatus status = ReadStatus::Ok;
  std::vector<std::string> lines;  // a leading UTF-8 byte-order mark removed
  std::string reason;              // the system's reason, when Unreadable
  std::uintmax_t bytes = 0;        // the file's size, when TooLarge
  bool ok() const { return status == ReadStatus::Ok; }
};

ReadResult Read(const std::string& path);

// The file's lines, or nothing when it cannot be read for any reason.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

// Splits text at CR LF, LF or CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);

struct WriteResult {
  bool ok = true;
  std::string error;  // the system's reason, when not ok
};

// Replaces the file at `path` with `lines`. Through a symbolic link the file
// it points at is replaced and the link stays. The new file keeps the old
// one's mode (and owner, where the system allows). A read-only file is not
// replaced. The temporary beside it has an unpredictable name, is made
// afresh (never through a planted link) and is removed on every failure;
// temporaries a killed save left of the same file are removed first.
WriteResult WriteLines(const std::string& path, const std::vector<std::string>& lines);

bool Exists(const std::string& path);

}  // namespace TextFile
