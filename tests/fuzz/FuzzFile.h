#pragma once
// Shared by the fuzz targets: the bytes become a file the readers open, and
// every dialog is answered as if the user pressed OK.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/SilentDialogs.h"

// A file of this process in the fuzz build's scratch folder (never /tmp),
// named by tag and suffix; removed when it goes out of scope, so a run
// leaves nothing behind.
class ScratchFile {
 public:
  ScratchFile(std::string_view tag, std::string_view suffix)
      : path_(Folder() + "/" + std::string(tag) + "_" + std::to_string(::getpid()) +
              std::string(suffix)) {}
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() { std::remove(path_.c_str()); }

  const std::string& Path() const { return path_; }

  // Writes the bytes; false when the file cannot be written.
  bool Write(const std::uint8_t* data, std::size_t size) const {
    FILE* file = std::fopen(path_.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
  }

 private:
  static std::string Folder() {
    static const std::string folder = [] {
      std::error_code ignored;
      std::filesystem::create_directories(TAMSEL_FUZZ_SCRATCH, ignored);
      return std::string(TAMSEL_FUZZ_SCRATCH);
    }();
    return folder;
  }

  std::string path_;
};
