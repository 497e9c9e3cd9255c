#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace TextFile {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

ReadResult Refused(ReadStatus status, int error = 0) {
  ReadResult result;
  result.status = status;
  if (error != 0) result.reason = std::strerror(error);
  return result;
}

// Reads at most kMaxBytes + 1 bytes, so a file that grew is still caught.
bool ReadBytes(int fd, std::string& text, int& error) {
  char buffer[65536];
  while (text.size() <= kMaxBytes) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return true;
}

// UTF-16 (and anything binary) has zero bytes; a UTF-16 file may also start
// with its byte-order mark.
bool LooksLikeText(std::string_view text) {
  if (text.starts_with(kUtf16LittleMark) || text.starts_with(kUtf16BigMark)) return false;
  return text.find('\0') == std::string_view::npos;
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line.push_back(ch);
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

ReadResult Read(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return Refused(missing ? ReadStatus::Missing : ReadStatus::Unreadable, missing ? 0 : errno);
  }
  if (!S_ISREG(info.st_mode)) return Refused(ReadStatus::Missing);
  ReadResult result;
  // The size is checked before anything is read.
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxBytes) {
    result.status = ReadStatus::TooLarge;
    result.bytes = static_cast<std::uintmax_t>(info.st_size);
    return result;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Refused(ReadStatus::Unreadable, errno);
  std::string text;
  int error = 0;
  const bool read = ReadBytes(fd, text, error);
  ::close(fd);
  if (!read) return Refused(ReadStatus::Unreadable, error);
  if (text.size() > kMaxBytes) {
    result.status = ReadStatus::TooLarge;
    result.bytes = text.size();
    return result;
  }
  if (!LooksLikeText(text)) return Refused(ReadStatus::NotText);
  if (text.starts_with(kUtf8Mark)) text.erase(0, kUtf8Mark.size());
  result.lines = SplitLines(text);
  return result;
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  ReadResult result = Read(path);
  if (!result.ok()) return std::nullopt;
  return std::move(result.lines);
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace TextFile
