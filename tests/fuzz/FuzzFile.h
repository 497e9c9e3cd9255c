#pragma once
// Shared by the fuzz targets: the bytes become a file the readers open, and
// every dialog is answered as if the user pressed OK.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/SilentDialogs.h"

// A file of this process in the fuzz build's scratch folder (never /tmp),
// named by tag and suffix; removed when it goes out of scope, so a run
// leaves nothing behind.
class ScratchFile {
 public:
  ScratchFile(std::string_view tag, std::string_view suffix)
      : path_(std::string(TAMSEL_FUZZ_SCRATCH) + "/" + std::string(tag) + "_" +
              std::to_string(::getpid()) + std::string(suffix)) {
    std::error_code ignored;
    std::filesystem::create_directories(TAMSEL_FUZZ_SCRATCH, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() { std::filesystem::remove(path_, ignored_); }

  const std::string& Path() const { return path_; }

  // Writes the bytes; false when the file cannot be written.
  bool Write(const std::uint8_t* data, std::size_t size) const {
    std::ofstream file(path_, std::ios::binary);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(file.flush());
  }

 private:
  std::string path_;
  std::error_code ignored_;
};
