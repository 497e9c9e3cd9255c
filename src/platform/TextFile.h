#pragma once

#include <optional>
#include <string>
#include <vector>

// Line-oriented text files. Lines are read with CR LF, LF or CR ends and
// written with CR LF. A write goes to a temporary file in the same folder and
// is renamed over the old one, so a failed save never leaves half a file.
namespace TextFile {

// The file's lines, or nothing when it cannot be opened.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

// Splits text at CR LF, LF or CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);

struct WriteResult {
  bool ok = true;
  std::string error;  // the system's reason, when not ok
};

WriteResult WriteLines(const std::string& path, const std::vector<std::string>& lines);

bool Exists(const std::string& path);

}  // namespace TextFile
