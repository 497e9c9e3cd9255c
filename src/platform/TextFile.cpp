#include "platform/TextFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace TextFile {

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

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return SplitLines(text);
}

WriteResult WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string tempPath = path + ".tmp" + std::to_string(::getpid());
  FILE* file = std::fopen(tempPath.c_str(), "wb");
  if (!file) return {false, std::strerror(errno)};
  bool ok = true;
  for (const std::string& line : lines) {
    ok = ok && std::fwrite(line.data(), 1, line.size(), file) == line.size();
    ok = ok && std::fwrite("\r\n", 1, 2, file) == 2;
  }
  ok = ok && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  int writeErrno = errno;
  ok = (std::fclose(file) == 0) && ok;
  if (!ok) {
    std::remove(tempPath.c_str());
    return {false, std::strerror(writeErrno ? writeErrno : EIO)};
  }
  if (std::rename(tempPath.c_str(), path.c_str()) != 0) {
    int renameErrno = errno;
    std::remove(tempPath.c_str());
    return {false, std::strerror(renameErrno)};
  }
  return {};
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace TextFile
