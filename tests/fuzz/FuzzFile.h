#pragma once
// Shared by the fuzz targets: the bytes become a file the readers open, and
// every dialog is answered as if the user pressed OK.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/Dialogs.h"

class SilentDialogs : public Dialogs {
 public:
  Answer Message(std::string_view, Buttons, std::string_view) override { return Answer::OK; }
  std::string Input(std::string_view, std::string_view, std::string_view) override { return {}; }
  std::string OpenFile(const FileRequest& request) override { return request.fileName; }
  std::string SaveFile(const FileRequest& request, std::string_view = {}) override {
    return request.fileName;
  }
  void SetClipboard(std::string_view) override {}
  std::string Clipboard() override { return {}; }
  void ClearClipboard() override {}
};

// Writes the bytes to a file of this process named by tag and suffix and
// returns its path, or "" when it cannot be written.
inline std::string FuzzFile(const char* tag,
                            const char* suffix,
                            const std::uint8_t* data,
                            std::size_t size) {
  const std::string path =
      "/tmp/fuzz_" + std::string(tag) + "_" + std::to_string(::getpid()) + suffix;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return {};
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  return path;
}
